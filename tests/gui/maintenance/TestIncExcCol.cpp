// Item 2 of "Manutenção" on the small fixture: soldiers 1 to 12, Of Dia 1 to 3, Adj Of 4 to 6,
// Cb Gda 7 to 12; soldier 5 is away (real) from 01/03 to 05/03/04, today is 03/03/04.
#include "FixtureFolder.h"
#include "ListItems.h"
#include "ScriptedDialogs.h"
#include "StoredTables.h"
#include "common/ModalWindows.h"
#include "common/SharedWindows.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/UCorrigePstGrd.h"
#include "maintenance/UIncExcCol.h"
#include "manual/UEscolherSv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Selects the lines of the list whose text starts with one of the prefixes.
void select(QListWidget* list, const QStringList& prefixes)
{
    list->clearSelection();
    for (int row = 0; row < list->count(); ++row)
        for (const QString& prefix : prefixes)
            if (list->item(row)->text().startsWith(prefix))
                list->item(row)->setSelected(true);
}

// A click on the choice's round button.
void clickChoice(QRadioButton* choice)
{
    QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(6, choice->height() / 2));
}

void run(const QString& statement)
{
    QSqlQuery q(TDMGeral::instance().database(Alias::Ravelha));
    QVERIFY2(q.exec(statement), qPrintable(statement));
}

QStringList numbersIn(const QStringList& rows)
{
    QStringList nums;
    for (const QString& row : rows)
        nums << row.section(QLatin1Char('|'), 0, 0);
    return nums;
}

}

class TestIncExcCol : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFIncExcCol> m_window;
    QTemporaryDir m_files;
    QList<int> m_ticked;        // services ticked in the chooser
    QMap<QString, int> m_ranks; // spelling -> place of the model in the correction list
    QStringList m_corrections;

    QStringList tables() { return StoredTables(m_data->module(), {"Basico", "Sv1", "Sv2", "Sv3", "Hist"}); }

    // Loads a file of these lines into ListBox1 and selects them all.
    void loadLines(const QByteArray& content)
    {
        const QString path = m_files.filePath("Entrada.Txt");
        writeFile(path, content);
        m_window->LoadFileLines(path);
        m_window->ListBox1->selectAll();
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Clock::setToday(QDate(2004, 3, 3));
        m_ticked.clear();
        m_ranks.clear();
        m_corrections.clear();
        SetModalHook([this](QDialog& window) {
            if (auto* chooser = qobject_cast<TFEscolherSv*>(&window)) {
                for (int code : m_ticked)
                    chooser->CheckBox[code]->setChecked(true);
                QTest::mouseClick(chooser->Button6, Qt::LeftButton);
            } else if (auto* correction = qobject_cast<TFCorrigePstGrd*>(&window)) {
                m_corrections << correction->Label2->text();
                if (m_ranks.contains(correction->Label2->text()))
                    correction->ComboBox1Click(m_ranks.value(correction->Label2->text()));
                else
                    correction->reject();
            }
            return window.result();
        });
        m_window = std::make_unique<TFIncExcCol>();
        m_window->show();
    }
    void cleanup()
    {
        m_window.reset();
        SetModalHook({});
        DeleteSharedWindows();
        Clock::setToday(QDate());
        m_dialogs.reset();
        m_data.reset();
    }

    void theWindowAsTheKeeperSeesIt()
    {
        TFIncExcCol& w = *m_window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Inclusão/Exclusão Coletiva"));
        QCOMPARE(w.manualSection(), QStringLiteral("008"));
        const QList<QPair<QString, QString>> captions{
            {w.LTitulo->text(), "Inclusão Coletiva deMilitares"}, {w.LNoSistema->text(), "    No Sistema   "},
            {w.LNasEscalas->text(), "Nas Escalas"},               {w.LRelacao->text(), "Relação de Todos militares"},
            {w.Button2->text(), "Procurar Novo Arquivo"},         {w.BIncluir->text(), "Incluir "},
            {w.BExcluir->text(), "Excluir"},                      {w.GBUsarArquivo->title(), "Usar Arquivo"},
            {w.RBBege->text(), "Bege"},                           {w.RBAzul->text(), "Azul"},
            {w.Button1->text(), "Retorna Grade Azul"},            {w.BEscolher->text(), "Escolher Serviços"},
            {w.BGravar->text(), "Gravar"},                        {w.Button4->text(), "Sair"}};
        for (const auto& [shown, wanted] : captions)
            QCOMPARE(shown, wanted);
        for (QListWidget* list : {w.ListBox1, w.ListBox2, w.ListBox3, w.ListBox4})
            QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(!w.BGravar->isEnabled());
        QVERIFY(!w.Button1->isVisible() && !w.Button2->isVisible());
        QVERIFY(w.FileListBox1->isVisible() && !w.ListBox1->isVisible());
        QCOMPARE(w.rightColumnList(), w.ListBox3);
        QCOMPARE(w.ListBox2->count(), 12);
        QVERIFY(ItemsOf(w.ListBox2).contains(QStringLiteral("7 Cb Gonçalves")));
    }

    void theBrowserListsTxtFilesAndOpensOne()
    {
        writeFile(m_files.filePath("Novos.Txt"), "30,Sd,Lima\r\n\r\n31,Sd,Rocha\r\n");
        writeFile(m_files.filePath("outros.TXT"), "32,Sd,Souto\r\n");
        writeFile(m_files.filePath("planilha.csv"), "33;Sd;Vaz\r\n");
        TFIncExcCol& w = *m_window;
        w.showFolder(m_files.path());
        auto* model = qobject_cast<QFileSystemModel*>(w.FileListBox1->model());
        QTRY_COMPARE(model->rowCount(w.FileListBox1->rootIndex()), 2);
        QStringList shown;
        for (int row = 0; row < 2; ++row)
            shown << model->index(row, 0, w.FileListBox1->rootIndex()).data().toString();
        shown.sort();
        QCOMPARE(shown, (QStringList{"Novos.Txt", "outros.TXT"}));

        w.FileListBox1Click(model->index(m_files.filePath("Novos.Txt")));
        QCOMPARE(ItemsOf(w.ListBox1), (QStringList{"30,Sd,Lima", "31,Sd,Rocha"}));
        QVERIFY(w.ListBox1->isVisible() && w.Button2->isVisible() && !w.FileListBox1->isVisible());

        // A file that cannot be read: its name in the error, the lines as they were.
        w.LoadFileLines(m_files.filePath("Sumiu.Txt"));
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY(m_dialogs->errors().first().contains("Sumiu.Txt"));
        QCOMPARE(ItemsOf(w.ListBox1), (QStringList{"30,Sd,Lima", "31,Sd,Rocha"}));
        // Nor one past what a collective inclusion file holds (a device that never ends).
        w.LoadFileLines(QStringLiteral("/dev/zero"));
        QCOMPARE(m_dialogs->errors().size(), 2);
        QVERIFY2(m_dialogs->errors().last().startsWith("O arquivo zero é grande demais"), qPrintable(m_dialogs->errors().last()));
        QCOMPARE(ItemsOf(w.ListBox1), (QStringList{"30,Sd,Lima", "31,Sd,Rocha"}));

        QTest::mouseClick(w.Button2, Qt::LeftButton);
        QVERIFY(w.FileListBox1->isVisible() && !w.ListBox1->isVisible() && !w.Button2->isVisible());
    }

    void includeFillsTheBeigeListInTheRightColumn()
    {
        TFIncExcCol& w = *m_window;
        QTest::mouseClick(w.BIncluir, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages(), QStringList{"Você deve selecionar os militares a serem incluídos"});

        m_ranks = {{"Sgt", 4}};   // the fifth model, 1º Sgt
        loadLines("1234,Sgt,Silva, J.\r\n40,Cabo,Lima\r\n41,Sgt,Rocha\r\n42,Sd,Souto\r\n");
        select(w.ListBox1, {"1234,", "40,", "41,"});
        QTest::mouseClick(w.BIncluir, Qt::LeftButton);
        QCOMPARE(m_dialogs->errors(), QStringList());
        QCOMPARE(m_corrections, QStringList{"Sgt"});
        QCOMPARE(ItemsOf(w.ListBox4), (QStringList{"1234 1º Sgt Silva, J.", "40 Cb Lima", "41 1º Sgt Rocha"}));
        QCOMPARE(w.rightColumnList(), w.ListBox4);
        QVERIFY(w.ListBox4->isVisible());
        QVERIFY(w.RBBege->isChecked());
        QCOMPARE(w.ListBox2->count(), 15);
        QVERIFY(ItemsOf(w.ListBox2).contains("1234 1º Sgt Silva, J."));
        QVERIFY(StoredRows(m_data->module(), "Basico").contains("41|Rocha|1º Sgt||||"));

        // A second run: the beige list holds only its own soldiers.
        select(w.ListBox1, {"42,", "40,"});
        QTest::mouseClick(w.BIncluir, Qt::LeftButton);
        QCOMPARE(ItemsOf(w.ListBox4), QStringList{"42 Sd Souto"});
        QVERIFY(m_dialogs->messages().contains("        Registro: 40,Cabo,Lima\n\n Já está incluído no Sistema"));
    }

    void aBadLineIsRefusedAndNothingIsRegistered()
    {
        TFIncExcCol& w = *m_window;
        loadLines("40,Sd,Lima\r\n41,Sd\r\n");
        const QStringList before = tables();
        QTest::mouseClick(w.BIncluir, Qt::LeftButton);
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY(m_dialogs->errors().first().startsWith(
            "              Registro: 41,Sd\n\nCampos Número, Posto e Nome devem ser preenchidos"));
        QCOMPARE(tables(), before);
        QCOMPARE(w.ListBox4->count(), 0);
        QVERIFY(!w.RBBege->isChecked());
        QCOMPARE(w.ListBox2->count(), 12);
    }

    void gravarPutsTheBeigeSoldiersIntoTheTickedServices()
    {
        TFIncExcCol& w = *m_window;
        run("UPDATE Sv3 SET Pt = 3, Vm = 5");
        run("UPDATE Sv3 SET Pt = 7, Vm = 2 WHERE Num = '8'");
        loadLines("40,Cb,Lima\r\n41,Cb,Rocha\r\n");
        QTest::mouseClick(w.BIncluir, Qt::LeftButton);
        QCOMPARE(w.rightColumnList(), w.ListBox4);

        m_ticked = {3};
        m_dialogs->questionAnswers.enqueue(true);
        QTest::mouseClick(w.BEscolher, Qt::LeftButton);
        QVERIFY(m_dialogs->shown.last().startsWith("question:  IMPORTANTE: O militar somente concorrerá aos Serviços marcados\n"));
        QVERIFY(w.choicePending() && w.BGravar->isEnabled());
        w.ListBox4->selectAll();
        QTest::mouseClick(w.BGravar, Qt::LeftButton);
        QCOMPARE(m_dialogs->errors(), QStringList());
        // Both start at the level Cb Gda had before: Pt 3 and Vm 2, taken separately.
        QCOMPARE(StoredRows(m_data->module(), "Sv3"), (QStringList{"10|3|5", "11|3|5", "12|3|5", "40|3|2", "41|3|2",
                                                                   "7|3|5", "8|7|2", "9|3|5"}));
        QVERIFY(!w.choicePending() && !w.BGravar->isEnabled());
        QCOMPARE(w.ListBox2->count(), 14);
        QVERIFY(w.blueListInMiddle());
    }

    void gravarFromTheBlueListKeepsCountsAndLeavesUntickedServices()
    {
        TFIncExcCol& w = *m_window;
        run("UPDATE Sv2 SET Pt = 6, Vm = 4 WHERE Num = '6'");
        QTest::mouseClick(w.BEscolher, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages(), QStringList{"Você deve selecionar o Arquivo Bege ou Azul"});

        clickChoice(w.RBAzul);
        QCOMPARE(w.rightColumnList(), w.ListBox2);
        QVERIFY(w.Button1->isVisible() && !w.blueListInMiddle());
        m_ticked = {2};
        m_dialogs->questionAnswers.enqueue(true);
        QTest::mouseClick(w.BEscolher, Qt::LeftButton);
        select(w.ListBox2, {"6 ", "1 "});
        QTest::mouseClick(w.BGravar, Qt::LeftButton);
        QCOMPARE(m_dialogs->errors(), QStringList());
        // 6 keeps his counts; 1 leaves Of Dia and joins Adj Of at its level (5 is away).
        QCOMPARE(StoredRows(m_data->module(), "Sv2"), (QStringList{"1|1|0", "4|1|0", "5|0|1", "6|6|4"}));
        QCOMPARE(numbersIn(StoredRows(m_data->module(), "Sv1")), (QStringList{"2", "3"}));
        QVERIFY(w.blueListInMiddle() && !w.RBAzul->isChecked() && !w.Button1->isVisible());

        // Neither list chosen any more: "Gravar" refuses and changes nothing.
        m_dialogs->questionAnswers.enqueue(false);
        clickChoice(w.RBAzul);
        QTest::mouseClick(w.BEscolher, Qt::LeftButton);
        QTest::mouseClick(w.Button1, Qt::LeftButton);
        QCOMPARE(w.rightColumnList(), w.ListBox3);
        const QStringList before = tables();
        QTest::mouseClick(w.BGravar, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages().last(), QStringLiteral("Você deve selecionar o Arquivo Bege ou Azul"));
        QCOMPARE(tables(), before);
    }

    void excluirAsksThenRemovesFromEveryRosterAndTheRegister()
    {
        TFIncExcCol& w = *m_window;
        const QStringList before = tables();
        select(w.ListBox2, {"2 ", "5 ", "8 "});
        m_dialogs->questionAnswers.enqueue(false);
        QTest::mouseClick(w.BExcluir, Qt::LeftButton);
        QVERIFY(m_dialogs->shown.last().contains("3 militares"));
        QCOMPARE(tables(), before);

        const QStringList hist = StoredRows(m_data->module(), "Hist");
        m_dialogs->questionAnswers.enqueue(true);
        QTest::mouseClick(w.BExcluir, Qt::LeftButton);
        QCOMPARE(numbersIn(StoredRows(m_data->module(), "Basico")),
                 (QStringList{"1", "10", "11", "12", "3", "4", "6", "7", "9"}));
        QCOMPARE(numbersIn(StoredRows(m_data->module(), "Sv1")), (QStringList{"1", "3"}));
        QCOMPARE(numbersIn(StoredRows(m_data->module(), "Sv2")), (QStringList{"4", "6"}));
        QCOMPARE(numbersIn(StoredRows(m_data->module(), "Sv3")), (QStringList{"10", "11", "12", "7", "9"}));
        QCOMPARE(StoredRows(m_data->module(), "Hist"), hist);
        QCOMPARE(w.ListBox2->count(), 9);
        QVERIFY(!ItemsOf(w.ListBox2).contains("5 2º Sgt Esteves"));
    }

    void closingWithAChoicePendingWarns()
    {
        TFIncExcCol& w = *m_window;
        clickChoice(w.RBAzul);
        m_dialogs->questionAnswers.enqueue(false);   // No still leaves the choice pending
        QTest::mouseClick(w.BEscolher, Qt::LeftButton);
        QVERIFY(w.choicePending());
        const QStringList before = tables();
        QTest::mouseClick(w.Button4, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(m_dialogs->messages(), QStringList{"Você escolheu Serviço mas não gravou o registro"});
        QVERIFY(!w.choicePending());
        QCOMPARE(tables(), before);
    }

};

QTEST_MAIN(TestIncExcCol)
#include "TestIncExcCol.moc"
