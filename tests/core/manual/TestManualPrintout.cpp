// The printouts "Grade" and "Mensagens" of the manual tab, on a line device that records them.
#include "manual/ManualGrid.h"
#include "manual/ManualPrintout.h"

#include <QTest>

namespace {

class RecordingLines : public LineDevice {
public:
    QStringList lines;
    int ends = 0;
    void line(const QString& text) override { lines << text; }
    void end() override { ++ends; }
};

ManualGridRow row(const QString& descr, int code, std::array<QString, 6> cells)
{
    return ManualGridRow{descr, code, cells};
}

}

class TestManualPrintout : public QObject {
    Q_OBJECT
private slots:
    void gridListsEveryServiceWithSoldiersEachDay()
    {
        ManualGrid grid;
        grid.days = {"01/03/04", "02/03/04", "03/03/04", "", "", ""};
        grid.rows << row("Of Dia", 1, {"1", "", "3", "", "", ""})
                  << row("Adj Of", 2, {"", "5", "Sem Sv", "", "", ""})      // nobody on the first day
                  << row("Cb Gda", 3, {"7 8", "9 10", "", "", "", ""})
                  << row("", 0, {"99", "99", "99", "", "", ""});            // not a service row
        grid.rows[0].cells[3] = QStringLiteral("12");   // under an empty header: not a day of the grid
        RecordingLines device;
        PrintLines(device, GridPrintLines(grid));
        QCOMPARE(device.lines, QStringList({
                                   "",
                                   "          01/03/04",
                                   "     Of Dia     1",
                                   "     Cb Gda     7 8",
                                   "",
                                   "          02/03/04",
                                   "     Adj Of     5",
                                   "     Cb Gda     9 10",
                                   "",
                                   "          03/03/04",
                                   "     Of Dia     3",
                                   "     Adj Of     Sem Sv",
                               }));
        QCOMPARE(device.ends, 1);
    }

    void messagesUnderTheirTitle()
    {
        RecordingLines device;
        PrintLines(device, MessagesPrintLines({"6  não concorre à escala de Adj Of", "22 não terá folga de 48 Hs no dia 04/03/04"}));
        QCOMPARE(device.lines, QStringList({"                    Mensagens", " ", "6  não concorre à escala de Adj Of",
                                            "22 não terá folga de 48 Hs no dia 04/03/04"}));
        QCOMPARE(device.ends, 1);
    }
};

QTEST_GUILESS_MAIN(TestManualPrintout)
#include "TestManualPrintout.moc"
