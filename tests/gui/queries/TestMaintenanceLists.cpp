// Items 8, 9 and 11 of the tab "Manutenção" through the main window, on the small fixture: twelve
// soldiers, each in one roster (Of Dia 1 to 3, Adj Of 4 to 6, Cb Gda 7 to 12); soldier 5 of Adj Of
// is away from 01/03 to 05/03/04.
#include "FixtureFolder.h"
#include "ListItems.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ClickableLabel.h"
#include "common/SharedWindows.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/MaintenancePage.h"
#include "queries/UQuadroEscalas.h"
#include "startup/UPrincipal.h"

#include <QListWidget>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>
#include <memory>

namespace {

const QString Question = QStringLiteral(
    "Os serviços serão escalados na ordem das prioridades (1..2..3..etc)\n\nEstas prioridades levam em conta a "
    "relação (Total de militares na escala / Nº de escalados por dia).\n\n"
    "                                                 Continuar ?");

}

class TestMaintenanceLists : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    QListWidget* list() { return m_window->Manutencao->ListBox1; }
    void click(const char* item) { QTest::mouseClick(m_window->Manutencao->item(QLatin1String(item)), Qt::LeftButton); }
    void run(const QString& statement)
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY2(q.exec(statement), qPrintable(statement));
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Clock::setToday(QDate(2004, 3, 3));
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        m_window->PageControl1->setCurrentWidget(m_window->Manutencao);
    }
    void cleanup()
    {
        m_window.reset();
        DeleteSharedWindows();
        Clock::setToday(QDate());
        m_dialogs.reset();
        m_data.reset();
    }

    void itemsEightAndNine_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QStringList>("eight");
        QTest::addColumn<QStringList>("nine");
        QTest::newRow("nothing to list") << QStringList() << QStringList{"  Não há Registros"}
                                         << QStringList{" Não há Registros"};
        // 9 and 10 leave Cb Gda; 30 joins Of Dia and Cb Gda unregistered, 100 joins Adj Of.
        QTest::newRow("both lists") << QStringList{"DELETE FROM Sv3 WHERE Num IN ('9', '10')",
                                                   "INSERT INTO Sv1 VALUES ('30', 0, 0)",
                                                   "INSERT INTO Sv3 VALUES ('30', 0, 0)",
                                                   "INSERT INTO Sv2 VALUES ('100', 0, 0)"}
                                    << QStringList({"10", "9"})          // sorted as text
                                    << QStringList({"100", "30", "30"});  // once per roster
    }
    void itemsEightAndNine()
    {
        QFETCH(QStringList, statements);
        for (const QString& statement : statements)
            run(statement);
        const QStringList before = StoredTables(m_data->module(), TableSchema::workingTables());
        QVERIFY(list()->isHidden());

        click("Label10");
        QVERIFY(list()->isVisible());
        QTEST(ItemsOf(list()), "eight");
        QCOMPARE(list()->palette().color(QPalette::Base), QColor(Qt::cyan));

        click("Label11");
        QVERIFY(list()->isVisible());
        QTEST(ItemsOf(list()), "nine");
        QCOMPARE(list()->palette().color(QPalette::Base), QToolTip::palette().color(QPalette::ToolTipBase));

        QCOMPARE(StoredTables(m_data->module(), TableSchema::workingTables()), before);
        QVERIFY(m_dialogs->errors().isEmpty());
    }

    void itemElevenAsksThenWritesAndFillsTheBoard()
    {
        click("Label10");
        const QStringList before = StoredTables(m_data->module(), TableSchema::workingTables());

        // No: nothing written; the list is hidden all the same.
        m_dialogs->questionAnswers.enqueue(false);
        click("Label3");
        QCOMPARE(m_dialogs->shown, QStringList{QStringLiteral("question: ") + Question});
        QVERIFY(list()->isHidden());
        QCOMPARE(StoredTables(m_data->module(), TableSchema::workingTables()), before);
        QCOMPARE(m_window->QuadroEscalas().SGQuadroEscalas->item(1, 0), nullptr);

        // Yes, with 5 away today: Adj Of has 2 per place, Of Dia and Cb Gda 3; Adj Of chooses first.
        m_dialogs->questionAnswers.enqueue(true);
        click("Label3");
        QCOMPARE(m_dialogs->shown.size(), 2);   // the question, and no message at the end
        QStringList stored;
        QSqlQuery q = m_data->module().openTable(Alias::Ravelha, QStringLiteral("Sv"), 30);
        while (q.next())
            stored << q.value(QStringLiteral("CodSv")).toString() + "=" + q.value(QStringLiteral("Prio")).toString();
        QCOMPARE(stored, QStringList({"1=2", "2=1", "3=3"}));
        // The board holds every soldier, in numeric order.
        const QTableWidget* grid = m_window->QuadroEscalas().SGQuadroEscalas;
        QStringList nums;
        for (int r = 1; r < grid->rowCount() && grid->item(r, 0); ++r)
            nums << grid->item(r, 0)->text();
        QCOMPARE(nums, QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
        QCOMPARE(grid->item(5, 2)->text(), QStringLiteral("S"));
        QVERIFY(m_dialogs->errors().isEmpty());
    }
};

QTEST_MAIN(TestMaintenanceLists)
#include "TestMaintenanceLists.moc"
