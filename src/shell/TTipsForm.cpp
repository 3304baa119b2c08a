#include "shell/TTipsForm.h"

#include "framework/core/DataFiles.h"
#include "framework/core/IniFile.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

QString& TipsFileOverride() {
    static QString path;
    return path;
}

const QString kIndexKey = QStringLiteral("TipsIndex");
const QString kNone = QStringLiteral("None");

} // namespace

QString TTipsForm::TipsFile() {
    if (!TipsFileOverride().isEmpty())
        return TipsFileOverride();
    return DataFiles::Locate(QStringLiteral("Tips.ini"));
}

void TTipsForm::SetTipsFile(const QString& path) {
    TipsFileOverride() = path;
}

QStringList TTipsForm::ReadTips(const QString& path) {
    QStringList tips;
    if (!QFileInfo(path).isFile())
        return tips;
    const auto entries = IniFile::ReadSection(path, QStringLiteral("Tips"));
    for (const auto& entry : entries)
        tips.append(QString(entry.second).replace(QStringLiteral("^^"), QStringLiteral("\n")));
    return tips;
}

TTipsForm::TTipsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TipsForm"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setFixedSize(432, 222);

    auto* title = new QLabel(QStringLiteral("Did you know..."), this);
    title->setObjectName(QStringLiteral("TitleLabel"));
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setPixelSize(16);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setGeometry(16, 10, 300, 26);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("TipPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(16, 40, 300, 140);
    m_text = new QLabel(panel);
    m_text->setObjectName(QStringLiteral("TipLabel"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setGeometry(10, 8, 280, 124);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    ok->setGeometry(328, 40, 92, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    m_nextButton = new QPushButton(QStringLiteral("&Next Tip"), this);
    m_nextButton->setObjectName(QStringLiteral("NextBtn"));
    m_nextButton->setGeometry(328, 72, 92, 25);
    connect(m_nextButton, &QPushButton::clicked, this, &TTipsForm::NextTip);

    m_previousButton = new QPushButton(QStringLiteral("&Previous Tip"), this);
    m_previousButton->setObjectName(QStringLiteral("PreviousBtn"));
    m_previousButton->setGeometry(328, 104, 92, 25);
    connect(m_previousButton, &QPushButton::clicked, this, &TTipsForm::PreviousTip);

    m_showCheck = new QCheckBox(QStringLiteral(" &Show tips at startup"), this);
    m_showCheck->setObjectName(QStringLiteral("ShowCheckBox"));
    m_showCheck->setChecked(true);
    m_showCheck->setGeometry(16, 190, 300, 22);

    m_profile.SetDefaultText(kNone);
    m_profile.SetSection(QStringLiteral("Preferences"));
    m_profile.SetEntry(kIndexKey);

    // The position of the last tip shown, -1 before the first run.
    int last = -1;
    const QString stored = m_profile.GetText();
    if (stored == kNone)
        m_profile.SetValue(-1);
    else
        last = m_profile.GetValue();

    m_tips = ReadTips(TipsFile());
    if (m_tips.isEmpty()) {
        m_nextButton->setEnabled(false);
        m_previousButton->setEnabled(false);
        return;
    }
    // A hand-edited index outside the list starts again from the first tip.
    const int next = last + 1;
    ShowTip(next >= 0 && next < m_tips.size() ? next : 0);
}

QString TTipsForm::CurrentText() const {
    return m_text->text();
}

bool TTipsForm::ShowAtStartup() const {
    return m_showCheck->isChecked();
}

void TTipsForm::NextTip() {
    if (!m_tips.isEmpty())
        ShowTip(m_index + 1 < m_tips.size() ? m_index + 1 : 0);
}

void TTipsForm::PreviousTip() {
    if (!m_tips.isEmpty())
        ShowTip(m_index > 0 ? m_index - 1 : m_tips.size() - 1);
}

void TTipsForm::ShowTip(int index) {
    m_index = index;
    m_text->setText(m_tips.at(index));
    m_profile.SetEntry(kIndexKey);
    m_profile.SetValue(index);
}
