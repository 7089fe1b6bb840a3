// Days as the keeper types and reads them.
#include "data/CoreError.h"
#include "data/Dates.h"

#include <QTest>

class TestDates : public QObject {
    Q_OBJECT
private slots:
    void parsesTypedDays_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("expected");   // null: not a date
        QTest::newRow("dd/mm/yy") << "05/03/04" << QDate(2004, 3, 5);
        QTest::newRow("dd/mm/yyyy") << "05/03/2004" << QDate(2004, 3, 5);
        QTest::newRow("one-digit day and month") << "5/3/04" << QDate(2004, 3, 5);
        QTest::newRow("two-digit year is 20yy") << "31/12/99" << QDate(2099, 12, 31);
        QTest::newRow("leap day") << "29/02/04" << QDate(2004, 2, 29);
        QTest::newRow("blanks around") << " 01/03/04 " << QDate(2004, 3, 1);
        QTest::newRow("no leap day") << "29/02/03" << QDate();
        QTest::newRow("month 13") << "01/13/04" << QDate();
        QTest::newRow("day 0") << "00/01/04" << QDate();
        QTest::newRow("three-digit year") << "01/01/004" << QDate();
        QTest::newRow("letters") << "amanhã" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("dashes") << "05-03-04" << QDate();
        // dd/mm/yy holds 2000 to 2099 only: any other year would be written as another day.
        QTest::newRow("year 0004") << "05/03/0004" << QDate();
        QTest::newRow("year 1904") << "05/03/1904" << QDate();
        QTest::newRow("year 0001") << "01/01/0001" << QDate();
        QTest::newRow("year 1999") << "31/12/1999" << QDate();
        QTest::newRow("year 2100") << "01/01/2100" << QDate();
        QTest::newRow("year 2101") << "02/01/2101" << QDate();
        QTest::newRow("first writable day") << "01/01/2000" << QDate(2000, 1, 1);
        QTest::newRow("last writable day") << "31/12/2099" << QDate(2099, 12, 31);
    }
    void parsesTypedDays()
    {
        QFETCH(QString, typed);
        QFETCH(QDate, expected);
        const std::optional<QDate> day = Dates::parse(typed);
        QCOMPARE(day.has_value(), expected.isValid());
        if (day)
            QCOMPARE(*day, expected);
    }

    void showsTwoDigitsEach()
    {
        QCOMPARE(Dates::show(QDate(2004, 3, 5)), QStringLiteral("05/03/04"));
        QCOMPARE(Dates::show(QDate()), QString());
    }

    void answersATextThatIsNoDate()
    {
        try {
            Dates::parseOrThrow(QStringLiteral("32/01/04"));
            QFAIL("no error");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("32/01/04 >>> Data inválida"));
        }
        QCOMPARE(Dates::parseOrThrow(QStringLiteral("1/3/2004")), QDate(2004, 3, 1));
    }

    void storageFormOrdersAsDays()
    {
        QCOMPARE(Dates::toStorage(QDate(2004, 3, 5)), QStringLiteral("2004-03-05"));
        QVERIFY(Dates::toStorage(QDate(2004, 2, 29)) < Dates::toStorage(QDate(2004, 10, 1)));
        QCOMPARE(Dates::fromStorage(QStringLiteral("2004-03-05")), QDate(2004, 3, 5));
    }
};

QTEST_GUILESS_MAIN(TestDates)
#include "TestDates.moc"
