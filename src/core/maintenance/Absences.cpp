#include "Absences.h"

#include "LowestCounts.h"
#include "audit/CountLog.h"
#include "data/Dates.h"
#include "data/UGlobal.h"

#include <algorithm>

namespace {

using Cause = AbsenceRefusal::Cause;

// The record of a number among the records in use (up to the first empty Num), or none.
SoldierRecord* soldierInUse(const QString& num)
{
    std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[i].Num.isEmpty(); ++i)
        if (soldiers[i].Num == num)
            return &soldiers[i];
    return nullptr;
}

QDate typedDay(const QString& text)
{
    const std::optional<QDate> day = Dates::parse(text);
    if (!day)
        throw AbsenceRefusal(Cause::BadDate, Dates::invalidDateMessage(text));
    return *day;
}

// Raises the soldier's rows of one roster to the level the other members set, and tells each
// row's counts before and after. His own rows are left out of the level, so that his counts
// cannot be the lowest; the other rows keep their places.
void raiseToLevel(RosterTable& roster, const QString& num, const QDate& today, int code, ReturnResult& result)
{
    std::vector<int> own;
    std::vector<int> placeOf;   // row of the roster of each row of `others`, from row 1
    RosterTable others;
    for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row) {
        if (roster.cell(RosterTable::NumCol, row) == num) {
            own.push_back(row);
        } else {
            placeOf.push_back(row);
            others.row(int(placeOf.size())) = roster.row(row);
        }
    }
    GlobalModel& g = Global();
    const LowestPair lowest = LowestCounts(others, today);
    g.LowestPt = lowest.pt;
    g.LowestVm = lowest.vm;
    // The level also gives an empty count of an eligible member its 0.
    for (std::size_t i = 0; i < placeOf.size(); ++i)
        roster.row(placeOf[i]) = others.row(int(i) + 1);
    for (int row : own) {
        QString& pt = roster.cell(RosterTable::PtCol, row);
        QString& vm = roster.cell(RosterTable::VmCol, row);
        ReturnedRow returned;
        returned.code = code;
        returned.descr = g.ServiceTable[code].Descr;
        returned.ptBefore = pt.toInt();
        returned.vmBefore = vm.toInt();
        returned.ptAfter = std::max(returned.ptBefore, lowest.pt);
        returned.vmAfter = std::max(returned.vmBefore, lowest.vm);
        pt = QString::number(returned.ptAfter);
        vm = QString::number(returned.vmAfter);
        result.rows.push_back(returned);
    }
}

}

RecordedAbsence RecordAbsence(const AbsenceEntry& entry)
{
    const QDate start = typedDay(entry.start);
    const QDate end = typedDay(entry.end);
    // An absence that ends before it starts, or of no kind, would keep the soldier off the automatic
    // rosters while every count of presence still counted him, and no return could end it.
    if (start > end)
        throw AbsenceRefusal(Cause::Order, AbsenceText::StartAfterEnd);
    if (entry.kind != QStringLiteral("P") && entry.kind != QStringLiteral("R"))
        throw AbsenceRefusal(Cause::Kind, AbsenceText::NoKind);
    SoldierRecord* soldier = soldierInUse(entry.num.trimmed());
    if (!soldier)
        throw AbsenceRefusal(Cause::NotRegistered, AbsenceText::NotRegistered);
    soldier->PR = entry.kind;
    soldier->Ini = start;
    soldier->Fim = end;
    return RecordedAbsence{soldier->Num, soldier->PstGrd, soldier->Nome, soldier->PR, start, end};
}

QString RecordedLine(const RecordedAbsence& absence)
{
    const QString kind = absence.kind == QStringLiteral("R") ? QStringLiteral("Real") : QStringLiteral("Previsto");
    return QStringLiteral("Militar %1 (%2 %3): afastamento %4 de %5 a %6")
        .arg(absence.num, absence.pstGrd, absence.nome, kind, Dates::show(absence.start), Dates::show(absence.end));
}

ReturnResult ReturnToRosters(const QString& typed, const QDate& today)
{
    const QString num = typed.trimmed();
    LoadSoldiers();
    ReturnResult result;
    SoldierRecord* soldier = soldierInUse(num);
    // A number typed wrong must not raise the counts of whatever roster rows hold it: refused
    // before anything is written.
    if (!soldier)
        throw AbsenceRefusal(Cause::NotRegistered, AbsenceText::NotRegistered);
    if (soldier->PR.isEmpty())
        result.message = AbsenceText::WasNotAway;
    soldier->PR.clear();
    soldier->Ini = QDate();
    soldier->Fim = QDate();

    GlobalModel& g = Global();
    SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
    SaveSoldiers();
    LoadServices();
    for (int n = 1; n <= Capacity::Services; ++n) {
        if (g.ServiceTable[n].Descr.isEmpty())
            continue;
        g.CurrentRoster = SelectRoster(n, QStringLiteral("Base"));
        RosterTable& roster = *g.CurrentRoster;
        ClearRoster(roster);
        LoadRoster(roster, g.CurrentTableName);
        const RosterTable before = roster;
        raiseToLevel(roster, num, today, n, result);
        SaveRoster(roster, g.CurrentTableName);
        CountLog::Append(TDMGeral::instance().database(Alias::Ravelha),
                         CountLog::changedRows(n, before, roster, CountLog::Operation::Return));
    }
    transaction.commit();
    return result;
}

QString ReturnedLine(const ReturnedRow& row)
{
    return QStringLiteral("Serviço %1 (%2): Pt de %3 para %4, Vm de %5 para %6")
        .arg(row.code)
        .arg(row.descr)
        .arg(row.ptBefore)
        .arg(row.ptAfter)
        .arg(row.vmBefore)
        .arg(row.vmAfter);
}
