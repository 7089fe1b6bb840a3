// "Escalar" and the undo from a day, on the small fixture (rostered up to 29/02/04; red days
// include 28/02, 29/02 and 06/03/04).
#include "FailingWrites.h"
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/KillPoints.h"
#include "data/PendingFiles.h"
#include "data/Session.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "rostering/Commit.h"
#include "rostering/Computation.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

namespace {

QDate march(int day)
{
    return QDate(2004, 3, day);
}

// Everything a roster changes: the rosters, the personnel register, the history, Escala.Txt.
QStringList storedState(FixtureFolder& data)
{
    QStringList state;
    for (const char* table : {"Sv1", "Sv2", "Sv3", "Basico", "Hist"})
        state << QStringLiteral("== ") + table << StoredRows(data.module(), table);
    state << data.readText(DataFiles::Escala);
    return state;
}

QString storedCounts(FixtureFolder& data, int code, const QString& num)
{
    for (const QString& row : StoredRows(data.module(), QStringLiteral("Sv%1").arg(code)))
        if (row.section(QLatin1Char('|'), 0, 0) == num)
            return row.section(QLatin1Char('|'), 1, 2).replace(QLatin1Char('|'), QLatin1Char('/'));
    return QString();
}

QString storedServiceDays(FixtureFolder& data, const QString& num)
{
    QSqlQuery q = data.module().selectBasicoByNum(num);
    return q.next() ? q.value(QStringLiteral("USv")).toString() : QString();
}

void addHistory(const QList<HistoryRecord>& records)
{
    LoadHistory();
    int free = HistoryInUse() + 1;
    for (const HistoryRecord& r : records)
        Global().HistoryCache[free++] = r;
    SaveHistory();
}

void failOn(FixtureFolder& data, const QString& event)
{
    QVERIFY(MakeWritesFail(data.module().database(Alias::Ravelha), QStringLiteral("Hist"), event));
}

// The keeper's answers to the questions that guard a loss, and the questions asked.
struct Keeper {
    bool answer = false;
    QStringList asked;
    Confirm confirm()
    {
        return [this](const QString& question) {
            asked << question;
            return answer;
        };
    }
};

CommitOutcome commit(const QString& target, const Confirm& confirm = {})
{
    const RosterRun run = VerifyRoster(target);
    if (run.refused)
        throw CoreError(run.refusal);
    return CommitRoster(*run.verified, confirm);
}

bool yes(const QString&)
{
    return true;
}

}

class TestRosterCommit : public QObject {
    Q_OBJECT
private slots:
    void commitLeavesNoDayAfterTheTarget()
    {
        FixtureFolder data;
        commit(QStringLiteral("01/03/04"));   // 02/03 and 03/03 were computed too
        QCOMPARE(StoredRows(data.module(), QStringLiteral("Hist")).filter(QStringLiteral("2004-03")),
                 QStringList({"2004-03-01|1|Of Dia|1 |Pt", "2004-03-01|2|Adj Of|4 |Pt", "2004-03-01|3|Cb Gda|8 7 |Pt"}));
        QCOMPARE(data.readText(DataFiles::Escala), QStringList{"01/03/04"});
        QCOMPARE(Global().LastRosteredDay, QStringLiteral("01/03/04"));
        QCOMPARE(storedCounts(data, 1, QStringLiteral("1")), QStringLiteral("2/0"));
        QCOMPARE(storedCounts(data, 1, QStringLiteral("2")), QStringLiteral("0/1"));   // chosen on 02/03, taken back
        QCOMPARE(storedCounts(data, 3, QStringLiteral("7")), QStringLiteral("2/0"));
        QCOMPARE(storedCounts(data, 3, QStringLiteral("10")), QStringLiteral("0/1"));
        QCOMPARE(storedServiceDays(data, QStringLiteral("1")), QStringLiteral("27/02/04 01/03/04 "));
        QCOMPARE(storedServiceDays(data, QStringLiteral("2")), QStringLiteral("28/02/04 "));
    }

    void commitToAnEarlierDayAsksBeforeTakingTheLaterDaysBack()
    {
        FixtureFolder data;
        const QString question = QStringLiteral(
            "A última escalação vai até o dia 29/02/04.\n\n"
            "Escalar até o dia 27/02/04 desfará os dias de 28/02/04 a 29/02/04, já escalados: os registros do "
            "histórico serão eliminados e as contagens e os últimos serviços dos militares, refeitos.\n\n"
            "Deseja continuar?");
        const QStringList before = storedState(data);
        Keeper no;
        QVERIFY(!commit(QStringLiteral("27/02/04"), no.confirm()).done);
        QCOMPARE(no.asked, QStringList{question});
        QCOMPARE(storedState(data), before);
        QVERIFY(!commit(QStringLiteral("27/02/04")).done);   // no one to ask is No
        QCOMPARE(storedState(data), before);

        Keeper yes;
        yes.answer = true;
        QVERIFY(commit(QStringLiteral("27/02/04"), yes.confirm()).done);
        QCOMPARE(yes.asked, QStringList{question});
        QCOMPARE(data.readText(DataFiles::Escala), QStringList{"27/02/04"});
        QVERIFY(StoredRows(data.module(), QStringLiteral("Hist")).filter(QRegularExpression("2004-02-2[89]")).isEmpty());
        QCOMPARE(storedCounts(data, 1, QStringLiteral("2")), QStringLiteral("0/0"));
        QCOMPARE(storedCounts(data, 3, QStringLiteral("12")), QStringLiteral("0/0"));
        QCOMPARE(storedCounts(data, 1, QStringLiteral("1")), QStringLiteral("1/0"));
        QCOMPARE(storedServiceDays(data, QStringLiteral("2")), QString());

        // The last rostered day itself, or a later day, undoes nothing and asks nothing.
        Keeper asked;
        QVERIFY(commit(QStringLiteral("27/02/04"), asked.confirm()).done);
        QVERIFY(asked.asked.isEmpty());
        QVERIFY(PastTargetQuestion(march(2), march(3)).contains(QStringLiteral("desfará o dia 03/03/04, já escalado:")));
        QVERIFY(FutureUndoQuestion(march(3), march(1)).contains(QStringLiteral(": o dia 02/03/04, que nunca foi escalado, "
                                                                               "passará a contar como escalado e não "
                                                                               "poderá mais ser escalado automaticamente")));
    }

    void rosterThenUndoIsTheShorterRoster()
    {
        QStringList afterUndo;
        {
            FixtureFolder longer;
            commit(QStringLiteral("09/03/04"));
            const int rowsFrom5 =
                StoredRows(longer.module(), QStringLiteral("Hist")).filter(QRegularExpression("^2004-03-0[5-9]")).size();
            QVERIFY(rowsFrom5 >= 5 * 2);
            const UndoOutcome undone = UndoFrom(march(5));
            QVERIFY(undone.ran);
            QCOMPARE(undone.newLast, march(4));
            QCOMPARE(undone.removedRecords, rowsFrom5);
            afterUndo = storedState(longer);
        }
        FixtureFolder shorter;
        commit(QStringLiteral("04/03/04"));
        QCOMPARE(afterUndo, storedState(shorter));
    }

    void undoTakesEachListedServiceBack_data()
    {
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<QStringList>("counts");   // of 8 (stored 1/0) and 9 (stored 0/1) afterwards
        QTest::newRow("each followed by a blank") << "7 8 9 " << QStringList{"0/0", "-1/1"};
        QTest::newRow("no blank at the end") << "7 8 9" << QStringList{"0/0", "-1/1"};
        QTest::newRow("two blanks end the list") << "7  8 9 " << QStringList{"1/0", "0/1"};
    }
    void undoTakesEachListedServiceBack()
    {
        QFETCH(QString, numbers);
        QFETCH(QStringList, counts);
        FixtureFolder data;
        data.module().insertRosterRow(1, QStringLiteral("7"), 4, 4);   // Gonçalves is in two rosters
        LoadSoldiers();
        for (int i = 1; i <= 12; ++i)
            Global().SoldierTable[i].USv[9] = march(5);
        SaveSoldiers();
        addHistory({{march(4), 1, QStringLiteral("Of Dia"), QStringLiteral("1"), QStringLiteral("Pt")},
                    {march(5), 3, QStringLiteral("Cb Gda"), numbers, QStringLiteral("Pt")},
                    {march(6), 3, QStringLiteral("Cb Gda"), QStringLiteral("7 "), QStringLiteral("Vm")},
                    {march(9), 1, QStringLiteral("Of Dia"), QStringLiteral("7"), QStringLiteral("Pt")}});
        DataFiles::WriteLastRosteredDay(march(9));
        const UndoOutcome undone = UndoFrom(march(5));
        QCOMPARE(undone.removedRecords, 3);
        QCOMPARE(StoredRows(data.module(), QStringLiteral("Hist")).filter(QStringLiteral("2004-03")),
                 QStringList{"2004-03-04|1|Of Dia|1|Pt"});
        QCOMPARE(data.readText(DataFiles::Escala), QStringList{"04/03/04"});
        // 7: 05/03 and 09/03 (black), 06/03 (red), in both his rosters.
        QCOMPARE(storedCounts(data, 3, QStringLiteral("7")), QStringLiteral("-1/-1"));
        QCOMPARE(storedCounts(data, 1, QStringLiteral("7")), QStringLiteral("2/3"));
        QCOMPARE(storedCounts(data, 3, QStringLiteral("8")), counts[0]);
        QCOMPARE(storedCounts(data, 3, QStringLiteral("9")), counts[1]);
        QCOMPARE(storedServiceDays(data, QStringLiteral("7")), QStringLiteral("27/02/04 "));
        QCOMPARE(storedServiceDays(data, QStringLiteral("8")),
                 counts[0] == "0/0" ? QStringLiteral("27/02/04 ") : QStringLiteral("27/02/04 05/03/04 "));
        QCOMPARE(storedCounts(data, 1, QStringLiteral("1")), QStringLiteral("1/0"));   // 04/03 stays
    }

    // The undo takes back the count the duty was counted with, as its record says, whatever the
    // calendar says of the day now (a day entered as red since, a red day dropped after 30 days).
    void undoTakesBackTheKindTheRecordWasCountedWith()
    {
        FixtureFolder data;
        commit(QStringLiteral("01/03/04"));   // a black day: Andrade's Pt 1 -> 2
        QCOMPARE(storedCounts(data, 1, QStringLiteral("1")), QStringLiteral("2/0"));
        QStringList calendar = data.readText(DataFiles::SemExped);
        data.writeText(DataFiles::SemExped, QStringList(calendar) << QStringLiteral("01/03/04"));
        UndoFrom(march(1));
        QCOMPARE(storedCounts(data, 1, QStringLiteral("1")), QStringLiteral("1/0"));
        // 29/02/04, a red day (Cardoso's Vm 1), no longer in the calendar.
        calendar.removeAll(QStringLiteral("29/02/04"));
        data.writeText(DataFiles::SemExped, calendar);
        UndoFrom(QDate(2004, 2, 29));
        QCOMPARE(storedCounts(data, 1, QStringLiteral("3")), QStringLiteral("0/0"));
    }

    void undoFromADayNeverRosteredAsksFirst()
    {
        FixtureFolder data;   // rostered up to 29/02/04
        const QStringList before = storedState(data);
        Keeper no;
        const UndoOutcome declined = UndoFrom(march(10), no.confirm());
        QVERIFY(!declined.ran);
        QVERIFY(declined.message.isEmpty());
        QCOMPARE(no.asked,
                 QStringList{QStringLiteral(
                     "A última escalação vai até o dia 29/02/04.\n\n"
                     "Desfazer a partir do dia 10/03/04 levará a última escalação para o dia 09/03/04: os dias de "
                     "01/03/04 a 09/03/04, que nunca foram escalados, passarão a contar como escalados e não poderão "
                     "mais ser escalados automaticamente.\n\nDeseja continuar?")});
        QCOMPARE(storedState(data), before);

        // The day after the last rostered day moves nothing and asks nothing.
        Keeper quiet;
        const UndoOutcome next = UndoFrom(march(1), quiet.confirm());
        QVERIFY(next.ran);
        QVERIFY(quiet.asked.isEmpty());
        QCOMPARE(storedState(data), before);

        const UndoOutcome undone = UndoFrom(march(10), yes);
        QCOMPARE(undone.removedRecords, 0);
        QCOMPARE(undone.newLast, march(9));
        QStringList expected = before;
        expected.last() = QStringLiteral("09/03/04");
        QCOMPARE(storedState(data), expected);
    }

    void undoNeverWritesADayThatTwoDigitsCannotHold()
    {
        FixtureFolder data;
        const QStringList before = storedState(data);
        const UndoOutcome refused = UndoFromAnswer(QStringLiteral("01/01/00"), yes);
        QVERIFY(!refused.ran);
        QCOMPARE(refused.message, QStringLiteral("Não é possível desfazer a partir do dia 01/01/00: a última escalação "
                                                 "passaria a ser 31/12/1999, e o Sistema guarda os dias de 01/01/00 a "
                                                 "31/12/99."));
        QCOMPARE(storedState(data), before);
        QCOMPARE(UndoFromAnswer(QStringLiteral("01/01/0001"), yes).message, QStringLiteral("01/01/0001 >>> Data inválida"));
    }

    void aFileThatCannotBeWrittenLeavesTheCommitStanding()
    {
        if (TestsOnServer())
            QSKIP("On a server the file is a row of the unit, written with the tables.");
        FixtureFolder data;
        const QString escala = data.file(DataFiles::Escala);
        // Once the tables have committed, Escala.Txt becomes a folder: no one can write it then.
        KillPoints::setActionForTests([&](const QString& step) {
            if (step == QStringLiteral("depois-de-confirmar")) {
                QFile::remove(escala);
                QDir().mkdir(escala);
            }
        });
        const CommitOutcome outcome = commit(QStringLiteral("01/03/04"));
        KillPoints::setActionForTests({});
        QVERIFY(outcome.done);
        QVERIFY2(outcome.notice.startsWith(QStringLiteral("A gravação nas tabelas foi concluída e vale.\n\n"
                                                          "O arquivo Escala.Txt não pôde ser gravado")),
                 qPrintable(outcome.notice));
        QVERIFY(outcome.notice.contains(QStringLiteral("da próxima vez que abrir a pasta de dados")));
        QCOMPARE(StoredRows(data.module(), QStringLiteral("Hist")).filter(QStringLiteral("2004-03")).size(), 3);
        // Until the file is written, the recorded day is the last rostered day.
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("01/03/04"));
        QCOMPARE(VerifyRoster(QStringLiteral("02/03/04")).lastRostered, march(1));

        {   // A start that still cannot write it says so and goes on.
            Session stillBlocked(data.path(), false);
            QVERIFY2(stillBlocked.notice().startsWith(QStringLiteral(
                         "Uma operação anterior gravou as tabelas, mas não terminou de gravar os arquivos que as "
                         "acompanham.\n\nO arquivo Escala.Txt não pôde ser gravado: há uma pasta com esse nome.")),
                     qPrintable(stillBlocked.notice()));
        }
        QVERIFY(QDir().rmdir(escala));
        {
            Session next(data.path(), false);
            QVERIFY(next.notice().isEmpty());
        }
        QCOMPARE(TextFile::readLines(escala), QStringList{"01/03/04"});
        QVERIFY(!PendingFiles::pending(DataFiles::Escala));
        // From now on the file alone counts: the keeper's hand edit is honoured.
        TextFile::writeLines(escala, {QStringLiteral("29/02/04")});
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("29/02/04"));
    }

    void undoAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("cancel or empty") << "" << "";
        QTest::newRow("no date") << "32/01/04" << "32/01/04 >>> Data inválida";
    }
    void undoAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(QString, message);
        FixtureFolder data;
        const QStringList before = storedState(data);
        const UndoOutcome outcome = UndoFromAnswer(answer);
        QVERIFY(!outcome.ran);
        QCOMPARE(outcome.message, message);
        QCOMPARE(storedState(data), before);
    }

    void commitRefusedWhenTheStoredDataChanged_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("personnel") << "Basico";
        QTest::newRow("last rostered day") << "Escala";
        QTest::newRow("calendar") << "SemExped";
    }
    void commitRefusedWhenTheStoredDataChanged()
    {
        QFETCH(QString, change);
        FixtureFolder data;
        const RosterRun run = VerifyRoster(QStringLiteral("03/03/04"));
        if (change == QStringLiteral("Basico")) {
            LoadSoldiers();
            Global().SoldierTable[1].PR = QStringLiteral("R");
            SaveSoldiers();
        } else if (change == QStringLiteral("Escala")) {
            DataFiles::WriteLastRosteredDay(march(1));
        } else {
            DataFiles::WriteRedDayLines({QStringLiteral("02/03/04")});
        }
        const QStringList before = storedState(data);
        QVERIFY_THROWS_EXCEPTION(CoreError, CommitRoster(*run.verified));
        QCOMPARE(storedState(data), before);
    }

    void failedCommitWritesNothing()
    {
        FixtureFolder data;
        const RosterRun run = VerifyRoster(QStringLiteral("03/03/04"));
        failOn(data, QStringLiteral("INSERT"));   // the history, written after the rosters and soldiers
        const QStringList before = storedState(data);
        try {
            CommitRoster(*run.verified);
            QFAIL("the commit did not report the failure");
        } catch (const CoreError& e) {
            QVERIFY(e.message().contains(QStringLiteral("disco cheio")));
        }
        QCOMPARE(storedState(data), before);
    }

    void failedUndoWritesNothing()
    {
        FixtureFolder data;
        failOn(data, QStringLiteral("DELETE"));   // the rows go after the counts and days are saved
        const QStringList before = storedState(data);
        QVERIFY_THROWS_EXCEPTION(CoreError, UndoFrom(QDate(2004, 2, 28)));
        QCOMPARE(storedState(data), before);
    }
};

QTEST_GUILESS_MAIN(TestRosterCommit)
#include "TestRosterCommit.moc"
