// ravelha-cli exportar-ical and the --csv of historico, quadro and verificar, on fresh copies of
// the small fixture (rostered up to 29/02/04): the listing printed as before, the file written
// beside it, relative names taken from where the command was given.
#include "CliRunner.h"
#include "FileBytes.h"
#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

CliResult cliIn(const QString& folder, FixtureFolder& data, const QStringList& arguments)
{
    return cli(QStringList{QStringLiteral("--dados"), data.path()} + arguments, plainEnvironment(), folder);
}

// Every command that writes a file, with the option that names it (its value comes last).
void addExportCommands()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("historico --csv") << QStringList{"historico", "--csv"};
    QTest::newRow("quadro --csv") << QStringList{"quadro", "27/02/04", "29/02/04", "--csv"};
    QTest::newRow("verificar --csv") << QStringList{"verificar", "01/03/04", "--csv"};
    QTest::newRow("exportar-ical") << QStringList{"exportar-ical"};
    QTest::newRow("imprimir --pdf") << QStringList{"imprimir", "01/03/04", "--pdf"};
    QTest::newRow("tabela situacao --pdf") << QStringList{"tabela", "situacao", "2", "--pdf"};
}

}

class TestCliExport : public QObject {
    Q_OBJECT
private slots:
    void calendarOfOneSoldier()
    {
        FixtureFolder data;
        QTemporaryDir here;
        const QStringList before = storedState(data);
        const CliResult result = cliIn(here.path(), data, {"exportar-ical", "--numero", "8", "--ate", "28/02/04", "cb.ics"});
        QCOMPARE(result.err, QString());
        QCOMPARE(result.exit, 0);
        const QString file = QDir(here.path()).filePath("cb.ics");
        QCOMPARE(result.out, QStringList{"1 evento(s) gravado(s) em " + QDir::toNativeSeparators(file)});
        const QByteArray text = BytesOf(file);
        QVERIFY(text.startsWith("BEGIN:VCALENDAR\r\n"));
        QVERIFY(text.contains("UID:20040227-sv3-n8@ravelha\r\n"));
        QVERIFY(text.contains("SUMMARY:Cb Gda\r\n"));
        QCOMPARE(storedState(data), before);
    }

    void calendarRefusalsAndUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("message");
        QTest::newRow("no file") << QStringList{"exportar-ical", "--de", "01/01/04"} << 2 << "precisa do arquivo";
        QTest::newRow("two files") << QStringList{"exportar-ical", "a.ics", "b.ics"} << 2 << "Argumento inesperado: b.ics";
        QTest::newRow("no value") << QStringList{"exportar-ical", "a.ics", "--numero"} << 2 << "--numero precisa de um valor";
        QTest::newRow("bad day") << QStringList{"exportar-ical", "--de", "32/01/04", "a.ics"} << 1 << "Data Início";
        QTest::newRow("no soldier") << QStringList{"exportar-ical", "--numero", "77", "a.ics"} << 1 << "77";
    }
    void calendarRefusalsAndUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, message);
        FixtureFolder data;
        QTemporaryDir here;
        const CliResult result = cliIn(here.path(), data, arguments);
        QCOMPARE(result.exit, exit);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(QDir(here.path()).entryList(QDir::Files), QStringList());
    }

    void csvBesideTheListing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("firstLines");
        QTest::newRow("historico") << QStringList{"historico", "--de", "28/02/04", "--numero", "9"}
                                   << QByteArray("Dia;PtVm;Descr;Num;CodSv\r\n28/02/04;Vm;Cb Gda;9 10;3\r\n");
        QTest::newRow("quadro") << QStringList{"quadro", "27/02/04", "29/02/04", "--pt"}
                                << QByteArray("Nº;Of Dia;Adj Of;Cb Gda;SOMA\r\n1;1;;;1\r\n");
        QTest::newRow("verificar") << QStringList{"verificar", "01/03/04"}
                                   << QByteArray("Dia;PtVm;Serviço;Números;Nomes\r\n01/03/04;Pt;Of Dia;1;Cap Andrade\r\n");
    }
    void csvBesideTheListing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, firstLines);
        FixtureFolder data;
        QTemporaryDir here;
        const CliResult plain = cli(data, arguments);
        QCOMPARE(plain.exit, 0);
        const QStringList before = storedState(data);

        const CliResult result = cliIn(here.path(), data, arguments + QStringList{"--csv", "saida.csv"});
        QCOMPARE(result.exit, 0);
        QCOMPARE(result.out, plain.out);   // the listing as without the option
        const QString file = QDir(here.path()).filePath("saida.csv");
        QVERIFY2(result.err.contains(QDir::toNativeSeparators(file)), qPrintable(result.err));
        const QByteArray bytes = BytesOf(file);
        QVERIFY2(bytes.startsWith(Bom + firstLines), bytes.constData());
        QCOMPARE(storedState(data), before);

        // --csv without its file is bad usage, and nothing is written.
        const CliResult bad = cliIn(here.path(), data, arguments + QStringList{"--csv"});
        QCOMPARE(bad.exit, 2);
        QCOMPARE(QDir(here.path()).entryList(QDir::Files), QStringList{"saida.csv"});
    }

    void noExportOverTheProgramsFiles_data() { addExportCommands(); }
    void noExportOverTheProgramsFiles()
    {
        QFETCH(QStringList, arguments);
        FixtureFolder data;
        QTemporaryDir here;
        // The backup copy's folder as line 6 of Niveis.Txt names it.
        const QString backup = QDir(here.path()).filePath("Espelho");
        QVERIFY(QDir().mkpath(backup));
        QVERIFY(QFile::copy(data.file("Ravelha.db"), QDir(backup).filePath("Ravelha.db")));
        QStringList niveis = data.readText("Niveis.Txt");
        niveis[5] = backup;
        data.writeText("Niveis.Txt", niveis);
        const QStringList before = storedState(data);

        const QStringList targets{data.file("Ravelha.db"), data.path() + "/../Ravelha/./SemExped.Txt",
                                  QDir(backup).filePath("Ravelha.db")};
        for (const QString& target : targets) {
            const QByteArray bytes = BytesOf(target);
            const CliResult result = cliIn(here.path(), data, arguments + QStringList{target});
            QCOMPARE(result.exit, 1);
            QCOMPARE(result.out, QStringList());   // refused before anything is listed
            QVERIFY2(result.err.startsWith(QDir::toNativeSeparators(target) + " fica na pasta "), qPrintable(result.err));
            QVERIFY2(result.err.contains(target.startsWith(backup) ? "cópia de segurança" : "pasta de dados do programa"),
                     qPrintable(result.err));
            QCOMPARE(BytesOf(target), bytes);
        }
        QCOMPARE(storedState(data), before);
    }

    void aFullDiskIsToldAndTheEarlierFileKept_data() { addExportCommands(); }
    void aFullDiskIsToldAndTheEarlierFileKept()
    {
        QFETCH(QStringList, arguments);
        FixtureFolder data;
        QTemporaryDir here;
        const QString file = QDir(here.path()).filePath("saida");
        {
            QFile earlier(file);
            QVERIFY(earlier.open(QIODevice::WriteOnly));
            earlier.write("anterior");
        }
        // The disk takes the first 64 bytes of any file and refuses the rest.
        const CliResult result = cli(QStringList{"--dados", data.path()} + arguments + QStringList{file},
                                     plainEnvironment(), here.path(), [] { LimitFileSizes(64); });
        QCOMPARE(result.exit, 1);
        QCOMPARE(result.err.trimmed(), "Não foi possível gravar o arquivo " + QDir::toNativeSeparators(file)
                                           + ": o arquivo passou do tamanho permitido.");
        QCOMPARE(BytesOf(file), QByteArray("anterior"));
        QCOMPARE(QDir(here.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"saida"});
    }

    void aFullDeviceIsNeverReportedWritten()
    {
        // What /dev/full does: the search was told "gravada" over nothing, and root replaced the
        // device by a file.
        FixtureFolder data;
        QTemporaryDir here;
        const QString full = QDir(here.path()).filePath("cheio");
        if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            QSKIP("no device node can be made here (not root)");
        const CliResult result = cliIn(here.path(), data, {"historico", "--csv", full});
        QCOMPARE(result.exit, 1);
        QCOMPARE(result.err, "Não foi possível gravar o arquivo " + QDir::toNativeSeparators(full)
                                 + ": não há espaço livre no disco.\n");
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(full).constData(), &status), 0);
        QVERIFY(S_ISCHR(status.st_mode));
    }

    void qtNotesOnlyWhenAskedFor()
    {
        // Qt's own notes (a missing XDG_RUNTIME_DIR on every PDF) are for developers.
        FixtureFolder data;
        QTemporaryDir here;
        QProcessEnvironment environment = plainEnvironment();
        environment.remove("XDG_RUNTIME_DIR");
        environment.remove("RAVELHA_DEPURAR");
        const QStringList arguments{"--dados", data.path(), "imprimir", "01/03/04", "--pdf", "escala.pdf"};
        const CliResult quiet = cli(arguments, environment, here.path());
        QCOMPARE(quiet.exit, 0);
        QCOMPARE(quiet.err, QString());
        environment.insert("RAVELHA_DEPURAR", "1");
        const CliResult told = cli(arguments, environment, here.path());
        QCOMPARE(told.exit, 0);
        QVERIFY2(told.err.contains("XDG_RUNTIME_DIR"), qPrintable(told.err));
    }

    void csvThatCannotBeWritten()
    {
        FixtureFolder data;
        QTemporaryDir here;
        const CliResult result = cliIn(here.path(), data, {"historico", "--csv", "falta/saida.csv"});
        QCOMPARE(result.exit, 1);
        QCOMPARE(result.err, "Não foi possível gravar o arquivo " + QDir::toNativeSeparators(QDir(here.path()).filePath("falta/saida.csv"))
                                 + ": a pasta " + QDir::toNativeSeparators(QDir(here.path()).filePath("falta"))
                                 + " não existe.\n");
    }
};

QTEST_GUILESS_MAIN(TestCliExport)
#include "TestCliExport.moc"
