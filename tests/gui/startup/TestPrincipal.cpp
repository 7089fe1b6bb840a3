// The main window: its controls, its activation, F1 and the manual sections of its tabs.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/DataFolder.h"
#include "data/Session.h"
#include "data/TextFile.h"
#include "data/UGlobal.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/UListaNumNomes.h"
#include "maintenance/UManual.h"
#include "rostering/AutoRosterPage.h"
#include "startup/CapaPage.h"
#include "startup/UPrincipal.h"

#include <QPushButton>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>
#include <memory>

namespace {

QStringList rosterNums(TDMGeral& module, const QString& table)
{
    QStringList nums;
    QSqlQuery q = module.openTable(Alias::Ravelha, table, 500);
    while (q.next())
        nums << q.value(0).toString();
    return nums;
}

void insertRosterRow(TDMGeral& module, const QString& table, const QString& num)
{
    QSqlQuery q(module.database(Alias::Ravelha));
    QVERIFY(q.exec(QStringLiteral("INSERT INTO %1 VALUES ('%2', 0, 0)").arg(table, num)));
}

// A point of the page that no control covers.
QPoint background(QWidget* page)
{
    for (int y = page->height() - 3; y > 0; y -= 7)
        for (int x = page->width() - 3; x > 0; x -= 7)
            if (!page->childAt(x, y))
                return {x, y};
    return {};
}

// Whether a control shows when its tab is the current one.
bool shownOnItsTab(const QWidget* control)
{
    const QWidget* page = control;
    while (page->parentWidget() && !page->objectName().startsWith(QStringLiteral("Tab")))
        page = page->parentWidget();
    return control->isVisibleTo(page);
}

void activate(QWidget* window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

}

class TestPrincipal : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    TFPrincipal& openWindow()
    {
        Global().CoverLines = {"Unidade de Teste", "Companhia de Comando", "", "Sistema de Escalas", "Capa.Bmp"};
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        return *m_window;
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
    }
    void cleanup()
    {
        m_window.reset();
        DeleteSharedWindows();
        SetModalHook({});
        m_dialogs.reset();
        m_data.reset();
    }

    void documentedControls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("visible");
        QTest::newRow("Sair") << "Button2" << "Sair" << true;
        QTest::newRow("credits") << "Idt" << "." << true;
        QTest::newRow("consultas 1") << "Label33" << "1.  Consultas ao Arquivo Histórico dos Serviços" << true;
        QTest::newRow("Verificar") << "Button6" << "Verificar" << true;
        QTest::newRow("BPrever") << "BPrever" << "Verificar" << false;
        QTest::newRow("BEscalar") << "BEscalar" << "Escalar" << false;
        QTest::newRow("BDesfazer") << "BDesfazer" << "Desfazer" << false;
        QTest::newRow("print group") << "RadioGroup1" << "              Imprimir" << true;
        QTest::newRow("Alertas") << "RadioButton7" << "Alertas" << true;
        QTest::newRow("Preparar Grade") << "Button10" << "Preparar Grade" << true;
        QTest::newRow("manual Verificar") << "Button11" << "Verificar" << false;
        QTest::newRow("manual Escalar") << "Button12" << "Escalar" << false;
        QTest::newRow("Carregar") << "BCarregar" << "Carregar" << true;
        QTest::newRow("Mensagens") << "RadioButton6" << "Mensagens" << true;
        QTest::newRow("swap item 2") << "Label45" << "2. Troca de Serviço - efetivar a troca nos arquivos do Sistema" << true;
        QTest::newRow("Listar") << "Button7" << "Listar" << false;
        QTest::newRow("B") << "RadioButton1" << "B" << false;
        QTest::newRow("A e B") << "RadioButton2" << "A e B" << false;
        QTest::newRow("Executar") << "Button9" << "Executar" << false;
        QTest::newRow("item 17") << "Label17" << "17. Inicializar o Sistema" << true;
        QTest::newRow("item 18") << "LImportar" << "18. Importar dados de uma pasta antiga" << true;
        QTest::newRow("item 8") << "Label10"
                                << "8. Relação dos militares CADASTRADOS no SISTEMA mas que não estão em nehuma escala;"
                                << true;
    }
    void documentedControls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, visible);
        TFPrincipal& window = openWindow();
        QCOMPARE(window.windowTitle(), QStringLiteral("Página Principal da Aplicação"));
        QWidget* control = window.findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            text = button->text();
        else if (auto* label = qobject_cast<QLabel*>(control))
            text = label->text();
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            text = group->title();
        QCOMPARE(text, caption);
        QCOMPARE(shownOnItsTab(control), visible);
    }

    void tabsAndMaintenanceItemsInOrder()
    {
        TFPrincipal& window = openWindow();
        QStringList tabs;
        for (int i = 0; i < window.PageControl1->count(); ++i)
            tabs << window.PageControl1->tabText(i);
        QCOMPARE(tabs, QStringList({"Capa", "Consultas", "Escalar Automático", "Escalar Manual", "Trocas Sv", "Manutenção"}));
        QCOMPARE(window.PageControl1->currentIndex(), 0);

        QStringList numbers;
        for (ClickableLabel* item : window.Manutencao->items)
            numbers << item->text().section(QLatin1Char('.'), 0, 0);
        QStringList expected;
        for (int n = 1; n <= 18; ++n)
            expected << QString::number(n);
        QCOMPARE(numbers, expected);
        QCOMPARE(window.Manutencao->item(QStringLiteral("Label17"))->toolTip(),
                 QStringLiteral("Irá limpar todos os arquivos do sistema"));
        QCOMPARE(window.Manutencao->item(QStringLiteral("Label18"))->text(), QStringLiteral("16. Cópia de Segurança"));
        QVERIFY(!window.Manutencao->ListBox1->isVisibleTo(window.Manutencao));
        QCOMPARE(window.Capa->Label16->text(), QStringLiteral("Unidade de Teste\nCompanhia de Comando\n\nSistema de Escalas"));
    }

    void firstShowActivatesAndRewritesTheRosters()
    {
        insertRosterRow(m_data->module(), QStringLiteral("Sv1"), QStringLiteral("x"));
        TFPrincipal& window = openWindow();
        QCOMPARE(window.EscalarAutomatico->LUltimaEscala->text(), QStringLiteral("29/02/04"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label53"))->text(), QStringLiteral("29/02/04"));
        QCOMPARE(Global().LastRosteredDay, QStringLiteral("29/02/04"));
        QCOMPARE(Global().ServiceTable[3].Descr, QStringLiteral("Cb Gda"));
        QCOMPARE(rosterNums(m_data->module(), QStringLiteral("Sv1")), QStringList({"1", "2", "3"}));
        QVERIFY(!window.Capa->Image1->pixmap().isNull());
        QVERIFY(m_dialogs->shown.isEmpty());
    }

    void activationRunsOnlyWhenComingBackFromTheManualOrTheLookup()
    {
        TFPrincipal& window = openWindow();
        activate(&window);
        QPushButton* escalar = window.EscalarAutomatico->BEscalar;

        // A modal window closes: no activation, "Escalar" shown meanwhile stays.
        QDialog modal(&window);
        SetModalHook([&](QDialog& d) {
            activate(&d);
            escalar->show();
            TextFile::writeLines(DataFolder::file(QStringLiteral("Escala.Txt")), {QStringLiteral("05/03/04")});
            return int(QDialog::Accepted);
        });
        ShowModal(modal);
        activate(&window);
        QVERIFY(shownOnItsTab(escalar));
        QCOMPARE(window.EscalarAutomatico->LUltimaEscala->text(), QStringLiteral("29/02/04"));

        // Back from the lookup: the activation runs.
        insertRosterRow(m_data->module(), QStringLiteral("Sv2"), QStringLiteral("x"));
        ShowPersonnelLookup();
        activate(&PersonnelLookup());
        activate(&window);
        QVERIFY(!shownOnItsTab(escalar));
        QCOMPARE(window.EscalarAutomatico->LUltimaEscala->text(), QStringLiteral("05/03/04"));
        QVERIFY(!rosterNums(m_data->module(), QStringLiteral("Sv2")).contains(QStringLiteral("x")));

        // Back from the manual too.
        escalar->show();
        OpenManual(QStringLiteral("001"));
        activate(&ManualWindow());
        activate(&window);
        QVERIFY(!shownOnItsTab(escalar));
    }

    // Opened from a modal window, the manual is that window's child, so it takes input at once;
    // opened later from the main window, it stands alone again.
    void sharedWindowsOverAModalWindow()
    {
        TFPrincipal& window = openWindow();
        QDialog modal(&window);
        SetModalHook([&](QDialog& d) {
            OpenManual(QStringLiteral("011"));
            [&] { QCOMPARE(ManualWindow().parentWidget(), &d); }();
            [&] { QVERIFY(ManualWindow().isVisible()); }();
            return int(QDialog::Accepted);
        });
        ShowModal(modal);
        OpenManual(QStringLiteral("003"));
        QCOMPARE(ManualWindow().parentWidget(), nullptr);
        QVERIFY(ManualWindow().isVisible());
    }

    void f1OpensTheLookupFromAnyControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("target day") << "Edit1";
        QTest::newRow("roster list") << "ListBox2";
        QTest::newRow("manual grid") << "SGGradeSv";
        QTest::newRow("Sair") << "Button2";
    }
    void f1OpensTheLookupFromAnyControl()
    {
        QFETCH(QString, control);
        TFPrincipal& window = openWindow();
        QWidget* widget = window.findChild<QWidget*>(control);
        QVERIFY(widget);
        QVERIFY(!IsSharedWindow(QApplication::activeWindow()));
        QTest::keyClick(widget, Qt::Key_F1);
        QVERIFY(PersonnelLookup().isVisible());
    }

    void pressOnATabPageOpensItsManualSection_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("section");
        const char* sections[] = {"001", "002", "003", "004", "005", "006"};
        for (int tab = 0; tab < 6; ++tab)
            QTest::newRow(sections[tab]) << tab << QString::fromLatin1(sections[tab]);
    }
    void pressOnATabPageOpensItsManualSection()
    {
        QFETCH(int, tab);
        QFETCH(QString, section);
        TFPrincipal& window = openWindow();
        window.PageControl1->setCurrentIndex(tab);
        QWidget* page = window.PageControl1->currentWidget();
        QTest::mousePress(page, Qt::LeftButton, {}, background(page));
        QVERIFY(ManualWindow().isVisible());
        QCOMPARE(Global().ManualSection, section);
    }

    void pressOnAControlDoesNotOpenTheManual()
    {
        TFPrincipal& window = openWindow();
        window.PageControl1->setCurrentIndex(5);
        ClickableLabel* item = window.Manutencao->item(QStringLiteral("Label6"));
        QTest::mousePress(item, Qt::LeftButton);
        QVERIFY(Global().ManualSection.isEmpty());
    }

    void coverWithoutPictureStillActivates()
    {
        Global().CoverLines = {"a", "b", "c", "d", ""};
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        QVERIFY(m_window->Capa->Image1->pixmap().isNull());
        QCOMPARE(m_window->EscalarAutomatico->LUltimaEscala->text(), QStringLiteral("29/02/04"));
        QVERIFY(m_dialogs->errors().isEmpty());
    }

    void missingLastRosteredDayFileIsNamed()
    {
        QFile::remove(DataFolder::file(QStringLiteral("Escala.Txt")));
        insertRosterRow(m_data->module(), QStringLiteral("Sv1"), QStringLiteral("x"));
        openWindow();
        QCOMPARE(m_dialogs->errors(), QStringList{QStringLiteral("O arquivo Escala.Txt não foi encontrado.")});
        // The rest of the activation did not run: the rosters were not rewritten.
        QVERIFY(rosterNums(m_data->module(), QStringLiteral("Sv1")).contains(QStringLiteral("x")));
    }

    void creditsAndSair()
    {
        TFPrincipal& window = openWindow();
        QTest::mouseClick(window.Capa->Idt, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY(m_dialogs->messages().first().startsWith(QStringLiteral("Ravelha")));
        QTest::mouseClick(window.Capa->Button2, Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestPrincipal)
#include "TestPrincipal.moc"
