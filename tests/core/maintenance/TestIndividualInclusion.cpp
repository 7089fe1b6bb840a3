// One soldier into and out of the register and the rosters, on the small fixture: Of Dia 1 to 3,
// Adj Of 4 to 6, Cb Gda 7 to 12; the history lists every one of them.
#include "FixtureFolder.h"
#include "StoredTables.h"
#include "data/CoreError.h"
#include "data/TableSchema.h"
#include "data/UGlobal.h"
#include "maintenance/IndividualInclusion.h"
#include "maintenance/ServiceMembership.h"

#include <QSqlQuery>
#include <QTest>

namespace {

const QDate Today(2004, 3, 3);

void run(const QString& statement)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement + QStringLiteral(": ") + q.lastError().text()));
}

QStringList everything(FixtureFolder& data)
{
    return StoredTables(data.module(), TableSchema::workingTables());
}

QStringList rows(FixtureFolder& data, const QString& table)
{
    return StoredRows(data.module(), table);
}

// The stored register row of a number, or empty.
QString soldierRow(FixtureFolder& data, const QString& num)
{
    for (const QString& row : rows(data, QStringLiteral("Basico")))
        if (row.section(QLatin1Char('|'), 0, 0) == num)
            return row;
    return QString();
}

// The numbers of a roster of the model, row by row, failing on a filled row after an empty one:
// a soldier who left a roster leaves no gap in it.
QStringList rowsInUse(const RosterTable& roster)
{
    QStringList nums;
    int row = 1;
    for (; row <= Capacity::RosterRows && !roster.cell(RosterTable::NumCol, row).isEmpty(); ++row)
        nums << roster.cell(RosterTable::NumCol, row);
    for (; row <= Capacity::RosterRows; ++row)
        if (!roster.cell(RosterTable::NumCol, row).isEmpty())
            nums << QStringLiteral("gap before ") + roster.cell(RosterTable::NumCol, row);
    return nums;
}

// Records the questions; answers them with `yes`.
struct Asker {
    bool yes = false;
    QStringList asked;
    AskKeeper ask()
    {
        return [this](const QString& question) {
            asked << question;
            return yes;
        };
    }
};

// Of Dia at levels whose minima come from different members: Pt 3 (1), Vm 2 (2).
void raiseOfDia()
{
    run("UPDATE Sv1 SET Pt = 3, Vm = 4 WHERE Num = '1'");
    run("UPDATE Sv1 SET Pt = 5, Vm = 2 WHERE Num = '2'");
    run("UPDATE Sv1 SET Pt = 7, Vm = 6 WHERE Num = '3'");
}

}

class TestIndividualInclusion : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetModel(); }

    void historyQuestion_data()
    {
        QTest::addColumn<QString>("histNum");
        QTest::addColumn<bool>("asks");
        QTest::newRow("alone") << "12" << true;
        QTest::newRow("first") << "12 40" << true;
        QTest::newRow("in the middle") << "40 12 7" << true;
        QTest::newRow("last") << "40 12" << true;
        QTest::newRow("112 is not 12") << "112 5" << false;
        QTest::newRow("120 is not 12") << "5 120" << false;
    }
    void historyQuestion()
    {
        QFETCH(QString, histNum);
        QFETCH(bool, asks);
        FixtureFolder data;
        run("DELETE FROM Basico WHERE Num = '12'");
        run("DELETE FROM Sv3 WHERE Num = '12'");
        run("DELETE FROM Hist");
        run(QStringLiteral("INSERT INTO Hist (Dia, CodSv, Descr, Num, PtVm) VALUES ('2004-02-27', 3, 'Cb Gda', '%1', 'Pt')")
                .arg(histNum));
        const QStringList before = everything(data);

        Asker no;
        const PersonnelOutcome outcome = IncludeSoldier("12", "Cb", "Novo", no.ask());
        if (asks) {
            QCOMPARE(no.asked, QStringList{StillInHistoryQuestion});
            QVERIFY(!outcome.done);
            QCOMPARE(outcome.message, QString());
            QCOMPARE(everything(data), before);
        } else {
            QCOMPARE(no.asked, QStringList());
            QVERIFY(outcome.done);
            QCOMPARE(soldierRow(data, "12"), QStringLiteral("12|Novo|Cb||||"));
        }
    }

    void includeRefusals_data()
    {
        QTest::addColumn<QString>("num");
        QTest::addColumn<QString>("rank");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("registeredName");
        // A registered number is in the history too: the question comes first, Yes goes on.
        QTest::newRow("registered") << "3" << "Cb" << "Outro" << NumberAlreadyRegistered << "Cardoso";
        QTest::newRow("registered, typed with blanks") << " 3 " << "Cb" << "Outro" << NumberAlreadyRegistered << "Cardoso";
        QTest::newRow("registered, empty name") << "3" << "" << "" << NumberAlreadyRegistered << "Cardoso";
        QTest::newRow("no number") << "" << "Cb" << "Novo" << FieldsMustBeFilled << "";
        QTest::newRow("no rank") << "50" << "" << "Novo" << FieldsMustBeFilled << "";
        QTest::newRow("no name") << "50" << "Cb" << "" << FieldsMustBeFilled << "";
        QTest::newRow("blank name") << "50" << "Cb" << "   " << FieldsMustBeFilled << "";
        QTest::newRow("a blank in the number")
            << "5 0" << "Cb" << "Novo" << "Número inválido: \"5 0\" (o número não pode conter espaços)." << "";
        QTest::newRow("the deleted mark") << "x" << "Cb" << "Novo" << "Número inválido: \"x\" (reservado pelo sistema)."
                                          << "";
        // Cut, 12345 would be stored as 1234, another soldier's number; nothing is stored other than typed.
        QTest::newRow("a number of five characters")
            << "12345" << "Cb" << "Novo"
            << "O Número \"12345\" tem 5 caracteres; o Sistema guarda no máximo 4. Nada foi alterado." << "";
        QTest::newRow("a rank of ten characters")
            << "50" << "Subtenente" << "Novo"
            << "O Posto/Graduação \"Subtenente\" tem 10 caracteres; o Sistema guarda no máximo 7. Nada foi alterado." << "";
        QTest::newRow("a name of sixteen characters")
            << "50" << "Cb" << "Nome muito compr"
            << "O Nome \"Nome muito compr\" tem 16 caracteres; o Sistema guarda no máximo 15. Nada foi alterado." << "";
    }
    void includeRefusals()
    {
        QFETCH(QString, num);
        QFETCH(QString, rank);
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, registeredName);
        FixtureFolder data;
        const QStringList before = everything(data);
        Asker yes{true, {}};
        const PersonnelOutcome outcome = IncludeSoldier(num, rank, name, yes.ask());
        QVERIFY(!outcome.done);
        QCOMPARE(outcome.message, message);
        QCOMPARE(outcome.registeredName, registeredName);
        QCOMPARE(yes.asked, registeredName.isEmpty() ? QStringList() : QStringList{StillInHistoryQuestion});
        QCOMPARE(everything(data), before);
    }

    void fieldsAsLongAsTheirWidthsAreStoredWhole()
    {
        FixtureFolder data;
        Asker yes{true, {}};
        const PersonnelOutcome outcome = IncludeSoldier(" 1234 ", "Sub Ten", "Nome muito comp", yes.ask());
        QVERIFY(outcome.done);
        QCOMPARE(outcome.num, QStringLiteral("1234"));
        QCOMPARE(soldierRow(data, "1234"), QStringLiteral("1234|Nome muito comp|Sub Ten||||"));
        QCOMPARE(rows(data, "Basico").size(), 13);
        // The newcomer belongs to no roster yet.
        QVERIFY(RostersOfSoldier("1234").empty());
    }

    void aFullRegisterIsRefused()
    {
        FixtureFolder data;
        GlobalModel& g = Global();
        for (int i = 1; i <= Capacity::Soldiers; ++i)
            g.SoldierTable[i] = SoldierRecord{QString::number(1000 + i), "Sd", "Soldado", "", {}, {}, {}};
        SaveSoldiers();
        const QStringList before = rows(data, "Basico");
        Asker yes{true, {}};
        const PersonnelOutcome outcome = IncludeSoldier("5", "Cb", "Novo", yes.ask());
        QVERIFY(!outcome.done);
        QVERIFY2(outcome.message.contains("1000 militares"), qPrintable(outcome.message));
        QCOMPARE(rows(data, "Basico"), before);
    }

    void excludeLeavesEveryRosterAndTheRegisterButNotTheHistory()
    {
        FixtureFolder data;
        run("INSERT INTO Sv1 (Num, Pt, Vm) VALUES ('8', 4, 4)");
        const QStringList hist = rows(data, "Hist");
        const PersonnelOutcome outcome = ExcludeSoldier("8", Today);
        QVERIFY(outcome.done);
        QCOMPARE(rows(data, "Sv1"), (QStringList{"1|1|0", "2|0|1", "3|0|1"}));
        QCOMPARE(rows(data, "Sv3"), (QStringList{"10|0|1", "11|0|1", "12|0|1", "7|1|0", "9|0|1"}));
        QCOMPARE(soldierRow(data, "8"), QString());
        QCOMPARE(rows(data, "Basico").size(), 11);
        QCOMPARE(rows(data, "Hist"), hist);
        QCOMPARE(rowsInUse(Global().Grades[3]), (QStringList{"10", "11", "12", "7", "9"}));

        // His number is still in the history: registering it again asks first.
        Asker yes{true, {}};
        const PersonnelOutcome back = IncludeSoldier("8", "Cb", "Novo", yes.ask());
        QCOMPARE(yes.asked, QStringList{StillInHistoryQuestion});
        QVERIFY(back.done);
        QCOMPARE(soldierRow(data, "8"), QStringLiteral("8|Novo|Cb||||"));
        QVERIFY(RostersOfSoldier("8").empty());
    }

    void excludeAnUnknownNumberChangesNothing()
    {
        FixtureFolder data;
        const QStringList before = everything(data);
        for (const QString& num : {QStringLiteral("99"), QString()}) {
            const PersonnelOutcome outcome = ExcludeSoldier(num, Today);
            QVERIFY(!outcome.done);
            QCOMPARE(outcome.message, NumberNotFound);
        }
        QCOMPARE(everything(data), before);
    }

    void saveServicesKeepsMembersAndStartsNewcomersAtTheLowest()
    {
        FixtureFolder data;
        raiseOfDia();
        run("UPDATE Sv3 SET Pt = 4, Vm = 5 WHERE Num = '7'");
        // 7 joins Of Dia, stays in Cb Gda; 8 leaves Cb Gda (a row in the middle) for Of Dia.
        QVERIFY(SaveServicesOf("7", {1, 3}, Today).done);
        QVERIFY(SaveServicesOf("8", {1}, Today).done);
        QCOMPARE(rows(data, "Sv1"), (QStringList{"1|3|4", "2|5|2", "3|7|6", "7|3|2", "8|3|2"}));
        QCOMPARE(rows(data, "Sv3"), (QStringList{"10|0|1", "11|0|1", "12|0|1", "7|4|5", "9|0|1"}));
        QCOMPARE(rowsInUse(Global().Grades[3]), (QStringList{"10", "11", "12", "7", "9"}));

        const std::vector<SoldierInService> of7 = RostersOfSoldier("7");
        QStringList lines;
        for (const SoldierInService& s : of7)
            lines << SoldierInServiceLine(s);
        QCOMPARE(lines, (QStringList{"Serviço 1 (Of Dia): Pt 3, Vm 2", "Serviço 3 (Cb Gda): Pt 4, Vm 5"}));

        // No service at all: out of every roster, still registered.
        QVERIFY(SaveServicesOf("7", {}, Today).done);
        QVERIFY(RostersOfSoldier("7").empty());
        QVERIFY(!soldierRow(data, "7").isEmpty());
    }

    void saveServicesForAnUnregisteredNumberChangesNothing()
    {
        FixtureFolder data;
        const QStringList before = everything(data);
        const PersonnelOutcome outcome = SaveServicesOf("99", {1, 2, 3}, Today);
        QVERIFY(!outcome.done);
        QCOMPARE(outcome.message, SoldierNotRegistered);
        QCOMPARE(everything(data), before);
    }

    void serviceThirtyIsFound()
    {
        FixtureFolder data;
        run("INSERT INTO Sv (CodSv, Descr, Ini, Fim, Quant, Prio) VALUES (30, 'Ronda', '2004-01-01', '2004-12-31', 1, 4)");
        run("INSERT INTO Sv30 (Num, Pt, Vm) VALUES ('4', 2, 1)");
        QCOMPARE(ServicesOfSoldier("4"), (QList<int>{2, 30}));
        QCOMPARE(RostersOfSoldier("4").back().descr, QStringLiteral("Ronda"));
    }

    void placeStartsEveryNewcomerAtTheLevelBeforeTheOperation()
    {
        FixtureFolder data;
        raiseOfDia();
        const QStringList skipped = PlaceInServices({"7", "99", "8"}, QSet<int>{1, 3}, Today);
        QCOMPARE(skipped, QStringList{"99"});
        QCOMPARE(rows(data, "Sv1"), (QStringList{"1|3|4", "2|5|2", "3|7|6", "7|3|2", "8|3|2"}));
        QCOMPARE(rows(data, "Sv3").size(), 6);
    }

    void placeRefusesAFullRosterWithNothingWritten()
    {
        FixtureFolder data;
        QSqlDatabase db = TDMGeral::instance().database(Alias::Ravelha);
        QVERIFY(db.transaction());
        run("DELETE FROM Sv3");
        for (int i = 0; i < Capacity::RosterRows; ++i)
            TDMGeral::instance().insertRosterRow(3, QString::number(2000 + i), 0, 0);
        QVERIFY(db.commit());
        const QStringList before = everything(data);
        // 1 leaves Of Dia and joins Adj Of before Cb Gda turns out to have no room.
        bool refused = false;
        try {
            PlaceInServices({"1"}, QSet<int>{2, 3}, Today);
        } catch (const CoreError& e) {
            refused = true;
            QVERIFY2(e.message().contains("500 militares"), qPrintable(e.message()));
        }
        QVERIFY(refused);
        QCOMPARE(everything(data), before);
    }
};

QTEST_GUILESS_MAIN(TestIndividualInclusion)
#include "TestIndividualInclusion.moc"
