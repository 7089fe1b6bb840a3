#include "UIncExcCol.h"

#include "common/Dialogs.h"

#include <QString>

void OpenCollectiveInclusion(QWidget*)
{
    Dialogs::current().message(QStringLiteral("Em construção."));
}

