// ravelha-cli exportar-ical and the --csv of historico, quadro and verificar, on fresh copies of
// the small fixture (rostered up to 29/02/04): the listing printed as before, the file written
// beside it, relative names taken from where the command was given.
#include "CliRunner.h"
#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Bom("\xEF\xBB\xBF");

CliResult cliIn(const QString& folder, FixtureFolder& data, const QStringList& arguments)
{
    return cli(QStringList{QStringLiteral("--dados"), data.path()} + arguments, plainEnvironment(), folder);
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

    void csvThatCannotBeWritten()
    {
        FixtureFolder data;
        QTemporaryDir here;
        const CliResult result = cliIn(here.path(), data, {"historico", "--csv", "falta/saida.csv"});
        QCOMPARE(result.exit, 1);
        QVERIFY2(result.err.contains("Não foi possível gravar"), qPrintable(result.err));
    }
};

QTEST_GUILESS_MAIN(TestCliExport)
#include "TestCliExport.moc"
