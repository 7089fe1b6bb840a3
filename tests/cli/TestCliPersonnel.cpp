// ravelha-cli incluir, excluir and servicos on fresh copies of the small fixture: Of Dia 1 to 3,
// Adj Of 4 to 6, Cb Gda 7 to 12; the history lists every one of them.
#include "CliRunner.h"

#include <QTest>

namespace {

QString soldierRow(FixtureFolder& data, const QString& num)
{
    for (const QString& row : StoredRows(data.module(), QStringLiteral("Basico")))
        if (row.section(QLatin1Char('|'), 0, 0) == num)
            return row;
    return QString();
}

}

class TestCliPersonnel : public QObject {
    Q_OBJECT
private slots:
    void includesWithANameOfSeveralWords()
    {
        FixtureFolder data;
        const CliResult result = cli(data, {"incluir", "50", "3º Sgt", "Ana", "de", "Souza"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, QStringList{"Incluído no Sistema: 50 3º Sgt Ana de Souza"});
        QCOMPARE(soldierRow(data, "50"), QStringLiteral("50|Ana de Souza|3º Sgt||||"));
    }

    void fieldsAsLongAsTheirWidthsAreStoredWhole()
    {
        FixtureFolder data;
        const CliResult result = cli(data, {"incluir", "1234", "Sub Ten", "Ana", "Maria", "Souza"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(soldierRow(data, "1234"), QStringLiteral("1234|Ana Maria Souza|Sub Ten||||"));
    }

    void aNumberStillInTheHistoryNeedsTheFlag()
    {
        FixtureFolder data;
        QVERIFY(cli(data, {"excluir", "8"}).exit == 0);
        const QStringList before = storedState(data);
        const CliResult refused = cli(data, {"incluir", "8", "Cb", "Novo"});
        QCOMPARE(refused.exit, 1);
        QVERIFY2(refused.err.startsWith("Ainda há este Número no Arquivo Histórico. Gravar ?\n"), qPrintable(refused.err));
        QVERIFY2(refused.err.contains("--mesmo-no-historico"), qPrintable(refused.err));
        QCOMPARE(refused.out, QStringList());
        QCOMPARE(storedState(data), before);

        const CliResult done = cli(data, {"incluir", "8", "Cb", "Novo", "--mesmo-no-historico"});
        QCOMPARE(done.err, QString());
        QCOMPARE(done.exit, 0);
        QCOMPARE(soldierRow(data, "8"), QStringLiteral("8|Novo|Cb||||"));
    }

    void excludesFromEveryRosterAndTheRegister()
    {
        FixtureFolder data;
        const QStringList hist = StoredRows(data.module(), "Hist");
        const CliResult result = cli(data, {"excluir", "5"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, QStringList{"Excluído do Sistema e de todas as escalas: 5"});
        QCOMPARE(StoredRows(data.module(), "Sv2"), (QStringList{"4|1|0", "6|0|1"}));
        QCOMPARE(soldierRow(data, "5"), QString());
        QCOMPARE(StoredRows(data.module(), "Hist"), hist);
    }

    void putsASoldierInExactlyTheNamedServices()
    {
        FixtureFolder data;
        CliResult result = cli(data, {"servicos", "7", "3,1"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, (QStringList{"Serviço 1 (Of Dia): Pt 0, Vm 0", "Serviço 3 (Cb Gda): Pt 1, Vm 0"}));
        QCOMPARE(StoredRows(data.module(), "Sv1"), (QStringList{"1|1|0", "2|0|1", "3|0|1", "7|0|0"}));

        result = cli(data, {"servicos", "7", "nenhum"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, QStringList{"O militar 7 não concorre a nenhum serviço."});
        QCOMPARE(StoredRows(data.module(), "Sv1"), (QStringList{"1|1|0", "2|0|1", "3|0|1"}));
        QCOMPARE(StoredRows(data.module(), "Sv3").size(), 5);
        QVERIFY(!soldierRow(data, "7").isEmpty());
    }

    void refusalsAndBadUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("incluir a registered number") << QStringList{"incluir", "3", "Cb", "Outro", "--mesmo-no-historico"}
                                                     << 1 << "Número já existente no Sistema\nNome cadastrado: Cardoso\n";
        QTest::newRow("incluir without a name") << QStringList{"incluir", "50", "Cb"} << 1
                                                << "Campos Nome e Posto devem ser preenchidos";
        QTest::newRow("incluir without a number") << QStringList{"incluir"} << 2 << "Falta o número do militar.";
        // The window's boxes hold 4, 7 and 15 characters; nothing is stored other than typed.
        QTest::newRow("incluir a number of five characters")
            << QStringList{"incluir", "12345", "Sd", "Nome"} << 1
            << "O Número \"12345\" tem 5 caracteres; o Sistema guarda no máximo 4. Nada foi alterado.";
        QTest::newRow("incluir a rank of eight characters")
            << QStringList{"incluir", "50", "Sargento", "Ana"} << 1
            << "O Posto/Graduação \"Sargento\" tem 8 caracteres; o Sistema guarda no máximo 7.";
        QTest::newRow("incluir a name of sixteen characters")
            << QStringList{"incluir", "50", "Sd", "Ana", "Maria", "Souza", "X"} << 1
            << "O Nome \"Ana Maria Souza X\" tem 17 caracteres; o Sistema guarda no máximo 15.";
        QTest::newRow("incluir an unknown flag") << QStringList{"incluir", "50", "Cb", "Ana", "--sim"} << 2
                                                 << "Argumento inesperado: --sim";
        QTest::newRow("excluir an unknown number") << QStringList{"excluir", "99"} << 1 << "Número não encontrado";
        QTest::newRow("excluir without a number") << QStringList{"excluir"} << 2 << "Falta o número do militar.";
        QTest::newRow("servicos an unregistered soldier") << QStringList{"servicos", "99", "1"} << 1
                                                          << "Militar não está cadastrado no Sistema";
        QTest::newRow("servicos code 31") << QStringList{"servicos", "7", "1,31"} << 1 << "Código de serviço inválido: \"31\"";
        QTest::newRow("servicos code 0") << QStringList{"servicos", "7", "0"} << 1 << "Código de serviço inválido: \"0\"";
        QTest::newRow("servicos a word") << QStringList{"servicos", "7", "1,dois"} << 1
                                         << "Código de serviço inválido: \"dois\"";
        QTest::newRow("servicos an empty code") << QStringList{"servicos", "7", "1,,3"} << 1
                                                << "Código de serviço inválido: \"\"";
        QTest::newRow("servicos an unregistered service") << QStringList{"servicos", "7", "1,9"} << 1
                                                          << "Não há serviço cadastrado com o código 9. Nada foi alterado.";
        QTest::newRow("servicos without codes") << QStringList{"servicos", "7"} << 2 << "Faltam os códigos dos serviços";
    }
    void refusalsAndBadUsage()
    {
        QFETCH(QStringList, arguments);
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult result = cli(data, arguments);
        QTEST(result.exit, "exit");
        QFETCH(QString, message);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.out, QStringList());
        QCOMPARE(storedState(data), before);
    }
};

QTEST_MAIN(TestCliPersonnel)
#include "TestCliPersonnel.moc"
