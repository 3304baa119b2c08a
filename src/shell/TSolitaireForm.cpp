#include "shell/TSolitaireForm.h"

#include "cards/Resources.h"
#include "cards/TCard.h"
#include "framework/Messages.h"
#include "framework/TGameForm.h"
#include "framework/core/GameTable.h"
#include "framework/core/WindowPlacement.h"
#include "games/GameRegistry.h"
#include "shell/TApplication.h"
#include "shell/THelp.h"
#include "shell/TInfoBox.h"
#include "shell/TSysRequirementsForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>
#include <QToolButton>

namespace {

constexpr int ClientWidth = 329;
constexpr int ClientHeight = 241;

TPreferencesDlg::DisplayProbe& SelectorDisplay() {
    static TPreferencesDlg::DisplayProbe probe;
    return probe;
}

std::function<bool()>& TrayProbe() {
    static std::function<bool()> probe;
    return probe;
}

int ScreenWidth() {
    if (SelectorDisplay().Width)
        return SelectorDisplay().Width();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int ScreenDepth() {
    if (SelectorDisplay().Depth)
        return SelectorDisplay().Depth();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

bool TrayAvailable() {
    return TrayProbe() ? TrayProbe()() : QSystemTrayIcon::isSystemTrayAvailable();
}

// A picture resource, its "_256" form on a low-colour display where there is one.
QString PictureName(const QString& name, bool lowColor) {
    const QString low = name + QStringLiteral("_256");
    return lowColor && Resources::Exists(low) ? low : name;
}

// The picture drawn for the screen's density.
QPixmap Picture(const QString& name, qreal ratio) {
    return Resources::Exists(name) ? QPixmap::fromImage(Resources::Picture(name, ratio)) : QPixmap();
}

} // namespace

// ---- TGameListBox -------------------------------------------------------------

TGameListBox::TGameListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, &TGameListBox::CurrentRowChanged);
}

void TGameListBox::SelectQuietly(int row) {
    m_quiet = true;
    setCurrentRow(row);
    if (row < 0)
        clearSelection();
    m_quiet = false;
}

void TGameListBox::CurrentRowChanged() {
    // A press changes the row at once; the click itself is the choice, when
    // the button comes up.
    if (!m_quiet && !m_mouseDown && currentRow() >= 0)
        emit Chosen();
}

void TGameListBox::mousePressEvent(QMouseEvent* event) {
    m_mouseDown = event->button() == Qt::LeftButton;
    m_pressOnItem = m_mouseDown && indexAt(event->position().toPoint()).isValid();
    m_rowAtPress = currentRow();
    QListWidget::mousePressEvent(event);
}

void TGameListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first click of the pair already chose; the second chooses only if
    // it lands on another item (the base class then runs a press).
    m_mouseDown = event->button() == Qt::LeftButton;
    m_pressOnItem = false;
    m_rowAtPress = currentRow();
    QListWidget::mouseDoubleClickEvent(event);
}

void TGameListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (!m_mouseDown || event->button() != Qt::LeftButton)
        return;
    m_mouseDown = false;
    if (currentRow() >= 0 && (m_pressOnItem || currentRow() != m_rowAtPress))
        emit Chosen();
}

void TGameListBox::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        emit Chosen();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TGameListBox::focusInEvent(QFocusEvent* event) {
    // Gaining the focus makes the first row current; that is no choice (at
    // start-up it would open the first game of the list unasked).
    const bool quiet = m_quiet;
    m_quiet = true;
    QListWidget::focusInEvent(event);
    m_quiet = quiet;
}

// ---- TSolitaireForm -----------------------------------------------------------

void TSolitaireForm::SetDisplayProbe(TPreferencesDlg::DisplayProbe probe) {
    SelectorDisplay() = std::move(probe);
}

void TSolitaireForm::SetTrayProbe(std::function<bool()> available) {
    TrayProbe() = std::move(available);
}

TSolitaireForm::TSolitaireForm(TApplication& app, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_app(app) {
    setObjectName(QStringLiteral("SolitaireForm"));
    setWindowTitle(QStringLiteral("Quintaro!"));
    setFixedSize(ClientWidth, ClientHeight);

    // 1. The display shows 256 colours or fewer.
    m_lowColor = ScreenDepth() <= 8;

    m_list = new TGameListBox(this);
    m_list->setObjectName(QStringLiteral("GameSelectListBox"));
    m_list->setGeometry(4, 5, 157, 97);
    QFont listFont(QStringLiteral("Arial"));
    listFont.setBold(true);
    m_list->setFont(listFont);
    m_list->setToolTip(QStringLiteral("Select a Solitaire Game"));
    for (const TGameInfo& game : GameTable()) {
        auto* item = new QListWidgetItem(QString::fromUtf8(game.ListName), m_list);
        item->setSizeHint(QSize(0, 15));
    }
    connect(m_list, &TGameListBox::Chosen, this, &TSolitaireForm::GameSelectListBoxClick);

    // 2. The jester and the start-up preview.
    const QString jesterName = PictureName(QStringLiteral("JESTER1"), m_lowColor);
    const QPixmap jester = Picture(jesterName, devicePixelRatioF());
    m_jester = new QLabel(this);
    m_jester->setObjectName(QStringLiteral("Image1"));
    m_jester->setGeometry(214, 5, 72, 104);
    m_jester->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_jester->setPixmap(jester);
    m_jester->setToolTip(QStringLiteral("Click for Info..."));
    m_jester->installEventFilter(this);

    m_helpButton = new QToolButton(this);
    m_helpButton->setObjectName(QStringLiteral("HelpButton"));
    m_helpButton->setGeometry(300, 80, 25, 25);
    m_helpButton->setAutoRaise(true);
    m_helpButton->setIcon(Resources::Icon(QStringLiteral("HELPBTN"), qApp->devicePixelRatio()));
    m_helpButton->setIconSize(QSize(21, 21));
    m_helpButton->setToolTip(QStringLiteral("Help..."));
    m_helpButton->setFocusPolicy(Qt::NoFocus);
    connect(m_helpButton, &QToolButton::clicked, this, &TSolitaireForm::HelpButtonClick);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("ImagePanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(3, 109, 324, 129);
    m_gameImage = new QLabel(panel);
    m_gameImage->setObjectName(QStringLiteral("GameImage"));
    m_gameImage->setGeometry(2, 2, 320, 125);
    ShowPreview(QStringLiteral("STARTUP"));

    // 5. The window takes the colour of the jester's own background.
    if (!jester.isNull()) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, jester.toImage().pixelColor(0, 0));
        setPalette(pal);
        setAutoFillBackground(true);
    }

    // F1 anywhere in the window opens the help contents.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &TSolitaireForm::HelpButtonClick);

    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("TrayPopupMenu"));
    QAction* restore = m_trayMenu->addAction(QStringLiteral("&Restore"));
    restore->setObjectName(QStringLiteral("Restore1"));
    connect(restore, &QAction::triggered, this, &TSolitaireForm::TrayIconDblClick);
    QAction* exit = m_trayMenu->addAction(QStringLiteral("&Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &TSolitaireForm::Exit1Click);

    m_trayIcon =
        new QSystemTrayIcon(Resources::Icon(QStringLiteral("APPICON_32"), qApp->devicePixelRatio()), this);
    m_trayIcon->setObjectName(QStringLiteral("TrayIcon"));
    m_trayIcon->setToolTip(QStringLiteral("Quintaro!"));
    m_trayIcon->setContextMenu(m_trayMenu);
    connect(m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            TrayIconDblClick();
    });

    RestorePosition();
}

TSolitaireForm::~TSolitaireForm() = default;

void TSolitaireForm::ShowPreview(const QString& name) {
    m_previewName = PictureName(name, m_lowColor);
    m_gameImage->setPixmap(Picture(m_previewName, devicePixelRatioF()));
}

void TSolitaireForm::RestorePosition() {
    const auto position = WindowPlacement::LoadPosition(QStringLiteral("MainWindow"));
    if (!position)
        return;
    // A position from another desktop layout must not put the window out of reach.
    const QRect wanted(*position, size());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(wanted)) {
            move(*position);
            return;
        }
    }
}

int TSolitaireForm::OpenGameIndex() const {
    return m_gameWindow ? m_gameWindow->GameIndex() : -1;
}

void TSolitaireForm::GameWindowDestroyed(TGameForm* window) {
    if (m_gameWindow == window)
        m_gameWindow = nullptr;
}

bool TSolitaireForm::CloseAllGameWindows() {
    m_gameWindowClosed = true;
    bool allClosed = true;
    if (m_gameWindow) {
        // Restored first, so that the question is asked over a window the player can see.
        if (m_gameWindow->isHidden() || m_gameWindow->isMinimized())
            TrayIconDblClick();
        const QPointer<TGameForm> window = m_gameWindow;
        if (window->close()) {
            if (m_gameWindow == window)
                m_gameWindow = nullptr;
        } else {
            allClosed = false;
        }
    }
    m_gameWindowClosed = m_gameWindowClosed && allClosed;
    return m_gameWindowClosed;
}

void TSolitaireForm::GameSelectListBoxClick() {
    OpenGame(m_list->currentRow());
}

void TSolitaireForm::OpenGame(int index, std::optional<bool> largeCards, std::optional<std::uint32_t> deal) {
    if (index < 0 || index >= GI_COUNT)
        return;
    if (m_list->currentRow() != index)
        m_list->SelectQuietly(index);

    // 1-3. Card size, colours and the desktop as they are now.
    const bool large = largeCards.value_or(m_app.Context().CurrentPrefs().CardSize != 0);
    m_lowColor = ScreenDepth() <= 8;
    m_list->setToolTip(QString());
    const int screenWidth = ScreenWidth();
    m_belowSvga = screenWidth < 800;
    m_belowXga = screenWidth < 1024;

    // 4. Nothing to do when the game is open in the current size.
    if (m_gameWindow && m_gameWindow->GameIndex() == index && m_gameWindow->IsSmall() == !large) {
        m_rememberedSelection = index;
        return;
    }

    const TGameInfo& game = GameTable()[index];
    const int minWidth = large ? game.MinWidthLarge : game.MinWidthSmall;
    const bool tooNarrow = screenWidth < minWidth;
    const TGameFactory& factory = GameFactory(index);
    // A game missing from this build: say so before anything is closed.
    if (!tooNarrow && !factory.Available()) {
        NotAvailable(index);
        return;
    }

    // 5.1 The open game goes first, with its own question.
    if (!CloseAllGameWindows()) {
        m_list->SelectQuietly(m_rememberedSelection);
        return;
    }
    // 5.2-5.3
    ShowPreview(QString::fromUtf8(game.Preview));
    if (tooNarrow) {
        m_rememberedSelection = index;
        m_app.Requirements().ShowMessage(TSysRequirementsForm::MessageText(index, large), large);
        return;
    }
    // 5.4
    TCard::SetCardSize(large ? FS_LARGE : FS_SMALL, m_lowColor);
    m_app.Preferences().RefreshCustomBack();
    m_app.Context().NextDeal = deal;
    TGameForm* window = (large ? factory.Large : factory.Small)(m_app.Context(), nullptr);
    m_app.Context().NextDeal.reset();
    m_gameWindow = window;
    // 6.
    m_rememberedSelection = index;
    window->show();
    window->raise();
    window->activateWindow();
}

void TSolitaireForm::NotAvailable(int gameIndex) {
    m_list->SelectQuietly(m_rememberedSelection);
    TMessages::Instance().Warning(this, QString::fromUtf8(GameTable()[gameIndex].ListName) +
                                            QStringLiteral(" is not available in this version of Quintaro."));
}

void TSolitaireForm::Image1Click() {
    TInfoBox::ShowInfoBox(this, m_lowColor, m_app.Sound());
}

void TSolitaireForm::HelpButtonClick() {
    THelp::ShowContents(this);
}

void TSolitaireForm::Exit1Click() {
    close();
}

QList<QWidget*> TSolitaireForm::ProgramWindows() const {
    QList<QWidget*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = widget->windowType();
        if (widget->isVisible() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop)
            windows.append(widget);
    }
    return windows;
}

void TSolitaireForm::ApplicationMinimize() {
    if (m_minimizing)
        return;
    m_minimizing = true;
    if (m_app.Context().CurrentPrefs().MinimizeToTray && TrayAvailable()) {
        for (QWidget* window : ProgramWindows()) {
            m_hiddenWindows.append(window);
            window->hide();
        }
        m_trayIcon->show();
    } else {
        for (QWidget* window : ProgramWindows()) {
            if (!window->isMinimized())
                window->showMinimized();
        }
    }
    m_minimizing = false;
}

void TSolitaireForm::TrayIconDblClick() {
    const QList<QPointer<QWidget>> windows = std::exchange(m_hiddenWindows, {});
    for (const QPointer<QWidget>& window : windows) {
        if (!window)
            continue;
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
    }
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    if (m_gameWindow && m_gameWindow->isVisible()) {
        m_gameWindow->raise();
        m_gameWindow->activateWindow();
    } else {
        raise();
        activateWindow();
    }
    m_trayIcon->hide();
}

void TSolitaireForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        ApplicationMinimize();
}

bool TSolitaireForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_jester && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Image1Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TSolitaireForm::closeEvent(QCloseEvent* event) {
    if (!CloseAllGameWindows()) {
        event->ignore();
        return;
    }
    WindowPlacement::SavePosition(QStringLiteral("MainWindow"), pos());
    m_trayIcon->hide();
    event->accept();
    emit Closed();
}
