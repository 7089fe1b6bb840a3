// ravelha-cli backup, restaurar and local-copia on fresh copies of the small fixture, whose copy
// lives at first in the folder Espelho of the data folder (line 6 of Niveis.Txt). Run on a data
// folder and again on a unit of a server, whose copy is a folder of the desk all the same.
#include "CliRunner.h"
#include "maintenance/Backup.h"
#include "maintenance/BackupLocation.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

void run(FixtureFolder& data, const QString& statement)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

// Every working table and the seven text files of the data folder.
QStringList dataState(FixtureFolder& data)
{
    QStringList state = StoredTables(data.module(), TableSchema::workingTables());
    for (const QString& file : Backup::TextFiles())
        state << QStringLiteral("== ") + file << data.readText(file);
    return state;
}

QStringList lines(const QString& text)
{
    QString t = text;
    if (t.endsWith(QLatin1Char('\n')))
        t.chop(1);
    return t.split(QLatin1Char('\n'));
}

}

class TestCliBackup : public QObject {
    Q_OBJECT
private slots:
    void savedThenRestored()
    {
        FixtureFolder data;
        // The register keeps no rest time: every save of it, the copy's too, leaves the column empty.
        run(data, "UPDATE Sv SET Folga = NULL");
        const QString place = DataFiles::ReadNiveis().backupFolder;
        const CliResult saved = cli(data, {"backup"});
        QCOMPARE(saved.err, QString());
        QCOMPARE(saved.exit, 0);
        QVERIFY(QFileInfo::exists(QDir(place).filePath("Ravelha.db")));
        const QStringList before = dataState(data);

        run(data, "DELETE FROM Hist");
        run(data, "UPDATE Sv1 SET Pt = 40");
        run(data, "DELETE FROM Basico WHERE Num = '3'");
        data.writeText(DataFiles::Escala, {"15/03/04"});
        data.writeText(DataFiles::SemExped, {"06/03/04"});
        const QStringList changed = dataState(data);

        // Without --sim the question is the answer: nothing changes.
        const CliResult declined = cli(data, {"restaurar"});
        QCOMPARE(declined.exit, 1);
        QVERIFY2(declined.err.contains("Deseja recuperar a cópia?") && declined.err.contains("--sim"),
                 qPrintable(declined.err));
        QCOMPARE(declined.out, QStringList());
        QCOMPARE(dataState(data), changed);

        const CliResult restored = cli(data, {"restaurar", "--sim"});
        QCOMPARE(restored.err, QString());
        QCOMPARE(restored.exit, 0);
        QCOMPARE(restored.out, lines(Backup::EndMessage));
        QCOMPARE(dataState(data), before);
    }

    void restoreWithoutACopyChangesNothing()
    {
        FixtureFolder data;
        const QStringList before = dataState(data);
        for (const bool emptyFolder : {false, true}) {
            if (emptyFolder)
                QVERIFY(QDir().mkpath(DataFiles::ReadNiveis().backupFolder));
            const CliResult result = cli(data, {"restaurar", "--sim"});
            QCOMPARE(result.exit, 1);
            QCOMPARE(result.err, Backup::NoFilesMessage + QLatin1Char('\n'));
            QCOMPARE(dataState(data), before);
        }
    }

    void theCopysPlace()
    {
        FixtureFolder data;
        QTemporaryDir media;
        QVERIFY(QDir(media.path()).mkdir("pen"));
        const QString pen = QDir(media.path()).filePath("pen");
        const QStringList niveis = TextFile::readLines(data.file(DataFiles::Niveis));

        const CliResult missing = cli(data, {"local-copia", QDir(media.path()).filePath("ausente")});
        QCOMPARE(missing.exit, 1);
        QCOMPARE(missing.err, BackupLocation::MissingMediumMessage + QLatin1Char('\n'));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)), niveis);

        const CliResult moved = cli(data, {"local-copia", pen});
        QCOMPARE(moved.err, QString());
        QCOMPARE(moved.exit, 0);
        const QString folder = pen + "/Molvedan/Ravelha/Espelho";
        QCOMPARE(moved.out.first(), "Novo local da cópia: " + folder);
        QCOMPARE(moved.out.mid(1), lines(BackupLocation::ChangedMessage));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)), niveis.mid(0, 5) << folder);

        const CliResult shown = cli(data, {"local-copia"});
        QCOMPARE(shown.out, (QStringList{"Local Atual: " + pen, "Pasta da cópia: " + folder}));
        const CliResult same = cli(data, {"local-copia", pen});
        QCOMPARE(same.exit, 0);
        QVERIFY(same.out.first().contains("nada foi alterado"));

        // The next save goes to the new place.
        QCOMPARE(cli(data, {"backup"}).exit, 0);
        QVERIFY(QFileInfo::exists(QDir(folder).filePath("Ravelha.db")));
        QCOMPARE(TextFile::readLines(QDir(folder).filePath(DataFiles::Niveis)), niveis.mid(0, 5) << folder);
    }

    void badUsage()
    {
        FixtureFolder data;
        for (const QStringList& arguments :
             {QStringList{"backup", "x"}, QStringList{"restaurar", "--nao"}, QStringList{"local-copia", "a", "b"}}) {
            const CliResult result = cli(data, arguments);
            QCOMPARE(result.exit, 2);
            QVERIFY(result.err.contains("Argumento inesperado"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCliBackup)
#include "TestCliBackup.moc"
