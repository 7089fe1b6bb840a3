// ravelha-cli servico on fresh copies of the small fixture: Of Dia (1), Adj Of (2) and Cb Gda (3),
// each with history rows and members.
#include "CliRunner.h"

#include <QTest>

namespace {

const QString Retirement = QStringLiteral(
    "O serviço não poderá ser excluído enquanto houver registros no Arquivo Histórico \n"
    "Assim,o programa apenas irá alterar as datas Início e Fim do Serviço para 01/01/00.\n"
    "Quando não houver mais registros do serviço em Histórico, processe novamente a exclusão");

}

class TestCliServiceRegister : public QObject {
    Q_OBJECT
private slots:
    void listsBothColumnsAndTheFreeCodes()
    {
        FixtureFolder data;
        const CliResult result = cli(data, {"servico", "listar"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out.size(), 17);
        QCOMPARE(result.out.first(), QStringLiteral("Relação dos Serviços"));
        QCOMPARE(result.out.at(1), QStringLiteral("1 - Of Dia      16 - "));
        QCOMPARE(result.out.at(3), QStringLiteral("3 - Cb Gda      18 - "));
        QCOMPARE(result.out.at(4), QStringLiteral("4 -             19 - "));
        QCOMPARE(result.out.at(15), QStringLiteral("15 -            30 - "));
        QCOMPARE(result.out.last(), QStringLiteral("Códigos livres:  4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 "
                                                   "22 23 24 25 26 27 28 29 30 "));
    }

    void includesWithDefaultsAndChangesOnlyWhatIsNamed()
    {
        FixtureFolder data;
        CliResult result = cli(data, {"servico", "incluir", "5", "Guarda Q", "2"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out,
                 QStringList{"Serviço 5 (Guarda Q): quantidade 2, prioridade 10, de 01/01/00 a 01/01/50"});
        QCOMPARE(StoredRows(data.module(), "Sv").last(), QStringLiteral("5|Guarda Q|2000-01-01|2050-01-01|2|10|"));

        result = cli(data, {"servico", "alterar", "5", "--quantidade", "30", "--fim", "31/12/04"});
        QCOMPARE(result.exit, 0);
        // More than 24 a day is warned about, not refused.
        QVERIFY(result.err.startsWith(QStringLiteral("  É possível escalar mais de 24 militares por dia")));
        QCOMPARE(StoredRows(data.module(), "Sv").last(), QStringLiteral("5|Guarda Q|2000-01-01|2004-12-31|30|10|"));

        result = cli(data, {"servico", "incluir", "6", "Ronda", "1", "--prioridade", "4", "--inicio", "01/03/04"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(StoredRows(data.module(), "Sv").last(), QStringLiteral("6|Ronda|2004-03-01|2050-01-01|1|4|"));
    }

    void removingARosterWithMembersNeedsTheFlag()
    {
        FixtureFolder data;
        const QStringList before = storedState(data);
        CliResult result = cli(data, {"servico", "excluir", "3"});
        QCOMPARE(result.exit, 1);
        QVERIFY(result.err.contains(QStringLiteral("A escala do serviço 3 (Cb Gda) tem 6 militares.")));
        QVERIFY(result.err.contains(QStringLiteral("--apagar-escala")));
        QCOMPARE(storedState(data), before);

        // The history lists Cb Gda: it is retired, and its roster is emptied.
        result = cli(data, {"servico", "excluir", "3", "--apagar-escala"});
        QCOMPARE(result.exit, 0);
        QVERIFY(result.err.contains(Retirement));
        QCOMPARE(StoredRows(data.module(), "Sv").at(2), QStringLiteral("3|Cb Gda|2000-01-01|2000-01-01|2|10|"));
        QCOMPARE(StoredRows(data.module(), "Sv3"), QStringList());
    }

    void removingAServiceWithoutHistoryFreesItsCode()
    {
        FixtureFolder data;
        QCOMPARE(cli(data, {"servico", "incluir", "7", "Rancho", "1"}).exit, 0);
        const CliResult result = cli(data, {"servico", "excluir", "7"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(StoredRows(data.module(), "Sv").size(), 3);
        QVERIFY(cli(data, {"servico", "listar"}).out.last().contains(QStringLiteral(" 6 7 8 ")));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("code in use") << QStringList{"incluir", "3", "X", "1"} << 1 << "Código já existente";
        QTest::newRow("code 31") << QStringList{"incluir", "31", "X", "1"} << 1
                                 << "Código \"31\" inválido: informe um número de 1 a 30.";
        QTest::newRow("quantity not a number") << QStringList{"incluir", "5", "X", "dois"} << 1
                                               << "Quantidade \"dois\" inválida";
        QTest::newRow("not a day") << QStringList{"incluir", "5", "X", "1", "--inicio", "32/01/04"} << 1
                                   << "32/01/04 >>> Data inválida";
        QTest::newRow("negative priority") << QStringList{"alterar", "2", "--prioridade", "-1"} << 1
                                           << "Prioridade \"-1\" inválida";
        QTest::newRow("change a free code") << QStringList{"alterar", "9", "--quantidade", "2"} << 1
                                            << "Código inexistente";
        QTest::newRow("remove a code that is no number") << QStringList{"excluir", "abc"} << 1
                                                         << "Código \"abc\" inválido";
        // The register keeps 8 characters of a description; the window's box holds no more.
        QTest::newRow("a description of nine characters")
            << QStringList{"incluir", "5", "Sentinela", "1"} << 1
            << "A Descrição \"Sentinela\" tem 9 caracteres; o Sistema guarda no máximo 8. Nada foi alterado.";
        QTest::newRow("a changed description of nine characters")
            << QStringList{"alterar", "2", "--descricao", "Adjunto O"} << 1
            << "A Descrição \"Adjunto O\" tem 9 caracteres";
        QTest::newRow("missing quantity") << QStringList{"incluir", "5", "X"} << 2 << "Faltam o código";
        QTest::newRow("unknown option") << QStringList{"alterar", "2", "--cor", "azul"} << 2
                                        << "Argumento inesperado: --cor";
        QTest::newRow("no operation") << QStringList{} << 2 << "Falta a operação";
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, message);
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult result = cli(data, QStringList{"servico"} + arguments);
        QCOMPARE(result.exit, exit);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.out, QStringList());
        QCOMPARE(storedState(data), before);
    }
};

QTEST_MAIN(TestCliServiceRegister)
#include "TestCliServiceRegister.moc"
