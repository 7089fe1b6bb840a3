// "Cadastro dos Serviços" driven by its controls on the small fixture: Of Dia (1), Adj Of (2) and
// Cb Gda (3), each with history rows and members.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/UGlobal.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/ServiceRegister.h"
#include "maintenance/UIncExcAltSv.h"
#include "startup/UPrincipal.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

class TestIncExcAltSv : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFIncExcAltSv> m_window;

    TFIncExcAltSv& window() { return *m_window; }
    QStringList sv() { return StoredRows(m_data->module(), "Sv"); }
    QList<QLineEdit*> boxes()
    {
        return {window().Edit1, window().Edit2, window().Edit3, window().Edit4, window().Edit5, window().Edit6};
    }
    void type(QLineEdit* box, const QString& text)
    {
        box->clear();
        QTest::keyClicks(box, text);
    }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Every box, label and button as after activation, "Limpar" and a save.
    void expectNoMode()
    {
        for (QLineEdit* box : boxes())
            QVERIFY2(!box->isEnabled() && box->text().isEmpty(), qPrintable(box->objectName()));
        QVERIFY(!window().Edit7->isEnabled());
        for (int i = 1; i <= 7; ++i)
            QVERIFY(!window().Labels[i]->isEnabled());
        QVERIFY(!window().Button1->isEnabled());
        QVERIFY(!window().Button2->isEnabled());
        QVERIFY(window().Button3->isEnabled());
        QVERIFY(!window().RadioButton1->isChecked() && !window().RadioButton2->isChecked()
                && !window().RadioButton3->isChecked());
        QVERIFY(window().Label8->isHidden());
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_window = std::make_unique<TFIncExcAltSv>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup()
    {
        SetModalHook({});
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    void theWindowAsTheKeeperSeesIt()
    {
        QCOMPARE(window().objectName(), QStringLiteral("FIncExcAltSv"));
        QCOMPARE(window().windowTitle(), QStringLiteral("FIncExcAltSv"));
        QCOMPARE(window().Label9->text(), QStringLiteral("Cadastro dos Serviços"));
        QCOMPARE(window().manualSection(), QStringLiteral("018"));
        const QStringList captions{"Código", "Descrição", "Quantidade", "Prioridade", "Início do Serviço",
                                   "Final do Serviço", "Folga"};
        for (int i = 1; i <= 7; ++i) {
            QCOMPARE(window().Labels[i]->text(), captions.at(i - 1));
            QVERIFY(window().findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i)));
        }
        QCOMPARE(window().Edit7->toolTip(), QStringLiteral("1 = 24 h  ,  2 = 48 h "));
        QCOMPARE(window().RadioButton1->text(), QStringLiteral("Incluir"));
        QCOMPARE(window().RadioButton2->text(), QStringLiteral("Excluir"));
        QCOMPARE(window().RadioButton3->text(), QStringLiteral("Alterar"));
        QCOMPARE(window().RadioButton1->parent(), window().RadioGroup1);
        QCOMPARE(window().Button2->text(), QStringLiteral("Limpar"));
        QCOMPARE(window().Button3->text(), QStringLiteral("Sair"));
        QVERIFY(window().Button4->isHidden());
        expectNoMode();
        // The listing of the thirty codes, in two columns.
        QCOMPARE(window().ListingTitle->text(), QStringLiteral("Relação dos Serviços"));
        QCOMPARE(window().ListingTitle->palette().color(QPalette::WindowText), QColor(Qt::blue));
        const QStringList left = window().ListingLeft->text().split('\n');
        const QStringList right = window().ListingRight->text().split('\n');
        QCOMPARE(left.size(), 15);
        QCOMPARE(right.size(), 15);
        QCOMPARE(left.mid(0, 4), (QStringList{"1 - Of Dia", "2 - Adj Of", "3 - Cb Gda", "4 - "}));
        QCOMPARE(right.first(), QStringLiteral("16 - "));
        QCOMPARE(right.last(), QStringLiteral("30 - "));
    }

    void eachModeOpensItsBoxes_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("allBoxes");
        QTest::addColumn<QStringList>("shown");   // Edit5, Edit6, Edit7
        QTest::newRow("Incluir") << "RadioButton1" << "Efetivar Inclusão" << true
                                 << QStringList{"01/01/00", "01/01/50", "2"};
        QTest::newRow("Excluir") << "RadioButton2" << "Efetivar Exclusão" << false << QStringList{"", "", ""};
        QTest::newRow("Alterar") << "RadioButton3" << "Efetivar Alteração" << true << QStringList{"", "", "2"};
    }
    void eachModeOpensItsBoxes()
    {
        QFETCH(QString, radio);
        QFETCH(QString, caption);
        QFETCH(bool, allBoxes);
        QFETCH(QStringList, shown);
        click(window().findChild<QRadioButton*>(radio));
        QCOMPARE(window().Button1->text(), caption);
        QVERIFY(window().Button1->isEnabled());
        QVERIFY(window().Button2->isEnabled());
        QVERIFY(window().Edit1->isEnabled());
        QVERIFY(window().Edit1->hasFocus());
        for (int i = 2; i <= 6; ++i) {
            QCOMPARE(boxes().at(i - 1)->isEnabled(), allBoxes);
            QCOMPARE(window().Labels[i]->isEnabled(), allBoxes);
        }
        QCOMPARE(window().Labels[7]->isEnabled(), allBoxes);
        QVERIFY(!window().Edit7->isEnabled());
        QCOMPARE((QStringList{window().Edit5->text(), window().Edit6->text(), window().Edit7->text()}), shown);
        QCOMPARE(window().Label8->isVisible(), radio == QStringLiteral("RadioButton1"));
        if (window().Label8->isVisible())
            QVERIFY(window().Label8->text().startsWith(QStringLiteral("Códigos livres:  4 5 6 ")));
        click(window().Button2);
        expectNoMode();
    }

    void includesThenChangesTheNewService()
    {
        click(window().RadioButton1);
        type(window().Edit1, "5");
        type(window().Edit2, "Guarda Quartel");
        type(window().Edit3, "2");
        click(window().Button1);
        QCOMPARE(m_dialogs->shown, QStringList());
        QCOMPARE(sv().last(), QStringLiteral("5|Guarda Q|2000-01-01|2050-01-01|2|10|"));
        expectNoMode();
        QCOMPARE(window().ListingLeft->text().split('\n').at(4), QStringLiteral("5 - Guarda Q"));

        // After a save, "Alterar" shows the service typed and saves a change.
        click(window().RadioButton3);
        QCOMPARE(window().Edit7->text(), QStringLiteral("2"));
        type(window().Edit1, "5");
        QCOMPARE(window().Edit2->text(), QStringLiteral("Guarda Q"));
        QCOMPARE(window().Edit3->text(), QStringLiteral("2"));
        QCOMPARE(window().Edit4->text(), QStringLiteral("10"));
        QCOMPARE(window().Edit5->text(), QStringLiteral("01/01/00"));
        QCOMPARE(window().Edit6->text(), QStringLiteral("01/01/50"));
        type(window().Edit3, "4");
        type(window().Edit6, "31/12/04");
        click(window().Button1);
        QCOMPARE(m_dialogs->shown, QStringList());
        QCOMPARE(sv().last(), QStringLiteral("5|Guarda Q|2000-01-01|2004-12-31|4|10|"));
        expectNoMode();
    }

    void aCodeInUseFillsTheBoxes()
    {
        const QStringList before = sv();
        click(window().RadioButton1);
        type(window().Edit1, "2");
        type(window().Edit2, "Novo");
        type(window().Edit3, "1");
        click(window().Button1);
        QCOMPARE(m_dialogs->messages(), QStringList{"Código já existente"});
        QCOMPARE(window().Edit2->text(), QStringLiteral("Adj Of"));
        QCOMPARE(window().Edit4->text(), QStringLiteral("2"));
        QCOMPARE(window().Edit5->text(), QStringLiteral("01/01/04"));
        QCOMPARE(window().Edit6->text(), QStringLiteral("31/12/04"));
        QVERIFY(window().RadioButton1->isChecked());
        QCOMPARE(sv(), before);
    }

    void aRemovalAsksBeforeEmptyingTheRoster()
    {
        const QStringList before = StoredTables(m_data->module(), {"Sv", "Sv3", "Hist"});
        click(window().RadioButton2);
        type(window().Edit1, "3");
        QCOMPARE(window().Edit2->text(), QStringLiteral("Cb Gda"));
        QCOMPARE(window().Edit5->text(), QStringLiteral("01/01/04"));
        m_dialogs->questionAnswers << false;
        click(window().Button1);
        QCOMPARE(m_dialogs->shown,
                 QStringList{"question: " + ServiceRegister::EmptyRosterQuestion(3, QStringLiteral("Cb Gda"), 6)});
        QCOMPARE(StoredTables(m_data->module(), {"Sv", "Sv3", "Hist"}), before);
        QVERIFY(window().RadioButton2->isChecked());

        // Yes: the history lists Cb Gda, so it is retired and its roster emptied.
        m_dialogs->shown.clear();
        m_dialogs->questionAnswers << true;
        click(window().Button1);
        QCOMPARE(m_dialogs->messages(), QStringList{ServiceRegister::RetirementMessage()});
        QCOMPARE(sv().at(2), QStringLiteral("3|Cb Gda|2000-01-01|2000-01-01|2|10|"));
        QCOMPARE(StoredRows(m_data->module(), "Sv3"), QStringList());
        expectNoMode();
    }

    void wrongTextsAreNamedAsTheyAreTyped()
    {
        click(window().RadioButton3);
        type(window().Edit1, "x");
        QCOMPARE(m_dialogs->errors(), QStringList{"Código \"x\" inválido: informe um número de 1 a 30."});
        QCOMPARE(window().Edit2->text(), QString());

        // Leaving the quantity box: a text that is no number, then more than 24 a day.
        m_dialogs->shown.clear();
        type(window().Edit1, "1");
        window().Edit3->setFocus();
        type(window().Edit3, "dois");
        window().Edit4->setFocus();
        QCOMPARE(m_dialogs->errors(), QStringList{"Quantidade \"dois\" inválida: informe um número inteiro, 0 ou mais."});
        window().Edit3->setFocus();
        type(window().Edit3, "25");
        window().Edit4->setFocus();
        QCOMPARE(m_dialogs->messages(), QStringList{ServiceRegister::CapacityWarning()});
        // The warning keeps the value; the other services stay as they were.
        click(window().Button1);
        QCOMPARE(sv(), (QStringList{"1|Of Dia|2004-01-01|2004-12-31|25|1|", "2|Adj Of|2004-01-01|2004-12-31|1|2|",
                                    "3|Cb Gda|2004-01-01|2004-12-31|2|3|"}));
    }

    void itemThirteenOpensTheWindowAndSairClosesIt()
    {
        m_window.reset();
        TFPrincipal principal;
        principal.show();
        principal.PageControl1->setCurrentWidget(principal.Manutencao);
        principal.Manutencao->ListBox1->show();
        bool opened = false;
        SetModalHook([&](QDialog& shown) {
            auto* registerWindow = qobject_cast<TFIncExcAltSv*>(&shown);
            opened = registerWindow != nullptr;
            if (registerWindow) {
                [&] { QCOMPARE(registerWindow->ListingLeft->text().split('\n').first(), QStringLiteral("1 - Of Dia")); }();
                QTest::mouseClick(registerWindow->Button3, Qt::LeftButton);
                [&] { QVERIFY(!registerWindow->isVisible()); }();
            }
            return shown.result();
        });
        QTest::mouseClick(principal.Manutencao->item(QStringLiteral("Label13")), Qt::LeftButton);
        QVERIFY(opened);
        QVERIFY(principal.Manutencao->ListBox1->isHidden());
    }
};

QTEST_MAIN(TestIncExcAltSv)
#include "TestIncExcAltSv.moc"
