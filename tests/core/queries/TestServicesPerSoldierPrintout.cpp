// The printout of "Quadro dos Serviços", recorded: a landscape page in Courier 9, every service
// column printed (columns that do not fit across go on further pages), every row printed (rows
// that do not fit down go on further pages), each page with the title, its page label and the
// captions, and nothing drawn past the edge of the paper.
#include "printing/RecordingPrinter.h"
#include "queries/ServicesPerSoldierPrintout.h"

#include <QRegularExpression>
#include <QTest>

namespace {

constexpr int LandscapeWidth = 3390;    // A4 turned, less margins of 5 mm, in 1/300 inch
constexpr int LandscapeHeight = 2362;

// `soldiers` soldiers 1, 2, ..., each on duty once in each of the services 1 to `services`
// (named "Serv 1", ...), on 01/03/04.
ServiceCounts counts(int soldiers, int services)
{
    std::vector<HistoryRecord> history(1);
    QStringList numbers;
    for (int s = 1; s <= soldiers; ++s)
        numbers << QString::number(s);
    for (int code = 1; code <= services; ++code)
        history.push_back({QDate(2004, 3, 1), code, QStringLiteral("Serv %1").arg(code), numbers.join(' '), "Pt"});
    return CountServices(history, QDate(2004, 3, 1), QDate(2004, 3, 31), DayKindChoice::Ambas, {});
}

QList<RecordingPrinter::Call> textsOfPage(const RecordingPrinter& printer, int page)
{
    QList<RecordingPrinter::Call> found;
    for (const RecordingPrinter::Call& call : printer.texts())
        if (call.page == page)
            found << call;
    return found;
}

int pagesOf(const RecordingPrinter& printer)
{
    return printer.calls().isEmpty() ? 0 : printer.calls().last().page;
}

}

class TestServicesPerSoldierPrintout : public QObject {
    Q_OBJECT
private slots:
    void onePageForASmallTable()
    {
        const ServiceCounts small = counts(3, 2);
        RecordingPrinter printer(LandscapeWidth, LandscapeHeight);
        QCOMPARE(PrintServicesPerSoldier(printer, ShownTable(small), SummaryPrintTitle(small)), 1);

        QStringList texts;
        for (const RecordingPrinter::Call& call : printer.texts())
            texts << QStringLiteral("%1,%2 %3").arg(call.x).arg(call.y).arg(call.text);
        QCOMPARE(texts, QStringList({
                            "60,40 Serviços por Militar (Quadro Resumo) - de 01/03/04 a 31/03/04 - Escala: Ambas",
                            "3098,95 Folha 1 de 1",
                            "60,150 Nº       Serv 1   Serv 2     SOMA",
                            "60,200 ---------------------------------",
                            "60,250 1             1        1        2",
                            "60,300 2             1        1        2",
                            "60,350 3             1        1        2",
                            "60,400 ---------------------------------",
                            "60,450 SOMA          3        3        6",
                        }));
        const RecordingPrinter::Call title = printer.calls().at(1);
        QCOMPARE(title.kind, RecordingPrinter::Call::Font);
        QCOMPARE(title.text, QStringLiteral("Arial"));
        const RecordingPrinter::Call table = printer.calls().at(3);
        QCOMPARE(table.kind, RecordingPrinter::Call::Font);
        QCOMPARE(table.text, QStringLiteral("Courier"));
        QCOMPARE(table.size, 9);
        QCOMPARE(printer.calls().last().kind, RecordingPrinter::Call::End);
    }

    // Thirty services and a hundred soldiers, on a landscape page and on a narrower portrait one:
    // every service and every soldier is printed, and nothing passes the edge of the paper.
    void everyColumnAndRowOnFurtherPages_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("pages");
        // 14 + 14 + 2 service columns; 42 lines down: 102 lines (soldiers, rule, sums) on 3 pages.
        QTest::newRow("landscape") << LandscapeWidth << LandscapeHeight << 3 << 3 * 3;
        // 9 + 9 + 9 + 3 service columns; 62 lines down: 2 pages.
        QTest::newRow("portrait") << 2362 << LandscapeWidth << 4 << 4 * 2;
    }
    void everyColumnAndRowOnFurtherPages()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, groups);
        QFETCH(int, pages);
        const ServiceCounts wide = counts(100, 30);
        const SummaryTable table = ShownTable(wide);
        RecordingPrinter printer(width, height);
        QCOMPARE(PrintServicesPerSoldier(printer, table, SummaryPrintTitle(wide)), pages);
        QCOMPARE(pagesOf(printer), pages);

        QMap<QString, int> captions;   // each service caption and SOMA, once per page it is on
        QMap<QString, int> soldierLines;
        int sumsLines = 0;
        for (int page = 1; page <= pages; ++page) {
            const QList<RecordingPrinter::Call> texts = textsOfPage(printer, page);
            QCOMPARE(texts.at(0).text, SummaryPrintTitle(wide));
            QCOMPARE(texts.at(1).text, QStringLiteral("Folha %1 de %2").arg(page).arg(pages));
            const QString captionLine = texts.at(2).text;
            QVERIFY(captionLine.startsWith(QStringLiteral("Nº ")));
            for (const QString& word : captionLine.split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts))
                ++captions[word];
            for (const RecordingPrinter::Call& call : texts.mid(1)) {
                QVERIFY2(call.x >= 0 && call.x + call.text.size() * SummaryPrintLayout::CharWidth <= width,
                         qPrintable(call.text));
                QVERIFY2(call.y + SummaryPrintLayout::Step <= height, qPrintable(call.text));
                const QString first = call.text.section(QLatin1Char(' '), 0, 0);
                if (first == QStringLiteral("SOMA"))
                    ++sumsLines;
                else if (call.y > SummaryPrintLayout::CaptionY + SummaryPrintLayout::Step && !first.startsWith('-'))
                    ++soldierLines[first];
            }
        }
        // Every service once, across the groups of columns; SOMA over the pages of the last group.
        for (int code = 1; code <= 30; ++code)
            QVERIFY2(captions.value(QStringLiteral("Serv %1").arg(code)) >= 1, qPrintable(QString::number(code)));
        QCOMPARE(captions.value(QStringLiteral("SOMA")), pages / groups);
        // Every soldier once in each group of columns, the sums line once in each.
        QCOMPARE(soldierLines.size(), 100);
        for (auto it = soldierLines.cbegin(); it != soldierLines.cend(); ++it)
            QCOMPARE(it.value(), groups);
        QCOMPARE(sumsLines, groups);

        // The last group ends with the row sums: each soldier's 30 and the total of 3000.
        const QList<RecordingPrinter::Call> last = textsOfPage(printer, pages);
        QVERIFY(last.last().text.startsWith(QStringLiteral("SOMA")));
        QVERIFY(last.last().text.endsWith(QStringLiteral(" 3000")));
        QVERIFY(last.at(3).text.startsWith(QStringLiteral("----")));
    }
};

QTEST_GUILESS_MAIN(TestServicesPerSoldierPrintout)
#include "TestServicesPerSoldierPrintout.moc"
