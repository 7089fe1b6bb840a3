// ravelha-cli candidatos and trocar: the lines the tab "Trocas Sv" shows, from the same core, on
// fresh copies of the small fixture and of the initial data set (rostered up to 01/03/04).
#include "CliRunner.h"
#include "data/UGlobal.h"
#include "manual/Swap.h"
#include "manual/SwapCandidates.h"

#include <QTest>

Q_DECLARE_METATYPE(SwapChoice)

namespace {

// What the window's search shows: the candidates, then the messages it adds, if any.
QStringList candidateLines(const QString& day, int code)
{
    const CandidateList list = ListCandidates(day, code);
    QStringList lines = list.candidates;
    if (!list.alerts.isEmpty())
        lines << QStringLiteral("== Mensagens") << list.alerts;
    return lines;
}

const QString Usage = QStringLiteral("uso: ravelha-cli");

}

class TestCliSwap : public QObject {
    Q_OBJECT
private slots:
    void candidatosPrintsWhatTheWindowLists_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("day");
        QTest::addColumn<int>("code");
        // Soldier 2 is planned to be away from 08/03 to 12/03/04: his line and an alert.
        QTest::newRow("with a planned absence") << "pequena" << "09/03/04" << 1;
        QTest::newRow("initial data, Sd Gda") << "inicial" << "02/03/04" << 4;
    }
    void candidatosPrintsWhatTheWindowLists()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, day);
        QFETCH(int, code);
        FixtureFolder data(fixture);
        const QStringList window = candidateLines(day, code);
        QVERIFY(window.size() >= 3);
        const CliResult result = cli(data, {QStringLiteral("candidatos"), day, QString::number(code)});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, window);
    }

    void trocarPrintsTheQuestionsLinesAndWrites_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<SwapChoice>("choice");
        QTest::addColumn<QString>("newList");
        // Cb Gda on 01/03/04 is 20 27 29.
        QTest::newRow("B by default") << QStringList{"27", "21", "01/03/04", "3"} << SwapChoice::B << "20 21 29 ";
        QTest::newRow("A e B") << QStringList{"29", "22", "01/03/04", "3", "--a-e-b"} << SwapChoice::AandB
                               << "20 27 29 22 ";
        QTest::newRow("nobody leaves") << QStringList{"0", "23", "01/03/04", "3"} << SwapChoice::B << "20 27 29 23 ";
    }
    void trocarPrintsTheQuestionsLinesAndWrites()
    {
        QFETCH(QStringList, arguments);
        QFETCH(SwapChoice, choice);
        FixtureFolder data(QStringLiteral("inicial"));
        const QStringList before = storedState(data);
        const SwapPlan plan = PlanSwap(SwapRequest{arguments.at(0), arguments.at(1), arguments.at(2),
                                                   arguments.at(3).toInt(), choice});
        QCOMPARE(plan.refusal, QString());
        QVERIFY(plan.summary.size() >= 5);

        const CliResult result = cli(data, QStringList{QStringLiteral("trocar")} + arguments);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, plan.summary);
        const QStringList after = storedState(data);
        QVERIFY(after != before);
        QFETCH(QString, newList);
        QVERIFY2(after.contains(QStringLiteral("2004-03-01|3|Cb Gda|%1|Pt").arg(newList)),
                 qPrintable(after.filter(QStringLiteral("2004-03-01|3|")).join(QLatin1Char('\n'))));

        // The same command again: A is no longer on the duty (or B already is), so nothing changes.
        const CliResult again = cli(data, QStringList{QStringLiteral("trocar")} + arguments);
        QCOMPARE(again.exit, 1);
        QVERIFY(again.out.isEmpty());
        QVERIFY(again.err.contains(QStringLiteral("nada foi alterado")));
        QCOMPARE(storedState(data), after);
    }

    void refusalsAndBadUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("err");   // the whole of standard error, or its start when it ends in the usage
        QTest::newRow("invalid day") << QStringList{"candidatos", "32/03/04", "3"} << 1 << "32/03/04 >>> Data inválida\n";
        QTest::newRow("code of no service")
            << QStringList{"candidatos", "02/03/04", "9"} << 1
            << "O código 9 não é de um serviço cadastrado; escolha um serviço da lista.\n";
        QTest::newRow("both 0") << QStringList{"trocar", "0", "0", "01/03/04", "3"} << 1
                                << "A e B não podem ser os dois 0: diga quem sai do serviço, quem entra, ou os dois.\n";
        QTest::newRow("no record") << QStringList{"trocar", "27", "21", "02/03/04", "3"} << 1
                                   << "Não há registro do serviço de Cb Gda do dia 02/03/04 no histórico; nada foi "
                                      "alterado.\n";
        QTest::newRow("B not registered") << QStringList{"trocar", "27", "999", "01/03/04", "3"} << 1
                                          << "Não há militar de número 999 no Sistema; nada foi alterado.\n";
        QTest::newRow("candidatos without a code") << QStringList{"candidatos", "02/03/04"} << 2
                                                   << "candidatos precisa do dia e do código do serviço";
        QTest::newRow("a code that is no number") << QStringList{"candidatos", "02/03/04", "Cb"} << 2
                                                  << "O código do serviço deve ser um número: Cb\n" + Usage;
        QTest::newRow("trocar without a code") << QStringList{"trocar", "27", "21", "01/03/04"} << 2
                                               << "trocar precisa de quem sai, quem entra";
        QTest::newRow("unknown option") << QStringList{"trocar", "27", "21", "01/03/04", "3", "--os-dois"} << 2
                                        << "Argumento inesperado: --os-dois\n" + Usage;
    }
    void refusalsAndBadUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, err);
        FixtureFolder data(QStringLiteral("inicial"));
        const QStringList before = storedState(data);
        const CliResult result = cli(data, arguments);
        QCOMPARE(result.exit, exit);
        QVERIFY(result.out.isEmpty());
        if (exit == 2) {
            QVERIFY2(result.err.startsWith(err), qPrintable(result.err));
            QVERIFY(result.err.contains(QStringLiteral("candidatos DD/MM/AA COD\n")));
            QVERIFY(result.err.contains(QStringLiteral("trocar A B DD/MM/AA COD [--a-e-b]\n")));
        } else {
            QCOMPARE(result.err, err);
        }
        QCOMPARE(storedState(data), before);
    }
};

QTEST_GUILESS_MAIN(TestCliSwap)
#include "TestCliSwap.moc"
