#include "shell/TStatisticsDlg.h"

#include "framework/Modal.h"
#include "framework/core/GameTable.h"
#include "shell/THelp.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

const QString None = QStringLiteral("None");
const char* const EntryName = "entryName";

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

QChartView* MakeChartView(QWidget* parent, const char* name, const QRect& geometry) {
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setAlignment(Qt::AlignLeft);
    chart->legend()->setFont(ArialPixels(11));
    auto* view = new QChartView(chart, parent); // the view owns the chart
    view->setObjectName(QString::fromLatin1(name));
    view->setGeometry(geometry);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::Box);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    return view;
}

QLineEdit* ReadOnlyField(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(geometry);
    field->setReadOnly(true);
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

    m_gamesWonChart = MakeChartView(this, "GamesWonChart", pieArea);
    m_pie = new QPieSeries;
    m_pie->setPieSize(0.85);
    m_pie->setHorizontalPosition(0.5);
    m_gamesWonChart->chart()->addSeries(m_pie);
    // Room at the right for the two figures that lie over the chart.
    m_gamesWonChart->chart()->setMargins(QMargins(4, 4, 112, 4));
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

    m_streakChart = MakeChartView(this, "StreakChart", streakArea);
    QChart* streaks = m_streakChart->chart();
    // The chart lays out no title beside a fixed plot area, so the title is a
    // label over the chart.
    auto* streakTitle = new QLabel(QStringLiteral("Winning Streaks"), m_streakChart);
    streakTitle->setObjectName(QStringLiteral("StreakTitle"));
    streakTitle->setFont(ArialPixels(11));
    streakTitle->setAlignment(Qt::AlignCenter);
    streakTitle->setGeometry(0, 2, streakArea.width(), 16);
    streakTitle->setAttribute(Qt::WA_TransparentForMouseEvents);
    streaks->legend()->hide();
    // A fixed plot area leaves the labels at the left their full width.
    streaks->setPlotArea(QRectF(176, 20, 216, 56));
    m_bars = new QHorizontalBarSeries;
    m_bars->setLabelsVisible(true);
    m_bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    m_bars->setBarWidth(0.8);
    streaks->addSeries(m_bars);
    m_valueAxis = new QValueAxis;
    m_valueAxis->setVisible(false);
    streaks->addAxis(m_valueAxis, Qt::AlignBottom);
    m_bars->attachAxis(m_valueAxis);
    m_categoryAxis = new QBarCategoryAxis;
    m_categoryAxis->setTruncateLabels(false);
    m_categoryAxis->setGridLineVisible(false);
    m_categoryAxis->setLabelsFont(ArialPixels(10));
    streaks->addAxis(m_categoryAxis, Qt::AlignLeft);
    m_bars->attachAxis(m_categoryAxis);
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
    for (QChartView* view : {m_gamesWonChart, m_streakChart})
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& pos) { ShowPopupMenu(view->mapTo(this, pos)); });
}

TStatisticsDlg::~TStatisticsDlg() = default;

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
    for (const char* key : {"GamesAttempted", "GamesWon", "AvgScore"}) {
        m_profile.SetEntry(QString::fromLatin1(key));
        m_profile.SetText(None);
    }
    FillDialog();
}

void TStatisticsDlg::ClearStreaksClick() {
    for (const char* key : {"LongestStreak", "CurrentStreak"}) {
        m_profile.SetEntry(QString::fromLatin1(key));
        m_profile.SetText(None);
    }
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
        m_totalAttemptsField->setText(attempts);
        const QString won = m_profile.Read(QStringLiteral("GamesWon"));
        FillPie(ProfileText::ToInt(attempts), won == None ? 0 : ProfileText::ToInt(won));
        m_gamesWonChart->show();

        const QString avg = m_profile.Read(QStringLiteral("AvgScore"));
        bool ok = false;
        const double value = avg == None ? 0.0 : ProfileText::ToDouble(avg, &ok);
        // A damaged average only costs its own field; the rest is still shown.
        const bool vegas = m_gameIndex == GI_KLONDIKE && m_prefs && m_prefs().VegasScoring;
        m_avgScoreField->setText(ok ? AverageText(value, vegas) : QStringLiteral("N/A"));
    }
    FillStreaks();
}

void TStatisticsDlg::FillPie(int attempts, int won) {
    // A hand-edited file may claim more wins than attempts; a slice cannot be negative.
    won = std::max(won, 0);
    const int lost = std::max(attempts - won, 0);
    const double total = double(won) + double(lost);

    m_pie->clear();
    auto addSlice = [this, total](const QString& name, int value, const QColor& color) {
        const double percent = total > 0 ? 100.0 * value / total : 0.0;
        auto* slice = new QPieSlice(PercentText(percent), value);
        slice->setProperty(EntryName, name);
        slice->setColor(color);
        slice->setBorderColor(Qt::black);
        slice->setLabelVisible(true);
        slice->setLabelPosition(QPieSlice::LabelInsideHorizontal);
        slice->setLabelColor(Qt::white);
        slice->setLabelFont(ArialPixels(11));
        m_pie->append(slice);
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
    // The slices carry their percentage; the legend names them with their count.
    const auto markers = m_gamesWonChart->chart()->legend()->markers(m_pie);
    const auto slices = m_pie->slices();
    for (int i = 0; i < markers.size() && i < slices.size(); ++i)
        markers[i]->setLabel(QStringLiteral("%1: %2")
                                 .arg(slices[i]->property(EntryName).toString())
                                 .arg(qRound(slices[i]->value())));
}

void TStatisticsDlg::FillStreaks() {
    const QString longest = m_profile.Read(QStringLiteral("LongestStreak"));
    if (longest == None) {
        m_streakChart->hide();
        m_streakChart->setEnabled(false);
        return;
    }

    // The bars are rebuilt every time, so a damaged date never leaves another
    // game's bars on show. One set holds both bars; the current streak is the
    // set's selected bar, which gives it its own colour.
    m_bars->clear();
    QStringList categories;
    QList<qreal> values;
    bool dateOk = false;
    const double days = ProfileText::ToDouble(m_profile.Read(QStringLiteral("LongestStreakDate")), &dateOk);
    if (dateOk && std::isfinite(days)) {
        const QDate date = ProfileText::ToDateTime(days).date();
        categories.append(QStringLiteral("Longest Streak, Ended ") +
                          QLocale::system().toString(date, QLocale::ShortFormat));
        values.append(ProfileText::ToInt(longest));
    }
    const QString current = m_profile.Read(QStringLiteral("CurrentStreak"));
    const bool hasCurrent = current != None && ProfileText::ToInt(current) > 0;
    if (hasCurrent) {
        categories.append(QStringLiteral("Current Streak"));
        values.append(ProfileText::ToInt(current));
    }
    if (!values.isEmpty()) {
        auto* set = new QBarSet(QStringLiteral("Winning Streaks"));
        set->append(QList<qreal>(values.rbegin(), values.rend()));
        set->setColor(LostColor);
        set->setSelectedColor(WonColor);
        set->setLabelColor(Qt::white);
        if (hasCurrent)
            set->selectBar(0);
        m_bars->append(set);
    }
    // A horizontal chart draws its first category at the bottom; the longest
    // streak goes on top.
    std::reverse(categories.begin(), categories.end());
    m_categoryAxis->setCategories(categories);
    qreal top = 1;
    for (qreal value : values)
        top = std::max(top, value);
    m_valueAxis->setRange(0, top);
    const bool any = m_bars->count() > 0;
    m_streakChart->setVisible(any);
    m_streakChart->setEnabled(any);
}

void TStatisticsDlg::ShowPopupMenu(const QPoint& pos) {
    m_popupMenu->popup(mapToGlobal(pos));
}

QList<TStatisticsDlg::Entry> TStatisticsDlg::PieEntries() const {
    QList<Entry> entries;
    for (QPieSlice* slice : m_pie->slices())
        entries.append(
            {slice->property(EntryName).toString(), slice->value(), slice->color(), slice->label()});
    return entries;
}

QList<TStatisticsDlg::Entry> TStatisticsDlg::StreakEntries() const {
    QList<Entry> entries;
    const auto sets = m_bars->barSets();
    if (sets.isEmpty())
        return entries;
    QBarSet* set = sets.first();
    const QStringList categories = m_categoryAxis->categories();
    // In the order the bars were added: the chart lists them bottom up.
    for (int i = set->count() - 1; i >= 0; --i)
        entries.append({categories.value(i), set->at(i),
                        set->isBarSelected(i) ? set->selectedColor() : set->color(), QString()});
    return entries;
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
