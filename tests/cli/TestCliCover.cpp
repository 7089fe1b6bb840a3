// ravelha-cli capa: the cover shown as the editor shows it, and rewritten with the backup folder kept.
#include "CliRunner.h"

#include <QTest>

class TestCliCover : public QObject {
    Q_OBJECT
private slots:
    void showsAndRewritesTheCoverKeepingTheBackupFolder()
    {
        FixtureFolder data;
        DataFiles::CoverSettings settings = DataFiles::ReadNiveis();
        settings.backupFolder = QStringLiteral("/media/pen/Molvedan/Ravelha/Espelho");
        DataFiles::WriteNiveis(settings);

        const CliResult shown = cli(data, {"capa"});
        QCOMPARE(shown.exit, 0);
        QCOMPARE(shown.out, (QStringList{"Linha 1: Unidade de Teste", "Linha 2: Companhia de Comando", "Linha 3: ",
                                         "Linha 4: Sistema de Escalas", "Foto da Capa: Capa.Bmp"}));

        const CliResult written = cli(data, {"capa", "gravar", "Unidade", "2ª Companhia", "", "Escalas", "Nova.Bmp"});
        QCOMPARE(written.exit, 0);
        QCOMPARE(written.out.value(1), QStringLiteral("Linha 2: 2ª Companhia"));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)),
                 (QStringList{"Unidade", "2ª Companhia", "", "Escalas", "Nova.Bmp", settings.backupFolder}));
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("a wrong number of lines") << QStringList{"só uma linha"} << 2 << "capa gravar LINHA1";
        // Niveis.Txt holds one text a line: a break would move the place of the backup copy.
        QTest::newRow("a line break in a line")
            << QStringList{"Unidade", "2ª Cia\n/tmp/outro", "", "Escalas", "Capa.Bmp"} << 1
            << "A Linha 2 tem uma quebra de linha; cada texto da capa ocupa uma só linha. Nada foi alterado.";
        QTest::newRow("a carriage return in the picture")
            << QStringList{"Unidade", "", "", "", "Capa.Bmp\r"} << 1 << "A Foto da Capa tem uma quebra de linha";
    }
    void refusalsChangeNothing()
    {
        QFETCH(QStringList, arguments);
        FixtureFolder data;
        const QStringList before = TextFile::readLines(data.file(DataFiles::Niveis));
        const CliResult result = cli(data, QStringList{"capa", "gravar"} + arguments);
        QTEST(result.exit, "exit");
        QFETCH(QString, message);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.out, QStringList());
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)), before);
    }
};

QTEST_MAIN(TestCliCover)
#include "TestCliCover.moc"
