// Items 3 and 4 of "Manutenção" through the main window, on the small fixture: Of Dia 1 to 3, Adj Of
// 4 to 6, Cb Gda 7 to 12; soldier 5 of Adj Of is away (real) from 01/03 to 05/03/04, soldier 2 is
// to be away (planned) from 08/03 to 12/03/04; today is 03/03/04.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/Absences.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/USaiEscTemp.h"
#include "startup/UPrincipal.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QListWidget>
#include <QSqlQuery>
#include <QTest>
#include <functional>
#include <memory>

class TestSaiEscTemp : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    void run(const QString& statement)
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY2(q.exec(statement), qPrintable(statement));
    }
    QStringList basico() { return StoredRows(m_data->module(), "Basico"); }
    QStringList everything() { return StoredTables(m_data->module(), {"Basico", "Sv", "Sv1", "Sv2", "Sv3", "Hist"}); }

    // Opens item 3 and lets `act` work in the window; the window is left as `act` leaves it.
    void openItemThree(const std::function<void(TFSaiEscTemp&)>& act)
    {
        bool opened = false;
        SetModalHook([&](QDialog& window) {
            if (auto* absences = qobject_cast<TFSaiEscTemp*>(&window)) {
                opened = true;
                act(*absences);
            }
            return window.result();
        });
        QTest::mouseClick(m_window->Manutencao->item(QStringLiteral("Label4")), Qt::LeftButton);
        QVERIFY(opened);
    }

    static void enter(TFSaiEscTemp& w, const QString& num, const QString& start, const QString& end)
    {
        for (QLineEdit* box : {w.Edit1, w.Edit2, w.Edit3})
            box->clear();
        QTest::keyClicks(w.Edit1, num);
        QTest::keyClicks(w.Edit2, start);
        QTest::keyClicks(w.Edit3, end);
        QTest::mouseClick(w.Button1, Qt::LeftButton);
    }
    static QStringList boxes(TFSaiEscTemp& w) { return {w.Edit1->text(), w.Edit2->text(), w.Edit3->text()}; }

    void returnOf(const std::optional<QString>& answer)
    {
        m_dialogs->inputAnswers.enqueue(answer);
        QTest::mouseClick(m_window->Manutencao->item(QStringLiteral("Label5")), Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Clock::setToday(QDate(2004, 3, 3));
        TFSaiEscTemp::ForgetKindChoice();
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        m_window->PageControl1->setCurrentWidget(m_window->Manutencao);
    }
    void cleanup()
    {
        SetModalHook({});
        m_window.reset();
        DeleteSharedWindows();
        Clock::setToday(QDate());
        m_dialogs.reset();
        m_data.reset();
    }

    void theWindowAsTheKeeperSeesIt()
    {
        TFSaiEscTemp window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Afastamento Temporário dos Serviços"));
        QCOMPARE(window.GroupBox1->title(), QStringLiteral("Afastamento"));
        QCOMPARE(window.RBPrev->text(), QStringLiteral("Previsto"));
        QCOMPARE(window.RBReal->text(), QStringLiteral("Real"));
        QCOMPARE(window.Button1->text(), QStringLiteral("Gravar Registro"));
        QCOMPARE(window.Button2->text(), QStringLiteral("Fim Entradas"));
        QCOMPARE(window.findChild<QLabel*>("Label1")->text(), QStringLiteral("Número"));
        QCOMPARE(window.findChild<QLabel*>("Label2")->text(), QStringLiteral("Data Início"));
        QCOMPARE(window.findChild<QLabel*>("Label3")->text(), QStringLiteral("Data Fim"));
        QCOMPARE(window.manualSection(), QStringLiteral("014"));
        QVERIFY(!window.RBPrev->isChecked());
        QVERIFY(!window.RBReal->isChecked());
    }

    void entriesAreWrittenByFimEntradas()
    {
        const QStringList before = basico();
        openItemThree([&](TFSaiEscTemp& w) {
            QTest::mouseClick(w.RBReal, Qt::LeftButton);
            enter(w, "7", "10/03/04", "20/03/04");
            QCOMPARE(boxes(w), (QStringList{"", "", ""}));
            // The choice stays for the next entry; a later entry for the same soldier replaces his.
            enter(w, "8", "11/03/04", "12/03/04");
            QVERIFY(w.RBReal->isChecked());
            QTest::mouseClick(w.RBPrev, Qt::LeftButton);
            enter(w, "7", "15/03/04", "25/03/04");
            QCOMPARE(m_dialogs->shown, QStringList());
            QCOMPARE(basico(), before);   // nothing stored yet
            QTest::mouseClick(w.Button2, Qt::LeftButton);
            QVERIFY(!w.isVisible());
        });
        QStringList wanted = before;
        for (QString& row : wanted) {
            QStringList f = row.split('|');
            if (f[0] == "7")
                f[3] = "P", f[4] = "2004-03-15", f[5] = "2004-03-25";
            else if (f[0] == "8")
                f[3] = "R", f[4] = "2004-03-11", f[5] = "2004-03-12";
            row = f.join('|');
        }
        QCOMPARE(basico(), wanted);
        QCOMPARE(m_dialogs->shown, QStringList());
        QVERIFY(m_window->Manutencao->ListBox1->isHidden());

        // Opened again in the same run, the last choice is still there.
        openItemThree([](TFSaiEscTemp& w) {
            QVERIFY(w.RBPrev->isChecked());
            QTest::mouseClick(w.Button2, Qt::LeftButton);
        });
    }

    void refusals_data()
    {
        QTest::addColumn<bool>("chooseReal");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("boxesKept");
        QTest::newRow("start no date") << true << QStringList{"7", "32/03/04", "20/03/04"}
                                       << "32/03/04 >>> Data inválida" << true;
        QTest::newRow("end no date") << true << QStringList{"7", "10/03/04", "hoje"} << "hoje >>> Data inválida"
                                     << true;
        QTest::newRow("start after end") << true << QStringList{"7", "21/03/04", "20/03/04"}
                                         << AbsenceText::StartAfterEnd << true;
        QTest::newRow("no kind chosen") << false << QStringList{"7", "10/03/04", "20/03/04"} << AbsenceText::NoKind
                                        << true;
        QTest::newRow("not registered") << true << QStringList{"99", "10/03/04", "20/03/04"}
                                        << AbsenceText::NotRegistered << false;
    }
    void refusals()
    {
        QFETCH(bool, chooseReal);
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(bool, boxesKept);
        const QStringList before = basico();
        openItemThree([&](TFSaiEscTemp& w) {
            if (chooseReal)
                QTest::mouseClick(w.RBReal, Qt::LeftButton);
            enter(w, typed[0], typed[1], typed[2]);
            QCOMPARE(m_dialogs->messages(), QStringList{message});
            const QStringList wanted = boxesKept ? typed : QStringList{"", "", ""};
            QCOMPARE(boxes(w), wanted);
            // Nothing recorded, so nothing to lose: "Fim Entradas" writes the register as it was.
            QVERIFY(!w.hasUnsavedEntries());
            QTest::mouseClick(w.Button2, Qt::LeftButton);
        });
        QCOMPARE(basico(), before);
        QCOMPARE(m_dialogs->errors(), QStringList());
    }

    void closingWithUnsavedEntriesAsksFirst()
    {
        const QStringList before = basico();
        openItemThree([&](TFSaiEscTemp& w) {
            QTest::mouseClick(w.RBReal, Qt::LeftButton);
            enter(w, "7", "10/03/04", "20/03/04");
            // No keeps the window and the entry.
            m_dialogs->questionAnswers.enqueue(false);
            w.close();
            QVERIFY(w.isVisible());
            QVERIFY(w.hasUnsavedEntries());
            QCOMPARE(m_dialogs->shown, QStringList{"question: " + TFSaiEscTemp::DropEntriesQuestion()});
            // Yes drops it, from the model too.
            m_dialogs->questionAnswers.enqueue(true);
            QTest::keyClick(w.Edit1, Qt::Key_Escape);
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(m_dialogs->shown.size(), 2);
        QCOMPARE(basico(), before);
        QCOMPARE(Global().SoldierTable[7].PR, QString());
        // A window left without entries asks nothing.
        m_dialogs->shown.clear();
        openItemThree([](TFSaiEscTemp& w) {
            w.close();
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(m_dialogs->shown, QStringList());
    }

    void returnBringsHimUpToTheLevel()
    {
        run("UPDATE Sv2 SET Pt = 3, Vm = 2 WHERE Num = '4'");
        run("UPDATE Sv2 SET Pt = 0, Vm = 0 WHERE Num = '5'");
        run("UPDATE Sv2 SET Pt = 4, Vm = 1 WHERE Num = '6'");
        const QStringList others = StoredTables(m_data->module(), {"Sv1", "Sv3"});
        returnOf(QStringLiteral("5"));
        QCOMPARE(m_dialogs->shown, QStringList{"input: Entre com o Número | Número:  | "});
        QCOMPARE(StoredRows(m_data->module(), "Sv2"), (QStringList{"4|3|2", "5|3|1", "6|4|1"}));
        QCOMPARE(StoredTables(m_data->module(), {"Sv1", "Sv3"}), others);
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY(q.exec("SELECT PR, Ini, Fim FROM Basico WHERE Num = '5'") && q.next());
        QCOMPARE((QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()}),
                 (QStringList{"", "", ""}));
        QVERIFY(m_window->Manutencao->ListBox1->isHidden());
    }

    void returnMessages_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("changes");
        QTest::newRow("cancel") << std::optional<QString>() << QStringList() << false;
        QTest::newRow("empty") << std::optional<QString>(QString()) << QStringList() << false;
        QTest::newRow("not registered") << std::optional<QString>("99") << QStringList{AbsenceText::NotRegistered}
                                        << false;
        QTest::newRow("not away") << std::optional<QString>("4") << QStringList{AbsenceText::WasNotAway} << true;
    }
    void returnMessages()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QStringList, messages);
        QFETCH(bool, changes);
        run("UPDATE Sv2 SET Pt = 0, Vm = 0 WHERE Num = '4'");
        run("UPDATE Sv2 SET Pt = 2, Vm = 2 WHERE Num IN ('5', '6')");
        // A row of a number not registered: a wrong number typed must not raise it.
        run("INSERT INTO Sv2 VALUES ('99', 0, 0)");
        const QStringList before = everything();
        returnOf(answer);
        QCOMPARE(m_dialogs->messages(), messages);
        QCOMPARE(m_dialogs->errors(), QStringList());
        if (!changes) {
            QCOMPARE(everything(), before);
        } else {
            // Soldier 5 is away today: 6 alone sets the level.
            QCOMPARE(StoredRows(m_data->module(), "Sv2"), (QStringList{"4|2|2", "5|2|2", "6|2|2", "99|0|0"}));
        }
    }
};

QTEST_MAIN(TestSaiEscTemp)
#include "TestSaiEscTemp.moc"
