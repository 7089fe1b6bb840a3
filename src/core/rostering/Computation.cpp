#include "Computation.h"

#include "Calendar.h"
#include "Commit.h"
#include "Decisions.h"
#include "ModelIndex.h"
#include "Rules.h"

#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/UGlobal.h"

namespace {

constexpr int WrapWidth = 90;
const QString Indent = QStringLiteral("     ");                  // five blanks
const QString DayIndent = QStringLiteral("               ");       // fifteen blanks
const QString ContinuationLabel = QStringLiteral("             ");  // thirteen blanks

bool registered(int code)
{
    return !Global().ServiceTable[code].Descr.isEmpty();
}

bool inForce(const ServiceRecord& service, const QDate& day)
{
    // A service without a last day is never in force; one without a first day is from always.
    if (!service.Fim.isValid())
        return false;
    return (!service.Ini.isValid() || service.Ini <= day) && day <= service.Fim;
}

RosterRun refusedRun(const QString& message)
{
    RosterRun run;
    run.refused = true;
    run.refusal = message;
    return run;
}

QDate lastRosteredDay()
{
    const QDate day = LastRosteredDate();
    Global().LastRosteredDay = DataFiles::ReadLastRosteredDay();
    return day;
}

QList<int> selectedCodes(const std::optional<QList<int>>& services)
{
    QList<int> codes;
    for (int code = 1; code <= Capacity::Services; ++code) {
        if (registered(code) && (!services || services->contains(code)))
            codes << code;
    }
    return codes;
}

}

QDate ComputationEnd(const QDate& last, const QDate& target)
{
    const qint64 n = last.daysTo(target);
    if (n <= 0)
        return last;
    switch (n % 3) {
    case 1:
        return target.addDays(2);
    case 2:
        return target.addDays(1);
    default:
        return target;
    }
}

QList<int> PriorityOrder()
{
    const ServiceList& services = Global().ServiceTable;
    std::array<int, Capacity::Services + 1> place{};
    for (int i = 1; i <= Capacity::Services; ++i)
        place[i] = i;
    for (int i = 1; i <= Capacity::Services; ++i) {
        for (int j = i + 1; j <= Capacity::Services; ++j) {
            const ServiceRecord& a = services[place[i]];
            const ServiceRecord& b = services[place[j]];
            if (!a.Descr.isEmpty() && !b.Descr.isEmpty() && a.Prio > b.Prio)
                std::swap(place[i], place[j]);
        }
    }
    QList<int> order;
    for (int i = 1; i <= Capacity::Services; ++i) {
        if (!services[place[i]].Descr.isEmpty())
            order << place[i];
    }
    return order;
}

QStringList ServiceLines(const QString& descr, const QString& displayText)
{
    QStringList lines;
    const QString& text = displayText;
    if (text.size() <= WrapWidth)
        return {Indent + descr + QStringLiteral(":  ") + text};
    // Positions count from 1. Each cut is made at the last blank at or before the limit; the
    // next line starts with that blank, under a label of thirteen blanks.
    QString label = descr;
    int start = 1;
    int limit = WrapWidth;
    while (text.size() > limit) {
        int p = limit;
        while (p > start && text.at(p - 1) != QLatin1Char(' '))
            --p;
        if (p <= start)   // no blank after the start: cut at the limit (names never make this)
            p = limit + 1;
        lines << Indent + label + QStringLiteral(":  ") + text.mid(start - 1, p - start);
        start = p;
        limit = p + WrapWidth;
        label = ContinuationLabel;
    }
    lines << Indent + label + QStringLiteral(":  ") + text.mid(start - 1, 200);
    return lines;
}

std::optional<ListedService> ListedServiceAt(const QStringList& lines, int row)
{
    if (row < 0 || row >= lines.size())
        return std::nullopt;
    const QString further = Indent + ContinuationLabel + QStringLiteral(":  ");
    while (row > 0 && lines.at(row).startsWith(further))
        --row;
    const QString& line = lines.at(row);
    const qsizetype colon = line.indexOf(QStringLiteral(":  "), Indent.size());
    if (colon < 0 || !line.startsWith(Indent) || line.at(Indent.size()) == QLatin1Char(' '))
        return std::nullopt;
    const QString descr = line.mid(Indent.size(), colon - Indent.size());
    for (int above = row - 1; above >= 0; --above) {
        if (!lines.at(above).startsWith(DayIndent) || lines.at(above).trimmed().isEmpty())
            continue;
        if (const std::optional<QDate> day = Dates::parse(lines.at(above).trimmed().left(8))) {
            ListedService listed;
            listed.day = *day;
            for (int n = 1; n <= Capacity::Services && listed.code == 0; ++n)
                if (Global().ServiceTable[n].Descr == descr)
                    listed.code = n;
            return listed;
        }
    }
    return std::nullopt;
}

RosterRun VerifyRoster(const QString& targetText, const std::optional<QList<int>>& services)
{
    const std::optional<QDate> target = Dates::parse(targetText);
    if (!target)
        return refusedRun(Dates::invalidDateMessage(targetText));
    if (const std::optional<QString> refusal = PreparationRefusal(*target))
        return refusedRun(*refusal);
    return ComputeRoster(*target, services);
}

RosterRun ComputeRoster(const QDate& target, const std::optional<QList<int>>& services)
{
    GlobalModel& g = Global();
    // Every verification starts from the stored state, and its digest is taken before anything
    // else is read: a commit by another desk after this moment is then seen at this one's commit.
    const QByteArray digest = StoredStateDigest();
    LoadServices();
    const QDate last = lastRosteredDay();
    const QList<int> codes = selectedCodes(services);

    // Days already rostered for a service taking part: the first one found is reported.
    LoadHistory();
    const int inUse = HistoryInUse();
    for (int code : codes) {
        for (int i = 1; i <= inUse; ++i) {
            const HistoryRecord& h = g.HistoryCache[i];
            if (h.CodSv == code && h.Dia > last && h.Dia <= target)
                return refusedRun(QStringLiteral("O Serviço de ") + g.ServiceTable[code].Descr
                                  + QStringLiteral(" já foi escalado no dia ") + Dates::show(h.Dia));
        }
    }

    LoadAllRosters();
    LoadSoldiers();
    LoadHistory();
    LoadRedDays();
    // From here on only the picks change the rosters: they run on an index of the model.
    const ModelIndex index;

    RosterRun run;
    run.refused = false;
    run.lastRostered = last;
    run.target = target;
    run.end = ComputationEnd(last, target);
    // The days computed are written as dd/mm/yy among the soldiers' last services.
    if (!Dates::writable(run.end))
        return refusedRun(QStringLiteral("Não é possível escalar até o dia %1: o cálculo iria até o dia %2, e o Sistema "
                                         "guarda os dias de %3 a %4.")
                              .arg(Dates::show(target), run.end.toString(QStringLiteral("dd/MM/yyyy")),
                                   Dates::show(Dates::FirstDay), Dates::show(Dates::LastDay)));
    for (QDate day = last.addDays(1); day <= target; day = day.addDays(1))
        run.spanDays << day;

    QList<int> order;
    for (int code : PriorityOrder()) {
        if (codes.contains(code))
            order << code;
    }

    // The history records this run adds must fit in the history cache before anything starts.
    int needed = 0;
    for (QDate day = last.addDays(1); day <= run.end; day = day.addDays(1)) {
        for (int code : order)
            needed += inForce(g.ServiceTable[code], day) ? 1 : 0;
    }
    int freeRecord = HistoryInUse() + 1;
    if (freeRecord - 1 + needed > Capacity::History)
        return refusedRun(QStringLiteral("O histórico em memória comporta %1 registros; já tem %2 e esta verificação "
                                         "precisaria de mais %3. Nada foi calculado.\n\n"
                                         "Exclua do histórico os registros antigos (item 12. da aba /Manutenção/) "
                                         "e verifique de novo.")
                              .arg(Capacity::History)
                              .arg(freeRecord - 1)
                              .arg(needed));

    for (QDate day = last.addDays(1); day <= run.end; day = day.addDays(1)) {
        const QString kind = DayKind(day);
        const bool shown = day <= target;
        const QString dayText = Dates::show(day);
        if (shown)
            run.roster << Indent << DayIndent + dayText + QStringLiteral(" (") + kind + QStringLiteral(")");
        for (int code : order) {
            const ServiceRecord& service = g.ServiceTable[code];
            if (!inForce(service, day))
                continue;
            RosterTable& roster = *SelectRoster(code, QStringLiteral("Base"));
            SortRosterTable(roster, kind);
            g.SearchCursor = 1;
            DecisionRecorder* const recorder = ActiveRecorder();
            const bool recording = recorder && recorder->wants(day, code);
            if (recording)
                recorder->beginService(service.Descr, kind, roster);
            QString numbers;
            QString display;
            for (int taken = 0; taken < service.Quant; ++taken) {
                const QString num = NextCandidate(code, roster, day, run.messages);
                if (num.isEmpty()) {
                    run.messages << InsufficientLine + service.Descr + QStringLiteral(" Dia: ") + dayText;
                    break;
                }
                numbers += num + QLatin1Char(' ');
                display += num + QLatin1Char('-') + g.SoldierTable[FindSoldier(num)].Nome + QStringLiteral("  ");
                ChangeCounts(kind, num, +1);
            }
            if (recording)
                recorder->endService(roster);
            // The history keeps 120 characters of numbers; a list that does not fit would be cut
            // in the middle of a number.
            if (numbers.size() - 1 > Width::HistNum)
                return refusedRun(QStringLiteral("Os números dos militares do serviço %1 no dia %2 (%3 militares) "
                                                 "não cabem nos %4 caracteres do histórico. Nada foi calculado.\n\n"
                                                 "Diminua a quantidade de militares do serviço.")
                                      .arg(service.Descr, dayText)
                                      .arg(service.Quant)
                                      .arg(Width::HistNum));
            if (shown)
                run.roster << ServiceLines(service.Descr, display);
            g.HistoryCache[freeRecord++] = {day, code, service.Descr, cut(numbers, Width::HistNum), kind};
            SortRosterTable(roster, kind);
        }
    }

    auto verified = std::make_shared<VerifiedRoster>();
    verified->target = target;
    verified->grades = g.Grades;
    verified->soldiers = g.SoldierTable;
    verified->history = g.HistoryCache;
    verified->storedDigest = digest;
    run.verified = verified;
    return run;
}
