#pragma once

#include "controls/Report.h"
#include "db/DataControl.h"

#include <QStringList>
#include <functional>

// A report that records its events and, unbound, hands out the given rows of field "Value".
class LoggingReport : public controls::Report
{
    using Kind = controls::ReportSection::Kind;
    using ReportField = controls::ReportField;
    using ReportSection = controls::ReportSection;

public:
    LoggingReport(QString tag, QStringList *log) : m_tag(std::move(tag)), m_log(log)
    {
        addSection(Kind::ReportHeader, QStringLiteral("ReportHeader"), 300);
        addSection(Kind::PageHeader, QStringLiteral("PageHeader"), 0);
        addSection(Kind::GroupHeader, QStringLiteral("gh1"), 300);
        addSection(Kind::GroupHeader, QStringLiteral("gh2"), 300);
        detail = addSection(Kind::Detail, QStringLiteral("Detail"), 283);
        valueBox = detail->controls().addField(QStringLiteral("txtValue"), 0, 0, 2000, 283);
        addSection(Kind::GroupFooter, QStringLiteral("gf1"), 300);
        addSection(Kind::PageFooter, QStringLiteral("PageFooter"), 285);
    }

    void bind(const QString &database, const QString &source)
    {
        dataControl()->setDatabaseName(database);
        dataControl()->setRecordSource(source);
        valueBox->setDataField(QStringLiteral("Rp02"));
    }
    void feed(const QStringList &rows)
    {
        m_rows = rows;
        m_unbound = true;
        valueBox->setDataField(QStringLiteral("Value"));
    }

    std::function<void(LoggingReport &)> onStart;
    std::function<void(LoggingReport &, int row)> onDetailFormat;
    std::function<void(LoggingReport &)> onEnd;
    ReportSection *detail = nullptr;
    ReportField *valueBox = nullptr;
    int formattedRows = 0;

protected:
    void reportStart() override
    {
        log(QStringLiteral("ReportStart"));
        if (onStart)
            onStart(*this);
    }
    void dataInitialize() override
    {
        log(QStringLiteral("DataInitialize"));
        if (m_unbound)
            fields().add(QStringLiteral("Value"));
    }
    void fetchData(bool &eof) override
    {
        log(QStringLiteral("FetchData"));
        if (!m_unbound || m_next >= m_rows.size()) {
            eof = true;
            return;
        }
        fields().setValue(QStringLiteral("Value"), m_rows.at(m_next++));
        eof = false;
    }
    void formatSection(ReportSection &section) override
    {
        log(QStringLiteral("Format ") + section.name());
        if (section.kind() == Kind::Detail && onDetailFormat)
            onDetailFormat(*this, ++formattedRows);
    }
    void reportEnd() override
    {
        log(QStringLiteral("ReportEnd"));
        if (onEnd)
            onEnd(*this);
    }

private:
    void log(const QString &event)
    {
        if (m_log)
            m_log->append(m_tag + QLatin1Char(' ') + event);
    }
    QString m_tag;
    QStringList *m_log;
    QStringList m_rows;
    int m_next = 0;
    bool m_unbound = false;
};
