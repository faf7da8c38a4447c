#pragma once

#include "platform/XArray.h"

#include <QString>
#include <QVector>
#include <QWidget>

class QPainter;
class QRectF;

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace controls {

// A two-dimensional XY chart. The data are a two-dimensional array of values, rows by columns,
// read as pairs of columns: in each pair the first column holds X, the second Y, and each pair is
// one series. A cell that holds no number (Null, empty or unreadable text) leaves its point out;
// texts are read with "." or "," as the decimal sign. Columns are numbered from 1 for the current
// column and its label; the legend shows, for each series, the label of its first (X) column.
class Chart : public QWidget
{
    Q_OBJECT
public:
    static constexpr int XYChart = 16;
    static constexpr int AxisX = 0;
    static constexpr int AxisY = 1;

    explicit Chart(QWidget *parent = nullptr);
    ~Chart() override;

    int chartType() const { return m_chartType; }
    void setChartType(int type);

    // Assigning the data sets the column count to the array's columns and clears every label.
    platform::XArray chartData() const { return m_data; }
    void setChartData(const platform::XArray &data);

    QString titleText() const { return m_title; }
    void setTitleText(const QString &text);

    // Axis 0 is X, axis 1 is Y; other ids are ignored (and read empty).
    QString axisTitle(int axisId) const;
    void setAxisTitle(int axisId, const QString &text);

    // Both axes drawn over one common range.
    bool uniformAxis() const { return m_uniformAxis; }
    void setUniformAxis(bool on);

    bool showLegend() const { return m_showLegend; }
    void setShowLegend(bool on);

    int columnCount() const { return int(m_labels.size()); }
    // Keeps the data of the columns that remain; new columns are empty.
    void setColumnCount(int count);
    // The current column, 1..columnCount(); values outside are ignored.
    int column() const { return m_column; }
    void setColumn(int column);
    QString columnLabel() const;
    void setColumnLabel(const QString &label);

    int seriesCount() const { return columnCount() / 2; }
    // Legend text of series s (1-based): the label of column 2s - 1.
    QString seriesLabel(int series) const;

    // Redraws from the properties (every setter already does). The series and axes are made when
    // the chart is shown, painted, printed or read, once for all the changes before.
    void refresh();
    // Draws the chart into a rectangle of a painter (printing).
    void renderTo(QPainter *painter, const QRectF &target);

    QChart *chart() const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void invalidate();
    void ensureBuilt();
    void rebuild();

    QChartView *m_view = nullptr;
    QChart *m_chart = nullptr;
    int m_chartType = XYChart;
    platform::XArray m_data;
    QString m_title;
    QString m_axisTitles[2];
    bool m_uniformAxis = false;
    bool m_showLegend = false;
    QVector<QString> m_labels;
    int m_column = 1;
    bool m_dirty = true;
    bool m_buildQueued = false;
};

// The number a chart cell stands for; false when it holds none.
bool chartCellNumber(const QVariant &cell, double *number);

} // namespace controls
