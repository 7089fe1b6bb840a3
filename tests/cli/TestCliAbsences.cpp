// ravelha-cli afastar and retornar on fresh copies of the small fixture: Of Dia 1 to 3, Adj Of 4 to
// 6, Cb Gda 7 to 12; soldier 5 of Adj Of is away (real) from 01/03 to 05/03/04.
#include "CliRunner.h"
#include "maintenance/Absences.h"

#include <QTest>

namespace {

void run(FixtureFolder& data, const QString& statement)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

QString storedAbsence(FixtureFolder& data, const QString& num)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    q.prepare("SELECT PR, Ini, Fim FROM Basico WHERE Num = ?");
    q.addBindValue(num);
    if (!q.exec() || !q.next())
        return QStringLiteral("(sem registro)");
    return QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()}.join('|');
}

void raiseAdjOf(FixtureFolder& data)
{
    run(data, "UPDATE Sv2 SET Pt = 3, Vm = 2 WHERE Num = '4'");
    run(data, "UPDATE Sv2 SET Pt = 0, Vm = 0 WHERE Num = '5'");
    run(data, "UPDATE Sv2 SET Pt = 4, Vm = 1 WHERE Num = '6'");
}

}

class TestCliAbsences : public QObject {
    Q_OBJECT
private slots:
    void recordsAnAbsenceAtOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("word");
        QTest::newRow("real") << "R" << "R" << "Real";
        QTest::newRow("planned, small letter") << "p" << "P" << "Previsto";
    }
    void recordsAnAbsenceAtOnce()
    {
        QFETCH(QString, kind);
        QFETCH(QString, stored);
        QFETCH(QString, word);
        FixtureFolder data;
        const CliResult result = cli(data, {"afastar", "7", kind, "10/03/04", "20/03/2004"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, QStringList{"Militar 7 (Cb Gonçalves): afastamento " + word + " de 10/03/04 a 20/03/04"});
        QCOMPARE(storedAbsence(data, "7"), stored + "|2004-03-10|2004-03-20");
        // A former absence is replaced.
        QCOMPARE(cli(data, {"afastar", "5", "P", "01/04/04", "02/04/04"}).exit, 0);
        QCOMPARE(storedAbsence(data, "5"), QStringLiteral("P|2004-04-01|2004-04-02"));
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("kind X") << QStringList{"afastar", "7", "X", "10/03/04", "20/03/04"} << 2
                                << "Tipo de afastamento inválido: \"X\"";
        QTest::newRow("kind empty") << QStringList{"afastar", "7", "", "10/03/04", "20/03/04"} << 2
                                    << "Tipo de afastamento inválido";
        QTest::newRow("afastar short") << QStringList{"afastar", "7", "R", "10/03/04"} << 2 << "Faltam argumentos";
        QTest::newRow("afastar long") << QStringList{"afastar", "7", "R", "10/03/04", "20/03/04", "x"} << 2
                                      << "Argumento inesperado: x";
        QTest::newRow("start no date") << QStringList{"afastar", "7", "R", "32/03/04", "20/03/04"} << 1
                                       << "32/03/04 >>> Data inválida";
        QTest::newRow("start after end") << QStringList{"afastar", "7", "R", "21/03/04", "20/03/04"} << 1
                                         << AbsenceText::StartAfterEnd;
        QTest::newRow("not registered") << QStringList{"afastar", "99", "R", "10/03/04", "20/03/04"} << 1
                                        << AbsenceText::NotRegistered;
        QTest::newRow("retornar without a number") << QStringList{"retornar"} << 2 << "Falta o número do militar.";
        QTest::newRow("retornar two numbers") << QStringList{"retornar", "5", "6"} << 2 << "Argumento inesperado: 6";
    }
    void refusalsChangeNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, message);
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult result = cli(data, arguments);
        QCOMPARE(result.exit, exit);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.out, QStringList());
        QCOMPARE(storedState(data), before);
    }

    void returnPrintsTheCountsBeforeAndAfter_data()
    {
        QTest::addColumn<QString>("num");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QStringList>("adjOf");
        QTest::newRow("back from a real absence")
            << "5" << QString() << QStringList{"Serviço 2 (Adj Of): Pt de 0 para 3, Vm de 0 para 1"}
            << QStringList{"4|3|2", "5|3|1", "6|4|1"};
        // 5 is away today: 6 alone sets the level. The counts step ran: a notice, exit 0.
        QTest::newRow("not away") << "4" << AbsenceText::WasNotAway + "\n"
                                  << QStringList{"Serviço 2 (Adj Of): Pt de 3 para 4, Vm de 2 para 2"}
                                  << QStringList{"4|4|2", "5|0|0", "6|4|1"};
    }
    void returnPrintsTheCountsBeforeAndAfter()
    {
        QFETCH(QString, num);
        QFETCH(QString, notice);
        QFETCH(QStringList, out);
        QFETCH(QStringList, adjOf);
        FixtureFolder data;
        raiseAdjOf(data);
        const QStringList others = StoredTables(data.module(), {"Sv1", "Sv3", "Hist"});
        const CliResult result = cli(data, {"--hoje", "03/03/04", "retornar", num});
        QCOMPARE(result.err, notice);
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, out);
        QCOMPARE(StoredRows(data.module(), "Sv2"), adjOf);
        QCOMPARE(StoredTables(data.module(), {"Sv1", "Sv3", "Hist"}), others);
        QCOMPARE(storedAbsence(data, "5"), num == "5" ? QStringLiteral("||") : QStringLiteral("R|2004-03-01|2004-03-05"));
    }

    // A number typed wrong is refused before anything is written, even when a roster row holds it.
    void returningANumberNotRegisteredIsRefused()
    {
        FixtureFolder data;
        run(data, "INSERT INTO Sv2 VALUES ('99', 0, 0)");
        const QStringList before = storedState(data);
        const CliResult result = cli(data, {"--hoje", "03/03/04", "retornar", "99"});
        QCOMPARE(result.exit, 1);
        QCOMPARE(result.err, AbsenceText::NotRegistered + "\n");
        QCOMPARE(result.out, QStringList());
        QCOMPARE(storedState(data), before);
    }

    void aRefusedRosterChangesNothing()
    {
        FixtureFolder data;
        run(data, "UPDATE Sv3 SET Vm = 'x1' WHERE Num = '7'");
        const QStringList before = storedState(data);
        const CliResult result = cli(data, {"--hoje", "03/03/04", "retornar", "5"});
        QCOMPARE(result.exit, 1);
        QVERIFY2(result.err.contains("Sv3"), qPrintable(result.err));
        QCOMPARE(storedState(data), before);
    }
};

QTEST_MAIN(TestCliAbsences)
#include "TestCliAbsences.moc"
