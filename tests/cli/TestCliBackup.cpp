// ravelha-cli backup, restaurar and local-copia on fresh copies of the small fixture, whose copy
// lives at first in the folder Espelho of the data folder (line 6 of Niveis.Txt). Run on a data
// folder and again on a unit of a server, whose copy is a folder of the desk all the same.
#include "CliRunner.h"
#include "maintenance/Backup.h"
#include "maintenance/BackupLocation.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
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

// Every folder and file under `root` with its bytes' digest.
QStringList treeOf(const QString& root)
{
    QStringList tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        const QString digest = info.isFile() && file.open(QIODevice::ReadOnly)
            ? QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex())
            : QStringLiteral("/");
        tree << QDir(root).relativeFilePath(info.filePath()) + QLatin1Char(' ') + digest;
    }
    tree.sort();
    return tree;
}

void setPlace(FixtureFolder& data, const QString& place)
{
    const QStringList niveis = TextFile::readLines(data.file(DataFiles::Niveis));
    TextFile::writeLines(data.file(DataFiles::Niveis), niveis.mid(0, 5) << place);
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

    // Line 6 of Niveis.Txt naming what is not the program's copy: refused by name, and nothing there
    // or in the data folder changes.
    void backupNeverReplacesWhatIsNotItsCopy_data()
    {
        QTest::addColumn<QString>("place");   // under the folder that holds the data folder "Ravelha"
        QTest::newRow("the keeper's documents") << "Documentos";
        QTest::newRow("the data folder") << "Ravelha";
        QTest::newRow("a file of the data folder") << "Ravelha/Escala.Txt";
    }
    void backupNeverReplacesWhatIsNotItsCopy()
    {
        QFETCH(QString, place);
        FixtureFolder data;
        const QDir root(QFileInfo(data.path()).path());
        QVERIFY(root.mkpath("Documentos"));
        TextFile::writeLines(root.filePath("Documentos/carta.txt"), {"querida mãe"});
        const QString folder = root.filePath(place);
        setPlace(data, folder);
        const QStringList before = treeOf(root.path());
        const CliResult result = cli(data, {"backup"});
        QCOMPARE(result.exit, 1);
        QVERIFY2(result.err.contains(QDir::toNativeSeparators(folder)) && result.err.contains("nada foi apagado"),
                 qPrintable(result.err));
        QCOMPARE(treeOf(root.path()), before);

        // Nor is a new place with the keeper's files in it taken.
        setPlace(data, DataFiles::ReadNiveis().backupFolder);
        const QString medium = root.filePath("pen");
        QVERIFY(root.mkpath("pen/Molvedan/Ravelha/Espelho"));
        TextFile::writeLines(root.filePath("pen/Molvedan/Ravelha/Espelho/fotos.txt"), {"férias"});
        const QStringList niveis = TextFile::readLines(data.file(DataFiles::Niveis));
        const CliResult moved = cli(data, {"local-copia", medium});
        QCOMPARE(moved.exit, 1);
        QVERIFY2(moved.err.contains("não foi alterado"), qPrintable(moved.err));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)), niveis);
        QVERIFY(QFileInfo::exists(root.filePath("pen/Molvedan/Ravelha/Espelho/fotos.txt")));
    }

    // A data folder the program cannot read is not saved over the good copy, and a copy it cannot
    // read is not restored: both refused with the reason, nothing changed.
    void aBrokenSetIsNeitherSavedNorRestored_data()
    {
        QTest::addColumn<bool>("restore");   // false: the data folder is broken; true: the copy
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("content");
        QTest::addColumn<QString>("named");
        QTest::newRow("saved: a last rostered day that is no day")
            << false << DataFiles::Escala << QStringList{"xx/yy/zz"} << "xx/yy/zz";
        QTest::newRow("saved: an empty period") << false << DataFiles::DataIniFim << QStringList{} << "DataIniFim.Txt";
        QTest::newRow("restored: a red day that is no day")
            << true << DataFiles::SemExped << QStringList{"31/02/04"} << "31/02/04";
        QTest::newRow("restored: a last rostered day behind the history") << true << DataFiles::Escala
                                                                          << QStringList{"28/02/04"} << "28/02/04";
    }
    void aBrokenSetIsNeitherSavedNorRestored()
    {
        QFETCH(bool, restore);
        QFETCH(QString, file);
        QFETCH(QStringList, content);
        QFETCH(QString, named);
        FixtureFolder data;
        const QString place = DataFiles::ReadNiveis().backupFolder;
        QCOMPARE(cli(data, {"backup"}).exit, 0);
        if (restore)
            TextFile::writeLines(QDir(place).filePath(file), content);
        else
            data.writeText(file, content);
        const QStringList copy = treeOf(place);
        const QStringList folder = dataState(data);
        const CliResult result = cli(data, restore ? QStringList{"restaurar", "--sim"} : QStringList{"backup"});
        QCOMPARE(result.exit, 1);
        QVERIFY2(result.err.contains(named), qPrintable(result.err));
        QCOMPARE(treeOf(place), copy);
        QCOMPARE(dataState(data), folder);
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
