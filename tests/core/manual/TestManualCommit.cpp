// "Escalar" of the manual grid, on the small fixture (Of Dia: 1, 2, 3; Adj Of: 4, 5, 6; Cb Gda,
// two a day: 7 to 12; rostered up to 29/02/04; 06/03/04 is a red day).
#include "FailingWrites.h"
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/KillPoints.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "manual/ManualCommit.h"
#include "manual/ManualGrid.h"
#include "manual/ManualVerification.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

using Cells = QMap<QPair<int, int>, QString>;   // (row, day column) -> text

ManualGrid gridTo(const QString& end, const Cells& cells)
{
    ManualGrid grid = PrepareManualGrid(end).grid;
    for (auto it = cells.begin(); it != cells.end(); ++it)
        grid.rows[it.key().first].cells[it.key().second] = it.value();
    return grid;
}

ManualVerification verified(const QString& end, const Cells& cells)
{
    const ManualVerification verification = VerifyManualGrid(gridTo(end, cells), *Dates::parse(end));
    if (!verification.verifiedOk())
        throw CoreError(verification.stopMessage);
    return verification;
}

ManualCommitOutcome commit(const ManualVerification& verification)
{
    return CommitManualGrid(*verification.verified, verification.grid);
}

QStringList storedState(FixtureFolder& data)
{
    QStringList state = StoredTables(data.module(), TableSchema::workingTables());
    return state << data.readText(DataFiles::Escala);
}

QString storedCounts(FixtureFolder& data, int code, const QString& num)
{
    for (const QString& row : StoredRows(data.module(), QStringLiteral("Sv%1").arg(code)))
        if (row.section(QLatin1Char('|'), 0, 0) == num)
            return row.section(QLatin1Char('|'), 1, 2).replace(QLatin1Char('|'), QLatin1Char('/'));
    return QString();
}

QString storedServiceDays(FixtureFolder& data, const QString& num)
{
    QSqlQuery q = data.module().selectBasicoByNum(num);
    return q.next() ? q.value(QStringLiteral("USv")).toString() : QString();
}

}

class TestManualCommit : public QObject {
    Q_OBJECT
private slots:
    void oneRecordPerFilledCell()
    {
        FixtureFolder data;
        // Empty cells write nothing; a cell is stored as typed, even where two blanks hide a number.
        const ManualVerification verification = verified(
            QStringLiteral("06/03/04"),
            {{{0, 0}, "1"}, {{0, 5}, "3"}, {{1, 1}, "4"}, {{2, 0}, "7 8"}, {{2, 2}, "9  10"}, {{2, 5}, "11 12"}});
        const ManualCommitOutcome outcome = commit(verification);
        QVERIFY(outcome.done);
        QVERIFY(outcome.notice.isEmpty());
        QCOMPARE(StoredRows(data.module(), QStringLiteral("Hist")).filter(QStringLiteral("2004-03")),
                 QStringList({"2004-03-01|1|Of Dia|1|Pt", "2004-03-01|3|Cb Gda|7 8|Pt", "2004-03-02|2|Adj Of|4|Pt",
                              "2004-03-03|3|Cb Gda|9  10|Pt", "2004-03-06|1|Of Dia|3|Vm",
                              "2004-03-06|3|Cb Gda|11 12|Vm"}));
        QCOMPARE(data.readText(DataFiles::Escala), QStringList{"06/03/04"});
        QCOMPARE(Global().LastRosteredDay, QStringLiteral("06/03/04"));
        // The counts and days the verification recorded.
        QCOMPARE(storedCounts(data, 1, "1"), QStringLiteral("2/0"));
        QCOMPARE(storedCounts(data, 1, "3"), QStringLiteral("0/2"));
        QCOMPARE(storedCounts(data, 3, "9"), QStringLiteral("1/1"));
        QCOMPARE(storedCounts(data, 3, "10"), QStringLiteral("0/1"));   // after two blanks: not counted
        QCOMPARE(storedServiceDays(data, "3"), QStringLiteral("29/02/04 06/03/04 "));
        QCOMPARE(storedServiceDays(data, "10"), QStringLiteral("28/02/04 "));
    }

    void refusalsWriteNothing_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<Cells>("afterVerifying");   // cells changed between Verificar and Escalar
        QTest::addColumn<QString>("message");
        QTest::newRow("a filled cell under an empty header")
            << "02/03/04" << Cells{{{0, 0}, "1"}, {{1, 3}, "4"}} << Cells()
            << "O Serviço de Adj Of tem \"4\" na coluna 4 da Grade de Serviços, que não tem dia: a grade vai até o "
               "dia 02/03/04. Nada foi gravado.\n\nApague essa célula, ou prepare a grade até um dia mais adiante.";
        QString tooLong = QStringLiteral("7 8");
        for (int n = 1000; tooLong.size() <= 120; ++n)
            tooLong += QLatin1Char(' ') + QString::number(n);
        QTest::newRow("numbers longer than the history holds")
            << "01/03/04" << Cells{{{2, 0}, tooLong}} << Cells()
            << QStringLiteral("Os números do Serviço de Cb Gda no dia 01/03/04 têm %1 caracteres e não cabem nos 120 "
                              "caracteres do histórico. Nada foi gravado.\n\nDiminua os militares dessa célula.")
                   .arg(tooLong.size());
        QTest::newRow("a cell changed after verifying")
            << "01/03/04" << Cells{{{0, 0}, "1"}} << Cells{{{0, 0}, "2"}}
            << "A Grade de Serviços mudou depois da verificação; nada foi gravado.\n\n"
               "Clique em \"Verificar\" de novo antes de escalar.";
    }
    void refusalsWriteNothing()
    {
        QFETCH(QString, end);
        QFETCH(Cells, cells);
        QFETCH(Cells, afterVerifying);
        QFETCH(QString, message);
        FixtureFolder data;
        const QStringList before = storedState(data);
        const ManualVerification verification = verified(end, cells);
        ManualGrid grid = verification.grid;
        for (auto it = afterVerifying.begin(); it != afterVerifying.end(); ++it)
            grid.rows[it.key().first].cells[it.key().second] = it.value();
        try {
            CommitManualGrid(*verification.verified, grid);
            QFAIL("committed");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), message);
        }
        QCOMPARE(storedState(data), before);
    }

    void anEmptiedGridAsksToBeFilledFirst()
    {
        FixtureFolder data;
        const QStringList before = storedState(data);
        const ManualVerification verification = verified(QStringLiteral("01/03/04"), {{{0, 0}, "1"}});
        ManualGrid emptied = verification.grid;
        emptied.rows[0].cells[0].clear();
        const ManualCommitOutcome outcome = CommitManualGrid(*verification.verified, emptied);
        QVERIFY(!outcome.done);
        QCOMPARE(outcome.message, QStringLiteral("Preencher primeiro a Grade de Serviços"));
        QCOMPARE(storedState(data), before);
    }

    void aFullHistoryIsRefusedBeforeWriting()
    {
        FixtureFolder data;
        LoadHistory();
        for (int i = HistoryInUse() + 1; i < Capacity::History; ++i)   // one record left
            Global().HistoryCache[i] = {QDate(2003, 1, 1).addDays(i / 30), 1 + i % 30, QStringLiteral("Of Dia"),
                                        QStringLiteral("1"), QStringLiteral("Pt")};
        SaveHistory();
        const QStringList before = storedState(data);
        const ManualVerification verification = verified(QStringLiteral("01/03/04"), {{{0, 0}, "1"}, {{1, 0}, "4"}});
        try {
            commit(verification);
            QFAIL("committed");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("O histórico em memória comporta 10000 registros; já tem 9999 e esta "
                                                 "grade precisaria de mais 2. Nada foi gravado.\n\nExclua do histórico "
                                                 "os registros antigos (item 12. da aba /Manutenção/) e verifique a "
                                                 "grade de novo."));
        }
        QCOMPARE(storedState(data), before);

        // The last free record takes one cell.
        QVERIFY(commit(verified(QStringLiteral("01/03/04"), {{{0, 0}, "1"}})).done);
        QCOMPARE(StoredRows(data.module(), QStringLiteral("Hist")).size(), Capacity::History);
    }

    void storedDataChangedAfterVerifyingIsRefused()
    {
        FixtureFolder data;
        const ManualVerification verification = verified(QStringLiteral("01/03/04"), {{{0, 0}, "1"}});
        data.module().insertRosterRow(1, QStringLiteral("7"), 4, 4);   // another window wrote in between
        const QStringList before = storedState(data);
        try {
            commit(verification);
            QFAIL("committed");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().startsWith(TestsOnServer() ? StoredStateChangedStart()
                                                            : QStringLiteral("Os dados do Sistema mudaram depois da "
                                                                             "verificação; nada foi gravado.")),
                     qPrintable(e.message()));
        }
        QCOMPARE(storedState(data), before);
    }

    void aFailingWriteLeavesEveryTableAsItWas()
    {
        FixtureFolder data;
        const QStringList before = storedState(data);
        const ManualVerification verification = verified(QStringLiteral("01/03/04"), {{{0, 0}, "1"}});
        const QSqlDatabase db = data.module().database(Alias::Ravelha);
        QVERIFY(MakeWritesFail(db, QStringLiteral("Hist"), QStringLiteral("INSERT")));
        QVERIFY_THROWS_EXCEPTION(CoreError, commit(verification));
        QVERIFY(StopWritesFailing(db, QStringLiteral("Hist")));
        QCOMPARE(storedState(data), before);
    }

    void escalaTxtThatCannotBeWrittenLeavesTheCommitStanding()
    {
        if (TestsOnServer())
            QSKIP("On a server the file is a row of the unit, written with the tables.");
        FixtureFolder data;
        const QString escala = data.file(DataFiles::Escala);
        const ManualVerification verification = verified(QStringLiteral("01/03/04"), {{{0, 0}, "1"}});
        // Once the tables have committed, Escala.Txt becomes a folder: no one can write it then.
        KillPoints::setActionForTests([&](const QString& step) {
            if (step == QStringLiteral("depois-de-confirmar")) {
                QFile::remove(escala);
                QDir().mkdir(escala);
            }
        });
        const ManualCommitOutcome outcome = commit(verification);
        KillPoints::setActionForTests({});
        QVERIFY(outcome.done);
        QVERIFY2(outcome.notice.contains(QStringLiteral("O arquivo Escala.Txt não pôde ser gravado")),
                 qPrintable(outcome.notice));
        QCOMPARE(StoredRows(data.module(), QStringLiteral("Hist")).filter(QStringLiteral("2004-03")),
                 QStringList{"2004-03-01|1|Of Dia|1|Pt"});
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("01/03/04"));   // the commit's record counts
        QVERIFY(QDir().rmdir(escala));
    }
};

QTEST_GUILESS_MAIN(TestManualCommit)
#include "TestManualCommit.moc"
