// The data module: key orders, the number patterns and the statements of the program.
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <functional>

namespace {
QStringList column(QSqlQuery query, const QString& name)
{
    QStringList values;
    while (query.next())
        values << query.value(name).toString();
    return values;
}

void addHistory(TDMGeral& module, const QList<QStringList>& rows)
{
    QSqlQuery q(module.database(Alias::Ravelha));
    for (const QStringList& r : rows) {
        q.prepare(QStringLiteral("INSERT INTO Hist VALUES (?, ?, 'X', ?, ?)"));
        q.addBindValue(r[0]);
        q.addBindValue(r[1].toInt());
        q.addBindValue(r[2]);
        q.addBindValue(r[3]);
        QVERIFY(q.exec());
    }
}
}

class TestDMGeral : public QObject {
    Q_OBJECT
private slots:
    void numberKeysOrderAsText()
    {
        FixtureFolder data;
        QCOMPARE(column(data.module().openTable(Alias::Ravelha, QStringLiteral("Sv3.DB"), 500), QStringLiteral("Num")),
                 QStringList({"10", "11", "12", "7", "8", "9"}));
        QCOMPARE(column(data.module().selectAllBasico(), QStringLiteral("Num")).mid(0, 5),
                 QStringList({"1", "10", "11", "12", "2"}));
    }

    void numberPatternsFindASoldierAnywhereInTheList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("found");
        QTest::newRow("alone") << "12" << true;
        QTest::newRow("first") << "12 7" << true;
        QTest::newRow("last") << "7 12" << true;
        QTest::newRow("middle") << "3 12 7" << true;
        QTest::newRow("last with a trailing blank") << "3 12 " << true;
        QTest::newRow("inside a longer number") << "112 7" << false;
        QTest::newRow("prefix of a number") << "120 7" << false;
        QTest::newRow("suffix of a number") << "3 512" << false;
    }
    void numberPatternsFindASoldierAnywhereInTheList()
    {
        QFETCH(QString, list);
        QFETCH(bool, found);
        FixtureFolder data;
        data.module().emptyTablesForReset();
        addHistory(data.module(), {{"2004-03-05", "1", list, "Pt"}});
        QCOMPARE(column(data.module().selectHistWithSoldier(QStringLiteral("12")), QStringLiteral("Num")).size(),
                 found ? 1 : 0);
    }

    void typedTextIsNeverSql()
    {
        FixtureFolder data;
        const QStringList attempts{"1' OR '1'='1", "%", "_", "1\" ) or (Num like \"%"};
        for (const QString& typed : attempts) {
            QCOMPARE(column(data.module().selectHistWithSoldier(typed), QStringLiteral("Num")), QStringList());
            QCOMPARE(column(data.module().selectBasicoByNum(typed), QStringLiteral("Num")), QStringList());
        }
        QCOMPARE(column(data.module().selectBasicoByName(QStringLiteral("%")), QStringLiteral("Num")), QStringList());
        QCOMPARE(column(data.module().selectBasicoByName(QStringLiteral("nçal")), QStringLiteral("Nome")),
                 QStringList{QStringLiteral("Gonçalves")});
    }

    void personnelByAbsence()
    {
        FixtureFolder data;
        QCOMPARE(column(data.module().selectBasicoWithAbsence(), QStringLiteral("Num")), QStringList({"2", "5"}));
        QCOMPARE(column(data.module().selectBasicoByAbsenceKind(QStringLiteral("R")), QStringLiteral("Num")),
                 QStringList{"5"});
        QCOMPARE(column(data.module().selectBasicoByNum(QStringLiteral("10")), QStringLiteral("Nome")),
                 QStringList{"Jardim"});
    }

    void historySearchJoinsItsConditions_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("soldier");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("found");   // the Num lists, in day and code order
        QTest::newRow("no condition") << QDate() << QDate() << QList<int>() << "" << ""
                                      << QStringList({"1", "4", "7 8", "2", "5", "9 10", "3", "6", "11 12"});
        QTest::newRow("days") << QDate(2004, 2, 28) << QDate(2004, 2, 28) << QList<int>() << "" << ""
                              << QStringList({"2", "5", "9 10"});
        QTest::newRow("services") << QDate() << QDate() << QList<int>{1, 3} << "" << ""
                                  << QStringList({"1", "7 8", "2", "9 10", "3", "11 12"});
        QTest::newRow("soldier") << QDate() << QDate() << QList<int>() << "10" << "" << QStringList({"9 10"});
        QTest::newRow("red days of service 3") << QDate(2004, 2, 1) << QDate(2004, 2, 29) << QList<int>{3} << ""
                                               << "Vm" << QStringList({"9 10", "11 12"});
    }
    void historySearchJoinsItsConditions()
    {
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QList<int>, codes);
        QFETCH(QString, soldier);
        QFETCH(QString, kind);
        QFETCH(QStringList, found);
        FixtureFolder data;
        QCOMPARE(column(data.module().searchHist({from, to, codes, soldier, kind}), QStringLiteral("Num")), found);
    }

    void historyDeletesFromAndBeforeADay()
    {
        FixtureFolder data;
        QCOMPARE(column(data.module().selectHistFrom(QDate(2004, 2, 29)), QStringLiteral("Num")),
                 QStringList({"3", "6", "11 12"}));
        QCOMPARE(data.module().deleteHistBefore(QDate(2004, 2, 28)), 3);
        QCOMPARE(data.module().deleteHistBefore(QDate(2004, 1, 1)), 0);
        QCOMPARE(data.module().deleteHistFrom(QDate(2004, 2, 29)), 3);
        QCOMPARE(column(data.module().selectAllHist(), QStringLiteral("Dia")),
                 QStringList({"2004-02-28", "2004-02-28", "2004-02-28"}));
    }

    void rosterStatements()
    {
        FixtureFolder data;
        data.module().zeroRosterCounts(3);
        QSqlQuery roster = data.module().selectRosterWithPersonnel(QStringLiteral("Sv3.DB"));
        QVERIFY(roster.next());
        QCOMPARE(roster.value("Num").toString(), QStringLiteral("10"));
        QCOMPARE(roster.value("Nome do Militar").toString(), QStringLiteral("Jardim"));
        QCOMPARE(roster.value("Ultimos Servicos").toString(), QStringLiteral("28/02/04 "));
        QCOMPARE(roster.value("Pt").toInt() + roster.value("Vm").toInt(), 0);

        data.module().insertRosterRow(4, QStringLiteral("7"), 3, 2);
        QSqlQuery sv4 = data.module().openTable(Alias::Ravelha, QStringLiteral("Sv4.DB"), 500);
        QVERIFY(sv4.next());
        QCOMPARE(sv4.value(0).toString() + sv4.value(1).toString() + sv4.value(2).toString(), QStringLiteral("732"));
        QVERIFY_THROWS_EXCEPTION(CoreError, data.module().insertRosterRow(4, QStringLiteral("7"), 0, 0));
    }

    void resetEmptiesTheWorkingTables()
    {
        FixtureFolder data;
        data.module().emptyTablesForReset();
        for (const char* table : {"Sv", "Sv1", "Sv3", "Hist", "Basico"})
            QVERIFY(!data.module().openTable(Alias::Ravelha, QLatin1String(table), 1000).next());
        QVERIFY(data.module().openTable(Alias::Ravelha, QStringLiteral("RavBasico"), 1000).next());
    }

    void unknownTablesAndMissingDatabasesAreRefused()
    {
        FixtureFolder data;
        QVERIFY_THROWS_EXCEPTION(CoreError, data.module().openTable(Alias::Ravelha, QStringLiteral("Sv31.DB"), 500));
        QVERIFY_THROWS_EXCEPTION(CoreError, data.module().openTable(Alias::Ravelha, QStringLiteral("Hist; drop"), 5));
        try {
            data.module().database(Alias::BackUpRavSv);
            QFAIL("no error");
        } catch (const CoreError& e) {
            QVERIFY(e.message().startsWith(QStringLiteral("O banco de dados Ravelha.db não foi encontrado")));
        }
    }

    void tablesOverCapacityAreRefused()
    {
        FixtureFolder data;
        try {
            data.module().openTable(Alias::Ravelha, QStringLiteral("Basico"), 11);
            QFAIL("no error");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("A tabela Basico tem 12 registros e o sistema comporta no máximo 11. "
                                                 "Nada foi carregado nem alterado."));
        }
    }

    // The engine reads the file at the first statement; a file that is no database of the program is
    // named as such, and stays refused at every later use.
    void aFileThatIsNoDatabaseIsNamed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("text") << QByteArray("Escala\r\n") << "O arquivo Ravelha.db da pasta \"%1\" não é um banco de dados "
                                                             "válido.\nResposta do banco de dados: file is not a database";
        QTest::newRow("empty") << QByteArray() << "O arquivo Ravelha.db da pasta \"%1\" não é um banco de dados do Sistema: "
                                                 "não tem as tabelas Basico, Sv, Sv1 a Sv30 e Hist.";
    }
    void aFileThatIsNoDatabaseIsNamed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        FixtureFolder data;
        QFile file(data.file(QStringLiteral("Ravelha.db")));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        for (int attempt = 0; attempt < 2; ++attempt) {
            try {
                data.module().database(Alias::Ravelha);
                QFAIL("the file was taken for a database");
            } catch (const CoreError& e) {
                QVERIFY2(e.message().startsWith(message.arg(QDir::toNativeSeparators(data.path()))), qPrintable(e.message()));
            }
        }
    }

    // A full disk, met for real: the database may not grow past its pages.
    void aFullDiskIsNamedAndTheTableStaysWhole()
    {
        FixtureFolder data;
        QSqlQuery pragma(data.module().database(Alias::Ravelha));
        QVERIFY(pragma.exec(QStringLiteral("PRAGMA page_count")) && pragma.next());
        QVERIFY(pragma.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pragma.value(0).toInt())));
        LoadHistory();
        for (int i = 10; i <= 3000; ++i)
            Global().HistoryCache[i] = {QDate(2004, 3, 1).addDays(i / 30), 1 + i % 30, QStringLiteral("Guarda"),
                                        QStringLiteral("1000 ").repeated(20), QStringLiteral("Pt")};
        try {
            SaveHistory();
            QFAIL("the history was written past the end of the disk");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("O banco de dados Ravelha.db da pasta \"%1\" não pôde ser gravado "
                                                           "(tabela Hist): o disco está cheio.\nResposta do banco de dados: ")
                                                .arg(QDir::toNativeSeparators(data.path()))),
                     qPrintable(e.message()));
        }
        QCOMPARE(column(data.module().selectAllHist(), QStringLiteral("Dia")).size(), 9);
    }

    // Errors a keeper can meet, by the engine's code, in Portuguese with the engine's text after them.
    void engineErrorsByTheirCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("phrase");
        QTest::newRow("busy") << "5" << "O banco de dados Ravelha.db da pasta \"/u/Dados\" está bloqueado por outro programa "
                                        "(tabela Sv3); feche-o e tente de novo.";
        QTest::newRow("locked") << "6" << "está bloqueado por outro programa";
        QTest::newRow("read-only") << "8" << "O banco de dados Ravelha.db da pasta \"/u/Dados\" não pôde ser gravado "
                                            "(tabela Sv3): o arquivo é somente leitura.";
        QTest::newRow("read-only, extended code") << "1032" << "o arquivo é somente leitura.";
        QTest::newRow("full") << "13" << "não pôde ser gravado (tabela Sv3): o disco está cheio.";
        QTest::newRow("disk error") << "10" << "não pôde ser lido ou gravado (tabela Sv3): erro de disco.";
        QTest::newRow("damaged") << "11" << "O arquivo Ravelha.db da pasta \"/u/Dados\" está danificado (tabela Sv3): "
                                           "não é um banco de dados válido.";
        QTest::newRow("cannot open") << "14" << "O arquivo Ravelha.db da pasta \"/u/Dados\" não pôde ser aberto (tabela Sv3).";
        QTest::newRow("not a database") << "26" << "não é um banco de dados válido (tabela Sv3).";
        QTest::newRow("repeated key") << "19" << "Erro no banco de dados Ravelha.db da pasta \"/u/Dados\" (tabela Sv3).";
        QTest::newRow("no code") << "" << "Erro no banco de dados Ravelha.db";
    }
    void engineErrorsByTheirCode()
    {
        QFETCH(QString, code);
        QFETCH(QString, phrase);
        const QSqlError error(QStringLiteral("Unable to fetch row"), QStringLiteral("o motor disse isto"),
                              QSqlError::StatementError, code);
        const QString message = EngineErrorMessage(QStringLiteral("/u/Dados/Ravelha.db"), QStringLiteral("Sv3"), error);
        QVERIFY2(message.contains(phrase), qPrintable(message));
        QVERIFY2(message.endsWith(QStringLiteral(".\nResposta do banco de dados: ") + error.text()), qPrintable(message));
    }

    // A history row whose day is no day would be deleted or kept by its text: the statements that
    // delete or take back history refuse to run on it.
    void historyStatementsRefuseAMalformedDay()
    {
        FixtureFolder data;
        QSqlQuery plant(data.module().database(Alias::Ravelha));
        QVERIFY(plant.exec(QStringLiteral("UPDATE Hist SET Dia = '2004-02-3' WHERE Dia = '2004-02-28' AND CodSv = 1")));
        const QString refusal = QStringLiteral("A tabela Hist, no dia \"2004-02-3\", serviço 1, tem na coluna Dia o valor "
                                               "\"2004-02-3\", que não é um dia válido. Nada foi alterado.");
        for (const std::function<void()>& statement : std::initializer_list<std::function<void()>>{
                 [&] { data.module().selectHistFrom(QDate(2004, 2, 28)); },
                 [&] { data.module().deleteHistFrom(QDate(2004, 2, 28)); },
                 [&] { data.module().deleteHistBefore(QDate(2004, 3, 1)); }}) {
            try {
                statement();
                QFAIL("the statement ran");
            } catch (const CoreError& e) {
                QCOMPARE(e.message(), refusal);
            }
        }
        QCOMPARE(column(data.module().searchHist({}), QStringLiteral("Dia")).size(), 9);
    }

    void theLatestModuleServesWhileItLives()
    {
        FixtureFolder first;
        QCOMPARE(&TDMGeral::instance(), &first.module());
        {
            FixtureFolder second;
            QCOMPARE(&TDMGeral::instance(), &second.module());
        }
        QCOMPARE(&TDMGeral::instance(), &first.module());
    }

    void tableNames()
    {
        QCOMPARE(TableSchema::tableOf(QStringLiteral("sv7.db")).name, QStringLiteral("Sv7"));
        QCOMPARE(TableSchema::tableOf(QStringLiteral("RavSv1.DB")).name, QStringLiteral("RavSv1"));
        QVERIFY(TableSchema::tableOf(QStringLiteral("Sv")).kind == TableSchema::Kind::Services);
        QVERIFY_THROWS_EXCEPTION(CoreError, TableSchema::tableOf(QStringLiteral("Sv0.DB")));
    }
};

QTEST_GUILESS_MAIN(TestDMGeral)
#include "TestDMGeral.moc"
