#include "platform/ErrorBoundary.h"

#include "platform/MsgBox.h"

namespace platform {

void reportError(OnError policy, const VbError &error, const QString &title)
{
    const QString number = QString::number(error.number());
    switch (policy) {
    case OnError::Silent:
    case OnError::AbsorbAny: break;
    case OnError::ShowDescription: msgBox(error.description(), vbExclamation, title); break;
    case OnError::ShowNumbered:
        msgBox(QStringLiteral("Error ") + number + QStringLiteral(": ") + error.description(), vbCritical, title);
        break;
    case OnError::ShowErrorNo:
        msgBox(QStringLiteral("Error no. ") + number + QLatin1Char(' ') + error.description(), vbCritical, title);
        break;
    }
}

} // namespace platform
