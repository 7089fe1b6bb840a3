#include "SwapSummary.h"

#include "data/Dates.h"
#include "data/UGlobal.h"
#include "rostering/Rules.h"

#include <cstdlib>

namespace {

const QString Nobody = QStringLiteral("0");

// "31 (Cb Lemos)"; a number without a personnel record says so.
QString who(const QString& num)
{
    const int index = FindSoldier(num);
    if (index == 0)
        return num + QStringLiteral(" (sem cadastro)");
    const SoldierRecord& s = Global().SoldierTable[index];
    return num + QStringLiteral(" (") + QStringList{s.PstGrd, s.Nome}.join(QLatin1Char(' ')).trimmed()
        + QLatin1Char(')');
}

QString shownList(const QString& list)
{
    return ListedNumbers(list).join(QLatin1Char(' '));
}

QString movement(const SwapFacts& f)
{
    if (f.a == Nobody)
        return QStringLiteral("Entra %1; ninguém sai.").arg(who(f.b));
    if (f.b == Nobody)
        return QStringLiteral("Sai %1; ninguém entra.").arg(who(f.a));
    if (f.choice == SwapChoice::AandB)
        return QStringLiteral("Entra %1 e %2 fica no serviço: computa-se o serviço para os dois.").arg(who(f.b), who(f.a));
    return QStringLiteral("Sai %1 e entra %2: computa-se o serviço só para %3.").arg(who(f.a), who(f.b), f.b);
}

// The row of a soldier in a roster table, or 0.
int rowOf(const RosterTable& roster, const QString& num)
{
    for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row)
        if (roster.cell(RosterTable::NumCol, row) == num)
            return row;
    return 0;
}

QStringList countLines(const SwapFacts& f, const QString& num, const std::vector<RosterTable>& after)
{
    const GlobalModel& g = Global();
    const int column = f.kind == QStringLiteral("Vm") ? RosterTable::VmCol : RosterTable::PtCol;
    QStringList lines;
    for (int n = 1; n <= Capacity::Services; ++n) {
        if (g.ServiceTable[n].Descr.isEmpty())
            continue;
        const int row = rowOf(g.Grades[n], num);
        if (row == 0)
            continue;
        lines << QStringLiteral("%1 em %2: %3 de %4 para %5")
                     .arg(num, g.ServiceTable[n].Descr, f.kind, g.Grades[n].cell(column, row),
                          after[n].cell(column, rowOf(after[n], num)));
    }
    if (lines.isEmpty())
        lines << QStringLiteral("%1 não está em nenhuma escala: nenhuma contagem muda.").arg(num);
    return lines;
}

// The rules of the automatic roster that B would break that day.
QStringList warnings(const SwapFacts& f)
{
    const GlobalModel& g = Global();
    const QString day = Dates::show(f.day);
    QStringList lines;
    if (rowOf(g.Grades[f.serviceCode], f.b) == 0)
        lines << QStringLiteral("Atenção: %1 não está na escala de %2.").arg(f.b, g.ServiceTable[f.serviceCode].Descr);
    const int index = FindSoldier(f.b);
    if (index == 0)
        return lines;
    const SoldierRecord& s = g.SoldierTable[index];
    if (s.Ini.isValid() && s.Fim.isValid() && s.Ini <= f.day && f.day <= s.Fim) {
        const QString period = Dates::show(s.Ini) + QStringLiteral(" a ") + Dates::show(s.Fim);
        lines << (s.PR == QStringLiteral("P")
                      ? QStringLiteral("Atenção: %1 está previsto sair da escala de %2.").arg(f.b, period)
                      : QStringLiteral("Atenção: %1 está fora da escala de %2.").arg(f.b, period));
    }
    QStringList sameDay;
    for (int i = 1; i <= HistoryInUse(); ++i) {
        const HistoryRecord& h = g.HistoryCache[i];
        if (h.Dia == f.day && h.CodSv != f.serviceCode && ListedNumbers(h.Num).contains(f.b))
            sameDay << h.Descr;
    }
    bool servedThatDay = !sameDay.isEmpty();
    for (const QDate& served : s.USv) {
        if (!served.isValid())
            continue;
        const qint64 apart = std::llabs(served.toJulianDay() - f.day.toJulianDay());
        if (apart == 0)
            servedThatDay = true;
        else if (apart < 3)
            lines << QStringLiteral("Atenção: %1 não terá folga de 48 Hs no dia %2: tem serviço no dia %3.")
                         .arg(f.b, day, Dates::show(served));
    }
    if (servedThatDay)
        lines << (sameDay.isEmpty() ? QStringLiteral("Atenção: %1 já tem serviço no dia %2.").arg(f.b, day)
                                    : QStringLiteral("Atenção: %1 já tem serviço no dia %2: %3.")
                                          .arg(f.b, day, sameDay.join(QStringLiteral(", "))));
    return lines;
}

}

QStringList SwapSummary(const SwapFacts& f, const std::vector<RosterTable>& gradesAfter)
{
    const QString descr = Global().ServiceTable[f.serviceCode].Descr;
    QStringList lines;
    lines << QStringLiteral("Serviço: %1   Dia: %2 (%3)").arg(descr, Dates::show(f.day), f.kind);
    lines << movement(f);
    lines << QStringLiteral("Histórico antes:  ") + shownList(f.listBefore);
    lines << QStringLiteral("Histórico depois: ")
                 + (ListedNumbers(f.listAfter).isEmpty() ? QStringLiteral("ninguém; o registro sai do histórico")
                                                         : shownList(f.listAfter));
    for (const QString& num : f.credited + f.debited)
        lines << countLines(f, num, gradesAfter);
    if (f.b != Nobody)
        lines << warnings(f);
    return lines;
}
