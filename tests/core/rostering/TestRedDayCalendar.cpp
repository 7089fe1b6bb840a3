// The red-day calendar and the preparation period: lookup, weekend inclusion, single days.
#include "FileBytes.h"
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "rostering/Calendar.h"

#include <QFile>
#include <QTest>

namespace {

QStringList calendarFile(const FixtureFolder& data)
{
    return TextFile::readLines(data.file(DataFiles::SemExped));
}

// Every day from `first` for `count` days, as dd/mm/yy.
QStringList daysFrom(const QDate& first, int count)
{
    QStringList days;
    for (int i = 0; i < count; ++i)
        days << first.addDays(i).toString(QStringLiteral("dd/MM/yy"));
    return days;
}

}

class TestRedDayCalendar : public QObject {
    Q_OBJECT
private slots:
    void aListedDayIsRedWhateverTheOrder()
    {
        FixtureFolder data;
        TextFile::writeLines(data.file(DataFiles::SemExped), {"25/12/09", "07/03/09", "", "1/1/2009", "08/03/09"});
        LoadRedDays();
        QCOMPARE(Global().RedDays[1], QStringLiteral("01/01/09"));
        QCOMPARE(Global().RedDays[4], QStringLiteral("25/12/09"));
        QVERIFY(Global().RedDays[5].isEmpty());
        QVERIFY(IsRedDay(QDate(2009, 12, 25)));
        QVERIFY(IsRedDay(QDate(2009, 1, 1)));
        QCOMPARE(DayKind(QDate(2009, 3, 8)), QStringLiteral("Vm"));
        QCOMPARE(DayKind(QDate(2009, 3, 9)), QStringLiteral("Pt"));

        TextFile::writeLines(data.file(DataFiles::SemExped), {"07/03/09", "31/02/09"});
        try {
            LoadRedDays();
            QFAIL("a line that is no date was accepted");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("A linha 2 do arquivo SemExped.Txt não tem uma data válida: \"31/02/09\"."));
        }
    }

    void preparationPeriodRefusesALaterTarget()
    {
        FixtureFolder data;   // prepared up to 20/03/04
        QVERIFY(!PreparationRefusal(QDate(2004, 3, 20)));
        QCOMPARE(*PreparationRefusal(QDate(2004, 3, 21)),
                 QStringLiteral("Antes de escalar, você deve alongar a data de preparação do Sistema\n\n"
                                "                       A data atual vai até o dia 20/03/04\n\n"
                                "              Para ampliá-la, use o item 5. da aba /Manutenção/"));
    }

    void weekendsOfTheNewPeriod()
    {
        FixtureFolder data;
        TextFile::writeLines(data.file(DataFiles::DataIniFim), {"01/01/09", "31/01/09"});
        TextFile::writeLines(data.file(DataFiles::SemExped), {"25/12/08", "01/01/09", "02/01/09", "31/01/09"});
        const RedDayCalendar::Outcome done =
            RedDayCalendar::IncludeWeekends(QStringLiteral("10/02/09"), QStringLiteral("31/01/09"), QDate(2009, 1, 31));
        QVERIFY(done.done());
        QCOMPARE(calendarFile(data), QStringList({"02/01/09", "31/01/09", "01/02/09", "07/02/09", "08/02/09"}));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::DataIniFim)), QStringList({"31/01/09", "10/02/09"}));

        // The previous end is now 10/02/09: the same day again adds nothing.
        QVERIFY(RedDayCalendar::IncludeWeekends(QStringLiteral("10/02/09"), QStringLiteral("31/01/09"), QDate(2009, 1, 31)).done());
        QCOMPARE(calendarFile(data).size(), 5);

        // An earlier end shortens the period; the red days after it stay.
        QVERIFY(RedDayCalendar::IncludeWeekends(QStringLiteral("05/02/09"), QStringLiteral("31/01/09"), QDate(2009, 1, 31)).done());
        QCOMPARE(TextFile::readLines(data.file(DataFiles::DataIniFim)).last(), QStringLiteral("05/02/09"));
        QVERIFY(calendarFile(data).contains(QStringLiteral("08/02/09")));
    }

    void weekendInclusionRefusals_data()
    {
        QTest::addColumn<QString>("finalDay");
        QTest::addColumn<QString>("initialDay");
        QTest::addColumn<QString>("message");
        QTest::newRow("final day") << "31/02/09" << "31/01/09" << "31/02/09 >>> Data inválida";
        QTest::newRow("initial day") << "10/02/09" << "ontem" << "ontem >>> Data inválida";
        QTest::newRow("final day before the initial day")
            << "30/01/09" << "31/01/09"
            << "O Dia Final 30/01/09 é anterior ao Dia Inicial 31/01/09: o período de preparação não pode "
               "terminar antes de começar. Nada foi gravado.";
        QTest::newRow("more than the calendar holds")
            << "31/12/13" << "31/01/09"
            << "A Escala Vermelha comporta no máximo 366 dias e ficaria com 514. Nada foi gravado.\n\n"
               "Escolha um período mais curto ou exclua dias antigos do calendário.";
    }
    void weekendInclusionRefusals()
    {
        QFETCH(QString, finalDay);
        QFETCH(QString, initialDay);
        QFETCH(QString, message);
        FixtureFolder data;
        TextFile::writeLines(data.file(DataFiles::DataIniFim), {"01/01/09", "31/01/09"});
        TextFile::writeLines(data.file(DataFiles::SemExped), {"31/01/09"});
        const QByteArray calendar = BytesOf(data.file(DataFiles::SemExped));
        const QByteArray period = BytesOf(data.file(DataFiles::DataIniFim));
        QCOMPARE(RedDayCalendar::IncludeWeekends(finalDay, initialDay, QDate(2009, 1, 31)).message, message);
        QCOMPARE(BytesOf(data.file(DataFiles::SemExped)), calendar);
        QCOMPARE(BytesOf(data.file(DataFiles::DataIniFim)), period);
    }

    void singleDaysInAndOut()
    {
        FixtureFolder data;
        // A calendar of 150 days, beyond the hundred that a list once showed.
        TextFile::writeLines(data.file(DataFiles::SemExped), daysFrom(QDate(2009, 1, 1), 150));
        const QDate initial(2009, 2, 1);   // days before 02/01/09 leave the calendar

        QCOMPARE(RedDayCalendar::IncludeDays({QString(), QString()}, initial).message, RedDayCalendar::EmptyGridMessage);
        QCOMPARE(RedDayCalendar::IncludeDays({"21/06/09", "30/06/09x"}, initial).message,
                 QStringLiteral("30/06/09x >>> Data inválida"));
        QCOMPARE(calendarFile(data).size(), 150);   // the valid row above was not added either

        QVERIFY(RedDayCalendar::IncludeDays({"", "21/06/09", "04/06/09"}, initial).done());
        QStringList days = RedDayCalendar::ListDays();
        QCOMPARE(days.size(), 150 - 1 + 2);
        QCOMPARE(days.first(), QStringLiteral("02/01/09"));
        QCOMPARE(days.at(days.size() - 2), QStringLiteral("04/06/09"));
        QCOMPARE(days.last(), QStringLiteral("21/06/09"));
        QCOMPARE(calendarFile(data), days);

        // A day listed twice goes out entirely; a day after the hundredth can be excluded.
        QVERIFY(RedDayCalendar::IncludeDays({"21/06/09"}, initial).done());
        QCOMPARE(RedDayCalendar::ListDays().count(QStringLiteral("21/06/09")), 2);
        QCOMPARE(RedDayCalendar::ExcludeDays({}, initial).message, RedDayCalendar::NothingChosenMessage);
        QVERIFY(RedDayCalendar::ExcludeDays({"21/06/09", "20/05/09"}, initial).done());
        days = RedDayCalendar::ListDays();
        QVERIFY(!days.contains(QStringLiteral("21/06/09")));
        QVERIFY(!days.contains(QStringLiteral("20/05/09")));
        QVERIFY(days.contains(QStringLiteral("19/05/09")));
        QCOMPARE(days.size(), 149);
        QVERIFY(!IsRedDay(QDate(2009, 5, 20)));   // the calendar in memory follows the file
    }

    void singleDaysBeyondTheCapacityAreRefused()
    {
        FixtureFolder data;
        TextFile::writeLines(data.file(DataFiles::SemExped), daysFrom(QDate(2009, 1, 1), 366));
        const QByteArray calendar = BytesOf(data.file(DataFiles::SemExped));
        QVERIFY(RedDayCalendar::IncludeDays({"01/06/10"}, QDate(2009, 1, 1)).message.startsWith(
            QStringLiteral("A Escala Vermelha comporta no máximo 366 dias e ficaria com 367.")));
        QCOMPARE(BytesOf(data.file(DataFiles::SemExped)), calendar);
    }

    void questionOfSair()
    {
        QCOMPARE(RedDayCalendar::NewPeriodQuestion(QStringLiteral("31/01/09"), QStringLiteral("10/02/09")),
                 QStringLiteral("       Você incluiu um novo período de 31/01/09 até 10/02/09.\n\n"
                                "O Sistema gravou os sábados e domingos, mas os demais dias sem expediente também "
                                "devem ser incluídos. Use a opção __Incluir dia na Escala Vermelha\n\n"
                                "           Incluir agora?   YES       ou          Não Incluir ?   NO"));
    }
};

QTEST_GUILESS_MAIN(TestRedDayCalendar)
#include "TestRedDayCalendar.moc"
