#pragma once

#include <QString>
#include <exception>

namespace platform {

// An error raised to the caller: the number and description the callers branch on,
// and the source that names where it was raised again ("Velkor_PEDmodDBase.GetText").
class VbError : public std::exception
{
public:
    VbError(int number, QString description, QString source = {})
        : m_number(number),
          m_description(std::move(description)),
          m_source(std::move(source)),
          m_what(m_description.toUtf8())
    {
    }

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const QString &source() const { return m_source; }
    void setSource(const QString &source) { m_source = source; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

// Error numbers of the runtime that several layers raise.
namespace vberr {
constexpr int SubscriptOutOfRange = 9;
constexpr int Overflow = 6;
constexpr int TypeMismatch = 13;
constexpr int InvalidUseOfNull = 94;
constexpr int ObjectNotSet = 91;
constexpr int ArgumentNotOptional = 449;
constexpr int InvalidProcedureCall = 5;
constexpr int FileNotFound = 53;
constexpr int PathNotFound = 76;
constexpr int PermissionDenied = 70;
constexpr int KeyAlreadyAssociated = 457;
} // namespace vberr

// Raised for an index outside an array, collection or list.
[[noreturn]] inline void raiseSubscriptOutOfRange()
{
    throw VbError(vberr::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}

// Raised where an object needed is missing (no current material, no window behind a report).
[[noreturn]] inline void throwObjectNotSet()
{
    throw VbError(vberr::ObjectNotSet, QStringLiteral("Object variable or With block variable not set"));
}

} // namespace platform
