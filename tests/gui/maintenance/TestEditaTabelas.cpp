// Item 7 of "Manutenção", the table browser, on the small fixture: Of Dia 1 to 3, Adj Of 4 to 6,
// Cb Gda 7 to 12; soldier 2 away planned, soldier 5 away real. A service 5 ("Sd Gda", empty roster)
// is registered too, so that the chooser can tick two registered services.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/UGlobal.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/TableBrowser.h"
#include "maintenance/UCorrigePstGrd.h"
#include "maintenance/UEditaTabelas.h"
#include "maintenance/UListaNumNomes.h"
#include "manual/UEscolherSv.h"
#include "printing/RecordingPrinter.h"
#include "startup/UPrincipal.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

namespace {

void run(const QString& statement)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

QString stored(const QString& table, const QString& num, const QString& column)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    q.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE Num = ?").arg(column, table));
    q.addBindValue(num);
    return q.exec() && q.next() ? q.value(0).toString() : QStringLiteral("(none)");
}

QStringList column(const QAbstractItemModel* model, int c)
{
    QStringList values;
    for (int row = 0; row < model->rowCount(); ++row)
        values << model->data(model->index(row, c)).toString();
    return values;
}

QStringList titles(const QAbstractItemModel* model)
{
    QStringList names;
    for (int c = 0; c < model->columnCount(); ++c)
        names << model->headerData(c, Qt::Horizontal).toString();
    return names;
}

}

class TestEditaTabelas : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFEditaTabelas> m_window;
    QList<int> m_ticked;
    QMap<QString, QString> m_ranks;   // unrecognised spelling -> model spelling chosen
    QStringList m_corrections;

    TFEditaTabelas& window() { return *m_window; }
    const QStringList storedState() { return StoredTables(m_data->module(), {"Basico", "Sv", "Sv2", "Sv3"}); }

    // Types `text` into the grid's cell (row of `num`, column `field`) and posts it with the navigator.
    void type(const QString& num, const QString& field, const QString& text)
    {
        BrowserTableModel* model = window().tableModel();
        QVERIFY(model);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);   // editors closed before
        const QModelIndex cell = model->index(model->rowOfKey(num), model->columnOf(field));
        window().DBGEditor->setCurrentIndex(cell);
        QTest::mouseClick(window().nbEdit, Qt::LeftButton);
        auto* editor = window().DBGEditor->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(text);
        QTest::mouseClick(window().nbPost, Qt::LeftButton);
        QCoreApplication::processEvents();   // the refusal is told once the editor has closed
    }

    void pickRows(const QList<int>& rows)
    {
        for (int row : rows) {
            const QRect cell = window().DBGEditor->visualRect(window().gridModel()->index(row, 0));
            QTest::mouseClick(window().DBGEditor->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
        }
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        run("INSERT INTO Sv VALUES (5, 'Sd Gda', '2004-01-01', '2004-12-31', 1, 5, 2)");
        ResetTableBrowserNotice();
        m_ticked.clear();
        m_ranks.clear();
        m_corrections.clear();
        SetModalHook([this](QDialog& dialog) {
            if (auto* chooser = qobject_cast<TFEscolherSv*>(&dialog)) {
                for (int code : m_ticked)
                    chooser->CheckBox[code]->setChecked(true);
                QTest::mouseClick(chooser->Button6, Qt::LeftButton);
            } else if (auto* correction = qobject_cast<TFCorrigePstGrd*>(&dialog)) {
                m_corrections << correction->Label2->text();
                const int choice = correction->ComboBox1->findText(m_ranks.value(correction->Label2->text()));
                if (choice >= 0)
                    correction->ComboBox1Click(choice);
                else
                    correction->reject();
            }
            return dialog.result();
        });
        m_window = std::make_unique<TFEditaTabelas>();
        m_window->show();
    }
    void cleanup()
    {
        m_window.reset();
        SetModalHook({});
        SetPrintHook({});
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    void theWindowAsTheKeeperSeesIt()
    {
        QCOMPARE(window().windowTitle(), QStringLiteral("Edição das Tabelas do sistema"));
        QCOMPARE(window().manualSection(), QStringLiteral("013"));
        QCOMPARE(window().Label2->text(), QStringLiteral("1.  Quadro com  as características dos Serviços existentes"));
        QCOMPARE(window().Label1->text(),
                 QStringLiteral("2.  Informações dos Militares que sejam de interesse para o Serviço"));
        QCOMPARE(window().Label6->text(),
                 QStringLiteral("3.  Relação de cada Serviço com a quantidade de serviços por militar"));
        QCOMPARE(window().Label3->text(),
                 QStringLiteral("4.  Informações dos militares (opção 2) inseridas na Relação dos Serviços (opção 3)"));
        QCOMPARE(window().Memo1->toPlainText(),
                 QStringLiteral("Esta Grade não permite alterações. Para realizar as\n"
                                "que  se  fizerem  necessárias,  você deverá   utilizar as\n"
                                "opções 2. e 3.\n\n"
                                ">> Para prosseguir, \"clicar\" sobre esta área."));
        QCOMPARE(window().Label4->text(), QStringLiteral("Situação da Escada de :"));
        QCOMPARE(window().BitBtn1->text(), QStringLiteral("Impressão"));
        QCOMPARE(window().Button1->text(), QStringLiteral("Sair"));
        QCOMPARE(window().Panel1->title(), QStringLiteral("Afastamento"));
        const QList<QPushButton*> searches{window().Button8, window().Button2, window().Button3, window().Button4,
                                           window().Button5, window().Button6, window().Button7, window().Button9};
        QStringList captions;
        for (QPushButton* b : searches)
            captions << b->text();
        QCOMPARE(captions, (QStringList{"Pesquisar", "Pesquisa Nº", "Pesquisa Nome", "P", "R", "P+R", "Ver Todos", "Ajuda"}));
        // On activation: no bar, no heading, no notice, no print button, no search control.
        for (QWidget* hidden : std::initializer_list<QWidget*>{window().Bevel1, window().Label4, window().Label5,
                                                               window().Memo1, window().BitBtn1, window().Panel1})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        for (QPushButton* b : searches)
            QVERIFY2(!b->isVisible(), qPrintable(b->objectName()));
        QCOMPARE(window().DBGEditor->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(window().DBGEditor->verticalHeader()->isVisible());
        // F1 shows the personnel lookup beside the window.
        QTest::keyClick(window().DBGEditor, Qt::Key_F1);
        QVERIFY(PersonnelLookup().isVisible());
        // A press on the background opens the manual at the window's section.
        QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(Global().ManualSection, QStringLiteral("013"));
    }

    void eachOptionShowsItsData_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("barY");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("heading");   // empty: no service heading
        QTest::newRow("1: the services")
            << 1 << 16 << true << QStringList{"CodSv", "Descr", "Ini", "Fim", "Quant", "Prio", "Folga"}
            << QStringList{"1", "2", "3", "5"} << "";
        QTest::newRow("2: the soldiers")
            << 2 << 40 << true << QStringList{"Num", "Nome", "PstGrd", "PR", "Ini", "Fim", "USv"}
            << QStringList{"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"} << "";
        QTest::newRow("3: the roster of the lowest ticked service")
            << 3 << 64 << true << QStringList{"Num", "Pt", "Vm"} << QStringList{"4", "5", "6"} << "Adj Of";
        QTest::newRow("4: the roster with its members' data")
            << 4 << 88 << false
            << QStringList{"Num", "PstGrd", "Nome do Militar", "Pt", "Vm", "PrevReal", "Fora Escala de",
                           "Fora Escala ate", "Ultimos Servicos"}
            << QStringList{"4", "5", "6"} << "Adj Of";
    }
    void eachOptionShowsItsData()
    {
        QFETCH(int, option);
        QFETCH(int, barY);
        QFETCH(bool, editable);
        QFETCH(QStringList, titles);
        QFETCH(QStringList, keys);
        QFETCH(QString, heading);
        m_ticked = {5, 2};
        ClickableLabel* labels[] = {window().Label2, window().Label1, window().Label6, window().Label3};
        QTest::mouseClick(labels[option - 1], Qt::LeftButton);
        QCOMPARE(m_dialogs->errors(), QStringList());
        QVERIFY(window().Bevel1->isVisible());
        QCOMPARE(window().Bevel1->y(), barY);
        QAbstractItemModel* model = window().gridModel();
        QVERIFY(model);
        QCOMPARE(::titles(model), titles);
        QCOMPARE(column(model, 0), keys);
        QCOMPARE(bool(window().tableModel()), editable);
        QCOMPARE(bool(model->flags(model->index(0, 1)) & Qt::ItemIsEditable), editable);
        QCOMPARE(window().DBGEditor->editTriggers() != QAbstractItemView::NoEditTriggers, editable);
        QCOMPARE(window().nbEdit->isEnabled(), editable);
        QCOMPARE(window().DBGEditor->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
        QCOMPARE(window().Label4->isVisible(), !heading.isEmpty());
        if (!heading.isEmpty())
            QCOMPARE(window().Label5->text(), heading);
        QCOMPARE(window().Button8->isVisible(), option == 2);
        QCOMPARE(window().BitBtn1->isVisible(), option == 4);
        QCOMPARE(window().Memo1->isVisible(), option == 4);
        QVERIFY(!window().Panel1->isVisible());
        if (option == 4) {   // days shown as the keeper types them
            QCOMPARE(model->data(model->index(1, 6)).toString(), QStringLiteral("01/03/04"));
            QCOMPARE(model->data(model->index(1, 2)).toString(), QStringLiteral("Esteves"));
        }
    }

    // Option 3 or 4 left without a service leaves the window as the option before had it,
    // "Pesquisar" of option 2 included.
    void aChoiceWithoutAServiceKeepsTheGrid_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("then");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("barY");
        QTest::newRow("1, then 4") << 1 << 4 << int(TFEditaTabelas::Shown::Services) << 16;
        QTest::newRow("2, then 4") << 2 << 4 << int(TFEditaTabelas::Shown::Personnel) << 40;
        QTest::newRow("2, then 3") << 2 << 3 << int(TFEditaTabelas::Shown::Personnel) << 40;
    }
    void aChoiceWithoutAServiceKeepsTheGrid()
    {
        QFETCH(int, before);
        QFETCH(int, then);
        QFETCH(int, shown);
        QFETCH(int, barY);
        ClickableLabel* labels[] = {window().Label2, window().Label1, window().Label6, window().Label3};
        QTest::mouseClick(labels[before - 1], Qt::LeftButton);
        m_ticked = {};
        QTest::mouseClick(labels[then - 1], Qt::LeftButton);
        QCOMPARE(int(window().shown()), shown);
        QCOMPARE(window().Bevel1->y(), barY);
        QCOMPARE(window().Button8->isVisible(), before == 2);
        QVERIFY(!window().BitBtn1->isVisible());
        QVERIFY(!window().Memo1->isVisible());
    }

    void theSearches_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("name il") << "Button3" << "" << "il" << QStringList{"3", "7", "9"};
        QTest::newRow("name with a quote") << "Button3" << "" << "D'A" << QStringList{"9"};
        QTest::newRow("number") << "Button2" << "12" << "" << QStringList{"12"};
        QTest::newRow("P") << "Button4" << "" << "" << QStringList{"2"};
        QTest::newRow("R") << "Button5" << "" << "" << QStringList{"5"};
        QTest::newRow("P+R") << "Button6" << "" << "" << QStringList{"2", "5"};
        QTest::newRow("Ver Todos") << "Button7" << "" << ""
                                   << QStringList{"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"};
    }
    void theSearches()
    {
        QFETCH(QString, button);
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(QStringList, found);
        run("UPDATE Basico SET Nome = 'Silva' WHERE Num = '3'");
        run("UPDATE Basico SET Nome = 'Gil' WHERE Num = '7'");
        run("UPDATE Basico SET Nome = 'D''Avila' WHERE Num = '9'");
        QTest::mouseClick(window().Label1, Qt::LeftButton);
        QTest::mouseClick(window().Button8, Qt::LeftButton);
        QVERIFY(!window().Button8->isVisible());
        QVERIFY(window().Panel1->isVisible());
        QVERIFY(window().Edit1->isVisible());
        window().Edit1->setText(number);
        window().Edit2->setText(name);
        QTest::mouseClick(window().findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(m_dialogs->errors(), QStringList());
        QCOMPARE(window().shown(), TFEditaTabelas::Shown::PersonnelSearch);
        QCOMPARE(column(window().gridModel(), 0), found);
        // A search is read-only.
        QVERIFY(!window().tableModel());
        QCOMPARE(window().DBGEditor->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!window().nbEdit->isEnabled());
        QCOMPARE(window().Bevel1->y(), 40);
    }

    void helpOpensTheManualAndOffersTheSearchAgain()
    {
        QTest::mouseClick(window().Label1, Qt::LeftButton);
        QTest::mouseClick(window().Button8, Qt::LeftButton);
        QTest::mouseClick(window().Button9, Qt::LeftButton);
        QCOMPARE(Global().ManualSection, QStringLiteral("023"));
        QVERIFY(window().Button8->isVisible());
    }

    void aRefusedValueIsToldAndTheRowKeepsItsValues_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QString>("num");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("why");
        QTest::newRow("a day that is no day") << 2 << "5" << "Ini" << "31/02/04" << "que não é um dia válido";
        QTest::newRow("a count that is no number") << 3 << "5" << "Pt" << "1x" << "que não é um número inteiro";
        QTest::newRow("a number already there") << 3 << "5" << "Num" << "6" << "que já é o número de outro militar";
    }
    void aRefusedValueIsToldAndTheRowKeepsItsValues()
    {
        QFETCH(int, option);
        QFETCH(QString, num);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, why);
        m_ticked = {2};
        QTest::mouseClick(option == 2 ? window().Label1 : window().Label6, Qt::LeftButton);
        BrowserTableModel* model = window().tableModel();
        const QModelIndex cell = model->index(model->rowOfKey(num), model->columnOf(field));
        const QString shown = model->data(cell).toString();
        const QStringList before = storedState();
        type(num, field, typed);
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY2(m_dialogs->errors().first().contains(why), qPrintable(m_dialogs->errors().first()));
        QVERIFY(m_dialogs->errors().first().endsWith("Nada foi alterado."));
        QCOMPARE(model->data(cell).toString(), shown);
        QCOMPARE(storedState(), before);
    }

    void aSoundValueIsStored()
    {
        QTest::mouseClick(window().Label1, Qt::LeftButton);
        type("5", "Fim", "07/03/04");
        type("5", "Nome", "Esteves Jr");
        QCOMPARE(m_dialogs->errors(), QStringList());
        QCOMPARE(stored("Basico", "5", "Fim"), QStringLiteral("2004-03-07"));
        QCOMPARE(stored("Basico", "5", "Nome"), QStringLiteral("Esteves Jr"));
        BrowserTableModel* model = window().tableModel();
        QCOMPARE(model->data(model->index(model->rowOfKey("5"), model->columnOf("Fim"))).toString(),
                 QStringLiteral("07/03/04"));
        // Cancel leaves the value being typed.
        const QModelIndex name = model->index(model->rowOfKey("5"), model->columnOf("Nome"));
        window().DBGEditor->setCurrentIndex(name);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::mouseClick(window().nbEdit, Qt::LeftButton);
        window().DBGEditor->viewport()->findChild<QLineEdit*>()->setText("Outro");
        QTest::mouseClick(window().nbCancel, Qt::LeftButton);
        QCOMPARE(stored("Basico", "5", "Nome"), QStringLiteral("Esteves Jr"));
    }

    void deletingAsksFirst_data()
    {
        QTest::addColumn<QList<int>>("picked");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("two picked, Yes") << QList<int>{0, 2} << true
                                         << "Excluir as 2 linhas escolhidas da tabela Sv2?" << QStringList{"5"};
        QTest::newRow("two picked, No") << QList<int>{0, 2} << false
                                        << "Excluir as 2 linhas escolhidas da tabela Sv2?" << QStringList{"4", "5", "6"};
        QTest::newRow("none picked: the current row") << QList<int>() << true
                                                      << "Excluir o militar 5 da tabela Sv2?" << QStringList{"4", "6"};
    }
    void deletingAsksFirst()
    {
        QFETCH(QList<int>, picked);
        QFETCH(bool, answer);
        QFETCH(QString, question);
        QFETCH(QStringList, left);
        m_ticked = {2};
        QTest::mouseClick(window().Label6, Qt::LeftButton);
        pickRows(picked);
        QTest::mouseClick(window().nbNext, Qt::LeftButton);   // the current row: 5
        m_dialogs->questionAnswers.enqueue(answer);
        window().DBGEditor->setFocus();
        QTest::keyClick(window().DBGEditor, Qt::Key_Delete);
        QCOMPARE(m_dialogs->shown, QStringList{"question: " + question});
        QCOMPARE(StoredRows(m_data->module(), "Sv2").size(), left.size());
        QCOMPARE(column(window().gridModel(), 0), left);
    }

    void theNoticeShowsOnTheFirstUseOfOptionFourOnly()
    {
        m_ticked = {3};
        QTest::mouseClick(window().Label3, Qt::LeftButton);
        QVERIFY(window().Memo1->isVisible());
        QTest::mouseClick(window().Memo1->viewport(), Qt::LeftButton);
        QVERIFY(!window().Memo1->isVisible());
        QTest::mouseClick(window().Label3, Qt::LeftButton);
        QVERIFY(!window().Memo1->isVisible());
        // Nor in a window opened later in the same run.
        TFEditaTabelas later;
        later.show();
        QTest::mouseClick(later.Label3, Qt::LeftButton);
        QVERIFY(!later.Memo1->isVisible());
        QCOMPARE(later.gridModel()->rowCount(), 6);
    }

    void printsThePickedRowsOrAll_data()
    {
        QTest::addColumn<QList<int>>("picked");
        QTest::addColumn<QStringList>("nums");
        QTest::newRow("three picked") << QList<int>{5, 1, 3} << QStringList{"11", "7", "9"};
        QTest::newRow("none picked") << QList<int>() << QStringList{"10", "11", "12", "7", "8", "9"};
    }
    void printsThePickedRowsOrAll()
    {
        QFETCH(QList<int>, picked);
        QFETCH(QStringList, nums);
        QStringList printed;
        QString title;
        int printouts = 0;
        SetPrintHook([&](const QString& job, const Drawing& draw) {
            ++printouts;
            title = job;
            RecordingPrinter recorder(3150, 2400);
            draw(recorder);
            for (const RecordingPrinter::Call& call : recorder.texts())
                if (call.x == 100 && call.y >= 310)
                    printed << call.text;
                else if (call.y == 150)
                    title += " / " + call.text;
        });
        m_ticked = {3};
        QTest::mouseClick(window().Label3, Qt::LeftButton);
        pickRows(picked);
        QTest::mouseClick(window().BitBtn1, Qt::LeftButton);
        QCOMPARE(printouts, 1);
        QCOMPARE(title, QStringLiteral("Situacao da Escala de: Cb Gda / Situacao da Escala de: Cb Gda"));
        QCOMPARE(printed, nums);
    }

    // Through the main window: ranks typed in the grid are brought to their model spellings when the
    // window closes; the unrecognised one is put to the keeper. The result list is hidden after.
    void closingBringsTheRanksToTheirModels()
    {
        m_window.reset();
        TFPrincipal main;
        main.show();
        main.PageControl1->setCurrentWidget(main.Manutencao);
        main.Manutencao->ListBox1->show();
        m_ranks = {{"Sgto", "1º Sgt"}};
        bool opened = false;
        SetModalHook([&](QDialog& dialog) {
            if (auto* correction = qobject_cast<TFCorrigePstGrd*>(&dialog)) {
                m_corrections << correction->Label2->text();
                correction->ComboBox1Click(correction->ComboBox1->findText(m_ranks.value(correction->Label2->text())));
            } else if (auto* browser = qobject_cast<TFEditaTabelas*>(&dialog)) {
                opened = true;
                QTest::mouseClick(browser->Label1, Qt::LeftButton);
                BrowserTableModel* model = browser->tableModel();
                for (const auto& [num, rank] : {std::pair{"3", "1 Ten"}, {"7", "Sgto"}, {"8", "Sgto"}})
                    [&] { QVERIFY(model->setData(model->index(model->rowOfKey(num), model->columnOf("PstGrd")), rank)); }();
                QTest::mouseClick(browser->Button1, Qt::LeftButton);
                [&] { QVERIFY(!browser->isVisible()); }();
            }
            return dialog.result();
        });
        QTest::mouseClick(main.Manutencao->item(QStringLiteral("Label38")), Qt::LeftButton);
        QVERIFY(opened);
        QCOMPARE(m_corrections, QStringList{"Sgto"});
        QCOMPARE(stored("Basico", "3", "PstGrd"), QStringLiteral("1º Ten"));
        QCOMPARE(stored("Basico", "7", "PstGrd"), QStringLiteral("1º Sgt"));
        QCOMPARE(stored("Basico", "8", "PstGrd"), QStringLiteral("1º Sgt"));
        QVERIFY(!main.Manutencao->ListBox1->isVisible());
        QCOMPARE(m_dialogs->errors(), QStringList());
    }
};

QTEST_MAIN(TestEditaTabelas)
#include "TestEditaTabelas.moc"
