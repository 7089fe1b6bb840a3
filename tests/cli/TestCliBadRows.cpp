// ravelha-cli on a data folder holding a row the model cannot hold, or a database it cannot use:
// the run is refused with a message that names what is wrong, and not one byte of the folder changes.
#include "CliRunner.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>


namespace {

// A run of the command line on a folder. `asNobody`: a run by root takes the identity of the
// user nobody, for whom file modes count.
CliResult cli(const QString& folder, const QStringList& arguments, bool asNobody = false)
{
    return cli(QStringList{QStringLiteral("--dados"), folder} + arguments, plainEnvironment(), QString(),
               asNobody ? std::function<void()>(dropToNobody) : std::function<void()>());
}

// Every file of the folder, by its path inside it, with a digest of its bytes.
QMap<QString, QByteArray> contentsOf(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {{path, QByteArray("unreadable")}};
        files.insert(QDir(folder).relativeFilePath(path), QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

bool plant(TDMGeral& module, const QString& sql)
{
    QSqlQuery q(module.database(Alias::Ravelha));
    const bool done = q.exec(sql) && q.numRowsAffected() == 1;
    if (!done)
        qWarning() << sql << q.lastError().text();
    return done;
}

QString tooLongNumberList()
{
    QStringList nums;
    for (int n = 1000; n < 1025; ++n)
        nums << QString::number(n);
    return nums.join(QLatin1Char(' '));   // 25 numbers: 124 characters
}

const QString Verificar = QStringLiteral("verificar");
const QString Escalar = QStringLiteral("escalar");
const QString Target = QStringLiteral("10/03/04");

}

class TestCliBadRows : public QObject {
    Q_OBJECT
private slots:
    // The harness sees a change: a sound folder is rostered and changes.
    void soundFolderIsRostered()
    {
        FixtureFolder data;
        const auto before = contentsOf(data.path());
        QCOMPARE(cli(data.path(), {Verificar, Target}).exit, 0);
        QCOMPARE(contentsOf(data.path()), before);
        QCOMPARE(cli(data.path(), {Escalar, Target}).exit, 0);
        QVERIFY(contentsOf(data.path()) != before);
    }

    void badRowsAreRefusedAndNothingChanges_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        const QString done = QStringLiteral(" Nada foi alterado.\n");
        auto row = [&](const char* name, const QString& sql, const QString& message) {
            QTest::newRow(name) << sql << message + done;
        };
        // Counts of a roster.
        row("count abc", "UPDATE Sv3 SET Pt = 'abc' WHERE Num = '7'",
            R"(A tabela Sv3, no militar 7, tem na coluna Pt o valor "abc", que não é um número inteiro.)");
        row("count 7abc", "UPDATE Sv3 SET Pt = '7abc' WHERE Num = '8'",
            R"(A tabela Sv3, no militar 8, tem na coluna Pt o valor "7abc", que não é um número inteiro.)");
        row("count blob", "UPDATE Sv1 SET Pt = X'00FF' WHERE Num = '2'",
            R"(A tabela Sv1, no militar 2, tem na coluna Pt o valor binário de 2 bytes, que não é um número inteiro.)");
        row("count 2.7", "UPDATE Sv2 SET Pt = 2.7 WHERE Num = '4'",
            R"(A tabela Sv2, no militar 4, tem na coluna Pt o valor "2.7", que não é um número inteiro.)");
        row("red count", "UPDATE Sv3 SET Vm = 'um' WHERE Num = '10'",
            R"(A tabela Sv3, no militar 10, tem na coluna Vm o valor "um", que não é um número inteiro.)");
        // Keys: empty, with a blank, too long.
        row("soldier without number",
            "INSERT INTO Basico (Num, Nome, PstGrd, PR, Ini, Fim, USv) VALUES ('', 'Novato', 'Sd', '', '', '', '')",
            R"(A tabela Basico, no militar sem número, tem na coluna Num o valor "", que não pode ficar vazio.)");
        row("roster row without number", "UPDATE Sv3 SET Num = '' WHERE Num = '9'",
            R"(A tabela Sv3, no militar sem número, tem na coluna Num o valor "", que não pode ficar vazio.)");
        row("soldier number with a blank", "UPDATE Basico SET Num = '1 2' WHERE Num = '12'",
            R"(A tabela Basico, no militar "1 2", tem na coluna Num o valor "1 2", que tem espaços em branco.)");
        row("roster number with a blank", "UPDATE Sv3 SET Num = '7 ' WHERE Num = '7'",
            R"(A tabela Sv3, no militar "7 ", tem na coluna Num o valor "7 ", que tem espaços em branco.)");
        row("soldier number too long", "UPDATE Basico SET Num = '12345' WHERE Num = '12'",
            R"(A tabela Basico, no militar 12345, tem na coluna Num o valor "12345", que tem mais de 4 caracteres.)");
        row("roster number too long", "UPDATE Sv1 SET Num = '10000' WHERE Num = '1'",
            R"(A tabela Sv1, no militar 10000, tem na coluna Num o valor "10000", que tem mais de 4 caracteres.)");
        // The personnel register.
        row("name too long", "UPDATE Basico SET Nome = 'Andrade de Souza Lima' WHERE Num = '1'",
            R"(A tabela Basico, no militar 1, tem na coluna Nome o valor "Andrade de Souza Lima", que tem mais de 15 caracteres.)");
        row("rank too long", "UPDATE Basico SET PstGrd = 'Capitão-Tenente' WHERE Num = '1'",
            R"(A tabela Basico, no militar 1, tem na coluna PstGrd o valor "Capitão-Tenente", que tem mais de 7 caracteres.)");
        // Bytes written outside the program that are no UTF-8: the engine gives replacement or
        // control characters back, which the next commit would store in their place.
        row("name with a Latin-1 byte", "UPDATE Basico SET Nome = CAST(X'4A6FE36F' AS TEXT) WHERE Num = '1'",
            QStringLiteral("A tabela Basico, no militar 1, tem na coluna Nome o valor \"Jo\uFFFDo\", que tem caracteres "
                           "ilegíveis (bytes que não formam texto UTF-8)."));
        row("rank with a lone continuation byte", "UPDATE Basico SET PstGrd = CAST(X'43628A' AS TEXT) WHERE Num = '2'",
            QStringLiteral("A tabela Basico, no militar 2, tem na coluna PstGrd o valor \"Cb\u008A\", que tem caracteres "
                           "ilegíveis (bytes que não formam texto UTF-8)."));
        row("absence kind", "UPDATE Basico SET PR = 'p' WHERE Num = '2'",
            R"(A tabela Basico, no militar 2, tem na coluna PR o valor "p", que não é "P", "R" nem vazio.)");
        row("absence start", "UPDATE Basico SET Ini = '2004-3-8' WHERE Num = '2'",
            R"(A tabela Basico, no militar 2, tem na coluna Ini o valor "2004-3-8", que não é um dia válido.)");
        row("absence end", "UPDATE Basico SET Fim = 'amanhã' WHERE Num = '5'",
            R"(A tabela Basico, no militar 5, tem na coluna Fim o valor "amanhã", que não é um dia válido.)");
        row("service days", "UPDATE Basico SET USv = '27/02/04 31/02/04 ' WHERE Num = '1'",
            R"(A tabela Basico, no militar 1, tem na coluna USv o valor "27/02/04 31/02/04 ", que não é uma lista de até 10 dias dd/mm/aa separados por um espaço.)");
        row("service days after two blanks", "UPDATE Basico SET USv = '27/02/04  01/03/04 ' WHERE Num = '1'",
            R"(A tabela Basico, no militar 1, tem na coluna USv o valor "27/02/04  01/03/04 ", que não é uma lista de até 10 dias dd/mm/aa separados por um espaço.)");
        // The service register.
        row("quantity -1", "UPDATE Sv SET Quant = -1 WHERE CodSv = 3",
            R"(A tabela Sv, no serviço 3, tem na coluna Quant o valor "-1", que é negativo.)");
        row("quantity abc", "UPDATE Sv SET Quant = 'abc' WHERE CodSv = 1",
            R"(A tabela Sv, no serviço 1, tem na coluna Quant o valor "abc", que não é um número inteiro.)");
        row("priority 1.5", "UPDATE Sv SET Prio = 1.5 WHERE CodSv = 2",
            R"(A tabela Sv, no serviço 2, tem na coluna Prio o valor "1.5", que não é um número inteiro.)");
        row("service start", "UPDATE Sv SET Ini = '01/01/2004' WHERE CodSv = 1",
            R"(A tabela Sv, no serviço 1, tem na coluna Ini o valor "01/01/2004", que não é um dia válido.)");
        row("service end", "UPDATE Sv SET Fim = '2004-12-32' WHERE CodSv = 2",
            R"(A tabela Sv, no serviço 2, tem na coluna Fim o valor "2004-12-32", que não é um dia válido.)");
        row("service without end", "UPDATE Sv SET Fim = NULL WHERE CodSv = 3",
            R"(A tabela Sv, no serviço 3, tem na coluna Fim o valor "", que não pode ficar vazio.)");
        row("service name too long", "UPDATE Sv SET Descr = 'Oficial de Dia' WHERE CodSv = 1",
            R"(A tabela Sv, no serviço 1, tem na coluna Descr o valor "Oficial de Dia", que tem mais de 8 caracteres.)");
        // The history, on days the roster does not touch.
        row("history without name", "UPDATE Hist SET Descr = '' WHERE Dia = '2004-02-28' AND CodSv = 2",
            R"(A tabela Hist, no dia 28/02/04, serviço 2, tem na coluna Descr o valor "", que não pode ficar vazio.)");
        row("history day", "UPDATE Hist SET Dia = '2004-02-30' WHERE Dia = '2004-02-28' AND CodSv = 1",
            R"(A tabela Hist, no dia "2004-02-30", serviço 1, tem na coluna Dia o valor "2004-02-30", que não é um dia válido.)");
        row("history without day", "UPDATE Hist SET Dia = '' WHERE Dia = '2004-02-27' AND CodSv = 3",
            R"(A tabela Hist, no dia "", serviço 3, tem na coluna Dia o valor "", que não pode ficar vazio.)");
        row("history code 31", "UPDATE Hist SET CodSv = 31 WHERE Dia = '2004-02-29' AND CodSv = 3",
            R"(A tabela Hist, no dia 29/02/04, serviço 31, tem na coluna CodSv o valor "31", que não é um código de serviço de 1 a 30.)");
        row("history code text", "UPDATE Hist SET CodSv = 'um' WHERE Dia = '2004-02-29' AND CodSv = 1",
            R"(A tabela Hist, no dia 29/02/04, serviço um, tem na coluna CodSv o valor "um", que não é um número inteiro.)");
        row("history kind", "UPDATE Hist SET PtVm = 'PT' WHERE Dia = '2004-02-27' AND CodSv = 1",
            R"(A tabela Hist, no dia 27/02/04, serviço 1, tem na coluna PtVm o valor "PT", que não é "Pt", "Vm" nem vazio.)");
        row("history name too long", "UPDATE Hist SET Descr = 'Cabo da Guarda' WHERE Dia = '2004-02-27' AND CodSv = 3",
            R"(A tabela Hist, no dia 27/02/04, serviço 3, tem na coluna Descr o valor "Cabo da Guarda", que tem mais de 8 caracteres.)");
        row("history list too long",
            QStringLiteral("UPDATE Hist SET Num = '%1' WHERE Dia = '2004-02-27' AND CodSv = 3").arg(tooLongNumberList()),
            QStringLiteral(R"(A tabela Hist, no dia 27/02/04, serviço 3, tem na coluna Num o valor "%1", que tem mais de 120 caracteres.)")
                .arg(tooLongNumberList()));
        row("history without numbers", "UPDATE Hist SET Num = '' WHERE Dia = '2004-02-27' AND CodSv = 2",
            R"(A tabela Hist, no dia 27/02/04, serviço 2, tem na coluna Num o valor "", que não pode ficar vazio.)");
    }
    void badRowsAreRefusedAndNothingChanges()
    {
        QFETCH(QString, sql);
        QFETCH(QString, message);
        FixtureFolder data;
        QVERIFY(plant(data.module(), sql));
        const auto before = contentsOf(data.path());
        for (const QString& command : {Verificar, Escalar}) {
            const CliResult result = cli(data.path(), {command, Target});
            QCOMPARE(result.exit, 1);
            QCOMPARE(result.err, message);
            QVERIFY(result.out.isEmpty());
            QCOMPARE(contentsOf(data.path()), before);
        }
    }

    // The undo takes back history by day: a row whose day is no day stops it before anything is deleted.
    void undoRefusesAHistoryRowWithoutADay()
    {
        FixtureFolder data;
        QVERIFY(plant(data.module(), QStringLiteral("UPDATE Hist SET Dia = '2004-02-3' WHERE Dia = '2004-02-28' AND CodSv = 1")));
        const auto before = contentsOf(data.path());
        const CliResult result = cli(data.path(), {QStringLiteral("desfazer"), QStringLiteral("28/02/04")});
        QCOMPARE(result.exit, 1);
        QCOMPARE(result.err, QStringLiteral("A tabela Hist, no dia \"2004-02-3\", serviço 1, tem na coluna Dia o valor "
                                            "\"2004-02-3\", que não é um dia válido. Nada foi alterado.\n"));
        QCOMPARE(contentsOf(data.path()), before);
    }

    // A Ravelha.db the engine cannot use is named as such, in Portuguese, with the engine's words.
    void unusableDatabaseIsNamed_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("text file") << "text" << Verificar
                                   << QStringList{"O arquivo Ravelha.db da pasta \"%1\" não é um banco de dados válido.",
                                                  "Resposta do banco de dados: file is not a database"};
        QTest::newRow("first 1000 bytes") << "truncate" << Verificar
                                          << QStringList{"O arquivo Ravelha.db da pasta \"%1\" está danificado: "
                                                         "não é um banco de dados válido.",
                                                         "Resposta do banco de dados: database disk image is malformed"};
        QTest::newRow("read-only file") << "read-only" << Escalar
                                        << QStringList{"O banco de dados Ravelha.db da pasta \"%1\" não pôde ser gravado",
                                                       ": o arquivo é somente leitura.\nResposta do banco de dados: "
                                                       "attempt to write a readonly database"};
    }
    void unusableDatabaseIsNamed()
    {
        QFETCH(QString, damage);
        QFETCH(QString, command);
        QFETCH(QStringList, expected);
        FixtureFolder data;
        const QString db = data.file(QStringLiteral("Ravelha.db"));
        bool asNobody = false;
        if (damage == QStringLiteral("read-only")) {
            QVERIFY(QFile::setPermissions(db, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            // Root writes whatever the file's mode says: the program then runs as the user nobody,
            // who may read the folder but not write the file.
            if (::geteuid() == 0) {
                const QString temp = QFileInfo(data.path()).absolutePath();
                QVERIFY(QFile::setPermissions(temp, QFile::permissions(temp) | QFile::ExeOther | QFile::ReadOther));
                asNobody = true;
            }
        } else {
            QFile file(db);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const QByteArray start = file.read(1000);
            QVERIFY(file.resize(0));
            file.seek(0);
            file.write(damage == QStringLiteral("text") ? QByteArray("Escala de serviço da 1ª Companhia\n") : start);
        }
        const auto before = contentsOf(data.path());
        const CliResult result = cli(data.path(), {command, Target}, asNobody);
        if (asNobody && result.exit == 126)
            QSKIP("run as root, and the user nobody (65534) cannot be taken or cannot start the program from this build folder: a read-only file cannot be met");
        QCOMPARE(result.exit, 1);
        QVERIFY2(result.err.contains(expected.at(0).arg(QDir::toNativeSeparators(data.path()))), qPrintable(result.err));
        QVERIFY2(result.err.contains(expected.at(1)), qPrintable(result.err));
        QCOMPARE(contentsOf(data.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestCliBadRows)
#include "TestCliBadRows.moc"
