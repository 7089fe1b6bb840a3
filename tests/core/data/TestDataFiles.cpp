// The small text files of the data folder.
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/PendingFiles.h"
#include "data/SqlTransaction.h"
#include "data/TextFile.h"

#include <QTest>

class TestDataFiles : public QObject {
    Q_OBJECT
private slots:
    void lastRosteredDayIsTheFirstTenCharacters()
    {
        FixtureFolder data;
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("29/02/04"));
        data.writeText(DataFiles::Escala, {QStringLiteral("01/03/2004 (manual)")});
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("01/03/2004"));
        DataFiles::WriteLastRosteredDay(QDate(2004, 3, 10));
        QCOMPARE(data.readText(DataFiles::Escala), QStringList{"10/03/04"});
    }

    void preparationPeriod()
    {
        FixtureFolder data;
        const DataFiles::PreparationPeriod period = DataFiles::ReadPreparationPeriod();
        QCOMPARE(period.first, QDate(2004, 2, 1));
        QCOMPARE(period.last, QDate(2004, 3, 20));
        DataFiles::WritePreparationPeriod({QDate(2004, 3, 1), QDate(2004, 4, 30)});
        QCOMPARE(data.readText(DataFiles::DataIniFim), QStringList({"01/03/04", "30/04/04"}));
        data.writeText(DataFiles::DataIniFim, {QStringLiteral("01/03/04")});
        try {
            DataFiles::ReadPreparationPeriod();
            QFAIL("no error");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("A linha 2 do arquivo DataIniFim.Txt não tem uma data válida: \"\"."));
        }
    }

    // A file with no lines (a calendar without red days) is kept as such, on a server unit too.
    void anEmptyFileIsKept()
    {
        FixtureFolder data;
        data.writeText(DataFiles::SemExped, {});
        QCOMPARE(DataFiles::ReadRedDayLines(), QStringList());
        QCOMPARE(data.readText(DataFiles::SemExped), QStringList());
    }

    // Lines recorded with a transaction and not written yet are what every reader takes; once
    // written, the file alone counts again.
    void readersTakeTheRecordedLines()
    {
        FixtureFolder data;
        {
            SqlTransaction transaction(data.module().database(Alias::Ravelha));
            DataFiles::StageRedDayLines({QStringLiteral("06/03/04"), QStringLiteral("07/03/04")});
            DataFiles::StagePreparationPeriod({QDate(2004, 2, 29), QDate(2004, 4, 30)});
            DataFiles::StageLastRosteredDay(QDate(2004, 3, 5));
            transaction.commit();
        }
        QCOMPARE(DataFiles::ReadRedDayLines(), (QStringList{"06/03/04", "07/03/04"}));
        QCOMPARE(DataFiles::ReadPreparationPeriod().last, QDate(2004, 4, 30));
        QCOMPARE(DataFiles::PreparationEndText(), QStringLiteral("30/04/04"));
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("05/03/04"));

        QCOMPARE(PendingFiles::finish(), QString());
        QCOMPARE(data.readText(DataFiles::DataIniFim), (QStringList{"29/02/04", "30/04/04"}));
        data.writeText(DataFiles::SemExped, {QStringLiteral("13/03/04")});   // a hand edit
        QCOMPARE(DataFiles::ReadRedDayLines(), QStringList{"13/03/04"});
    }

    void coverSettingsKeepSixLines()
    {
        FixtureFolder data;
        DataFiles::CoverSettings cover = DataFiles::ReadNiveis();
        QCOMPARE(cover.coverLines.size(), 4);
        QCOMPARE(cover.coverLines.at(2), QString());
        QCOMPARE(cover.picture, QStringLiteral("Capa.Bmp"));
        QVERIFY(cover.backupFolder.endsWith(QStringLiteral("Espelho")));

        TextFile::writeLines(data.file(DataFiles::Niveis), {"a", "b", "c", "d", "Capa.Bmp"});   // five lines
        cover = DataFiles::ReadNiveis();
        QCOMPARE(cover.backupFolder, QString());
        cover.backupFolder = QStringLiteral("/media/pen/Molvedan/Ravelha/Espelho");
        DataFiles::WriteNiveis(cover);
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)).size(), 6);
    }

    void redDayCalendarHasACapacity()
    {
        FixtureFolder data;
        QCOMPARE(DataFiles::ReadRedDayLines().first(), QStringLiteral("01/02/04"));
        QStringList tooMany;
        for (int i = 0; i < 367; ++i)
            tooMany << QDate(2004, 1, 1).addDays(i).toString(QStringLiteral("dd/MM/yy"));
        QVERIFY_THROWS_EXCEPTION(CoreError, DataFiles::WriteRedDayLines(tooMany));
        QCOMPARE(DataFiles::ReadRedDayLines().first(), QStringLiteral("01/02/04"));   // unchanged
        data.writeText(DataFiles::SemExped, tooMany);
        QVERIFY_THROWS_EXCEPTION(CoreError, DataFiles::ReadRedDayLines());
        // Blank lines hold no day: 366 days and a few blank lines are a full calendar, not too many.
        QStringList full = tooMany.mid(0, 366);
        full.insert(10, QString());
        full << QStringLiteral("  ");
        data.writeText(DataFiles::SemExped, full);
        QCOMPARE(DataFiles::ReadRedDayLines().size(), 366);
    }

    void rankListComesFromTheModelColumn()
    {
        FixtureFolder data;
        QStringList cells = DataFiles::ReadRankModels();
        QCOMPARE(cells.size(), 275);
        DataFiles::WriteRankList();
        QCOMPARE(DataFiles::ReadRankList().size(), 9);

        for (int row = 1; row < 25; ++row)
            cells[row] = QStringLiteral("P%1").arg(row);   // column 0 full
        DataFiles::WriteRankModels(cells);
        DataFiles::WriteRankList();
        QCOMPARE(DataFiles::ReadRankList().size(), 24);

        cells[5].clear();   // an empty cell in row 5 ends the list
        DataFiles::WriteRankModels(cells);
        DataFiles::WriteRankList();
        QCOMPARE(DataFiles::ReadRankList(), QStringList({"P1", "P2", "P3", "P4"}));
    }
};

QTEST_GUILESS_MAIN(TestDataFiles)
#include "TestDataFiles.moc"
