// The roster printout on the program's printer device, written to a PDF file and read back.
#include "PainterPrinter.h"
#include "ToolOutput.h"
#include "rostering/RosterPrintout.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {


}

class TestRosterPdf : public QObject {
    Q_OBJECT
private slots:
    void rosterPrintedIntoAPdf_data()
    {
        QTest::addColumn<int>("resolution");
        QTest::newRow("1200 dpi") << 1200;
        QTest::newRow("300 dpi") << 300;
        QTest::newRow("96 dpi") << 96;
    }
    void rosterPrintedIntoAPdf()
    {
        QFETCH(int, resolution);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir temp;
        const QString file = temp.filePath(QStringLiteral("escala.pdf"));
        QStringList roster;
        for (int day = 1; day <= 20; ++day) {
            roster << QStringLiteral("     ") << QStringLiteral("               %1/03/04 (Pt)").arg(day, 2, 10, QLatin1Char('0'));
            roster << QStringLiteral("     Of Dia:  1-Andrade  ") << QStringLiteral("     Cb Gda:  8-Henriques  7-Gonçalves  ");
        }
        {
            std::unique_ptr<QPrinter> printer = PdfPrinter(file);
            printer->setResolution(resolution);
            PainterPrinter page(*printer);
            QCOMPARE(PrintRosterList(page, RosterPrint::Escala, roster), 2);   // 80 lines: more than an A4 page
        }

        const QString text = ToolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 2);
        for (const QString& page : pages)
            QVERIFY(page.contains(QStringLiteral("Escala de Serviço")));
        QVERIFY(pages.first().contains(QStringLiteral("01/03/04 (Pt)")));
        QVERIFY(pages.last().contains(QStringLiteral("20/03/04 (Pt)")));
        // The reader sets its own spaces between words.
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("Cb Gda:\\s+8-Henriques\\s+7-Gonçalves"))), 20);

        // One unit is 1/300 inch from the corner of the printable area (margins of 5 mm), whatever
        // the resolution:
        // the title starts 950 units (228 pt) and the first line 100 units (24 pt) from it.
        const QString boxes = ToolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"),
                                                                QStringLiteral("1"), QStringLiteral("-l"),
                                                                QStringLiteral("1"), file, QStringLiteral("-")});
        const double margin = 5 / 25.4 * 72;
        auto left = [&](const QString& word) {
            const QRegularExpression box(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>") + word + "<");
            return box.match(boxes).captured(1).toDouble();
        };
        QVERIFY(qAbs(left(QStringLiteral("Escala")) - (margin + 228)) < 1.5);
        QVERIFY(qAbs(left(QStringLiteral("Of")) - (margin + 24 + 5 * 7.2)) < 1.5);   // after five blanks of Courier 12
    }
};

QTEST_MAIN(TestRosterPdf)
#include "TestRosterPdf.moc"
