// ravelha-cli tabela on fresh copies of the small fixture: Of Dia 1 to 3, Adj Of 4 to 6, Cb Gda 7
// to 12; soldier 2 away planned from 08/03 to 12/03/04, soldier 5 away real from 01/03 to 05/03/04.
#include "CliRunner.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void run(FixtureFolder& data, const QString& statement)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

QStringList firstColumn(const QStringList& lines)
{
    QStringList values;
    for (const QString& line : lines)
        values << line.section(QStringLiteral(" | "), 0, 0);
    return values;
}

QString stored(FixtureFolder& data, const QString& statement)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    return q.exec(statement) && q.next() ? q.value(0).toString() : QStringLiteral("(none)");
}

}

class TestCliTable : public QObject {
    Q_OBJECT
private slots:
    void listsTheTablesAsTheGridShowsThem()
    {
        FixtureFolder data;
        CliResult result = cli(data, {"tabela", "servicos"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, (QStringList{"CodSv | Descr | Ini | Fim | Quant | Prio | Folga",
                                          "1 | Of Dia | 01/01/04 | 31/12/04 | 1 | 1 | 2",
                                          "2 | Adj Of | 01/01/04 | 31/12/04 | 1 | 2 | 2",
                                          "3 | Cb Gda | 01/01/04 | 31/12/04 | 2 | 3 | 2"}));

        result = cli(data, {"tabela", "escala", "2"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, (QStringList{"Situação da Escada de : Adj Of", "Num | Pt | Vm", "4 | 1 | 0", "5 | 0 | 1",
                                          "6 | 0 | 1"}));

        result = cli(data, {"tabela", "situacao", "2"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out.mid(0, 2),
                 (QStringList{"Situação da Escada de : Adj Of",
                              "Num | PstGrd | Nome do Militar | Pt | Vm | PrevReal | Fora Escala de | Fora Escala ate | "
                              "Ultimos Servicos"}));
        QCOMPARE(result.out.at(3), QStringLiteral("5 | 2º Sgt | Esteves | 0 | 1 | R | 01/03/04 | 05/03/04 | 28/02/04 "));
        QCOMPARE(result.out.size(), 5);
    }

    void printsTheSituationIntoAPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        FixtureFolder data;
        QTemporaryDir here;
        const QString pdf = QDir(here.path()).filePath(QStringLiteral("situacao.pdf"));
        const CliResult result = cli(data, {"tabela", "situacao", "2", "--pdf", pdf});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.err, QString());   // no note of Qt's on the keeper's terminal
        QProcess reader;
        reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished());
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("Adj Of")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("Esteves")), qPrintable(text));
    }

    void theSearchesOfTheSoldiers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("all") << QStringList{} << QStringList{"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"};
        QTest::newRow("name il") << QStringList{"--nome", "il"} << QStringList{"3", "7", "9"};
        QTest::newRow("name with a quote") << QStringList{"--nome", "D'A"} << QStringList{"9"};
        QTest::newRow("number") << QStringList{"--numero", "11"} << QStringList{"11"};
        QTest::newRow("P") << QStringList{"--afastamento", "P"} << QStringList{"2"};
        QTest::newRow("R") << QStringList{"--afastamento", "R"} << QStringList{"5"};
        QTest::newRow("P+R") << QStringList{"--afastamento", "P+R"} << QStringList{"2", "5"};
    }
    void theSearchesOfTheSoldiers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, found);
        FixtureFolder data;
        run(data, "UPDATE Basico SET Nome = 'Silva' WHERE Num = '3'");
        run(data, "UPDATE Basico SET Nome = 'Gil' WHERE Num = '7'");
        run(data, "UPDATE Basico SET Nome = 'D''Avila' WHERE Num = '9'");
        const CliResult result = cli(data, QStringList{"tabela", "militares"} + arguments);
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out.first(), QStringLiteral("Num | Nome | PstGrd | PR | Ini | Fim | USv"));
        QCOMPARE(firstColumn(result.out.mid(1)), found);
    }

    void changesOneValue()
    {
        FixtureFolder data;
        CliResult result = cli(data, {"tabela", "alterar", "escala", "2", "5", "Pt", "7"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, (QStringList{"Num | Pt | Vm", "5 | 7 | 1"}));
        QCOMPARE(StoredRows(data.module(), "Sv2"), (QStringList{"4|1|0", "5|7|1", "6|0|1"}));

        result = cli(data, {"tabela", "alterar", "servicos", "3", "Fim", "30/06/04"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out.last(), QStringLiteral("3 | Cb Gda | 01/01/04 | 30/06/04 | 2 | 3 | 2"));
        QCOMPARE(stored(data, "SELECT Fim FROM Sv WHERE CodSv = 3"), QStringLiteral("2004-06-30"));

        // A new number: the row is shown under it.
        result = cli(data, {"tabela", "alterar", "militares", "12", "Num", "13"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out.last(), QStringLiteral("13 | Magalhães | Cb |  |  |  | 29/02/04 "));
    }

    // Like closing the window: ranks go to their model spelling; one not recognised stays and is told.
    void changingTheSoldiersBringsTheRanksToTheirModels()
    {
        FixtureFolder data;
        run(data, "UPDATE Basico SET PstGrd = 'Sgto' WHERE Num = '8'");
        const CliResult result = cli(data, {"tabela", "alterar", "militares", "3", "PstGrd", "1 Ten"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.err, QStringLiteral("Posto ou graduação não reconhecido, mantido como digitado: Sgto\n"));
        QCOMPARE(result.out.last(), QStringLiteral("3 | Cardoso | 1º Ten |  |  |  | 29/02/04 "));
        QCOMPARE(stored(data, "SELECT PstGrd FROM Basico WHERE Num = '3'"), QStringLiteral("1º Ten"));
        QCOMPARE(stored(data, "SELECT PstGrd FROM Basico WHERE Num = '8'"), QStringLiteral("Sgto"));
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("a day that is no day")
            << QStringList{"alterar", "militares", "3", "Ini", "31/02/04"} << 1
            << "A tabela Basico, no militar 3, tem na coluna Ini o valor \"31/02/04\", que não é um dia válido. "
               "Nada foi alterado.";
        QTest::newRow("a count that is no number")
            << QStringList{"alterar", "escala", "2", "4", "Vm", "dois"} << 1 << "que não é um número inteiro";
        QTest::newRow("a number already there")
            << QStringList{"alterar", "militares", "3", "Num", "4"} << 1 << "que já é o número de outro militar";
        QTest::newRow("no such soldier") << QStringList{"alterar", "escala", "2", "9", "Pt", "1"} << 1
                                         << "A tabela Sv2 não tem o militar 9. Nada foi alterado.";
        QTest::newRow("no such column") << QStringList{"alterar", "militares", "3", "Posto", "Cb"} << 1
                                        << "não tem a coluna Posto";
        QTest::newRow("an unregistered service") << QStringList{"escala", "7"} << 1
                                                 << "Não há serviço cadastrado com o código 7.";
        QTest::newRow("a code that is no code") << QStringList{"situacao", "x"} << 2 << "Código de serviço inválido";
        QTest::newRow("a kind of absence") << QStringList{"militares", "--afastamento", "X"} << 2
                                           << "--afastamento: use P, R ou P+R.";
        QTest::newRow("a missing value") << QStringList{"alterar", "militares", "3", "Nome"} << 2
                                         << "Faltam a chave, a coluna e o valor.";
        QTest::newRow("an unknown table") << QStringList{"alterar", "historico", "3", "Num", "1"} << 2
                                          << "Tabela desconhecida";
    }
    void refusalsChangeNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, message);
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult result = cli(data, QStringList{"tabela"} + arguments);
        QCOMPARE(result.exit, exit);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(storedState(data), before);
    }
};

QTEST_GUILESS_MAIN(TestCliTable)
#include "TestCliTable.moc"
