#include "Removals.h"

#include "data/UDMGeral.h"

#include <algorithm>

RemovalList& RosterRemovals()
{
    static RemovalList removals;
    return removals;
}

int RemovalCount()
{
    return RosterRemovals().count;
}

void ClearRemovals()
{
    RosterRemovals() = RemovalList();
}

std::optional<QString> AddRemoval(const QString& num, const QList<int>& serviceCodes, const QList<QDate>& days)
{
    RemovalList& list = RosterRemovals();
    // An entry without a number would end the list and hide every removal after it.
    if (num.trimmed().isEmpty())
        return QStringLiteral("Digite o número do militar a retirar da escala.");
    if (list.count >= Capacity::Removals)
        return QStringLiteral("Já há %1 retiradas nesta verificação, o máximo que o Sistema comporta; "
                              "o militar %2 não foi retirado.\n\n"
                              "Para recomeçar as retiradas, use \"Desfazer\".")
            .arg(Capacity::Removals)
            .arg(num);
    if (days.size() > Capacity::RemovalDays)
        return QStringLiteral("Escolha no máximo %1 dias de cada vez (foram escolhidos %2); "
                              "o militar %3 não foi retirado.\n\n"
                              "Para mais dias, retire-o outra vez com os dias restantes.")
            .arg(Capacity::RemovalDays)
            .arg(days.size())
            .arg(num);

    TipoVetSgte entry;
    entry.Num = num.trimmed();   // " 8" typed is soldier 8
    for (int code : serviceCodes) {
        if (code >= 1 && code <= Capacity::Services)
            entry.CodSv[code - 1] = code;
    }
    for (int i = 0; i < days.size(); ++i)
        entry.Dias[i] = days.at(i);
    list.entries[list.count++] = entry;
    return std::nullopt;
}

std::optional<QString> RemovalNumberRefusal(const QString& num)
{
    const QString typed = num.trimmed();
    if (typed.isEmpty())
        return QStringLiteral("Digite o número do militar a retirar da escala.");
    if (typed.size() > Width::Num)
        return QStringLiteral("O número \"%1\" tem mais de %2 caracteres; nenhum militar foi retirado da escala.")
            .arg(typed)
            .arg(Width::Num);
    QSqlQuery soldier = TDMGeral::instance().selectBasicoByNum(typed);
    if (!soldier.next())
        return QStringLiteral("Não há militar de número %1 no Sistema; ninguém foi retirado da escala.").arg(typed);
    return std::nullopt;
}

bool NotRemoved(const QString& num, int serviceCode, const QDate& day)
{
    if (serviceCode < 1 || !day.isValid())
        return true;
    const RemovalList& list = RosterRemovals();
    for (const TipoVetSgte& entry : list.entries) {
        if (entry.Num.isEmpty())
            break;
        if (entry.Num != num)
            continue;
        const bool service = std::find(entry.CodSv.begin(), entry.CodSv.end(), serviceCode) != entry.CodSv.end();
        const bool onDay = std::find(entry.Dias.begin(), entry.Dias.end(), day) != entry.Dias.end();
        if (service && onDay)
            return false;
    }
    return true;
}
