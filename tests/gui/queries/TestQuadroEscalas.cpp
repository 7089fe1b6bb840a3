// The board "Militares e Serviços" opened from the tab "Consultas" of the main window, on the small
// fixture (Of Dia lists 1 to 3, Adj Of 4 to 6, Cb Gda 7 to 12) with a service 25 "Ronda" of 3 and 12.
#include "FixtureFolder.h"
#include "ScriptedDialogs.h"
#include "common/ClickableLabel.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/UGlobal.h"
#include "maintenance/UListaNumNomes.h"
#include "manual/UEscolherSv.h"
#include "printing/RecordingPrinter.h"
#include "queries/ConsultasPage.h"
#include "queries/UQuadroEscalas.h"
#include "startup/UPrincipal.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// Each row of a grid down to its first empty number, as "num:columns with S"; row 0 as "headers:...".
QStringList rowsOf(const QTableWidget* grid)
{
    auto text = [grid](int r, int c) {
        const QTableWidgetItem* item = grid->item(r, c);
        return item ? item->text() : QString();
    };
    QStringList headers;
    for (int c = 1; c < grid->columnCount(); ++c)
        if (!text(0, c).isEmpty())
            headers << QStringLiteral("%1=%2").arg(c).arg(text(0, c));
    QStringList rows{QStringLiteral("headers:") + headers.join(QLatin1Char(' '))};
    for (int r = 1; r < grid->rowCount() && !text(r, 0).isEmpty(); ++r) {
        QStringList marked;
        for (int c = 1; c < grid->columnCount(); ++c)
            if (!text(r, c).isEmpty())
                marked << QString::number(c) + (text(r, c) == QStringLiteral("S") ? QString() : QStringLiteral("?"));
        rows << text(r, 0) + QLatin1Char(':') + marked.join(QLatin1Char(' '));
    }
    return rows;
}

}

class TestQuadroEscalas : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;
    QStringList m_chosen;   // the numbers selected in the lookup
    QList<int> m_services;  // the codes ticked in the chooser
    std::function<void(TFQuadroEscalas&)> m_onBoard;

    TFQuadroEscalas& board() { return m_window->QuadroEscalas(); }

    // Opens the board from item 3 and acts on it while it is up; the lookup and the chooser it
    // opens answer with m_chosen and m_services.
    void openBoard(const std::function<void(TFQuadroEscalas&)>& act)
    {
        bool shown = false;
        m_onBoard = [&](TFQuadroEscalas& w) {
            shown = true;
            act(w);
        };
        QTest::mouseClick(m_window->Consultas->Label9, Qt::LeftButton);
        QVERIFY(shown);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        LoadServices();
        Global().ServiceTable[25] = ServiceRecord{25, "Ronda", QDate(2004, 1, 1), QDate(2004, 12, 31), 1, 4, {}};
        SaveServices();
        TDMGeral::instance().insertRosterRow(25, QStringLiteral("3"), 0, 0);
        TDMGeral::instance().insertRosterRow(25, QStringLiteral("12"), 0, 0);
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        SetModalHook([this](QDialog& window) {
            if (auto* lookup = qobject_cast<TFListaNumNomes*>(&window)) {
                for (int i = 0; i < lookup->ListBox1->count(); ++i) {
                    QListWidgetItem* line = lookup->ListBox1->item(i);
                    line->setSelected(m_chosen.contains(LookupLineNumber(line->text())));
                }
                QTest::mouseClick(lookup->Button2, Qt::LeftButton);
            } else if (auto* chooser = qobject_cast<TFEscolherSv*>(&window)) {
                for (int code : m_services)
                    chooser->CheckBox[code]->setChecked(true);
                QTest::mouseClick(chooser->Button6, Qt::LeftButton);
            } else if (auto* shown = qobject_cast<TFQuadroEscalas*>(&window)) {
                m_onBoard(*shown);
                QTest::mouseClick(shown->Button2, Qt::LeftButton);
            }
            return window.result();
        });
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

    void theWindowAsOpened()
    {
        openBoard([](TFQuadroEscalas& w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("FQuadroEscalas"));
            QCOMPARE(w.manualSection(), QStringLiteral("012"));
            QCOMPARE(w.Label1->text(), QStringLiteral("Militares e Serviços"));
            QStringList captions;
            for (QPushButton* b : {w.Button1, w.Button4, w.Button6, w.Button3, w.Button2})
                captions << b->objectName() + "=" + b->text();
            QCOMPARE(captions, QStringList({"Button1=Pesquisar", "Button4=Voltar Pesquisa", "Button6=Serviços",
                                            "Button3=Imprimir", "Button2=Sair"}));
            QVERIFY(w.SGQuadroEscalas->isVisible());
            QVERIFY(!w.SGQuadroEscalasAux->isVisible());
            QCOMPARE(w.SGQuadroEscalas->columnCount(), 20);
            QCOMPARE(w.SGQuadroEscalas->columnWidth(5), 30);
        });
        QVERIFY(m_dialogs->errors().isEmpty());
    }

    void searchNarrowPrintAndBack()
    {
        m_chosen = {"12", "4", "7", "3"};
        m_services = {25, 2};
        QList<RecordingPrinter::Call> printed;
        QString title;
        SetPrintHook([&](const QString& t, const Drawing& draw) {
            RecordingPrinter recorder;
            draw(recorder);
            title = t;
            printed = recorder.texts();
        });
        openBoard([&](TFQuadroEscalas& w) {
            QTest::mouseClick(w.Button1, Qt::LeftButton);
            // Ronda (25) has no column on the full board; 4 is in none of its shown services but Adj Of.
            QCOMPARE(rowsOf(w.SGQuadroEscalas),
                     QStringList({"headers:1=Of Dia 2=Adj Of 3=Cb Gda", "3:1", "4:2", "7:3", "12:3"}));
            // The clicked column's whole name over the top row.
            w.SGQuadroEscalasClick(2, 3);
            QVERIFY(w.LCabecalho->isVisible());
            QCOMPARE(w.LCabecalho->text(), QStringLiteral("Cb Gda"));

            QTest::mouseClick(w.Button6, Qt::LeftButton);
            QVERIFY(w.SGQuadroEscalasAux->isVisible());
            QVERIFY(!w.SGQuadroEscalas->isVisible());
            QCOMPARE(rowsOf(w.SGQuadroEscalasAux), QStringList({"headers:1=Adj Of 2=Ronda", "3:2", "4:1", "12:2"}));

            QTest::mouseClick(w.Button3, Qt::LeftButton);   // prints the board shown: the narrowed one
            QTest::mouseClick(w.Button4, Qt::LeftButton);
            QVERIFY(w.SGQuadroEscalas->isVisible());
            QVERIFY(!w.SGQuadroEscalasAux->isVisible());
        });
        QCOMPARE(title, QStringLiteral("Militares e Serviços"));
        QStringList drawn;
        for (const RecordingPrinter::Call& c : printed)
            drawn << QStringLiteral("%1,%2 %3").arg(c.x).arg(c.y).arg(c.text);
        QCOMPARE(drawn, QStringList({"140,50 Adj Of", "250,88 Ronda", "50,130 3", "270,130 S", "50,180 4", "160,180 S",
                                     "50,230 12", "270,230 S"}));
        // The window keeps its board until the next search.
        openBoard([](TFQuadroEscalas& w) { QCOMPARE(rowsOf(w.SGQuadroEscalas).size(), 5); });
        QVERIFY(m_dialogs->errors().isEmpty());
    }

    void choosingNobodyLeavesTheBoardEmpty()
    {
        m_chosen = {"1"};
        openBoard([&](TFQuadroEscalas& w) {
            QTest::mouseClick(w.Button1, Qt::LeftButton);
            QCOMPARE(rowsOf(w.SGQuadroEscalas), QStringList({"headers:1=Of Dia 2=Adj Of 3=Cb Gda", "1:1"}));
            m_chosen.clear();
            QTest::mouseClick(w.Button1, Qt::LeftButton);
            QCOMPARE(rowsOf(w.SGQuadroEscalas), QStringList{"headers:"});
        });
    }
};

QTEST_MAIN(TestQuadroEscalas)
#include "TestQuadroEscalas.moc"
