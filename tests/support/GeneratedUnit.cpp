#include "GeneratedUnit.h"

#include "audit/CountLog.h"
#include "data/DataFiles.h"
#include "data/SqlTransaction.h"
#include "data/UDMGeral.h"
#include "data/UGlobal.h"

#include <QRandomGenerator>

#include <algorithm>

namespace {

QString shortDay(const QDate& day)
{
    return day.toString(QStringLiteral("dd/MM/yy"));
}

// A count as the keeper's tables hold it: mostly small, some equal, some wide when asked.
QString countText(QRandomGenerator& random, const UnitRecipe& recipe)
{
    if (recipe.wideCounts && random.bounded(4) == 0)
        return QString::number(int(random.bounded(1206)) - 5);
    return QString::number(random.bounded(recipe.sameCounts ? 3 : 12));
}

}

void BuildUnit(const UnitRecipe& recipe)
{
    QRandomGenerator random(recipe.seed);
    ResetModel();
    GlobalModel& g = Global();
    const QDate first = recipe.lastRostered.addDays(1);
    const QDate last = recipe.lastRostered.addDays(recipe.days);

    for (int i = 1; i <= recipe.soldiers; ++i) {
        SoldierRecord& s = g.SoldierTable[i];
        s.Num = QString::number(i);
        s.Nome = QStringLiteral("Militar %1").arg(i);
        s.PstGrd = QStringLiteral("Sd");
        for (int k = 0; k < 3; ++k)
            if (random.bounded(2) == 0)
                s.USv[k] = recipe.lastRostered.addDays(-int(random.bounded(12)));
        if (int(random.bounded(100)) < recipe.absencePercent) {
            const int kind = random.bounded(5);
            s.PR = kind < 2 ? QStringLiteral("P") : kind < 4 ? QStringLiteral("R") : QString();
            s.Ini = first.addDays(int(random.bounded(recipe.days + 4)) - 4);
            s.Fim = s.Ini.addDays(random.bounded(15));
        }
    }
    SaveSoldiers();

    for (int n = 1; n <= recipe.services; ++n) {
        ServiceRecord& service = g.ServiceTable[n];
        service = {n, QStringLiteral("Sv %1").arg(n), first.addDays(-400), last.addDays(400),
                   1 + int(random.bounded(recipe.quantity)), 1 + int(random.bounded(std::max(1, recipe.services / 2))),
                   {}};
        if (recipe.periods && random.bounded(3) == 0) {
            if (random.bounded(2) == 0)
                service.Ini = first.addDays(random.bounded(recipe.days));
            else
                service.Fim = first.addDays(random.bounded(recipe.days));
        }
        const int members = std::max(1, recipe.members - int(random.bounded(std::max(1, recipe.members / 5))));
        QList<int> chosen;
        for (int i = 1; i <= recipe.soldiers; ++i)
            chosen << i;
        for (int i = int(chosen.size()) - 1; i > 0; --i)
            std::swap(chosen[i], chosen[int(random.bounded(i + 1))]);
        for (int row = 1; row <= std::min(members, int(chosen.size())); ++row) {
            QString number = QString::number(chosen.at(row - 1));
            if (recipe.strangers && random.bounded(25) == 0)
                number = QString::number(recipe.soldiers + 1 + int(random.bounded(500)));
            if (g.Grades[n].lists(number))
                continue;
            int free = 1;
            while (!g.Grades[n].cell(RosterTable::NumCol, free).isEmpty())
                ++free;
            g.Grades[n].row(free) = {number, countText(random, recipe), countText(random, recipe)};
        }
    }
    SaveServices();
    SaveAllRosters();

    for (int i = 1; i <= Capacity::History; ++i)
        g.HistoryCache[i] = HistoryRecord();
    int record = 1;
    for (QDate day = recipe.lastRostered.addDays(1 - recipe.historyDays); day <= recipe.lastRostered;
         day = day.addDays(1))
        for (int n = 1; n <= recipe.services && record <= Capacity::History; ++n) {
            QStringList numbers;
            const int quantity = g.ServiceTable[n].Quant;
            for (int k = 0; k < quantity; ++k)
                numbers << QString::number(1 + random.bounded(recipe.soldiers));
            g.HistoryCache[record++] = {day, n, g.ServiceTable[n].Descr, numbers.join(QLatin1Char(' ')),
                                        day.dayOfWeek() >= 6 ? QStringLiteral("Vm") : QStringLiteral("Pt")};
        }
    SaveHistory();

    DataFiles::WriteLastRosteredDay(recipe.lastRostered);
    const QDate periodEnd = std::min(last.addDays(10), first.addDays(Capacity::RedDays - 1));
    DataFiles::WritePreparationPeriod({first, periodEnd});
    QStringList red;
    for (QDate day = first; day <= periodEnd; day = day.addDays(1))
        if (day.dayOfWeek() >= 6 || int(random.bounded(100)) < recipe.holidayPercent)
            red << shortDay(day);
    DataFiles::WriteRedDayLines(red);

    const QSqlDatabase db = TDMGeral::instance().database(Alias::Ravelha);
    SqlTransaction transaction(db);
    CountLog::StartAfresh(db);
    transaction.commit();
}

QStringList RemovalArguments(const UnitRecipe& recipe)
{
    QRandomGenerator random(recipe.seed ^ 0x5eedu);
    GlobalModel& g = Global();
    QStringList arguments;
    for (int k = 0; k < recipe.removals; ++k) {
        const int code = 1 + int(random.bounded(recipe.services));
        const QString number = g.Grades[code].cell(RosterTable::NumCol, 1 + int(random.bounded(3)));
        if (number.isEmpty())
            continue;
        QStringList days;
        for (int d = 0; d < 1 + int(random.bounded(3)); ++d)
            days << shortDay(recipe.lastRostered.addDays(1 + int(random.bounded(recipe.days))));
        days.removeDuplicates();
        const QString codes = random.bounded(2) == 0 ? QStringLiteral(":%1").arg(code) : QString();
        arguments << QStringLiteral("--retirar") << QStringLiteral("%1%2:%3").arg(number, codes, days.join(QLatin1Char(',')));
    }
    return arguments;
}

QString TargetDay(const UnitRecipe& recipe)
{
    return shortDay(recipe.lastRostered.addDays(recipe.days));
}

QString UndoDay(const UnitRecipe& recipe)
{
    return shortDay(recipe.lastRostered.addDays(1 + recipe.days / 2));
}

QString Today(const UnitRecipe& recipe)
{
    return shortDay(recipe.lastRostered.addDays(1));
}

QList<UnitRecipe> ReferenceRecipes()
{
    QList<UnitRecipe> all;
    auto add = [&all](const QString& name, quint32 seed, int services, int members, int soldiers, int quantity) -> UnitRecipe& {
        UnitRecipe recipe;
        recipe.name = name;
        recipe.seed = seed;
        recipe.services = services;
        recipe.members = members;
        recipe.soldiers = soldiers;
        recipe.quantity = quantity;
        all << recipe;
        return all.last();
    };
    {
        UnitRecipe& r = add("minima", 11, 2, 6, 8, 1);
        r.days = 3;
        r.historyDays = 5;
    }
    add("tipica", 12, 8, 60, 160, 2);
    add("afastamentos", 13, 8, 40, 100, 3).absencePercent = 30;
    {
        UnitRecipe& r = add("feriados", 14, 6, 30, 70, 2);
        r.holidayPercent = 25;
        r.days = 45;
    }
    add("retiradas", 15, 10, 50, 150, 2).removals = 8;
    add("contagens-largas", 16, 8, 60, 160, 2).wideCounts = true;
    add("contagens-iguais", 17, 12, 80, 200, 2).sameCounts = true;
    {
        UnitRecipe& r = add("estranhos-e-periodos", 18, 6, 50, 100, 2);
        r.strangers = true;
        r.periods = true;
        r.absencePercent = 10;
    }
    {
        UnitRecipe& r = add("longa", 19, 5, 40, 90, 2);
        r.days = 200;
        r.historyDays = 10;
        r.holidayPercent = 5;
    }
    {
        UnitRecipe& r = add("media", 20, 15, 200, 400, 3);
        r.absencePercent = 10;
        r.holidayPercent = 10;
        r.removals = 5;
    }
    add("capacidade", 21, Capacity::Services, Capacity::RosterRows, Capacity::Soldiers, 3).absencePercent = 5;
    {
        UnitRecipe& r = add("capacidade-variada", 22, Capacity::Services, Capacity::RosterRows, Capacity::Soldiers, 3);
        r.days = 62;
        r.absencePercent = 10;
        r.holidayPercent = 8;
        r.wideCounts = true;
        r.strangers = true;
        r.periods = true;
        r.removals = 10;
    }
    return all;
}

UnitRecipe FullCapacityRecipe()
{
    UnitRecipe recipe = ReferenceRecipe(QStringLiteral("capacidade"));
    recipe.historyDays = (Capacity::History + Capacity::Services - 1) / Capacity::Services;   // the last day partly
    return recipe;
}

UnitRecipe ReferenceRecipe(const QString& name)
{
    for (const UnitRecipe& recipe : ReferenceRecipes())
        if (recipe.name == name)
            return recipe;
    qFatal("No reference recipe named %s", qPrintable(name));
}
