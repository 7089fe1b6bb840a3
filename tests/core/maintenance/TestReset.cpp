// The reset puts the working tables and text files back to the initial set the data folder keeps
// (Rav* tables, Ini* files), on the small fixture after some days of work have changed everything.
#include "FailingWrites.h"
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/PendingFiles.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "data/UnitTexts.h"
#include "maintenance/Reset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>
#include <memory>

class TestReset : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;

    void run(const QString& statement)
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY2(q.exec(statement), qPrintable(statement));
    }
    QStringList rows(const QString& table) { return StoredRows(m_data->module(), table); }
    QStringList lines(const QString& bareName) { return m_data->readText(bareName); }

    // Everything a reset may change: the working tables, the text files and the Ini files.
    QStringList everything()
    {
        QStringList state = StoredTables(m_data->module(), TableSchema::workingTables());
        for (const QString& name : Reset::RestoredTextFiles()) {
            for (const QString& file : {name, QStringLiteral("Ini") + name}) {
                state << QStringLiteral("== ") + file;
                if (QFileInfo(m_data->file(file)).isFile() || (m_data->serverUnit() && UnitTexts::StateFiles().contains(file)))
                    state << lines(file);
            }
        }
        return state;
    }

    // Some weeks of work: every table and file differs from the initial set.
    void workOnTheData()
    {
        run("UPDATE Sv SET Descr = 'Mudado', Quant = 9, Folga = 7");
        run("INSERT INTO Sv VALUES (5, 'Novo', '2004-01-01', '2004-12-31', 1, 5, 2)");
        run("INSERT INTO Sv5 VALUES ('1', 3, 3)");
        run("INSERT INTO Sv6 VALUES ('2', 4, 4)");
        run("INSERT INTO Sv7 VALUES ('3', 5, 5)");
        run("UPDATE Sv1 SET Pt = 40");
        run("DELETE FROM Sv3");
        run("INSERT INTO Sv4 VALUES ('9', 1, 1)");
        run("UPDATE Basico SET Nome = 'Outro'");
        run("INSERT INTO Hist VALUES ('2004-03-05', 1, 'Of Dia', '1', 'Pt')");
        m_data->writeText(DataFiles::Escala, {"05/03/04"});
        m_data->writeText(DataFiles::DataIniFim, {"01/03/04", "31/03/04"});
        TextFile::writeLines(m_data->file(DataFiles::Niveis), {"Outra capa", "", "", "", "Capa.Bmp", "/tmp/x"});
        m_data->writeText(DataFiles::SemExped, {"06/03/04"});
        TextFile::writeLines(m_data->file(QStringLiteral("Entradas.Txt")), {"99,Sd,Novo"});
        // The Ini copies of the restart files are rewritten by the reset itself.
        TextFile::writeLines(m_data->file(QStringLiteral("IniEscala.Txt")), {"15/03/04"});
        QFile::remove(m_data->file(QStringLiteral("IniDataIniFim.Txt")));
    }

private slots:
    void init() { m_data = std::make_unique<FixtureFolder>(); }
    void cleanup() { m_data.reset(); }

    void restoresTheInitialSet()
    {
        if (TestsOnServer())
            QSKIP("A unit on a server keeps no initial tables: see aServerUnitTakesTheProgramsInitialSet.");
        const QStringList initialServices = rows("RavSv");
        const QStringList sv7 = rows("Sv7");
        workOnTheData();
        run("UPDATE RavSv SET Folga = 5");
        // Marked rows of the initial set are dropped on the way.
        run("INSERT INTO RavSv1 VALUES ('x', 0, 0)");
        run("INSERT INTO RavBasico (Num, Nome) VALUES ('x', 'Apagado')");
        QList<int> steps;
        int total = 0;

        const QString notice = Reset::RestoreInitialDataSet([&](int done, int all) {
            steps << done;
            total = all;
        });

        QCOMPARE(notice, QString());
        QCOMPARE(rows("Sv"), initialServices);   // every service with a rest of 2
        QVERIFY(initialServices.first().endsWith("|2"));
        QStringList basico = rows("RavBasico");
        basico.removeIf([](const QString& row) { return row.startsWith("x|"); });
        QCOMPARE(rows("Basico"), basico);
        QCOMPARE(rows("Sv1"), QStringList({"1|1|0", "2|0|1", "3|0|1"}));
        QCOMPARE(rows("Sv2"), rows("RavSv2"));
        QCOMPARE(rows("Sv3"), rows("RavSv3"));
        QCOMPARE(rows("Sv4"), QStringList());   // the small set has no fourth roster
        QCOMPARE(rows("Sv5"), QStringList());
        QCOMPARE(rows("Sv6"), QStringList());
        QCOMPARE(rows("Sv7"), sv7 + QStringList{"3|5|5"});   // beyond the initial rosters: as it was
        QCOMPARE(rows("Hist"), rows("RavHist"));

        QCOMPARE(lines(DataFiles::Escala), QStringList{"01/03/04"});
        QCOMPARE(lines(QStringLiteral("IniEscala.Txt")), QStringList{"01/03/04"});
        QCOMPARE(lines(DataFiles::DataIniFim), QStringList({"01/01/04", "20/03/04"}));
        QCOMPARE(lines(QStringLiteral("IniDataIniFim.Txt")), QStringList({"01/01/04", "20/03/04"}));
        for (const QString& name : Reset::RestoredTextFiles()) {
            if (name != DataFiles::Niveis)
                QCOMPARE(lines(name), lines(QStringLiteral("Ini") + name));
        }
        // The initial cover, and the place of the backup copy where the keeper put it.
        QCOMPARE(lines(DataFiles::Niveis), lines(QStringLiteral("IniNiveis.Txt")).mid(0, 5) << "/tmp/x");
        QCOMPARE(lines(DataFiles::Niveis).value(0), QStringLiteral("Unidade de Teste"));
        QVERIFY(!PendingFiles::pending(DataFiles::Escala));

        QCOMPARE(total, 8);
        QCOMPARE(steps, QList<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    }

    void somethingMissingOrUnreadableChangesNothing_data()
    {
        QTest::addColumn<QString>("sabotage");   // a statement, or "-File" to delete a file
        QTest::addColumn<QString>("named");      // what the refusal names
        QTest::newRow("initial roster table") << "DROP TABLE RavSv3" << "RavSv3";
        QTest::newRow("initial history table") << "DROP TABLE RavHist" << "RavHist";
        QTest::newRow("initial manual") << "-IniManual.Txt" << "IniManual.Txt";
        QTest::newRow("initial cover") << "-IniNiveis.Txt" << "IniNiveis.Txt";
        QTest::newRow("a service day that is no day") << "UPDATE RavBasico SET USv = 'ontem ' WHERE Num = '1'"
                                                      << "RavBasico";
        QTest::newRow("a roster count that is no number") << "UPDATE RavSv2 SET Pt = 'muitos'" << "RavSv2";
    }
    void somethingMissingOrUnreadableChangesNothing()
    {
        if (TestsOnServer())
            QSKIP("A unit on a server keeps no initial tables or files of its own.");
        QFETCH(QString, sabotage);
        QFETCH(QString, named);
        workOnTheData();
        if (sabotage.startsWith('-'))
            QVERIFY(QFile::remove(m_data->file(sabotage.mid(1))));
        else
            run(sabotage);
        const QStringList before = everything();
        LoadSoldiers();
        try {
            Reset::RestoreInitialDataSet();
            QFAIL("the reset went on");
        } catch (const CoreError& e) {
            QVERIFY2(e.message().contains(named), qPrintable(e.message()));
        }
        QCOMPARE(everything(), before);
        // The model of the run is not left half filled with the initial set either.
        QCOMPARE(Global().SoldierTable[1].Nome, QStringLiteral("Outro"));
    }

    // The whole reset is one transaction: a table refused late leaves the emptied ones whole.
    void aWriteRefusedLateChangesNothing()
    {
        workOnTheData();
        QVERIFY(MakeWritesFail(m_data->module().database(Alias::Ravelha), QStringLiteral("Hist"), QStringLiteral("INSERT")));
        const QStringList before = everything();
        QVERIFY_THROWS_EXCEPTION(CoreError, Reset::RestoreInitialDataSet());
        QCOMPARE(everything(), before);
        QVERIFY(!PendingFiles::pending(DataFiles::Escala));
    }

    // A text file that cannot be written once the tables are committed is kept with them and
    // written at the next start; the keeper is told.
    void aFileNotWrittenWaitsWithTheTables()
    {
        if (TestsOnServer())
            QSKIP("On a server the files of the unit's state are rows of the unit, written with the tables.");
        workOnTheData();
        QFile::remove(m_data->file(DataFiles::SemExped));
        QVERIFY(QDir().mkdir(m_data->file(DataFiles::SemExped)));   // no file can take its place

        const QString notice = Reset::RestoreInitialDataSet();

        QVERIFY2(notice.contains(DataFiles::SemExped), qPrintable(notice));
        QCOMPARE(rows("Hist"), rows("RavHist"));
        QCOMPARE(lines(DataFiles::Escala), QStringList{"01/03/04"});
        QCOMPARE(PendingFiles::pending(DataFiles::SemExped), lines(QStringLiteral("IniSemExped.Txt")));
        QVERIFY(QDir().rmdir(m_data->file(DataFiles::SemExped)));
        QCOMPARE(PendingFiles::finish(true), QString());
        QCOMPARE(lines(DataFiles::SemExped), lines(QStringLiteral("IniSemExped.Txt")));
    }

    // A unit on a server keeps no initial tables: its reset reads the program's own set, and so
    // gives what the same reset gives a data folder made from that set.
    void aServerUnitTakesTheProgramsInitialSet()
    {
        if (!TestsOnServer())
            QSKIP("Only for a unit on a server.");
        const QStringList texts{DataFiles::Escala, DataFiles::DataIniFim, DataFiles::SemExped,
                                DataFiles::PstGrd, DataFiles::ModelosPstGrd};
        m_data.reset();   // one folder at a time
        const auto afterReset = [&](FixtureFolder& data) {
            QSqlQuery q(data.module().database(Alias::Ravelha));
            for (const char* change : {"UPDATE Sv SET Descr = 'Mudado', Quant = 9", "DELETE FROM Sv1",
                                       "UPDATE Basico SET Nome = 'Outro'", "DELETE FROM Hist"})
                q.exec(QString::fromLatin1(change));
            data.writeText(DataFiles::Escala, {"05/03/04"});
            data.writeText(DataFiles::SemExped, {"06/03/04"});
            if (!Reset::RestoreInitialDataSet({}).isEmpty())
                return QStringList{"aviso"};
            QStringList state = StoredTables(data.module(), TableSchema::workingTables());
            for (const QString& name : texts)
                state << QStringLiteral("== ") + name << data.readText(name);
            return state;
        };
        QStringList yardstick;
        {
            qunsetenv("RAVELHA_TESTE_SERVIDOR");
            FixtureFolder folder(QStringLiteral("inicial"));
            qputenv("RAVELHA_TESTE_SERVIDOR", "1");
            QVERIFY(!folder.module().onServer());
            yardstick = afterReset(folder);
        }
        FixtureFolder unit(QStringLiteral("inicial"));
        QVERIFY(unit.module().onServer());
        const QStringList onServer = afterReset(unit);
        QCOMPARE(onServer, yardstick);
        QVERIFY(onServer.contains(QStringLiteral("01/03/04")));
        QVERIFY(!HasTable(unit.module().database(Alias::Ravelha), QStringLiteral("RavBasico")));
    }
};

QTEST_GUILESS_MAIN(TestReset)
#include "TestReset.moc"
