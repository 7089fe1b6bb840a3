// Filling a new data folder from an initial data set, and the program's own set.
#include "FixtureFolder.h"
#include "ModelProbes.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/Dates.h"
#include "data/InitialDataSet.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

class TestInitialDataSet : public QObject {
    Q_OBJECT
private slots:
    void fillsWorkingAndInitialTablesAndFiles()
    {
        FixtureFolder data;
        for (const char* table : {"Sv", "RavSv", "Basico", "RavBasico", "Sv1", "RavSv1", "Hist", "RavHist"})
            QVERIFY2(data.module().openTable(Alias::Ravelha, QLatin1String(table), 1000).next(), table);
        QVERIFY(!data.module().openTable(Alias::Ravelha, QStringLiteral("Sv30"), 500).next());

        QSqlQuery folga = data.module().openTable(Alias::Ravelha, QStringLiteral("Sv"), 30);
        QVERIFY(folga.next());
        QCOMPARE(folga.value(6).toInt(), 2);

        // Each Ini file and its working twin, written in Windows-1252 with CRLF.
        for (const char* name : {"Escala.Txt", "IniEscala.Txt", "Entradas.Txt", "IniEntradas2.Txt", "UltiEqual.Txt"})
            QVERIFY2(QFile::exists(data.file(QLatin1String(name))), name);
        QFile basico(data.file(QStringLiteral("IniPstGrd.Txt")));
        QVERIFY(basico.open(QIODevice::ReadOnly));
        QVERIFY(basico.readAll().startsWith("Cap\r\n1\xBA Ten\r\n"));
        // A new folder keeps its backup beside it.
        QCOMPARE(DataFiles::ReadNiveis().backupFolder, QDir::toNativeSeparators(data.file(QStringLiteral("Espelho"))));
    }

    void refusesAnExistingFolderAndLeavesNoHalfFolder()
    {
        QTemporaryDir temp;
        const QString existing = temp.path();
        QVERIFY_THROWS_EXCEPTION(CoreError, InitialDataSet::install(existing, fixtureSource(QStringLiteral("pequena"))));
        QVERIFY(QDir(existing).isEmpty());

        // A set with a broken table: nothing is left behind.
        const QString broken = QDir(temp.path()).filePath(QStringLiteral("quebrado"));
        QVERIFY(QDir().mkpath(broken));
        const QDir fixture(fixtureSource(QStringLiteral("pequena")));
        for (const QString& f : fixture.entryList(QDir::Files))
            QVERIFY(QFile::copy(fixture.filePath(f), QDir(broken).filePath(f)));
        QFile hist(QDir(broken).filePath(QStringLiteral("RavHist.csv")));
        QVERIFY(hist.open(QIODevice::Append));
        hist.write("30/02/04;1;Of Dia;1;Pt\n");
        hist.close();
        const QString target = QDir(temp.path()).filePath(QStringLiteral("Dados"));
        QVERIFY_THROWS_EXCEPTION(CoreError, InitialDataSet::install(target, broken));
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(!QFileInfo::exists(target + QStringLiteral(".instalando")));
        QVERIFY(!InitialDataSet::installIfMissing(existing));
    }

    // A row the loaders would refuse is refused at install, by its file and line.
    void aRowTheLoadersWouldRefuseNamesItsLine()
    {
        QTemporaryDir temp;
        const QString broken = QDir(temp.path()).filePath(QStringLiteral("quebrado"));
        QVERIFY(QDir().mkpath(broken));
        const QDir fixture(fixtureSource(QStringLiteral("pequena")));
        for (const QString& f : fixture.entryList(QDir::Files))
            QVERIFY(QFile::copy(fixture.filePath(f), QDir(broken).filePath(f)));
        QFile basico(QDir(broken).filePath(QStringLiteral("RavBasico.csv")));
        QVERIFY(basico.open(QIODevice::Append));
        basico.write("13;Nogueira;Cb;;;;27/02/04  28/02/04 \n");
        basico.close();
        try {
            InitialDataSet::install(QDir(temp.path()).filePath(QStringLiteral("Dados")), broken);
            QFAIL("the set was installed");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), QStringLiteral("A tabela RavBasico (RavBasico.csv, linha 14), no militar 13, tem na coluna "
                                                 "USv o valor \"27/02/04  28/02/04 \", que não é uma lista de até 10 dias "
                                                 "dd/mm/aa separados por um espaço. Nada foi alterado."));
        }
    }

    // The program's own set describes a unit in early 2004 that a keeper can practise on.
    void builtInSetDescribesTheUnitOf2004()
    {
        FixtureFolder data(QStringLiteral("inicial"));
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("01/03/04"));
        const DataFiles::PreparationPeriod period = DataFiles::ReadPreparationPeriod();
        QCOMPARE(period.first, QDate(2004, 1, 1));
        QCOMPARE(period.last, QDate(2004, 3, 20));

        const QStringList red = DataFiles::ReadRedDayLines();
        for (QDate d(2004, 1, 1); d <= period.last; d = d.addDays(1)) {
            if (d.dayOfWeek() >= 6)
                QVERIFY2(red.contains(Dates::show(d)), qPrintable(Dates::show(d)));
        }
        QVERIFY(red.contains(QStringLiteral("23/02/04")) && red.contains(QStringLiteral("24/02/04")));

        LoadServices();
        LoadAllRosters();
        LoadSoldiers();
        LoadHistory();
        GlobalModel& g = Global();
        QCOMPARE(g.ServiceTable[1].Quant, 1);
        QCOMPARE(g.ServiceTable[2].Quant, 1);
        QCOMPARE(g.ServiceTable[3].Quant, 3);
        QCOMPARE(g.ServiceTable[4].Quant, 3);
        for (const char* n : {"1", "4", "5"})
            QVERIFY(NumbersOf(Global().Grades[1]).contains(QLatin1String(n)));
        for (const char* n : {"11", "12", "13"})
            QVERIFY(NumbersOf(Global().Grades[2]).contains(QLatin1String(n)));
        QVERIFY(!NumbersOf(Global().Grades[2]).contains(QStringLiteral("6")));
        for (int n = 21; n <= 29; ++n)
            QVERIFY(NumbersOf(Global().Grades[3]).contains(QString::number(n)));
        for (int n = 30; n <= 39; ++n)
            QVERIFY(NumbersOf(Global().Grades[4]).contains(QString::number(n)));

        int soldiers = 0;
        while (!g.SoldierTable[soldiers + 1].Num.isEmpty())
            ++soldiers;
        QVERIFY(soldiers >= 40 && soldiers <= 60);
        for (int i = 1; i <= soldiers; ++i)
            QVERIFY(g.SoldierTable[i].Num != QStringLiteral("3831"));

        // The history reaches the last rostered day, every service every day, no day after it.
        QVERIFY(HistoryInUse() > 0);
        QCOMPARE(g.HistoryCache[HistoryInUse()].Dia, QDate(2004, 3, 1));
        QCOMPARE(g.HistoryCache[HistoryInUse() - 3].Dia, QDate(2004, 3, 1));

        QCOMPARE(DataFiles::ReadRankModels().size(), 275);
        QStringList sections;
        for (const QString& line : DataFiles::ReadManual()) {
            if (line.size() >= 3 && line.left(3).toInt() >= 1 && line.left(3).toInt() <= 25 && line.at(0).isDigit())
                sections << line.left(3);
        }
        sections.removeDuplicates();
        QCOMPARE(sections.size(), 25);
        QCOMPARE(sections.first(), QStringLiteral("001"));
        QCOMPARE(sections.last(), QStringLiteral("025"));
    }
};

QTEST_GUILESS_MAIN(TestInitialDataSet)
#include "TestInitialDataSet.moc"
