#include "shell/TPreferencesDlg.h"

#include "cards/Resources.h"
#include "cards/TCard.h"
#include "framework/Messages.h"
#include "framework/Modal.h"
#include "framework/TSoundManager.h"
#include "shell/PictureLoader.h"
#include "shell/TTipsForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

const QString kNone = QStringLiteral("None");

TPreferencesDlg::DisplayProbe& Probe() {
    static TPreferencesDlg::DisplayProbe probe;
    return probe;
}

int ScreenDepth() {
    if (Probe().Depth)
        return Probe().Depth();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

int ScreenWidth() {
    if (Probe().Width)
        return Probe().Width();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

// Colours are stored as 0x00BBGGRR.
QColor ToQColor(int color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}
int FromQColor(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

// The picture drawn for the screen's density.
QImage Picture(const QString& name, qreal ratio) {
    return Resources::Exists(name) ? Resources::Picture(name, ratio) : QImage();
}

// A card picture as the table shows it: its corners, transparent in its alpha
// channel or in the colour of the bottom-left pixel, are left out.
QPixmap CardPicture(const QImage& card) {
    QPixmap picture = QPixmap::fromImage(card);
    if (!card.isNull() && !card.hasAlphaChannel())
        picture.setMask(picture.createMaskFromColor(card.pixelColor(0, card.height() - 1), Qt::MaskInColor));
    return picture;
}

// Fits a picture into a label of fixed size without enlarging it, at the
// label's density.
QPixmap FitInto(const QImage& image, const QSize& box, qreal ratio) {
    if (image.isNull())
        return {};
    const QSizeF size = image.deviceIndependentSize();
    if (size.width() <= box.width() && size.height() <= box.height())
        return QPixmap::fromImage(image);
    QImage fitted = image.scaled(box * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(fitted);
}

QColor DefaultChooseColor(QWidget* parent, const QColor& initial) {
    QColorDialog dialog(initial, parent);
    if (Modal::Exec(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedColor();
}

QString DefaultChooseFile(QWidget* parent, const TPreferencesDlg::FileRequest& request) {
    QFileDialog dialog(parent, QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(request.Filters);
    dialog.selectNameFilter(request.SelectedFilter);
    if (!request.Directory.isEmpty())
        dialog.setDirectory(request.Directory);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    if (Modal::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

// Shows the hourglass for the lifetime of the guard.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QLabel* MakeLabel(const QString& text, QWidget* parent, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QRadioButton* AddRadio(QButtonGroup* group, QGroupBox* box, const QString& text, int id, int y) {
    auto* button = new QRadioButton(text, box);
    button->setGeometry(12, y, box->width() - 20, 22);
    group->addButton(button, id);
    return button;
}

} // namespace

void TPreferencesDlg::SetDisplayProbe(DisplayProbe probe) {
    Probe() = std::move(probe);
}

const QString& TPreferencesDlg::FileFilter() {
    static const QString filter =
        QStringLiteral("Images (*.bmp;*.jpeg;*.jpg;*.pcx)|*.bmp;*.jpeg;*.jpg;*.pcx|All Files (*.*)|*.*");
    return filter;
}

QStringList TPreferencesDlg::ToQtFilters(const QString& classicFilter) {
    // "Description (shown)|pattern;pattern|..." pairs become "Description (pattern pattern)";
    // "*.*" becomes "*" so that names without a dot are listed too.
    QStringList filters;
    const QStringList parts = classicFilter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        const int paren = description.indexOf(QLatin1Char('('));
        if (paren >= 0)
            description = description.left(paren);
        description = description.trimmed();
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        }
        filters.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')'));
    }
    return filters;
}

TPreferencesDlg::TPreferencesDlg(TSoundManager* sound, QWidget* parent)
    : QDialog(parent), m_sound(sound), m_fileChooser(DefaultChooseFile), m_colorChooser(DefaultChooseColor) {
    setObjectName(QStringLiteral("PreferencesDlg"));
    setWindowTitle(QStringLiteral("Quintaro Preferences"));
    setFixedSize(389, 272);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PrefPageControl"));
    m_pages->setGeometry(8, 8, 373, 224);
    const auto addPage = [this](const QString& name, const QString& caption) {
        auto* page = new QWidget;
        page->setObjectName(name);
        m_pages->addTab(page, caption);
        return page;
    };
    BuildCardBackPage(addPage(QStringLiteral("CardBackSheet"), QStringLiteral("Card Back")));
    BuildCardSizePage(addPage(QStringLiteral("CardSizeSheet"), QStringLiteral("Card Size")));
    BuildBackgroundPage(addPage(QStringLiteral("BackgroundSheet"), QStringLiteral("Game Background")));
    BuildOtherPage(addPage(QStringLiteral("OtherSheet"), QStringLiteral("Other")));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    ok->setGeometry(226, 240, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));
    help->setGeometry(306, 240, 75, 25);
    connect(help, &QPushButton::clicked, this, &TPreferencesDlg::HelpBtnClick);

    m_profile.SetFileName(QStringLiteral("Solitaire.ini"));
    m_profile.SetDefaultText(kNone);
    m_profile.SetSection(QStringLiteral("Preferences"));

    // 1. The display; the solid colour starts as the panel's own colour.
    m_lowColor = ScreenDepth() <= 8;
    m_prefs.BackgroundColor = TPreferences::DarkGreen;

    // 2. The built-in backs.
    const QString lowSuffix = m_lowColor ? QStringLiteral("_16") : QString();
    for (int i = 0; i < 3; ++i)
        m_backImages[i]->setPixmap(CardPicture(Picture(QStringLiteral("FS_BACK%1").arg(i + 1) + lowSuffix,
                                                       m_lowColor ? 1.0 : devicePixelRatioF())));

    // 3. - 8. The stored values, each within its range.
    const Preferences::TStored stored = Preferences::Read(m_profile.FileName());
    const TPreferences& values = stored.Values;
    m_prefs.BackIndex = values.BackIndex;
    TCard::SetBackIndex(m_prefs.BackIndex);
    m_backButtons[m_prefs.BackIndex]->setChecked(true);

    // 4. The card size; a first start picks it from the screen and keeps it.
    if (stored.HasCardSize) {
        m_prefs.CardSize = values.CardSize;
    } else {
        m_prefs.CardSize = ScreenWidth() > 800 ? 1 : 0;
        m_profile.SetEntry(QStringLiteral("CardSize"));
        m_profile.SetValue(m_prefs.CardSize);
    }
    m_cardSizeButtons->button(m_prefs.CardSize)->setChecked(true);
    TCard::SetCardSize(m_prefs.CardSize == 0 ? FS_SMALL : FS_LARGE, m_lowColor);
    m_openCardSize = m_prefs.CardSize;

    // 5. Background kind and gradient direction.
    SetBackgroundIndex(values.BackgroundIndex);
    m_prefs.GradientIndex = values.GradientIndex;
    m_gradientButtons->button(m_prefs.GradientIndex)->setChecked(true);

    // 6. Colours.
    m_prefs.BackgroundColor = values.BackgroundColor;
    m_prefs.GradientStartColor = values.GradientStartColor;
    m_prefs.GradientEndColor = values.GradientEndColor;
    PaintPanel(m_solidPanel, m_prefs.BackgroundColor);
    PaintPanel(m_startPanel, m_prefs.GradientStartColor);
    PaintPanel(m_endPanel, m_prefs.GradientEndColor);

    // 7. The switches.
    m_prefs.DoAnimation = values.DoAnimation;
    m_prefs.DoSound = values.DoSound;
    m_prefs.VegasScoring = values.VegasScoring;
    m_prefs.MinimizeToTray = values.MinimizeToTray;
    m_prefs.SmartDragging = values.SmartDragging;
    m_prefs.ShowTips = values.ShowTips;
    m_animationCheck->setChecked(m_prefs.DoAnimation);
    m_soundCheck->setChecked(m_prefs.DoSound);
    m_vegasCheck->setChecked(m_prefs.VegasScoring);
    m_minimizeCheck->setChecked(m_prefs.MinimizeToTray);
    m_smartCheck->setChecked(m_prefs.SmartDragging);
    m_tipsCheck->setChecked(m_prefs.ShowTips);
    m_prefs.ShowMenuBar = values.ShowMenuBar;
    m_menuBarCheck->setChecked(m_prefs.ShowMenuBar);

    // 8. The colour dialog's custom colours.
    if (stored.CustomColors)
        ReadCustomColors(*stored.CustomColors);

    if (!m_lowColor) {
        // 9. The player's pictures.
        if (stored.CustomImage)
            LoadCustomBack(*stored.CustomImage, m_prefs.BackIndex == 3, true);
        if (stored.BackgroundImage)
            LoadBackgroundPicture(*stored.BackgroundImage);
    } else {
        // 10. Pictures of the player's own are not offered on a 256-colour display.
        m_browseButton->setEnabled(false);
        m_browseButton->setToolTip(QStringLiteral("Not available for\n256 color displays"));
        if (m_prefs.BackIndex == 3) {
            m_prefs.BackIndex = 0;
            TCard::SetBackIndex(0);
            m_backButtons[0]->setChecked(true);
            m_backButtons[3]->setEnabled(false);
        }
        if (m_prefs.BackgroundIndex != 0) {
            SetBackgroundIndex(0);
            m_backgroundGroup->hide();
        }
    }
    // A custom back chosen without a picture to show would draw empty cards.
    if (m_prefs.BackIndex == 3 && !m_backButtons[3]->isEnabled()) {
        m_prefs.BackIndex = 0;
        TCard::SetBackIndex(0);
        m_backButtons[0]->setChecked(true);
    }

    // 11. The start-up sound follows the sound preference just read.
    if (m_sound) {
        m_sound->SetEnabled(
            [dialog = QPointer<TPreferencesDlg>(this)] { return !dialog || dialog->m_prefs.DoSound; });
        m_sound->PlayOpen();
    }
    CardSizeRadioGroupClick();

    // 12. The tip of the day.
    if (m_prefs.ShowTips) {
        TTipsForm tips(parentWidget());
        Modal::Exec(tips);
        m_prefs.ShowTips = tips.ShowAtStartup();
        m_profile.SetEntry(QStringLiteral("ShowTips"));
        m_profile.SetState(m_prefs.ShowTips);
        m_tipsCheck->setChecked(m_prefs.ShowTips);
    }
}

TPreferencesDlg::~TPreferencesDlg() = default;

void TPreferencesDlg::BuildCardBackPage(QWidget* page) {
    for (int i = 0; i < 4; ++i) {
        const int x = 10 + i * 88;
        auto* image = new QLabel(page);
        image->setObjectName(QStringLiteral("CardBackImage%1").arg(i + 1));
        image->setGeometry(x, 8, TCard::LargeWidth, TCard::LargeHeight);
        image->setAlignment(Qt::AlignCenter);
        image->setToolTip(QStringLiteral("Select the card back to use"));
        image->installEventFilter(this);
        m_backImages[i] = image;

        auto* button = new QRadioButton(page);
        button->setObjectName(QStringLiteral("CardBackRdBtn%1").arg(i + 1));
        button->setGeometry(x + 32, 136, 20, 20);
        button->setToolTip(QStringLiteral("Select the card back to use"));
        m_backButtons[i] = button;
    }
    m_backButtons[3]->setEnabled(false);

    MakeLabel(QStringLiteral("Browse to select a Custom Image"), page, QRect(10, 166, 250, 20))
        ->setObjectName(QStringLiteral("BrowseLabel"));
    m_browseButton = new QPushButton(QStringLiteral("Browse..."), page);
    m_browseButton->setObjectName(QStringLiteral("BrowseButton"));
    m_browseButton->setGeometry(274, 163, 80, 25);
    m_browseButton->setToolTip(
        QStringLiteral("Click to browse the file system and\nfind a custom card back image"));
    connect(m_browseButton, &QPushButton::clicked, this, [this] { BrowseButtonClick(true); });
}

void TPreferencesDlg::BuildCardSizePage(QWidget* page) {
    m_cardSizeGroup = new QGroupBox(page);
    m_cardSizeGroup->setObjectName(QStringLiteral("CardSizeRadioGroup"));
    m_cardSizeGroup->setGeometry(10, 8, 150, 72);
    m_cardSizeGroup->setToolTip(
        QStringLiteral("This preference does not take effect until\nthe current game window is closed"));
    m_cardSizeButtons = new QButtonGroup(this);
    AddRadio(m_cardSizeButtons, m_cardSizeGroup, QStringLiteral("Small cards"), 0, 14);
    AddRadio(m_cardSizeButtons, m_cardSizeGroup, QStringLiteral("Large cards"), 1, 40);
    connect(m_cardSizeButtons, &QButtonGroup::idClicked, this, [this] { CardSizeRadioGroupClick(); });

    auto* note = MakeLabel(
        QStringLiteral("This preference does not take effect until the current game window is closed."), page,
        QRect(10, 90, 150, 80));
    note->setObjectName(QStringLiteral("CardSizeNote"));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_cardPreview = new QLabel(page);
    m_cardPreview->setObjectName(QStringLiteral("CardPrevImage"));
    m_cardPreview->setGeometry(170, 8, 186, 180);
    m_cardPreview->setAlignment(Qt::AlignCenter);
}

QFrame* TPreferencesDlg::MakeColorPanel(QWidget* parent, const QString& name, const QString& hint) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    panel->setCursor(Qt::PointingHandCursor);
    panel->setToolTip(hint);
    panel->installEventFilter(this);
    return panel;
}

void TPreferencesDlg::PaintPanel(QFrame* panel, int color) {
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    panel->setPalette(palette);
}

void TPreferencesDlg::BuildBackgroundPage(QWidget* page) {
    m_backgroundGroup = new QGroupBox(QStringLiteral(" Select Type "), page);
    m_backgroundGroup->setObjectName(QStringLiteral("BackgroundRadioGroup"));
    m_backgroundGroup->setGeometry(8, 8, 140, 104);
    m_backgroundButtons = new QButtonGroup(this);
    AddRadio(m_backgroundButtons, m_backgroundGroup, QStringLiteral("Solid Color"), 0, 22);
    AddRadio(m_backgroundButtons, m_backgroundGroup, QStringLiteral("Gradient Colors"), 1, 48);
    AddRadio(m_backgroundButtons, m_backgroundGroup, QStringLiteral("Tiled Image"), 2, 74);
    connect(m_backgroundButtons, &QButtonGroup::idClicked, this, [this] { BackgroundRadioGroupClick(); });

    // One inner page per kind; only the kind selector switches between them.
    m_backgroundPages = new QStackedWidget(page);
    m_backgroundPages->setObjectName(QStringLiteral("BackgroundPageControl"));
    m_backgroundPages->setGeometry(154, 4, 206, 188);

    auto* solid = new QWidget;
    solid->setObjectName(QStringLiteral("SolidSheet"));
    MakeLabel(QStringLiteral("Select Solid Color"), solid, QRect(8, 8, 190, 20));
    m_solidPanel = MakeColorPanel(solid, QStringLiteral("SolidColorPanel"),
                                  QStringLiteral("Click for a dialog to select a new color"));
    m_solidPanel->setGeometry(8, 32, 80, 50);
    m_backgroundPages->addWidget(solid);

    auto* gradient = new QWidget;
    gradient->setObjectName(QStringLiteral("GradientSheet"));
    auto* direction = new QGroupBox(QStringLiteral(" Direction "), gradient);
    direction->setObjectName(QStringLiteral("GradientRadioGroup"));
    direction->setGeometry(4, 4, 196, 76);
    m_gradientButtons = new QButtonGroup(this);
    AddRadio(m_gradientButtons, direction, QStringLiteral("Vertical Gradient"), 0, 22);
    AddRadio(m_gradientButtons, direction, QStringLiteral("Horizontal Gradient"), 1, 48);
    connect(m_gradientButtons, &QButtonGroup::idClicked, this, [this] { GradientRadioGroupClick(); });
    const QString hint = QStringLiteral("Click for a dialog to select a color");
    auto* startLabel = MakeLabel(QStringLiteral("Select Starting Color"), gradient, QRect(4, 88, 96, 34));
    startLabel->setWordWrap(true);
    m_startPanel = MakeColorPanel(gradient, QStringLiteral("StartColorPanel"), hint);
    m_startPanel->setGeometry(4, 124, 80, 40);
    auto* endLabel = MakeLabel(QStringLiteral("Select Ending Color"), gradient, QRect(106, 88, 96, 34));
    endLabel->setWordWrap(true);
    m_endPanel = MakeColorPanel(gradient, QStringLiteral("EndColorPanel"), hint);
    m_endPanel->setGeometry(106, 124, 80, 40);
    m_backgroundPages->addWidget(gradient);

    auto* picture = new QWidget;
    picture->setObjectName(QStringLiteral("PictureSheet"));
    m_backgroundImage = new QLabel(picture);
    m_backgroundImage->setObjectName(QStringLiteral("BackgroundImage"));
    m_backgroundImage->setGeometry(8, 8, 120, 120);
    m_backgroundImage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_backgroundImage->setAlignment(Qt::AlignCenter);
    m_backgroundHint =
        MakeLabel(QStringLiteral("Browse to select an Image"), picture, QRect(14, 48, 108, 40));
    m_backgroundHint->setObjectName(QStringLiteral("BackgroundBrowseLabel"));
    m_backgroundHint->setWordWrap(true);
    m_backgroundHint->setAlignment(Qt::AlignCenter);
    m_backgroundBrowse = new QPushButton(QStringLiteral("Browse..."), picture);
    m_backgroundBrowse->setObjectName(QStringLiteral("Button1"));
    m_backgroundBrowse->setGeometry(8, 138, 80, 25);
    m_backgroundBrowse->setToolTip(
        QStringLiteral("Click to browse the file system and\nfind a custom background image"));
    connect(m_backgroundBrowse, &QPushButton::clicked, this, [this] { BrowseButtonClick(false); });
    m_backgroundPages->addWidget(picture);

    PaintPanel(m_solidPanel, m_prefs.BackgroundColor);
    PaintPanel(m_startPanel, m_prefs.GradientStartColor);
    PaintPanel(m_endPanel, m_prefs.GradientEndColor);
}

void TPreferencesDlg::BuildOtherPage(QWidget* page) {
    const auto addCheck = [page](const QString& name, const QString& caption, int row) {
        auto* check = new QCheckBox(caption, page);
        check->setObjectName(name);
        check->setGeometry(16, 10 + row * 26, 330, 22);
        return check;
    };
    m_animationCheck =
        addCheck(QStringLiteral("AnimationCheckBox"), QStringLiteral("Perform Animation on Deals"), 0);
    m_soundCheck = addCheck(QStringLiteral("SoundCheckBox"), QStringLiteral("Enable Sounds"), 1);
    m_vegasCheck =
        addCheck(QStringLiteral("VegasCheckBox"), QStringLiteral("Vegas Scoring (Klondike only)"), 2);
    m_minimizeCheck =
        addCheck(QStringLiteral("MinimizeCheckBox"), QStringLiteral("Minimize to Tray in Taskbar"), 3);
    m_smartCheck = addCheck(QStringLiteral("SmartCheckBox"), QStringLiteral("Enable \"Smart Dragging\""), 4);
    m_tipsCheck = addCheck(QStringLiteral("TipsCheckBox"), QStringLiteral("Show \"Tips\" at Startup"), 5);
    m_menuBarCheck =
        addCheck(QStringLiteral("MenuBarCheckBox"), QStringLiteral("Show menu bar and status line"), 6);
}

void TPreferencesDlg::SetFileChooser(FileChooser chooser) {
    m_fileChooser = chooser ? std::move(chooser) : FileChooser(DefaultChooseFile);
}

void TPreferencesDlg::SetColorChooser(ColorChooser chooser) {
    m_colorChooser = chooser ? std::move(chooser) : ColorChooser(DefaultChooseColor);
}

void TPreferencesDlg::ReadCustomColors(const QString& text) {
    // One comma-separated text of "ColorA=BBGGRR" items (hexadecimal), as the
    // colour dialog's custom colours have always been kept.
    m_prefs.CustomColors = text;
    const QStringList items = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (int i = 0; i < items.size(); ++i) {
        const QString item = items.at(i).trimmed();
        int slot = i;
        bool ok = false;
        int color = 0;
        const int equals = item.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            const QString name = item.left(equals).trimmed();
            if (name.size() == 6 && name.startsWith(QStringLiteral("Color"), Qt::CaseInsensitive))
                slot = name.at(5).toUpper().unicode() - 'A';
            color = item.mid(equals + 1).trimmed().toInt(&ok, 16);
        } else {
            color = ProfileText::ToColor(item, &ok);
        }
        if (ok && slot >= 0 && slot < QColorDialog::customCount())
            QColorDialog::setCustomColor(slot, ToQColor(color));
    }
}

void TPreferencesDlg::WriteCustomColors() {
    QStringList items;
    for (int i = 0; i < QColorDialog::customCount(); ++i) {
        const int color = FromQColor(QColorDialog::customColor(i));
        items.append(QStringLiteral("Color") + QChar('A' + i) + QLatin1Char('=') +
                     QString::number(color, 16).toUpper().rightJustified(6, QLatin1Char('0')));
    }
    m_prefs.CustomColors = items.join(QLatin1Char(','));
    m_profile.SetEntry(QStringLiteral("CustomColors"));
    m_profile.SetText(m_prefs.CustomColors);
}

int TPreferencesDlg::CheckedBackIndex() const {
    for (int i = 0; i < 4; ++i)
        if (m_backButtons[i]->isChecked())
            return i;
    return 0;
}

int TPreferencesDlg::ShowModal() {
    m_openCardSize = m_prefs.CardSize;
    m_opened = m_prefs;
    const int result = Modal::Exec(*this);
    FormClose();
    return result;
}

void TPreferencesDlg::FormClose() {
    m_prefs.BackIndex = CheckedBackIndex();
    TCard::SetBackIndex(m_prefs.BackIndex);
    m_prefs.DoAnimation = m_animationCheck->isChecked();
    m_prefs.DoSound = m_soundCheck->isChecked();
    m_prefs.VegasScoring = m_vegasCheck->isChecked();
    m_prefs.MinimizeToTray = m_minimizeCheck->isChecked();
    m_prefs.SmartDragging = m_smartCheck->isChecked();
    m_prefs.ShowTips = m_tipsCheck->isChecked();
    m_prefs.ShowMenuBar = m_menuBarCheck->isChecked();
    m_prefs.CardSize = m_cardSizeButtons->checkedId() == 0 ? 0 : 1;

    // Only what the player changed here is written: a key left alone keeps what another
    // running program may have saved in the meantime.
    Preferences::WriteBack(m_profile.FileName(), m_opened, m_prefs);

    if (m_prefs.CardSize != m_openCardSize)
        m_cardSizeChanged = true;
}

void TPreferencesDlg::ColorButtonClick(QFrame* panel) {
    int& value = panel == m_solidPanel   ? m_prefs.BackgroundColor
                 : panel == m_startPanel ? m_prefs.GradientStartColor
                                         : m_prefs.GradientEndColor;
    const QColor chosen = m_colorChooser(this, ToQColor(value));
    if (chosen.isValid()) {
        value = FromQColor(chosen);
        PaintPanel(panel, value);
    }
    WriteCustomColors();
}

void TPreferencesDlg::SetBackgroundIndex(int index) {
    m_backgroundButtons->button(index)->setChecked(true);
    BackgroundRadioGroupClick();
}

void TPreferencesDlg::BackgroundRadioGroupClick() {
    m_prefs.BackgroundIndex = std::max(0, m_backgroundButtons->checkedId());
    m_backgroundPages->setCurrentIndex(m_prefs.BackgroundIndex);
}

void TPreferencesDlg::GradientRadioGroupClick() {
    m_prefs.GradientIndex = std::max(0, m_gradientButtons->checkedId());
}

void TPreferencesDlg::CardSizeRadioGroupClick() {
    const bool small = m_cardSizeButtons->checkedId() == 0;
    const QString name = small        ? QStringLiteral("SMALLPREV")
                         : m_lowColor ? QStringLiteral("LARGEPREV_256")
                                      : QStringLiteral("LARGEPREV");
    const QImage preview = Picture(name, devicePixelRatioF());
    m_cardPreview->setPixmap(FitInto(preview, m_cardPreview->size(), devicePixelRatioF()));
}

void TPreferencesDlg::BrowseButtonClick(bool cardBack) {
    static const QStringList imageSuffixes{
        QStringLiteral(".BMP"), QStringLiteral(".bmp"), QStringLiteral(".JPEG"), QStringLiteral(".jpeg"),
        QStringLiteral(".JPG"), QStringLiteral(".jpg"), QStringLiteral(".PCX"),  QStringLiteral(".pcx")};
    FileRequest request;
    request.Filters = ToQtFilters(FileFilter());
    request.SelectedFilter = request.Filters.constFirst();
    const QString stored = cardBack ? m_prefs.CustomImage : m_prefs.BackgroundImage;
    const QFileInfo info(stored);
    if (!stored.isEmpty() && info.isFile()) {
        request.Directory = info.absolutePath();
        request.FileName = info.fileName();
        if (!imageSuffixes.contains(QLatin1Char('.') + info.suffix()))
            request.SelectedFilter = request.Filters.constLast();
    }
    const QString chosen = m_fileChooser(this, request);
    if (chosen.isEmpty())
        return;
    if (cardBack)
        LoadCustomBack(chosen, true, false);
    else
        LoadBackgroundPicture(chosen);
}

void TPreferencesDlg::HelpBtnClick() {
    if (m_helpHook)
        m_helpHook(HelpContext);
}

void TPreferencesDlg::DropCustomBack() {
    m_backButtons[3]->setEnabled(false);
    m_backImages[3]->clear();
    m_profile.SetEntry(QStringLiteral("CustomImage"));
    m_profile.SetText(kNone);
    m_prefs.CustomImage.clear();
    if (m_prefs.BackIndex == 3 || m_backButtons[3]->isChecked()) {
        m_backButtons[0]->setChecked(true);
        if (m_prefs.BackIndex == 3) {
            m_prefs.BackIndex = 0;
            TCard::SetBackIndex(0);
        }
    }
}

void TPreferencesDlg::LoadCustomBack(const QString& path, bool apply, bool silent) {
    if (!QFileInfo(path).isFile()) {
        DropCustomBack();
        TMessages::Instance().Warning(this, "The custom card back image " + path + " was not found.");
        return;
    }
    if (PictureLoader::IsGifName(path)) {
        DropCustomBack();
        if (!silent)
            TMessages::Instance().Error(this, QStringLiteral("GIF images are not supported."));
        return;
    }

    PictureLoader::Status status;
    QImage back;
    {
        WaitCursor busy;
        const PictureLoader::Result picture = PictureLoader::Load(path);
        status = picture.status;
        if (status == PictureLoader::Status::Ok) {
            const bool small = TCard::GetCardSize() == FS_SMALL;
            const QString border = small ? QStringLiteral("sBORDER") : QStringLiteral("BORDER");
            const QString name = Resources::Exists(border) ? border : QStringLiteral("FS_") + border;
            if (Resources::Exists(name)) {
                const QRect inner =
                    small ? QRect(QPoint(4, 4), QPoint(56, 90)) : QRect(QPoint(5, 5), QPoint(74, 119));
                // Composed at the density of the card faces, the player's
                // picture scaled smoothly into the blank.
                const qreal ratio = m_lowColor ? 1.0 : TCard::DevicePixelRatio();
                const int scale = Resources::BestScale(name, ratio);
                const QImage blank = Resources::Image(Resources::ScaledName(name, scale));
                back = Resources::Resized(PictureLoader::ComposeOnBorder(blank, inner, picture.image), scale,
                                          scale == 1 ? 1.0 : ratio);
            }
        }
    }
    if (back.isNull()) {
        DropCustomBack();
        // Unlike a missing file, an unreadable one is not otherwise explained to the player.
        if (!silent)
            TMessages::Instance().Error(this, PictureLoader::Explain(status, path));
        return;
    }

    m_backImages[3]->setPixmap(CardPicture(back));
    TCard::SetCustomBack(back);
    m_profile.SetEntry(QStringLiteral("CustomImage"));
    m_profile.SetText(path);
    m_prefs.CustomImage = path;
    m_backButtons[3]->setEnabled(true);
    if (apply) {
        m_backButtons[3]->setChecked(true);
        m_prefs.BackIndex = 3;
        TCard::SetBackIndex(3);
    }
}

void TPreferencesDlg::LoadBackgroundPicture(const QString& path) {
    const auto drop = [this] {
        m_profile.SetEntry(QStringLiteral("BackgroundImage"));
        m_profile.SetText(kNone);
        m_prefs.BackgroundImage.clear();
        m_backgroundPicture = QImage();
        m_backgroundImage->clear();
        m_backgroundHint->show();
    };
    if (!QFileInfo(path).isFile()) {
        drop();
        SetBackgroundIndex(0);
        TMessages::Instance().Warning(this, "The game background image " + path + " was not found.");
        return;
    }
    if (PictureLoader::IsGifName(path)) {
        drop();
        TMessages::Instance().Error(this, QStringLiteral("GIF images are not supported."));
        return;
    }

    PictureLoader::Result picture;
    {
        WaitCursor busy;
        picture = PictureLoader::Load(path);
    }
    if (picture.status != PictureLoader::Status::Ok) {
        drop();
        TMessages::Instance().Error(this, PictureLoader::Explain(picture.status, path));
        return;
    }
    m_backgroundPicture = picture.image;
    m_backgroundImage->setPixmap(
        FitInto(m_backgroundPicture, m_backgroundImage->contentsRect().size(), devicePixelRatioF()));
    m_profile.SetEntry(QStringLiteral("BackgroundImage"));
    m_profile.SetText(path);
    m_prefs.BackgroundImage = path;
    m_backgroundHint->hide();
}

void TPreferencesDlg::RefreshCustomBack() {
    if (m_lowColor || !m_cardSizeChanged)
        return;
    const QString path = m_profile.Read(QStringLiteral("CustomImage"));
    if (path != kNone)
        LoadCustomBack(path, m_prefs.BackIndex == 3, false);
}

void TPreferencesDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        HelpBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TPreferencesDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_solidPanel || watched == m_startPanel || watched == m_endPanel) {
            ColorButtonClick(static_cast<QFrame*>(watched));
            return true;
        }
        // A click on a back picture chooses it, as a click on its button would.
        for (int i = 0; i < 4; ++i) {
            if (watched == m_backImages[i] && m_backButtons[i]->isEnabled()) {
                m_backButtons[i]->setChecked(true);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
