// The board of soldiers by services and its printout, on the small fixture: Of Dia (1) lists 1 to
// 3, Adj Of (2) 4 to 6, Cb Gda (3) 7 to 12. Some cases add a soldier 13 in no roster, a service 25
// and a service 4 with an empty roster.
#include "FixtureFolder.h"
#include "data/UGlobal.h"
#include "printing/RecordingPrinter.h"
#include "queries/ServiceBoard.h"
#include "queries/ServiceBoardPrintout.h"

#include <QSqlQuery>
#include <QTest>

namespace {

void addSoldiers(const QStringList& nums)
{
    LoadSoldiers();
    int free = 1;
    while (!Global().SoldierTable[free].Num.isEmpty())
        ++free;
    for (const QString& num : nums)
        Global().SoldierTable[free++] = SoldierRecord{num, "Sd", "Novo", "", {}, {}, {}};
    SaveSoldiers();
}

void addService(int code, const QString& descr, const QStringList& members)
{
    LoadServices();
    Global().ServiceTable[code] = ServiceRecord{code, descr, QDate(2004, 1, 1), QDate(2004, 12, 31), 1, code, {}};
    SaveServices();
    for (const QString& num : members)
        TDMGeral::instance().insertRosterRow(code, num, 0, 0);
}

// Each row as "num:codes with S", e.g. "7:3 25".
QStringList marks(const ServiceBoard& board)
{
    QStringList rows;
    for (const ServiceBoard::Line& row : board.rows) {
        QStringList codes;
        for (int c = 1; c < ServiceBoard::Columns; ++c)
            if (!row[c].isEmpty()) {
                if (row[c] != MemberMark)
                    return {QStringLiteral("not a mark: ") + row[c]};
                codes << QString::number(c);
            }
        rows << row[0] + QLatin1Char(':') + codes.join(QLatin1Char(' '));
    }
    return rows;
}

QStringList headers(const ServiceBoard& board)
{
    QStringList named;
    for (int c = 1; c < ServiceBoard::Columns; ++c)
        if (!board.headers[c].isEmpty())
            named << QStringLiteral("%1=%2").arg(c).arg(board.headers[c]);
    return named;
}

}

class TestServiceBoard : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        ResetModel();
    }
    void cleanup() { m_data.reset(); }

    void chosenSoldiersByServices()
    {
        addSoldiers({"13"});
        addService(4, QStringLiteral("Rancho"), {});   // registered, nobody in its roster
        // In the lookup's order; 99 has no personnel record and adds no row.
        const ServiceBoard board = BuildServiceBoard({"10", "2", "99", "13", "7", "1"});
        QCOMPARE(headers(board), QStringList({"1=Of Dia", "2=Adj Of", "3=Cb Gda", "4=Rancho"}));
        QCOMPARE(marks(board), QStringList({"1:1", "2:1", "7:3", "10:3", "13:"}));
        // Narrowed to Of Dia and Rancho: the soldiers without a mark there are dropped.
        const ServiceBoard narrow = NarrowServiceBoard(board, {4, 1});
        QCOMPARE(headers(narrow), QStringList({"1=Of Dia", "2=Rancho"}));
        QCOMPARE(marks(narrow), QStringList({"1:1", "2:1"}));
    }

    void noSoldierChosenLeavesTheBoardEmpty()
    {
        QCOMPARE(BuildServiceBoard({}), ServiceBoard{});
        QCOMPARE(BuildServiceBoard({"99"}), ServiceBoard{});
    }

    void aServiceOfCode25()
    {
        addService(25, QStringLiteral("Ronda"), {"12", "3"});
        const ServiceBoard full = BuildFullServiceBoard();
        // Every personnel record, in numeric order (10 after 9).
        QCOMPARE(marks(full), QStringList({"1:1", "2:1", "3:1 25", "4:2", "5:2", "6:2", "7:3", "8:3", "9:3", "10:3",
                                           "11:3", "12:3 25"}));
        QCOMPARE(full.headers[25], QStringLiteral("Ronda"));
        QVERIFY(25 >= ServiceBoard::ShownColumns);   // its column is not shown on the full board
        // Chosen alone it comes to column 1; with Adj Of, after it.
        const ServiceBoard alone = NarrowServiceBoard(full, {25});
        QCOMPARE(headers(alone), QStringList{"1=Ronda"});
        QCOMPARE(marks(alone), QStringList({"3:1", "12:1"}));
        const ServiceBoard two = NarrowServiceBoard(full, {25, 2});
        QCOMPARE(headers(two), QStringList({"1=Adj Of", "2=Ronda"}));
        QCOMPARE(marks(two), QStringList({"3:2", "4:1", "5:1", "6:1", "12:2"}));
    }

    void numbersThatAreNotNumericComeLast()
    {
        addSoldiers({"B", "A1", "100"});
        const ServiceBoard board = BuildServiceBoard({"B", "9", "A1", "100", "10"});
        QCOMPARE(marks(board), QStringList({"9:3", "10:3", "100:", "A1:", "B:"}));
    }

    void printedAsShown()
    {
        addService(25, QStringLiteral("Ronda"), {"1"});
        const ServiceBoard board = BuildServiceBoard({"7", "1"});
        RecordingPrinter printer;
        QCOMPARE(PrintServiceBoard(printer, board), 1);
        QStringList drawn;
        for (const RecordingPrinter::Call& call : printer.calls()) {
            if (call.kind == RecordingPrinter::Call::Font)
                drawn << QStringLiteral("font %1 %2").arg(call.text).arg(call.size);
            else if (call.kind == RecordingPrinter::Call::Text)
                drawn << QStringLiteral("%1,%2 %3").arg(call.x).arg(call.y).arg(call.text);
        }
        // Headers at 110 x column + 30, odd columns on y = 50, even ones on y = 88; cells at
        // 110 x column + 50 from y = 130. Column 25 is not printed.
        QCOMPARE(drawn, QStringList({"font Arial 10", "140,50 Of Dia", "250,88 Adj Of", "360,50 Cb Gda",
                                     "50,130 1", "160,130 S", "50,180 7", "380,180 S"}));
        QCOMPARE(printer.calls().first().kind, RecordingPrinter::Call::Begin);
        QCOMPARE(printer.calls().last().kind, RecordingPrinter::Call::End);
    }

    void aTallBoardGoesOnToMorePages()
    {
        const ServiceBoard board = BuildFullServiceBoard();   // 12 soldiers
        RecordingPrinter printer(2400, 130 + 5 * 50);        // five rows a page
        QCOMPARE(PrintServiceBoard(printer, board), 3);
        QStringList numbersByPage;
        int page = 0;
        for (const RecordingPrinter::Call& call : printer.texts()) {
            if (call.page != page) {
                page = call.page;
                numbersByPage << QString();
                QCOMPARE(call.text, QStringLiteral("Of Dia"));   // each page starts with the headers
            }
            if (call.x == 50)
                numbersByPage.last() += call.text + QLatin1Char(' ');
        }
        QCOMPARE(numbersByPage, QStringList({"1 2 3 4 5 ", "6 7 8 9 10 ", "11 12 "}));
    }
};

QTEST_MAIN(TestServiceBoard)
#include "TestServiceBoard.moc"
