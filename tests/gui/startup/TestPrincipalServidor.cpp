// The windows on a unit kept on the private server: every title names the unit and the server, and
// the main window's activation, which reads the rosters and writes them back, does not undo a
// commit another desk makes meanwhile.
#include "FixtureFolder.h"
#include "PrivateServer.h"
#include "ScriptedDialogs.h"
#include "common/FormWindow.h"
#include "common/SharedWindows.h"
#include "data/CoreError.h"
#include "data/ServerAddress.h"
#include "data/SqlTransaction.h"
#include "data/UGlobal.h"
#include "startup/UPrincipal.h"

#include <QApplication>
#include <QMessageBox>
#include <QSqlQuery>
#include <QTest>
#include <QThread>
#include <future>
#include <memory>
#include <thread>

namespace {

int storedPt(const QString& table, const QString& num)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    q.prepare(QStringLiteral("SELECT Pt FROM %1 WHERE Num = ?").arg(table));
    q.addBindValue(num);
    if (!q.exec() || !q.next())
        return -1;
    return q.value(0).toInt();
}

// Another desk's commit: on a connection of its own to the unit, it takes the unit's turn, adds
// `added` to the black count of soldier 1 in Sv1, says so through `holding`, and commits after
// `holdFor`. Returns what went wrong (empty when it committed).
// The other desk takes the unit's writers' turn as the program does.
bool takesTheTurn(const QSqlDatabase& db, QString& failure)
{
    try {
        SqlTransaction::takeWritersTurn(db);
        return true;
    } catch (const CoreError& e) {
        failure = QStringLiteral("turn: ") + e.message();
        return false;
    }
}

QString anotherDeskAdds(const QString& searchPath, int added, std::promise<void>& holding,
                        std::chrono::milliseconds holdFor)
{
    QString failure;
    {
        QString why;
        QSqlDatabase db = OpenPrivateServer(QStringLiteral("outra-mesa"), &why);
        auto fail = [&](const QString& what, const QSqlQuery& q) {
            failure = what + QStringLiteral(": ") + q.lastError().text();
            holding.set_value();
        };
        if (!db.isOpen()) {
            failure = why;
            holding.set_value();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("SELECT set_config('search_path', '%1', false)").arg(searchPath)))
                fail(QStringLiteral("search_path"), q);
            else if (!q.exec(QStringLiteral("BEGIN")))
                fail(QStringLiteral("BEGIN"), q);
            else if (!takesTheTurn(db, failure))
                holding.set_value();
            else if (!q.exec(QStringLiteral("UPDATE Sv1 SET Pt = Pt + %1 WHERE Num = '1'").arg(added)))
                fail(QStringLiteral("UPDATE"), q);
            else {
                holding.set_value();
                std::this_thread::sleep_for(holdFor);
                if (!q.exec(QStringLiteral("COMMIT")))
                    failure = QStringLiteral("COMMIT: ") + q.lastError().text();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("outra-mesa"));
    return failure;
}

}

class TestPrincipalServidor : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    QString suffix() const { return QStringLiteral(" — ") + ServerAddresses::current().label(); }

    TFPrincipal& openWindow()
    {
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        return *m_window;
    }

private slots:
    void initTestCase()
    {
        // Every data folder of this program is a unit on the private server.
        qputenv("RAVELHA_TESTE_SERVIDOR", "1");
    }
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        QVERIFY(ServerAddresses::current().isSet());
    }
    void cleanup()
    {
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    void everyTitleNamesTheUnitAndTheServer()
    {
        const ServerAddress& server = ServerAddresses::current();
        QCOMPARE(server.label(), QStringLiteral("unidade %1 no servidor %2").arg(server.unit, server.serverLabel()));
        QVERIFY(server.serverLabel().endsWith(QStringLiteral("/ravelha_teste")));

        TFPrincipal& window = openWindow();
        QCOMPARE(window.windowTitle(), QStringLiteral("Página Principal da Aplicação") + suffix());

        // A window of the program, retitled while it is up: the unit is named once.
        FormWindow form(QStringLiteral("006"));
        form.setWindowTitle(QStringLiteral("Equalizar / Zerar"));
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Equalizar / Zerar") + suffix());
        form.setWindowTitle(QStringLiteral("Equalizar / Zerar") + suffix());
        QCOMPARE(form.windowTitle(), QStringLiteral("Equalizar / Zerar") + suffix());
        form.setWindowTitle(QStringLiteral("Outro título"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Outro título") + suffix());

        // A message box is a window too; a window without a title shows the program's name.
        QMessageBox box;
        box.setWindowTitle(QStringLiteral("Ravelha"));
        QCOMPARE(box.windowTitle(), QStringLiteral("Ravelha") + suffix());
        QWidget untitled;
        untitled.show();
        QCOMPARE(untitled.windowTitle(), QApplication::applicationName() + suffix());
        QCOMPARE(TitleWithUnit(QStringLiteral("Ravelha")), QStringLiteral("Ravelha") + suffix());
    }

    // Another desk commits while the activation would run: the activation takes the unit's turn
    // before it reads, so it reads the committed rosters and writes them back as they are.
    void theActivationKeepsAnotherDesksCommit()
    {
        openWindow();
        QVERIFY(m_dialogs->shown.isEmpty());
        const int before = storedPt(QStringLiteral("Sv1"), QStringLiteral("1"));
        QVERIFY(before >= 0);

        QSqlQuery path(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY(path.exec(QStringLiteral("SELECT current_setting('search_path')")) && path.next());
        const QString searchPath = path.value(0).toString();

        std::promise<void> holding;
        std::future<void> held = holding.get_future();
        std::future<QString> desk = std::async(std::launch::async, [&] {
            return anotherDeskAdds(searchPath, 5, holding, std::chrono::milliseconds(800));
        });
        held.wait();
        m_window->FormActivate();
        const QString failure = desk.get();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        QVERIFY2(m_dialogs->shown.isEmpty(), qPrintable(m_dialogs->shown.join(QLatin1Char('\n'))));
        QCOMPARE(storedPt(QStringLiteral("Sv1"), QStringLiteral("1")), before + 5);
        // The model holds what was read after the commit.
        const RosterTable* roster = SelectRoster(1, QStringLiteral("Base"));
        int inModel = -1;
        for (int row = 1; row <= Capacity::RosterRows; ++row) {
            if (roster->cell(RosterTable::NumCol, row) == QStringLiteral("1"))
                inModel = roster->cell(RosterTable::PtCol, row).toInt();
        }
        QCOMPARE(inModel, before + 5);
    }
};

QTEST_MAIN(TestPrincipalServidor)
#include "TestPrincipalServidor.moc"
