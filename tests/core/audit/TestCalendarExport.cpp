// The history as an iCalendar file, read back by an independent parser (Python's icalendar run
// by the system's Python): the events of a period, of one soldier or all, their identifiers kept
// from one export to the next, and a refusal that writes nothing.
#include "FileBytes.h"
#include "FixtureFolder.h"
#include "audit/CalendarExport.h"
#include "data/CoreError.h"
#include "data/UGlobal.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTest>

namespace {

const QString Accented = QStringLiteral("Aç,Pé;Rã");   // a service name holds 8 characters
const char* const SystemPython = "/usr/bin/python3";

// Of Dia 1 to 3, Adj Of 4 to 6, Cb Gda 7 to 12 in the small fixture.
void addHistory(FixtureFolder& data)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    const QStringList rows = {
        "('2004-03-01', 1, 'Of Dia', '1', 'Pt')",
        "('2004-03-01', 3, 'Cb Gda', '7 8 10', 'Pt')",
        "('2004-03-06', 4, '" + Accented + "', '8 11', 'Vm')",
        "('2004-03-09', 3, 'Cb Gda', '9 18', 'Pt')",
    };
    for (const QString& row : rows)
        QVERIFY2(q.exec("INSERT INTO Hist (Dia, CodSv, Descr, Num, PtVm) VALUES " + row), qPrintable(row));
}

bool pythonReadsCalendars()
{
    return QProcess::execute(QString::fromLatin1(SystemPython), {"-c", "import icalendar"}) == 0;
}

// Each event as "UID|DTSTART|DTEND|SUMMARY|DESCRIPTION" (DTSTART/DTEND as the parser's dates).
QStringList parsed(const QString& file, QString* stamp = nullptr)
{
    const char* script = R"(
import sys, json, icalendar
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
out = {'version': str(cal.get('VERSION')), 'prodid': str(cal.get('PRODID')), 'events': []}
for e in cal.walk('VEVENT'):
    out['events'].append({'uid': str(e.get('UID')), 'start': e.decoded('DTSTART').isoformat(),
        'end': e.decoded('DTEND').isoformat(), 'summary': str(e.get('SUMMARY')),
        'description': str(e.get('DESCRIPTION')), 'stamp': e.decoded('DTSTAMP').isoformat()})
print(json.dumps(out))
)";
    QProcess python;
    python.start(QString::fromLatin1(SystemPython), {"-c", QString::fromLatin1(script), file});
    python.waitForFinished(-1);
    const QByteArray output = python.readAllStandardOutput();
    if (python.exitCode() != 0) {
        qWarning() << python.readAllStandardError();
        return {QStringLiteral("parse failed")};
    }
    const QJsonObject calendar = QJsonDocument::fromJson(output).object();
    if (calendar.value("version").toString() != "2.0" || calendar.value("prodid").toString().isEmpty())
        return {QStringLiteral("no VERSION 2.0 or PRODID")};
    QStringList events;
    for (const QJsonValue& value : calendar.value("events").toArray()) {
        const QJsonObject e = value.toObject();
        events << QStringList{e["uid"].toString(), e["start"].toString(), e["end"].toString(),
                              e["summary"].toString(), e["description"].toString()}
                      .join('|');
        if (stamp)
            *stamp = e["stamp"].toString();
    }
    return events;
}

}

class TestCalendarExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!pythonReadsCalendars())
            QSKIP("/usr/bin/python3 cannot import icalendar (Debian package python3-icalendar)");
    }

    // The services and the kind of days a history search chose narrow the calendar as they narrow
    // the grid.
    void theSearchsServicesAndKindOfDays()
    {
        FixtureFolder data;
        addHistory(data);
        QTemporaryDir dir;
        const QString file = dir.filePath("filtrada.ics");
        QCOMPARE(ExportCalendar({"01/03/04", "09/03/04", {}, {3}, {}}, file), 2);
        QCOMPARE(ExportCalendar({"01/03/04", "09/03/04", {}, {}, "Vm"}, file), 1);
        QCOMPARE(ExportCalendar({"01/03/04", "09/03/04", {}, {1, 4}, "Pt"}, file), 1);
        QCOMPARE(ExportCalendar({"01/03/04", "09/03/04", "8", {3}, "Pt"}, file), 1);
    }

    void everyDutyOfAPeriod()
    {
        FixtureFolder data;
        addHistory(data);
        QTemporaryDir dir;
        const QString file = dir.filePath("escala.ics");
        QCOMPARE(ExportCalendar({"01/03/04", "06/03/04", {}}, file), 3);
        QString stamp;
        const QStringList events = parsed(file, &stamp);
        QCOMPARE(events.size(), 3);
        QCOMPARE(events.at(0), QString("20040301-sv1@ravelha|2004-03-01|2004-03-02|Of Dia|Dia de escala preta (Pt)\n"
                                       "1 - Cap Andrade"));
        QVERIFY2(events.at(1).startsWith("20040301-sv3@ravelha|2004-03-01|2004-03-02|Cb Gda|"), qPrintable(events.at(1)));
        QVERIFY2(events.at(2).startsWith("20040306-sv4@ravelha|2004-03-06|2004-03-07|" + Accented
                                         + "|Dia de escala vermelha (Vm)\n8 - "),
                 qPrintable(events.at(2)));
        QVERIFY2(stamp.endsWith("+00:00"), qPrintable(stamp));   // DTSTAMP in UTC
    }

    void linesAreFoldedCrLfAndUtf8()
    {
        FixtureFolder data;
        addHistory(data);
        // Six soldiers with accented names make a description far longer than one line.
        QSqlQuery q(data.module().database(Alias::Ravelha));
        QVERIFY(q.exec("INSERT INTO Hist (Dia, CodSv, Descr, Num, PtVm) VALUES ('2004-03-10', 3, 'Cb Gda', "
                       "'7 8 9 10 11 12', 'Pt')"));
        const CalendarExport calendar = BuildCalendar({"01/03/04", {}, {}}, QDateTime(QDate(2004, 3, 10), QTime(12, 0), QTimeZone::utc()));
        QCOMPARE(calendar.events, 5);
        QVERIFY(calendar.text.endsWith("\r\n"));
        QVERIFY(calendar.text.contains("DTSTAMP:20040310T120000Z\r\n"));
        QVERIFY(calendar.text.contains("DTSTART;VALUE=DATE:20040310\r\n"));
        QVERIFY(calendar.text.contains("SUMMARY:Aç\\,Pé\\;Rã\r\n"));
        QVERIFY(QString::fromUtf8(calendar.text).toUtf8() == calendar.text);   // valid UTF-8
        const QList<QByteArray> lines = calendar.text.split('\n');
        for (int i = 0; i + 1 < lines.size(); ++i) {
            QVERIFY2(lines.at(i).endsWith('\r'), lines.at(i).constData());
            QVERIFY2(lines.at(i).size() - 1 <= 75, lines.at(i).constData());
        }
        QVERIFY(calendar.text.contains("\r\n "));   // at least one folded line
    }

    void oneSoldierAndStableIdentifiers()
    {
        FixtureFolder data;
        addHistory(data);
        QTemporaryDir dir;
        const QString file = dir.filePath("militar.ics");
        // 8 as a whole number: not in "18" of 09/03.
        QCOMPARE(ExportCalendar({{}, {}, " 8 "}, file), 3);
        const QStringList first = parsed(file);
        QCOMPARE(first.size(), 3);
        QVERIFY(first.at(0).startsWith("20040227-sv3-n8@ravelha|"));
        QVERIFY(first.at(1).startsWith("20040301-sv3-n8@ravelha|"));
        QVERIFY(first.at(2).startsWith("20040306-sv4-n8@ravelha|"));

        QTest::qWait(1100);   // a later DTSTAMP; the events stay the same
        QCOMPARE(ExportCalendar({{}, {}, "8"}, file), 3);
        QCOMPARE(parsed(file), first);

        QCOMPARE(ExportCalendar({"07/03/04", {}, {}}, file), 1);
        QVERIFY(parsed(file).at(0).startsWith("20040309-sv3@ravelha|"));
        QCOMPARE(ExportCalendar({{}, "05/03/04", {}}, file), 11);
        QCOMPARE(ExportCalendar({"01/01/05", {}, {}}, file), 0);
        QCOMPARE(parsed(file), QStringList());
    }

    void badInputWritesNothing_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("no day") << "31/02/04" << "" << "" << "Data Início";
        QTest::newRow("last no day") << "" << "xx" << "" << "Data Fim";
        QTest::newRow("reversed") << "06/03/04" << "01/03/04" << "" << "posterior";
        QTest::newRow("unknown number") << "" << "" << "999" << "999";
        QTest::newRow("two numbers") << "" << "" << "7 8" << "um só número";
    }
    void badInputWritesNothing()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, number);
        QFETCH(QString, message);
        FixtureFolder data;
        addHistory(data);
        QTemporaryDir dir;
        const QString file = dir.filePath("kept.ics");
        {
            QFile existing(file);
            QVERIFY(existing.open(QIODevice::WriteOnly));
            existing.write("antes");
        }
        try {
            ExportCalendar({from, to, number}, file);
            QFAIL("no refusal");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QCOMPARE(BytesOf(file), QByteArray("antes"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.ics"});
    }
};

QTEST_GUILESS_MAIN(TestCalendarExport)
#include "TestCalendarExport.moc"
