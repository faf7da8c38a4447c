#pragma once

// The chooser dialogs' entry points and their shared result, and record navigation on a recordset.

#include <QString>
#include <QVariant>

namespace db {
class Recordset;
}

namespace modDBase {

// The value the last chooser dialog returned; empty when it was cancelled or had nothing to offer.
extern QString gSelection;

// gSelection := the value as text (dates as YYYY-MM-DD, the form the search criteria match).
void SetSelection(const QVariant &vSelection);

// The moves of the navigation buttons, in the buttons' order.
enum Navigation : qint16 { MoveFirst = 0, MovePrevious = 1, MoveNext = 2, MoveLast = 3 };
constexpr int NavigationButtons = 4;

// Moves to the record how names. Never leaves the recordset without a current record; does
// nothing on an empty recordset or one without a current record.
void RecordNavigate(db::Recordset *rs, qint16 how);

// Shows the record chooser over the field of the query; returns the chosen value or "".
// The database "DatabaseName" stands for the open material database.
QString SelectFromList(const QString &strSQL, const QString &strField, const QString &strNoun,
                       const QString &strDbName);

// Shows the standard chooser over the rows of the query; returns the chosen standard or "".
QString SelectStandard(const QString &strSQL, const QString &strDbName);

// "abc" -> "a*b*c*": every character followed by a star.
QString MakeLikePattern(const QString &strText);

// The database name the choosers use for "DatabaseName".
QString OpenDatabaseName();

// A typed text for inside a LIKE pattern: quotes doubled, "[" made literal; "*", "?" and "#"
// (one digit) stay wildcards, as users type them.
QString LikeText(const QString &strText);

} // namespace modDBase
