// ravelha-cli killed while it saves the backup copy or restores it: at each step and at random
// moments. Afterwards the backup set is wholly the old or wholly the new one, and the data folder
// as the next run sees it is wholly as it was or wholly restored.
#include "CliRunner.h"
#include "maintenance/Backup.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

namespace {

const QStringList SaveCommand{QStringLiteral("backup")};
const QStringList RestoreCommand{QStringLiteral("restaurar"), QStringLiteral("--sim")};

// A save counts as done once the old set is moved aside: the new one is complete by then.
struct Step {
    const char* name;
    bool after;   // the operation counts as done once this step is reached
};
const Step SaveSteps[] = {
    {"copia-arquivos-copiados", false}, {"copia-tabelas-gravadas", false}, {"copia-nova-pronta", false},
    {"copia-antiga-afastada", true},    {"copia-nova-no-lugar", true},
};
const Step RestoreSteps[] = {
    {"restaurar-tabelas-gravadas", false}, {"restaurar-antes-de-confirmar", false},
    {"restaurar-depois-de-confirmar", true}, {"arquivo-gravado", true},
};

QStringList filesOf(const QString& folder)
{
    QStringList state;
    for (const QString& file : Backup::TextFiles())
        state << QStringLiteral("== ") + file << TextFile::readLines(QDir(folder).filePath(file));
    return state;
}

// The data folder as the next run sees it: a start finishes what a stopped restore left.
QStringList dataSeenNext(FixtureFolder& data)
{
    const CliResult next = cli(data, {QStringLiteral("local-copia")});
    if (next.exit != 0)
        return {QStringLiteral("local-copia falhou: ") + next.err};
    return storedState(data) + filesOf(data.path());
}

// The backup set as the next save or restore sees it, once it has tidied what a stop left.
QStringList backupSeenNext(FixtureFolder& data)
{
    const QString folder = QDir::cleanPath(DataFiles::ReadNiveis().backupFolder);
    Backup::TidyBackupSet(folder);
    QStringList state;
    for (const char* leftover : {".novo", ".antigo"}) {
        if (QFileInfo::exists(folder + QLatin1String(leftover)))
            state << QStringLiteral("sobrou ") + QLatin1String(leftover);
    }
    data.module().setAliasFolder(Alias::BackUpRavSv, folder);
    for (const QString& table : TableSchema::workingTables()) {
        state << QStringLiteral("== ") + table;
        QSqlQuery q = data.module().openTable(Alias::BackUpRavSv, table, 100000);
        while (q.next()) {
            QStringList values;
            for (int c = 0; c < q.record().count(); ++c)
                values << q.value(c).toString();
            state << values.join(QLatin1Char('|'));
        }
    }
    data.module().setAliasFolder(Alias::BackUpRavSv, folder);   // closed: the next run may move it
    return state + filesOf(folder);
}

// Both sides: the data folder and the backup set.
QStringList seenNext(FixtureFolder& data)
{
    QStringList seen = dataSeenNext(data) + QStringList{QStringLiteral("== cópia")} + backupSeenNext(data);
    // Niveis.Txt names the copy's folder, in this test's temporary folder.
    seen.replaceInStrings(QFileInfo(data.path()).absolutePath(), QStringLiteral("<temp>"));
    return seen;
}

// A copy saved, then a roster committed: the copy and the data folder differ.
void prepare(FixtureFolder& data)
{
    QCOMPARE(cli(data, SaveCommand).exit, 0);
    QCOMPARE(cli(data, {QStringLiteral("escalar"), QStringLiteral("10/03/04")}).exit, 0);
}

struct Ends {
    QStringList before;
    QStringList after;
};

Ends endsOf(const QStringList& command)
{
    FixtureFolder data(QStringLiteral("inicial"));
    prepare(data);
    Ends ends;
    ends.before = seenNext(data);
    const CliResult run = cli(data, command);
    if (run.exit != 0)
        qWarning() << run.err;
    ends.after = seenNext(data);
    return ends;
}

}

class TestKillDuringBackup : public QObject {
    Q_OBJECT
private slots:
    void killedAtEachStep_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<QString>("step");
        QTest::addColumn<bool>("after");
        for (const Step& step : SaveSteps)
            QTest::addRow("backup %s", step.name) << SaveCommand << QString::fromLatin1(step.name) << step.after;
        for (const Step& step : RestoreSteps)
            QTest::addRow("restaurar %s", step.name) << RestoreCommand << QString::fromLatin1(step.name) << step.after;
    }
    void killedAtEachStep()
    {
        QFETCH(QStringList, command);
        QFETCH(QString, step);
        QFETCH(bool, after);
        const Ends ends = endsOf(command);
        QVERIFY(ends.before != ends.after);

        FixtureFolder data(QStringLiteral("inicial"));
        prepare(data);
        const CliResult killed = cli(QStringList{QStringLiteral("--dados"), data.path()} + command, killedAt(step));
        QVERIFY2(killed.crashed, "the step was never reached");
        QCOMPARE(seenNext(data), after ? ends.after : ends.before);
    }

    void killedAtRandomMoments_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("backup") << SaveCommand;
        QTest::newRow("restaurar") << RestoreCommand;
    }
    void killedAtRandomMoments()
    {
        QFETCH(QStringList, command);
        const Ends ends = endsOf(command);
        qint64 runMs = 0;
        {
            FixtureFolder data(QStringLiteral("inicial"));
            prepare(data);
            QElapsedTimer clock;
            clock.start();
            QCOMPARE(cli(data, command).exit, 0);
            runMs = qMax<qint64>(clock.elapsed(), 20);
        }
        QRandomGenerator random(20041210);
        int seenBefore = 0;
        int seenAfter = 0;
        for (int round = 0; round < 10; ++round) {
            FixtureFolder data(QStringLiteral("inicial"));
            prepare(data);
            QProcess process;
            process.setProcessEnvironment(plainEnvironment());
            process.start(QStringLiteral(RAVELHA_CLI), QStringList{QStringLiteral("--dados"), data.path()} + command);
            QVERIFY(process.waitForStarted());
            QThread::usleep(random.bounded(runMs * 1300));
            process.kill();
            finished(process);
            const QStringList seen = seenNext(data);
            QVERIFY2(seen == ends.before || seen == ends.after, qPrintable(QStringLiteral("round %1").arg(round)));
            (seen == ends.before ? seenBefore : seenAfter)++;
        }
        qInfo("before %d, after %d", seenBefore, seenAfter);
    }
};

QTEST_GUILESS_MAIN(TestKillDuringBackup)
#include "TestKillDuringBackup.moc"
