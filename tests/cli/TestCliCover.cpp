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

    void aWrongNumberOfLinesChangesNothing()
    {
        FixtureFolder data;
        const QStringList before = TextFile::readLines(data.file(DataFiles::Niveis));
        const CliResult result = cli(data, {"capa", "gravar", "só uma linha"});
        QCOMPARE(result.exit, 2);
        QVERIFY(result.err.contains(QStringLiteral("capa gravar LINHA1")));
        QCOMPARE(TextFile::readLines(data.file(DataFiles::Niveis)), before);
    }
};

QTEST_MAIN(TestCliCover)
#include "TestCliCover.moc"
