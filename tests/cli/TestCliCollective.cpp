// ravelha-cli incluir-arquivo on fresh copies of the small fixture: soldiers 1 to 12, all of them
// in the history; rank models Cap, 1º Ten, ..., Cb (also "Cabo"), Sd.
#include "CliRunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeFile(const QTemporaryDir& folder, const QByteArray& content)
{
    const QString path = folder.filePath("Novos.Txt");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return path;
}

void run(FixtureFolder& data, const QString& statement)
{
    QSqlQuery q(data.module().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

QStringList state(FixtureFolder& data)
{
    QStringList tables = storedState(data);
    tables << TextFile::readLines(data.file(DataFiles::ModelosPstGrd));
    return tables;
}

}

class TestCliCollective : public QObject {
    Q_OBJECT
private slots:
    void registersTheFileAndListsWhatItCouldNotRecognise()
    {
        FixtureFolder data;
        QTemporaryDir folder;
        const QStringList models = TextFile::readLines(data.file(DataFiles::ModelosPstGrd));
        // Given from the folder the command runs in: a relative name.
        writeFile(folder, "1234,Sgt,Silva, J.\r\n\r\n40,Cabo,Lima\r\n41,Sgt,Rocha\r\n7,Cb,Outro\r\n");
        const CliResult result =
            cli(QStringList{"--dados", data.path(), "incluir-arquivo", "Novos.Txt"}, plainEnvironment(), folder.path());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, (QStringList{"1234 Sgt Silva, J.", "40 Cb Lima", "41 Sgt Rocha",
                                          "== Postos/Graduações não reconhecidos (mantidos como escritos)", "Sgt"}));
        QCOMPARE(result.err.trimmed(), QStringLiteral("Registro: 7,Cb,Outro - Já está incluído no Sistema"));
        const QStringList basico = StoredRows(data.module(), "Basico");
        QVERIFY(basico.contains("1234|Silva, J.|Sgt||||"));
        QVERIFY(basico.contains("40|Lima|Cb||||"));
        QVERIFY(basico.contains("7|Gonçalves|Cb||||27/02/04 "));
        QCOMPARE(basico.size(), 15);
        // Nothing learned: the spelling stays unknown for the window to correct.
        QCOMPARE(TextFile::readLines(data.file(DataFiles::ModelosPstGrd)), models);
    }

    void aNumberInTheHistoryNeedsTheFlag()
    {
        FixtureFolder data;
        QTemporaryDir folder;
        run(data, "INSERT INTO Hist (Dia, CodSv, Descr, Num, PtVm) VALUES ('2004-02-26', 3, 'Cb Gda', '40 77', 'Pt')");
        const QString file = writeFile(folder, "39,Cb,Antunes\r\n40,Cb,Lima\r\n");
        const QStringList before = state(data);
        CliResult result = cli(data, {"incluir-arquivo", file});
        QCOMPARE(result.exit, 1);
        QVERIFY2(result.err.contains("Ainda há o número 40 no Arquivo Histórico. Incluir mesmo assim ?"),
                 qPrintable(result.err));
        QVERIFY(result.err.contains("--mesmo-no-historico"));
        QCOMPARE(result.out, QStringList());
        QCOMPARE(state(data), before);

        result = cli(data, {"incluir-arquivo", "--mesmo-no-historico", file});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, (QStringList{"39 Cb Antunes", "40 Cb Lima"}));
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("a line with one comma")
            << QByteArray("40,Cb,Lima\r\n41,Cb\r\n") << QStringList() << 1
            << "Registro: 41,Cb\n\nCampos Número, Posto e Nome devem ser preenchidos";
        QTest::newRow("a number too long") << QByteArray("40,Cb,Lima\r\n12345,Cb,Rocha\r\n") << QStringList() << 1
                                           << "Registro: 12345,Cb,Rocha";
        QTest::newRow("a file that is not there") << QByteArray() << QStringList{"incluir-arquivo", "Sumiu.Txt"} << 1
                                                  << "Sumiu.Txt";
        QTest::newRow("a device that never ends") << QByteArray() << QStringList{"incluir-arquivo", "/dev/zero"} << 1
                                                  << "O arquivo zero é grande demais para um arquivo de inclusão coletiva";
        QTest::newRow("a line of 6 MB") << QByteArray(6 << 20, '7') << QStringList() << 1
                                        << "O arquivo Novos.Txt é grande demais para um arquivo de inclusão coletiva: "
                                           "passa de 512 KB já na linha 1";
        QTest::newRow("an empty file") << QByteArray("\r\n") << QStringList() << 1
                                       << "Você deve selecionar os militares a serem incluídos";
        QTest::newRow("no file named") << QByteArray() << QStringList{"incluir-arquivo"} << 2 << "Falta o arquivo";
        QTest::newRow("two files") << QByteArray() << QStringList{"incluir-arquivo", "A.Txt", "B.Txt"} << 2
                                   << "Argumento inesperado: B.Txt";
    }
    void refusalsChangeNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, arguments);
        FixtureFolder data;
        QTemporaryDir folder;
        const QString file = writeFile(folder, content);
        if (arguments.isEmpty())
            arguments = QStringList{"incluir-arquivo", file};
        const QStringList before = state(data);
        const CliResult result =
            cli(QStringList{"--dados", data.path()} + arguments, plainEnvironment(), folder.path());
        QTEST(result.exit, "exit");
        QFETCH(QString, message);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.out, QStringList());
        QCOMPARE(state(data), before);
    }
};

QTEST_MAIN(TestCliCollective)
#include "TestCliCollective.moc"
