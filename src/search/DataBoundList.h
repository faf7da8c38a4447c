#pragma once

// A list bound to a data control: one row per record, showing one field; its highlight and the
// recordset's current record follow each other.

#include <QAbstractListModel>
#include <QListView>
#include <QPointer>
#include <QSharedPointer>

#include "db/DataControl.h"
#include "db/Recordset.h"

class DataListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit DataListModel(QObject *parent = nullptr);

    void setListField(const QString &field);
    QString listField() const { return m_listField; }
    // Takes the rows of the recordset (none for nullptr).
    void setRecordset(const db::Recordset *rs);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // A cell value as the list shows it: Null empty, dates as YYYY-MM-DD.
    static QString displayText(const QVariant &value);

private:
    QSharedPointer<const db::RowSet> m_rows;
    QString m_listField;
    int m_column = -1;
};

class DataBoundList : public QListView
{
    Q_OBJECT
public:
    explicit DataBoundList(QWidget *parent = nullptr);

    void setDataSource(db::DataControl *control);
    db::DataControl *dataSource() const { return m_control; }
    void setListField(const QString &field);
    QString listField() const { return m_model->listField(); }
    void setBoundColumn(const QString &field) { m_boundColumn = field; }
    QString boundColumn() const { return m_boundColumn; }

    // Re-reads the rows of the data control's recordset.
    void refill();
    // The bound field's value in the current record ("" without one).
    QString boundText() const;

    DataListModel *listModel() const { return m_model; }

signals:
    void dblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void followRecordset();
    void onCurrentChanged(const QModelIndex &current);

    DataListModel *m_model;
    QPointer<db::DataControl> m_control;
    QPointer<db::Recordset> m_connected;
    QString m_boundColumn;
    bool m_syncing = false;
};
