#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TCard;

// A small window that shows the face of the stock's next card while play goes
// on. It belongs to the game window and goes with it.
class TFTPeekDlg : public QDialog {
    Q_OBJECT

public:
    explicit TFTPeekDlg(QWidget* parent);

    // Points the window at `card` (null: none) and draws its face at the current card size.
    void SetCard(const TCard* card);
    const TCard* Card() const { return m_card; }

private:
    QLabel* m_label = nullptr;
    QLabel* m_image = nullptr;
    QPushButton* m_ok = nullptr;
    const TCard* m_card = nullptr;
};
