#include "shell/TStatisticsDlg.h"

#include "framework/Modal.h"
#include "framework/core/GameTable.h"
#include "framework/core/Modules.h"
#include "framework/core/Statistics.h"
#include "shell/THelp.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace {

const QString None = QStringLiteral("None");
const char* const DefaultChartsModule = "quintaro_charts";
const char* ChartsModule = DefaultChartsModule;

// The charts, or null when their module cannot be loaded.
std::unique_ptr<StatisticsCharts> LoadCharts() {
    const auto create = Modules::Find<CreateStatisticsCharts>(ChartsModule, "QuintaroCreateStatisticsCharts");
    return std::unique_ptr<StatisticsCharts>(create ? create() : nullptr);
}

QFont ArialPixels(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

// The label texts keep the settings' line break pair; a label shows only the break.
QString LabelText(const QString& text) {
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLabel* GreyNote(QWidget* parent, const char* name, const QString& text, const QRect& geometry, int pixels) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(ArialPixels(pixels));
    label->setStyleSheet(QStringLiteral("color: grey;"));
    return label;
}

// What stands in for a chart when the module is missing: its frame, empty. It
// covers the grey note behind it as a chart would.
QWidget* Placeholder(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    return frame;
}

QLineEdit* ReadOnlyField(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(geometry);
    field->setReadOnly(true);
    // Reached by a click only: a figure that took the focus passed on from a
    // chart hidden under it would show its text selected.
    field->setFocusPolicy(Qt::ClickFocus);
    field->setAlignment(Qt::AlignRight);
    return field;
}

} // namespace

const QColor TStatisticsDlg::WonColor(0, 128, 0);
const QColor TStatisticsDlg::LostColor(128, 0, 0);

TStatisticsDlg::TStatisticsDlg(std::function<const TPreferences&()> prefs, std::function<int()> openGameIndex,
                               QWidget* parent)
    : QDialog(parent), m_prefs(std::move(prefs)), m_openGameIndex(std::move(openGameIndex)) {
    setObjectName(QStringLiteral("StatisticsDlg"));
    setWindowTitle(QStringLiteral("Quintaro!"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(414, 423);
    setFont(ArialPixels(12));

    m_profile.SetFileName(QStringLiteral("Solitaire.ini"));
    m_profile.SetDefaultText(None);
    m_profile.SetSection(QString::fromLatin1(GameTable()[m_gameIndex].Section));

    auto* statsLabel = new QLabel(QStringLiteral("Statistics"), this);
    statsLabel->setObjectName(QStringLiteral("StatsLabel"));
    statsLabel->setFont(ArialPixels(32));
    statsLabel->setGeometry(8, 6, 180, 40);

    auto* gameLabel = new QLabel(QStringLiteral("Game:"), this);
    gameLabel->setObjectName(QStringLiteral("el_GameSelectBox"));
    gameLabel->setGeometry(196, 20, 40, 20);
    m_gameSelectBox = new QComboBox(this);
    m_gameSelectBox->setObjectName(QStringLiteral("GameSelectBox"));
    m_gameSelectBox->setGeometry(240, 17, 166, 24);
    for (const TGameInfo& game : GameTable())
        m_gameSelectBox->addItem(QString::fromLatin1(game.GameName));
    m_gameSelectBox->setCurrentIndex(m_gameIndex);
    connect(m_gameSelectBox, &QComboBox::currentIndexChanged, this, &TStatisticsDlg::GameSelectBoxChange);

    // The notes lie behind the charts and show when a chart is hidden.
    const QRect pieArea(6, 54, 401, 224);
    const QRect streakArea(6, 288, 401, 81);
    GreyNote(this, "Label1", QStringLiteral("No Statistics Available"), pieArea, 21);
    GreyNote(this, "Label2", QStringLiteral("No Winning Streaks"), streakArea, 16);

    // The figures and the streak title lie over the charts (or their frames)
    // as their children, so they hide with them.
    const QString pieName = QStringLiteral("GamesWonChart");
    const QString streakName = QStringLiteral("StreakChart");
    m_charts = LoadCharts();
    if (m_charts) {
        m_gamesWonChart = m_charts->MakePieChart(this, pieName, pieArea);
        m_streakChart = m_charts->MakeStreakChart(this, streakName, streakArea);
    } else {
        m_gamesWonChart = Placeholder(this, pieName, pieArea);
        m_streakChart = Placeholder(this, streakName, streakArea);
    }
    m_gamesWonChart->hide();

    auto* attemptsLabel =
        new QLabel(LabelText(QStringLiteral("Total # of Games \r\nAttempted:")), m_gamesWonChart);
    attemptsLabel->setObjectName(QStringLiteral("el_TotalAttemptsField"));
    attemptsLabel->setGeometry(296, 30, 100, 32);
    m_totalAttemptsField =
        ReadOnlyField(m_gamesWonChart, "TotalAttemptsField", QStringLiteral("0"), QRect(296, 64, 96, 22));
    auto* avgLabel =
        new QLabel(LabelText(QStringLiteral("Average Score of \r\nGames Lost:")), m_gamesWonChart);
    avgLabel->setObjectName(QStringLiteral("el_AvgScoreField"));
    avgLabel->setGeometry(296, 110, 100, 32);
    m_avgScoreField =
        ReadOnlyField(m_gamesWonChart, "AvgScoreField", QStringLiteral("N/A"), QRect(296, 144, 96, 22));

    // The chart lays out no title beside the fixed plot area it needs for its
    // labels, so the title is a label over the chart.
    auto* streakTitle = new QLabel(QStringLiteral("Winning Streaks"), m_streakChart);
    streakTitle->setObjectName(QStringLiteral("StreakTitle"));
    streakTitle->setFont(ArialPixels(11));
    streakTitle->setAlignment(Qt::AlignCenter);
    streakTitle->setGeometry(0, 2, streakArea.width(), 16);
    streakTitle->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_streakChart->hide();
    m_streakChart->setEnabled(false);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setGeometry(169, 386, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setGeometry(250, 386, 75, 25);
    cancel->hide();
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));
    help->setGeometry(331, 386, 75, 25);
    connect(help, &QPushButton::clicked, this, &TStatisticsDlg::HelpBtnClick);

    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* clearWinLoss = m_popupMenu->addAction(QStringLiteral("Clear &Win/Loss Stats"));
    clearWinLoss->setObjectName(QStringLiteral("ClearWinLoss"));
    connect(clearWinLoss, &QAction::triggered, this, &TStatisticsDlg::ClearWinLossClick);
    QAction* clearStreaks = m_popupMenu->addAction(QStringLiteral("Clear &Streaks"));
    clearStreaks->setObjectName(QStringLiteral("ClearStreaks1"));
    connect(clearStreaks, &QAction::triggered, this, &TStatisticsDlg::ClearStreaksClick);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &TStatisticsDlg::ShowPopupMenu);
    for (QWidget* chart : {m_gamesWonChart, m_streakChart}) {
        // Pictures only: a right-click on one leaves the focus where it was.
        chart->setFocusPolicy(Qt::NoFocus);
        chart->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(chart, &QWidget::customContextMenuRequested, this,
                [this, chart](const QPoint& pos) { ShowPopupMenu(chart->mapTo(this, pos)); });
    }
}

TStatisticsDlg::~TStatisticsDlg() = default;

void TStatisticsDlg::SetChartsModuleForTests(const char* module) {
    ChartsModule = module ? module : DefaultChartsModule;
}

void TStatisticsDlg::SelectGame(int index) {
    if (index < 0 || index >= GI_COUNT)
        return;
    {
        const QSignalBlocker blocker(m_gameSelectBox);
        m_gameSelectBox->setCurrentIndex(index);
    }
    GameSelectBoxChange(index);
}

int TStatisticsDlg::ShowModal() {
    // The first open game (in list order) is the one shown; with none open the
    // previous choice stays.
    const int open = m_openGameIndex ? m_openGameIndex() : -1;
    if (open >= 0 && open < GI_COUNT)
        SelectGame(open);
    else
        FillDialog();
    return Modal::Exec(*this);
}

void TStatisticsDlg::GameSelectBoxChange(int index) {
    if (index < 0 || index >= GI_COUNT)
        return;
    m_gameIndex = index;
    m_profile.SetSection(QString::fromLatin1(GameTable()[index].Section));
    FillDialog();
}

void TStatisticsDlg::ClearWinLossClick() {
    Statistics::ClearWinLoss(m_profile);
    FillDialog();
}

void TStatisticsDlg::ClearStreaksClick() {
    Statistics::ClearStreaks(m_profile);
    FillDialog();
}

void TStatisticsDlg::HelpBtnClick() {
    THelp::ShowTopic(this, THelp::Statistics);
}

void TStatisticsDlg::FillDialog() {
    const QString attempts = m_profile.Read(QStringLiteral("GamesAttempted"));
    if (attempts == None) {
        m_gamesWonChart->hide();
    } else {
        // The count as stored, unless that is no count at all (a negative or overflowing
        // number, or a word): then the count the next game goes on from.
        const int count = Statistics::Count(attempts);
        const auto stored = ProfileText::ParseInt(attempts);
        m_totalAttemptsField->setText(stored && *stored >= 0 ? attempts : QString::number(count));
        const QString won = m_profile.Read(QStringLiteral("GamesWon"));
        FillPie(count, won == None ? 0 : Statistics::Count(won));
        m_gamesWonChart->show();

        const QString avg = m_profile.Read(QStringLiteral("AvgScore"));
        const auto value = avg == None ? std::nullopt : Statistics::Average(avg);
        // A damaged average only costs its own field; the rest is still shown.
        const bool vegas = m_gameIndex == GI_KLONDIKE && m_prefs && m_prefs().VegasScoring;
        m_avgScoreField->setText(value ? AverageText(*value, vegas) : QStringLiteral("N/A"));
    }
    FillStreaks();
}

void TStatisticsDlg::FillPie(int attempts, int won) {
    if (!m_charts)
        return;
    // A hand-edited file may claim more wins than attempts; a slice cannot be negative.
    won = std::max(won, 0);
    const int lost = std::max(attempts - won, 0);
    const double total = double(won) + double(lost);

    QList<Entry> slices;
    auto addSlice = [&slices, total](const QString& name, int value, const QColor& color) {
        const double percent = total > 0 ? 100.0 * value / total : 0.0;
        slices.append({name, double(value), color, PercentText(percent)});
    };
    // With no loss the lost slice goes first, so the chart starts with a colour
    // change whatever the figures.
    if (lost == 0) {
        addSlice(QStringLiteral("Games Lost"), lost, LostColor);
        addSlice(QStringLiteral("Games Won"), won, WonColor);
    } else {
        addSlice(QStringLiteral("Games Won"), won, WonColor);
        addSlice(QStringLiteral("Games Lost"), lost, LostColor);
    }
    m_charts->SetPie(slices);
}

void TStatisticsDlg::FillStreaks() {
    const QString longest = m_profile.Read(QStringLiteral("LongestStreak"));
    if (longest == None) {
        m_streakChart->hide();
        m_streakChart->setEnabled(false);
        return;
    }

    // The bars are rebuilt every time, so a damaged date never leaves another
    // game's bars on show. The current streak is the selected bar, in its own colour.
    QStringList categories;
    QList<double> values;
    bool dateOk = false;
    const double days = ProfileText::ToDouble(m_profile.Read(QStringLiteral("LongestStreakDate")), &dateOk);
    if (dateOk && std::isfinite(days)) {
        const QDate date = ProfileText::ToDateTime(days).date();
        categories.append(QStringLiteral("Longest Streak, Ended ") +
                          QLocale::system().toString(date, QLocale::ShortFormat));
        values.append(Statistics::Count(longest));
    }
    const QString current = m_profile.Read(QStringLiteral("CurrentStreak"));
    const bool hasCurrent = current != None && Statistics::Count(current) > 0;
    if (hasCurrent) {
        categories.append(QStringLiteral("Current Streak"));
        values.append(Statistics::Count(current));
    }
    if (m_charts)
        m_charts->SetStreaks(categories, values, hasCurrent ? int(values.size()) - 1 : -1, LostColor,
                             WonColor);
    const bool any = !values.isEmpty();
    m_streakChart->setVisible(any);
    m_streakChart->setEnabled(any);
}

void TStatisticsDlg::ShowPopupMenu(const QPoint& pos) {
    m_popupMenu->popup(mapToGlobal(pos));
}

QList<TStatisticsDlg::Entry> TStatisticsDlg::PieEntries() const {
    return m_charts ? m_charts->PieEntries() : QList<Entry>();
}

QList<TStatisticsDlg::Entry> TStatisticsDlg::StreakEntries() const {
    return m_charts ? m_charts->StreakEntries() : QList<Entry>();
}

QString TStatisticsDlg::PercentText(double percent) {
    const double tenths = std::round(percent * 10.0) / 10.0;
    QString text = QString::number(tenths, 'f', 1);
    if (text.endsWith(QStringLiteral(".0")))
        text.chop(2);
    return text + QStringLiteral(" %");
}

QString TStatisticsDlg::AverageText(double avg, bool vegas) {
    // Beyond this the figure cannot be a real average and would not fit an integer.
    constexpr double Limit = 1e15;
    if (!std::isfinite(avg) || std::fabs(avg) > Limit)
        return QStringLiteral("N/A");
    if (vegas) {
        // Each card on a foundation was worth $5 against a $52 stake; halves
        // round away from zero.
        const double money = std::round(avg * 5.0 - 52.0);
        return QStringLiteral("$") + QString::number(qint64(money));
    }
    return QString::number(qint64(std::floor(avg + 0.5)));
}
