#pragma once

// What the tests of Jet files share: their bytes, a column of a query, another password.

#include "db/Database.h"
#include "db/JetHeader.h"
#include "db/Recordset.h"

#include <QFile>
#include <QStringList>
#include <QtEndian>
#include <QtTest>

namespace jetfiles {

inline const QString kFixtures = QStringLiteral(VELKOR_SOURCE_DIR "/tests/fixtures/jet/");

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The values of one field over every record, joined by "|", Null as "<null>".
inline QString column(db::Database &database, const QString &sql, const QString &field)
{
    auto rs = database.openRecordset(sql);
    QStringList values;
    for (; !rs->eof(); rs->moveNext()) {
        const QVariant v = rs->field(field);
        values.append(v.isNull() ? QStringLiteral("<null>") : v.toString());
    }
    return values.join(u'|');
}

// Stores another database password in a copy of a Jet 4 header, as Access keeps it.
inline QByteArray withPassword(QByteArray file, const QString &password)
{
    file.detach();
    db::jet::toggleHeaderMask(file);
    const double created = qFromLittleEndian<double>(file.constData() + 0x72);
    uchar mask[4];
    qToLittleEndian(quint32(qint64(created)), mask);
    for (int i = 0; i < 40; ++i) {
        const int c = i / 2 < password.size() ? password.at(i / 2).unicode() : 0;
        file[0x42 + i] = char((i % 2 ? c >> 8 : c & 0xff) ^ mask[i % 4]);
    }
    db::jet::toggleHeaderMask(file);
    return file;
}

} // namespace jetfiles
