#include "Rules.h"

#include "Decisions.h"
#include "ModelIndex.h"
#include "Removals.h"

#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/PlainCount.h"
#include "data/UGlobal.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace {

// A day as a whole number; "no day" is 0, before every day.
qint64 dayNumber(const QDate& day)
{
    return day.isValid() ? day.toJulianDay() : 0;
}

bool within(const QDate& day, const QDate& first, const QDate& last)
{
    const qint64 d = dayNumber(day);
    return dayNumber(first) <= d && d <= dayNumber(last);
}

void sortDays(std::array<QDate, Capacity::ServiceDays>& days)
{
    // An empty slot comes before every day.
    auto greater = [](const QDate& a, const QDate& b) { return dayNumber(a) > dayNumber(b); };
    for (int a = 0; a < Capacity::ServiceDays; ++a)
        for (int b = a + 1; b < Capacity::ServiceDays; ++b)
            if (greater(days[a], days[b]))
                std::swap(days[a], days[b]);
}

// A count cell as a whole number; any other text stops the operation with a message.
int count(const QString& cell, const QString& num, const QString& service = QString())
{
    // The usual cell holds plain digits: read them without building a new text.
    int plain = 0;
    if (PlainCount(cell, plain))
        return plain;
    bool ok = false;
    const int value = cell.trimmed().toInt(&ok);
    if (!ok) {
        const QString where = service.isEmpty() ? QString() : QStringLiteral(" na escala de ") + service;
        throw CoreError(QStringLiteral("A contagem \"%1\" do militar %2%3 não é um número inteiro.")
                            .arg(cell, num, where));
    }
    return value;
}

// Equality of two short texts (soldier numbers), without a call into the library.
bool same(const QString& a, const QString& b)
{
    const qsizetype size = a.size();
    if (size != b.size())
        return false;
    const QChar* x = a.constData();
    const QChar* y = b.constData();
    for (qsizetype i = 0; i < size; ++i)
        if (x[i] != y[i])
            return false;
    return true;
}

int rowsInUse(const RosterTable& roster)
{
    int n = 0;
    while (n < Capacity::RosterRows && !roster.cell(RosterTable::NumCol, n + 1).isEmpty())
        ++n;
    return n;
}

}

int FindSoldier(const QString& num)
{
    if (const ModelIndex* index = ModelIndex::current())
        return index->soldier(num);
    const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[i].Num.isEmpty(); ++i) {
        if (same(soldiers[i].Num, num))
            return i;
    }
    return 0;
}

bool RestOk(const SoldierRecord& soldier, const QDate& day)
{
    const qint64 d = dayNumber(day);
    for (const QDate& served : soldier.USv) {
        if (served.isValid() && std::abs(d - served.toJulianDay()) < 3)
            return false;
    }
    return true;
}

bool AbsenceOk(const SoldierRecord& soldier, const QDate& day, QStringList& messages)
{
    const qint64 d = dayNumber(day);
    if (d < dayNumber(soldier.Ini) || d > dayNumber(soldier.Fim))
        return true;
    if (soldier.PR != QStringLiteral("P"))
        return false;
    const QString ini = Dates::show(soldier.Ini);
    const QString fim = Dates::show(soldier.Fim);
    Global().AbsenceNote = QStringLiteral("Previsto sair da escala de ") + ini + QStringLiteral(" a ") + fim;
    messages << QStringLiteral("Dia: ") + Dates::show(day) + QStringLiteral("  Nº:  ") + soldier.Num
            + QStringLiteral("  Previsto sair da escala de: ") + ini + QStringLiteral(" a ") + fim;
    return true;
}

QString MissingPersonnelLine(const QDate& day, const QString& num, const QString& service)
{
    return QStringLiteral("Dia: ") + Dates::show(day) + QStringLiteral("  Nº:  ") + num
        + QStringLiteral("  Sem cadastro de pessoal: não foi escalado para ") + service;
}

QString NextCandidate(int serviceCode, RosterTable& roster, const QDate& day, QStringList& messages)
{
    GlobalModel& g = Global();
    DecisionRecorder* const recorder = WalkRecorder();
    if (g.SearchCursor < 1)
        g.SearchCursor = 1;
    while (g.SearchCursor <= Capacity::RosterRows) {
        const int row = g.SearchCursor++;
        g.AbsenceNote.clear();
        const QString num = roster.cell(RosterTable::NumCol, row);
        if (num.isEmpty())
            return QString();
        const int index = FindSoldier(num);
        if (index == 0) {
            const QString service = serviceCode >= 1 && serviceCode <= Capacity::Services
                ? g.ServiceTable[serviceCode].Descr
                : QString::number(serviceCode);
            messages << MissingPersonnelLine(day, num, service);
            if (recorder)
                recorder->noRecord(num);
            continue;
        }
        SoldierRecord& soldier = g.SoldierTable[index];
        if (recorder) {
            // The same checks in the same order, each one kept for the record.
            const bool notRemoved = NotRemoved(soldier.Num, serviceCode, day);
            const bool restOk = notRemoved && RestOk(soldier, day);
            const bool absenceOk = restOk && AbsenceOk(soldier, day, messages);
            recorder->considered(soldier, notRemoved, restOk, absenceOk);
            if (absenceOk) {
                RecordServiceDay(soldier, day);
                return num;
            }
            continue;
        }
        if (NotRemoved(soldier.Num, serviceCode, day) && RestOk(soldier, day) && AbsenceOk(soldier, day, messages)) {
            RecordServiceDay(soldier, day);
            return num;
        }
    }
    return QString();
}

void RecordServiceDay(SoldierRecord& soldier, const QDate& day)
{
    sortDays(soldier.USv);
    soldier.USv[0] = day;
    sortDays(soldier.USv);
}

void ChangeCounts(const QString& kind, const QString& num, int step)
{
    const bool red = kind == QStringLiteral("Vm");
    const int column = red ? RosterTable::VmCol : RosterTable::PtCol;
    GlobalModel& g = Global();
    ModelIndex* const index = ModelIndex::current();
    const int member = index ? index->member(num) : -1;
    for (int n = 1; n <= Capacity::Services; ++n) {
        if (g.ServiceTable[n].Descr.isEmpty())
            continue;
        RosterTable& roster = g.Grades[n];
        if (ModelIndex::Roster* indexed = index ? index->roster(n) : nullptr) {
            const int row = member >= 0 ? indexed->rowOf[member] : 0;
            if (row > 0) {
                int& value = red ? indexed->vm[row] : indexed->pt[row];
                value += step;
                roster.cell(column, row) = QString::number(value);
            }
            continue;
        }
        for (int row = 1; row <= Capacity::RosterRows; ++row) {
            const QString& rowNum = roster.cell(RosterTable::NumCol, row);
            if (rowNum.isEmpty())
                break;
            if (same(rowNum, num)) {
                QString& cell = roster.cell(column, row);
                cell = QString::number(count(cell, num, g.ServiceTable[n].Descr) + step);
                break;
            }
        }
    }
}

void SortRosterTable(RosterTable& roster, const QString& kind)
{
    ModelIndex* const index = ModelIndex::current();
    ModelIndex::Roster* const indexed = index ? index->roster(index->codeOf(roster)) : nullptr;
    const int n = indexed ? indexed->rows : rowsInUse(roster);
    if (n < 2)
        return;
    const bool red = kind == QStringLiteral("Vm");

    // The key of a row is the text of (count of the kind + 100) followed by the text of (other
    // count + 100), compared as text. Keys are turned into numbers of the same order: directly
    // when every count lies in 0..899 (three digits each), else by ranking the distinct texts.
    // The buffers are kept from call to call: a computation sorts thousands of times.
    static thread_local std::vector<int> first, second, order;
    static thread_local std::vector<int> key;
    first.resize(n);
    second.resize(n);
    bool threeDigits = true;
    for (int i = 0; i < n; ++i) {
        int pt = 0;
        int vm = 0;
        if (indexed) {
            pt = indexed->pt[i + 1];
            vm = indexed->vm[i + 1];
        } else {
            const QString& num = roster.cell(RosterTable::NumCol, i + 1);
            pt = count(roster.cell(RosterTable::PtCol, i + 1), num);
            vm = count(roster.cell(RosterTable::VmCol, i + 1), num);
        }
        first[i] = (red ? vm : pt) + 100;
        second[i] = (red ? pt : vm) + 100;
        threeDigits = threeDigits && first[i] >= 100 && first[i] <= 999 && second[i] >= 100 && second[i] <= 999;
    }
    key.resize(n);
    if (threeDigits) {
        for (int i = 0; i < n; ++i)
            key[i] = first[i] * 1000 + second[i];
    } else {
        std::vector<QString> text(n);
        for (int i = 0; i < n; ++i)
            text[i] = QString::number(first[i]) + QString::number(second[i]);
        std::vector<QString> distinct = text;
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        for (int i = 0; i < n; ++i)
            key[i] = int(std::lower_bound(distinct.begin(), distinct.end(), text[i]) - distinct.begin());
    }
    // Rows already in order: the exchange sort would exchange nothing (equal keys never move).
    if (std::is_sorted(key.begin(), key.end()))
        return;

    // The exchange sort: for each place a, every later place b whose key is smaller than the key
    // now at a exchanges with it. `placed` follows the key at each place as rows exchange.
    // An exchange only ever puts a larger key at a later place, so the least key of the places
    // after a, as they were before sorting, is a floor: once the key held is at or below it,
    // nothing further can exchange, and a place whose key is at or below it is skipped whole.
    // A plain scan between exchanges is faster here than any search structure tried: the
    // chains are dense (about one exchange in six places on a roster whose kind changed).
    static thread_local std::vector<int> floorAfter, placed;
    floorAfter.resize(n + 1);
    floorAfter[n] = std::numeric_limits<int>::max();
    for (int i = n - 1; i >= 0; --i)
        floorAfter[i] = std::min(key[i], floorAfter[i + 1]);
    placed = key;
    order.resize(n);
    for (int i = 0; i < n; ++i)
        order[i] = i;
    for (int a = 0; a < n; ++a) {
        int held = placed[a];
        if (floorAfter[a + 1] >= held)
            continue;
        int heldRow = order[a];
        for (int b = a + 1; b < n && floorAfter[b] < held; ++b) {
            if (placed[b] < held) {
                std::swap(placed[b], held);
                std::swap(order[b], heldRow);
            }
        }
        placed[a] = held;
        order[a] = heldRow;
    }

    // Only the rows that move are moved: place i takes the row that was at order[i]. Each cycle
    // of the permutation is walked once, holding the first row aside.
    static thread_local std::vector<char> done;
    done.assign(n, 0);
    for (int start = 0; start < n; ++start) {
        if (done[start] || order[start] == start)
            continue;
        std::array<QString, RosterTable::Columns> held = std::move(roster.row(start + 1));
        const int heldPt = indexed ? indexed->pt[start + 1] : 0;
        const int heldVm = indexed ? indexed->vm[start + 1] : 0;
        const int heldId = indexed ? indexed->idAt[start + 1] : 0;
        int place = start;
        while (order[place] != start) {
            const int from = order[place];
            roster.row(place + 1) = std::move(roster.row(from + 1));
            if (indexed) {
                indexed->pt[place + 1] = indexed->pt[from + 1];
                indexed->vm[place + 1] = indexed->vm[from + 1];
                indexed->idAt[place + 1] = indexed->idAt[from + 1];
                indexed->rowOf[indexed->idAt[place + 1]] = place + 1;
            }
            done[place] = 1;
            place = from;
        }
        roster.row(place + 1) = std::move(held);
        if (indexed) {
            indexed->pt[place + 1] = heldPt;
            indexed->vm[place + 1] = heldVm;
            indexed->idAt[place + 1] = heldId;
            indexed->rowOf[heldId] = place + 1;
        }
        done[place] = 1;
    }
}

bool CheckManualAssignment(const QString& num, const QString& kind, const QDate& day, QStringList& messages)
{
    const int index = FindSoldier(num);
    if (index == 0)
        return false;
    SoldierRecord& soldier = Global().SoldierTable[index];
    const QString dayText = Dates::show(day);
    for (const QDate& served : soldier.USv) {
        if (served.isValid() && std::abs(dayNumber(day) - served.toJulianDay()) < 3)
            messages << num + QStringLiteral(" não terá folga de 48 Hs no dia ") + dayText;
    }
    const bool absent = within(day, soldier.Ini, soldier.Fim);
    const QString period = Dates::show(soldier.Ini) + QStringLiteral(" a ") + Dates::show(soldier.Fim);
    if (soldier.PR == QStringLiteral("R") && absent) {
        messages << QStringLiteral("Dia: ") + dayText + QStringLiteral("  Nº:  ") + num
                + QStringLiteral(" Não pode ser escalado; está fora da escala de ") + period;
        return false;
    }
    if (soldier.PR == QStringLiteral("P") && absent)
        messages << QStringLiteral("Dia: ") + dayText + QStringLiteral("  Nº:  ") + num
                + QStringLiteral(" está previsto sair da escala de ") + period;
    RecordServiceDay(soldier, day);
    ChangeCounts(kind, num, +1);
    return true;
}
