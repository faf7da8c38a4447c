#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

namespace db::jet {

// Jet's file versions as the header page's version byte gives them.
enum class Version { Jet3, Jet4 };

// The version of a Jet database whose first bytes are given, or nothing for any other file.
std::optional<Version> versionOf(const QByteArray &firstBytes);

// Page size of the version: the unit of the file and of its header page.
int pageSize(Version version);

// RC4 under a four-byte key over the bytes, its own inverse: Jet hides the header page's settings
// under it, and each further page of an encrypted file under the file's key and the page number.
void rc4Xor(const std::array<quint8, 4> &key, quint8 *data, int length);

// Removes (or applies: the transformation is its own inverse) the fixed keystream that hides the
// header page's settings. page holds at least the header page's first bytes.
void toggleHeaderMask(QByteArray &page);

// The database password stored in a Jet 4 header page, empty when none is set; nothing when the
// page is too short to hold one.
std::optional<QString> storedPassword(const QByteArray &headerPage);

// Raises 3031 "Not a valid password." when the file carries a password other than the given one.
// A file without a password opens with any password; the caller has checked that the page is
// whole. Jet 3 files are not checked: their password
// field is kept under a mask we have no file to verify against.
void checkPassword(Version version, const QByteArray &headerPage, const QString &password);

} // namespace db::jet
