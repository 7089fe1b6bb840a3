// The start of a run: the data folder filled on first start, the cover settings, the data module.
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/Session.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestSession : public QObject {
    Q_OBJECT

    static QString startError(const QString& folder)
    {
        try {
            Session session(folder, false);
        } catch (const CoreError& e) {
            return e.message();
        }
        return QString();
    }

private slots:
    void firstStartFillsTheFolderAndReadsTheCover()
    {
        QTemporaryDir temp;
        const QString folder = QDir(temp.path()).filePath(QStringLiteral("Molvedan/Ravelha"));
        ResetModel();
        Session session(folder);
        QVERIFY(session.filledOnThisStart());
        const GlobalModel& g = Global();
        QCOMPARE(g.CoverLines.size(), 5);
        QCOMPARE(g.CoverLines.at(1), QStringLiteral("EXÉRCITO BRASILEIRO"));
        QCOMPARE(g.CoverLines.at(4), QStringLiteral("Capa.Bmp"));
        QCOMPARE(g.BackupFolder, QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("Espelho"))));
        QCOMPARE(session.module().aliasFolder(Alias::BackUpRavSv), g.BackupFolder);
        LoadServices();
        QCOMPARE(Global().ServiceTable[1].Descr, QStringLiteral("Of Dia"));
        QCOMPARE(QDir::currentPath(), QDir(folder).absolutePath());
    }

    // A home folder named in Japanese: the backup folder on line 6 of Niveis.Txt cannot be spelt in
    // Windows-1252, and the program still installs, starts and starts again.
    void aFolderWindows1252CannotSpellStarts()
    {
        QTemporaryDir temp;
        const QString folder = QDir(temp.path()).filePath(QStringLiteral("山田/Molvedan/Ravelha"));
        const QString backup = QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("Espelho")));
        ResetModel();
        {
            Session session(folder);
            QVERIFY(session.filledOnThisStart());
            QCOMPARE(Global().BackupFolder, backup);
            LoadSoldiers();
            SaveSoldiers();
            DataFiles::WriteLastRosteredDay(QDate(2004, 3, 2));
        }
        ResetModel();
        Session again(folder);
        QVERIFY(!again.filledOnThisStart());
        QCOMPARE(Global().BackupFolder, backup);
        QCOMPARE(again.module().aliasFolder(Alias::BackUpRavSv), backup);
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("02/03/04"));
        LoadServices();
        QCOMPARE(Global().ServiceTable[1].Descr, QStringLiteral("Of Dia"));
    }

    void aSecondStartKeepsTheData()
    {
        FixtureFolder data;
        TextFile::writeLines(data.file(QStringLiteral("Escala.Txt")), {QStringLiteral("15/03/04")});
        Session session(data.path());
        QVERIFY(!session.filledOnThisStart());
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("15/03/04"));
    }

    void fiveCoverLinesGiveNoBackupFolder()
    {
        FixtureFolder data;
        TextFile::writeLines(data.file(QStringLiteral("Niveis.Txt")), {"a", "b", "c", "d", "Capa.Bmp"});
        Session session(data.path(), false);
        QCOMPARE(Global().BackupFolder, QString());
    }

    // A write stopped half-way may leave its temporary file beside the file (its name, a dot and six
    // letters): the next start removes those of the program's own files, and nothing else.
    void theStartRemovesTheLeftoversOfAStoppedWrite()
    {
        FixtureFolder data;
        const QStringList leftovers{"Escala.Txt.AbCxyz", "SemExped.Txt.qwErty", "IniDataIniFim.Txt.XYZabc",
                                    "Entradas2.Txt.aBcDeF"};
        const QStringList others{"Notas.Txt.AbCdEf", "Escala.Txt.bak", "Escala.Txt.AbCdE", "Escala.Txt.AbCdEfG",
                                 "Escala.Txt.AbC-Ef", "Escala.Txt.AbC123", "escala.txt.AbCdEf", "xEscala.Txt.AbCdEf", "Ravelha.db.AbCdEf"};
        for (const QString& name : leftovers + others)
            TextFile::writeLines(data.file(name), {QStringLiteral("10/03/04")});
        QDir folder(data.path());
        QVERIFY(folder.mkdir(QStringLiteral("PstGrd.Txt.AbCdEf")));
        QVERIFY(folder.mkdir(QStringLiteral("Espelho")));
        TextFile::writeLines(folder.filePath(QStringLiteral("Espelho/Escala.Txt.AbCdEf")), {});
        QVERIFY(QFile::link(data.file(QStringLiteral("Notas.Txt.AbCdEf")), data.file(QStringLiteral("Niveis.Txt.Link01"))));

        Session session(data.path(), false);
        for (const QString& name : leftovers)
            QVERIFY2(!QFileInfo::exists(data.file(name)), qPrintable(name));
        for (const QString& name : others + QStringList{"PstGrd.Txt.AbCdEf", "Espelho/Escala.Txt.AbCdEf", "Niveis.Txt.Link01"})
            QVERIFY2(QFileInfo::exists(data.file(name)), qPrintable(name));
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("29/02/04"));   // the files themselves stay
    }

    void whatIsMissingIsNamed()
    {
        FixtureFolder data;
        QFile::remove(data.file(QStringLiteral("Niveis.Txt")));
        QCOMPARE(startError(data.path()), QStringLiteral("O arquivo Niveis.Txt não foi encontrado."));

        FixtureFolder other;
        QFile::remove(other.file(QStringLiteral("Ravelha.db")));
        QVERIFY(startError(other.path()).startsWith(QStringLiteral("O banco de dados Ravelha.db não foi encontrado")));

        QTemporaryDir temp;
        QVERIFY(startError(QDir(temp.path()).filePath(QStringLiteral("nada")))
                    .startsWith(QStringLiteral("A pasta de dados")));
    }

    // The default folder on Windows: the keepers' C:\Molvedan\Ravelha, or the documents where no
    // folder can be made on C:\; a folder already in use is never left for a new empty one.
    void theWindowsDefaultFolder()
    {
        QTemporaryDir temp;
        const QString root = temp.filePath(QStringLiteral("c"));
        const QString documents = temp.filePath(QStringLiteral("docs"));
        QVERIFY(QDir().mkpath(root) && QDir().mkpath(documents));
        const QString keepers = root + QStringLiteral("/Molvedan/Ravelha");
        const QString fallback = documents + QStringLiteral("/Molvedan/Ravelha");

        // A drive that takes new folders: the keepers' place, its parent made and nothing else.
        QCOMPARE(DataFolder::defaultPathOf(root, documents), keepers);
        QVERIFY(QFileInfo(root + QStringLiteral("/Molvedan")).isDir());
        QCOMPARE(QDir(root + QStringLiteral("/Molvedan")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
        QVERIFY(!QFileInfo::exists(fallback));

        // A root that takes no folder (here a file stands where the drive's root would be).
        const QString noRoot = temp.filePath(QStringLiteral("ficheiro"));
        QFile file(noRoot);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(DataFolder::defaultPathOf(noRoot, documents), fallback);

        // The documents' folder in use stays the unit's folder once the drive takes folders again.
        QVERIFY(QDir().mkpath(fallback));
        QCOMPARE(DataFolder::defaultPathOf(root, documents), fallback);
        // The keepers' folder in use comes first.
        QVERIFY(QDir().mkpath(keepers));
        QCOMPARE(DataFolder::defaultPathOf(root, documents), keepers);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "TestSession.moc"
