#include "ServicesPerSoldier.h"

#include "data/Dates.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"

#include <QHash>
#include <algorithm>
#include <memory>

namespace {

const QString Soma = QStringLiteral("SOMA");
const QString NumCaption = QStringLiteral("Nº");

bool counts(const HistoryRecord& record, const QDate& from, const QDate& to, DayKindChoice kind)
{
    if (record.Dia < from || record.Dia > to)
        return false;
    if (kind == DayKindChoice::Preta)
        return record.PtVm != QStringLiteral("Vm");
    if (kind == DayKindChoice::Vermelha)
        return record.PtVm != QStringLiteral("Pt");
    return true;
}

bool allDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// The members of the rosters of the services counted in a period.
RosterMembers membersOfCounted(const std::array<QString, Capacity::Services + 1>& descr)
{
    RosterMembers members;
    auto roster = std::make_unique<RosterTable>();
    for (int code = 1; code <= Capacity::Services; ++code) {
        if (descr[code].isEmpty())
            continue;
        ClearRoster(*roster);
        LoadRoster(*roster, TableSchema::rosterFileName(code));
        for (int row = 1; row <= Capacity::RosterRows && !roster->cell(RosterTable::NumCol, row).isEmpty(); ++row)
            members[code].insert(roster->cell(RosterTable::NumCol, row));
    }
    return members;
}

QString cellText(const ServiceCounts& counts, const ServiceCounts::Soldier& soldier, int code)
{
    if (soldier.count[code] > 0)
        return QString::number(soldier.count[code]);
    return soldier.member[code] && !counts.descr[code].isEmpty() ? QStringLiteral("0") : QString();
}

}

bool SoldierNumberBefore(const QString& a, const QString& b)
{
    const bool aNumber = allDigits(a);
    const bool bNumber = allDigits(b);
    if (aNumber != bNumber)
        return aNumber;
    if (aNumber) {
        const qulonglong x = a.toULongLong();
        const qulonglong y = b.toULongLong();
        if (x != y)
            return x < y;
    }
    return a < b;
}

void SortSoldierNumbers(QStringList& numbers)
{
    std::stable_sort(numbers.begin(), numbers.end(), SoldierNumberBefore);
}

ServiceCounts CountServices(const std::vector<HistoryRecord>& history, const QDate& from, const QDate& to,
                            DayKindChoice kind, const RosterMembers& members)
{
    ServiceCounts result;
    result.from = from;
    result.to = to;
    result.kind = kind;
    QHash<QString, int> rowOf;
    for (std::size_t i = 1; i < history.size() && !history[i].Descr.isEmpty(); ++i) {
        const HistoryRecord& record = history[i];
        // The loaders refuse a code outside 1 to 30.
        if (record.CodSv < 1 || record.CodSv > Capacity::Services || !counts(record, from, to, kind))
            continue;
        // Every number of the list, also after a double blank; each soldier once per record.
        QSet<QString> seen;
        for (const QString& num : record.Num.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (seen.contains(num))
                continue;
            seen.insert(num);
            auto row = rowOf.constFind(num);
            if (row == rowOf.constEnd()) {
                row = rowOf.insert(num, int(result.soldiers.size()));
                result.soldiers.append(ServiceCounts::Soldier{num, {}, {}});
            }
            ++result.soldiers[*row].count[record.CodSv];
            result.descr[record.CodSv] = record.Descr;
        }
    }
    std::stable_sort(result.soldiers.begin(), result.soldiers.end(),
                     [](const ServiceCounts::Soldier& a, const ServiceCounts::Soldier& b) {
                         return SoldierNumberBefore(a.num, b.num);
                     });
    for (ServiceCounts::Soldier& soldier : result.soldiers)
        for (int code = 1; code <= Capacity::Services; ++code)
            soldier.member[code] = !result.descr[code].isEmpty() && members[code].contains(soldier.num);
    return result;
}

ServiceCountsOutcome CountServicesPerSoldier(const QString& fromText, const QString& toText, DayKindChoice kind)
{
    ServiceCountsOutcome outcome;
    const std::optional<QDate> from = Dates::parse(fromText);
    if (!from) {
        outcome.refusal = Dates::invalidDateMessage(fromText);
        return outcome;
    }
    const std::optional<QDate> to = Dates::parse(toText);
    if (!to) {
        outcome.refusal = Dates::invalidDateMessage(toText);
        return outcome;
    }
    LoadHistory();
    const std::vector<HistoryRecord>& history = Global().HistoryCache;
    // The services counted are known first; only their rosters are read.
    const ServiceCounts counted = CountServices(history, *from, *to, kind, RosterMembers{});
    outcome.counts = CountServices(history, *from, *to, kind, membersOfCounted(counted.descr));
    return outcome;
}

SummaryTable ShownTable(const ServiceCounts& counts, const Narrowing& narrowing)
{
    SummaryTable table;
    table.captions << NumCaption;
    for (int code = 1; code <= Capacity::Services; ++code) {
        if (counts.descr[code].isEmpty() || (narrowing.services && !narrowing.services->contains(code)))
            continue;
        table.codes << code;
        table.captions << counts.descr[code];
    }
    table.captions << Soma;

    QList<int> columnSums(table.codes.size(), 0);
    for (const ServiceCounts::Soldier& soldier : counts.soldiers) {
        if (!narrowing.soldiers.isEmpty() && !narrowing.soldiers.contains(soldier.num))
            continue;
        QStringList line{soldier.num};
        bool entry = false;
        int sum = 0;
        for (int c = 0; c < table.codes.size(); ++c) {
            const QString cell = cellText(counts, soldier, table.codes[c]);
            entry = entry || !cell.isEmpty();
            sum += soldier.count[table.codes[c]];
            columnSums[c] += soldier.count[table.codes[c]];
            line << cell;
        }
        if (!entry)
            continue;
        line << QString::number(sum);
        table.lines << line;
    }

    table.sums << Soma;
    int total = 0;
    for (int sum : columnSums) {
        table.sums << QString::number(sum);
        total += sum;
    }
    table.sums << QString::number(total);
    return table;
}

QStringList SummaryTextLines(const SummaryTable& table)
{
    QList<QStringList> rows{table.captions};
    rows += table.lines;
    rows << table.sums;
    QList<int> widths(table.captions.size(), 0);
    for (const QStringList& row : rows)
        for (int c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], int(row[c].size()));
    QStringList text;
    for (const QStringList& row : rows) {
        // The numbers of the soldiers to the left, the counts to the right, under their captions.
        QStringList cells{row[0].leftJustified(widths[0])};
        for (int c = 1; c < row.size(); ++c)
            cells << row[c].rightJustified(widths[c]);
        text << cells.join(QStringLiteral(" | "));
    }
    return text;
}

QString DayKindChoiceName(DayKindChoice kind)
{
    switch (kind) {
    case DayKindChoice::Preta:
        return QStringLiteral("Preta");
    case DayKindChoice::Vermelha:
        return QStringLiteral("Vermelha");
    case DayKindChoice::Ambas:
        break;
    }
    return QStringLiteral("Ambas");
}
