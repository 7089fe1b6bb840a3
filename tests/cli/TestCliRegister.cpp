// ravelha-cli equalizar, zerar and menores on fresh copies of the small fixture: Of Dia 1 to 3,
// Adj Of 4 to 6, Cb Gda 7 to 12; soldier 5 of Adj Of is away (real) from 01/03 to 05/03/04.
#include "CliRunner.h"
#include "data/Clock.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "maintenance/EqualiseZero.h"
#include "maintenance/LowestCounts.h"

#include <QTest>

namespace {

void run(FixtureFolder& data, const QString& statement)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

void raiseAdjOf(FixtureFolder& data)
{
    run(data, "UPDATE Sv2 SET Pt = 5, Vm = 3 WHERE Num = '4'");
    run(data, "UPDATE Sv2 SET Pt = 1, Vm = 1 WHERE Num = '5'");
    run(data, "UPDATE Sv2 SET Pt = 7, Vm = 2 WHERE Num = '6'");
}

}

class TestCliRegister : public QObject {
    Q_OBJECT
private slots:
    void lowestAsTheCoreGivesIt_data()
    {
        QTest::addColumn<QString>("today");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("5 away") << "03/03/04" << QStringList{"Pt 5", "Vm 2"};
        QTest::newRow("5 back") << "06/03/04" << QStringList{"Pt 1", "Vm 1"};
    }
    void lowestAsTheCoreGivesIt()
    {
        QFETCH(QString, today);
        QFETCH(QStringList, expected);
        FixtureFolder data;
        raiseAdjOf(data);
        const QStringList before = storedState(data);
        LoadSoldiers();
        RosterTable roster;
        LoadRoster(roster, QStringLiteral("Sv2.DB"));
        const LowestPair core = LowestCounts(roster, *Dates::parse(today));
        ResetModel();
        QCOMPARE((QStringList{QStringLiteral("Pt %1").arg(core.pt), QStringLiteral("Vm %1").arg(core.vm)}), expected);

        const CliResult result = cli(data, {"--hoje", today, "menores", "2"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, expected);
        QCOMPARE(storedState(data), before);
    }

    void equalisesAndPrintsTheLevels()
    {
        FixtureFolder data;
        raiseAdjOf(data);
        const CliResult result = cli(data, {"--hoje", "03/03/04", "equalizar"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, (QStringList{"Serviço 1 (Of Dia): menos 0 em Pt e 0 em Vm",
                                          "Serviço 2 (Adj Of): menos 5 em Pt e 2 em Vm",
                                          "Serviço 3 (Cb Gda): menos 0 em Pt e 0 em Vm",
                                          "Última equalização: 03/03/04"}));
        QCOMPARE(StoredRows(data.module(), "Sv2"), (QStringList{"4|0|1", "5|0|0", "6|2|0"}));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::UltiEqual)), QStringList{"03/03/04"});
    }

    void zeroesTheNamedServices()
    {
        FixtureFolder data;
        raiseAdjOf(data);
        run(data, "UPDATE Sv1 SET Pt = 3, Vm = 2");
        const QStringList sv1 = StoredRows(data.module(), "Sv1");
        const CliResult result = cli(data, {"zerar", "3,2"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, (QStringList{"Serviço 2 (Adj Of): Pt e Vm zerados", "Serviço 3 (Cb Gda): Pt e Vm zerados"}));
        QCOMPARE(StoredRows(data.module(), "Sv2"), (QStringList{"4|0|0", "5|0|0", "6|0|0"}));
        for (const QString& row : StoredRows(data.module(), "Sv3"))
            QVERIFY2(row.endsWith("|0|0"), qPrintable(row));
        QCOMPARE(StoredRows(data.module(), "Sv1"), sv1);
    }

    void refusalsAndBadUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("zerar a code without a service") << QStringList{"zerar", "2,9"} << 1
                                                        << "Não há serviço cadastrado com o código 9. Nada foi alterado.";
        QTest::newRow("zerar without codes") << QStringList{"zerar"} << 2 << "Faltam os códigos dos serviços";
        QTest::newRow("zerar code 31") << QStringList{"zerar", "2,31"} << 2 << "Código de serviço inválido: \"31\"";
        QTest::newRow("zerar an empty code") << QStringList{"zerar", "2,,3"} << 2 << "Código de serviço inválido: \"\"";
        QTest::newRow("menores without a code") << QStringList{"menores"} << 2 << "Falta o código do serviço.";
        QTest::newRow("menores a word") << QStringList{"menores", "dois"} << 2 << "Código de serviço inválido";
        QTest::newRow("menores a code without a service") << QStringList{"menores", "9"} << 1
                                                          << "Não há serviço cadastrado com o código 9.";
        QTest::newRow("equalizar with an argument") << QStringList{"equalizar", "2"} << 2 << "Argumento inesperado: 2";
    }
    void refusalsAndBadUsage()
    {
        QFETCH(QStringList, arguments);
        FixtureFolder data;
        raiseAdjOf(data);
        const QStringList before = storedState(data);
        const QStringList day = TextFile::readLines(data.file(DataFiles::UltiEqual));
        const CliResult result = cli(data, arguments);
        QTEST(result.exit, "exit");
        QFETCH(QString, message);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.out, QStringList());
        QCOMPARE(storedState(data), before);
        QCOMPARE(TextFile::readLines(data.file(DataFiles::UltiEqual)), day);
    }
};

QTEST_MAIN(TestCliRegister)
#include "TestCliRegister.moc"
