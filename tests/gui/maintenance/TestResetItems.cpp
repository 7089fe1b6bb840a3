// Items 17 (the reset to the initial data set) and 12 (the purge of old history) of "Manutenção",
// through the main window on the small fixture (history of 27/02, 28/02 and 29/02/04).
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ClickableLabel.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/TableSchema.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/HistoryPurge.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/Reset.h"
#include "maintenance/ResetItems.h"
#include "startup/UPrincipal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <memory>

class TestResetItems : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;
    bool m_ended = false;

    void run(const QString& statement)
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY2(q.exec(statement), qPrintable(statement));
    }
    QStringList lines(const QString& bareName) { return TextFile::readLines(m_data->file(bareName)); }
    QStringList rows(const QString& table) { return StoredRows(m_data->module(), table); }
    void click(const char* item) { QTest::mouseClick(m_window->Manutencao->item(QLatin1String(item)), Qt::LeftButton); }

    QStringList everything()
    {
        QStringList state = StoredTables(m_data->module(), TableSchema::workingTables());
        for (const QString& name : Reset::RestoredTextFiles())
            state << QStringLiteral("== ") + name << lines(name);
        return state;
    }

    void workOnTheData()
    {
        run("INSERT INTO Sv5 VALUES ('1', 3, 3)");
        run("INSERT INTO Sv6 VALUES ('2', 1, 1)");
        run("UPDATE Sv1 SET Pt = 40");
        run("INSERT INTO Hist VALUES ('2004-03-05', 1, 'Of Dia', '1', 'Pt')");
        TextFile::writeLines(m_data->file(DataFiles::Escala), {"05/03/04"});
        TextFile::writeLines(m_data->file(DataFiles::DataIniFim), {"01/03/04", "31/03/04"});
    }

    static QString resetDayBox()
    {
        return QStringLiteral("input: %1 | %2 | %3").arg(Reset::DayCaption, Reset::DayPrompt, Reset::ProposedDay);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_ended = false;
        EndAfterReset() = [this] { m_ended = true; };
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        m_window->PageControl1->setCurrentWidget(m_window->Manutencao);
        workOnTheData();
    }
    void cleanup()
    {
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    // Whatever day is typed, the initial set restarts on 02/03/04, and a keeper who typed another
    // day is told so; then the program ends.
    void resetRestoresTheInitialSetAndEnds()
    {
        m_dialogs->questionAnswers << true;
        m_dialogs->inputAnswers << QStringLiteral("15/04/04");
        click("Label17");
        QCOMPARE(m_dialogs->shown,
                 QStringList({"question: " + Reset::Question, resetDayBox(),
                              "message: O conjunto de treino sempre recomeça em 02/03/04; o dia digitado (15/04/04) "
                              "não muda isso.",
                              "message: " + Reset::Done}));
        QVERIFY(m_ended);
        QCOMPARE(lines(DataFiles::Escala), QStringList{"01/03/04"});
        QCOMPARE(lines(DataFiles::DataIniFim), QStringList({"01/01/04", "20/03/04"}));
        QCOMPARE(rows("Sv5"), QStringList());
        QCOMPARE(rows("Sv6"), QStringList());
        QCOMPARE(rows("Sv1"), rows("RavSv1"));
        QCOMPARE(rows("Hist"), rows("RavHist"));
        QVERIFY(!QApplication::overrideCursor());
    }

    void resetStoppedChangesNothing_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shownAfterQuestion");
        QTest::newRow("No") << false << QString() << QStringList();
        QTest::newRow("empty day") << true << "" << QStringList{resetDayBox(), "message: " + Reset::NothingDone};
        QTest::newRow("blank day") << true << "   " << QStringList{resetDayBox(), "message: " + Reset::NothingDone};
    }
    void resetStoppedChangesNothing()
    {
        QFETCH(bool, yes);
        QFETCH(QString, typed);
        QFETCH(QStringList, shownAfterQuestion);
        const QStringList before = everything();
        m_dialogs->questionAnswers << yes;
        if (yes)
            m_dialogs->inputAnswers << typed;
        click("Label17");
        QCOMPARE(m_dialogs->shown, QStringList{"question: " + Reset::Question} + shownAfterQuestion);
        QVERIFY(!m_ended);
        QCOMPARE(everything(), before);
    }

    // The real boxes: Cancel on the day box stops the reset, though the box proposes a day.
    void cancelOnTheRealDayBoxChangesNothing()
    {
        m_dialogs.reset();   // the real boxes
        const QStringList before = everything();
        QStringList seen;
        QTimer driver;
        connect(&driver, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen << box->text();
                if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                    yes->click();
                else
                    box->accept();
            } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                seen << input->labelText() + " | " + input->textValue();
                input->reject();
            }
        });
        driver.start(20);
        click("Label17");
        driver.stop();
        QCOMPARE(seen, QStringList({Reset::Question, Reset::DayPrompt + " | " + Reset::ProposedDay, Reset::NothingDone}));
        QVERIFY(!m_ended);
        QCOMPARE(everything(), before);
    }

    void resetWithoutAnInitialFileSaysSoAndGoesOn()
    {
        QVERIFY(QFile::remove(m_data->file("IniManual.Txt")));
        const QStringList before = everything();
        m_dialogs->questionAnswers << true;
        m_dialogs->inputAnswers << Reset::ProposedDay;
        click("Label17");
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY2(m_dialogs->errors().first().contains("IniManual.Txt"), qPrintable(m_dialogs->errors().first()));
        QCOMPARE(m_dialogs->messages(), QStringList());
        QVERIFY(!m_ended);
        QCOMPARE(everything(), before);
        QVERIFY(!QApplication::overrideCursor());
    }

    void purge_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");   // nullopt: Cancel
        QTest::addColumn<QList<bool>>("answers");             // to the questions, in order
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("removed");
        const QString sure = QStringLiteral("\n\nEliminar? Não há como desfazer.");
        const QString three = QStringLiteral("Serão eliminados do Histórico 3 registros, do dia 27/02/04.");
        const QString six = QStringLiteral("Serão eliminados do Histórico 6 registros, do dia 27/02/04 ao dia 28/02/04.");
        const QString all = QStringLiteral("Serão eliminados do Histórico 10 registros, do dia 27/02/04 ao dia 05/03/04.");
        const QString again = all + QStringLiteral("\n\nO dia 01/01/10 é posterior ao último dia escalado (05/03/04): "
                                                   "serão eliminados também os serviços mais recentes, até o último "
                                                   "dia escalado.\n\nEliminar mesmo assim?");
        QTest::newRow("dd/mm/yyyy") << std::optional<QString>("28/02/2004") << QList<bool>{true}
                                    << QStringList{three + sure} << QString() << 3;
        QTest::newRow("one-digit month") << std::optional<QString>("29/2/04") << QList<bool>{true}
                                         << QStringList{six + sure} << QString() << 6;
        QTest::newRow("No") << std::optional<QString>("29/02/04") << QList<bool>{false} << QStringList{six + sure}
                            << QString() << 0;
        // The history runs from 27/02 to 05/03/04, the last rostered day; a later first day kept
        // takes the recent duties too: asked again.
        QTest::newRow("past the last rostered day, Yes twice")
            << std::optional<QString>("01/01/10") << QList<bool>{true, true} << QStringList{all + sure, again}
            << QString() << 10;
        QTest::newRow("past the last rostered day, No the second time")
            << std::optional<QString>("01/01/10") << QList<bool>{true, false} << QStringList{all + sure, again}
            << QString() << 0;
        QTest::newRow("nothing to remove asks nothing")
            << std::optional<QString>("01/02/04") << QList<bool>() << QStringList() << QString() << 0;
        QTest::newRow("Cancel") << std::optional<QString>() << QList<bool>() << QStringList() << QString() << 0;
        QTest::newRow("no such day") << std::optional<QString>("30/02/04") << QList<bool>() << QStringList()
                                     << "30/02/04 >>> Data inválida" << 0;
    }
    void purge()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QList<bool>, answers);
        QFETCH(QStringList, questions);
        QFETCH(QString, error);
        QFETCH(int, removed);
        const QStringList hist = rows("Hist");
        m_window->Manutencao->ListBox1->show();
        m_dialogs->inputAnswers << answer;
        for (bool yes : answers)
            m_dialogs->questionAnswers << yes;
        click("Label12");
        QVERIFY(m_window->Manutencao->ListBox1->isHidden());
        QStringList shown{"message: " + HistoryPurge::Warning,
                          QStringLiteral("input: %1 | %2 | ").arg(HistoryPurge::Caption, HistoryPurge::Prompt)};
        for (const QString& question : questions)
            shown << "question: " + question;
        if (!error.isEmpty())
            shown << "error: " + error;
        QCOMPARE(m_dialogs->shown, shown);   // nothing after the purge itself
        QVERIFY(m_dialogs->questionAnswers.isEmpty());
        QCOMPARE(rows("Hist"), hist.mid(removed));
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestResetItems)
#include "TestResetItems.moc"
