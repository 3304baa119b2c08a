#include "games/fortythieves/TFTPeekDlg.h"

#include "cards/TCard.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

TFTPeekDlg::TFTPeekDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FTPeekDlg"));
    setWindowTitle(QStringLiteral("Peek"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setFixedSize(114, 188);
    setFont(QFont(QStringLiteral("Arial")));

    m_label = new QLabel(QStringLiteral("Next card in stock"), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setGeometry(0, 3, 114, 16);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setGeometry(16, 21, TCard::LargeWidth, TCard::LargeHeight);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setGeometry(20, 154, 75, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::hide);
}

void TFTPeekDlg::SetCard(const TCard* card) {
    m_card = card;
    // The face is copied now, so the window never paints from a card that a new deal released.
    if (card)
        m_image->setPixmap(QPixmap::fromImage(TCard::FaceImage(card->Suit, card->Value)));
    else
        m_image->clear();
}
