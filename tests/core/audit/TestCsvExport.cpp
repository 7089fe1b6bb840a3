// Tables for a spreadsheet: the bytes of the format (mark, separators, quoting, line ends), a
// file written whole or not at all, and the three tables on the small fixture (Of Dia 1 to 3,
// Adj Of 4 to 6, Cb Gda 7 to 12, rostered up to 29/02/04).
#include "FileBytes.h"
#include "FixtureFolder.h"
#include "audit/CsvExport.h"
#include "data/CoreError.h"
#include "data/UGlobal.h"
#include "rostering/Computation.h"
#include "rostering/Removals.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

}

class TestCsvExport : public QObject {
    Q_OBJECT
private slots:
    void fieldsAreQuotedOnlyWhenNeeded_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("plain, accents") << "Gonçalves, Cb" << QByteArray("Gonçalves, Cb");
        QTest::newRow("separator") << "a;b" << QByteArray("\"a;b\"");
        QTest::newRow("quote") << "o \"Alfa\"" << QByteArray("\"o \"\"Alfa\"\"\"");
        QTest::newRow("line feed") << "1\n2" << QByteArray("\"1\n2\"");
        QTest::newRow("carriage return") << "1\r2" << QByteArray("\"1\r2\"");
        QTest::newRow("empty") << "" << QByteArray("");
    }
    void fieldsAreQuotedOnlyWhenNeeded()
    {
        QFETCH(QString, field);
        QFETCH(QByteArray, written);
        QCOMPARE(Csv::Text({{"x", field, "y"}, {"z"}}), Bom + "x;" + written + ";y\r\nz\r\n");
    }

    void writesWholeOrNothing()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("tabela.csv");
        Csv::Write(file, {{"Nº", "SOMA"}, {"1", "2"}});
        QCOMPARE(BytesOf(file), Bom + "Nº;SOMA\r\n1;2\r\n");

        // A folder in the way, or a folder that does not exist: a message, the old file kept.
        for (const QString& bad : {dir.path(), dir.filePath("nao-existe/tabela.csv")}) {
            try {
                Csv::Write(bad, {{"a"}});
                QFAIL("no refusal");
            } catch (const CoreError& e) {
                QVERIFY2(e.message().contains(QDir::toNativeSeparators(bad)), qPrintable(e.message()));
            }
        }
        QCOMPARE(BytesOf(file), Bom + "Nº;SOMA\r\n1;2\r\n");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"tabela.csv"});
    }

    void historySearchAsTheGridShowsIt()
    {
        FixtureFolder data;
        HistSearch search;
        search.from = QDate(2004, 2, 28);
        search.to = QDate(2004, 2, 28);
        QCOMPARE(Csv::Text(Csv::HistoryTable(SearchHistory(search))),
                 Bom + "Dia;PtVm;Descr;Num;CodSv\r\n"
                       "28/02/04;Vm;Of Dia;2;1\r\n"
                       "28/02/04;Vm;Adj Of;5;2\r\n"
                       "28/02/04;Vm;Cb Gda;9 10;3\r\n");
    }

    void servicesPerSoldierAsQuadroShowsIt()
    {
        FixtureFolder data;
        const ServiceCountsOutcome outcome = CountServicesPerSoldier("27/02/04", "28/02/04", DayKindChoice::Ambas);
        QVERIFY(outcome.done());
        const SummaryTable table = ShownTable(outcome.counts);
        const Csv::Table csv = Csv::SummaryCsvTable(table);
        QCOMPARE(csv.first(), table.captions);
        QCOMPARE(csv.mid(1, table.lines.size()), table.lines);
        QCOMPARE(csv.last(), table.sums);
        QCOMPARE(csv.first(), (QStringList{"Nº", "Of Dia", "Adj Of", "Cb Gda", "SOMA"}));
        QCOMPARE(csv.last().first(), QString("SOMA"));
        QVERIFY(Csv::Text(csv).startsWith(Bom + "Nº;Of Dia;Adj Of;Cb Gda;SOMA\r\n"));
    }

    void rosterListingFromTheRun()
    {
        FixtureFolder data;
        ClearRemovals();
        const RosterRun run = VerifyRoster("02/03/04");
        QVERIFY2(!run.refused, qPrintable(run.refusal));
        // Only the days the list shows (not 03/03, computed past the target); the shortage of
        // 02/03 is a line without soldiers.
        QCOMPARE(Csv::RosterTable(run), (Csv::Table{
                                            {"Dia", "PtVm", "Serviço", "Números", "Nomes"},
                                            {"01/03/04", "Pt", "Of Dia", "1", "Cap Andrade"},
                                            {"01/03/04", "Pt", "Adj Of", "4", "1º Sgt Dantas"},
                                            {"01/03/04", "Pt", "Cb Gda", "8 7", "Cb Henriques / Cb Gonçalves"},
                                            {"02/03/04", "Pt", "Of Dia", "2", "1º Ten Barbosa"},
                                            {"02/03/04", "Pt", "Adj Of", "", ""},
                                            {"02/03/04", "Pt", "Cb Gda", "10 9", "Cb Jardim / Cb Inácio"},
                                        }));
        QCOMPARE(Csv::RosterTable(VerifyRoster("31/02/04")).size(), 1);   // refused: captions only
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "TestCsvExport.moc"
