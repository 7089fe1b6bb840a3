// "Pesquisa de Serviços" driven by its controls: the search, the picking of rows with Ctrl, the
// navigator, the printout (recorded, and once into a real PDF read back), and the way in from the
// main window.
#include "FixtureFolder.h"
#include "ToolOutput.h"
#include "PainterPrinter.h"
#include "ScriptedDialogs.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/UGlobal.h"
#include "manual/UEscolherSv.h"
#include "printing/RecordingPrinter.h"
#include "queries/ConsultasPage.h"
#include "queries/HistoryPrintout.h"
#include "queries/UPesqSv.h"
#include "startup/UPrincipal.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

namespace {

// The grid's rows, each as its cells joined by "|".
QStringList gridRows(const TFPesqSv& window)
{
    QStringList rows;
    const QAbstractItemModel* model = window.DBGPesqSv->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(r, c).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

void clickRow(TFPesqSv& window, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTableView* grid = window.DBGPesqSv;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers,
                      grid->visualRect(grid->model()->index(row, 1)).center());
}

// The lines the window prints, through the recording printer.
QStringList printedLines(TFPesqSv& window)
{
    QStringList lines;
    SetPrintHook([&](const QString& title, const Drawing& draw) {
        lines << QStringLiteral("title: ") + title;
        RecordingPrinter printer;
        draw(printer);
        for (const RecordingPrinter::Call& call : printer.texts())
            lines << call.text;
    });
    window.BImprimir->click();
    SetPrintHook({});
    return lines;
}


}

class TestPesqSv : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPesqSv> m_window;

    TFPesqSv& openWindow()
    {
        m_window = std::make_unique<TFPesqSv>();
        m_window->show();
        (void)QTest::qWaitForWindowExposed(m_window.get());
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
        SetPrintHook({});
        m_dialogs.reset();
        m_data.reset();
    }

    void opensOnTheWholeHistory()
    {
        TFPesqSv& window = openWindow();
        QCOMPARE(window.windowTitle(), QStringLiteral("Pesquisa de Serviços"));
        QCOMPARE(window.LTitulo->text(), QStringLiteral("Consultas a Histórico de Serviços"));
        QCOMPARE(window.manualSection(), QStringLiteral("009"));
        const QList<std::pair<const char*, const char*>> captions{
            {"RadioButton1", "Pt"}, {"RadioButton2", "Vm"}, {"RadioButton3", "Ambas"}, {"Button3", "Serviços?"},
            {"Button2", "Pesquisar"}, {"BImprimir", "Imprimir"}, {"BSair", "Sair"}};
        for (const auto& [name, caption] : captions) {
            auto* control = window.findChild<QAbstractButton*>(QLatin1String(name));
            QVERIFY2(control, name);
            QCOMPARE(control->text(), QString::fromUtf8(caption));
        }
        for (const char* name : {"Edit1", "Edit2", "Edit3", "DBGPesqSv", "DBNavigator1"})
            QVERIFY2(window.findChild<QWidget*>(QLatin1String(name)), name);
        QVERIFY(window.RadioButton3->isChecked());
        QCOMPARE(window.Edit1->toolTip(), QStringLiteral("dd/mm/aaaa"));
        QVERIFY(window.DBGPesqSv->editTriggers() == QAbstractItemView::NoEditTriggers);
        QCOMPARE(gridRows(window).size(), 9);
        QCOMPARE(gridRows(window).first(), QStringLiteral("27/02/04|Pt|Of Dia|1|1"));
        QCOMPARE(window.DBGPesqSv->currentIndex().row(), 0);
    }

    void searchTakesEveryInputThenClearsThem()
    {
        TFPesqSv& window = openWindow();
        QTest::keyClicks(window.Edit1, QStringLiteral("28/02/04"));
        QCOMPARE(window.Edit2->text(), QStringLiteral("28/02/04"));   // every change is copied
        window.Edit2->setText(QStringLiteral("29/02/2004"));
        QTest::keyClicks(window.Edit3, QStringLiteral("10"));
        SetModalHook([](QDialog& chooser) {
            auto& services = static_cast<TFEscolherSv&>(chooser);
            services.CheckBox[3]->setChecked(true);
            services.CheckBox[1]->setChecked(true);
            services.Button6->click();
            return services.result();
        });
        window.Button3->click();
        SetModalHook({});
        QCOMPARE(window.chosenServices(), QList<int>({1, 3}));
        window.RadioButton2->setChecked(true);
        window.Button2->click();

        QCOMPARE(gridRows(window), QStringList{"28/02/04|Vm|Cb Gda|9 10|3"});
        QVERIFY(m_dialogs->shown.isEmpty());
        for (QLineEdit* box : {window.Edit1, window.Edit2, window.Edit3})
            QVERIFY(box->text().isEmpty());
        QVERIFY(window.chosenServices().isEmpty());
        QVERIFY(window.RadioButton3->isChecked());

        // With the inputs cleared, the next search is the whole history again.
        window.Button2->click();
        QCOMPARE(gridRows(window).size(), 9);

        // A search that finds nothing says so.
        window.Edit3->setText(QStringLiteral("999"));
        window.Button2->click();
        QCOMPARE(gridRows(window), QStringList());
        QCOMPARE(m_dialogs->messages(), QStringList{HistoryNothingFound});
    }

    void aRefusalKeepsTheRowsAndWhatWasTyped_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad day") << "31/02/04" << "" << "31/02/04 >>> Data inválida";
        QTest::newRow("start after the end") << "10/03/04" << ""
                                             << "A Data Início (10/03/04) é posterior à Data Fim (01/03/04).";
        QTest::newRow("bad number") << "" << "12 4"
                                    << "O número \"12 4\" tem espaços; digite um só número de militar. Nada foi "
                                       "pesquisado.";
    }
    void aRefusalKeepsTheRowsAndWhatWasTyped()
    {
        QFETCH(QString, first);
        QFETCH(QString, number);
        QFETCH(QString, message);
        TFPesqSv& window = openWindow();
        window.RadioButton1->setChecked(true);
        window.Button2->click();
        const QStringList blackDays = gridRows(window);
        QCOMPARE(blackDays.size(), 3);

        window.Edit1->setText(first);
        window.Edit2->setText(first.isEmpty() ? QString() : QStringLiteral("01/03/04"));
        window.Edit3->setText(number);
        window.RadioButton2->setChecked(true);
        window.Button2->click();
        QCOMPARE(m_dialogs->messages(), QStringList{message});
        QVERIFY(m_dialogs->errors().isEmpty());
        QCOMPARE(gridRows(window), blackDays);
        QCOMPARE(window.Edit1->text(), first);
        QCOMPARE(window.Edit3->text(), number);
        QVERIFY(window.RadioButton2->isChecked());
    }

    void ctrlPicksRowsThatAloneArePrinted()
    {
        TFPesqSv& window = openWindow();
        clickRow(window, 1);   // a plain click moves, it does not pick
        QCOMPARE(window.DBGPesqSv->currentIndex().row(), 1);
        QVERIFY(window.pickedRows().isEmpty());
        for (int row : {4, 0, 2, 7})
            clickRow(window, row, Qt::ControlModifier);
        clickRow(window, 2, Qt::ControlModifier);   // picked twice: unpicked
        QCOMPARE(window.pickedRows(), QList<int>({0, 4, 7}));
        clickRow(window, 5);
        QCOMPARE(window.pickedRows(), QList<int>({0, 4, 7}));

        const QStringList picked = printedLines(window);
        QCOMPARE(m_dialogs->messages(), QStringList{HistoryPrintNotice});
        QCOMPARE(picked.size(), 1 + 2 + 3);
        QCOMPARE(picked.mid(0, 3), QStringList({"title: Pesquisa de Serviços", HistoryPrintHeader, " "}));
        QVERIFY(picked.at(3).startsWith(QStringLiteral("27/02/04")) && picked.at(3).endsWith(QStringLiteral("Of Dia            1")));
        QVERIFY(picked.at(4).startsWith(QStringLiteral("28/02/04")) && picked.at(4).endsWith(QStringLiteral("Adj Of            5")));
        QVERIFY(picked.at(5).startsWith(QStringLiteral("29/02/04")) && picked.at(5).endsWith(QStringLiteral("Adj Of            6")));
        QCOMPARE(window.DBGPesqSv->currentIndex().row(), 0);   // printing starts from the first row

        // A new search drops the picks: every row is printed.
        window.Button2->click();
        QVERIFY(window.pickedRows().isEmpty());
        QCOMPARE(printedLines(window).size(), 1 + 2 + 9);
    }

    void navigatorMovesWithoutPicking()
    {
        TFPesqSv& window = openWindow();
        clickRow(window, 3, Qt::ControlModifier);
        const auto state = [&] {
            return QStringLiteral("%1 %2%3%4%5")
                .arg(window.DBGPesqSv->currentIndex().row())
                .arg(window.nbFirst->isEnabled())
                .arg(window.nbPrior->isEnabled())
                .arg(window.nbNext->isEnabled())
                .arg(window.nbLast->isEnabled());
        };
        window.nbFirst->click();
        QCOMPARE(state(), QStringLiteral("0 0011"));
        window.nbNext->click();
        QCOMPARE(state(), QStringLiteral("1 1111"));
        window.nbLast->click();
        QCOMPARE(state(), QStringLiteral("8 1100"));
        window.nbPrior->click();
        QCOMPARE(state(), QStringLiteral("7 1111"));
        QCOMPARE(window.pickedRows(), QList<int>{3});

        // A search that finds nothing leaves nothing to move to.
        window.Edit3->setText(QStringLiteral("99"));
        window.Button2->click();
        QCOMPARE(state(), QStringLiteral("-1 0000"));
    }

    void printoutIntoARealPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftotext and pdftoppm (poppler-utils) are not installed");
        TFPesqSv& window = openWindow();
        QTemporaryDir temp;
        const QString file = temp.filePath(QStringLiteral("pesquisa.pdf"));
        SetPrintHook([&](const QString&, const Drawing& draw) {
            std::unique_ptr<QPrinter> printer = PdfPrinter(file);
            PainterPrinter page(*printer);
            draw(page);
        });
        window.BImprimir->click();

        const QString text = ToolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Data\\s+Escala\\s+Serviço\\s+Numero"))));
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("\\d\\d/02/04\\s+(Pt|Vm)\\s+(Of Dia|Adj Of|Cb Gda)\\s+\\d"))),
                 9);
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("29/02/04\\s+Vm\\s+Cb Gda\\s+11 12"))));

        // In Courier the day kinds stand under "Escala", each row's list under the first one's.
        const QString boxes = ToolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
        const auto lefts = [&](const QString& word) {
            QList<double> xs;
            const QRegularExpression box(QStringLiteral("xMin=\"([0-9.]+)\"[^>]*>") + word + "<");
            for (const QRegularExpressionMatch& m : box.globalMatch(boxes))
                xs << m.captured(1).toDouble();
            return xs;
        };
        const double escala = lefts(QStringLiteral("Escala")).value(0, -100);
        const QList<double> kinds = lefts(QStringLiteral("Pt")) + lefts(QStringLiteral("Vm"));
        QCOMPARE(kinds.size(), 9);
        for (double x : kinds)
            QVERIFY2(qAbs(x - escala) < 0.5, qPrintable(QStringLiteral("%1 against %2").arg(x).arg(escala)));

        // The page renders, with ink where the text is.
        ToolOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                         QStringLiteral("-singlefile"), file, temp.filePath(QStringLiteral("pagina"))});
        const QImage page(temp.filePath(QStringLiteral("pagina.png")));
        QVERIFY(!page.isNull());
        int ink = 0;
        for (int y = 0; y < page.height() / 4; ++y)
            for (int x = 0; x < page.width(); ++x)
                ink += qGray(page.pixel(x, y)) < 128;
        QVERIFY(ink > 200);
    }

    void openedFromTheConsultasTab()
    {
        TFPrincipal main;
        QString opened;
        int rows = -1;
        SetModalHook([&](QDialog& window) {
            opened = window.windowTitle();
            if (auto* search = qobject_cast<TFPesqSv*>(&window))
                rows = search->DBGPesqSv->model()->rowCount();
            return 0;
        });
        emit main.Consultas->Label33->clicked();
        QCOMPARE(opened, QStringLiteral("Pesquisa de Serviços"));
        QCOMPARE(rows, 9);
    }
};

QTEST_MAIN(TestPesqSv)
#include "TestPesqSv.moc"
