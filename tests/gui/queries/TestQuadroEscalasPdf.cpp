// The board's printout on the program's printer device, written to a PDF file and read back: the
// initial data set's 49 soldiers take a second page, each page headed by the services' names.
#include "FixtureFolder.h"
#include "ToolOutput.h"
#include "PainterPrinter.h"
#include "queries/ServiceBoard.h"
#include "queries/ServiceBoardPrintout.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {


}

class TestQuadroEscalasPdf : public QObject {
    Q_OBJECT
private slots:
    void boardPrintedIntoAPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        FixtureFolder data(QStringLiteral("inicial"));
        const ServiceBoard board = BuildFullServiceBoard();
        QCOMPARE(int(board.rows.size()), 49);
        QTemporaryDir temp;
        const QString file = temp.filePath(QStringLiteral("quadro.pdf"));
        {
            std::unique_ptr<QPrinter> printer = PdfPrinter(file);
            // A4 holds 65 rows; a printable area of 40 rows on the same sheet shows the second page.
            printer->setPageMargins(QMarginsF(5, 5, 5, 297 - 5 - (130 + 40 * 50 + 25) / 300.0 * 25.4), QPageLayout::Millimeter);
            PainterPrinter page(*printer);
            QCOMPARE(PrintServiceBoard(page, board), 2);
        }
        const QString text = ToolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        for (const QString& page : pages) {
            QVERIFY(page.contains(QStringLiteral("Of Dia")));
            QVERIFY(page.contains(QStringLiteral("Sd Gda")));
        }
        // Every soldier's number stands at the start of a line, once; the first 40 on page 1.
        QStringList printed;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const QString first = line.trimmed().section(QLatin1Char(' '), 0, 0);
            if (!first.isEmpty() && first.at(0).isDigit())
                printed << first;
        }
        QStringList expected;
        for (const ServiceBoard::Line& row : board.rows)
            expected << row[0];
        QCOMPARE(printed, expected);
        QVERIFY(pages.first().contains(QRegularExpression(QStringLiteral("\\n\\s*") + expected.at(39) + QStringLiteral("\\s"))));
        QVERIFY(pages.last().contains(QRegularExpression(QStringLiteral("\\n\\s*") + expected.at(40) + QStringLiteral("\\s"))));

        // The headers begin 110 x column + 30 units (1/300 inch) from the printable area's corner.
        const QString boxes = ToolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"),
                                                                QStringLiteral("1"), QStringLiteral("-l"),
                                                                QStringLiteral("1"), file, QStringLiteral("-")});
        const double margin = 5 / 25.4 * 72;
        const QRegularExpression box(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>Sd<"));
        QVERIFY(qAbs(box.match(boxes).captured(1).toDouble() - (margin + (110 * 4 + 30) * 72 / 300.0)) < 1.5);
    }
};

QTEST_MAIN(TestQuadroEscalasPdf)
#include "TestQuadroEscalasPdf.moc"
