#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

class QWidget;

// The statistics dialog's two charts, drawn by the quintaro_charts module so
// that Qt Charts is loaded only when the dialog is first made. Everything here
// is virtual, so the code and the vtable live in the module and the program
// needs no Qt Charts at all. The widgets made belong to their parent; this
// object only fills them and reads them back.
class StatisticsCharts {
public:
    // One slice or bar, as shown.
    struct Entry {
        QString label; // slice name or bar label
        double value = 0;
        QColor color;
        QString mark; // the slice's percentage mark; empty for bars
    };

    virtual ~StatisticsCharts() = default;

    // The pie chart and the streak bars, made once each as children of
    // `parent` at `geometry`, named as given. Other widgets may be laid over them.
    virtual QWidget* MakePieChart(QWidget* parent, const QString& name, const QRect& geometry) = 0;
    virtual QWidget* MakeStreakChart(QWidget* parent, const QString& name, const QRect& geometry) = 0;

    // Replaces the slices, in order. A slice shows its mark; the legend names
    // it "label: value".
    virtual void SetPie(const QList<Entry>& slices) = 0;
    // Replaces the bars, listed top down; the bar at `selected` (or none for
    // -1) is drawn in `selectedColor`, the others in `color`.
    virtual void SetStreaks(const QStringList& labels, const QList<double>& values, int selected,
                            const QColor& color, const QColor& selectedColor) = 0;

    // What is shown, in the order it was set.
    virtual QList<Entry> PieEntries() const = 0;
    virtual QList<Entry> StreakEntries() const = 0;
};

// The module's one export, "QuintaroCreateStatisticsCharts": new charts, which
// the caller owns.
using CreateStatisticsCharts = StatisticsCharts* (*)();
