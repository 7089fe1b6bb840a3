#include "UIncExcAltSv.h"

#include "common/Dialogs.h"

#include <QString>

void OpenServiceRegister(QWidget*)
{
    Dialogs::current().message(QStringLiteral("Em construção."));
}

