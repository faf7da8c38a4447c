#pragma once

#include "db/Database.h"
#include "db/Recordset.h"

#include <QObject>
#include <memory>

namespace db {

// A query source bound to a database by its name (the data controls of the windows): database name,
// connect text and record source; refresh() runs the source. The grids and lists bind to it.
// refresh() and every navigation raise platform::VbError on failure; the control then keeps no rows.
class DataControl : public QObject
{
    Q_OBJECT
public:
    explicit DataControl(QObject *parent = nullptr);
    ~DataControl() override;

    QString databaseName() const { return m_databaseName; }
    void setDatabaseName(const QString &name) { m_databaseName = name; }
    QString connectText() const { return m_connect; }
    void setConnectText(const QString &text) { m_connect = text; }
    QString recordSource() const { return m_recordSource; }
    void setRecordSource(const QString &source) { m_recordSource = source; }
    // Rows read as they are asked for (a grid over many rows), see Database::openRecordset.
    void setReadOnDemand(bool onDemand) { m_readOnDemand = onDemand; }

    // Runs the record source on the database of that name: the one this process has open under it,
    // otherwise the file opened shared and read-only with the connect text.
    void refresh();

    // The current recordset; nullptr before the first successful refresh().
    Recordset *recordset() const { return m_recordset.get(); }

    // Runs another source on the same database as refresh() would and hands its rows over; the
    // control's own recordset and the controls bound to it stay as they are.
    std::unique_ptr<Recordset> openRecordset(const QString &source);

signals:
    // The recordset was replaced (after refresh()); the bound controls reload.
    void refreshed();
    // The current record changed; also once after every successful refresh().
    void repositioned();

private:
    std::shared_ptr<Database> database() const;

    QString m_databaseName;
    QString m_connect;
    QString m_recordSource;
    bool m_readOnDemand = false;
    std::shared_ptr<Database> m_database;
    std::unique_ptr<Recordset> m_recordset;
};

} // namespace db
