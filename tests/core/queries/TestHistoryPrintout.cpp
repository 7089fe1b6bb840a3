// The printout of the history search: its header, its line layout, the rows picked, and the pages
// it takes on the line device.
#include "printing/RecordingPrinter.h"
#include "queries/HistoryPrintout.h"

#include <QDate>
#include <QTest>

namespace {

HistoryRow row(const QString& dia, const QString& ptVm, const QString& descr, const QString& num, int code)
{
    return HistoryRow{dia, ptVm, descr, num, code};
}

const QList<HistoryRow> ThreeRows{row("27/02/04", "Pt", "Of Dia", "1", 1), row("28/02/04", "Vm", "Cb Gda", "9 10", 3),
                                  row("29/02/04", "Vm", "Sargento de Dia", "11", 4)};

}

class TestHistoryPrintout : public QObject {
    Q_OBJECT
private slots:
    void headerThenOneLinePerRow()
    {
        const QString blank(10, QLatin1Char(' '));
        QCOMPARE(HistoryPrintLines(ThreeRows),
                 QStringList({"   Data                     Escala       Serviço        Numero          ", " ",
                              // day + 10 blanks, 10 blanks, PtVm in 4, 10 blanks, Descr in 8, 10 blanks, Num
                              "27/02/04" + blank + blank + "Pt  " + blank + "Of Dia  " + blank + "1",
                              "28/02/04" + blank + blank + "Vm  " + blank + "Cb Gda  " + blank + "9 10",
                              "29/02/04" + blank + blank + "Vm  " + blank + "Sargento" + blank + "11"}));
        // Every soldier list starts at the same column.
        for (const QString& line : HistoryPrintLines(ThreeRows).mid(2))
            QVERIFY(line.at(59) == QLatin1Char(' ') && line.at(60).isDigit());
    }

    void onlyThePickedRowsInGridOrder()
    {
        const QStringList lines = HistoryPrintLines(ThreeRows, {2, 0});
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines.at(2).startsWith(QStringLiteral("27/02/04")));
        QVERIFY(lines.at(3).startsWith(QStringLiteral("29/02/04")));
    }

    void aLongListGoesOnUnderItsColumnWithEveryNumber()
    {
        QStringList numbers;
        for (int n = 1001; n <= 1024; ++n)
            numbers << QString::number(n);
        const QString num = numbers.join(QLatin1Char(' '));   // 24 numbers: the history's 119 characters
        const QStringList lines = HistoryPrintRowLines(row("01/03/04", "Pt", "Cb Gda", num, 3));
        QCOMPARE(lines.size(), 4);
        QStringList printed;
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY(lines.at(i).size() <= 60 + HistoryPrintNumWidth);
            if (i > 0)
                QCOMPARE(lines.at(i).left(60), QString(60, QLatin1Char(' ')));
            printed << lines.at(i).mid(60).split(QLatin1Char(' '));
        }
        QCOMPARE(printed, numbers);
    }

    void linesGoOnToANewPageWhenOneIsFull()
    {
        QList<HistoryRow> rows;
        for (int d = 0; d < 70; ++d)
            rows << row(QDate(2004, 3, 1).addDays(d).toString(QStringLiteral("dd/MM/yy")), "Pt", "Of Dia",
                        QString::number(d + 1), 1);
        RecordingPrinter printer(2400, 3150);
        const LinePrintLayout layout = HistoryPrintLayout();
        PageLines device(printer, layout.family, layout.pointSize, layout.step, layout.left, layout.top);
        PrintLines(device, HistoryPrintLines(rows));
        QCOMPARE(device.pages(), 2);

        const QList<RecordingPrinter::Call> texts = printer.texts();
        QCOMPARE(texts.size(), 72);
        QCOMPARE(texts.first().text, HistoryPrintHeader);
        QCOMPARE(texts.first().x, layout.left);
        QCOMPARE(texts.first().y, layout.top);
        QCOMPARE(texts.at(1).y, layout.top + layout.step);
        // The first page holds what fits above its bottom; the rest starts again at the top.
        const int perPage = (3150 - layout.top) / layout.step;
        QCOMPARE(texts.at(perPage - 1).page, 1);
        QCOMPARE(texts.at(perPage).page, 2);
        QCOMPARE(texts.at(perPage).y, layout.top);
        QVERIFY(texts.last().text.endsWith(QStringLiteral("Of Dia            70")));
        for (const RecordingPrinter::Call& call : printer.calls())
            if (call.kind == RecordingPrinter::Call::Font)
                QCOMPARE(call.text + QString::number(call.size), QStringLiteral("Courier10"));
        QCOMPARE(printer.calls().last().kind, RecordingPrinter::Call::End);
    }
};

QTEST_GUILESS_MAIN(TestHistoryPrintout)
#include "TestHistoryPrintout.moc"
