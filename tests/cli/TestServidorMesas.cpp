// Several desks on one server: two desks rostering the same unit at the same moment, a server that
// dies in the middle of a commit, and three units rostered at once on one server. Whatever the
// timing, a unit is never left half-written, no duty is lost or counted twice, and a desk that
// lost the race is told so.
#include "CliRunner.h"
#include "GeneratedUnit.h"
#include "PrivateServer.h"
#include "ServerUnitFixture.h"
#include "audit/CountLog.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"
#include "data/UnitTexts.h"
#include "maintenance/ServerUnits.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlError>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#include <climits>
#include <memory>

#include <unistd.h>

namespace {

const QString ChangedElsewhere =
    QStringLiteral("Os dados foram alterados em outro computador desde a verificação. Verifique novamente.");

// ravelha-cli started and left running; `finished` (CliRunner.h) waits for it.
void startCli(QProcess& process, const QStringList& arguments)
{
    process.setProcessEnvironment(plainEnvironment());
    process.start(QStringLiteral(RAVELHA_CLI), arguments);
}

QString described(const CliResult& result)
{
    return QStringLiteral("exit %1%2, messages: %3")
        .arg(result.exit)
        .arg(result.crashed ? QStringLiteral(" (crashed)") : QString())
        .arg(result.err);
}

// Everything a unit holds, each part as lines to compare: the working tables, the log of counts
// (without its Id and Quando, which no two units share) and the state texts.
struct UnitState {
    QMap<QString, QStringList> tables;
    QStringList log;
    QMap<QString, QStringList> texts;
};

// The unit of a data folder (`address` without a server) or of a server.
UnitState readUnit(const QString& folder, const ServerAddress& address = ServerAddress())
{
    UnitState unit;
    TDMGeral module(folder, QString(), address);
    for (const QString& table : TableSchema::workingTables()) {
        QStringList lines;
        for (const QVariantList& row : module.readRows(Alias::Ravelha, table, INT_MAX)) {
            QStringList values;
            for (const QVariant& value : row)
                values << (value.isNull() ? QStringLiteral("<nulo>") : value.toString());
            lines << values.join(QLatin1Char('|'));
        }
        unit.tables.insert(table, lines);
    }
    CountLog::ReadAll(module.database(Alias::Ravelha), [&unit](const CountLog::Row& row) {
        unit.log << QStringList{QString::number(row.roster), row.number, row.kind, QString::number(row.before),
                                QString::number(row.after), QString::number(row.delta), row.operation, row.day,
                                QString::number(row.service)}
                        .join(QLatin1Char('|'));
    });
    for (const QString& name : UnitTexts::StateFiles()) {
        unit.texts.insert(name, address.url.isEmpty()
                                    ? TextFile::readLines(QDir(folder).filePath(name))
                                    : UnitTexts::ReadFrom(module.database(Alias::Ravelha), name, address.label()));
    }
    return unit;
}

bool operator==(const UnitState& a, const UnitState& b)
{
    return a.tables == b.tables && a.log == b.log && a.texts == b.texts;
}

// The same in every part; `what` names the unit in the failure message.
void compareUnits(const UnitState& actual, const UnitState& expected, const QString& what)
{
    for (auto table = expected.tables.cbegin(); table != expected.tables.cend(); ++table) {
        if (actual.tables.value(table.key()) != table.value()) {
            qWarning("%s: table %s differs", qPrintable(what), qPrintable(table.key()));
            QCOMPARE(actual.tables.value(table.key()), table.value());
        }
    }
    if (actual.log != expected.log) {
        qWarning("%s: the log of counts differs", qPrintable(what));
        QCOMPARE(actual.log, expected.log);
    }
    for (auto text = expected.texts.cbegin(); text != expected.texts.cend(); ++text) {
        if (actual.texts.value(text.key()) != text.value()) {
            qWarning("%s: the text %s differs", qPrintable(what), qPrintable(text.key()));
            QCOMPARE(actual.texts.value(text.key()), text.value());
        }
    }
}

// The last rostered day and the history of a unit on the server, read through a module of the test.
QDate lastRostered(TDMGeral& module, const ServerAddress& address)
{
    const QStringList lines = UnitTexts::ReadFrom(module.database(Alias::Ravelha), DataFiles::Escala, address.label());
    return Dates::parse(lines.value(0)).value_or(QDate());
}

// The services of each day of the history, as stored (a pair twice shows twice).
QMap<QDate, QList<int>> historyByDay(TDMGeral& module)
{
    QMap<QDate, QList<int>> days;
    QSqlQuery rows(module.database(Alias::Ravelha));
    if (!rows.exec(QStringLiteral("SELECT Dia, CodSv FROM Hist")))
        qFatal("the history cannot be read: %s", qPrintable(rows.lastError().text()));
    while (rows.next())
        days[Dates::fromStorage(rows.value(0).toString())] << rows.value(1).toInt();
    for (QList<int>& codes : days)
        std::sort(codes.begin(), codes.end());
    return days;
}

// A PostgreSQL server of the test's own, apart from the run's: this one is killed. Stopped and
// removed when the test ends, whatever happens.
class OwnServer {
public:
    OwnServer() : m_stateFile(m_folder.filePath(QStringLiteral("servidor.estado"))) {}
    ~OwnServer() { script(QStringLiteral("stop")); }

    bool start(QString* why) { return script(QStringLiteral("start"), why); }
    bool restart(QString* why) { return script(QStringLiteral("restart"), why); }

    // As a power cut: every server process ends at once, nothing is written or rolled back.
    bool killNow(QString* why)
    {
        QProcess pgctl;
        QStringList arguments{pgCtl(), QStringLiteral("stop"), QStringLiteral("-D"), socketFolder() + "/data",
                              QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w")};
        // The cluster belongs to the user postgres when the tests run as root (the script's rule).
        if (::geteuid() == 0)
            arguments = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + arguments;
        pgctl.setWorkingDirectory(QStringLiteral("/"));
        pgctl.start(::geteuid() == 0 ? QStringLiteral("runuser") : arguments.takeFirst(), arguments);
        pgctl.waitForFinished(60000);
        *why = QString::fromUtf8(pgctl.readAllStandardError());
        return pgctl.exitStatus() == QProcess::NormalExit && pgctl.exitCode() == 0;
    }

    QString url() const { return QStringLiteral("postgresql://postgres@/ravelha_teste?host=") + socketFolder(); }

    // A connection of the test to the server, opened.
    QSqlDatabase open(const QString& connectionName) const
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
        db.setHostName(socketFolder());
        db.setDatabaseName(QStringLiteral("ravelha_teste"));
        db.setUserName(QStringLiteral("postgres"));
        db.open();
        return db;
    }

private:
    QString socketFolder() const
    {
        QFile file(m_stateFile);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readLine()).trimmed() : QString();
    }

    // pg_ctl of the server programs the script uses.
    static QString pgCtl()
    {
        QProcess config;
        config.start(QStringLiteral("pg_config"), {QStringLiteral("--bindir")});
        if (config.waitForFinished(10000) && config.exitCode() == 0) {
            const QString dir = QString::fromUtf8(config.readAllStandardOutput()).trimmed();
            if (QFileInfo(dir + QStringLiteral("/pg_ctl")).isExecutable())
                return dir + QStringLiteral("/pg_ctl");
        }
        QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(versions.begin(), versions.end(),
                  [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        return versions.isEmpty() ? QStringLiteral("pg_ctl")
                                  : QStringLiteral("/usr/lib/postgresql/%1/bin/pg_ctl").arg(versions.last());
    }

    bool script(const QString& action, QString* why = nullptr)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("RAVELHA_SERVIDOR_ESTADO"), m_stateFile);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        const QString path = QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath(
            QStringLiteral("../server/PrivateServer.sh"));
        process.start(QStringLiteral("bash"), {path, action});
        process.waitForFinished(180000);
        if (why)
            *why = QString::fromUtf8(process.readAll());
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QTemporaryDir m_folder;
    QString m_stateFile;
};

// Whether the backend of another connection waits for a lock on `table` of `schema`.
bool someoneWaitsOn(QSqlDatabase& db, const QString& schema, const QString& table)
{
    QSqlQuery waiting(db);
    waiting.prepare(QStringLiteral("SELECT count(*) FROM pg_locks WHERE NOT granted AND relation = "
                                   "to_regclass(quote_ident(?) || '.' || quote_ident(?))"));
    waiting.addBindValue(schema);
    waiting.addBindValue(table.toLower());
    return waiting.exec() && waiting.next() && waiting.value(0).toInt() > 0;
}

}

class TestServidorMesas : public QObject {
    Q_OBJECT
private slots:
    // Two desks give `escalar` on one unit at the same moment, round after round. Either the one
    // that verified before the other's commit is refused, or both commit one after the other; the
    // counts always agree with the history, which holds each service of each day once.
    void twoDesksRosterOneUnitAtOnce()
    {
        QElapsedTimer clock;
        clock.start();
        FixtureFolder data(QStringLiteral("pequena"));   // rostered up to 29/02/04, prepared to 20/03/04
        QTemporaryDir desks;
        const QString deskA = desks.filePath(QStringLiteral("A"));
        const QString deskB = desks.filePath(QStringLiteral("B"));
        QVERIFY(desks.isValid() && CopyFolder(data.path(), deskA) && CopyFolder(data.path(), deskB));
        const ServerUnitFixture unit(deskA);
        const auto at = [&unit](const QString& desk, const QStringList& command) {
            return QStringList{QStringLiteral("--dados"), desk} + unit.cliArguments() + command;
        };
        const CliResult started = cli(at(deskA, {QStringLiteral("auditoria"), QStringLiteral("--iniciar")}));
        QVERIFY2(started.exit == 0, qPrintable(described(started)));

        TDMGeral reader(deskA, QString(), unit.address());
        const QDate start = lastRostered(reader, unit.address());
        QCOMPARE(start, QDate(2004, 2, 29));
        const QDate prepared(2004, 3, 20);
        const QMap<QDate, QList<int>> before = historyByDay(reader);
        // The services each day holds, from a twin unit rostered by one desk over every prepared day.
        QMap<QDate, QList<int>> rostered;
        {
            const ServerUnitFixture twin(deskB);
            const CliResult whole = cli(QStringList{QStringLiteral("--dados"), deskB} + twin.cliArguments()
                                        + QStringList{QStringLiteral("escalar"), Dates::show(prepared)});
            QVERIFY2(whole.exit == 0, qPrintable(described(whole)));
            TDMGeral twinReader(deskB, QString(), twin.address());
            rostered = historyByDay(twinReader);
        }
        QCOMPARE(rostered.size(), before.size() + int(start.daysTo(prepared)));

        QRandomGenerator random(20040301);
        int both = 0;
        int refused = 0;
        int undone = 0;
        for (int round = 1; round <= 50; ++round) {
            QDate last = lastRostered(reader, unit.address());
            if (last.daysTo(prepared) < 4) {
                // Back to the start, so the prepared days last for every round.
                const CliResult undo = cli(at(deskA, {QStringLiteral("desfazer"), Dates::show(start.addDays(1)),
                                                      QStringLiteral("--forcar")}));
                QVERIFY2(undo.exit == 0, qPrintable(described(undo)));
                last = start;
                ++undone;
            }
            // Half the rounds aim both desks at the same day; the others at days drawn apart, so
            // that a desk coming second may still have days of its own to roster.
            const QDate targets[2] = {last.addDays(1 + random.bounded(3)),
                                      round % 2 ? last.addDays(1 + random.bounded(4)) : QDate()};
            const QDate targetB = targets[1].isValid() ? targets[1] : targets[0];
            QProcess first;
            QProcess second;
            startCli(first, at(deskA, {QStringLiteral("escalar"), Dates::show(targets[0])}));
            QThread::msleep(random.bounded(51));
            startCli(second, at(deskB, {QStringLiteral("escalar"), Dates::show(targetB)}));
            const CliResult results[2] = {finished(first), finished(second)};
            const QDate aimed[2] = {targets[0], targetB};

            const QString round_ = QStringLiteral("round %1 (last %2, targets %3 and %4)")
                                       .arg(round)
                                       .arg(Dates::show(last), Dates::show(aimed[0]), Dates::show(aimed[1]));
            QDate expectedLast = last;
            int committed = 0;
            for (int desk = 0; desk < 2; ++desk) {
                const CliResult& result = results[desk];
                const QString why = round_ + QStringLiteral(", desk %1: ").arg(desk + 1) + described(result);
                QVERIFY2(!result.crashed && (result.exit == 0 || result.exit == 1), qPrintable(why));
                if (result.exit == 0) {
                    ++committed;
                    expectedLast = std::max(expectedLast, aimed[desk]);
                    continue;
                }
                // Refused: the other desk's commit came after this one verified, or before it
                // verified and already covers a later day, or it read the days already rostered.
                const bool known = result.err.trimmed() == ChangedElsewhere
                                   || result.err.startsWith(QStringLiteral("A última escalação vai até o dia "))
                                   || result.err.contains(QStringLiteral(" já foi escalado no dia "));
                QVERIFY2(known, qPrintable(why));
                ++refused;
            }
            QVERIFY2(committed >= 1, qPrintable(round_ + QStringLiteral(": no desk committed")));
            both += committed == 2 && aimed[0] != aimed[1];

            // Nothing lost, nothing doubled: every day up to the last rostered one holds each
            // service once, no day after it holds any, and the older history is untouched.
            QCOMPARE(lastRostered(reader, unit.address()), expectedLast);
            const QMap<QDate, QList<int>> history = historyByDay(reader);
            for (auto day = history.cbegin(); day != history.cend(); ++day) {
                QStringList codes;
                for (int code : day.value())
                    codes << QString::number(code);
                const QString which = round_ + QStringLiteral(": %1 holds the services %2")
                                                   .arg(Dates::show(day.key()), codes.join(QLatin1Char(',')));
                if (day.key() <= start)
                    QVERIFY2(day.value() == before.value(day.key()), qPrintable(which));
                else
                    QVERIFY2(day.key() <= expectedLast && day.value() == rostered.value(day.key()), qPrintable(which));
            }
            QCOMPARE(history.size(), before.size() + int(start.daysTo(expectedLast)));

            // The counts agree with the log of counts and the log with the history.
            const CliResult audit = cli(at(deskB, {QStringLiteral("auditoria")}));
            QVERIFY2(audit.exit == 0 && audit.out == QStringList{QStringLiteral("Nenhuma divergência.")},
                     qPrintable(round_ + QStringLiteral(": ") + audit.out.join(QLatin1Char('\n')) + audit.err));
        }
        qInfo("50 rounds in %lld ms: %d desks refused, %d rounds where both committed different days, %d undos",
              qlonglong(clock.elapsed()), refused, both, undone);
    }

    // Two desks keep the register at the same moment, each including a soldier of its own: the
    // register is read, then written back whole, so a desk that read it before the other's save
    // must be refused, never write over the other's soldier.
    void twoDesksIncludeSoldiersAtOnce()
    {
        FixtureFolder data(QStringLiteral("pequena"));
        QTemporaryDir desks;
        const QString deskA = desks.filePath(QStringLiteral("A"));
        const QString deskB = desks.filePath(QStringLiteral("B"));
        QVERIFY(desks.isValid() && CopyFolder(data.path(), deskA) && CopyFolder(data.path(), deskB));
        const ServerUnitFixture unit(deskA);
        TDMGeral reader(deskA, QString(), unit.address());
        QStringList expected = StoredRows(reader, QStringLiteral("Basico"));

        QRandomGenerator random(20041225);
        int refused = 0;
        for (int round = 1; round <= 30; ++round) {
            const QString nums[2] = {QString::number(7000 + round), QString::number(8000 + round)};
            QProcess processes[2];
            for (int desk = 0; desk < 2; ++desk) {
                if (desk == 1)
                    QThread::msleep(random.bounded(21));
                startCli(processes[desk], QStringList{QStringLiteral("--dados"), desk ? deskB : deskA}
                                              + unit.cliArguments()
                                              + QStringList{QStringLiteral("incluir"), nums[desk], QStringLiteral("Sd"),
                                                            QStringLiteral("Mesa %1").arg(round)});
            }
            for (int desk = 0; desk < 2; ++desk) {
                const CliResult result = finished(processes[desk]);
                const QString why = QStringLiteral("round %1, desk %2: %3").arg(round).arg(desk + 1).arg(described(result));
                QVERIFY2(!result.crashed, qPrintable(why));
                if (result.exit == 0) {
                    expected << QStringLiteral("%1|Mesa %2|Sd||||").arg(nums[desk]).arg(round);
                } else {
                    QVERIFY2(result.exit == 1 && result.err.trimmed() == ChangedElsewhere, qPrintable(why));
                    ++refused;
                }
            }
            QStringList stored = StoredRows(reader, QStringLiteral("Basico"));
            stored.sort();
            expected.sort();
            QCOMPARE(stored, expected);
        }
        qInfo("30 rounds: %d desks refused for the other's save", refused);
    }

    // The server dies while a commit's transaction is open: the commit is held at one of its
    // writes by a lock of the test on the table it writes next, and the server is stopped at once
    // (as by a power cut). After the restart the unit is wholly as before; the desk was told the
    // connection was lost; and the same `escalar` run again gives the unit a plain commit would.
    void aServerKilledDuringACommitLosesNothing_data()
    {
        QTest::addColumn<QString>("heldAt");
        QTest::newRow("between the rosters") << QStringLiteral("Sv2");
        QTest::newRow("before the personnel register") << QStringLiteral("Basico");
        QTest::newRow("before the history") << QStringLiteral("Hist");
        QTest::newRow("before the log of counts") << CountLog::Table;
        QTest::newRow("before the last rostered day") << UnitTexts::Table;
    }

    void aServerKilledDuringACommitLosesNothing()
    {
        QFETCH(QString, heldAt);
        OwnServer server;
        QString why;
        QVERIFY2(server.start(&why), qPrintable(why));

        FixtureFolder data(QStringLiteral("pequena"));
        QTemporaryDir desk;
        QVERIFY(desk.isValid() && CopyFolder(data.path(), desk.path()));
        const ServerAddress killed{server.url(), QStringLiteral("morta")};
        const ServerAddress alone{server.url(), QStringLiteral("sozinha")};
        ServerUnits::Publish(desk.path(), killed);
        ServerUnits::Publish(desk.path(), alone);
        const auto escalar = [&desk](const ServerAddress& unit) {
            return QStringList{QStringLiteral("--dados"), desk.path(), QStringLiteral("--banco"), unit.url,
                               QStringLiteral("--unidade"), unit.unit, QStringLiteral("escalar"),
                               QStringLiteral("06/03/04")};
        };
        const UnitState before = readUnit(desk.path(), killed);
        const CliResult plain = cli(escalar(alone));
        QVERIFY2(plain.exit == 0, qPrintable(described(plain)));
        const UnitState after = readUnit(desk.path(), alone);
        QVERIFY(!(after == before));

        QString lostMessages;
        {
            QSqlDatabase holder = server.open(QStringLiteral("detentor"));
            QVERIFY2(holder.isOpen(), qPrintable(holder.lastError().text()));
            QVERIFY(holder.transaction());
            // Reading stays free; writing the table waits for the test's transaction.
            QSqlQuery lock(holder);
            QVERIFY2(lock.exec(QStringLiteral("LOCK TABLE \"%1\".%2 IN EXCLUSIVE MODE").arg(killed.schema(), heldAt)),
                     qPrintable(lock.lastError().text()));

            QProcess process;
            startCli(process, escalar(killed));
            QElapsedTimer waited;
            waited.start();
            while (!someoneWaitsOn(holder, killed.schema(), heldAt)) {
                if (process.state() == QProcess::NotRunning || waited.elapsed() > 60000) {
                    const CliResult early = finished(process);
                    QFAIL(qPrintable(QStringLiteral("the commit never waited to write %1: %2")
                                         .arg(heldAt, described(early))));
                }
                QThread::msleep(10);
            }
            QVERIFY2(server.killNow(&why), qPrintable(why));
            const CliResult lost = finished(process);
            QVERIFY2(!lost.crashed && lost.exit == 1, qPrintable(described(lost)));
            QVERIFY2(lost.out.isEmpty(), qPrintable(lost.out.join(QLatin1Char('\n'))));
            holder.close();
            lostMessages = lost.err;
        }
        QSqlDatabase::removeDatabase(QStringLiteral("detentor"));

        QVERIFY2(server.restart(&why), qPrintable(why));
        compareUnits(readUnit(desk.path(), killed), before, QStringLiteral("the unit after the restart"));
        if (QTest::currentTestFailed())
            return;
        // Nothing of the lost commit stands in the way of the next one.
        const CliResult again = cli(escalar(killed));
        QVERIFY2(again.exit == 0, qPrintable(described(again)));
        QCOMPARE(again.out, plain.out);
        compareUnits(readUnit(desk.path(), killed), after, QStringLiteral("the unit rostered again"));
        if (QTest::currentTestFailed())
            return;
        // The keeper is told the server was lost, not left with a bare engine error.
        QVERIFY2(lostMessages.contains(QStringLiteral("A conexão com o servidor "))
                     && lostMessages.contains(QStringLiteral(" foi perdida ou recusada")),
                 qPrintable(lostMessages));
    }

    // Three units of one server rostered at the same moment each end as their twin rostered alone
    // in a data folder: one desk's work never reaches another unit.
    void threeUnitsRosteredAtOnceMatchTheirFolders()
    {
        const QStringList names{QStringLiteral("minima"), QStringLiteral("retiradas"),
                                QStringLiteral("estranhos-e-periodos")};
        QTemporaryDir work;
        QVERIFY(work.isValid());
        std::vector<std::unique_ptr<ServerUnitFixture>> units;
        QList<QStringList> commands;
        QStringList twins;
        QStringList desks;
        for (const QString& name : names) {
            const UnitRecipe recipe = ReferenceRecipe(name);
            FixtureFolder data(QStringLiteral("inicial"));
            BuildUnit(recipe);
            commands << QStringList{QStringLiteral("--hoje"), Today(recipe), QStringLiteral("escalar"), TargetDay(recipe)}
                            + RemovalArguments(recipe);
            twins << work.filePath(name + QStringLiteral("-pasta"));
            desks << work.filePath(name + QStringLiteral("-mesa"));
            QVERIFY(CopyFolder(data.path(), twins.last()) && CopyFolder(data.path(), desks.last()));
            units.push_back(std::make_unique<ServerUnitFixture>(desks.last()));
        }

        QList<CliResult> alone;
        for (int i = 0; i < names.size(); ++i)
            alone << cli(QStringList{QStringLiteral("--dados"), twins.at(i)} + commands.at(i));
        QProcess processes[3];
        for (int i = 0; i < names.size(); ++i)
            startCli(processes[i], QStringList{QStringLiteral("--dados"), desks.at(i)} + units[i]->cliArguments()
                                       + commands.at(i));
        QList<CliResult> together;
        for (QProcess& process : processes)
            together << finished(process);

        for (int i = 0; i < names.size(); ++i) {
            QVERIFY2(alone.at(i).exit == 0, qPrintable(names.at(i) + QStringLiteral(": ") + described(alone.at(i))));
            QVERIFY2(together.at(i).exit == 0 && !together.at(i).crashed,
                     qPrintable(names.at(i) + QStringLiteral(": ") + described(together.at(i))));
            QCOMPARE(together.at(i).out, alone.at(i).out);
            QCOMPARE(together.at(i).err, alone.at(i).err);
            compareUnits(readUnit(desks.at(i), units[i]->address()), readUnit(twins.at(i)), names.at(i));
            if (QTest::currentTestFailed())
                return;
        }
    }
};

QTEST_GUILESS_MAIN(TestServidorMesas)
#include "TestServidorMesas.moc"
