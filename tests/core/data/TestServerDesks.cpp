// Two desks on one unit of a server: a table written back whole from a model read before the other
// desk's commit is refused, and nothing of the write is left; a desk that read again, or that only
// wrote over its own writes, is not refused. A file of one desk's folder staged with the tables is
// written by that desk only.

#include "FixtureFolder.h"
#include "PrivateServer.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/PendingFiles.h"
#include "data/ReadMarks.h"
#include "data/SqlTransaction.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

const QStringList WholeState = {QStringLiteral("Basico"), QStringLiteral("Sv"), QStringLiteral("Sv1"),
                                QStringLiteral("Sv2"), QStringLiteral("Sv3")};

// The other desk: its own connection to the unit, committing one statement.
void otherDeskRuns(FixtureFolder& folder, const QString& sql, const QVariantList& values)
{
    TDMGeral other(folder.path(), folder.backupPath(), folder.serverUnit()->address());
    {
        QSqlQuery query(other.database(Alias::Ravelha));
        QVERIFY2(query.prepare(sql), qPrintable(query.lastError().text()));
        for (const QVariant& value : values)
            query.addBindValue(value);
        QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
        QCOMPARE(query.numRowsAffected(), 1);
    }
}

QString firstNumOf(const RosterTable& roster)
{
    return roster.cell(RosterTable::NumCol, 1);
}

}

class TestServerDesks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!TestsOnServer())
            QSKIP("The marks only hold for a unit on a server: this program runs with RAVELHA_TESTE_SERVIDOR.");
    }

    void staleWholeWritesAreRefused_data()
    {
        QTest::addColumn<QString>("otherSql");
        QTest::addColumn<int>("otherRoster");        // 0: the other desk changes the register
        QTest::addColumn<bool>("writeRosters");      // which table this desk writes back

        QTest::newRow("register over a changed register") << QStringLiteral("UPDATE Basico SET Nome = ? WHERE Num = ?") << 0 << false;
        QTest::newRow("rosters over a changed third roster") << QStringLiteral("UPDATE Sv3 SET Pt = Pt + 7 WHERE Num = ?") << 3 << true;
        QTest::newRow("rosters over a row added to the first") << QStringLiteral("INSERT INTO Sv1 (Num, Pt, Vm) VALUES (?, 0, 0)") << 1 << true;
    }

    void staleWholeWritesAreRefused()
    {
        QFETCH(QString, otherSql);
        QFETCH(int, otherRoster);
        QFETCH(bool, writeRosters);
        FixtureFolder folder;
        LoadServices();
        LoadSoldiers();
        LoadAllRosters();
        GlobalModel& g = Global();
        const QString num = g.SoldierTable[1].Num;
        QVERIFY(!num.isEmpty());
        QVERIFY(!firstNumOf(g.Grades[3]).isEmpty());

        // The other desk commits while this one's model is open in a window.
        if (otherRoster == 0)
            otherDeskRuns(folder, otherSql, {QStringLiteral("Outro Nome"), num});
        else if (otherSql.startsWith(QStringLiteral("INSERT")))
            otherDeskRuns(folder, otherSql, {QStringLiteral("9999")});
        else
            otherDeskRuns(folder, otherSql, {firstNumOf(g.Grades[otherRoster])});
        const QStringList stored = StoredTables(folder.module(), WholeState);

        // This desk changes its model and writes it back whole.
        g.SoldierTable[1].PR = QStringLiteral("P");
        g.Grades[1].cell(RosterTable::PtCol, 1) = QStringLiteral("41");
        try {
            if (writeRosters)
                SaveAllRosters();
            else
                SaveSoldiers();
            QFAIL("a write over another desk's commit was taken");
        } catch (const CoreError& e) {
            QCOMPARE(e.message(), ReadMarks::ChangedElsewhere);
        }
        QCOMPARE(StoredTables(folder.module(), WholeState), stored);

        // Read again, the same change is written, and the other desk's commit stays.
        LoadSoldiers();
        LoadAllRosters();
        g.SoldierTable[1].PR = QStringLiteral("P");
        g.Grades[2].cell(RosterTable::PtCol, 1) = QStringLiteral("41");
        SaveSoldiers();
        SaveAllRosters();
        LoadSoldiers();
        LoadAllRosters();
        QCOMPARE(g.SoldierTable[1].PR, QStringLiteral("P"));
        QCOMPARE(g.Grades[2].cell(RosterTable::PtCol, 1), QStringLiteral("41"));
        if (otherRoster == 0)
            QCOMPARE(g.SoldierTable[1].Nome, QStringLiteral("Outro Nome"));
    }

    // Writing over its own writes, after a rolled-back write, or after a table changed row by row
    // by this desk, is no change of another desk's.
    void ownWritesAreNotRefused()
    {
        FixtureFolder folder;
        LoadServices();
        LoadSoldiers();
        GlobalModel& g = Global();
        g.SoldierTable[1].PR = QStringLiteral("P");
        SaveSoldiers();
        g.SoldierTable[1].PR = QStringLiteral("R");
        SaveSoldiers();

        {
            SqlTransaction abandoned(folder.module().database(Alias::Ravelha));
            g.SoldierTable[1].PR.clear();
            SaveSoldiers();
        }   // rolled back: the stored register is still the one with "R"
        g.SoldierTable[1].PR = QStringLiteral("P");
        SaveSoldiers();
        LoadSoldiers();
        QCOMPARE(g.SoldierTable[1].PR, QStringLiteral("P"));

        // Zeroing a roster (not a whole write) does not make the next whole write a stale one.
        LoadAllRosters();
        folder.module().zeroRosterCounts(1);
        g.Grades[1].cell(RosterTable::PtCol, 1) = QStringLiteral("3");
        SaveAllRosters();
        LoadAllRosters();
        QCOMPARE(g.Grades[1].cell(RosterTable::PtCol, 1), QStringLiteral("3"));
    }

    // Staged on a server, a file of the desk's own folder (the cover's, after a restore) is not
    // written into another desk's folder when that desk starts first.
    void aDeskFileIsWrittenByItsOwnDeskOnly()
    {
        FixtureFolder folder;
        QTemporaryDir otherDesk;
        QVERIFY(CopyFolder(folder.path(), otherDesk.path()));
        const QString otherNiveis = QDir(otherDesk.path()).filePath(DataFiles::Niveis);
        const QStringList otherLines = TextFile::readLines(otherNiveis);
        {
            SqlTransaction transaction(folder.module().database(Alias::Ravelha));
            PendingFiles::stage(DataFiles::Niveis, {QStringLiteral("Outra Unidade")});
            transaction.commit();
        }

        const QString ownPath = DataFolder::path();
        DataFolder::setPath(otherDesk.path());
        QCOMPARE(PendingFiles::finish(true), QString());
        QVERIFY(!PendingFiles::pending(DataFiles::Niveis));
        DataFolder::setPath(ownPath);
        QCOMPARE(TextFile::readLines(otherNiveis), otherLines);

        QCOMPARE(PendingFiles::pending(DataFiles::Niveis).value_or(QStringList()), QStringList({QStringLiteral("Outra Unidade")}));
        QCOMPARE(PendingFiles::finish(true), QString());
        QCOMPARE(TextFile::readLines(folder.file(DataFiles::Niveis)), QStringList({QStringLiteral("Outra Unidade")}));
        QVERIFY(!PendingFiles::pending(DataFiles::Niveis));
    }

    // Another login of the server cannot stall the unit's writers: a lock named after the unit,
    // which any login may take, is not their turn, and the turn itself needs the right to change
    // the unit's tables.
    void anotherLoginCannotStallTheWriters()
    {
        FixtureFolder folder;
        QSqlDatabase db = folder.module().database(Alias::Ravelha);
        QString path, schema;
        {
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT current_setting('search_path'), current_schema()")) && q.next());
            path = q.value(0).toString();
            schema = q.value(1).toString();
        }
        const QString role = QStringLiteral("ravelha_intruso");
        QString why;
        {
            QSqlDatabase intruder = OpenPrivateServer(QStringLiteral("intruso"), &why);
            QVERIFY2(intruder.isOpen(), qPrintable(why));
            QSqlQuery i(intruder);
            QVERIFY(i.exec(QStringLiteral("DROP ROLE IF EXISTS %1").arg(role)));
            QVERIFY(i.exec(QStringLiteral("CREATE ROLE %1").arg(role)));
            QVERIFY(i.exec(QStringLiteral("SET ROLE %1").arg(role)));
            QVERIFY(i.prepare(QStringLiteral("SELECT pg_advisory_lock(hashtext(?))")));
            i.addBindValue(path);
            QVERIFY2(i.exec(), qPrintable(i.lastError().text()));
            QVERIFY(intruder.transaction());
            QVERIFY(!i.exec(QStringLiteral("LOCK TABLE \"%1\".sv IN SHARE ROW EXCLUSIVE MODE").arg(schema)));
            QCOMPARE(i.lastError().nativeErrorCode(), QStringLiteral("42501"));   // permission denied
            intruder.rollback();

            {
                QSqlQuery q(db);
                QVERIFY(q.exec(QStringLiteral("SET lock_timeout = '3s'")));
            }
            LoadServices();
            Global().ServiceTable[1].Prio = 9;
            try {
                SqlTransaction transaction(db);
                SaveServices();
                transaction.commit();
            } catch (const CoreError& e) {
                QFAIL(qPrintable(e.message()));
            }
            LoadServices();
            QCOMPARE(Global().ServiceTable[1].Prio, 9);
            QVERIFY(i.exec(QStringLiteral("RESET ROLE")));
            QVERIFY(i.exec(QStringLiteral("SELECT pg_advisory_unlock_all()")));
            QVERIFY(i.exec(QStringLiteral("DROP ROLE %1").arg(role)));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("intruso"));
    }
};

QTEST_GUILESS_MAIN(TestServerDesks)
#include "TestServerDesks.moc"
