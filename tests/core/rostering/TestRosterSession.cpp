// The road of a roster on the tab "Escalar Automático", without the window: Verificar, removals,
// Verificar again, ready, Escalar; and the refusals and the reset on the way.
#include "FixtureFolder.h"
#include "data/CoreError.h"
#include "data/DataFiles.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "rostering/Removals.h"
#include "rostering/RosterSession.h"

#include <QSqlQuery>
#include <QTest>

namespace {

QString buttonsOf(const RosterSession& session)
{
    const RosterButtons b = session.buttons();
    QStringList shown;
    if (b.button6)
        shown << QStringLiteral("Button6");
    if (b.bPrever)
        shown << QStringLiteral("BPrever");
    if (b.bEscalar)
        shown << QStringLiteral("BEscalar");
    if (b.bDesfazer)
        shown << QStringLiteral("BDesfazer");
    if (b.edit1Enabled)
        shown << QStringLiteral("Edit1");
    return shown.join(QLatin1Char(' '));
}

// The stored history of one day: "code:numbers" for each service.
QStringList storedHistoryOn(TDMGeral& module, const QDate& day)
{
    QSqlQuery q = module.selectHistFrom(day);
    QStringList rows;
    while (q.next()) {
        if (q.value(QStringLiteral("Dia")).toString() == day.toString(Qt::ISODate))
            rows << QString::number(q.value(QStringLiteral("CodSv")).toInt()) + QLatin1Char(':')
                        + q.value(QStringLiteral("Num")).toString();
    }
    return rows;
}

// The line after the header of a day in the roster list.
QString firstServiceOf(const QStringList& roster, const QString& day)
{
    const int header = roster.indexOf(QStringLiteral("               ") + day + QStringLiteral(" (Pt)"));
    return header < 0 ? QString() : roster.value(header + 1);
}

}

class TestRosterSession : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ClearRemovals();
    }

    void verifyRemoveVerifyReadyCommit()
    {
        FixtureFolder data;
        RosterSession session;
        QCOMPARE(session.state(), RosterState::Idle);
        QCOMPARE(buttonsOf(session), QStringLiteral("Button6 Edit1"));

        QVERIFY(session.verify(QStringLiteral("03/03/04")));
        QCOMPARE(session.state(), RosterState::Verified);
        QCOMPARE(buttonsOf(session), QStringLiteral("Button6 BDesfazer"));
        QCOMPARE(firstServiceOf(session.rosterLines(), QStringLiteral("02/03/04")), QStringLiteral("     Of Dia:  2-Barbosa  "));
        QCOMPARE(session.spanDays(), QList<QDate>({QDate(2004, 3, 1), QDate(2004, 3, 2), QDate(2004, 3, 3)}));

        session.chooseRemoval();
        QCOMPARE(session.state(), RosterState::Removing);
        QCOMPARE(buttonsOf(session), QStringLiteral("Button6 BPrever BDesfazer"));
        QVERIFY(session.rosterLines().isEmpty());
        QVERIFY(session.messageLines().isEmpty());
        // The removal window: Barbosa out of every service on 02/03.
        QCOMPARE(MarkedServices(), QList<int>({1, 2, 3}));
        QVERIFY(!AddRemoval(QStringLiteral("2"), MarkedServices(), {QDate(2004, 3, 2)}));
        session.restoreMarks();

        QVERIFY(session.verify(QStringLiteral("03/03/04")));
        QCOMPARE(firstServiceOf(session.rosterLines(), QStringLiteral("02/03/04")), QStringLiteral("     Of Dia:  "));
        QCOMPARE(firstServiceOf(session.rosterLines(), QStringLiteral("03/03/04")), QStringLiteral("     Of Dia:  2-Barbosa  "));
        QVERIFY(session.messageLines().contains(
            QStringLiteral(" Numero insuficiente de militares. Escala: Of Dia Dia: 02/03/04")));

        session.chooseReady();
        QCOMPARE(session.state(), RosterState::Ready);
        QCOMPARE(buttonsOf(session), QStringLiteral("BEscalar BDesfazer"));
        QVERIFY(session.messageLines().isEmpty());
        QVERIFY(!session.rosterLines().isEmpty());

        session.commit();
        QCOMPARE(session.state(), RosterState::Idle);
        QCOMPARE(buttonsOf(session), QStringLiteral("Button6 Edit1"));
        QVERIFY(session.rosterLines().isEmpty());
        QCOMPARE(data.readText(DataFiles::Escala), QStringList{"03/03/04"});
        QCOMPARE(storedHistoryOn(data.module(), QDate(2004, 3, 2)), QStringList{"3:10 9 "});
        QCOMPARE(storedHistoryOn(data.module(), QDate(2004, 3, 3)).first(), QStringLiteral("1:2 "));
        QSqlQuery barbosa = data.module().selectBasicoByNum(QStringLiteral("2"));
        QVERIFY(barbosa.next());
        QVERIFY(!barbosa.value(QStringLiteral("USv")).toString().contains(QStringLiteral("02/03/04")));

        // The commit leaves the removals; the reset of the tab empties them.
        QCOMPARE(RemovalCount(), 1);
        session.reset();
        QCOMPARE(RemovalCount(), 0);
    }

    void refusalsAndReset()
    {
        FixtureFolder data;
        RosterSession session;
        QVERIFY(!session.verify(QStringLiteral("hoje")));
        QCOMPARE(session.state(), RosterState::Refused);
        QCOMPARE(session.refusal(), QStringLiteral("hoje >>> Data inválida"));
        QCOMPARE(buttonsOf(session), QStringLiteral("Button6 Edit1"));
        QVERIFY_THROWS_EXCEPTION(CoreError, session.commit());

        QVERIFY(session.verify(QStringLiteral("01/03/04")));
        session.chooseContinue();
        QCOMPARE(session.state(), RosterState::Verified);
        QVERIFY(!session.rosterLines().isEmpty());
        QVERIFY_THROWS_EXCEPTION(CoreError, session.commit());   // not ready
        QCOMPARE(data.readText(DataFiles::Escala), QStringList{"29/02/04"});

        session.reset();
        QCOMPARE(session.state(), RosterState::Idle);
        QVERIFY(session.rosterLines().isEmpty());
        QCOMPARE(data.readText(DataFiles::Escala), QStringList{"29/02/04"});
    }

    void marksComeBackAfterTheChooser()
    {
        FixtureFolder data;
        RosterSession session;
        QVERIFY(session.verify(QStringLiteral("01/03/04")));
        ClearSelectionMarks();
        Global().ServiceTable[3].Marca = QStringLiteral("S");   // the chooser: Cb Gda only
        QCOMPARE(MarkedServices(), QList<int>{3});
        session.restoreMarks();
        QCOMPARE(MarkedServices(), QList<int>({1, 2, 3}));
    }
};

QTEST_GUILESS_MAIN(TestRosterSession)
#include "TestRosterSession.moc"
