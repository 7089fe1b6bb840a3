// verificar --explicar: after the listing and its messages, exactly as without the option, the
// decisions for one service and day. Run on the small fixture (rostered up to 29/02/04).
#include "CliRunner.h"

#include <QTest>

class TestCliExplain : public QObject {
    Q_OBJECT
private slots:
    void explanationFollowsTheUnchangedListing()
    {
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult plain = cli(data, {"verificar", "02/03/04", "--retirar", "4:2:01/03/04"});
        QCOMPARE(plain.exit, 0);
        const CliResult explained = cli(data, {"verificar", "02/03/04", "--retirar", "4:2:01/03/04",
                                               "--explicar", "01/03/04:2", "--explicar", "02/03/04:3"});
        QCOMPARE(explained.exit, 0);
        QCOMPARE(explained.err, QString());
        QCOMPARE(explained.out.mid(0, plain.out.size()), plain.out);
        const QStringList explanation = explained.out.mid(plain.out.size());
        // The first rule a soldier fails is his reason: 5's rest is checked before his absence.
        QCOMPARE(explanation.mid(0, 7),
                 QStringList({"== Por que: Adj Of 01/03/04",
                              "Ordem da escala pela contagem de Pt (número e contagem), na ordem em que foi percorrida:",
                              "   5 (0), 6 (0), 4 (1)",
                              "5 - Esteves: não escalado: sem folga de 48 horas, tem serviço em 28/02/04 (dois dias antes)",
                              "6 - Fagundes: não escalado: sem folga de 48 horas, tem serviço em 29/02/04 (um dia antes)",
                              "4 - Dantas: não escalado: retirado desta escala neste dia pelo encarregado",
                              "Próximo da vez: nenhum; não há outro militar disponível nesta escala"}));
        QVERIFY(explanation.contains(QStringLiteral("== Por que: Cb Gda 02/03/04")));
        QVERIFY(explanation.last().startsWith(QStringLiteral("Próximo da vez: ")));
        QCOMPARE(storedState(data), before);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("explain");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("day not listed") << "03/03/04:1" << 1
                                        << "O dia 03/03/04 não está entre os dias desta verificação (01/03/04 a 02/03/04).\n";
        QTest::newRow("code of no service") << "01/03/04:7" << 1 << "O código 7 não é de um serviço cadastrado.\n";
        QTest::newRow("no code") << "01/03/04" << 2 << "--explicar 01/03/04: use DD/MM/AA:COD (o dia e o código do serviço)\n";
        QTest::newRow("code not a number") << "01/03/04:x" << 2
                                           << "--explicar 01/03/04:x: use DD/MM/AA:COD (o dia e o código do serviço)\n";
        QTest::newRow("invalid day") << "31/02/04:1" << 2 << "--explicar 31/02/04:1: 31/02/04 >>> Data inválida\n";
    }
    void refusals()
    {
        QFETCH(QString, explain);
        QFETCH(int, exit);
        QFETCH(QString, message);
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult result = cli(data, {"verificar", "02/03/04", "--explicar", explain});
        QCOMPARE(result.exit, exit);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.startsWith(message), qPrintable(result.err));
        if (exit == 2)
            QVERIFY(result.err.contains(QStringLiteral("--explicar DD/MM/AA:COD")));
        QCOMPARE(storedState(data), before);
    }

    void onlyVerificarExplains()
    {
        FixtureFolder data;
        const CliResult result = cli(data, {"escalar", "02/03/04", "--explicar", "01/03/04:1"});
        QCOMPARE(result.exit, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliExplain)
#include "TestCliExplain.moc"
