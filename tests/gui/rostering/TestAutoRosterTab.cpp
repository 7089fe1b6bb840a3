// The tab "Escalar Automático" walked as the keeper walks it: Verificar, remove a soldier,
// Verificar again, declare the roster ready, Escalar; then what the tables and files hold.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "printing/RecordingPrinter.h"
#include "maintenance/MaintenancePage.h"
#include "rostering/AutoRosterPage.h"
#include "rostering/AutoRosterTab.h"
#include "rostering/UForaEscSgte.h"
#include "rostering/URetiraAlguem.h"
#include "startup/UPrincipal.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <map>
#include <memory>

namespace {

struct Counts {
    int pt = 0;
    int vm = 0;
};
using RosterCounts = std::map<std::pair<int, QString>, Counts>;   // (service, Num) -> counts

RosterCounts storedCounts(TDMGeral& module)
{
    RosterCounts counts;
    for (int service = 1; service <= 3; ++service) {
        QSqlQuery q = module.openTable(Alias::Ravelha, QStringLiteral("Sv%1").arg(service), 500);
        while (q.next())
            counts[{service, q.value(0).toString()}] = {q.value(1).toInt(), q.value(2).toInt()};
    }
    return counts;
}

struct HistRow {
    QDate day;
    int service;
    QStringList nums;
    QString kind;
};

QList<HistRow> storedHistory(TDMGeral& module)
{
    QList<HistRow> rows;
    QSqlQuery q = module.selectAllHist();
    while (q.next())
        rows << HistRow{Dates::fromStorage(q.value("Dia").toString()), q.value("CodSv").toInt(),
                        q.value("Num").toString().split(QLatin1Char(' '), Qt::SkipEmptyParts),
                        q.value("PtVm").toString()};
    return rows;
}

QStringList itemsOf(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

}

class TestAutoRosterTab : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    AutoRosterPage& page() { return *m_window->EscalarAutomatico; }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
    }
    void cleanup()
    {
        SetModalHook({});
        SetPrintHook({});
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    void walkFromVerificationToCommit()
    {
        const RosterCounts before = storedCounts(m_data->module());
        const int rowsBefore = storedHistory(m_data->module()).size();

        // First verification: choose to remove soldier 8 from every service on 01/03/04.
        QStringList removalDays;
        SetModalHook([&](QDialog& window) {
            if (auto* choice = qobject_cast<TFRetiraAlguem*>(&window)) {
                QTest::mouseClick(choice->RadioButton1, Qt::LeftButton);
            } else if (auto* removal = qobject_cast<TFForaEscSgte*>(&window)) {
                for (int i = 0; i < removal->ListBox1->count(); ++i)
                    removalDays << removal->ListBox1->item(i)->text();
                removal->Edit1->setText(QStringLiteral("8"));
                QTest::mouseClick(removal->Button2, Qt::LeftButton);
                removal->ListBox1->item(0)->setSelected(true);
                QTest::mouseClick(removal->Button4, Qt::LeftButton);
                QTest::mouseClick(removal->Button3, Qt::LeftButton);
            }
            return window.result();
        });
        page().Edit1->setText(QStringLiteral("03/03/04"));
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        QCOMPARE(removalDays, QStringList({"01/03/04", "02/03/04", "03/03/04"}));
        QVERIFY(page().BPrever->isVisibleTo(&page()));
        QVERIFY(page().BDesfazer->isVisibleTo(&page()));
        QCOMPARE(page().ListBox2->count(), 0);

        // Second verification, with the removal; then the roster is declared ready.
        QStringList rosterShown;
        SetModalHook([&](QDialog& window) {
            rosterShown = itemsOf(page().ListBox2);
            auto& choice = static_cast<TFRetiraAlguem&>(window);
            QTest::mouseClick(choice.RadioButton2, Qt::LeftButton);
            return window.result();
        });
        QTest::mouseClick(page().BPrever, Qt::LeftButton);
        QCOMPARE(rosterShown.value(1), QStringLiteral("               01/03/04 (Pt)"));
        QVERIFY(rosterShown.filter(QStringLiteral("(Pt)")).size() == 3);
        for (const QString& line : rosterShown.mid(0, rosterShown.indexOf(QStringLiteral("               02/03/04 (Pt)"))))
            QVERIFY2(!line.contains(QStringLiteral(" 8-")), qPrintable(line));
        QVERIFY(page().BEscalar->isVisibleTo(&page()));
        QVERIFY(!page().Button6->isVisibleTo(&page()));
        QCOMPARE(page().ListBox5->count(), 0);
        QCOMPARE(page().ListBox2->count(), rosterShown.size());

        QTest::mouseClick(page().BEscalar, Qt::LeftButton);
        QVERIFY(m_dialogs->errors().isEmpty());

        // What the keeper finds afterwards.
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("03/03/04"));
        QCOMPARE(page().LUltimaEscala->text(), QStringLiteral("03/03/04"));
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("Label53"))->text(), QStringLiteral("03/03/04"));
        QVERIFY(page().Button6->isVisibleTo(&page()));
        QVERIFY(!page().BEscalar->isVisibleTo(&page()));
        QVERIFY(page().Edit1->isEnabled());
        QVERIFY(page().Edit1->text().isEmpty());
        QCOMPARE(page().ListBox2->count(), 0);

        const QList<HistRow> history = storedHistory(m_data->module());
        QList<HistRow> added;
        for (const HistRow& row : history)
            if (row.day > QDate(2004, 2, 29))
                added << row;
        QVERIFY(history.size() - rowsBefore == added.size());
        QVERIFY(!added.isEmpty());
        std::map<QString, Counts> taken;
        for (const HistRow& row : added) {
            QVERIFY(row.day <= QDate(2004, 3, 3));   // nothing after the target day
            QCOMPARE(row.kind, QStringLiteral("Pt"));
            if (row.day == QDate(2004, 3, 1))
                QVERIFY(!row.nums.contains(QStringLiteral("8")));
            for (const QString& num : row.nums)
                ++taken[num].pt;
        }
        // Every service taken raised the soldier's count in every roster he belongs to.
        for (const auto& [key, counts] : storedCounts(m_data->module())) {
            const Counts old = before.at(key);
            QCOMPARE(counts.pt, old.pt + taken[key.second].pt);
            QCOMPARE(counts.vm, old.vm);
        }
        // Their days entered their recent service days.
        LoadSoldiers();
        for (const HistRow& row : added) {
            for (const QString& num : row.nums) {
                const auto& soldiers = Global().SoldierTable;
                const auto it = std::find_if(soldiers.begin() + 1, soldiers.end(),
                                             [&](const SoldierRecord& s) { return s.Num == num; });
                QVERIFY(it != soldiers.end());
                QVERIFY(std::find(it->USv.begin(), it->USv.end(), row.day) != it->USv.end());
            }
        }
    }

    void refusalsAreShownAndChangeNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("no date") << "32/03/04" << "32/03/04 >>> Data inválida";
        QTest::newRow("beyond the calendar")
            << "21/03/04"
            << "Antes de escalar, você deve alongar a data de preparação do Sistema\n\n"
               "                       A data atual vai até o dia 20/03/04\n\n"
               "              Para ampliá-la, use o item 5. da aba /Manutenção/";
    }
    void refusalsAreShownAndChangeNothing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        page().Edit1->setText(typed);
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages(), QStringList{message});
        QVERIFY(page().Edit1->isEnabled());
        QVERIFY(page().Button6->isVisibleTo(&page()));
        QVERIFY(!page().BDesfazer->isVisibleTo(&page()));
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("29/02/04"));
    }

    void continuingKeepsTheListsAndDesfazerResets()
    {
        SetModalHook([](QDialog& window) {
            QTest::mouseClick(static_cast<TFRetiraAlguem&>(window).RadioButton3, Qt::LeftButton);
            return window.result();
        });
        page().Edit1->setText(QStringLiteral("02/03/04"));
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        QVERIFY(page().ListBox2->count() > 0);
        QVERIFY(!page().Edit1->isEnabled());
        QVERIFY(page().Button6->isVisibleTo(&page()));
        QVERIFY(page().BDesfazer->isVisibleTo(&page()));

        QTest::mouseClick(page().BDesfazer, Qt::LeftButton);
        QCOMPARE(page().ListBox2->count(), 0);
        QVERIFY(page().Edit1->isEnabled());
        QVERIFY(!page().BDesfazer->isVisibleTo(&page()));
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("29/02/04"));
    }

    void item10UndoesFromADay()
    {
        ClickableLabel* item = m_window->Manutencao->item(QStringLiteral("Label35"));
        m_dialogs->inputAnswers << std::nullopt << QStringLiteral("28/02/2004");
        QTest::mouseClick(item, Qt::LeftButton);   // Cancel: nothing changes
        QCOMPARE(storedHistory(m_data->module()).size(), 9);
        QTest::mouseClick(item, Qt::LeftButton);
        QCOMPARE(m_dialogs->shown.value(1),
                 QStringLiteral("input: Desfazer Escalas | Primeiro dia a eliminar (dd/mm/aa):  | "));
        QCOMPARE(m_dialogs->messages().size(), 2);   // the warning, each time
        QVERIFY(m_dialogs->messages().first().contains(QStringLiteral("CUIDADO !")));
        QCOMPARE(storedHistory(m_data->module()).size(), 3);
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("27/02/04"));
        QCOMPARE(page().LUltimaEscala->text(), QStringLiteral("27/02/04"));
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("Label53"))->text(), QStringLiteral("27/02/04"));
    }

    void printChoicesPrintTheListsOnce()
    {
        QList<QStringList> printed;
        SetPrintHook([&](const QString&, const Drawing& draw) {
            RecordingPrinter recorder;
            draw(recorder);
            QStringList texts;
            for (const RecordingPrinter::Call& call : recorder.calls())
                if (call.kind == RecordingPrinter::Call::Text)
                    texts << call.text;
            printed << texts;
        });
        SetModalHook([](QDialog& window) {
            QTest::mouseClick(static_cast<TFRetiraAlguem&>(window).RadioButton3, Qt::LeftButton);
            return window.result();
        });
        page().Edit1->setText(QStringLiteral("02/03/04"));
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        page().RadioButton3->click();
        page().RadioButton3->click();   // already ticked: no second printout
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed.first().first(), QStringLiteral("Escala de Serviço"));
        QCOMPARE(printed.first().mid(1), itemsOf(page().ListBox2));

        QTest::mouseClick(page().Button6, Qt::LeftButton);   // a new verification unticks "Escala"
        page().RadioButton3->click();
        QCOMPARE(printed.size(), 2);
        page().RadioButton4->click();
        QCOMPARE(printed.last().first(), QStringLiteral("Mensagens"));

        QTest::mouseClick(page().Button13, Qt::LeftButton);
        QVERIFY(page().ListBox6->isVisibleTo(&page()) && !page().ListBox5->isVisibleTo(&page()));
        QTest::mouseClick(page().Button5, Qt::LeftButton);
        QVERIFY(!page().ListBox6->isVisibleTo(&page()) && page().ListBox5->isVisibleTo(&page()));
    }
};

QTEST_MAIN(TestAutoRosterTab)
#include "TestAutoRosterTab.moc"
