// "Inclusão/Exclusão de um Militar " on the small fixture: Of Dia 1 to 3, Adj Of 4 to 6, Cb Gda 7
// to 12; the history lists every one of them. The service chooser is driven through the modal hook.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/Clock.h"
#include "data/DataFiles.h"
#include "data/UGlobal.h"
#include "maintenance/IndividualInclusion.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/UIncExcInd.h"
#include "manual/UEscolherSv.h"
#include "startup/UPrincipal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <functional>
#include <memory>

class TestIncExcInd : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFIncExcInd> m_window;
    std::function<void(TFEscolherSv&)> m_inChooser;   // acts on the chooser before "Pronto"
    QList<int> m_tickedAtOpen;
    bool m_noteWhileChoosing = false;

    void run(const QString& statement)
    {
        QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
        QVERIFY2(q.exec(statement), qPrintable(statement));
    }
    QStringList rows(const QString& table) { return StoredRows(m_data->module(), table); }
    QStringList everything() { return StoredTables(m_data->module(), {"Basico", "Hist", "Sv1", "Sv2", "Sv3", "Sv30"}); }
    QString soldierRow(const QString& num)
    {
        for (const QString& row : rows("Basico"))
            if (row.section('|', 0, 0) == num)
                return row;
        return QString();
    }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void choose(const QString& num)
    {
        m_window->Edit1->setText(num);
        click(m_window->BEscolher);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Clock::setToday(QDate(2004, 3, 3));
        m_inChooser = {};
        m_tickedAtOpen.clear();
        m_noteWhileChoosing = false;
        SetModalHook([this](QDialog& window) {
            auto* chooser = qobject_cast<TFEscolherSv*>(&window);
            if (!chooser)
                return window.result();
            m_tickedAtOpen.clear();
            for (int n = 1; n <= 30; ++n)
                if (chooser->CheckBox[n]->isChecked())
                    m_tickedAtOpen << n;
            m_noteWhileChoosing = m_window->Memo1->isVisible();
            if (m_inChooser)
                m_inChooser(*chooser);
            QTest::mouseClick(chooser->Button6, Qt::LeftButton);
            return chooser->result();
        });
        m_window = std::make_unique<TFIncExcInd>();
        m_window->show();
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
        TFIncExcInd& w = *m_window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Inclusão/Exclusão de um Militar "));
        QCOMPARE(w.manualSection(), QStringLiteral("007"));
        QCOMPARE((QStringList{w.Label1->text(), w.Label2->text(), w.Label3->text()}),
                 (QStringList{"Numero", "Pst/Grd", "Nome"}));
        QCOMPARE(w.Panel1->title(), QStringLiteral("Inclusão/Exclusão no Sistema"));
        QCOMPARE(w.Panel2->title(), QStringLiteral("Inclusão/Exclusão em Serviços"));
        QCOMPARE((QStringList{w.BIncluir->text(), w.BExcluir->text(), w.BEscolher->text(), w.BGravar->text(),
                              w.Button4->text()}),
                 (QStringList{"Incluir ", "Excluir", "Escolher", "Gravar", "Sair"}));
        QVERIFY(!w.BGravar->isEnabled());
        QVERIFY(!w.Memo1->isVisible());
        QCOMPARE(w.Memo1->toPlainText().split('\n'),
                 (QStringList{" Inicialmente estarão marcados os ", "Serviços  aos quais  o militar con -",
                              "corre atualmente .", "  Ao final,  deixe   marcados   os ",
                              "Serviços aos quais  o militar  con-", "tinuará a concorrer. "}));
        QStringList ranks;
        for (int i = 0; i < w.ComboBox1->count(); ++i)
            ranks << w.ComboBox1->itemText(i);
        QVERIFY(!ranks.isEmpty());
        QCOMPARE(ranks, DataFiles::ReadRankList());
        QCOMPARE(w.ComboBox1->currentText(), QString());
        QCOMPARE(w.ComboBox1->maxVisibleItems(), 30);
    }

    void openedFromTheMaintenanceTab()
    {
        m_window.reset();
        TFPrincipal main;
        main.show();
        main.PageControl1->setCurrentWidget(main.Manutencao);
        main.Manutencao->ListBox1->show();
        QString title;
        SetModalHook([&](QDialog& window) {
            title = window.windowTitle();
            window.close();
            return window.result();
        });
        QTest::mouseClick(main.Manutencao->item(QStringLiteral("Label1")), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Inclusão/Exclusão de um Militar "));
        QVERIFY(!main.Manutencao->ListBox1->isVisible());
    }

    void chooseShowsHisServicesAndSaveAppliesThemToEachNumber()
    {
        run("INSERT INTO Sv (CodSv, Descr, Ini, Fim, Quant, Prio) VALUES (30, 'Ronda', '2004-01-01', '2004-12-31', 1, 4)");
        run("INSERT INTO Sv30 (Num, Pt, Vm) VALUES ('7', 2, 2)");
        run("UPDATE Sv1 SET Pt = 3, Vm = 4 WHERE Num = '1'");
        run("UPDATE Sv1 SET Pt = 5, Vm = 2 WHERE Num = '2'");
        run("UPDATE Sv1 SET Pt = 7, Vm = 6 WHERE Num = '3'");
        run("UPDATE Sv3 SET Pt = 4, Vm = 5 WHERE Num = '7'");

        // 7 stays in Cb Gda, joins Of Dia, leaves Ronda.
        m_inChooser = [](TFEscolherSv& chooser) {
            chooser.CheckBox[30]->setChecked(false);
            chooser.CheckBox[1]->setChecked(true);
        };
        const QStringList before = everything();
        choose("7");
        QCOMPARE(everything(), before);   // choosing writes nothing
        QCOMPARE(m_tickedAtOpen, (QList<int>{3, 30}));
        QVERIFY(m_noteWhileChoosing);
        QVERIFY(!m_window->Memo1->isVisible());
        QVERIFY(m_window->BGravar->isEnabled());
        QVERIFY(m_window->choicePending());

        click(m_window->BGravar);
        QVERIFY(!m_window->choicePending());
        QCOMPARE(m_window->Edit1->text(), QString());
        QCOMPARE(rows("Sv1"), (QStringList{"1|3|4", "2|5|2", "3|7|6", "7|3|2"}));
        QCOMPARE(rows("Sv3"), (QStringList{"10|0|1", "11|0|1", "12|0|1", "7|4|5", "8|1|0", "9|0|1"}));
        QCOMPARE(rows("Sv30"), QStringList());

        // "Gravar" for the next number, without choosing again, gives him the same services.
        m_window->Edit1->setText("8");
        click(m_window->BGravar);
        QCOMPARE(rows("Sv1"), (QStringList{"1|3|4", "2|5|2", "3|7|6", "7|3|2", "8|3|2"}));
        QCOMPARE(rows("Sv3"), (QStringList{"10|0|1", "11|0|1", "12|0|1", "7|4|5", "8|1|0", "9|0|1"}));
        QCOMPARE(m_dialogs->shown, QStringList());
    }

    void aChoiceLeftUnsavedIsPointedOut()
    {
        const QStringList before = everything();
        m_inChooser = [](TFEscolherSv& chooser) { chooser.CheckBox[1]->setChecked(true); };
        choose("7");
        m_window->Edit1->setText("8");
        QCOMPARE(m_dialogs->messages(), QStringList{"Você não gravou o registro anterior"});
        QVERIFY(!m_window->choicePending());
        m_window->Edit1->setText("9");   // once only
        QCOMPARE(m_dialogs->messages().size(), 1);

        choose("7");
        click(m_window->Button4);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(m_dialogs->messages().last(), QStringLiteral("Você escolheu Serviço mas não gravou o registro"));
        QCOMPARE(everything(), before);
    }

    void saveForAnUnregisteredNumberDisablesGravar()
    {
        const QStringList before = everything();
        choose("99");
        QCOMPARE(m_tickedAtOpen, QList<int>());
        click(m_window->BGravar);
        QCOMPARE(m_dialogs->messages(), QStringList{SoldierNotRegistered});
        QVERIFY(!m_window->BGravar->isEnabled());
        QVERIFY(!m_window->choicePending());
        QCOMPARE(everything(), before);
    }

    void includeShowsTheRegisteredNameOrAddsTheSoldier()
    {
        TFIncExcInd& w = *m_window;
        w.Edit1->setText("3");
        w.ComboBox1->setEditText("Cb");
        w.Edit2->setText("Outro");
        m_dialogs->questionAnswers << true;   // 3 is in the history too
        click(w.BIncluir);
        QCOMPARE(m_dialogs->shown, (QStringList{"question: " + StillInHistoryQuestion, "message: " + NumberAlreadyRegistered}));
        QCOMPARE(w.Edit2->text(), QStringLiteral("Cardoso"));

        m_dialogs->shown.clear();
        w.Edit1->setText("50");
        w.ComboBox1->setCurrentIndex(w.ComboBox1->findText("Sd"));
        w.Edit2->setText("Novo");
        click(w.BIncluir);
        QCOMPARE(m_dialogs->shown, QStringList());
        QCOMPARE(soldierRow("50"), QStringLiteral("50|Novo|Sd||||"));
        QCOMPARE(w.Edit1->text(), QStringLiteral("50"));
        QCOMPARE(w.Edit2->text(), QString());
        QCOMPARE(w.ComboBox1->currentText(), QString());

        // The history question answered No changes nothing.
        run("DELETE FROM Basico WHERE Num = '12'");
        const QStringList before = everything();
        w.Edit1->setText("12");
        w.ComboBox1->setEditText("Cb");
        w.Edit2->setText("Novo");
        m_dialogs->questionAnswers << false;
        click(w.BIncluir);
        QCOMPARE(m_dialogs->shown, QStringList{"question: " + StillInHistoryQuestion});
        QCOMPARE(everything(), before);
    }

    void excludeEmptiesTheBoxes()
    {
        TFIncExcInd& w = *m_window;
        w.Edit1->setText("8");
        w.Edit2->setText("Henriques");
        click(w.BExcluir);
        QCOMPARE(m_dialogs->shown, QStringList());
        QCOMPARE(soldierRow("8"), QString());
        QCOMPARE(rows("Sv3"), (QStringList{"10|0|1", "11|0|1", "12|0|1", "7|1|0", "9|0|1"}));
        QCOMPARE((QStringList{w.Edit1->text(), w.ComboBox1->currentText(), w.Edit2->text()}), (QStringList{"", "", ""}));

        const QStringList before = everything();
        w.Edit1->setText("99");
        w.Edit2->setText("Alguém");
        click(w.BExcluir);
        QCOMPARE(m_dialogs->messages(), QStringList{NumberNotFound});
        QCOMPARE((QStringList{w.Edit1->text(), w.Edit2->text()}), (QStringList{"", ""}));
        QCOMPARE(everything(), before);
    }

    void leavingIncluirEmptiesTheName()
    {
        TFIncExcInd& w = *m_window;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.BIncluir->setFocus(Qt::TabFocusReason);
        QVERIFY(w.BIncluir->hasFocus());
        w.Edit2->setText("Cardoso");
        w.Edit1->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.Edit2->text(), QString());
    }
};

QTEST_MAIN(TestIncExcInd)
#include "TestIncExcInd.moc"
