// ravelha-cli reiniciar, expurgar and instalar on a copy of the small fixture (history of 27/02,
// 28/02 and 29/02/04, three services a day) or on a new folder.
#include "CliRunner.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "maintenance/Reset.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList lines(FixtureFolder& data, const QString& bareName)
{
    return TextFile::readLines(data.file(bareName));
}

void run(const QString& statement)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    if (!q.exec(statement))
        qFatal("%s", qPrintable(statement));
}

// Work done since the initial set: a roster of service 5, an extra day of history, a later day.
void workOnTheData(FixtureFolder& data)
{
    run("INSERT INTO Sv5 VALUES ('1', 3, 3)");
    run("INSERT INTO Hist VALUES ('2004-03-05', 1, 'Of Dia', '1', 'Pt')");
    run("UPDATE Sv1 SET Pt = 40");
    TextFile::writeLines(data.file(DataFiles::Escala), {"05/03/04"});
    TextFile::writeLines(data.file(DataFiles::DataIniFim), {"01/03/04", "31/03/04"});
}

// The stored tables and every text file the reset restores.
QStringList everything(FixtureFolder& data)
{
    QStringList state = storedState(data);
    for (const QString& name : Reset::RestoredTextFiles())
        state << QStringLiteral("== ") + name << lines(data, name);
    return state;
}

}

class TestCliReset : public QObject {
    Q_OBJECT
private slots:
    void resetAsksForItsFlag()
    {
        FixtureFolder data;
        workOnTheData(data);
        const QStringList before = everything(data);
        const CliResult r = cli(data, {"reiniciar"});
        QCOMPARE(r.exit, 1);
        QVERIFY2(r.err.contains(Reset::Question + "\n"), qPrintable(r.err));
        QVERIFY(r.err.contains("--sim"));
        QCOMPARE(r.out, QStringList());
        QCOMPARE(everything(data), before);

        QCOMPARE(cli(data, {"reiniciar", "--sim", "02/03/04"}).exit, 2);
        QCOMPARE(everything(data), before);
    }

    void resetRestoresTheInitialSet()
    {
        FixtureFolder data;
        workOnTheData(data);
        const CliResult r = cli(data, {"reiniciar", "--sim"});
        QCOMPARE(r.exit, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, QStringList({"Última Escalação: 01/03/04", Reset::Done}));
        QCOMPARE(lines(data, DataFiles::Escala), QStringList{"01/03/04"});
        QCOMPARE(lines(data, DataFiles::DataIniFim), QStringList({"01/01/04", "20/03/04"}));
        QCOMPARE(StoredRows(data.module(), "Sv5"), QStringList());
        QCOMPARE(StoredRows(data.module(), "Sv1"), StoredRows(data.module(), "RavSv1"));
        QCOMPARE(StoredRows(data.module(), "Hist"), StoredRows(data.module(), "RavHist"));
        // The folder opens again as a new start would.
        QCOMPARE(cli(data, {"expurgar", "01/01/04"}).exit, 0);
    }

    void resetWithoutAnInitialFileChangesNothing()
    {
        FixtureFolder data;
        workOnTheData(data);
        QVERIFY(QFile::remove(data.file("IniPstGrd.Txt")));
        const QStringList before = everything(data);
        const CliResult r = cli(data, {"reiniciar", "--sim"});
        QCOMPARE(r.exit, 1);
        QVERIFY2(r.err.contains("IniPstGrd.Txt"), qPrintable(r.err));
        QCOMPARE(everything(data), before);
    }

    void purge_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<int>("left");
        const QString three = QStringLiteral("Serão eliminados do Histórico 3 registros, do dia 27/02/04.");
        const QString all = QStringLiteral("Serão eliminados do Histórico 9 registros, do dia 27/02/04 ao dia 29/02/04.");
        QTest::newRow("dd/mm/yy") << QStringList{"28/02/04"}
                                  << QStringList{three, "3 registros foram eliminados do Histórico."} << 6;
        QTest::newRow("dd/mm/yyyy") << QStringList{"28/02/2004"}
                                    << QStringList{three, "3 registros foram eliminados do Histórico."} << 6;
        // The last rostered day is 29/02/04: a later first day kept takes every duty, with --forcar.
        QTest::newRow("one-digit day and month, confirmed") << QStringList{"1/3/04", "--forcar"}
                                                            << QStringList{all, "9 registros foram eliminados do Histórico."}
                                                            << 0;
        QTest::newRow("years after, confirmed first") << QStringList{"--forcar", "01/01/10"}
                                                      << QStringList{all, "9 registros foram eliminados do Histórico."}
                                                      << 0;
        QTest::newRow("before the first day") << QStringList{"26/02/04"}
                                              << QStringList{"0 registros foram eliminados do Histórico."} << 9;
    }
    void purge()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, left);
        FixtureFolder data;
        const CliResult r = cli(data, QStringList{"expurgar"} + arguments);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exit, 0);
        QTEST(r.out, "printed");
        const QStringList hist = StoredRows(data.module(), "Hist");
        QCOMPARE(hist.size(), left);
        const QString day = arguments.first() == "--forcar" ? arguments.last() : arguments.first();
        const QString firstKept = Dates::toStorage(*Dates::parse(day));
        for (const QString& row : hist)
            QVERIFY2(row >= firstKept, qPrintable(row));
    }

    void purgeRefusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("said");
        QTest::newRow("no such day") << QStringList{"expurgar", "30/02/04"} << 1 << "30/02/04 >>> Data inválida";
        QTest::newRow("no day") << QStringList{"expurgar"} << 2 << "Falta o primeiro dia";
        QTest::newRow("two days") << QStringList{"expurgar", "28/02/04", "29/02/04"} << 2 << "29/02/04";
        QTest::newRow("an unknown flag") << QStringList{"expurgar", "28/02/04", "--sim"} << 2 << "Argumento inesperado: --sim";
        // Every rostered duty, the recent ones too, would go: the window's second question.
        QTest::newRow("past the last rostered day")
            << QStringList{"expurgar", "01/01/10"} << 1
            << "Serão eliminados do Histórico 9 registros, do dia 27/02/04 ao dia 29/02/04.\n\nO dia 01/01/10 é posterior "
               "ao último dia escalado (29/02/04): serão eliminados também os serviços mais recentes, até o último dia "
               "escalado.\n\nEliminar mesmo assim?\nNada foi alterado. Para confirmar, repita o comando com --forcar.\n";
        QTest::newRow("the day after the last rostered day")
            << QStringList{"expurgar", "01/03/04"} << 1 << "O dia 01/03/04 é posterior ao último dia escalado (29/02/04)";
    }
    void purgeRefusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exit);
        QFETCH(QString, said);
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult r = cli(data, arguments);
        QCOMPARE(r.exit, exit);
        QVERIFY2(r.err.contains(said), qPrintable(r.err));
        QCOMPARE(r.out, QStringList());
        QCOMPARE(storedState(data), before);
    }

    void install_data()
    {
        QTest::addColumn<bool>("emptyFolderFirst");
        QTest::newRow("a new folder") << false;
        QTest::newRow("an empty folder") << true;
    }
    void install()
    {
        QFETCH(bool, emptyFolderFirst);
        QTemporaryDir temp;
        const QString folder = QDir(temp.path()).filePath("Unidade/Ravelha");
        if (emptyFolderFirst)
            QVERIFY(QDir().mkpath(folder));
        const CliResult r = cli({"--dados", folder, "instalar"});
        QCOMPARE(r.exit, 0);
        QCOMPARE(r.out, QStringList{"Pasta de dados instalada: " + QDir::toNativeSeparators(folder)});
        QCOMPARE(TextFile::readLines(QDir(folder).filePath(DataFiles::Escala)), QStringList{"01/03/04"});
        QVERIFY(QFileInfo(QDir(folder).filePath("IniManual.Txt")).isFile());
        QVERIFY(!QFileInfo::exists(folder + ".instalando"));
        // A script goes on with the new unit at once.
        const CliResult purged = cli({"--dados", folder, "expurgar", "01/01/04"});
        QCOMPARE(purged.exit, 0);
        QCOMPARE(purged.out, QStringList{"0 registros foram eliminados do Histórico."});
    }

    void installRefusesAFolderInUse()
    {
        FixtureFolder data;
        const QStringList before = storedState(data);
        const CliResult r = cli(data, {"instalar"});
        QCOMPARE(r.exit, 1);
        QVERIFY2(r.err.contains("não está vazia"), qPrintable(r.err));
        QCOMPARE(storedState(data), before);
        QCOMPARE(cli(data, {"instalar", "agora"}).exit, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliReset)
#include "TestCliReset.moc"
