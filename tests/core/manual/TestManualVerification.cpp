// "Verificar" of the manual grid, on the small fixture: Of Dia (1 a day: 1, 2, 3), Adj Of (1 a
// day: 4, 5, 6), Cb Gda (2 a day: 7 to 12), rostered up to 29/02/04. Soldier 3 served on 29/02,
// soldier 5 is on a real absence from 01/03 to 05/03, soldier 2 on a planned one from 08/03 to
// 12/03; 06/03/04 is a red day.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/DataFiles.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"
#include "manual/ManualGrid.h"
#include "manual/ManualVerification.h"
#include "rostering/Commit.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

QDate march(int day)
{
    return QDate(2004, 3, day);
}

// The grid up to `end` with its cells by (row, column): rows 0 Of Dia, 1 Adj Of, 2 Cb Gda.
ManualGrid gridTo(const QString& end, const QMap<QPair<int, int>, QString>& cells)
{
    ManualGrid grid = PrepareManualGrid(end).grid;
    for (auto it = cells.begin(); it != cells.end(); ++it)
        grid.rows[it.key().first].cells[it.key().second] = it.value();
    return grid;
}

// A soldier's counts in a roster of the verified model, as "Pt/Vm".
QString countsIn(const VerifiedManualGrid& verified, int code, const QString& num)
{
    const RosterTable& roster = verified.grades[code];
    for (int row = 1; !roster.cell(0, row).isEmpty(); ++row)
        if (roster.cell(0, row) == num)
            return roster.cell(1, row) + QLatin1Char('/') + roster.cell(2, row);
    return QString();
}

QList<QDate> serviceDays(const VerifiedManualGrid& verified, const QString& num)
{
    for (const SoldierRecord& soldier : verified.soldiers)
        if (soldier.Num == num) {
            QList<QDate> days;
            for (const QDate& day : soldier.USv)
                if (day.isValid())
                    days << day;
            return days;
        }
    return {};
}

// Every working table and Escala.Txt, row by row.
QStringList storedState(FixtureFolder& data)
{
    return StoredTables(data.module(), TableSchema::workingTables()) << DataFiles::ReadLastRosteredDay();
}

void addHistory(const QList<HistoryRecord>& records)
{
    LoadHistory();
    int free = HistoryInUse() + 1;
    for (const HistoryRecord& r : records)
        Global().HistoryCache[free++] = r;
    SaveHistory();
}

const QString Shortage = QStringLiteral(" Dia: 01/03/04 Falta escalar militar no Serviço de ");
const QString Excess = QStringLiteral(" Dia: 01/03/04 Excesso de militares escalados no Serviço de ");

}

class TestManualVerification : public QObject {
    Q_OBJECT
private slots:
    // One day, 01/03/04, with Of Dia "1", Adj Of "4" and Cb Gda "7 8" unless the case says otherwise.
    void findings_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a grid without mistakes") << 0 << "1" << QStringList() << QStringList();
        QTest::newRow("two blanks end the cell") << 2 << "7  8" << QStringList() << QStringList{Shortage + "Cb Gda"};
        QTest::newRow("a leading blank ends it") << 0 << " 1" << QStringList() << QStringList{Shortage + "Of Dia"};
        QTest::newRow("a blank at the end is no soldier") << 2 << "7 8 " << QStringList() << QStringList();
        QTest::newRow("a soldier of another roster")
            << 1 << "1" << QStringList{"1  não concorre à escala de Adj Of"} << QStringList();
        QTest::newRow("a number of no soldier counts too")
            << 2 << "7 3831" << QStringList{"3831  não concorre à escala de Cb Gda"} << QStringList();
        QTest::newRow("too many") << 2 << "7 8 9" << QStringList{"9 não terá folga de 48 Hs no dia 01/03/04"}
                                  << QStringList{Excess + "Cb Gda"};
        QTest::newRow("too few") << 2 << "7" << QStringList() << QStringList{Shortage + "Cb Gda"};
        QTest::newRow("a real absence")
            << 1 << "5"
            << QStringList{"5 não terá folga de 48 Hs no dia 01/03/04",
                           "Dia: 01/03/04  Nº:  5 Não pode ser escalado; está fora da escala de 01/03/04 a 05/03/04"}
            << QStringList();
        QTest::newRow("no rest after the day before")
            << 0 << "3" << QStringList{"3 não terá folga de 48 Hs no dia 01/03/04"} << QStringList();
    }
    void findings()
    {
        QFETCH(int, row);
        QFETCH(QString, cell);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, messages);
        FixtureFolder data;
        QMap<QPair<int, int>, QString> cells{{{0, 0}, "1"}, {{1, 0}, "4"}, {{2, 0}, "7 8"}};
        cells[{row, 0}] = cell;
        const ManualVerification verification = VerifyManualGrid(gridTo(QStringLiteral("01/03/04"), cells), march(1));
        QVERIFY(verification.verifiedOk());
        QCOMPARE(verification.lines, lines);
        QCOMPARE(verification.countMessages, messages);
        QVERIFY(verification.verified);
    }

    void soldiersTypedAreRecordedUnlessReallyAbsent()
    {
        FixtureFolder data;
        data.module().insertRosterRow(1, QStringLiteral("7"), 4, 4);   // Gonçalves is in two rosters
        const QStringList before = storedState(data);
        // 01/03 (black): 3 without rest, 5 really absent, 7 and 8. 06/03 (red): 7 again.
        const ManualGrid grid = gridTo(QStringLiteral("06/03/04"),
                                       {{{0, 0}, "3"}, {{1, 0}, "5"}, {{2, 0}, "7 8"}, {{2, 5}, "7 11"}});
        ManualVerification verification = VerifyManualGrid(grid, march(6));
        QVERIFY(verification.verifiedOk());
        const VerifiedManualGrid& verified = *verification.verified;
        QCOMPARE(verified.kinds, (std::array<QString, 6>{"Pt", "Pt", "Pt", "Pt", "Pt", "Vm"}));
        QCOMPARE(countsIn(verified, 1, "3"), QStringLiteral("1/1"));   // stored 0/1
        QCOMPARE(serviceDays(verified, "3"), (QList<QDate>{QDate(2004, 2, 29), march(1)}));
        QCOMPARE(countsIn(verified, 2, "5"), QStringLiteral("0/1"));   // as stored
        QCOMPARE(serviceDays(verified, "5"), QList<QDate>{QDate(2004, 2, 28)});
        QCOMPARE(countsIn(verified, 3, "7"), QStringLiteral("2/1"));   // stored 1/0
        QCOMPARE(countsIn(verified, 1, "7"), QStringLiteral("5/5"));   // stored 4/4: every roster he is in
        QCOMPARE(serviceDays(verified, "7"), (QList<QDate>{QDate(2004, 2, 27), march(1), march(6)}));

        // Verifying writes nothing, and verifying again starts from the stored state.
        QCOMPARE(storedState(data), before);
        verification = VerifyManualGrid(grid, march(6));
        QCOMPARE(countsIn(*verification.verified, 3, "7"), QStringLiteral("2/1"));
    }

    // A soldier twice in one cell would be listed twice and credited twice for one duty: the cell is
    // refused by service and day, every such cell at once, and nothing is left to commit.
    void aSoldierTwiceInOneCellIsRefused_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("named");
        QTest::newRow("side by side") << "7 7" << "Serviço de Cb Gda, dia 01/03/04: 7 está mais de uma vez (\"7 7\").";
        QTest::newRow("after a double blank, as the history would list it")
            << "7  7" << "Serviço de Cb Gda, dia 01/03/04: 7 está mais de uma vez (\"7  7\").";
        QTest::newRow("two of them") << "8 7 8 7 8"
                                     << "Serviço de Cb Gda, dia 01/03/04: 8, 7 estão mais de uma vez (\"8 7 8 7 8\").";
    }
    void aSoldierTwiceInOneCellIsRefused()
    {
        QFETCH(QString, cell);
        QFETCH(QString, named);
        FixtureFolder data;
        // Of Dia's 02/03 cell repeats a soldier too; a cell without a day is left to the commit.
        const ManualGrid grid = gridTo(QStringLiteral("02/03/04"),
                                       {{{0, 0}, "1"}, {{1, 0}, "4"}, {{2, 0}, cell}, {{0, 1}, "2 2"}, {{0, 4}, "3 3"}});
        const ManualVerification verification = VerifyManualGrid(grid, march(2));
        QCOMPARE(verification.stop, ManualVerification::Stop::Repeated);
        QCOMPARE(verification.stopMessage,
                 QStringLiteral("Um militar não pode estar duas vezes no mesmo serviço do mesmo dia:\n\n"
                                "Serviço de Of Dia, dia 02/03/04: 2 está mais de uma vez (\"2 2\").\n")
                     + named
                     + QStringLiteral("\n\nCorrija a Grade de Serviços e clique em \"Verificar\" de novo; nada pode ser "
                                      "escalado antes disso."));
        QVERIFY(!verification.verified);
        QVERIFY(verification.lines.isEmpty());

        // Corrected, the grid verifies.
        ManualGrid corrected = grid;
        corrected.rows[2].cells[0] = QStringLiteral("7 8");
        corrected.rows[0].cells[1] = QStringLiteral("2");
        QVERIFY(VerifyManualGrid(corrected, march(2)).verifiedOk());
    }

    void aServiceAlreadyRosteredStopsAtItsFirstRecord()
    {
        FixtureFolder data;
        // Cb Gda has the earlier day, but the services are looked at in code order.
        addHistory({{march(1), 3, QStringLiteral("Cb Gda"), QStringLiteral("7 8"), QStringLiteral("Pt")},
                    {march(2), 2, QStringLiteral("Adj Of"), QStringLiteral("6"), QStringLiteral("Pt")}});
        const ManualVerification verification =
            VerifyManualGrid(gridTo(QStringLiteral("03/03/04"), {{{0, 0}, "1"}}), march(3));
        QCOMPARE(verification.stop, ManualVerification::Stop::Conflict);
        QCOMPARE(verification.stopMessage, QStringLiteral("O Serviço de Adj Of já foi escalado no dia 02/03/04"));
        QVERIFY(!verification.verified);
        QVERIFY(verification.lines.isEmpty());

        // Days after the grid's end are no conflict.
        const ManualVerification shorter =
            VerifyManualGrid(gridTo(QStringLiteral("01/03/04"), {{{0, 0}, "1"}}), march(1));
        QCOMPARE(shorter.stop, ManualVerification::Stop::Conflict);
        QCOMPARE(shorter.stopMessage, QStringLiteral("O Serviço de Cb Gda já foi escalado no dia 01/03/04"));
    }

    void aGridOfSemSvOnlyIsEmpty()
    {
        FixtureFolder data;
        LoadServices();
        Global().ServiceTable[1].Fim = QDate(2004, 2, 29);
        Global().ServiceTable[2].Fim = QDate(2004, 2, 29);
        Global().ServiceTable[3].Fim = QDate(2004, 2, 29);
        SaveServices();
        const ManualGrid grid = PrepareManualGrid(QStringLiteral("02/03/04")).grid;
        QCOMPARE(grid.rows[0].cells[0], QStringLiteral("Sem Sv"));
        const ManualVerification verification = VerifyManualGrid(grid, march(2));
        QCOMPARE(verification.stop, ManualVerification::Stop::Empty);
        QCOMPARE(verification.stopMessage, QStringLiteral("Você deve preencher completamente a Grade de Serviços"));
        QVERIFY(!verification.grid.hasText());
        QVERIFY(!verification.verified);
    }

    void aFormerSemSvCellIsAShortage()
    {
        FixtureFolder data;
        LoadServices();
        Global().ServiceTable[1].Ini = march(2);
        SaveServices();
        const ManualVerification verification = VerifyManualGrid(
            gridTo(QStringLiteral("01/03/04"), {{{1, 0}, "4"}, {{2, 0}, "7 8"}}), march(1));
        QCOMPARE(verification.grid.rows[0].cells[0], QString());
        QCOMPARE(verification.countMessages, QStringList{Shortage + "Of Dia"});
    }

    void aGridPreparedBeforeTheLastRosteredDayMovedIsStale()
    {
        FixtureFolder data;
        const ManualGrid grid = gridTo(QStringLiteral("03/03/04"), {{{0, 1}, "1"}});
        DataFiles::WriteLastRosteredDay(QDate(2004, 2, 27));   // an undo in between
        const ManualVerification verification = VerifyManualGrid(grid, march(3));
        QCOMPARE(verification.stop, ManualVerification::Stop::Stale);
        QCOMPARE(verification.stopMessage,
                 QStringLiteral("A última escalação vai até o dia 27/02/04, mas a Grade de Serviços começa no dia "
                                "01/03/04: ela foi preparada antes de a última escalação mudar.\n\n"
                                "Prepare a grade de novo."));
        QVERIFY(!verification.verified);
    }
};

QTEST_GUILESS_MAIN(TestManualVerification)
#include "TestManualVerification.moc"
