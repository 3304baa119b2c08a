#pragma once

#include "framework/core/Preferences.h"
#include "framework/core/TProfile.h"
#include "shell/StatisticsCharts.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;
class QMenu;

// Shows the statistics record of one game at a time: a pie of games won and
// lost with the attempts and the average score of lost games, and a bar chart
// of the longest and the current winning streak. Its popup menu clears either
// group of figures. The charts come from the quintaro_charts module; without
// it (a broken install) plain frames stand in their place and the figures
// beside them still show.
class TStatisticsDlg : public QDialog {
    Q_OBJECT
public:
    static const QColor WonColor;  // RGB(0,128,0)
    static const QColor LostColor; // RGB(128,0,0)

    // `prefs` gives the current preferences (Vegas scoring); `openGameIndex`
    // the list index of the first open game window, or -1.
    TStatisticsDlg(std::function<const TPreferences&()> prefs, std::function<int()> openGameIndex,
                   QWidget* parent = nullptr);
    ~TStatisticsDlg() override;

    // Selects a game by list index (0-11) and fills the dialog.
    void SelectGame(int index);
    int SelectedGame() const { return m_gameIndex; }
    // Picks the open game, fills the dialog and shows it modally.
    int ShowModal();

    // What the charts show, for tests and accessibility; empty without the charts.
    using Entry = StatisticsCharts::Entry;
    QList<Entry> PieEntries() const;
    QList<Entry> StreakEntries() const;
    QMenu* PopupMenu() const { return m_popupMenu; }

    // "##0.# %": up to one decimal, none when it would be 0.
    static QString PercentText(double percent);
    // The average score as the field shows it; "N/A" when `avg` is unusable.
    static QString AverageText(double avg, bool vegas);

    // The module the dialogs made from now on take their charts from; null
    // restores the real one. Tests name a missing module to see a broken install.
    static void SetChartsModuleForTests(const char* module);

public slots:
    void GameSelectBoxChange(int index);
    void ClearWinLossClick();
    void ClearStreaksClick();
    void HelpBtnClick();

private:
    void FillDialog();
    void FillPie(int attempts, int won);
    void FillStreaks();
    void ShowPopupMenu(const QPoint& pos);

    std::function<const TPreferences&()> m_prefs;
    std::function<int()> m_openGameIndex;
    TProfile m_profile;
    int m_gameIndex = 0;

    std::unique_ptr<StatisticsCharts> m_charts; // null when the module is missing
    QComboBox* m_gameSelectBox = nullptr;
    QWidget* m_gamesWonChart = nullptr;
    QLineEdit* m_totalAttemptsField = nullptr;
    QLineEdit* m_avgScoreField = nullptr;
    QWidget* m_streakChart = nullptr;
    QMenu* m_popupMenu = nullptr;
};
