// The build without pxlib (the Windows one): Paradox tables cannot be read, and the import says so
// before it looks at anything.
#include "ParadoxTable.h"

#include "CoreError.h"

namespace ParadoxTable {

bool Available()
{
    return false;
}

QString UnavailableMessage()
{
    return QStringLiteral("Esta compilação do Ravelha não importa tabelas Paradox.");
}

Contents Read(const QString&, int)
{
    throw CoreError(UnavailableMessage());
}

}
