#include "Commit.h"

#include "Calendar.h"
#include "ModelIndex.h"
#include "Rules.h"

#include "audit/CountLog.h"

#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/KillPoints.h"
#include "data/PendingFiles.h"
#include "data/ReadMarks.h"
#include "data/Dates.h"
#include "data/SqlTransaction.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"
#include "data/UnitTexts.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSet>
#include <QSqlRecord>
#include <algorithm>

namespace {

// A rostered day of a service to take back: its day, service, soldiers' numbers and the kind
// stored with it.
struct TakenBack {
    QDate day;
    int code = 0;
    QString numbers;
    QString kind;
};

// Takes the records back in the model: each soldier's count of the kind the record was counted
// with, and the day among his last service days. Returns the rows for the log of counts, but none
// for the records named in `unlogged` ("dd/mm/yy|code"), which were never logged; a record the log
// never saw (the history before the log began) is first recorded as it stood.
QList<CountLog::Row> takeBack(const QList<TakenBack>& records, const QSet<QString>& unlogged = {})
{
    GlobalModel& g = Global();
    const ModelIndex index;
    QList<HistoryRecord> stored;
    QList<CountLog::Row> log;
    for (const TakenBack& record : records) {
        const QString kind = RecordedKind(record.kind, record.day);
        const QString dayText = Dates::show(record.day);
        const bool logged = !unlogged.contains(CountLog::dutyKey(dayText, record.code));
        if (logged)
            stored << HistoryRecord{record.day, record.code, QString(), record.numbers, record.kind};
        // The numbers after a double blank are not taken back (their counts never moved); the log
        // still says they leave the history.
        QStringList listedOnly = record.numbers.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        int position = 1;
        for (QString num = NextToken(record.numbers, position); !num.isEmpty();
             num = NextToken(record.numbers, position)) {
            position += num.size() + 1;
            listedOnly.removeOne(num);
            ChangeCounts(kind, num, -1);
            if (logged)
                log << CountLog::dutyRow(num, kind, -1, CountLog::Operation::Undo, dayText, record.code);
            for (int i = 1; i <= Capacity::Soldiers && !g.SoldierTable[i].Num.isEmpty(); ++i) {
                if (g.SoldierTable[i].Num != num)
                    continue;
                for (QDate& served : g.SoldierTable[i].USv) {
                    if (served == record.day)
                        served = QDate();
                }
                SortServiceDays(i);
            }
        }
        if (logged)
            for (const QString& num : listedOnly)
                log << CountLog::dutyRow(num, kind, -1, CountLog::Operation::UncountedUndo, dayText, record.code);
    }
    return CountLog::unloggedHistoryRows(TDMGeral::instance().database(Alias::Ravelha), stored) + log;
}

// Takes back every stored rostered day from `first` on, inside the caller's transaction: counts
// and service days of the soldiers listed in those history rows, then the rows themselves.
int takeBackFrom(const QDate& first)
{
    // The services first: the rosters loaded and saved are those of the registered services.
    LoadServices();
    LoadAllRosters();
    LoadRedDays();
    LoadSoldiers();
    ClearSelectionMarks();

    TDMGeral& module = TDMGeral::instance();
    QList<TakenBack> records;
    {
        QSqlQuery rows = module.selectHistFrom(first);
        const QSqlRecord columns = rows.record();
        const int diaColumn = columns.indexOf(QStringLiteral("Dia"));
        const int numColumn = columns.indexOf(QStringLiteral("Num"));
        const int codeColumn = columns.indexOf(QStringLiteral("CodSv"));
        const int kindColumn = columns.indexOf(QStringLiteral("PtVm"));
        while (rows.next()) {
            const QDate day = Dates::fromStorage(rows.value(diaColumn).toString());
            if (day.isValid() && day >= first)
                records << TakenBack{day, rows.value(codeColumn).toInt(), rows.value(numColumn).toString(),
                                     rows.value(kindColumn).toString()};
        }
    }
    const QList<CountLog::Row> log = takeBack(records);
    SaveSoldiers();
    SaveAllRosters();
    CountLog::Append(module.database(Alias::Ravelha), log);
    KillPoints::reach("contagens-devolvidas");
    const int removed = module.deleteHistFrom(first);
    KillPoints::reach("historico-apagado");
    return removed;
}

// The rows of each registered roster in the order of their numbers, as the stored tables give them
// back: a commit leaves the rosters in that order, not in the order of the last day computed.
void orderRostersByNumber()
{
    GlobalModel& g = Global();
    for (int code = 1; code <= Capacity::Services; ++code) {
        if (g.ServiceTable[code].Descr.isEmpty())
            continue;
        RosterTable& roster = g.Grades[code];
        std::vector<std::array<QString, RosterTable::Columns>> rows;
        for (int row = 1; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row)
            rows.push_back(std::move(roster.row(row)));
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a[0] < b[0]; });
        for (size_t i = 0; i < rows.size(); ++i)
            roster.row(int(i) + 1) = std::move(rows[i]);
    }
}

// The days a verification computed after its target only served to reach the computation end:
// they are taken back in the model it left, before anything is written, in the order the stored
// history would give them (by day, then service), and leave the history cache. Returns the log
// rows of the records stored before the verification (those it appended were never logged).
QList<CountLog::Row> takeBackBeyond(const QDate& target, const QSet<QString>& appended)
{
    GlobalModel& g = Global();
    const QDate first = target.addDays(1);
    const int inUse = HistoryInUse();
    QList<TakenBack> records;
    std::vector<HistoryRecord> kept(g.HistoryCache.size());
    int keptCount = 0;
    for (int i = 1; i <= inUse; ++i) {
        const HistoryRecord& record = g.HistoryCache[i];
        if (record.Dia.isValid() && record.Dia >= first) {
            if (!record.Num.isEmpty())   // a record without numbers is never stored
                records << TakenBack{record.Dia, record.CodSv, record.Num, record.PtVm};
            continue;
        }
        kept[++keptCount] = record;
    }
    std::stable_sort(records.begin(), records.end(), [](const TakenBack& a, const TakenBack& b) {
        return a.day != b.day ? a.day < b.day : a.code < b.code;
    });
    const QList<CountLog::Row> log = takeBack(records, appended);
    g.HistoryCache = std::move(kept);
    return log;
}

// The number of history records stored: the records a verification appends come after them.
int storedHistoryRecords()
{
    return TDMGeral::instance().countHist();
}

// The last step inside the transaction: the day Escala.Txt must hold is recorded with the tables.
void stageLastRosteredDay(const QDate& day)
{
    DataFiles::StageLastRosteredDay(day);
    KillPoints::reach("antes-de-confirmar");
}

}

QString RecordedKind(const QString& storedKind, const QDate& day)
{
    if (storedKind == QStringLiteral("Pt") || storedKind == QStringLiteral("Vm"))
        return storedKind;
    return DayKind(day);
}

QString FinishLastRosteredDay(const QDate& day)
{
    Global().LastRosteredDay = Dates::show(day);
    return PendingFiles::finishCommitted();
}

namespace {

// The days, singular or plural, as the questions name them.
QString daySpan(const QDate& first, const QDate& last, const QString& one, const QString& many)
{
    return first == last ? one.arg(QStringLiteral("o dia ") + Dates::show(first))
                         : many.arg(QStringLiteral("os dias de %1 a %2").arg(Dates::show(first), Dates::show(last)));
}

bool asked(const Confirm& confirm, const QString& question)
{
    return confirm && confirm(question);
}

// The model's rosters, register and history written, each in one pass.
void writeModel()
{
    SaveAllRosters();
    KillPoints::reach("escalas-gravadas");
    SaveSoldiers();
    KillPoints::reach("militares-gravados");
    SaveHistory();
    KillPoints::reach("historico-gravado");
}

void hashFile(QCryptographicHash& hash, const QString& bareName)
{
    hash.addData(bareName.toUtf8());
    if (UnitTexts::OnServer(bareName)) {
        hash.addData(UnitTexts::Read(bareName).join(QLatin1Char('\n')).toUtf8());
        return;
    }
    QFile file(DataFolder::file(bareName));
    if (file.open(QIODevice::ReadOnly))
        hash.addData(file.readAll());
}

}

void WriteVerifiedModel(const std::vector<RosterTable>& grades, const std::vector<SoldierRecord>& soldiers,
                        const std::vector<HistoryRecord>& history)
{
    GlobalModel& g = Global();
    LoadServices();
    g.Grades = grades;
    g.SoldierTable = soldiers;
    g.HistoryCache = history;
    writeModel();
}

void RequireStoredStateUnchanged(const QByteArray& digest, const QString& what, const QString& advice)
{
    if (StoredStateDigest() == digest) {
        // The tables are as the desk read them: what the commit writes of them needs no other check.
        TDMGeral& module = TDMGeral::instance();
        if (module.onServer())
            ReadMarks::confirmWholeState(module.database(Alias::Ravelha).connectionName());
        return;
    }
    // On a server the change came from another desk, committed while this one was verifying.
    if (TDMGeral::instance().onServer())
        throw CoreError(ReadMarks::ChangedElsewhere);
    throw CoreError(QStringLiteral("Os dados do Sistema mudaram %1; nada foi gravado.\n\n%2").arg(what, advice));
}

QDate LastRosteredDate()
{
    const QString text = DataFiles::ReadLastRosteredDay();
    const std::optional<QDate> day = Dates::parse(text);
    if (!day)
        throw CoreError(QStringLiteral("O arquivo %1 não tem uma data válida: \"%2\".").arg(DataFiles::Escala, text));
    return *day;
}

QString PastTargetQuestion(const QDate& target, const QDate& lastRostered)
{
    if (!(target < lastRostered))
        return QString();
    return QStringLiteral("A última escalação vai até o dia %1.\n\n"
                          "Escalar até o dia %2 desfará %3: os registros do histórico serão eliminados e as "
                          "contagens e os últimos serviços dos militares, refeitos.\n\n"
                          "Deseja continuar?")
        .arg(Dates::show(lastRostered), Dates::show(target),
             daySpan(target.addDays(1), lastRostered, QStringLiteral("%1, já escalado"),
                     QStringLiteral("%1, já escalados")));
}

QString FutureUndoQuestion(const QDate& first, const QDate& lastRostered)
{
    if (!(first > lastRostered.addDays(1)))
        return QString();
    const QDate newLast = first.addDays(-1);
    return QStringLiteral("A última escalação vai até o dia %1.\n\n"
                          "Desfazer a partir do dia %2 levará a última escalação para o dia %3: %4 "
                          "automaticamente.\n\n"
                          "Deseja continuar?")
        .arg(Dates::show(lastRostered), Dates::show(first), Dates::show(newLast),
             daySpan(lastRostered.addDays(1), newLast,
                     QStringLiteral("%1, que nunca foi escalado, passará a contar como escalado e não poderá mais "
                                    "ser escalado"),
                     QStringLiteral("%1, que nunca foram escalados, passarão a contar como escalados e não poderão "
                                    "mais ser escalados")));
}

QByteArray StoredStateDigest()
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    TDMGeral& module = TDMGeral::instance();
    module.hashTables(hash, TableSchema::workingTables());
    hash.addData(DataFiles::Escala.toUtf8());
    hash.addData(DataFiles::EscalaLines().join(QLatin1Char('\n')).toUtf8());
    hashFile(hash, DataFiles::SemExped);
    return hash.result();
}

CommitOutcome CommitRoster(const VerifiedRoster& verified, const Confirm& confirm)
{
    CommitOutcome outcome;
    const QString question = PastTargetQuestion(verified.target, LastRosteredDate());
    if (!question.isEmpty() && !asked(confirm, question))
        return outcome;

    {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        RequireStoredStateUnchanged(verified.storedDigest, QStringLiteral("depois da verificação"),
                                    QStringLiteral("Use \"Desfazer\" e verifique a escala de novo antes de escalar."));
        // The records the verification appended: a duty row per soldier for those up to the target;
        // those after it are taken back at once and never logged.
        const int stored = storedHistoryRecords();
        const int inUse = HistoryInUse(verified.history);
        QList<CountLog::Row> duties;
        QSet<QString> beyondTarget;
        for (int i = stored + 1; i <= inUse; ++i) {
            const HistoryRecord& record = verified.history[i];
            if (record.Dia <= verified.target)
                duties << CountLog::dutyRows(record, +1, CountLog::Operation::Commit);
            else
                beyondTarget.insert(CountLog::dutyKey(Dates::show(record.Dia), record.CodSv));
        }
        // The model the verification left, less the days after the target, is written once.
        GlobalModel& g = Global();
        LoadServices();
        g.Grades = verified.grades;
        g.SoldierTable = verified.soldiers;
        g.HistoryCache = verified.history;
        LoadRedDays();
        ClearSelectionMarks();
        orderRostersByNumber();
        duties << takeBackBeyond(verified.target, beyondTarget);
        writeModel();
        CountLog::Append(TDMGeral::instance().database(Alias::Ravelha), duties);
        stageLastRosteredDay(verified.target);
        transaction.commit();
    }
    outcome.notice = FinishLastRosteredDay(verified.target);
    outcome.done = true;
    return outcome;
}

UndoOutcome UndoFrom(const QDate& first, const Confirm& confirm)
{
    UndoOutcome outcome;
    const QDate newLast = first.addDays(-1);
    if (!Dates::writable(newLast)) {
        outcome.message = QStringLiteral("Não é possível desfazer a partir do dia %1: a última escalação passaria a ser "
                                         "%2, e o Sistema guarda os dias de %3 a %4.")
                              .arg(Dates::show(first), newLast.toString(QStringLiteral("dd/MM/yyyy")),
                                   Dates::show(Dates::FirstDay), Dates::show(Dates::LastDay));
        return outcome;
    }
    const QString question = FutureUndoQuestion(first, LastRosteredDate());
    if (!question.isEmpty() && !asked(confirm, question))
        return outcome;
    {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        outcome.removedRecords = takeBackFrom(first);
        stageLastRosteredDay(newLast);
        transaction.commit();
    }
    outcome.newLast = newLast;
    outcome.notice = FinishLastRosteredDay(newLast);
    outcome.ran = true;
    return outcome;
}

UndoOutcome UndoFromAnswer(const QString& answer, const Confirm& confirm)
{
    if (answer.isEmpty())
        return {};
    const std::optional<QDate> first = Dates::parse(answer);
    if (!first) {
        UndoOutcome refused;
        refused.message = Dates::invalidDateMessage(answer);
        return refused;
    }
    return UndoFrom(*first, confirm);
}
