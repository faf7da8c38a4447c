#include "db/DataControl.h"

#include "platform/VbError.h"

namespace db {

DataControl::DataControl(QObject *parent) : QObject(parent)
{
}

DataControl::~DataControl() = default;

void DataControl::refresh()
{
    // A handler of the old recordset's signal may be what refreshes: the old one is closed at once
    // (further use raises an error instead of reading freed rows) and deleted later.
    if (m_recordset) {
        m_recordset->disconnect(this);
        m_recordset->close();
        m_recordset.release()->deleteLater();
    }
    m_database.reset();
    m_database = database();
    m_recordset = m_database->openRecordset(m_recordSource,
                                            m_readOnDemand ? Database::ReadRows::OnDemand : Database::ReadRows::AtOnce);
    connect(m_recordset.get(), &Recordset::repositioned, this, &DataControl::repositioned);
    emit refreshed();
    emit repositioned();
}

std::unique_ptr<Recordset> DataControl::openRecordset(const QString &source)
{
    return database()->openRecordset(source);
}

std::shared_ptr<Database> DataControl::database() const
{
    std::shared_ptr<Database> database = Database::findOpen(m_databaseName);
    if (!database)
        database = Database::open(m_databaseName, false, true, m_connect);
    return database;
}

} // namespace db
