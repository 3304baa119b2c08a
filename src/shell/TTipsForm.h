#pragma once

#include "framework/core/TProfile.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

// The tip of the day. Tips come from section "Tips" of "Tips.ini" beside the
// program or in the installed data folder (DataFiles); the position in the
// list survives between runs as "TipsIndex".
class TTipsForm : public QDialog {
    Q_OBJECT

public:
    // Reads the tips and selects the one after the tip shown last time.
    explicit TTipsForm(QWidget* parent = nullptr);

    // The tips file: "Tips.ini" beside the program or in the installed data
    // folder, unless overridden (tests); an empty path restores the default.
    static QString TipsFile();
    static void SetTipsFile(const QString& path);
    // Every tip of a tips file in file order, with "^^" turned into line breaks.
    static QStringList ReadTips(const QString& path);

    const QStringList& Tips() const { return m_tips; }
    int CurrentIndex() const { return m_index; } // -1 when there are no tips
    QString CurrentText() const;
    bool ShowAtStartup() const;

public slots:
    void NextTip();
    void PreviousTip();

private:
    void ShowTip(int index);

    TProfile m_profile;
    QStringList m_tips;
    int m_index = -1;
    QLabel* m_text = nullptr;
    QPushButton* m_nextButton = nullptr;
    QPushButton* m_previousButton = nullptr;
    QCheckBox* m_showCheck = nullptr;
};
