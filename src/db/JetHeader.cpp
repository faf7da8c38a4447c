#include "db/JetHeader.h"

#include "db/Database.h"
#include "platform/VbError.h"

#include <QtEndian>
#include <array>
#include <cmath>
#include <cstring>

namespace db::jet {

namespace {

constexpr char kSignature[] = "Standard Jet DB";
constexpr int kSignatureOffset = 4;
constexpr int kVersionOffset = 0x14;

// The hidden part of the header page and the RC4 key it is hidden under.
constexpr int kMaskedOffset = 0x18;
constexpr int kMaskedLength = 128;
constexpr std::array<quint8, 4> kHeaderKey = {0xC7, 0xDA, 0x39, 0x6B};

// Jet 4: the creation date (a double) whose whole part masks the password, and the password,
// 20 UTF-16 characters.
constexpr int kCreationDateOffset = 0x72;
constexpr int kPasswordOffset = 0x42;
constexpr int kPasswordBytes = 40;

} // namespace

void rc4Xor(const std::array<quint8, 4> &key, quint8 *data, int length)
{
    std::array<quint8, 256> s;
    for (int i = 0; i < 256; ++i)
        s[i] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % key.size()]) & 0xff;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xff;
        j = (j + s[i]) & 0xff;
        std::swap(s[i], s[j]);
        data[n] ^= s[(s[i] + s[j]) & 0xff];
    }
}

std::optional<Version> versionOf(const QByteArray &firstBytes)
{
    if (firstBytes.size() <= kVersionOffset ||
        std::memcmp(firstBytes.constData() + kSignatureOffset, kSignature, sizeof kSignature) != 0)
        return std::nullopt;
    switch (firstBytes.at(kVersionOffset)) {
    case 0: return Version::Jet3;
    case 1: return Version::Jet4;
    default: return std::nullopt;
    }
}

int pageSize(Version version)
{
    return version == Version::Jet3 ? 2048 : 4096;
}

void toggleHeaderMask(QByteArray &page)
{
    const int length = std::min<int>(kMaskedLength, int(page.size()) - kMaskedOffset);
    if (length > 0)
        rc4Xor(kHeaderKey, reinterpret_cast<quint8 *>(page.data()) + kMaskedOffset, length);
}

std::optional<QString> storedPassword(const QByteArray &headerPage)
{
    if (headerPage.size() < kMaskedOffset + kMaskedLength)
        return std::nullopt;
    QByteArray page = headerPage.left(kMaskedOffset + kMaskedLength);
    toggleHeaderMask(page);
    const double created = qFromLittleEndian<double>(page.constData() + kCreationDateOffset);
    quint32 whole = 0;
    if (std::isfinite(created) && std::fabs(created) < 4.0e9)
        whole = quint32(qint64(created));
    uchar mask[4];
    qToLittleEndian(whole, mask);
    QString password;
    for (int i = 0; i < kPasswordBytes; i += 2) {
        const auto low = quint8(page.at(kPasswordOffset + i)) ^ mask[i % 4];
        const auto high = quint8(page.at(kPasswordOffset + i + 1)) ^ mask[(i + 1) % 4];
        const char16_t c = char16_t(low | (high << 8));
        if (c == 0)
            break;
        password += QChar(c);
    }
    return password;
}

void checkPassword(Version version, const QByteArray &headerPage, const QString &password)
{
    if (version != Version::Jet4)
        return;
    const std::optional<QString> stored = storedPassword(headerPage);
    if (stored && !stored->isEmpty() && *stored != password)
        throw platform::VbError(dberr::InvalidPassword, QStringLiteral("Not a valid password."));
}

} // namespace db::jet
