// The window "Quadro dos Serviços" on the small fixture (27/02 to 29/02/04: Of Dia 1 to 3, Adj Of 4
// to 6, Cb Gda 7 to 12), with soldier 4 added to the Of Dia roster, so that he shows "0" there.
#include "FixtureFolder.h"
#include "ToolOutput.h"
#include "ScriptedDialogs.h"
#include "PainterPrinter.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/PersonnelLookup.h"
#include "maintenance/UListaNumNomes.h"
#include "manual/UEscolherSv.h"
#include "printing/RecordingPrinter.h"
#include "queries/ConsultasPage.h"
#include "queries/ServicesPerSoldierPrintout.h"
#include "queries/UQuadroSv.h"
#include "startup/UPrincipal.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The captions, each row and the sums of a grid, each joined by "|".
QStringList rowsOf(const QTableWidget* grid)
{
    QStringList captions;
    for (int c = 0; c < grid->columnCount(); ++c)
        captions << grid->horizontalHeaderItem(c)->text();
    QStringList rows{captions.join(QLatin1Char('|'))};
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            cells << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

const QString Captions = QStringLiteral("Nº|Of Dia|Adj Of|Cb Gda|SOMA");
const QStringList WholeTable{Captions,       "1|1|||1",  "2|1|||1",  "3|1|||1",  "4|0|1||1",
                             "5||1||1",      "6||1||1",  "7|||1|1",  "8|||1|1",  "9|||1|1",
                             "10|||1|1",     "11|||1|1", "12|||1|1", "SOMA|3|3|6|12"};

// The keeper's choice in the personnel lookup: "Ver Todos", then the lines of these numbers.
void chooseSoldiers(const QStringList& numbers)
{
    SetModalHook([numbers](QDialog& window) {
        auto* lookup = qobject_cast<TFListaNumNomes*>(&window);
        [&] { QVERIFY(lookup); }();
        if (!lookup)
            return 0;
        QTest::mouseClick(lookup->Button3, Qt::LeftButton);
        for (int row = 0; row < lookup->ListBox1->count(); ++row) {
            QListWidgetItem* line = lookup->ListBox1->item(row);
            line->setSelected(numbers.contains(LookupLineNumber(line->text())));
        }
        QTest::mouseClick(lookup->Button2, Qt::LeftButton);
        return 0;
    });
}

// The keeper's choice in the service chooser.
void chooseServices(const QList<int>& codes)
{
    SetModalHook([codes](QDialog& window) {
        auto* chooser = qobject_cast<TFEscolherSv*>(&window);
        [&] { QVERIFY(chooser); }();
        if (!chooser)
            return 0;
        for (int code : codes)
            chooser->CheckBox[code]->setChecked(true);
        QTest::mouseClick(chooser->Button6, Qt::LeftButton);
        return 0;
    });
}


}

class TestQuadroSv : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFQuadroSv> m_window;

    TFQuadroSv& searched()
    {
        QTest::mouseClick(m_window->BExecutar, Qt::LeftButton);
        return *m_window;
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        TDMGeral::instance().insertRosterRow(1, QStringLiteral("4"), 0, 0);
        Clock::setToday(QDate(2004, 3, 15));
        m_window = std::make_unique<TFQuadroSv>();
        m_window->show();
    }
    void cleanup()
    {
        QVERIFY2(m_dialogs->errors().isEmpty(), qPrintable(m_dialogs->errors().join('\n')));
        m_window.reset();
        DeleteSharedWindows();
        SetModalHook({});
        SetPrintHook({});
        Clock::setToday(QDate());
        m_dialogs.reset();
        m_data.reset();
    }

    void opensOnTheCurrentYear()
    {
        TFQuadroSv& w = *m_window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Quadro dos Serviços"));
        QCOMPARE(w.manualSection(), QStringLiteral("015"));
        QCOMPARE(w.Edit1->text(), QStringLiteral("01/01/04"));
        QCOMPARE(w.Edit2->text(), QStringLiteral("31/12/04"));
        QVERIFY(w.RadioButton3->isChecked());
        QCOMPARE(w.RadioButton1->text() + w.RadioButton2->text() + w.RadioButton3->text(), QStringLiteral("PretaVermelhaAmbas"));
        QCOMPARE(w.BExecutar->text(), QStringLiteral("Pesquisar"));
        QCOMPARE(w.Button4->text(), QStringLiteral("Voltar Pesquisa"));
        QCOMPARE(w.Label5->text(), QStringLiteral("Número, Nome ou Posto"));
        QCOMPARE(w.Button6->text() + w.Button2->text() + w.Button3->text(), QStringLiteral("ServiçosImprimirSair"));
        QVERIFY(w.SGQuadroSv->isVisible());
        QVERIFY(!w.SGQuadroSvAux->isVisible());
        // What is typed as the first day is copied as the last.
        w.Edit1->clear();
        QTest::keyClicks(w.Edit1, QStringLiteral("01/03/04"));
        QCOMPARE(w.Edit2->text(), QStringLiteral("01/03/04"));
    }

    void pesquisarFillsTheWholeTableAndWaitsForAChange()
    {
        TFQuadroSv& w = searched();
        QCOMPARE(rowsOf(w.SGQuadroSv), WholeTable);
        QVERIFY(!w.BExecutar->isEnabled());
        QTest::mouseClick(w.Edit2, Qt::LeftButton);
        QVERIFY(w.BExecutar->isEnabled());

        // Red days only, chosen by a click on "Vermelha".
        QTest::mouseClick(w.RadioButton2, Qt::LeftButton);
        QTest::mouseClick(w.BExecutar, Qt::LeftButton);
        QCOMPARE(rowsOf(w.SGQuadroSv),
                 QStringList({Captions, "2|1|||1", "3|1|||1", "5||1||1", "6||1||1", "9|||1|1", "10|||1|1",
                              "11|||1|1", "12|||1|1", "SOMA|2|2|4|8"}));
        // A period typed from the keyboard offers the search again.
        QTest::keyClick(w.Edit1, Qt::Key_Backspace);
        QVERIFY(w.BExecutar->isEnabled());
    }

    void aDayTypedWrongIsAnsweredAndTheTableStays()
    {
        TFQuadroSv& w = searched();
        w.Edit1->setText(QStringLiteral("01/01/04"));
        w.Edit2->setText(QStringLiteral("31/02/04"));
        w.EnablePesquisar();
        QTest::mouseClick(w.BExecutar, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages(), QStringList{"31/02/04 >>> Data inválida"});
        QCOMPARE(rowsOf(w.SGQuadroSv), WholeTable);
        QVERIFY(w.BExecutar->isEnabled());
    }

    void narrowedBySoldiersAndByServicesThenBack()
    {
        TFQuadroSv& w = searched();
        chooseSoldiers({"4", "10"});
        QTest::mouseClick(w.Label5, Qt::LeftButton);
        QVERIFY(w.SGQuadroSvAux->isVisible());
        QVERIFY(!w.SGQuadroSv->isVisible());
        QCOMPARE(rowsOf(w.SGQuadroSvAux), QStringList({Captions, "4|0|1||1", "10|||1|1", "SOMA|0|1|1|2"}));

        // Services narrow the soldiers chosen: 10 has no entry in Of Dia or Adj Of.
        chooseServices({1, 2});
        QTest::mouseClick(w.Button6, Qt::LeftButton);
        QCOMPARE(rowsOf(w.SGQuadroSvAux), QStringList({"Nº|Of Dia|Adj Of|SOMA", "4|0|1|1", "SOMA|0|1|1"}));

        // "Voltar Pesquisa": the whole table; a later narrowing starts from it.
        QTest::mouseClick(w.Button4, Qt::LeftButton);
        QVERIFY(w.SGQuadroSv->isVisible());
        QVERIFY(!w.SGQuadroSvAux->isVisible());
        QCOMPARE(rowsOf(w.SGQuadroSv), WholeTable);
        chooseSoldiers({"12"});
        QTest::mouseClick(w.Panel1, Qt::LeftButton);
        QCOMPARE(rowsOf(w.SGQuadroSvAux), QStringList({Captions, "12|||1|1", "SOMA|0|0|1|1"}));

        // Nothing selected in the lookup: every soldier. Nothing ticked in the chooser: no service,
        // an empty table, as the board shows it.
        chooseSoldiers({});
        QTest::mouseClick(w.Panel1, Qt::LeftButton);
        QCOMPARE(rowsOf(w.SGQuadroSvAux), WholeTable);
        chooseServices({});
        QTest::mouseClick(w.Button6, Qt::LeftButton);
        QCOMPARE(rowsOf(w.SGQuadroSvAux), QStringList({"Nº|SOMA", "SOMA|0"}));
        chooseServices({3});
        QTest::mouseClick(w.Button6, Qt::LeftButton);
        QCOMPARE(rowsOf(w.SGQuadroSvAux).first(), QStringLiteral("Nº|Cb Gda|SOMA"));
        QCOMPARE(rowsOf(w.SGQuadroSvAux).size(), 1 + 6 + 1);
    }

    void aClickShowsTheWholeCaptionOfItsColumn()
    {
        TFQuadroSv& w = searched();
        QVERIFY(!w.LCabecalho->isVisible());
        QHeaderView* header = w.SGQuadroSv->horizontalHeader();
        const QRect cell = w.SGQuadroSv->visualRect(w.SGQuadroSv->model()->index(3, 2));
        QTest::mouseClick(w.SGQuadroSv->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(w.LCabecalho->isVisible());
        QCOMPARE(w.LCabecalho->text(), QStringLiteral("Adj Of"));
        QCOMPARE(w.LCabecalho->pos(), header->mapTo(&w, QPoint(header->sectionViewportPosition(2), 0)));
    }

    void printsTheTableShownOnALandscapePage()
    {
        TFQuadroSv& w = searched();
        chooseServices({3});
        QTest::mouseClick(w.Button6, Qt::LeftButton);

        // The preview asks for a landscape page.
        bool previewed = false;
        SetModalHook([&](QDialog& window) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(&window);
            previewed = preview && preview->printer()->pageLayout().orientation() == QPageLayout::Landscape
                && preview->windowTitle() == QStringLiteral("Quadro dos Serviços");
            return 0;
        });
        QTest::mouseClick(w.Button2, Qt::LeftButton);
        QVERIFY(previewed);

        RecordingPrinter printer(3390, 2362);
        SetPrintHook([&](const QString&, const Drawing& draw) { draw(printer); });
        QTest::mouseClick(w.Button2, Qt::LeftButton);
        QStringList texts;
        for (const RecordingPrinter::Call& call : printer.texts())
            texts << call.text;
        QCOMPARE(texts.first(), QStringLiteral("Serviços por Militar (Quadro Resumo) - de 01/01/04 a 31/12/04 - Escala: Ambas"));
        QCOMPARE(texts.at(2), QStringLiteral("Nº       Cb Gda     SOMA"));
        QCOMPARE(texts.size(), 2 + 2 + 6 + 2);   // title, page, captions and rule, 7 to 12, rule and sums
        QCOMPARE(texts.last(), QStringLiteral("SOMA          6        6"));
    }

    void printsIntoARealPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        TFQuadroSv& w = searched();
        QTemporaryDir temp;
        const QString file = temp.filePath(QStringLiteral("quadro.pdf"));
        SetPrintHook([&](const QString&, const Drawing& draw) {
            std::unique_ptr<QPrinter> printer = PdfPrinter(file);
            printer->setPageOrientation(QPageLayout::Landscape);
            PainterPrinter page(*printer);
            draw(page);
        });
        QTest::mouseClick(w.Button2, Qt::LeftButton);

        const QString info = ToolOutput(QStringLiteral("pdfinfo"), {file});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Page size:\\s+842 x 595 pts"))), qPrintable(info));
        const QString text = ToolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        QVERIFY(text.contains(QStringLiteral("Serviços por Militar (Quadro Resumo) - de 01/01/04 a 31/12/04 - Escala: Ambas")));
        QVERIFY(text.contains(QStringLiteral("Folha 1 de 1")));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Nº\\s+Of Dia\\s+Adj Of\\s+Cb Gda\\s+SOMA"))));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("\\n\\s*4\\s+0\\s+1\\s+1\\s*\\n"))));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("SOMA\\s+3\\s+3\\s+6\\s+12"))));
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\n\\s*1[0-2]?\\s+"))), 4);   // 1, 10, 11, 12
    }

    void openedModallyFromItem2OfConsultas()
    {
        m_window.reset();
        Global().CoverLines = {"Unidade de Teste", "", "", "", "Capa.Bmp"};
        TFPrincipal main;
        main.show();
        QString opened;
        SetModalHook([&](QDialog& window) {
            opened = window.windowTitle() + (window.isModal() ? " (modal)" : "");
            return 0;
        });
        emit main.Consultas->Label34->clicked();
        QCOMPARE(opened, QStringLiteral("Quadro dos Serviços (modal)"));
    }
};

QTEST_MAIN(TestQuadroSv)
#include "TestQuadroSv.moc"
