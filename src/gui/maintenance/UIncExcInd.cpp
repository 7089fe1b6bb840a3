#include "UIncExcInd.h"

#include "common/Dialogs.h"

#include <QString>

void OpenIndividualInclusion(QWidget*)
{
    Dialogs::current().message(QStringLiteral("Em construção."));
}

