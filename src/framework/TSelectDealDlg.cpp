#include "framework/TSelectDealDlg.h"

#include "framework/core/DealNumber.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TSelectDealDlg::TSelectDealDlg(std::uint32_t current, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_number(current) {
    setObjectName(QStringLiteral("SelectDealDlg"));
    setWindowTitle(QStringLiteral("Select Deal"));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("&Deal number (0 to %1):").arg(DealNumber::Max), this);
    layout->addWidget(prompt);
    m_edit = new QLineEdit(QString::number(current), this);
    m_edit->setObjectName(QStringLiteral("DealEdit"));
    m_edit->setMaxLength(20);
    m_edit->selectAll();
    prompt->setBuddy(m_edit);
    layout->addWidget(m_edit);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("ProblemLabel"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    layout->addWidget(m_problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("Buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TSelectDealDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TSelectDealDlg::reject);
    layout->addWidget(buttons);
    connect(m_edit, &QLineEdit::textEdited, m_problem, &QWidget::hide);
}

void TSelectDealDlg::accept() {
    const std::optional<std::uint32_t> number = DealNumber::Parse(m_edit->text());
    if (!number) {
        m_problem->setText(QStringLiteral("\"%1\" is not a deal number. Enter a whole number from 0 to %2.")
                               .arg(m_edit->text().trimmed().left(20))
                               .arg(DealNumber::Max));
        m_problem->show();
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_number = *number;
    QDialog::accept();
}
