#include "ServiceEntries.h"

#include "data/UGlobal.h"

QStringList ServiceEntries()
{
    const ServiceList& services = Global().ServiceTable;
    QStringList entries;
    for (int n = 1; n <= Capacity::Services; ++n)
        entries << QString::number(services[n].CodSv) + QStringLiteral("   ") + services[n].Descr;
    return entries;
}

std::optional<int> ServiceCodeOfEntry(const QString& entry)
{
    QString code = entry.left(2);
    while (code.endsWith(QLatin1Char(' ')))
        code.chop(1);
    if (code.isEmpty())
        return std::nullopt;
    bool ok = false;
    const int value = code.toInt(&ok);
    return ok ? value : 0;
}

std::optional<QString> UnregisteredServiceRefusal(int code)
{
    if (code >= 1 && code <= Capacity::Services && !Global().ServiceTable[code].Descr.isEmpty())
        return std::nullopt;
    return QStringLiteral("O código %1 não é de um serviço cadastrado; escolha um serviço da lista.").arg(code);
}
