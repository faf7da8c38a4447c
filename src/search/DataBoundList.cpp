#include "search/DataBoundList.h"

#include "db/DataControl.h"
#include "db/Recordset.h"
#include "platform/VbConv.h"
#include "platform/VbError.h"

#include <QDate>
#include <QDateTime>
#include <QMouseEvent>

DataListModel::DataListModel(QObject *parent) : QAbstractListModel(parent)
{
}

void DataListModel::setListField(const QString &field)
{
    beginResetModel();
    m_listField = field;
    m_column = -1;
    if (m_rows)
        for (int i = 0; i < m_rows->fieldNames.size(); ++i)
            if (m_rows->fieldNames.at(i).compare(field, Qt::CaseInsensitive) == 0) {
                m_column = i;
                break;
            }
    endResetModel();
}

void DataListModel::setRecordset(const db::Recordset *rs)
{
    beginResetModel();
    m_rows = rs ? rs->rowSet() : QSharedPointer<const db::RowSet>();
    endResetModel();
    setListField(m_listField);
}

int DataListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_rows)
        return 0;
    return m_rows->size();
}

QVariant DataListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_rows || index.row() >= m_rows->size() || index.column() != 0)
        return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (m_column < 0)
        return QString();
    const auto &row = m_rows->row(index.row());
    return m_column < row.size() ? displayText(row.at(m_column)) : QString();
}

QString DataListModel::displayText(const QVariant &value)
{
    if (platform::isNull(value))
        return QString();
    if (value.typeId() == QMetaType::QDate)
        return platform::shortDate(value.toDate());
    if (value.typeId() == QMetaType::QDateTime)
        return platform::shortDate(value.toDateTime().date());
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    try {
        return platform::cStr(value);
    } catch (const platform::VbError &) {
        return value.toString();
    }
}

DataBoundList::DataBoundList(QWidget *parent) : QListView(parent), m_model(new DataListModel(this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) { onCurrentChanged(current); });
}

void DataBoundList::setDataSource(db::DataControl *control)
{
    if (m_control)
        disconnect(m_control, nullptr, this, nullptr);
    m_control = control;
    if (m_control) {
        connect(m_control, &db::DataControl::refreshed, this, &DataBoundList::refill);
        connect(m_control, &db::DataControl::repositioned, this, &DataBoundList::followRecordset);
    }
    refill();
}

void DataBoundList::setListField(const QString &field)
{
    m_model->setListField(field);
}

void DataBoundList::refill()
{
    db::Recordset *rs = m_control ? m_control->recordset() : nullptr;
    if (m_connected && m_connected != rs)
        disconnect(m_connected, nullptr, this, nullptr);
    if (rs && m_connected != rs)
        connect(rs, &db::Recordset::repositioned, this, &DataBoundList::followRecordset);
    m_connected = rs;
    m_syncing = true;
    m_model->setRecordset(rs);
    m_syncing = false;
    followRecordset();
}

void DataBoundList::followRecordset()
{
    db::Recordset *rs = m_connected;
    const int row = rs && !rs->isClosed() ? rs->absolutePosition() : -1;
    m_syncing = true;
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, 0);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    m_syncing = false;
}

void DataBoundList::onCurrentChanged(const QModelIndex &current)
{
    if (m_syncing || !current.isValid() || !m_connected || m_connected->isClosed())
        return;
    try {
        if (m_connected->absolutePosition() != current.row())
            m_connected->setAbsolutePosition(current.row());
    } catch (const platform::VbError &) {
        followRecordset();
    }
}

QString DataBoundList::boundText() const
{
    db::Recordset *rs = m_connected;
    if (!rs || rs->isClosed() || rs->bof() || rs->eof())
        return QString();
    try {
        return DataListModel::displayText(rs->field(m_boundColumn));
    } catch (const platform::VbError &) {
        return QString();
    }
}

void DataBoundList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        emit dblClick();
}
