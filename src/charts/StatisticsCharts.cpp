// The statistics dialog's charts behind a module of their own: Qt Charts and
// the OpenGL libraries it pulls in are loaded when the dialog is first made,
// instead of at every start of the program. This links Qt only; the dialog
// talks to it through shell/StatisticsCharts.h.
#include "shell/StatisticsCharts.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QPointer>
#include <QValueAxis>
#include <algorithm>

namespace {

const char* const EntryName = "entryName";
// A legend row's colour box, the spaces around it and the legend's own margins.
constexpr qreal LegendMarkerRoom = 40;

QFont ArialPixels(int pixels) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    return font;
}

QChartView* MakeChartView(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->legend()->setAlignment(Qt::AlignLeft);
    chart->legend()->setFont(ArialPixels(11));
    auto* view = new QChartView(chart, parent); // the view owns the chart
    view->setObjectName(name);
    view->setGeometry(geometry);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::Box);
    return view;
}

class Charts final : public StatisticsCharts {
public:
    QWidget* MakePieChart(QWidget* parent, const QString& name, const QRect& geometry) override {
        m_pieView = MakeChartView(parent, name, geometry);
        m_pie = new QPieSeries;
        m_pie->setPieSize(0.85);
        m_pie->setHorizontalPosition(0.5);
        m_pieView->chart()->addSeries(m_pie);
        // Room at the right for the two figures that lie over the chart.
        m_pieView->chart()->setMargins(QMargins(4, 4, 112, 4));
        return m_pieView;
    }

    QWidget* MakeStreakChart(QWidget* parent, const QString& name, const QRect& geometry) override {
        m_streakView = MakeChartView(parent, name, geometry);
        QChart* chart = m_streakView->chart();
        chart->legend()->hide();
        // A fixed plot area leaves the labels at the left their full width.
        chart->setPlotArea(QRectF(176, 20, 216, 56));
        m_bars = new QHorizontalBarSeries;
        m_bars->setLabelsVisible(true);
        m_bars->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
        m_bars->setBarWidth(0.8);
        chart->addSeries(m_bars);
        m_valueAxis = new QValueAxis;
        m_valueAxis->setVisible(false);
        chart->addAxis(m_valueAxis, Qt::AlignBottom);
        m_bars->attachAxis(m_valueAxis);
        m_categoryAxis = new QBarCategoryAxis;
        m_categoryAxis->setTruncateLabels(false);
        m_categoryAxis->setGridLineVisible(false);
        m_categoryAxis->setLabelsFont(ArialPixels(10));
        chart->addAxis(m_categoryAxis, Qt::AlignLeft);
        m_bars->attachAxis(m_categoryAxis);
        return m_streakView;
    }

    void SetPie(const QList<Entry>& slices) override {
        if (!m_pieView)
            return;
        m_pie->clear();
        for (const Entry& entry : slices) {
            auto* slice = new QPieSlice(entry.mark, entry.value);
            slice->setProperty(EntryName, entry.label);
            slice->setLabelVisible(true);
            slice->setLabelPosition(QPieSlice::LabelInsideHorizontal);
            slice->setLabelFont(ArialPixels(11));
            m_pie->append(slice);
            // Set after the append, which dresses the slice in the theme's
            // colours with a white border. A slice of nothing would still draw
            // that border, as a white seam across the pie: a slice's border is
            // its own colour, and an empty slice has none.
            slice->setColor(entry.color);
            slice->setPen(entry.value > 0 ? QPen(entry.color) : QPen(Qt::NoPen));
            slice->setLabelColor(Qt::white);
        }
        // The slices carry their percentage; the legend names them with their count.
        const auto markers = m_pieView->chart()->legend()->markers(m_pie);
        const auto shown = m_pie->slices();
        for (int i = 0; i < markers.size() && i < shown.size(); ++i)
            markers[i]->setLabel(QStringLiteral("%1: %2")
                                     .arg(shown[i]->property(EntryName).toString())
                                     .arg(qRound(shown[i]->value())));
        // The legend keeps the width it measured for the slices' own labels and
        // would cut the longer names short.
        QLegend* legend = m_pieView->chart()->legend();
        qreal widest = 0;
        for (QLegendMarker* marker : markers)
            widest =
                std::max<qreal>(widest, QFontMetricsF(legend->font()).horizontalAdvance(marker->label()));
        legend->setMinimumWidth(widest + LegendMarkerRoom);
    }

    void SetStreaks(const QStringList& labels, const QList<double>& values, int selected, const QColor& color,
                    const QColor& selectedColor) override {
        if (!m_streakView)
            return;
        // Rebuilt every time, so no bar of the game shown before remains. One
        // set holds every bar; the selected one gets the set's selected colour.
        // A horizontal chart draws its first category at the bottom, so both
        // lists go in reversed.
        m_bars->clear();
        const qsizetype count = std::min(labels.size(), values.size());
        if (count > 0) {
            auto* set = new QBarSet(QStringLiteral("Winning Streaks"));
            for (qsizetype i = count - 1; i >= 0; --i)
                set->append(values[i]);
            set->setColor(color);
            set->setSelectedColor(selectedColor);
            set->setLabelColor(Qt::white);
            if (selected >= 0 && selected < count)
                set->selectBar(int(count - 1 - selected));
            m_bars->append(set);
        }
        QStringList categories;
        for (qsizetype i = count - 1; i >= 0; --i)
            categories.append(labels[i]);
        m_categoryAxis->setCategories(categories);
        double top = 1;
        for (qsizetype i = 0; i < count; ++i)
            top = std::max(top, values[i]);
        m_valueAxis->setRange(0, top);
    }

    QList<Entry> PieEntries() const override {
        QList<Entry> entries;
        if (!m_pieView)
            return entries;
        for (QPieSlice* slice : m_pie->slices())
            entries.append(
                {slice->property(EntryName).toString(), slice->value(), slice->color(), slice->label()});
        return entries;
    }

    QList<Entry> StreakEntries() const override {
        QList<Entry> entries;
        if (!m_streakView || m_bars->barSets().isEmpty())
            return entries;
        QBarSet* set = m_bars->barSets().first();
        const QStringList categories = m_categoryAxis->categories();
        // Top down, as they were set: the chart lists them bottom up.
        for (int i = set->count() - 1; i >= 0; --i)
            entries.append({categories.value(i), set->at(i),
                            set->isBarSelected(i) ? set->selectedColor() : set->color(), QString()});
        return entries;
    }

private:
    // The views belong to their parent widget and may go first; the series and
    // axes belong to the views' charts and are used only while their view lives.
    QPointer<QChartView> m_pieView;
    QPointer<QChartView> m_streakView;
    QPieSeries* m_pie = nullptr;
    QHorizontalBarSeries* m_bars = nullptr;
    QBarCategoryAxis* m_categoryAxis = nullptr;
    QValueAxis* m_valueAxis = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT StatisticsCharts* QuintaroCreateStatisticsCharts() {
    return new Charts;
}
