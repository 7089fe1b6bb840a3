#include "USaiEscTemp.h"

#include "common/Dialogs.h"

#include <QString>

void OpenAbsences(QWidget*)
{
    Dialogs::current().message(QStringLiteral("Em construção."));
}

void ReturnToAllRosters(QWidget*)
{
    Dialogs::current().message(QStringLiteral("Em construção."));
}

