#pragma once

// The values of a Jet file as another Jet reader wrote them down (tests/fixtures/jet-real/README.md
// describes the form), and the comparison of a value the database layer hands out with one of them.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace jetreference {

struct Column
{
    QString name;
    QString type; // TEXT, MEMO, LONG, INT, BYTE, BOOLEAN, MONEY, NUMERIC, FLOAT, DOUBLE, ...
};

struct Table
{
    QString name;
    QList<Column> columns;
    QList<QStringList> rows; // each value as the reference writes it
};

// The tables of a reference file; empty with a reason when it cannot be read.
QList<Table> read(const QString &path, QString *error);

// Empty when the value is the one the reference writes for a column of the type, else what differs.
QString mismatch(const QVariant &value, const QString &type, const QString &expected);

} // namespace jetreference
