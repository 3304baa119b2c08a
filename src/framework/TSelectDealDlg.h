#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;

// Asks the number of the deal to play. OK with anything but a number from 0
// to 4294967295 keeps the dialog open and says what it takes.
class TSelectDealDlg : public QDialog {
    Q_OBJECT

public:
    explicit TSelectDealDlg(std::uint32_t current, QWidget* parent = nullptr);

    std::uint32_t Number() const { return m_number; }
    QLineEdit* Edit() const { return m_edit; }
    QLabel* Problem() const { return m_problem; }

    void accept() override;

private:
    QLineEdit* m_edit;
    QLabel* m_problem;
    std::uint32_t m_number;
};
