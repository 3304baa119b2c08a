#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

// Explains why a game cannot open on a desktop this narrow. Created hidden at
// start-up and shown modally by the selector with the message for the game.
class TSysRequirementsForm : public QDialog {
    Q_OBJECT

public:
    // `showPreferences` opens the preferences dialog modally over `parent`.
    explicit TSysRequirementsForm(std::function<void(QWidget* parent)> showPreferences,
                                  QWidget* parent = nullptr);

    // The explanation for a game (list index) that needs a wider desktop than
    // it has for the large-card or the small-card window.
    static QString MessageText(int gameIndex, bool largeCards);

    // Puts `text` into the message and shows the window modally; the Preferences
    // button is offered only where a card size change helps.
    int ShowMessage(const QString& text, bool offerPreferences);

    QLabel* MessageLabel() const { return m_messageLabel; }
    QPushButton* PrefButton() const { return m_prefButton; }
    QPushButton* OKButton() const { return m_okButton; }
    QPushButton* HelpBtn() const { return m_helpButton; }

public slots:
    void PrefButtonClick();
    void HelpBtnClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void(QWidget*)> m_showPreferences;
    QLabel* m_messageLabel = nullptr;
    QPushButton* m_prefButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_helpButton = nullptr;
};
