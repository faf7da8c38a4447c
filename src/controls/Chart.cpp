#include "controls/Chart.h"

#include "platform/VbConv.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>
#include <limits>

namespace controls {

bool chartCellNumber(const QVariant &cell, double *number)
{
    if (cell.isNull() || !cell.isValid())
        return false;
    if (platform::isNumericType(cell)) {
        *number = cell.toDouble();
        return std::isfinite(*number);
    }
    QString text = cell.toString().trimmed();
    if (text.isEmpty())
        return false;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    *number = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(*number);
}

Chart::Chart(QWidget *parent) : QWidget(parent)
{
    m_chart = new QChart;
    m_chart->setMargins(QMargins(2, 2, 2, 2));
    m_chart->setBackgroundRoundness(0);
    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setAccessibleName(QStringLiteral("Chart"));
    // The chart takes the focus as its view, so that a tab order can place it.
    setFocusPolicy(m_view->focusPolicy());
    setFocusProxy(m_view);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->viewport()->installEventFilter(this);
}

Chart::~Chart() = default;

void Chart::setChartType(int type)
{
    m_chartType = type;
    invalidate();
}

void Chart::setChartData(const platform::XArray &data)
{
    m_data = data;
    m_labels = QVector<QString>(data.isAllocated() ? data.count(2) : 0);
    m_column = 1;
    invalidate();
}

void Chart::setTitleText(const QString &text)
{
    m_title = text;
    m_chart->setTitle(text);
    m_view->setAccessibleName(text.isEmpty() ? QStringLiteral("Chart") : text);
}

QString Chart::axisTitle(int axisId) const
{
    return axisId == AxisX || axisId == AxisY ? m_axisTitles[axisId] : QString();
}

void Chart::setAxisTitle(int axisId, const QString &text)
{
    if (axisId != AxisX && axisId != AxisY)
        return;
    m_axisTitles[axisId] = text;
    invalidate();
}

void Chart::setUniformAxis(bool on)
{
    m_uniformAxis = on;
    invalidate();
}

void Chart::setShowLegend(bool on)
{
    m_showLegend = on;
    m_chart->legend()->setVisible(on);
}

void Chart::setColumnCount(int count)
{
    count = qMax(0, count);
    m_labels.resize(count);
    if (count == 0) {
        m_data.clear();
    } else if (!m_data.isAllocated()) {
        m_data.redim(1, 1, 0, count - 1);
    } else {
        m_data.redimPreserve(m_data.lowerBound(1), m_data.upperBound(1), m_data.lowerBound(2),
                             m_data.lowerBound(2) + count - 1);
    }
    if (m_column > count)
        m_column = qMax(1, count);
    invalidate();
}

void Chart::setColumn(int column)
{
    if (column >= 1 && column <= columnCount())
        m_column = column;
}

QString Chart::columnLabel() const
{
    return m_column >= 1 && m_column <= columnCount() ? m_labels.at(m_column - 1) : QString();
}

void Chart::setColumnLabel(const QString &label)
{
    if (m_column < 1 || m_column > columnCount())
        return;
    m_labels[m_column - 1] = label;
    invalidate();
}

QString Chart::seriesLabel(int series) const
{
    const int c = 2 * series - 1;
    return c >= 1 && c <= columnCount() ? m_labels.at(c - 1) : QString();
}

void Chart::refresh()
{
    invalidate();
}

QChart *Chart::chart() const
{
    const_cast<Chart *>(this)->ensureBuilt();
    return m_chart;
}

void Chart::invalidate()
{
    m_dirty = true;
    if (isVisible())
        update();
    if (isVisible() && !m_buildQueued) {
        m_buildQueued = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_buildQueued = false;
                ensureBuilt();
            },
            Qt::QueuedConnection);
    }
}

void Chart::ensureBuilt()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    rebuild();
}

void Chart::showEvent(QShowEvent *event)
{
    ensureBuilt();
    QWidget::showEvent(event);
}

bool Chart::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched == m_view->viewport())
        ensureBuilt();
    return QWidget::eventFilter(watched, event);
}

void Chart::renderTo(QPainter *painter, const QRectF &target)
{
    const QSize size = target.size().toSize();
    if (size.isEmpty())
        return;
    ensureBuilt();
    const QSizeF before = m_chart->size();
    m_chart->resize(size);
    m_chart->scene()->render(painter, target, QRectF(QPointF(0, 0), size));
    m_chart->resize(before);
}

void Chart::rebuild()
{
    m_chart->removeAllSeries();
    const QList<QAbstractAxis *> axes = m_chart->axes();
    for (QAbstractAxis *axis : axes) {
        m_chart->removeAxis(axis);
        delete axis;
    }

    auto *axisX = new QValueAxis;
    auto *axisY = new QValueAxis;
    axisX->setTitleText(m_axisTitles[AxisX]);
    axisY->setTitleText(m_axisTitles[AxisY]);
    axisX->setLabelFormat(QStringLiteral("%g"));
    axisY->setLabelFormat(QStringLiteral("%g"));
    m_chart->addAxis(axisX, Qt::AlignBottom);
    m_chart->addAxis(axisY, Qt::AlignLeft);

    double minX = std::numeric_limits<double>::max(), maxX = std::numeric_limits<double>::lowest();
    double minY = minX, maxY = maxX;
    const bool hasData = m_data.isAllocated() && m_data.count(1) > 0;
    for (int s = 1; hasData && s <= seriesCount(); ++s) {
        const int xCol = m_data.lowerBound(2) + 2 * s - 2;
        if (xCol + 1 > m_data.upperBound(2))
            break;
        auto *series = new QLineSeries;
        // The legend collapses runs of blanks; the label itself keeps them.
        series->setName(seriesLabel(s).replace(QLatin1Char(' '), QChar(0x00A0)));
        series->setPointsVisible(true);
        for (int r = m_data.lowerBound(1); r <= m_data.upperBound(1); ++r) {
            double x = 0, y = 0;
            if (!chartCellNumber(m_data.value(r, xCol), &x) || !chartCellNumber(m_data.value(r, xCol + 1), &y))
                continue;
            series->append(x, y);
            minX = qMin(minX, x);
            maxX = qMax(maxX, x);
            minY = qMin(minY, y);
            maxY = qMax(maxY, y);
        }
        m_chart->addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }

    if (minX > maxX) {
        minX = minY = 0;
        maxX = maxY = 1;
    }
    if (m_uniformAxis) {
        minX = minY = qMin(minX, minY);
        maxX = maxY = qMax(maxX, maxY);
    }
    auto span = [](double &low, double &high) {
        if (low == high) {
            low -= 1;
            high += 1;
        }
    };
    span(minX, maxX);
    span(minY, maxY);
    axisX->setRange(minX, maxX);
    axisY->setRange(minY, maxY);
    axisX->applyNiceNumbers();
    axisY->applyNiceNumbers();

    m_chart->setTitle(m_title);
    m_chart->legend()->setVisible(m_showLegend);
    m_chart->legend()->setAlignment(Qt::AlignRight);
}

} // namespace controls
