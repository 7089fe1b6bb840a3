// ravelha-cli calendario: the red-day calendar and the preparation period on a fresh copy of the
// small fixture (last rostered day 29/02/04; calendar prepared up to 20/03/04, its weekends and
// 23-24/02/04 red).
#include "CliRunner.h"
#include "data/Dates.h"
#include "rostering/Calendar.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

QStringList calendarFile(const FixtureFolder& data)
{
    return TextFile::readLines(data.file(DataFiles::SemExped));
}

QStringList periodFile(const FixtureFolder& data)
{
    return TextFile::readLines(data.file(DataFiles::DataIniFim));
}

// The tables, Escala.Txt and both calendar files.
QStringList everything(FixtureFolder& data)
{
    return storedState(data) << QStringLiteral("== SemExped") << calendarFile(data)
                             << QStringLiteral("== DataIniFim") << periodFile(data);
}

QDate lastRostered()
{
    return Dates::parse(DataFiles::ReadLastRosteredDay()).value_or(QDate());
}

}

class TestCliCalendar : public QObject {
    Q_OBJECT
private slots:
    void listsTheDaysAsTheWindowDoes()
    {
        FixtureFolder data;
        TextFile::writeLines(data.file(DataFiles::SemExped), {"25/12/04", "07/03/04", "1/1/2004", "08/03/04"});
        const QStringList listed = RedDayCalendar::ListDays();
        QCOMPARE(listed, (QStringList{"01/01/04", "07/03/04", "08/03/04", "25/12/04"}));

        const QStringList before = everything(data);
        const CliResult result = cli(data, {"calendario", "listar"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, listed);
        QCOMPARE(everything(data), before);
    }

    // The command leaves SemExped.Txt as the core leaves it from the same start.
    void includesAndExcludesAsTheCore_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QStringList>("added");     // in the file afterwards and not before
        QTest::addColumn<QStringList>("removed");   // in the file before and not afterwards
        QTest::newRow("include a holiday and an old day") << "incluir" << "09/03/04,,25/12/03"
                                                          << QStringList{"09/03/04"} << QStringList{};
        QTest::newRow("include a listed day again") << "incluir" << "07/03/04"
                                                    << QStringList{} << QStringList{};
        QTest::newRow("exclude two days") << "excluir" << "23/02/04,24/2/2004"
                                          << QStringList{} << QStringList{"23/02/04", "24/02/04"};
    }
    void includesAndExcludesAsTheCore()
    {
        QFETCH(QString, operation);
        QFETCH(QString, days);
        QFETCH(QStringList, added);
        QFETCH(QStringList, removed);
        FixtureFolder data;
        const QStringList original = calendarFile(data);
        const QStringList period = periodFile(data);
        const QStringList cells = days.split(QLatin1Char(','));
        QStringList chosen = cells;
        chosen.removeAll(QString());
        const RedDayCalendar::Outcome core = operation == QStringLiteral("incluir")
            ? RedDayCalendar::IncludeDays(cells, lastRostered())
            : RedDayCalendar::ExcludeDays(chosen, lastRostered());
        QVERIFY(core.done());
        const QStringList expected = calendarFile(data);
        TextFile::writeLines(data.file(DataFiles::SemExped), original);

        const CliResult result = cli(data, {"calendario", operation, days});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, QStringList());
        const QStringList after = calendarFile(data);
        QCOMPARE(after, expected);
        for (const QString& day : added)
            QVERIFY2(after.contains(day) && !original.contains(day), qPrintable(day));
        for (const QString& day : removed)
            QVERIFY2(!after.contains(day) && original.contains(day), qPrintable(day));
        QCOMPARE(periodFile(data), period);
    }

    void aRefusalWritesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("include a bad day among good ones")
            << QStringList{"incluir", "09/03/04,31/02/04"} << Dates::invalidDateMessage("31/02/04");
        QTest::newRow("include nothing") << QStringList{"incluir", ","} << RedDayCalendar::EmptyGridMessage;
        QTest::newRow("exclude a bad day") << QStringList{"excluir", "07/03/04,3x/03/04"}
                                           << Dates::invalidDateMessage("3x/03/04");
        QTest::newRow("exclude a day not listed")
            << QStringList{"excluir", "07/03/04,10/03/04"}
            << QStringLiteral("O dia 10/03/04 não está na Escala Vermelha. Nada foi alterado.");
        QTest::newRow("exclude nothing") << QStringList{"excluir", ","} << RedDayCalendar::NothingChosenMessage;
        QTest::newRow("extend to a bad day") << QStringList{"estender", "32/03/04"}
                                             << Dates::invalidDateMessage("32/03/04");
    }
    void aRefusalWritesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        FixtureFolder data;
        const QStringList before = everything(data);
        const CliResult result = cli(data, QStringList{"calendario"} + arguments);
        QCOMPARE(result.exit, 1);
        QCOMPARE(result.err, message + QLatin1Char('\n'));
        QCOMPARE(result.out, QStringList());
        QCOMPARE(everything(data), before);
    }

    void extendsThePeriodWithItsWeekends()
    {
        FixtureFolder data;
        const QStringList before = calendarFile(data);
        const QStringList extended = before + QStringList{"21/03/04", "27/03/04", "28/03/04", "03/04/04"};
        QCOMPARE(periodFile(data), (QStringList{"01/02/04", "20/03/04"}));

        // 20/03/04, the previous end, is a Saturday already listed: the new span starts the day after.
        CliResult result = cli(data, {"calendario", "estender", "03/04/04"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, QStringList());
        QVERIFY(result.err.contains(QStringLiteral("novo período de 29/02/04 até 03/04/04.")));
        QVERIFY(result.err.contains(QStringLiteral("calendario incluir")));
        QVERIFY(!result.err.contains(QStringLiteral("YES")));
        QCOMPARE(periodFile(data), (QStringList{"29/02/04", "03/04/04"}));
        QCOMPARE(calendarFile(data), extended);

        // Extending again to the same day adds nothing.
        result = cli(data, {"calendario", "estender", "03/04/04"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(calendarFile(data), extended);

        // Days up to 30 days before the last rostered day leave the calendar.
        TextFile::writeLines(data.file(DataFiles::SemExped), QStringList{"25/01/04", "30/01/04", "31/01/04"});
        result = cli(data, {"calendario", "estender", "10/04/04"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(calendarFile(data), (QStringList{"31/01/04", "04/04/04", "10/04/04"}));
    }

    // The commands that write the calendar read the last rostered day as "verificar" does: a bad
    // or missing Escala.Txt is refused with its message before anything is written.
    void aBadLastRosteredDayIsRefusedAsVerificarRefusesIt_data()
    {
        QTest::addColumn<QStringList>("escala");   // {"-"}: no file
        QTest::addColumn<QStringList>("arguments");
        const QList<QPair<const char*, QStringList>> files{
            {"not a date", {"xx/yy/zz"}}, {"empty", {}}, {"missing", {"-"}}};
        const QList<QStringList> operations{
            {"incluir", "09/03/04"}, {"excluir", "07/03/04"}, {"estender", "03/04/04"}};
        for (const auto& [name, escala] : files) {
            for (const QStringList& operation : operations)
                QTest::addRow("%s, %s", name, qPrintable(operation.first())) << escala << operation;
        }
    }
    void aBadLastRosteredDayIsRefusedAsVerificarRefusesIt()
    {
        QFETCH(QStringList, escala);
        QFETCH(QStringList, arguments);
        FixtureFolder data;
        if (escala == QStringList{"-"})
            QVERIFY(QFile::remove(data.file(DataFiles::Escala)));
        else
            TextFile::writeLines(data.file(DataFiles::Escala), escala);
        const QStringList calendar = calendarFile(data);
        const QStringList period = periodFile(data);
        const CliResult verified = cli(data, {"verificar", "09/03/04"});
        QCOMPARE(verified.exit, 1);
        QVERIFY(verified.err.contains(DataFiles::Escala));

        const CliResult result = cli(data, QStringList{"calendario"} + arguments);
        QCOMPARE(result.exit, 1);
        QCOMPARE(result.err, verified.err);
        QCOMPARE(calendarFile(data), calendar);
        QCOMPARE(periodFile(data), period);
    }

    // A period file the program may not write: the extension stands, both files count together
    // (the period from its record in the database until the file can be written), exit 0 with a
    // notice; never the new weekends with the old period.
    void aReadOnlyPeriodFileIsANoticeNotATornCalendar()
    {
        FixtureFolder data;
        const QString periodPath = data.file(DataFiles::DataIniFim);
        QVERIFY(QFile::setPermissions(periodPath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        std::function<void()> asNobody;
        // As root, the program runs as nobody, who may write the folder, the database and the
        // calendar but not DataIniFim.Txt.
        QVERIFY(openToNobodyWhereRoot(data, {DataFiles::SemExped}, {}, asNobody));
        auto run = [&](const QStringList& arguments) {
            return cli(QStringList{"--dados", data.path()} + arguments, plainEnvironment(), QString(), asNobody);
        };
        const QStringList extended = calendarFile(data) + QStringList{"21/03/04", "27/03/04", "28/03/04", "03/04/04"};
        const CliResult extension = run({"calendario", "estender", "03/04/04"});
        if (asNobody && extension.exit == 126)
            QSKIP("run as root, and the user nobody (65534) cannot be taken or cannot start the program from this build folder: a read-only file cannot be met");
        QCOMPARE(extension.exit, 0);
        QVERIFY2(extension.err.contains(QStringLiteral("O arquivo DataIniFim.Txt não pôde ser gravado: o arquivo é "
                                                       "somente leitura.")),
                 qPrintable(extension.err));
        QCOMPARE(calendarFile(data), extended);
        QCOMPARE(periodFile(data), (QStringList{"01/02/04", "20/03/04"}));

        // The next run rosters up to the new end; once the file can be written, it is written.
        const CliResult next = run({"verificar", "03/04/04"});
        QVERIFY2(next.exit == 0, qPrintable(next.err));
        QVERIFY(next.err.startsWith(QStringLiteral("Uma operação anterior gravou as tabelas")));
        QVERIFY(QFile::setPermissions(periodPath, QFile::permissions(periodPath) | QFile::WriteOwner | QFile::WriteOther));
        const CliResult written = cli(data, {"calendario", "listar"});
        QCOMPARE(written.err, QString());
        QCOMPARE(written.out, extended);
        QCOMPARE(periodFile(data), (QStringList{"29/02/04", "03/04/04"}));
    }

    void badUsageWritesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no operation") << QStringList{} << "Falta a operação do calendario";
        QTest::newRow("unknown operation") << QStringList{"apagar", "07/03/04"} << "Operação desconhecida do calendario: apagar";
        QTest::newRow("no days") << QStringList{"incluir"} << "Faltam os dias";
        QTest::newRow("no final day") << QStringList{"estender"} << "Falta o dia final";
        QTest::newRow("two arguments") << QStringList{"excluir", "07/03/04", "08/03/04"} << "Argumento inesperado: 08/03/04";
        QTest::newRow("listar with a day") << QStringList{"listar", "07/03/04"} << "Argumento inesperado: 07/03/04";
    }
    void badUsageWritesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        FixtureFolder data;
        const QStringList before = everything(data);
        const CliResult result = cli(data, QStringList{"calendario"} + arguments);
        QCOMPARE(result.exit, 2);
        QVERIFY2(result.err.startsWith(message), qPrintable(result.err));
        QVERIFY(result.err.contains(QStringLiteral("calendario estender DD/MM/AA")));   // the usage
        QCOMPARE(everything(data), before);
    }
};

QTEST_MAIN(TestCliCalendar)
#include "TestCliCalendar.moc"
