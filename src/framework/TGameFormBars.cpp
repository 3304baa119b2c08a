// What a game window offers beyond its popup menu when the "Show menu bar and
// status line" preference is on: a menu bar of the popup's own items, a status
// line with the deal number, moves and score, Redo, numbered deals and keyboard
// play. With the preference off none of it is in the window.

#include "framework/TGameForm.h"

#include "framework/KeyboardPlay.h"
#include "framework/Modal.h"
#include "framework/SolverLink.h"
#include "framework/TSelectDealDlg.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

namespace {

const QString Redo1 = QStringLiteral("Redo1");
const QString SelectDeal1 = QStringLiteral("SelectDeal1");
const QString Hint1 = QStringLiteral("Hint1");
const QString WinnableOnly1 = QStringLiteral("WinnableOnly1");

} // namespace

void TGameForm::AddBarItems() {
    const auto make = [this](const QString& name, const QString& caption, const QList<QKeySequence>& keys,
                             std::function<void()> handler) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
            // No command acts on a table whose cards are in the air.
            CancelDrags();
            handler();
        });
        m_items.insert(name, action);
        return action;
    };
    make(Redo1, QStringLiteral("Re&do"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
         [this] { Redo1Click(); })
        ->setEnabled(false);
    make(SelectDeal1, QStringLiteral("Select &Deal..."), {QKeySequence(Qt::CTRL | Qt::Key_G)},
         [this] { SelectDeal1Click(); });
    make(Hint1, QStringLiteral("&Hint"), {QKeySequence(Qt::Key_H)}, [this] { m_solver->Hint(); });
    QAction* winnableOnly = make(WinnableOnly1, QStringLiteral("Deal &Winnable Games Only"), {},
                                 [this] { WinnableOnly1Click(); });
    winnableOnly->setCheckable(true);
    m_winnableOnly = ReadOption(QStringLiteral("WinnableOnly"), false);
    winnableOnly->setChecked(m_winnableOnly);
    make(QStringLiteral("Close1"), QStringLiteral("&Close"), {}, [this] { close(); });
    make(QStringLiteral("Contents1"), QStringLiteral("&Contents"), {}, [this] {
        if (m_context.ShowHelpContents)
            m_context.ShowHelpContents(this);
    });
    make(QStringLiteral("AboutQuintaro1"), QStringLiteral("&About Quintaro"), {}, [this] {
        if (m_context.ShowAbout)
            m_context.ShowAbout(this);
    });
}

void TGameForm::ApplyBars(bool on) {
    if (on == m_barsOn)
        return;
    m_barsOn = on;
    const int tableHeight = m_table->height();
    const int barsBefore = BarsHeight();
    QAction* redo = Item(Redo1);
    QAction* selectDeal = Item(SelectDeal1);
    if (on) {
        // Redo right after Undo, Select Deal right after Restart, in the popup as in the menu bar.
        const QList<QAction*> items = m_popup->actions();
        const auto after = [&items](QAction* item) -> QAction* {
            const qsizetype i = items.indexOf(item);
            return i >= 0 && i + 1 < items.size() ? items[i + 1] : nullptr;
        };
        m_popup->insertAction(after(Item(QStringLiteral("Undo1"))), redo);
        m_popup->insertAction(after(m_restartItem), selectDeal);
        addAction(redo);
        addAction(selectDeal);
        addAction(Item(Hint1));
        BuildMenuBar();
        BuildStatusBar();
    } else {
        m_popup->removeAction(redo);
        m_popup->removeAction(selectDeal);
        removeAction(redo);
        removeAction(selectDeal);
        removeAction(Item(Hint1));
        m_solver->Detach();
        delete std::exchange(m_menuBar, nullptr);
        delete std::exchange(m_statusBar, nullptr);
        m_dealLabel = m_movesLabel = m_scoreLabel = nullptr;
    }
    m_keyboard->SetEnabled(on);
    // The table keeps its size; the window grows or shrinks by the bars.
    ApplySizeLimits(isMaximized());
    if (!isMaximized() && !isMinimized())
        resize(width(), tableHeight + BarsHeight());
    else if (m_normalPlace.isValid()) // back from maximized with the same table
        m_normalPlace.setHeight(m_normalPlace.height() - barsBefore + BarsHeight());
    LayoutBars();
    if (m_arraysFilled) {
        ApplyAnchors();
        FormResize();
    }
    RefreshStatus();
}

void TGameForm::BuildMenuBar() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("MenuBar1"));
    QMenu* game = m_menuBar->addMenu(QStringLiteral("&Game"));
    game->setObjectName(QStringLiteral("GameMenu"));
    QMenu* options = m_menuBar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("OptionsMenu"));
    QMenu* help = m_menuBar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));

    // The game's own items, in the popup's order: switches are options, the rest commands.
    const QStringList common = {QStringLiteral("Undo1"),        Redo1,
                                QStringLiteral("Autoplay1"),    SelectDeal1,
                                QStringLiteral("Preferences1"), QStringLiteral("About1"),
                                QStringLiteral("Statistics1")};
    QList<QAction*> commands;
    QList<QAction*> switches;
    for (QAction* item : m_popup->actions()) {
        if (item->isSeparator() || item == m_newGameItem || item == m_restartItem ||
            common.contains(item->objectName()))
            continue;
        (item->isCheckable() ? switches : commands).append(item);
    }
    const auto add = [this](QMenu* menu, const QString& name) {
        if (QAction* item = Item(name))
            menu->addAction(item);
    };
    if (m_newGameItem)
        game->addAction(m_newGameItem);
    if (m_restartItem)
        game->addAction(m_restartItem);
    add(game, SelectDeal1);
    add(game, WinnableOnly1);
    game->addSeparator();
    add(game, QStringLiteral("Undo1"));
    add(game, Redo1);
    add(game, Hint1);
    if (!commands.isEmpty()) {
        game->addSeparator();
        game->addActions(commands);
    }
    game->addSeparator();
    add(game, QStringLiteral("Statistics1"));
    game->addSeparator();
    add(game, QStringLiteral("Close1"));

    add(options, QStringLiteral("Autoplay1"));
    options->addActions(switches);
    if (!options->isEmpty())
        options->addSeparator();
    add(options, QStringLiteral("Preferences1"));

    add(help, QStringLiteral("About1"));
    add(help, QStringLiteral("Contents1"));
    help->addSeparator();
    add(help, QStringLiteral("AboutQuintaro1"));
    m_menuBar->show();
}

void TGameForm::BuildStatusBar() {
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    m_dealLabel = new QLabel(m_statusBar);
    m_dealLabel->setObjectName(QStringLiteral("DealLabel"));
    m_dealLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_statusBar->addWidget(m_dealLabel);
    auto* copy = new QToolButton(m_statusBar);
    copy->setObjectName(QStringLiteral("CopyDealButton"));
    copy->setText(QStringLiteral("Copy deal number"));
    copy->setToolTip(QStringLiteral("Puts the deal number on the clipboard"));
    copy->setAutoRaise(true);
    copy->setFocusPolicy(Qt::NoFocus); // the space bar stays the stock's
    connect(copy, &QToolButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(QString::number(m_dealNumber)); });
    m_statusBar->addWidget(copy);
    m_movesLabel = new QLabel(m_statusBar);
    m_movesLabel->setObjectName(QStringLiteral("MovesLabel"));
    m_statusBar->addPermanentWidget(m_movesLabel);
    m_scoreLabel = new QLabel(m_statusBar);
    m_scoreLabel->setObjectName(QStringLiteral("ScoreLabel"));
    m_statusBar->addPermanentWidget(m_scoreLabel);
    m_solver->Attach(m_statusBar);
    m_statusBar->show();
}

int TGameForm::BarsHeight() const {
    return (m_menuBar ? m_menuBar->sizeHint().height() : 0) +
           (m_statusBar ? m_statusBar->sizeHint().height() : 0);
}

void TGameForm::LayoutBars() {
    int top = 0;
    int bottom = height();
    if (m_menuBar) {
        top = m_menuBar->sizeHint().height();
        m_menuBar->setGeometry(0, 0, width(), top);
    }
    if (m_statusBar) {
        const int h = m_statusBar->sizeHint().height();
        bottom -= h;
        m_statusBar->setGeometry(0, bottom, width(), h);
    }
    m_table->setGeometry(0, top, width(), qMax(0, bottom - top));
}

QString TGameForm::StatusScore() const {
    return QString::number(ComputeScore());
}

void TGameForm::RefreshStatus() {
    if (!m_statusBar)
        return;
    m_dealLabel->setText(QStringLiteral("Deal %1").arg(m_dealNumber));
    m_movesLabel->setText(QStringLiteral("Moves: %1").arg(m_moveCount));
    m_scoreLabel->setText(QStringLiteral("Score: %1").arg(StatusScore()));
    // Options that decide it (a draw count) may have changed with the table.
    Item(WinnableOnly1)->setEnabled(SolverDecidesDeals());
    m_solver->TableChanged();
}

void TGameForm::SelectDeal1Click() {
    TSelectDealDlg dialog(m_dealNumber, this);
    if (Modal::Exec(dialog) != QDialog::Accepted)
        return;
    NewNumberedGame(dialog.Number());
}

void TGameForm::NewNumberedGame(quint32 number) {
    m_nextDeal = number;
    NewGame1Click(m_newGameItem);
    // Refused at the quit question: the next New Game deals from the sequence again.
    m_nextDeal.reset();
}
