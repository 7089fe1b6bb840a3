// ravelha-cli manual: the grid of the tab "Escalar Manual" from a file, on the initial data set
// (rostered up to 01/03/04).
#include "CliRunner.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The grids of "Carregar" and "Corrigir", as files.
const QStringList Carregar = {"1|1|4|5", "2|11|12|6", "3|21 22 23|24 25 26|27 22 29", "4|36 3831|39 30|37 31 33"};
const QStringList Corrigir = {"1|1|4|5", "2|13|12|11", "", "3|21 22 23|24 25 26|27 28 29",
                              "4|36 38 31|39 30 32|37 33 34"};

// What the tab shows for "Carregar": the lines of "Mensagens", then the boxes.
const QStringList CarregarShown = {
    "6  não concorre à escala de Adj Of",
    "22 não terá folga de 48 Hs no dia 04/03/04",
    "3831  não concorre à escala de Sd Gda",
    "== Mensagens",
    " Dia: 02/03/04 Falta escalar militar no Serviço de Sd Gda",
    " Dia: 03/03/04 Falta escalar militar no Serviço de Sd Gda",
};

class GridFiles {
public:
    // Writes the file in the folder the command is given in; returns its bare name.
    QString write(const QString& name, const QStringList& lines)
    {
        TextFile::writeLines(QDir(m_folder.path()).filePath(name), lines);
        return name;
    }
    CliResult run(FixtureFolder& data, const QStringList& arguments, const std::function<void()>& childSetUp = {})
    {
        return cli(QStringList{QStringLiteral("--dados"), data.path(), QStringLiteral("manual")} + arguments,
                   plainEnvironment(), m_folder.path(), childSetUp);
    }
    QString folder() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};

}

class TestCliManual : public QObject {
    Q_OBJECT
private slots:
    void verificarPrintsWhatTheTabShowsAndEscalarCommits()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        GridFiles files;
        const QStringList before = storedState(data);
        const CliResult carregar = files.run(data, {"verificar", "04/03/04", files.write("carregar.txt", Carregar)});
        QCOMPARE(carregar.exit, 0);
        QCOMPARE(carregar.err, QString());
        QCOMPARE(carregar.out, CarregarShown);

        const QString corrigir = files.write("corrigir.txt", Corrigir);
        const CliResult verified = files.run(data, {"verificar", "04/03/04", corrigir});
        QCOMPARE(verified.exit, 0);
        QCOMPARE(verified.out, QStringList{"== Mensagens"});
        QCOMPARE(storedState(data), before);   // verifying writes nothing

        const CliResult escalar = files.run(data, {"escalar", "04/03/04", corrigir});
        QCOMPARE(escalar.exit, 0);
        QCOMPARE(escalar.err, QString());
        QCOMPARE(escalar.out, QStringList{"== Mensagens"});
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Escala)), QStringList{"04/03/04"});
        const QStringList rostered = storedState(data).filter(QRegularExpression("^2004-03-0[234]\\|"));
        QCOMPARE(rostered.size(), 12);
        QVERIFY(rostered.contains("2004-03-04|4|Sd Gda|37 33 34|Pt"));

        // The days are rostered now: the same grid again has no day left to go in.
        const QStringList after = storedState(data);
        const CliResult again = files.run(data, {"escalar", "04/03/04", corrigir});
        QCOMPARE(again.exit, 1);
        QVERIFY2(again.err.startsWith(QStringLiteral("O Serviço de Of Dia tem \"1\" na coluna 1 da Grade de Serviços, "
                                                     "que não tem dia: a grade vai até o dia 04/03/04.")),
                 qPrintable(again.err));
        QCOMPARE(storedState(data), after);
    }

    void aReadOnlyEscalaIsANoticeNotARefusal()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        GridFiles files;
        const QString grid = files.write("corrigir.txt", Corrigir);
        const QString escala = data.file(DataFiles::Escala);
        QVERIFY(QFile::setPermissions(escala, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        std::function<void()> asNobody;
        // As root, the program runs as nobody, who may read the grid and write the folder and the
        // database, but not Escala.Txt.
        QVERIFY(openToNobodyWhereRoot(data, {QDir(files.folder()).filePath(grid)}, {files.folder()}, asNobody));
        const CliResult committed = files.run(data, {"escalar", "04/03/04", grid}, asNobody);
        if (asNobody && committed.exit == 126)
            QSKIP("run as root, and the user nobody (65534) cannot be taken or cannot start the program from this build folder: a read-only file cannot be met");
        QCOMPARE(committed.exit, 0);
        QCOMPARE(committed.out, QStringList{"== Mensagens"});
        QVERIFY2(committed.err.startsWith(QStringLiteral("A gravação nas tabelas foi concluída e vale.\n\n"
                                                         "O arquivo Escala.Txt não pôde ser gravado")),
                 qPrintable(committed.err));
        QCOMPARE(storedState(data).filter(QRegularExpression("^2004-03-0[234]\\|")).size(), 12);
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("04/03/04"));   // the commit's record counts
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("a day too far") << QStringList{"verificar", "08/03/04"} << Carregar
                                       << "Só é possível escalar até o dia 07/03/04\n";
        QTest::newRow("no date") << QStringList{"escalar", "32/03/04"} << Carregar << "32/03/04 >>> Data inválida\n";
        QTest::newRow("a code of no service")
            << QStringList{"verificar", "04/03/04"} << QStringList{"1|1", "9|4"}
            << "A linha 2 do arquivo grade.txt começa por \"9\", que não é o código de um serviço cadastrado.\n";
        QTest::newRow("no code") << QStringList{"verificar", "04/03/04"} << QStringList{"Of Dia|1"}
                                 << "A linha 1 do arquivo grade.txt começa por \"Of Dia\", que não é o código de um "
                                    "serviço cadastrado.\n";
        QTest::newRow("a service twice") << QStringList{"verificar", "04/03/04"} << QStringList{"1|1", "", "1|4"}
                                         << "A linha 3 do arquivo grade.txt repete o serviço 1, já dado na linha 1.\n";
        QTest::newRow("a seventh cell") << QStringList{"escalar", "04/03/04"} << QStringList{"1|1||||||5"}
                                        << "A linha 1 do arquivo grade.txt tem 7 células; a grade tem no máximo 6 "
                                           "dias.\n";
        QTest::newRow("a filled cell without a day")
            << QStringList{"escalar", "03/03/04"} << Corrigir
            << "O Serviço de Of Dia tem \"5\" na coluna 3 da Grade de Serviços, que não tem dia: a grade vai até o dia "
               "03/03/04. Nada foi gravado.\n\nApague essa célula, ou prepare a grade até um dia mais adiante.\n";
        QTest::newRow("an empty grid") << QStringList{"escalar", "04/03/04"} << QStringList{"1", "2|||"}
                                       << "Você deve preencher completamente a Grade de Serviços\n";
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, file);
        QFETCH(QString, message);
        FixtureFolder data(QStringLiteral("inicial"));
        GridFiles files;
        const QStringList before = storedState(data);
        const CliResult result = files.run(data, arguments << files.write("grade.txt", file));
        QCOMPARE(result.err, message);
        QCOMPARE(result.exit, 1);
        QCOMPARE(storedState(data), before);
    }

    // A grid file holds a line per service, each of six short cells: a wrong file is refused by
    // name and line before it fills the memory.
    void aFilePastWhatAGridHoldsIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("a line of 6 MB") << "1|1\r\n2|" + QByteArray(6 << 20, '1')
                                        << "O arquivo grade.txt é grande demais para uma Grade de Serviços: passa de "
                                           "128 KB já na linha 2 (no máximo 30 linhas, cada uma com um serviço). Nada "
                                           "foi alterado.\n";
        QTest::newRow("a line of 1025 characters")
            << "1|1\r\n2|" + QByteArray(1023, '1') + "\r\n"
            << "A linha 2 do arquivo grade.txt tem 1025 caracteres; uma linha de uma Grade de Serviços tem no máximo "
               "1024. Nada foi alterado.\n";
        QByteArray lines;
        for (int i = 1; i <= 31; ++i)
            lines += "1|1\r\n";
        QTest::newRow("31 lines") << lines
                                  << "O arquivo grade.txt tem mais de 30 linhas preenchidas (a linha 31 é a 31ª); uma "
                                     "Grade de Serviços tem no máximo 30, cada uma com um serviço. Nada foi alterado.\n";
    }
    void aFilePastWhatAGridHoldsIsRefused()
    {
        QFETCH(QByteArray, content);
        FixtureFolder data(QStringLiteral("inicial"));
        GridFiles files;
        QFile file(QDir(files.folder()).filePath("grade.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        const QStringList before = storedState(data);
        const CliResult result = files.run(data, {"escalar", "04/03/04", "grade.txt"});
        QVERIFY(!result.crashed);
        QTEST(result.err, "message");
        QCOMPARE(result.exit, 1);
        QCOMPARE(storedState(data), before);
    }

    void aMissingFileIsNamed()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        GridFiles files;
        const CliResult result = files.run(data, {"verificar", "04/03/04", "nenhum.txt"});
        QCOMPARE(result.exit, 1);
        QVERIFY2(result.err.contains(QStringLiteral("nenhum.txt")), qPrintable(result.err));
    }

    void badUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("no file") << QStringList{"verificar", "04/03/04"};
        QTest::newRow("unknown action") << QStringList{"apagar", "04/03/04", "grade.txt"};
        QTest::newRow("one argument too many") << QStringList{"escalar", "04/03/04", "grade.txt", "outro.txt"};
    }
    void badUsage()
    {
        QFETCH(QStringList, arguments);
        FixtureFolder data(QStringLiteral("inicial"));
        GridFiles files;
        const CliResult result = files.run(data, arguments);
        QCOMPARE(result.exit, 2);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.contains(QStringLiteral("manual verificar|escalar DD/MM/AA ARQUIVO")), qPrintable(result.err));
    }
};

QTEST_GUILESS_MAIN(TestCliManual)
#include "TestCliManual.moc"
