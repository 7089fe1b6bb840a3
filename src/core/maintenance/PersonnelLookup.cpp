#include "PersonnelLookup.h"

#include <QSet>

namespace {

const QString TwoBlanks = QStringLiteral("  ");

// Calls `visit` for each soldier in use: record 1 up to the first record with an empty Nome.
template <typename Visit>
void forEachSoldier(const std::vector<SoldierRecord>& soldiers, Visit&& visit)
{
    for (std::size_t i = 1; i < soldiers.size() && !soldiers[i].Nome.isEmpty(); ++i)
        visit(soldiers[i]);
}

}

QString LookupLineA(const SoldierRecord& soldier)
{
    return soldier.Num.leftJustified(4) + TwoBlanks + soldier.PstGrd + TwoBlanks + soldier.Nome;
}

QString LookupLineB(const SoldierRecord& soldier)
{
    return soldier.Num + QString(6, QLatin1Char(' ')) + soldier.PstGrd + TwoBlanks + soldier.Nome;
}

QStringList LookupByNumber(const std::vector<SoldierRecord>& soldiers, const QString& typed)
{
    const QString num = typed.left(4);
    QStringList lines;
    if (num.isEmpty())
        return lines;
    forEachSoldier(soldiers, [&](const SoldierRecord& s) {
        if (lines.isEmpty() && s.Num == num)
            lines << LookupLineB(s);
    });
    return lines;
}

QStringList LookupByName(const std::vector<SoldierRecord>& soldiers, const QString& part)
{
    QStringList lines;
    if (part.isEmpty())
        return lines;
    forEachSoldier(soldiers, [&](const SoldierRecord& s) {
        if (s.Nome.contains(part, Qt::CaseSensitive))
            lines << LookupLineA(s);
    });
    return lines;
}

QStringList LookupByRank(const std::vector<SoldierRecord>& soldiers, const QStringList& ranks)
{
    const QSet<QString> wanted(ranks.begin(), ranks.end());
    QStringList lines;
    forEachSoldier(soldiers, [&](const SoldierRecord& s) {
        if (!s.PstGrd.isEmpty() && wanted.contains(s.PstGrd))
            lines << LookupLineB(s);
    });
    return lines;
}

QStringList LookupEverySoldier(const std::vector<SoldierRecord>& soldiers)
{
    QStringList lines;
    forEachSoldier(soldiers, [&](const SoldierRecord& s) { lines << LookupLineA(s); });
    return lines;
}

QString LookupLineNumber(const QString& line)
{
    QString number = line.left(6);
    while (number.endsWith(QLatin1Char(' ')))
        number.chop(1);
    return number;
}
