#include "framework/Modal.h"
#include "framework/core/GameTable.h"
#include "framework/core/IniFile.h"
#include "shell/THelp.h"
#include "shell/TStatisticsDlg.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

const QString Ini = QStringLiteral("Solitaire.ini");

void Write(const char* section, const char* key, const QString& value) {
    QVERIFY(IniFile::WriteString(Ini, QString::fromLatin1(section), QString::fromLatin1(key), value));
}

QString Read(const char* section, const char* key) {
    return IniFile::ReadString(Ini, QString::fromLatin1(section), QString::fromLatin1(key),
                               QStringLiteral("<absent>"));
}

// A complete record: 5 games, 3 won, streaks 2 (longest) and 1 (current).
void WriteFullRecord(const char* section) {
    Write(section, "GamesAttempted", QStringLiteral("5"));
    Write(section, "GamesWon", QStringLiteral("3"));
    Write(section, "LastGame", QStringLiteral("True"));
    Write(section, "CurrentStreak", QStringLiteral("1"));
    Write(section, "LongestStreak", QStringLiteral("2"));
    Write(section, "LongestStreakDate", QStringLiteral("36890.5"));
    Write(section, "AvgScore", QStringLiteral("20.5"));
}

QString LongestLabel(QDate date) {
    return QStringLiteral("Longest Streak, Ended ") + QLocale::system().toString(date, QLocale::ShortFormat);
}

} // namespace

class TestStatisticsDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layoutShowsTheTwelveGamesAndTheFixedTexts();
    void gameNeverPlayedShowsOnlyTheTwoNotes();
    void noWinsPutsTheWonSliceFirst();
    void noLossesPutsTheLostSliceFirst();
    void slicesMarkTheirShareWithUpToOneDecimal();
    void klondikeAverageIsShownInDollarsOnlyUnderVegasScoring();
    void damagedAverageShowsNotAvailableAndTheRestStillFills();
    void damagedCountsNeverShowANegativeOrOverflowedFigure_data();
    void damagedCountsNeverShowANegativeOrOverflowedFigure();
    void streaksShowTheLongestWithItsDateAndAPositiveCurrentStreak();
    void damagedStreakDateLeavesTheLongestBarOutAndNoStaleBars();
    void clearingWinLossWritesNoneAndHidesOnlyThePie();
    void clearingStreaksWritesNoneAndKeepsDateAndLastGame();
    void showModalPicksTheFirstOpenGameOrKeepsTheLastChoice();
    void helpButtonOpensTheStatisticsTopic();
    void chartsComeFromTheirModuleWithTheFiguresLaidOver();
    void pieShowsTheSharesAndALegendWithTheCounts();
    void withoutTheChartsModuleFramesStandInAndTheFiguresStillShow();
    void clearingStreaksLeavesNoFigureFocusedWithItsTextSelected();
    void emptySliceDrawsNoSeamAcrossThePie_data();
    void emptySliceDrawsNoSeamAcrossThePie();

private:
    std::unique_ptr<ScopedSettingsDir> m_settings;
    TPreferences m_prefs;
    int m_openGame = -1;
    std::unique_ptr<TStatisticsDlg> m_dlg;

    template <typename T> T* Child(const char* name) {
        return m_dlg->findChild<T*>(QString::fromLatin1(name));
    }
    QString Field(const char* name) { return Child<QLineEdit>(name)->text(); }
    bool PieShown() { return !Child<QWidget>("GamesWonChart")->isHidden(); }
    bool StreaksShown() { return !Child<QWidget>("StreakChart")->isHidden(); }
    void MakeDialog() {
        m_dlg = std::make_unique<TStatisticsDlg>([this]() -> const TPreferences& { return m_prefs; },
                                                 [this] { return m_openGame; });
    }
    // The figures and the streak title lie over the charts, whatever draws them.
    void CheckFiguresLieOverTheCharts();
};

void TestStatisticsDlg::init() {
    m_settings = std::make_unique<ScopedSettingsDir>();
    m_prefs = TPreferences{};
    m_openGame = -1;
    MakeDialog();
}

void TestStatisticsDlg::cleanup() {
    m_dlg.reset();
    m_settings.reset();
    TStatisticsDlg::SetChartsModuleForTests(nullptr);
    Modal::SetRunner({});
    THelp::SetHandler({});
}

// The dialog's caption, size, list of games, initial fields and menu are fixed texts.
void TestStatisticsDlg::layoutShowsTheTwelveGamesAndTheFixedTexts() {
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("Quintaro!"));
    QCOMPARE(m_dlg->size(), QSize(414, 423));
    auto* box = Child<QComboBox>("GameSelectBox");
    QStringList names;
    for (int i = 0; i < box->count(); ++i)
        names.append(box->itemText(i));
    QCOMPARE(names, (QStringList{"Beleaguered Castle", "Double Klondike", "Forty Thieves", "FreeCell", "Golf",
                                 "Indian Patience", "Klondike", "Montana", "Pyramid", "Queen of Italy",
                                 "Sea Towers", "Spider"}));
    QCOMPARE(Field("TotalAttemptsField"), QStringLiteral("0"));
    QCOMPARE(Field("AvgScoreField"), QStringLiteral("N/A"));
    QVERIFY(Child<QLineEdit>("AvgScoreField")->isReadOnly());
    QCOMPARE(Child<QLabel>("StatsLabel")->font().pixelSize(), 32);
    QVERIFY(!PieShown());
    QVERIFY(!StreaksShown());
    QVERIFY(Child<QPushButton>("CancelBtn")->isHidden());
    QCOMPARE(Child<QPushButton>("HelpBtn")->text(), QStringLiteral("&Help"));
    const auto actions = m_dlg->PopupMenu()->actions();
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions[0]->text(), QStringLiteral("Clear &Win/Loss Stats"));
    QCOMPARE(actions[1]->text(), QStringLiteral("Clear &Streaks"));
}

// Without any record both charts stay hidden and their grey notes show.
void TestStatisticsDlg::gameNeverPlayedShowsOnlyTheTwoNotes() {
    m_dlg->SelectGame(GI_GOLF);
    QVERIFY(!PieShown());
    QVERIFY(!StreaksShown());
    QCOMPARE(Child<QLabel>("Label1")->text(), QStringLiteral("No Statistics Available"));
    QCOMPARE(Child<QLabel>("Label2")->text(), QStringLiteral("No Winning Streaks"));
    QCOMPARE(Child<QComboBox>("GameSelectBox")->currentIndex(), int(GI_GOLF));
}

// 4 attempts and no win: "Games Won" (0) comes first, then "Games Lost" (4).
void TestStatisticsDlg::noWinsPutsTheWonSliceFirst() {
    Write("Spider", "GamesAttempted", QStringLiteral("04"));
    m_dlg->SelectGame(GI_SPIDER);
    QVERIFY(PieShown());
    QCOMPARE(Field("TotalAttemptsField"), QStringLiteral("04")); // the text as stored
    const auto pie = m_dlg->PieEntries();
    QCOMPARE(pie.size(), 2);
    QCOMPARE(pie[0].label, QStringLiteral("Games Won"));
    QCOMPARE(pie[0].value, 0.0);
    QCOMPARE(pie[0].color, QColor(0, 128, 0));
    QCOMPARE(pie[0].mark, QStringLiteral("0 %"));
    QCOMPARE(pie[1].label, QStringLiteral("Games Lost"));
    QCOMPARE(pie[1].value, 4.0);
    QCOMPARE(pie[1].color, QColor(128, 0, 0));
    QCOMPARE(pie[1].mark, QStringLiteral("100 %"));
    QCOMPARE(Field("AvgScoreField"), QStringLiteral("N/A"));
}

// 3 attempts, 3 won: "Games Lost" (0) is added before "Games Won".
void TestStatisticsDlg::noLossesPutsTheLostSliceFirst() {
    Write("FreeCell", "GamesAttempted", QStringLiteral("3"));
    Write("FreeCell", "GamesWon", QStringLiteral("3"));
    m_dlg->SelectGame(GI_FREECELL);
    const auto pie = m_dlg->PieEntries();
    QCOMPARE(pie.size(), 2);
    QCOMPARE(pie[0].label, QStringLiteral("Games Lost"));
    QCOMPARE(pie[0].value, 0.0);
    QCOMPARE(pie[1].label, QStringLiteral("Games Won"));
    QCOMPARE(pie[1].value, 3.0);
    QCOMPARE(pie[1].mark, QStringLiteral("100 %"));

    // A damaged file claiming more wins than attempts gives no negative slice.
    Write("FreeCell", "GamesWon", QStringLiteral("5"));
    m_dlg->SelectGame(GI_FREECELL);
    for (const auto& entry : m_dlg->PieEntries())
        QVERIFY(entry.value >= 0);
}

// Percentages follow "##0.# %": one decimal at most, none for whole numbers.
void TestStatisticsDlg::slicesMarkTheirShareWithUpToOneDecimal() {
    Write("Golf", "GamesAttempted", QStringLiteral("3"));
    Write("Golf", "GamesWon", QStringLiteral("2"));
    m_dlg->SelectGame(GI_GOLF);
    const auto pie = m_dlg->PieEntries();
    QCOMPARE(pie[0].mark, QStringLiteral("66.7 %"));
    QCOMPARE(pie[1].mark, QStringLiteral("33.3 %"));
    QCOMPARE(TStatisticsDlg::PercentText(50), QStringLiteral("50 %"));
    QCOMPARE(TStatisticsDlg::PercentText(12.25), QStringLiteral("12.3 %"));
    QCOMPARE(TStatisticsDlg::PercentText(99.96), QStringLiteral("100 %"));
    QCOMPARE(TStatisticsDlg::PercentText(0.04), QStringLiteral("0 %"));
}

// Vegas scoring turns Klondike's average into money (halves away from zero);
// other games and the standard scoring round halves up.
void TestStatisticsDlg::klondikeAverageIsShownInDollarsOnlyUnderVegasScoring() {
    Write("Klondike", "GamesAttempted", QStringLiteral("7"));
    Write("Golf", "GamesAttempted", QStringLiteral("7"));
    const QList<std::tuple<QString, QString, QString>> cases{
        {"10.5", "$1", "11"}, {"10.3", "$-1", "10"}, {"8", "$-12", "8"}, {"0", "$-52", "0"}};
    for (const auto& [stored, vegas, standard] : cases) {
        Write("Klondike", "AvgScore", stored);
        Write("Golf", "AvgScore", stored);
        m_prefs.VegasScoring = true;
        m_dlg->SelectGame(GI_KLONDIKE);
        QCOMPARE(Field("AvgScoreField"), vegas);
        m_dlg->SelectGame(GI_GOLF);
        QCOMPARE(Field("AvgScoreField"), standard);
        m_prefs.VegasScoring = false;
        m_dlg->SelectGame(GI_KLONDIKE);
        QCOMPARE(Field("AvgScoreField"), standard);
    }
}

// An average that is not a number shows "N/A"; pie and streaks are still filled.
void TestStatisticsDlg::damagedAverageShowsNotAvailableAndTheRestStillFills() {
    WriteFullRecord("Pyramid");
    Write("Pyramid", "AvgScore", QStringLiteral("twelve"));
    m_dlg->SelectGame(GI_PYRAMID);
    QCOMPARE(Field("AvgScoreField"), QStringLiteral("N/A"));
    QCOMPARE(m_dlg->PieEntries().size(), 2);
    QCOMPARE(m_dlg->StreakEntries().size(), 2);
    Write("Pyramid", "AvgScore", QStringLiteral("1e300"));
    m_dlg->SelectGame(GI_PYRAMID);
    QCOMPARE(Field("AvgScoreField"), QStringLiteral("N/A"));
}

void TestStatisticsDlg::damagedCountsNeverShowANegativeOrOverflowedFigure_data() {
    QTest::addColumn<QString>("attempts");
    QTest::addColumn<QString>("won");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("lost");
    const auto row = [](const char* name, QString attempts, QString won, QString shown, double lost) {
        QTest::newRow(name) << attempts << won << shown << lost;
    };
    row("all attempts lost at the limit", "2147483647", "-1", "2147483647", 2147483647.0);
    row("negative attempts", "-4", "2", "0", 0.0);
    row("attempts beyond the integers", "99999999999", "0", "0", 0.0);
    row("negative hexadecimal", "$FFFFFFF0", "None", "0", 0.0);
    row("hexadecimal as stored", "$10", "$FFFFFFFF", "$10", 16.0);
}

// A record edited by hand shows no negative count, wrapped difference or negative streak.
void TestStatisticsDlg::damagedCountsNeverShowANegativeOrOverflowedFigure() {
    QFETCH(QString, attempts);
    QFETCH(QString, won);
    QFETCH(QString, shown);
    QFETCH(double, lost);
    Write("Golf", "GamesAttempted", attempts);
    Write("Golf", "GamesWon", won);
    Write("Golf", "LongestStreak", QStringLiteral("-3"));
    Write("Golf", "LongestStreakDate", QStringLiteral("36890.5"));
    Write("Golf", "CurrentStreak", QStringLiteral("-2147483648"));
    m_dlg->SelectGame(GI_GOLF);
    QCOMPARE(Field("TotalAttemptsField"), shown);
    const auto pie = m_dlg->PieEntries();
    QCOMPARE(pie.size(), 2);
    for (const auto& slice : pie) {
        QVERIFY(slice.value >= 0);
        if (slice.label == QLatin1String("Games Lost"))
            QCOMPARE(slice.value, lost);
    }
    const auto streaks = m_dlg->StreakEntries();
    QCOMPARE(streaks.size(), 1);
    QCOMPARE(streaks[0].value, 0.0);
}

// The longest streak is labelled with its end date; the current one only when above 0.
void TestStatisticsDlg::streaksShowTheLongestWithItsDateAndAPositiveCurrentStreak() {
    WriteFullRecord("Montana");
    m_dlg->SelectGame(GI_MONTANA);
    QVERIFY(StreaksShown());
    QVERIFY(Child<QWidget>("StreakChart")->isEnabled());
    auto bars = m_dlg->StreakEntries();
    QCOMPARE(bars.size(), 2);
    QCOMPARE(bars[0].label, LongestLabel(QDate(2000, 12, 30)));
    QCOMPARE(bars[0].value, 2.0);
    QCOMPARE(bars[0].color, QColor(128, 0, 0));
    QCOMPARE(bars[1].label, QStringLiteral("Current Streak"));
    QCOMPARE(bars[1].value, 1.0);
    QCOMPARE(bars[1].color, QColor(0, 128, 0));
    QCOMPARE(Field("AvgScoreField"), QStringLiteral("21"));

    Write("Montana", "CurrentStreak", QStringLiteral("0"));
    m_dlg->SelectGame(GI_MONTANA);
    bars = m_dlg->StreakEntries();
    QCOMPARE(bars.size(), 1);
    QCOMPARE(bars[0].label, LongestLabel(QDate(2000, 12, 30)));
}

// A date that is not a number drops the longest bar; bars of the game shown
// before never remain.
void TestStatisticsDlg::damagedStreakDateLeavesTheLongestBarOutAndNoStaleBars() {
    WriteFullRecord("Montana");
    m_dlg->SelectGame(GI_MONTANA);
    QCOMPARE(m_dlg->StreakEntries().size(), 2);

    Write("Castle", "LongestStreak", QStringLiteral("4"));
    Write("Castle", "LongestStreakDate", QStringLiteral("yesterday"));
    Write("Castle", "CurrentStreak", QStringLiteral("3"));
    m_dlg->SelectGame(GI_CASTLE);
    auto bars = m_dlg->StreakEntries();
    QCOMPARE(bars.size(), 1);
    QCOMPARE(bars[0].label, QStringLiteral("Current Streak"));
    QCOMPARE(bars[0].value, 3.0);

    Write("Castle", "CurrentStreak", QStringLiteral("0"));
    m_dlg->SelectGame(GI_MONTANA);
    m_dlg->SelectGame(GI_CASTLE);
    QVERIFY(m_dlg->StreakEntries().isEmpty());
    QVERIFY(!StreaksShown());
}

// "Clear Win/Loss Stats" writes "None" to its three keys; the streaks stay.
void TestStatisticsDlg::clearingWinLossWritesNoneAndHidesOnlyThePie() {
    WriteFullRecord("SeaHavenTowers");
    m_dlg->SelectGame(GI_SEAHAVEN);
    QVERIFY(PieShown());
    m_dlg->PopupMenu()->actions().at(0)->trigger();
    for (const char* key : {"GamesAttempted", "GamesWon", "AvgScore"})
        QCOMPARE(Read("SeaHavenTowers", key), QStringLiteral("None"));
    QCOMPARE(Read("SeaHavenTowers", "LongestStreak"), QStringLiteral("2"));
    QCOMPARE(Read("SeaHavenTowers", "CurrentStreak"), QStringLiteral("1"));
    QVERIFY(!PieShown());
    QVERIFY(StreaksShown());
    // Another game's record is untouched.
    WriteFullRecord("Spider");
    m_dlg->SelectGame(GI_SPIDER);
    QVERIFY(PieShown());
}

// "Clear Streaks" writes "None" to the two streaks; "LastGame" and the date remain.
void TestStatisticsDlg::clearingStreaksWritesNoneAndKeepsDateAndLastGame() {
    WriteFullRecord("QueenItaly");
    m_dlg->SelectGame(GI_QUEENITALY);
    QVERIFY(StreaksShown());
    m_dlg->PopupMenu()->actions().at(1)->trigger();
    QCOMPARE(Read("QueenItaly", "LongestStreak"), QStringLiteral("None"));
    QCOMPARE(Read("QueenItaly", "CurrentStreak"), QStringLiteral("None"));
    QCOMPARE(Read("QueenItaly", "LongestStreakDate"), QStringLiteral("36890.5"));
    QCOMPARE(Read("QueenItaly", "LastGame"), QStringLiteral("True"));
    QCOMPARE(Read("QueenItaly", "GamesAttempted"), QStringLiteral("5"));
    QVERIFY(!StreaksShown());
    QVERIFY(PieShown());
}

// Shown from a game, the dialog opens on that game; with none open it keeps the last choice.
void TestStatisticsDlg::showModalPicksTheFirstOpenGameOrKeepsTheLastChoice() {
    WriteFullRecord("Pyramid");
    int shownIndex = -1;
    bool pieAtShow = false;
    Modal::SetRunner([&](QDialog& dialog) {
        auto& dlg = static_cast<TStatisticsDlg&>(dialog);
        shownIndex = dlg.findChild<QComboBox*>(QStringLiteral("GameSelectBox"))->currentIndex();
        pieAtShow = !dlg.findChild<QWidget*>(QStringLiteral("GamesWonChart"))->isHidden();
        return int(QDialog::Accepted);
    });
    m_openGame = GI_PYRAMID;
    QCOMPARE(m_dlg->ShowModal(), int(QDialog::Accepted));
    QCOMPARE(shownIndex, int(GI_PYRAMID));
    QVERIFY(pieAtShow);

    m_dlg->SelectGame(GI_GOLF);
    m_openGame = -1;
    m_dlg->ShowModal();
    QCOMPARE(shownIndex, int(GI_GOLF));
    QCOMPARE(m_dlg->SelectedGame(), int(GI_GOLF));

    // Choosing from the combo box refills the dialog at once.
    Child<QComboBox>("GameSelectBox")->setCurrentIndex(GI_PYRAMID);
    QCOMPARE(m_dlg->SelectedGame(), int(GI_PYRAMID));
    QVERIFY(PieShown());
}

// The Help button opens the statistics topic.
void TestStatisticsDlg::helpButtonOpensTheStatisticsTopic() {
    QList<int> asked;
    THelp::SetHandler([&asked](int context) { asked.append(context); });
    Child<QPushButton>("HelpBtn")->click();
    QCOMPARE(asked, QList<int>{503});
}

void TestStatisticsDlg::CheckFiguresLieOverTheCharts() {
    auto* pie = Child<QWidget>("GamesWonChart");
    auto* streaks = Child<QWidget>("StreakChart");
    QCOMPARE(pie->geometry(), QRect(6, 54, 401, 224));
    QCOMPARE(streaks->geometry(), QRect(6, 288, 401, 81));
    const QList<std::tuple<const char*, QWidget*, QRect, QString>> figures{
        {"el_TotalAttemptsField", pie, QRect(296, 30, 100, 32), "Total # of Games \nAttempted:"},
        {"TotalAttemptsField", pie, QRect(296, 64, 96, 22), QString()},
        {"el_AvgScoreField", pie, QRect(296, 110, 100, 32), "Average Score of \nGames Lost:"},
        {"AvgScoreField", pie, QRect(296, 144, 96, 22), QString()},
        {"StreakTitle", streaks, QRect(0, 2, 401, 16), "Winning Streaks"},
    };
    for (const auto& [name, chart, geometry, text] : figures) {
        auto* figure = Child<QWidget>(name);
        QVERIFY2(figure, name);
        QCOMPARE(figure->parentWidget(), chart);
        QCOMPARE(figure->geometry(), geometry);
        if (auto* label = qobject_cast<QLabel*>(figure))
            QCOMPARE(label->text(), text);
    }
}

// The charts are real chart views from the module, with the figures and the
// title over them; the figures hide with the pie.
void TestStatisticsDlg::chartsComeFromTheirModuleWithTheFiguresLaidOver() {
    QVERIFY(Child<QWidget>("GamesWonChart")->inherits("QGraphicsView"));
    QVERIFY(Child<QWidget>("StreakChart")->inherits("QGraphicsView"));
    CheckFiguresLieOverTheCharts();
    if (QTest::currentTestFailed())
        return;
    WriteFullRecord("Golf");
    m_dlg->SelectGame(GI_GOLF);
    m_dlg->show();
    QVERIFY(Child<QWidget>("TotalAttemptsField")->isVisible());
    m_dlg->PopupMenu()->actions().at(0)->trigger();
    QVERIFY(!Child<QWidget>("TotalAttemptsField")->isVisible());
    QVERIFY(!Child<QWidget>("AvgScoreField")->isVisible());
    QVERIFY(Child<QWidget>("StreakTitle")->isVisible());
}

// As drawn: the slices show their share and the legend gives their name and
// count, following the figures when another game is shown.
void TestStatisticsDlg::pieShowsTheSharesAndALegendWithTheCounts() {
    auto legend = [this] {
        QStringList texts;
        const auto* view = Child<QGraphicsView>("GamesWonChart");
        for (QGraphicsItem* item : view->scene()->items())
            if (auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
                text && text->isVisible() && !text->toPlainText().isEmpty())
                texts.append(text->toPlainText());
        texts.sort();
        return texts;
    };
    WriteFullRecord("Golf");
    Write("Spider", "GamesAttempted", QStringLiteral("4"));
    Write("Spider", "GamesWon", QStringLiteral("4"));
    m_dlg->SelectGame(GI_GOLF);
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg.get()));
    QTRY_COMPARE(legend(), (QStringList{"40 %", "60 %", "Games Lost: 2", "Games Won: 3"}));
    m_dlg->SelectGame(GI_SPIDER);
    QTRY_COMPARE(legend(), (QStringList{"0 %", "100 %", "Games Lost: 0", "Games Won: 4"}));
    // Counts of several digits are shown whole.
    Write("Spider", "GamesAttempted", QStringLiteral("1234"));
    Write("Spider", "GamesWon", QStringLiteral("567"));
    m_dlg->SelectGame(GI_SPIDER);
    QTRY_COMPARE(legend(), (QStringList{"45.9 %", "54.1 %", "Games Lost: 667", "Games Won: 567"}));
}

// A broken install without the charts module still opens the dialog: plain
// frames stand where the charts go, and the figures and their rules still hold.
void TestStatisticsDlg::withoutTheChartsModuleFramesStandInAndTheFiguresStillShow() {
    TStatisticsDlg::SetChartsModuleForTests("quintaro_no_such_module");
    MakeDialog();
    QVERIFY(!Child<QWidget>("GamesWonChart")->inherits("QGraphicsView"));
    QVERIFY(!Child<QWidget>("StreakChart")->inherits("QGraphicsView"));
    CheckFiguresLieOverTheCharts();
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!PieShown());
    QVERIFY(!StreaksShown());

    WriteFullRecord("Klondike");
    m_prefs.VegasScoring = true;
    m_dlg->SelectGame(GI_KLONDIKE);
    QVERIFY(PieShown());
    QVERIFY(StreaksShown());
    QVERIFY(Child<QWidget>("StreakChart")->isEnabled());
    QCOMPARE(Field("TotalAttemptsField"), QStringLiteral("5"));
    QCOMPARE(Field("AvgScoreField"), QStringLiteral("$51"));
    QVERIFY(m_dlg->PieEntries().isEmpty());
    QVERIFY(m_dlg->StreakEntries().isEmpty());

    // The frames hide the notes behind them as the charts would.
    m_dlg->show();
    QVERIFY(Child<QWidget>("GamesWonChart")->autoFillBackground());
    QVERIFY(Child<QWidget>("TotalAttemptsField")->isVisible());
    m_dlg->PopupMenu()->actions().at(1)->trigger();
    QVERIFY(!StreaksShown());
    QVERIFY(!Child<QWidget>("StreakChart")->isEnabled());
    QCOMPARE(Read("Klondike", "LongestStreak"), QStringLiteral("None"));
    m_dlg->PopupMenu()->actions().at(0)->trigger();
    QVERIFY(!PieShown());
    QVERIFY(!Child<QWidget>("TotalAttemptsField")->isVisible());
}

// A right-click on the streaks leaves the focus where it was; clearing them
// hides their chart without passing the focus to a figure with its text selected.
void TestStatisticsDlg::clearingStreaksLeavesNoFigureFocusedWithItsTextSelected() {
    WriteFullRecord("Spider");
    m_dlg->SelectGame(GI_SPIDER);
    m_dlg->show();
    m_dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    auto* streaks = Child<QWidget>("StreakChart");
    QTest::mouseClick(m_dlg->windowHandle(), Qt::RightButton, {},
                      streaks->mapTo(m_dlg.get(), QPoint(300, 50)));
    QCOMPARE(QApplication::focusWidget(), focused);
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    streaks->setFocus(); // however it came there
    m_dlg->PopupMenu()->actions().at(1)->trigger();
    QVERIFY(!StreaksShown());
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY2(!field, field ? qPrintable(field->objectName()) : "");
    for (auto* figure : m_dlg->findChildren<QLineEdit*>())
        QVERIFY(!figure->hasSelectedText());
}

// A share of 0 % is a slice of nothing: the pie is one colour along the line
// where that slice lies (straight up from the centre), with no seam of another colour.
void TestStatisticsDlg::emptySliceDrawsNoSeamAcrossThePie_data() {
    QTest::addColumn<QString>("won");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("every game won") << QStringLiteral("4") << TStatisticsDlg::WonColor;
    QTest::newRow("every game lost") << QStringLiteral("0") << TStatisticsDlg::LostColor;
}

void TestStatisticsDlg::emptySliceDrawsNoSeamAcrossThePie() {
    QFETCH(QString, won);
    QFETCH(QColor, colour);
    Write("Spider", "GamesAttempted", QStringLiteral("4"));
    Write("Spider", "GamesWon", won);
    m_dlg->SelectGame(GI_SPIDER);
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg.get()));
    auto* pie = Child<QGraphicsView>("GamesWonChart");
    QVERIFY(pie);
    QTest::qWait(50);
    const QImage image = pie->grab().toImage();
    // The pie is the disc of the slice's colour.
    auto isSlice = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                   std::abs(c.blue() - colour.blue()) <
               24;
    };
    // The widest run of that colour crosses the pie's centre.
    int radius = 0;
    QPoint centre;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0, run = 0; x < image.width(); ++x) {
            run = isSlice(x, y) ? run + 1 : 0;
            if (run > 2 * radius) {
                radius = run / 2;
                centre = QPoint(x - radius, y);
            }
        }
    }
    QVERIFY(radius > 40);
    for (int y = centre.y() - 4; y > centre.y() - radius * 4 / 5; --y)
        for (int x = centre.x() - 1; x <= centre.x() + 1; ++x)
            QVERIFY2(isSlice(x, y), qPrintable(QStringLiteral("a seam at %1,%2").arg(x).arg(y)));
}

QTEST_MAIN(TestStatisticsDlg)
#include "tst_statisticsdlg.moc"
