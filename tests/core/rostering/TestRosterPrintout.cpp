// The printouts of the roster and its messages, on a recording page device.
#include "printing/RecordingPrinter.h"
#include "rostering/RosterPrintout.h"

#include <QTest>

using Call = RecordingPrinter::Call;

namespace {

QStringList lines(int count)
{
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QStringLiteral("     linha %1").arg(i);
    return list;
}

}

class TestRosterPrintout : public QObject {
    Q_OBJECT
private slots:
    void rosterOfTwoDays()
    {
        // Two days of three services: 2 x (2 + 3) lines under the title.
        QStringList roster;
        for (const char* day : {"01/03/04 (Pt)", "02/03/04 (Pt)"}) {
            roster << QStringLiteral("     ") << QStringLiteral("               ") + day;
            roster << "     Of Dia:  1-Andrade  " << "     Adj Of:  4-Dantas  " << "     Cb Gda:  8-Henriques  7-Gonçalves  ";
        }
        RecordingPrinter printer;
        QCOMPARE(PrintRosterList(printer, RosterPrint::Escala, roster), 1);
        const QList<Call>& calls = printer.calls();
        QCOMPARE(calls.first().kind, Call::Begin);
        QCOMPARE(calls.at(1).kind, Call::Font);
        QCOMPARE(calls.at(1).text, QStringLiteral("Courier"));
        QCOMPARE(calls.at(1).size, 12);
        QCOMPARE(calls.last().kind, Call::End);
        const QList<Call> texts = printer.texts();
        QCOMPARE(texts.size(), 11);
        QCOMPARE(texts.first().text, QStringLiteral("Escala de Serviço"));
        QCOMPARE(QPoint(texts.first().x, texts.first().y), QPoint(950, 150));
        for (int i = 1; i < texts.size(); ++i) {
            QCOMPARE(texts.at(i).x, 100);
            QCOMPARE(texts.at(i).y, 230 + (i - 1) * 50);
            QCOMPARE(texts.at(i).text, roster.at(i - 1));   // blanks included
        }
        QCOMPARE(texts.last().y, 680);
    }

    void messageLists_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("count");
        QTest::newRow("Erros") << int(RosterPrint::Erros) << 3;
        QTest::newRow("Erros emptied by the ready choice") << int(RosterPrint::Erros) << 0;
        QTest::newRow("Alertas, always empty") << int(RosterPrint::Alertas) << 0;
    }
    void messageLists()
    {
        QFETCH(int, which);
        QFETCH(int, count);
        RecordingPrinter printer;
        PrintRosterList(printer, RosterPrint(which), lines(count));
        const QList<Call> texts = printer.texts();
        QCOMPARE(texts.size(), 1 + count);
        QCOMPARE(texts.first().text, QStringLiteral("Mensagens"));
        QCOMPARE(printer.calls().last().kind, Call::End);
    }

    void longListGoesOnToFurtherPages()
    {
        RecordingPrinter printer(2400, 3150);   // (3150 - 230) / 50: 58 lines a page
        QCOMPARE(PrintRosterList(printer, RosterPrint::Escala, lines(130)), 3);
        int newPages = 0;
        for (const Call& c : printer.calls())
            newPages += c.kind == Call::NewPage;
        QCOMPARE(newPages, 2);
        const QList<Call> texts = printer.texts();
        QCOMPARE(texts.size(), 3 + 130);
        int printed = 0;
        for (int page = 1; page <= 3; ++page) {
            QList<Call> onPage;
            for (const Call& c : texts)
                if (c.page == page)
                    onPage << c;
            QCOMPARE(onPage.first().text, QStringLiteral("Escala de Serviço"));
            QCOMPARE(QPoint(onPage.first().x, onPage.first().y), QPoint(950, 150));
            QCOMPARE(onPage.at(1).y, 230);
            QVERIFY(onPage.last().y + 50 <= 3150);
            QCOMPARE(onPage.at(1).text, QStringLiteral("     linha %1").arg(printed + 1));
            printed += onPage.size() - 1;
        }
        QCOMPARE(printed, 130);
        QCOMPARE(texts.last().y, 230 + (130 - 2 * 58 - 1) * 50);
        // Each page sets its font again, so a device that resets it per page prints alike.
        int fonts = 0;
        for (const Call& c : printer.calls())
            fonts += c.kind == Call::Font;
        QCOMPARE(fonts, 3);
    }

    void lineDeviceStartsANewPageWhenFull()
    {
        RecordingPrinter printer(2400, 500);
        PageLines device(printer, QStringLiteral("Courier New"), 10, 100, 50, 100);   // 4 lines a page
        for (const QString& line : lines(9))
            device.line(line);
        device.end();
        QCOMPARE(device.pages(), 3);
        const QList<Call> texts = printer.texts();
        QCOMPARE(texts.size(), 9);
        QCOMPARE(QPoint(texts.at(3).x, texts.at(3).y), QPoint(50, 400));
        QCOMPARE(texts.at(4).page, 2);
        QCOMPARE(texts.at(4).y, 100);
        QCOMPARE(texts.last().page, 3);
        QCOMPARE(printer.calls().last().kind, Call::End);
    }
};

QTEST_GUILESS_MAIN(TestRosterPrintout)
#include "TestRosterPrintout.moc"
