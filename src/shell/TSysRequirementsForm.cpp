#include "shell/TSysRequirementsForm.h"

#include "framework/Modal.h"
#include "framework/core/GameTable.h"
#include "shell/THelp.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TSysRequirementsForm::TSysRequirementsForm(std::function<void(QWidget*)> showPreferences, QWidget* parent)
    : QDialog(parent), m_showPreferences(std::move(showPreferences)) {
    setObjectName(QStringLiteral("SysRequirementsForm"));
    setWindowTitle(QStringLiteral("Quintaro!"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(313, 297);
    setFont(QFont(QStringLiteral("Arial")));

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 297, 247);

    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(8, 8, 72, 104);

    auto* title = new QLabel(QStringLiteral("System\nRequirements"), panel);
    title->setObjectName(QStringLiteral("TitleLabel"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(32);
    title->setFont(titleFont);
    title->setGeometry(86, 16, 205, 88);

    m_messageLabel = new QLabel(panel);
    m_messageLabel->setObjectName(QStringLiteral("MessageLabel"));
    m_messageLabel->setGeometry(8, 112, 281, 97);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_prefButton = new QPushButton(QStringLiteral("Preferences..."), panel);
    m_prefButton->setObjectName(QStringLiteral("PrefButton"));
    m_prefButton->setGeometry(8, 214, 100, 25);
    m_prefButton->setAutoDefault(false);
    connect(m_prefButton, &QPushButton::clicked, this, &TSysRequirementsForm::PrefButtonClick);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OKButton"));
    m_okButton->setGeometry(148, 264, 75, 25);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);

    m_helpButton = new QPushButton(QStringLiteral("&Help"), this);
    m_helpButton->setObjectName(QStringLiteral("HelpBtn"));
    m_helpButton->setGeometry(230, 264, 75, 25);
    m_helpButton->setAutoDefault(false);
    connect(m_helpButton, &QPushButton::clicked, this, &TSysRequirementsForm::HelpBtnClick);
}

QString TSysRequirementsForm::MessageText(int gameIndex, bool largeCards) {
    const TGameInfo& game = GameTable()[gameIndex];
    const QString name = QString::fromUtf8(game.GameName);
    if (!largeCards)
        return name + QStringLiteral(" requires at least SVGA (800x600) desktop ") +
               QStringLiteral("area to play.\n\n") + QStringLiteral("Increase your desktop area to play.");
    const QString desktop = game.MinWidthLarge >= 1024
                                ? QStringLiteral(" requires at least XGA (1024x768) desktop ")
                                : QStringLiteral(" requires at least SVGA (800x600) desktop ");
    return name + desktop + QStringLiteral("area to play using the large card preference.\n\n") +
           QStringLiteral("Increase your desktop area or select the small card size preference.");
}

int TSysRequirementsForm::ShowMessage(const QString& text, bool offerPreferences) {
    m_messageLabel->setText(text);
    m_prefButton->setVisible(offerPreferences);
    m_okButton->setFocus();
    const int result = Modal::Exec(*this);
    m_prefButton->setVisible(true);
    return result;
}

void TSysRequirementsForm::PrefButtonClick() {
    if (m_showPreferences)
        m_showPreferences(this);
    accept();
}

void TSysRequirementsForm::HelpBtnClick() {
    THelp::ShowTopic(this, THelp::SystemRequirements);
}

void TSysRequirementsForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        HelpBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}
