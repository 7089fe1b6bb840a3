// The backup copy on the small fixture (services 1 to 3, soldiers 1 to 12): a save and a restore,
// the refusals that change nothing, a save that fails half-way, the leftovers of a stopped save,
// and the change of the copy's place.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/KillPoints.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/Backup.h"
#include "maintenance/BackupLocation.h"
#include "maintenance/BackupPlace.h"
#include "maintenance/CoverSettings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

void exec(Alias alias, const QString& statement)
{
    QSqlQuery q(TDMGeral::instance().database(alias));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

// Every working table and the lines of the seven text files of a folder; `alias` names its tables.
QStringList setOf(TDMGeral& module, Alias alias, const QString& folder)
{
    QStringList state;
    for (const QString& table : TableSchema::workingTables()) {
        state << QStringLiteral("== ") + table;
        QSqlQuery q = module.openTable(alias, table, 100000);
        while (q.next()) {
            QStringList values;
            for (int c = 0; c < q.record().count(); ++c)
                values << q.value(c).toString();
            state << values.join(QLatin1Char('|'));
        }
    }
    for (const QString& file : Backup::TextFiles())
        state << QStringLiteral("== ") + file << TextFile::readLines(QDir(folder).filePath(file));
    return state;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

const auto Yes = [](const QString&) { return true; };

// Every folder and file under `root` with its bytes' digest: what a refused save must leave alone.
QStringList treeOf(const QString& root)
{
    QStringList tree;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QString entry = QDir(root).relativeFilePath(info.filePath());
        QFile file(info.filePath());
        if (info.isFile() && file.open(QIODevice::ReadOnly))
            entry += QLatin1Char(' ')
                + QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
        else if (info.isDir())
            entry += QLatin1Char('/');
        tree << entry;
    }
    tree.sort();
    return tree;
}

}

class TestBackup : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;

    TDMGeral& module() { return m_data->module(); }
    QString backup() { return m_data->backupPath(); }
    QStringList dataSet() { return setOf(module(), Alias::Ravelha, m_data->path()); }
    QStringList backupSet()
    {
        const QStringList set = setOf(module(), Alias::BackUpRavSv, backup());
        module().setAliasFolder(Alias::BackUpRavSv, backup());   // closes it: the folder may move
        return set;
    }
    // No set half-made or moved aside is left beside the backup folder.
    void noLeftovers()
    {
        QVERIFY(!QFileInfo::exists(backup() + QStringLiteral(".novo")));
        QVERIFY(!QFileInfo::exists(backup() + QStringLiteral(".antigo")));
    }
    // Service 9 (beyond the six of the templates) with a roster of two.
    void registerServiceNine()
    {
        exec(Alias::Ravelha, "INSERT INTO Sv VALUES (9, 'Motorist', '2004-01-01', '2004-12-31', 1, 4, NULL)");
        TDMGeral::instance().insertRosterRow(9, QStringLiteral("5"), 3, 1);
        TDMGeral::instance().insertRosterRow(9, QStringLiteral("6"), 2, 2);
    }
    // Changes every table and every text file of the data folder.
    void changeEverything()
    {
        exec(Alias::Ravelha, "DELETE FROM Hist WHERE CodSv = 1");
        exec(Alias::Ravelha, "UPDATE Basico SET Nome = 'Outro' WHERE Num = '1'");
        exec(Alias::Ravelha, "UPDATE Sv SET Descr = 'Mudado' WHERE CodSv = 2");
        exec(Alias::Ravelha, "DELETE FROM Sv WHERE CodSv = 9");
        exec(Alias::Ravelha, "DELETE FROM Sv9");
        exec(Alias::Ravelha, "UPDATE Sv3 SET Pt = Pt + 5");
        for (const QString& file : Backup::TextFiles())
            TextFile::writeLines(m_data->file(file), {QStringLiteral("01/01/05"), QStringLiteral("02/01/05")});
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        // The register keeps no rest time: every save of it, the copy's too, leaves the column empty.
        exec(Alias::Ravelha, "UPDATE Sv SET Folga = NULL");
    }
    void cleanup()
    {
        KillPoints::setActionForTests({});
        BackupLocation::SetMountedMediaForTests({});
        m_data.reset();
    }

    void saveThenRestoreGivesBackTheSavedSet()
    {
        registerServiceNine();
        Backup::SaveBackup();
        noLeftovers();
        const QStringList saved = dataSet();
        QCOMPARE(backupSet(), saved);   // the roster of service 9 is in the copy too
        const QString place = DataFiles::ReadNiveis().backupFolder;

        changeEverything();
        // Registered after the save: it keeps its record and its roster.
        exec(Alias::Ravelha, "INSERT INTO Sv VALUES (12, 'Novo', '2004-01-01', '2004-12-31', 1, 5, NULL)");
        TDMGeral::instance().insertRosterRow(12, QStringLiteral("7"), 1, 1);
        TextFile::writeLines(m_data->file(DataFiles::Niveis),
                             {"Nova capa", "", "", "", "Capa.Bmp", place});

        QString asked;
        const Backup::RestoreOutcome outcome = Backup::RestoreBackup([&](const QString& question) {
            asked = question;
            return true;
        });
        QVERIFY(outcome.done);
        QVERIFY(!asked.isEmpty());
        QCOMPARE(outcome.message, Backup::EndMessage);
        QCOMPARE(outcome.notice, QString());

        QStringList expected = saved;
        expected.insert(expected.indexOf("== Sv1"), "12|Novo|2004-01-01|2004-12-31|1|5|");
        expected.insert(expected.indexOf("== Sv13"), "7|1|1");
        QCOMPARE(dataSet(), expected);
        QCOMPARE(backupSet(), saved);   // the copy is left as it was
    }

    void restoreKeepsThePlaceOfTheCopy()
    {
        Backup::SaveBackup();
        // The copy was saved when Niveis.Txt named another place; the place in use stays.
        TextFile::writeLines(QDir(backup()).filePath(DataFiles::Niveis), {"Capa salva", "", "", "", "", "/em/outro/lugar"});
        const QString place = DataFiles::ReadNiveis().backupFolder;
        QVERIFY(Backup::RestoreBackup(Yes).done);
        const DataFiles::CoverSettings restored = DataFiles::ReadNiveis();
        QCOMPARE(restored.coverLines.first(), QStringLiteral("Capa salva"));
        QCOMPARE(restored.backupFolder, place);
    }

    void refusedRestoreChangesNothing_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("refusal");   // part of the message; empty: no copy, no question
        QTest::newRow("no backup folder") << "none" << true << "";
        QTest::newRow("empty backup folder") << "empty" << true << "";
        QTest::newRow("only text files") << "no database" << true << "";
        QTest::newRow("the keeper says No") << "saved" << false << "-";
        QTest::newRow("a text file missing") << "no Escala" << true << "Falta o arquivo Escala.Txt";
        QTest::newRow("a period that is no date") << "bad period" << true << "DataIniFim.Txt";
        QTest::newRow("a red day that is no day") << "bad red day" << true << "31/02/04";
        QTest::newRow("a last rostered day behind its history") << "behind" << true << "28/02/04";
        QTest::newRow("a roster row the model cannot hold") << "bad roster" << true << "Sv2";
        QTest::newRow("a damaged database") << "damaged" << true << "Ravelha.db";
    }
    void refusedRestoreChangesNothing()
    {
        QFETCH(QString, setUp);
        QFETCH(bool, answer);
        QFETCH(QString, refusal);
        if (setUp != QLatin1String("none"))
            Backup::SaveBackup();
        const QString db = QDir(backup()).filePath(QStringLiteral("Ravelha.db"));
        if (setUp == QLatin1String("none"))
            QVERIFY(!QFileInfo::exists(backup()));
        else if (setUp == QLatin1String("empty"))
            QVERIFY(QDir(backup()).removeRecursively() && QDir().mkpath(backup()));
        else if (setUp == QLatin1String("no database"))
            QVERIFY(QFile::remove(db));
        else if (setUp == QLatin1String("no Escala"))
            QVERIFY(QFile::remove(QDir(backup()).filePath(DataFiles::Escala)));
        else if (setUp == QLatin1String("bad period"))
            TextFile::writeLines(QDir(backup()).filePath(DataFiles::DataIniFim), {"01/01/04", "31/02/04"});
        else if (setUp == QLatin1String("bad red day"))
            TextFile::writeLines(QDir(backup()).filePath(DataFiles::SemExped), {"28/02/04", "31/02/04"});
        else if (setUp == QLatin1String("behind"))
            TextFile::writeLines(QDir(backup()).filePath(DataFiles::Escala), {"28/02/04"});
        else if (setUp == QLatin1String("bad roster"))
            exec(Alias::BackUpRavSv, "INSERT INTO Sv2 VALUES ('99', 'muito', 0)");
        else if (setUp == QLatin1String("damaged"))
            writeFile(db, QByteArray(8192, 'x'));
        module().setAliasFolder(Alias::BackUpRavSv, backup());
        changeEverything();
        const QStringList before = dataSet();
        LoadServices();
        LoadSoldiers();

        int questions = 0;
        Backup::RestoreOutcome outcome;
        QString thrown;
        try {
            outcome = Backup::RestoreBackup([&](const QString&) {
                ++questions;
                return answer;
            });
        } catch (const CoreError& e) {
            thrown = e.message();
        }
        QVERIFY(!outcome.done);
        if (refusal.isEmpty()) {
            QCOMPARE(outcome.message, Backup::NoFilesMessage);
            QCOMPARE(questions, 0);
        } else if (refusal == QLatin1String("-")) {
            QCOMPARE(questions, 1);
            QCOMPARE(thrown, QString());
        } else {
            QVERIFY2(thrown.contains(refusal), qPrintable(thrown));
        }
        QCOMPARE(dataSet(), before);
        // The model of the run is not left half loaded from the copy.
        QCOMPARE(Global().ServiceTable[2].Descr, QStringLiteral("Mudado"));
        QCOMPARE(Global().SoldierTable[1].Nome, QStringLiteral("Outro"));
    }

    void failedSaveLeavesTheOldSet_data()
    {
        QTest::addColumn<QString>("step");
        for (const char* step : {"copia-arquivos-copiados", "copia-tabelas-gravadas", "copia-nova-pronta",
                                 "copia-antiga-afastada"})
            QTest::newRow(step) << QString::fromLatin1(step);
        QTest::newRow("a data file missing") << QString();
    }
    void failedSaveLeavesTheOldSet()
    {
        QFETCH(QString, step);
        Backup::SaveBackup();
        const QStringList old = backupSet();
        changeEverything();
        if (step.isEmpty())
            QVERIFY(QFile::remove(m_data->file(DataFiles::UltiEqual)));
        KillPoints::setActionForTests([&](const QString& reached) {
            if (reached == step)
                throw CoreError(QStringLiteral("disco cheio"));
        });
        QVERIFY_THROWS_EXCEPTION(CoreError, Backup::SaveBackup());
        noLeftovers();
        QCOMPARE(backupSet(), old);
        // The next save goes through.
        KillPoints::setActionForTests({});
        if (step.isEmpty())
            TextFile::writeLines(m_data->file(DataFiles::UltiEqual), {"01/01/04"});
        Backup::SaveBackup();
        QCOMPARE(backupSet(), dataSet());
    }

    // A data folder the program would refuse to read is never saved over the good copy.
    void saveRefusesWhatTheProgramCannotRead_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("named");   // part of the refusal
        QTest::newRow("a last rostered day that is no day") << DataFiles::Escala << QStringList{"xx/yy/zz"}
                                                            << "xx/yy/zz";
        QTest::newRow("an empty period") << DataFiles::DataIniFim << QStringList() << DataFiles::DataIniFim;
        QTest::newRow("a red day that is no day") << DataFiles::SemExped << QStringList{"28/02/04", "31/02/04"}
                                                  << "31/02/04";
        QTest::newRow("a last rostered day behind the history") << DataFiles::Escala << QStringList{"28/02/04"}
                                                                << "28/02/04";
    }
    void saveRefusesWhatTheProgramCannotRead()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        QFETCH(QString, named);
        Backup::SaveBackup();
        const QStringList good = backupSet();
        const QStringList tree = treeOf(backup());
        m_data->writeText(file, lines);
        try {
            Backup::SaveBackup();
            QFAIL("the save went on");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().contains(named) && e.message().contains("anterior continua valendo"),
                     qPrintable(e.message()));
        }
        noLeftovers();
        QCOMPARE(treeOf(backup()), tree);
        QCOMPARE(backupSet(), good);
    }

    // A place that is not the program's own copy is refused by name, and nothing there, nor in the
    // data folder, changes; a restore does not read the data folder as its own copy either.
    void neverReplacesWhatIsNotItsCopy_data()
    {
        QTest::addColumn<QString>("place");     // under the fixture's folder, which holds the data folder "Ravelha"
        QTest::addColumn<QString>("keepers");   // a folder of the keeper's, with a letter in it
        QTest::newRow("the keeper's documents") << "Documentos" << "Documentos";
        QTest::newRow("the data folder") << "Ravelha" << "";
        QTest::newRow("a folder inside the data folder") << "Ravelha/Fotos" << "Ravelha/Fotos";
        QTest::newRow("a folder holding the data folder") << "." << "";
        QTest::newRow("a file of the data folder") << "Ravelha/Escala.Txt" << "";
        QTest::newRow("the keeper's folder where a save builds") << "Espelho" << "Espelho.novo";
        QTest::newRow("the keeper's folder where a save puts the old copy") << "Espelho" << "Espelho.antigo";
    }
    void neverReplacesWhatIsNotItsCopy()
    {
        QFETCH(QString, place);
        QFETCH(QString, keepers);
        const QDir root(QFileInfo(m_data->path()).path());
        Backup::SaveBackup();   // a copy of its own in "Espelho"
        if (!keepers.isEmpty()) {
            QVERIFY(root.mkpath(keepers));
            writeFile(root.filePath(keepers + "/carta.odt"), "querida mãe");
        }
        const QString folder = QDir::cleanPath(root.filePath(place));
        module().setAliasFolder(Alias::BackUpRavSv, folder);
        const QStringList before = treeOf(root.path());
        try {
            Backup::SaveBackup();
            QFAIL("the save went on");
        } catch (const CoreError& e) {
            const bool besideIt = keepers.endsWith(".novo") || keepers.endsWith(".antigo");
            const QString named = besideIt ? root.filePath(keepers) : folder;
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(named)), qPrintable(e.message()));
        }
        QCOMPARE(treeOf(root.path()), before);

        Backup::RestoreOutcome restored;
        try {
            restored = Backup::RestoreBackup(Yes);
        } catch (const CoreError&) {
        }
        if (place == QLatin1String("Espelho")) {
            // The copy itself is the program's own: it is restored, and the keeper's folder stays.
            QVERIFY(restored.done);
            QVERIFY(QFileInfo::exists(root.filePath(keepers + "/carta.odt")));
            return;
        }
        QVERIFY(!restored.done);
        QCOMPARE(treeOf(root.path()), before);
    }

    // The copy's own places: an empty folder, a copy made before copies were marked, and the place a
    // new data folder is given, inside it. Each copy is marked.
    void replacesItsOwnCopy_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::newRow("an empty folder") << "empty";
        QTest::newRow("a copy made before the marker") << "unmarked";
        QTest::newRow("the place a new data folder is given") << "default";
    }
    void replacesItsOwnCopy()
    {
        QFETCH(QString, setUp);
        if (setUp == QLatin1String("empty"))
            QVERIFY(QDir().mkpath(backup()));
        if (setUp == QLatin1String("unmarked")) {
            Backup::SaveBackup();
            QVERIFY(QFile::remove(QDir(backup()).filePath(BackupPlace::MarkerFile)));
            writeFile(QDir(backup()).filePath("Ravelha.db-journal"), "");
        }
        const QString folder = setUp == QLatin1String("default") ? QDir(m_data->path()).filePath("Espelho") : backup();
        module().setAliasFolder(Alias::BackUpRavSv, folder);
        changeEverything();
        Backup::SaveBackup();
        QVERIFY(QFileInfo(QDir(folder).filePath(BackupPlace::MarkerFile)).isFile());
        const QStringList saved = setOf(module(), Alias::BackUpRavSv, folder);
        module().setAliasFolder(Alias::BackUpRavSv, folder);
        QCOMPARE(saved, dataSet());
    }

    void tidyLeavesOneWholeSet_data()
    {
        // Folders present after a stop ("set", ".novo", ".antigo"; "!" a folder of the keeper's under
        // that name), those that remain, and the one whose set is then in place.
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<QString>("kept");
        const QStringList set{"set"};
        QTest::newRow("stopped while building") << QStringList{"set", ".novo"} << set << "set";
        QTest::newRow("stopped with the old set aside") << QStringList{".antigo", ".novo"} << set << ".novo";
        QTest::newRow("stopped before removing the old set") << QStringList{"set", ".antigo"} << set << "set";
        QTest::newRow("only the old set aside") << QStringList{".antigo"} << set << ".antigo";
        QTest::newRow("first save stopped while building") << QStringList{".novo"} << QStringList() << "";
        QTest::newRow("the keeper's folder named like a new set")
            << QStringList{"set", "!.novo"} << QStringList{"set", ".novo"} << "set";
        QTest::newRow("the keeper's folder named like an old set")
            << QStringList{"!.antigo", ".novo"} << QStringList{".antigo"} << "";
        QTest::newRow("the keeper's folder in place")
            << QStringList{"!set", ".antigo"} << QStringList{"set", ".antigo"} << "";
    }
    void tidyLeavesOneWholeSet()
    {
        QFETCH(QStringList, present);
        QFETCH(QStringList, remaining);
        QFETCH(QString, kept);
        const auto folderOf = [&](QString which) {
            which.remove(QLatin1Char('!'));
            return backup() + (which == QLatin1String("set") ? QString() : which);
        };
        for (const QString& which : present) {
            QVERIFY(QDir().mkpath(folderOf(which)));
            const bool keepers = which.startsWith(QLatin1Char('!'));
            writeFile(QDir(folderOf(which)).filePath(keepers ? QStringLiteral("carta.odt") : BackupPlace::MarkerFile),
                      which.toLatin1());
        }
        Backup::TidyBackupSet(backup());
        for (const char* which : {"set", ".novo", ".antigo"})
            QVERIFY2(QFileInfo::exists(folderOf(which)) == remaining.contains(which), which);
        for (const QString& which : present.filter("!"))
            QVERIFY2(QFileInfo::exists(QDir(folderOf(which)).filePath("carta.odt")), qPrintable(which));
        if (kept.isEmpty())
            return;
        QFile mark(QDir(backup()).filePath(BackupPlace::MarkerFile));
        QVERIFY(mark.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(mark.readAll()), kept);
    }

    void mediumOfAFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("medium");
        QTest::addColumn<QString>("folderOnIt");
        QTest::newRow("drive letter") << "e:\\Molvedan\\Ravelha\\Espelho" << "E:" << "E:\\Molvedan\\Ravelha\\Espelho";
        QTest::newRow("a volume") << "/media/pen/Molvedan/Ravelha/Espelho" << "/media/pen"
                                  << "/media/pen/Molvedan/Ravelha/Espelho";
        QTest::newRow("the root volume") << "/Molvedan/Ravelha/Espelho" << "/" << "/Molvedan/Ravelha/Espelho";
        QTest::newRow("another folder: its volume") << "/dados/unidade/Espelho" << "/dados" << "/dados/Molvedan/Ravelha/Espelho";
        QTest::newRow("none") << "" << "" << "/Molvedan/Ravelha/Espelho";
    }
    void mediumOfAFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, medium);
        QFETCH(QString, folderOnIt);
        BackupLocation::SetMountedMediaForTests([] { return QStringList{"/", "/dados", "/dados2"}; });
        QCOMPARE(BackupLocation::MediumOf(folder), medium);
        if (!medium.isEmpty())
            QCOMPARE(BackupLocation::FolderOn(medium), folderOnIt);
        QVERIFY(BackupLocation::SameMedium(QStringLiteral("e:"), QStringLiteral("E:")));
        QVERIFY(!BackupLocation::SameMedium(QStringLiteral("/dados"), QStringLiteral("/dados2")));
    }

    void closingTheLocationChoice_data()
    {
        QTest::addColumn<QString>("inUse");     // the medium of the copy: "A" present, "gone" missing
        QTest::addColumn<QString>("chosen");    // empty: the chooser was not shown
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("message");
        QTest::newRow("no choice, medium present") << "A" << "" << false << "";
        QTest::newRow("no choice, medium missing") << "gone" << "" << false << BackupLocation::MissingMediumMessage;
        QTest::newRow("the medium in use chosen") << "A" << "A" << false << "";
        QTest::newRow("another medium chosen") << "A" << "B" << true << BackupLocation::ChangedMessage;
        QTest::newRow("a missing medium chosen") << "A" << "gone" << false << BackupLocation::MissingMediumMessage;
    }
    void closingTheLocationChoice()
    {
        QFETCH(QString, inUse);
        QFETCH(QString, chosen);
        QFETCH(bool, changed);
        QFETCH(QString, message);
        QTemporaryDir media;
        QVERIFY(QDir(media.path()).mkdir("A") && QDir(media.path()).mkdir("B"));
        auto medium = [&](const QString& name) { return QDir(media.path()).filePath(name); };
        const QString folder = BackupLocation::FolderOn(medium(inUse));
        module().setAliasFolder(Alias::BackUpRavSv, folder);
        SaveBackupFolderSetting(folder);
        // A cover edited earlier in the same run.
        SaveCover(CoverText{{"Capa nova", "linha 2", "", "linha 4"}, QStringLiteral("Outra.Bmp")});
        const QStringList before = TextFile::readLines(m_data->file(DataFiles::Niveis));

        const BackupLocation::LocationOutcome outcome = BackupLocation::CloseLocationChoice(
            BackupLocation::MediumOf(folder),
            chosen.isEmpty() ? std::nullopt : std::optional<QString>(medium(chosen)));
        QCOMPARE(outcome.changed, changed);
        QCOMPARE(outcome.message, message);
        const QStringList after = TextFile::readLines(m_data->file(DataFiles::Niveis));
        if (!changed) {
            QCOMPARE(after, before);
            QCOMPARE(module().aliasFolder(Alias::BackUpRavSv), folder);
            return;
        }
        const QString moved = medium(chosen) + QStringLiteral("/Molvedan/Ravelha/Espelho");
        QCOMPARE(after, before.mid(0, 5) << moved);
        QCOMPARE(after.first(), QStringLiteral("Capa nova"));
        QVERIFY(QFileInfo(moved).isDir());
        QCOMPARE(module().aliasFolder(Alias::BackUpRavSv), moved);
    }

    // A new place chosen where the keeper keeps other files is refused by name; nothing changes.
    void aNewPlaceThatIsNotACopyIsRefused()
    {
        QTemporaryDir media;
        const QString folder = BackupLocation::FolderOn(media.path());
        QVERIFY(QDir().mkpath(folder));
        writeFile(QDir(folder).filePath("carta.odt"), "querida mãe");
        const QStringList niveis = TextFile::readLines(m_data->file(DataFiles::Niveis));
        const QStringList tree = treeOf(media.path());
        try {
            BackupLocation::CloseLocationChoice(BackupLocation::MediumOf(backup()), media.path());
            QFAIL("the place was changed");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().contains(QDir::toNativeSeparators(folder))
                         && e.message().contains("não foi alterado"),
                     qPrintable(e.message()));
        }
        QCOMPARE(TextFile::readLines(m_data->file(DataFiles::Niveis)), niveis);
        QCOMPARE(module().aliasFolder(Alias::BackUpRavSv), backup());
        QCOMPARE(treeOf(media.path()), tree);
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "TestBackup.moc"
