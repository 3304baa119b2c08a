#include "shell/TInfoBox.h"

#include "cards/Resources.h"
#include "framework/TSoundManager.h"
#include "shell/ScreenCentre.h"
#include "shell/THelp.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr QSize JesterSize(66, 90);
constexpr QSize PictureSize(306, 279);

QPointer<TInfoBox>& Current() {
    static QPointer<TInfoBox> box;
    return box;
}

int& StepCounter() {
    static int step = 0;
    return step;
}

// A missing picture must not keep the box from opening: a plain stand-in of
// the expected size takes its place.
QImage LoadPicture(const QString& name, QSize size, qreal ratio) {
    if (Resources::Exists(name)) {
        const QImage image = Resources::Picture(name, ratio);
        if (!image.isNull())
            return image;
    }
    QImage blank(size, QImage::Format_RGB32);
    blank.fill(QColor(192, 192, 192));
    return blank;
}

QFont ArialPixels(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* TextLine(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* LinkLine(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                 int helpContext) {
    QLabel* label =
        TextLine(parent, name, QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()), geometry);
    label->setTextFormat(Qt::RichText);
    label->setCursor(Qt::PointingHandCursor);
    QObject::connect(label, &QLabel::linkActivated, parent,
                     [parent, helpContext] { THelp::ShowTopic(parent, helpContext); });
    return label;
}

} // namespace

TInfoBox* TInfoBox::ShowInfoBox(QWidget* parent, bool lowColor, TSoundManager* sounds) {
    TInfoBox* box = Current();
    if (!box) {
        box = new TInfoBox(parent, lowColor, sounds);
        Current() = box;
        // On the screen, not over the selector, which may sit at its edge.
        CentreOnScreen(box, parent);
    }
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

TInfoBox* TInfoBox::Instance() {
    return Current();
}

int TInfoBox::Step() {
    return StepCounter();
}

TInfoBox::TInfoBox(QWidget* parent, bool lowColor, TSoundManager* sounds) : QDialog(parent) {
    setObjectName(QStringLiteral("InfoBox"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About Quintaro!"));
    setWindowFlags((windowFlags() | Qt::Dialog) & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(539, 316);
    setFont(ArialPixels(12));

    const qreal ratio = devicePixelRatioF();
    if (lowColor) {
        // Only one picture suits a 256-colour display, so the jester stands still.
        const QImage still = LoadPicture(QStringLiteral("JESTER1_256"), JesterSize, 1.0);
        m_frames = {still, still, still};
    } else {
        m_frames = {LoadPicture(QStringLiteral("JESTER1"), JesterSize, ratio),
                    LoadPicture(QStringLiteral("JESTER2"), JesterSize, ratio),
                    LoadPicture(QStringLiteral("JESTER3"), JesterSize, ratio)};
    }

    // The jester's own background colour becomes the window's, so the picture
    // has no visible edge.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, m_frames[FrameB].pixelColor(0, 0));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* memo = new QLabel(QStringLiteral("Quintaro Version 1.1"), this);
    memo->setObjectName(QStringLiteral("Memo1"));
    memo->setGeometry(0, 4, 539, 24);
    memo->setAlignment(Qt::AlignCenter);
    memo->setFont(ArialPixels(19, true));
    memo->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::HLine);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(0, 29, 539, 2);

    m_image1 = new QLabel(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(QRect(QPoint(9, 36), JesterSize));
    m_image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ShowFrame(FrameB);

    auto* image2 = new QLabel(this);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setGeometry(QRect(QPoint(224, 32), PictureSize));
    image2->setPixmap(QPixmap::fromImage(LoadPicture(QStringLiteral("INFOPIC"), PictureSize, ratio)));

    TextLine(this, "Label1", QStringLiteral("Quintaro \u2014 twelve patience games"), QRect(84, 40, 134, 36))
        ->setFont(ArialPixels(13, true));
    TextLine(this, "Label2",
             QStringLiteral("Written in C++ with Qt %1.").arg(QString::fromLatin1(qVersion())),
             QRect(84, 82, 134, 36));
    TextLine(this, "Label3",
             QStringLiteral("Every card, picture and sound is drawn or composed by the program itself."),
             QRect(9, 138, 208, 48));
    TextLine(this, "Label4", QStringLiteral("Ideas and reports are welcome: write to the Quintaro project."),
             QRect(9, 190, 208, 36));
    LinkLine(this, "URLLabel1", QStringLiteral("Rules of the games..."), QRect(9, 232, 208, 18),
             THelp::Contents);
    LinkLine(this, "URLLabel2", QStringLiteral("Preferences and settings..."), QRect(9, 254, 208, 18),
             THelp::Preferences);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(72, 282, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(400);
    connect(m_timer, &QTimer::timeout, this, &TInfoBox::Timer1Timer);
    m_timer->start();

    if (sounds)
        sounds->PlayJester();
}

TInfoBox::~TInfoBox() {
    if (Current() == this)
        Current() = nullptr;
}

void TInfoBox::Timer1Timer() {
    static constexpr std::array<Frame, 4> swing{FrameC, FrameB, FrameA, FrameB};
    int& step = StepCounter();
    ShowFrame(swing[step % 4]);
    step = (step + 1) % 4;
}

void TInfoBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TInfoBox::ShowFrame(Frame frame) {
    m_current = frame;
    m_image1->setPixmap(QPixmap::fromImage(m_frames[frame]));
}
