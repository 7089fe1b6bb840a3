// The lowest counts of a roster: the minima of Pt and of Vm, taken separately, among the members
// with a personnel record who are not on a real absence today.
#include "data/UGlobal.h"
#include "maintenance/LowestCounts.h"

#include <QTest>

namespace {

const QDate Today(2004, 3, 10);

// Soldiers 101 to 110 have a record; each absence is "num|PR|ini|fim". Each member "num|Pt|Vm".
RosterTable roster(const QStringList& members, const QStringList& absences = {})
{
    ResetModel();
    GlobalModel& g = Global();
    // The records are searched through all of SoldierTable: leave a free record before the last ones.
    for (int i = 1; i <= 10; ++i)
        g.SoldierTable[i < 6 ? i : i + 3] = SoldierRecord{QString::number(100 + i), "Sd", "Soldado", "", {}, {}, {}};
    for (const QString& absence : absences) {
        const QStringList f = absence.split(QLatin1Char('|'));
        for (SoldierRecord& s : g.SoldierTable)
            if (s.Num == f[0]) {
                s.PR = f[1];
                s.Ini = QDate::fromString(f[2], "dd/MM/yyyy");
                s.Fim = QDate::fromString(f[3], "dd/MM/yyyy");
            }
    }
    RosterTable table;
    int row = 0;
    for (const QString& member : members) {
        const QStringList f = member.split(QLatin1Char('|'));
        ++row;
        table.row(row) = {f[0], f[1], f[2]};
    }
    return table;
}

}

class TestLowestCounts : public QObject {
    Q_OBJECT
private slots:
    void lowest_data()
    {
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QStringList>("absences");
        QTest::addColumn<int>("pt");
        QTest::addColumn<int>("vm");
        QTest::newRow("minima from different members") << QStringList{"101|3|2", "102|5|0", "103|7|4"} << QStringList() << 3 << 0;
        QTest::newRow("a real absence today is left out")
            << QStringList{"101|3|2", "102|5|0", "103|7|4"} << QStringList{"102|R|05/03/2004|15/03/2004"} << 3 << 2;
        QTest::newRow("a real absence ending today is left out")
            << QStringList{"101|3|2", "102|1|1"} << QStringList{"102|R|01/03/2004|10/03/2004"} << 3 << 2;
        QTest::newRow("a real absence from tomorrow counts")
            << QStringList{"101|3|2", "102|1|1"} << QStringList{"102|R|11/03/2004|20/03/2004"} << 1 << 1;
        QTest::newRow("a planned absence today counts")
            << QStringList{"101|3|2", "102|1|1"} << QStringList{"102|P|05/03/2004|15/03/2004"} << 1 << 1;
        QTest::newRow("a member without a record is left out") << QStringList{"101|3|2", "150|0|0"} << QStringList() << 3 << 2;
        QTest::newRow("a record after a free one is found") << QStringList{"109|4|6", "110|8|5"} << QStringList() << 4 << 5;
        QTest::newRow("an empty roster") << QStringList() << QStringList() << 0 << 0;
        QTest::newRow("nobody eligible") << QStringList{"101|3|2"} << QStringList{"101|R|01/03/2004|31/03/2004"} << 0 << 0;
        QTest::newRow("levels of 999 and more are levels") << QStringList{"101|1200|999", "102|1500|1000"} << QStringList()
                                                           << 1200 << 999;
        QTest::newRow("empty counts are 0") << QStringList{"101|4|", "102||3"} << QStringList() << 0 << 0;
    }
    void lowest()
    {
        QFETCH(QStringList, members);
        QFETCH(QStringList, absences);
        RosterTable table = roster(members, absences);
        const LowestPair lowest = LowestCounts(table, Today);
        QTEST(lowest.pt, "pt");
        QTEST(lowest.vm, "vm");
    }

    void rowsAfterTheFirstEmptyNumAreNotRead()
    {
        RosterTable table = roster({"101|5|5"});
        table.row(3) = {QStringLiteral("102"), QStringLiteral("1"), QStringLiteral("1")};
        const LowestPair lowest = LowestCounts(table, Today);
        QCOMPARE(lowest.pt, 5);
        QCOMPARE(lowest.vm, 5);
    }

    void emptyCellsOfEligibleMembersBecomeZero()
    {
        RosterTable table = roster({"101||3", "102|2|", "150||"});
        LowestCounts(table, Today);
        QCOMPARE(table.cell(RosterTable::PtCol, 1), QStringLiteral("0"));
        QCOMPARE(table.cell(RosterTable::VmCol, 2), QStringLiteral("0"));
        // 150 has no record: his row is left as it is.
        QCOMPARE(table.cell(RosterTable::PtCol, 3), QString());
    }
};

QTEST_MAIN(TestLowestCounts)
#include "TestLowestCounts.moc"
