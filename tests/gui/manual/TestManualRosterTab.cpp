// The tab "Escalar Manual" walked as the keeper walks it, on the initial data set (rostered up to
// 01/03/04; four services: Of Dia, Adj Of, Cb Gda and Sd Gda, the last two of three soldiers).
#include "FixtureFolder.h"
#include "ListItems.h"
#include "ScriptedDialogs.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/UGlobal.h"
#include "manual/ManualRosterPage.h"
#include "manual/ManualRosterTab.h"
#include "printing/RecordingPrinter.h"
#include "rostering/AutoRosterPage.h"
#include "startup/UPrincipal.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTest>
#include <memory>

namespace {

// What "Verificar" finds in the grid of "Carregar": the lines of "Mensagens", then the boxes.
const QStringList CarregarLines = {
    "6  não concorre à escala de Adj Of",
    "22 não terá folga de 48 Hs no dia 04/03/04",
    "3831  não concorre à escala de Sd Gda",
};
const QStringList CarregarBoxes = {
    " Dia: 02/03/04 Falta escalar militar no Serviço de Sd Gda",
    " Dia: 03/03/04 Falta escalar militar no Serviço de Sd Gda",
};

QString cell(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

// The controls of the tab the keeper sees, by caption or name.
QStringList visibleControls(QWidget* page)
{
    QStringList shown;
    for (QPushButton* button : page->findChildren<QPushButton*>())
        if (button->isVisibleTo(page))
            shown << button->text();
    for (const char* name : {"Edit7", "Label57", "ScrollBox1", "ListBox4", "Label55"})
        if (page->findChild<QWidget*>(QLatin1String(name))->isVisibleTo(page))
            shown << QLatin1String(name);
    shown.sort();
    return shown;
}

QStringList storedHistoryFrom(TDMGeral& module, const QString& prefix)
{
    QStringList rows;
    QSqlQuery q = module.selectAllHist();
    while (q.next())
        if (q.value("Dia").toString().startsWith(prefix))
            rows << q.value("Dia").toString() + "|" + q.value("CodSv").toString() + "|" + q.value("Num").toString()
                    + "|" + q.value("PtVm").toString();
    return rows;
}

}

class TestManualRosterTab : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    ManualRosterPage& page() { return *m_window->EscalarManual; }
    QTableWidget* grid() { return page().SGGradeSv; }

    void prepare(const QString& end)
    {
        QTest::mouseClick(page().Edit6, Qt::LeftButton);
        page().Edit6->setText(end);
        QTest::mouseClick(page().Button10, Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>(QStringLiteral("inicial"));
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        m_window->PageControl1->setCurrentWidget(&page());
        QCoreApplication::processEvents();
    }
    void cleanup()
    {
        SetPrintHook({});
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    void carregarCorrigirEscalar()
    {
        QCOMPARE(page().Label53->text(), QStringLiteral("01/03/04"));
        QCOMPARE(visibleControls(&page()), QStringList({"Carregar", "Corrigir", "Preparar Grade"}));

        prepare(QStringLiteral("04/03/04"));
        QVERIFY(m_dialogs->shown.isEmpty());
        QCOMPARE(grid()->rowCount(), 5);
        QCOMPARE(cell(grid(), 0, 1) + cell(grid(), 0, 2) + cell(grid(), 0, 3) + cell(grid(), 0, 4),
                 QStringLiteral("02/03/0403/03/0404/03/04"));
        for (int row = 1; row <= 4; ++row) {
            QCOMPARE(cell(grid(), row, 0), QStringList({"Of Dia", "Adj Of", "Cb Gda", "Sd Gda"}).at(row - 1));
            QCOMPARE(cell(grid(), row, 10), QString::number(row));   // the code, kept with the cells
        }
        for (int column = 7; column <= 10; ++column)
            QVERIFY(grid()->isColumnHidden(column));
        QCOMPARE(visibleControls(&page()),
                 QStringList({"Carregar", "Corrigir", "Edit7", "Label57", "ScrollBox1", "Verificar"}));

        QTest::mouseClick(page().BCarregar, Qt::LeftButton);
        QCOMPARE(cell(grid(), 4, 1), QStringLiteral("36 3831"));
        QTest::mouseClick(page().Button11, Qt::LeftButton);
        QCOMPARE(ItemsOf(page().ListBox4), CarregarLines);
        QCOMPARE(m_dialogs->messages(), CarregarBoxes);
        QCOMPARE(visibleControls(&page()), QStringList({"Carregar", "Corrigir", "Desfazer", "Edit7", "Escalar",
                                                        "Label55", "Label57", "ListBox4", "ScrollBox1", "Verificar"}));

        m_dialogs->shown.clear();
        QTest::mouseClick(page().BCorrigir, Qt::LeftButton);
        QTest::mouseClick(page().Button11, Qt::LeftButton);
        QCOMPARE(ItemsOf(page().ListBox4), QStringList());
        QCOMPARE(m_dialogs->shown, QStringList());

        QTest::mouseClick(page().Button12, Qt::LeftButton);
        QCOMPARE(m_dialogs->shown, QStringList());   // success says nothing of its own
        QCOMPARE(page().Label53->text(), QStringLiteral("04/03/04"));
        QCOMPARE(m_window->EscalarAutomatico->LUltimaEscala->text(), QStringLiteral("04/03/04"));
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("04/03/04"));
        QVERIFY(page().Edit6->text().isEmpty());
        QCOMPARE(visibleControls(&page()),
                 QStringList({"Carregar", "Corrigir", "Edit7", "Label55", "Label57", "ListBox4", "Preparar Grade",
                              "ScrollBox1"}));
        QCOMPARE(storedHistoryFrom(m_data->module(), QStringLiteral("2004-03-0")).mid(4),   // after 01/03
                 QStringList({"2004-03-02|1|1|Pt", "2004-03-02|2|13|Pt", "2004-03-02|3|21 22 23|Pt",
                              "2004-03-02|4|36 38 31|Pt", "2004-03-03|1|4|Pt", "2004-03-03|2|12|Pt",
                              "2004-03-03|3|24 25 26|Pt", "2004-03-03|4|39 30 32|Pt", "2004-03-04|1|5|Pt",
                              "2004-03-04|2|11|Pt", "2004-03-04|3|27 28 29|Pt", "2004-03-04|4|37 33 34|Pt"}));
        QCOMPARE(cell(grid(), 1, 1), QStringLiteral("1"));   // the grid keeps its contents until reset
    }

    void cellEditorWritesTheCellClicked()
    {
        prepare(QStringLiteral("03/03/04"));
        grid()->item(2, 2)->setText(QStringLiteral("12"));
        const QRect rect = grid()->visualItemRect(grid()->item(2, 2));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(page().Edit7->text(), QStringLiteral("12"));
        QTest::keyClicks(page().Edit7, QStringLiteral(" 14"));
        QCOMPARE(cell(grid(), 2, 2), QStringLiteral("12 14"));

        // The days and the names are not cells to fill.
        const QRect day = grid()->visualItemRect(grid()->item(0, 1));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, day.center());
        QCOMPARE(page().Edit7->text(), QStringLiteral("12 14"));   // a click there copies nothing
        grid()->setCurrentCell(0, 1);
        QCOMPARE(grid()->currentRow(), 0);
        page().Edit7->setText(QStringLiteral("99"));
        QCOMPARE(cell(grid(), 0, 1), QStringLiteral("02/03/04"));
    }

    void desfazerAndAClickInEscalarAteReset_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Desfazer") << true;
        QTest::newRow("a click in Escalar até") << false;
    }
    void desfazerAndAClickInEscalarAteReset()
    {
        QFETCH(bool, byButton);
        prepare(QStringLiteral("04/03/04"));
        QTest::mouseClick(page().BCarregar, Qt::LeftButton);
        QTest::mouseClick(page().Button11, Qt::LeftButton);
        if (byButton)
            QTest::mouseClick(page().Button14, Qt::LeftButton);
        else
            QTest::mouseClick(page().Edit6, Qt::LeftButton);
        QCOMPARE(visibleControls(&page()), QStringList({"Carregar", "Corrigir", "Preparar Grade", "ScrollBox1"}));
        QCOMPARE(page().ListBox4->count(), 0);
        QCOMPARE(grid()->rowCount(), 5);
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column <= 10; ++column)
                QCOMPARE(cell(grid(), row, column), QString());
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("01/03/04"));
    }

    void refusalsAreShownAndWriteNothing()
    {
        // Preparation: one message, the grid as it was.
        prepare(QStringLiteral("08/03/04"));
        QCOMPARE(m_dialogs->messages(), QStringList{"Só é possível escalar até o dia 07/03/04"});
        QCOMPARE(visibleControls(&page()), QStringList({"Carregar", "Corrigir", "Preparar Grade"}));

        // A filled cell under a column without a day stops the commit.
        m_dialogs->shown.clear();
        prepare(QStringLiteral("03/03/04"));
        QTest::mouseClick(page().BCorrigir, Qt::LeftButton);   // fills a third day
        QTest::mouseClick(page().Button11, Qt::LeftButton);
        QTest::mouseClick(page().Button12, Qt::LeftButton);
        QCOMPARE(m_dialogs->errors(),
                 QStringList{"O Serviço de Of Dia tem \"5\" na coluna 3 da Grade de Serviços, que não tem dia: a grade "
                             "vai até o dia 03/03/04. Nada foi gravado.\n\nApague essa célula, ou prepare a grade até um "
                             "dia mais adiante."});
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("01/03/04"));
        QCOMPARE(storedHistoryFrom(m_data->module(), QStringLiteral("2004-03-0")).size(), 4);
        QVERIFY(page().Button12->isVisibleTo(&page()));
    }

    // A soldier twice in one cell is refused by "Verificar", which stays for the keeper to correct
    // the cell; "Escalar" is not offered until the grid verifies.
    void aSoldierTwiceInACellLeavesNothingToCommit()
    {
        prepare(QStringLiteral("03/03/04"));
        QTest::mouseClick(page().BCarregar, Qt::LeftButton);
        for (int row = 1; row <= 4; ++row)   // Carregar fills a third day the grid does not have
            grid()->item(row, 3)->setText(QString());
        grid()->item(3, 2)->setText(QStringLiteral("24 25 24"));
        QTest::mouseClick(page().Button11, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages().value(0),
                 QStringLiteral("Um militar não pode estar duas vezes no mesmo serviço do mesmo dia:\n\n"
                                "Serviço de Cb Gda, dia 03/03/04: 24 está mais de uma vez (\"24 25 24\").\n\n"
                                "Corrija a Grade de Serviços e clique em \"Verificar\" de novo; nada pode ser escalado "
                                "antes disso."));
        QVERIFY(page().Button11->isVisibleTo(&page()));
        QVERIFY(!page().Button12->isVisibleTo(&page()));

        grid()->item(3, 2)->setText(QStringLiteral("24 25 26"));
        QTest::mouseClick(page().Button11, Qt::LeftButton);
        QVERIFY(page().Button12->isVisibleTo(&page()));
    }

    void aDayAlreadyRosteredOffersPreparingAgain()
    {
        prepare(QStringLiteral("03/03/04"));
        QTest::mouseClick(page().BCorrigir, Qt::LeftButton);
        QSqlQuery q(m_data->module().database(Alias::Ravelha));
        QVERIFY(q.exec("INSERT INTO Hist (Dia, CodSv, Descr, Num, PtVm) VALUES ('2004-03-03', 2, 'Adj Of', '14', 'Pt')"));
        QTest::mouseClick(page().Button11, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages(), QStringList{"O Serviço de Adj Of já foi escalado no dia 03/03/04"});
        QCOMPARE(visibleControls(&page()), QStringList({"Carregar", "Corrigir", "Edit7", "Label55", "Label57",
                                                        "ListBox4", "Preparar Grade", "ScrollBox1"}));
    }

    void printChoicesPrintOnce()
    {
        struct Printed {
            QString title;
            QString font;
            QStringList texts;
        };
        QList<Printed> printed;
        SetPrintHook([&](const QString& title, const Drawing& draw) {
            RecordingPrinter recorder;
            draw(recorder);
            Printed p{title, {}, {}};
            for (const RecordingPrinter::Call& call : recorder.calls()) {
                if (call.kind == RecordingPrinter::Call::Font && p.font.isEmpty())
                    p.font = QStringLiteral("%1 %2").arg(call.text).arg(call.size);
                if (call.kind == RecordingPrinter::Call::Text)
                    p.texts << call.text;
            }
            printed << p;
        });
        prepare(QStringLiteral("02/03/04"));
        QTest::mouseClick(page().BCarregar, Qt::LeftButton);
        grid()->item(2, 1)->setText(QString());   // Adj Of without a soldier that day
        QTest::mouseClick(page().Button11, Qt::LeftButton);
        page().RadioButton5->click();
        page().RadioButton5->click();   // already ticked: no second printout
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed[0].title, QStringLiteral("Grade de Serviços"));
        QCOMPARE(printed[0].font, QStringLiteral("Arial 12"));
        QCOMPARE(printed[0].texts, QStringList({"", "          02/03/04", "     Of Dia     1", "     Cb Gda     21 22 23",
                                                "     Sd Gda     36 3831"}));
        page().RadioButton6->click();
        QCOMPARE(printed.size(), 2);
        QCOMPARE(printed[1].texts, QStringList({"                    Mensagens", " ",
                                                "3831  não concorre à escala de Sd Gda"}));

        // A new verification unticks the choices, so "Grade" prints again.
        QTest::mouseClick(page().Button11, Qt::LeftButton);
        QVERIFY(!page().RadioButton5->isChecked() && !page().RadioButton6->isChecked());
        page().RadioButton5->click();
        QCOMPARE(printed.size(), 3);
    }
};

QTEST_MAIN(TestManualRosterTab)
#include "TestManualRosterTab.moc"
