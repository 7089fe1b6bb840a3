#include "audit/CountAudit.h"

#include "audit/CountLog.h"
#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/UDMGeral.h"
#include "data/UGlobal.h"
#include "rostering/Rules.h"

#include <QHash>
#include <QMap>

#include <algorithm>
#include <map>
#include <tuple>

namespace CountAudit {

namespace {

using Rows = std::vector<QVariantList>;

struct PersonnelEntry {
    QString name;
    QString pr;
    QDate ini;
    QDate fim;
};

// A duty of one soldier: (day, service, number, kind).
using DutyKey = std::tuple<QDate, int, QString, QString>;

struct Log {
    // (roster, number, kind) -> Depois of his last value row minus the duty Deltas before it.
    QHash<QString, int> base;
    QSet<int> rostersWithReference;
    QHash<QString, int> dutySum;          // (number, kind) -> all duty Deltas
    std::map<DutyKey, int> duties;        // per duty, the sum of its Deltas
    QDate purgedBefore;                   // the first day kept by the last purge
};

QString countKey(int roster, const QString& number, const QString& kind)
{
    return QString::number(roster) + QLatin1Char('|') + number + QLatin1Char('|') + kind;
}

QString soldierKey(const QString& number, const QString& kind)
{
    return number + QLatin1Char('|') + kind;
}

Log readLog(Alias alias)
{
    Log log;
    CountLog::ReadAll(TDMGeral::instance().database(alias), [&log](const CountLog::Row& row) {
        if (row.roster == 0 && row.operation == CountLog::Operation::Purge) {
            if (const auto day = Dates::parse(row.day))
                log.purgedBefore = *day;
            return;
        }
        if (row.number.isEmpty())
            return;
        const QString soldier = soldierKey(row.number, row.kind);
        if (row.roster != 0) {
            log.rostersWithReference.insert(row.roster);
            log.base.insert(countKey(row.roster, row.number, row.kind), row.after - log.dutySum.value(soldier));
            return;
        }
        if (CountLog::movesCounts(row))
            log.dutySum[soldier] += row.delta;
        if (const auto day = Dates::parse(row.day))
            log.duties[DutyKey(*day, row.service, row.number, row.kind)] += row.delta;
    });
    return log;
}

struct Data {
    ServiceList services;
    QHash<QString, PersonnelEntry> personnel;
    Log log;
    std::vector<std::pair<DutyKey, std::pair<int, int>>> dutyMismatches;   // key -> (log, history)
};

void readPersonnel(Data& data, Alias alias)
{
    const Rows rows = TDMGeral::instance().readRows(alias, QStringLiteral("Basico"), Capacity::Soldiers);
    for (const QVariantList& row : rows) {
        const QString number = row.at(0).toString();
        if (number.isEmpty() || data.personnel.contains(number))
            continue;
        data.personnel.insert(number, {row.at(1).toString(), row.at(3).toString(),
                                       Dates::fromStorage(row.at(4).toString()),
                                       Dates::fromStorage(row.at(5).toString())});
    }
}

void compareDuties(Data& data, Alias alias)
{
    std::map<DutyKey, int> history;
    QSet<std::pair<qint64, int>> loggedPairs;
    for (const auto& [key, sum] : data.log.duties)
        loggedPairs.insert({std::get<0>(key).toJulianDay(), std::get<1>(key)});
    const Rows rows = TDMGeral::instance().readRows(alias, QStringLiteral("Hist"), Capacity::History);
    for (const QVariantList& row : rows) {
        const QDate day = Dates::fromStorage(row.at(0).toString());
        const int service = row.at(1).toInt();
        if (!day.isValid() || !loggedPairs.contains({day.toJulianDay(), service}))
            continue;
        const QString kind = row.at(4).toString();
        for (const QString& number : row.at(3).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            history[DutyKey(day, service, number, kind)] += 1;
    }
    std::map<DutyKey, std::pair<int, int>> both;
    for (const auto& [key, sum] : data.log.duties)
        both[key].first = sum;
    for (const auto& [key, count] : history)
        both[key].second = count;
    for (const auto& [key, figures] : both) {
        if (data.log.purgedBefore.isValid() && std::get<0>(key) < data.log.purgedBefore)
            continue;
        const int expected = figures.second > 0 ? 1 : 0;
        if (figures.first != expected || figures.second > 1)
            data.dutyMismatches.push_back({key, figures});
    }
}

Data readData(Alias alias)
{
    Data data;
    LoadServicesInto(data.services, alias, QStringLiteral("Sv"));
    readPersonnel(data, alias);
    data.log = readLog(alias);
    compareDuties(data, alias);
    return data;
}

bool registered(const Data& data, int code)
{
    return code >= 1 && code <= Capacity::Services && !data.services[code].Descr.isEmpty();
}

int countOf(const QString& text)
{
    return text.trimmed().toInt();
}

RosterAudit auditOf(const Data& data, int code, Alias alias)
{
    RosterAudit audit;
    audit.roster = code;
    audit.service = data.services[code].Descr;
    audit.hasReference = data.log.rostersWithReference.contains(code);
    RosterTable roster;
    LoadRoster(roster, QStringLiteral("Sv%1.DB").arg(code), alias);
    // A roster without members (a service just registered) has no count to start from: nothing
    // is missing.
    if (roster.cell(RosterTable::NumCol, 1).isEmpty())
        audit.hasReference = true;
    for (int row = 1; row <= Capacity::RosterRows; ++row) {
        const QString number = roster.cell(RosterTable::NumCol, row);
        if (number.isEmpty())
            break;
        MemberAudit member;
        member.number = number;
        member.name = data.personnel.value(number).name;
        member.pt = countOf(roster.cell(RosterTable::PtCol, row));
        member.vm = countOf(roster.cell(RosterTable::VmCol, row));
        const QString label = SoldierLabel(number, member.name);
        const auto check = [&](const QString& kind, int stored, std::optional<int>& logged) {
            const QString key = countKey(code, number, kind);
            if (!data.log.base.contains(key)) {
                if (audit.hasReference) {
                    member.divergent = true;
                    audit.findings.push_back({code, number, QStringLiteral("%1: %2 sem valor inicial no registro (na escala %3)")
                                                                    .arg(label, kind).arg(stored)});
                }
                return;
            }
            logged = data.log.base.value(key) + data.log.dutySum.value(soldierKey(number, kind));
            if (*logged != stored) {
                member.divergent = true;
                audit.findings.push_back({code, number, QStringLiteral("%1: %2 na escala %3, pelo registro %4")
                                                                .arg(label, kind).arg(stored).arg(*logged)});
            }
        };
        check(CountLog::Black, member.pt, member.logPt);
        check(CountLog::Red, member.vm, member.logVm);
        audit.members.push_back(member);
    }
    for (const auto& [key, figures] : data.dutyMismatches) {
        const auto& [day, service, number, kind] = key;
        if (service != code)
            continue;
        const QString what = figures.second == 0 ? QStringLiteral("serviço no registro sem a linha do histórico")
                : figures.first == 0             ? QStringLiteral("linha do histórico sem o serviço no registro")
                                                 : QStringLiteral("serviço do registro diferente do histórico");
        audit.findings.push_back({code, number, QStringLiteral("%1 %2: %3 %4 (registro %5, histórico %6)")
                                                        .arg(Dates::show(day), SoldierLabel(number, data.personnel.value(number).name),
                                                             kind, what)
                                                        .arg(figures.first)
                                                        .arg(figures.second)});
        for (MemberAudit& member : audit.members)
            if (member.number == number)
                member.divergent = true;
    }
    return audit;
}

bool onRealAbsence(const PersonnelEntry& entry, const QDate& today)
{
    // As the rostering reads it: inside the period (a missing day reads as the earliest of all),
    // anything but a planned absence keeps him out.
    const auto number = [](const QDate& day) { return day.isValid() ? day.toJulianDay() : qint64(0); };
    const qint64 day = number(today);
    return number(entry.ini) <= day && day <= number(entry.fim) && entry.pr != QStringLiteral("P");
}

}

QStringList StartLogWhereMissing(Alias alias)
{
    const QList<int> started = CountLog::StartWhereMissing(TDMGeral::instance().database(alias));
    QStringList labels;
    if (started.isEmpty())
        return labels;
    for (const RosterAudit& audit : AuditAll(alias))
        if (started.contains(audit.roster))
            labels << RosterLabel(audit);
    return labels;
}

QString SoldierLabel(const QString& number, const QString& name)
{
    return name.isEmpty() ? QStringLiteral("Nº %1").arg(number) : QStringLiteral("Nº %1 (%2)").arg(number, name);
}

QString RosterLabel(const RosterAudit& audit)
{
    return QStringLiteral("%1 (%2)").arg(audit.service).arg(audit.roster);
}

QStringList MemberMarks(const MemberBalance& member)
{
    QStringList marks;
    if (member.absent)
        marks << QStringLiteral("afastado");
    if (member.nextPt)
        marks << QStringLiteral("próximo Pt");
    if (member.nextVm)
        marks << QStringLiteral("próximo Vm");
    if (member.divergent)
        marks << QStringLiteral("divergente");
    return marks;
}

std::vector<RosterAudit> AuditAll(Alias alias)
{
    const Data data = readData(alias);
    std::vector<RosterAudit> audits;
    for (int code = 1; code <= Capacity::Services; ++code)
        if (registered(data, code))
            audits.push_back(auditOf(data, code, alias));
    return audits;
}

RosterAudit AuditRoster(int serviceCode, Alias alias)
{
    const Data data = readData(alias);
    if (!registered(data, serviceCode))
        throw CoreError(QStringLiteral("Não há serviço cadastrado com o código %1.").arg(serviceCode));
    return auditOf(data, serviceCode, alias);
}

Balance BalanceOf(int serviceCode, const QDate& today, Alias alias)
{
    const Data data = readData(alias);
    if (!registered(data, serviceCode))
        throw CoreError(QStringLiteral("Não há serviço cadastrado com o código %1.").arg(serviceCode));
    Balance balance;
    balance.audit = auditOf(data, serviceCode, alias);
    std::optional<int> lowPt, highPt, lowVm, highVm;
    for (const MemberAudit& member : balance.audit.members) {
        MemberBalance entry;
        static_cast<MemberAudit&>(entry) = member;
        const auto person = data.personnel.constFind(member.number);
        entry.absent = person != data.personnel.constEnd() && onRealAbsence(*person, today);
        if (!entry.absent) {
            lowPt = std::min(lowPt.value_or(member.pt), member.pt);
            highPt = std::max(highPt.value_or(member.pt), member.pt);
            lowVm = std::min(lowVm.value_or(member.vm), member.vm);
            highVm = std::max(highVm.value_or(member.vm), member.vm);
        }
        balance.members.push_back(entry);
    }
    balance.spreadPt = highPt ? *highPt - *lowPt : 0;
    balance.spreadVm = highVm ? *highVm - *lowVm : 0;
    // The next pick of each kind: the rostering's own candidate order, on a copy of the roster.
    RosterTable roster;
    LoadRoster(roster, QStringLiteral("Sv%1.DB").arg(serviceCode), alias);
    for (const QString& kind : {CountLog::Black, CountLog::Red}) {
        RosterTable sorted = roster;
        SortRosterTable(sorted, kind);
        for (int row = 1; row <= Capacity::RosterRows; ++row) {
            const QString number = sorted.cell(RosterTable::NumCol, row);
            if (number.isEmpty())
                break;
            const auto person = data.personnel.constFind(number);
            if (person == data.personnel.constEnd() || onRealAbsence(*person, today))
                continue;
            (kind == CountLog::Black ? balance.nextPt : balance.nextVm) = number;
            break;
        }
    }
    for (MemberBalance& entry : balance.members) {
        entry.nextPt = entry.number == balance.nextPt;
        entry.nextVm = entry.number == balance.nextVm;
    }
    return balance;
}

}
