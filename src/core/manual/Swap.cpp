#include "Swap.h"

#include "ServiceEntries.h"
#include "SwapSummary.h"

#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/SqlTransaction.h"
#include "data/UGlobal.h"
#include "rostering/Calendar.h"
#include "rostering/Rules.h"

namespace {

const QString Nobody = QStringLiteral("0");

// The refusals that need nothing but the typed inputs and the service register.
std::optional<QString> inputRefusal(const SwapRequest& r, const QString& a, const QString& b)
{
    if (!Dates::parse(r.dayText))
        return Dates::invalidDateMessage(r.dayText);
    if (a.isEmpty() || b.isEmpty())
        return QStringLiteral("Você deve preencher todos os campos");
    if (!r.serviceCode)
        return NoServiceChosen;
    LoadServices();
    if (std::optional<QString> refusal = UnregisteredServiceRefusal(*r.serviceCode))
        return refusal;
    if (a == Nobody && b == Nobody)
        return QStringLiteral("A e B não podem ser os dois 0: diga quem sai do serviço, quem entra, ou os dois.");
    for (const QString& num : {a, b}) {
        if (num.size() > Width::Num)
            return QStringLiteral("O número \"%1\" tem mais de %2 caracteres; nada foi alterado.").arg(num).arg(Width::Num);
    }
    if (a == b)
        return QStringLiteral("Quem sai e quem entra são o mesmo militar (%1); nada foi alterado.").arg(a);
    if (a != Nobody && b != Nobody && r.choice == SwapChoice::None)
        return QStringLiteral("Escolha para quem computar o serviço: \"B\" ou \"A e B\".");
    return std::nullopt;
}

// The record of the service on the day, or 0 (a service has at most one record a day).
int recordOf(int serviceCode, const QDate& day)
{
    const std::vector<HistoryRecord>& history = Global().HistoryCache;
    for (int i = 1; i <= HistoryInUse(); ++i) {
        if (history[i].Dia == day && history[i].CodSv == serviceCode)
            return i;
    }
    return 0;
}

// The new list: A replaced by B ("B"), followed by B ("A e B") or dropped (B = "0"); with A = "0",
// B added at the end. Every number is followed by one blank, as the roster writes its lists.
QString rewrittenList(const QString& list, const QString& a, const QString& b, SwapChoice choice)
{
    QStringList kept;
    for (const QString& num : ListedNumbers(list)) {
        if (num != a)
            kept << num;
        else if (b == Nobody)
            continue;
        else if (choice == SwapChoice::AandB)
            kept << a << b;
        else
            kept << b;
    }
    if (a == Nobody)
        kept << b;
    QString text;
    for (const QString& num : kept)
        text += num + QLatin1Char(' ');
    return text;
}

void clearServiceDay(const QString& num, const QDate& day)
{
    std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[i].Num.isEmpty(); ++i) {
        if (soldiers[i].Num != num)
            continue;
        for (QDate& served : soldiers[i].USv) {
            if (served == day)
                served = QDate();
        }
        SortServiceDays(i);
    }
}

void recordServiceDay(const QString& num, const QDate& day)
{
    std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
    for (int i = 1; i <= Capacity::Soldiers && !soldiers[i].Num.isEmpty(); ++i) {
        if (soldiers[i].Num == num)
            RecordServiceDay(soldiers[i], day);
    }
}

SwapPlan refused(const QString& message)
{
    SwapPlan plan;
    plan.refusal = message;
    return plan;
}

}

QStringList ListedNumbers(const QString& list)
{
    QStringList numbers;
    int position = 1;
    while (position <= list.size()) {
        const QString num = NextToken(list, position);
        if (num.isEmpty()) {
            ++position;
            continue;
        }
        numbers << num;
        position += num.size() + 1;
    }
    return numbers;
}

SwapPlan PlanSwap(const SwapRequest& request)
{
    const QString a = request.leaving.trimmed();
    const QString b = request.entering.trimmed();
    if (const std::optional<QString> refusal = inputRefusal(request, a, b))
        return refused(*refusal);
    const QDate day = *Dates::parse(request.dayText);
    const int code = *request.serviceCode;
    const QString descr = Global().ServiceTable[code].Descr;
    const QString where = QStringLiteral("%1 do dia %2").arg(descr, Dates::show(day));

    SwapPlan plan;
    plan.storedDigest = StoredStateDigest();
    GlobalModel& g = Global();
    LoadSoldiers();
    if (b != Nobody && FindSoldier(b) == 0)
        return refused(QStringLiteral("Não há militar de número %1 no Sistema; nada foi alterado.").arg(b));
    LoadHistory();
    const int record = recordOf(code, day);
    if (record == 0)
        return refused(QStringLiteral("Não há registro do serviço de %1 no histórico; nada foi alterado.").arg(where));
    const QString before = g.HistoryCache[record].Num;
    const QStringList listed = ListedNumbers(before);
    if (a != Nobody && !listed.contains(a))
        return refused(QStringLiteral("O militar %1 não está no serviço de %2; nada foi alterado.").arg(a, where));
    if (b != Nobody && listed.contains(b))
        return refused(QStringLiteral("O militar %1 já está no serviço de %2; nada foi alterado.").arg(b, where));
    const QString after = rewrittenList(before, a, b, request.choice);
    // The history keeps 120 characters of numbers; a longer list would be cut in a number.
    if (after.size() - 1 > Width::HistNum)
        return refused(QStringLiteral("Os números do serviço de %1 não caberiam nos %2 caracteres do histórico; "
                                      "nada foi alterado.")
                           .arg(where)
                           .arg(Width::HistNum));
    LoadAllRosters();
    LoadRedDays();

    // The duty was counted with the kind its record holds: the calendar keeps only the last 30 days
    // and may have changed since.
    SwapFacts facts{a, b, request.choice, day, RecordedKind(g.HistoryCache[record].PtVm, day), code, before, after,
                    {}, {}};
    const bool aLoses = b == Nobody || (a != Nobody && request.choice == SwapChoice::B);
    if (b != Nobody)
        facts.credited << b;
    if (aLoses)
        facts.debited << a;

    // The changes are made on the model, kept in the plan, and the model is put back as loaded.
    plan.record = g.HistoryCache[record];
    const std::vector<HistoryRecord> loadedHistory = g.HistoryCache;
    const std::vector<SoldierRecord> loadedSoldiers = g.SoldierTable;
    const std::vector<RosterTable> loadedGrades = g.Grades;
    g.HistoryCache[record].Num = cut(after, Width::HistNum);
    if (b != Nobody)
        recordServiceDay(b, day);
    if (aLoses)
        clearServiceDay(a, day);
    for (const QString& num : facts.credited)
        ChangeCounts(facts.kind, num, +1);
    for (const QString& num : facts.debited)
        ChangeCounts(facts.kind, num, -1);
    plan.history = std::move(g.HistoryCache);
    plan.soldiers = std::move(g.SoldierTable);
    plan.grades = std::move(g.Grades);
    g.HistoryCache = loadedHistory;
    g.SoldierTable = loadedSoldiers;
    g.Grades = loadedGrades;

    const QString dayText = Dates::show(day);
    for (const QString& num : facts.credited)
        plan.log << CountLog::dutyRow(num, facts.kind, +1, CountLog::Operation::Swap, dayText, code);
    for (const QString& num : facts.debited)
        plan.log << CountLog::dutyRow(num, facts.kind, -1, CountLog::Operation::Swap, dayText, code);
    plan.summary = SwapSummary(facts, plan.grades);
    return plan;
}

QString SwapQuestion(const QStringList& summary)
{
    return summary.join(QLatin1Char('\n')) + QStringLiteral("\n\nConfirma a troca?");
}

SwapOutcome SwapService(const SwapRequest& request, const Confirm& confirm)
{
    SwapOutcome outcome;
    SwapPlan plan = PlanSwap(request);
    outcome.refusal = plan.refusal;
    outcome.summary = plan.summary;
    if (!plan.refusal.isEmpty() || !confirm || !confirm(SwapQuestion(plan.summary)))
        return outcome;

    GlobalModel& g = Global();
    const std::vector<HistoryRecord> loadedHistory = g.HistoryCache;
    const std::vector<SoldierRecord> loadedSoldiers = g.SoldierTable;
    const std::vector<RosterTable> loadedGrades = g.Grades;
    try {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        RequireStoredStateUnchanged(plan.storedDigest, QStringLiteral("depois que a troca foi preparada"),
                                    QStringLiteral("Faça a troca de novo."));
        g.HistoryCache = std::move(plan.history);
        g.SoldierTable = std::move(plan.soldiers);
        g.Grades = std::move(plan.grades);
        SaveHistory();
        SaveSoldiers();
        SaveAllRosters();
        const QSqlDatabase db = TDMGeral::instance().database(Alias::Ravelha);
        CountLog::Append(db, CountLog::unloggedHistoryRows(db, {plan.record}) + plan.log);
        transaction.commit();
    } catch (...) {
        // Nothing was written: the model goes back to the tables as they are.
        g.HistoryCache = loadedHistory;
        g.SoldierTable = loadedSoldiers;
        g.Grades = loadedGrades;
        throw;
    }
    outcome.done = true;
    return outcome;
}
