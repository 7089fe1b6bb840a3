// "Por que?" in the tab "Escalar Automático": a double-click on a service line of the roster list
// (or its context menu) opens the decisions for that service and the day above it.
#include "FixtureFolder.h"
#include "ListItems.h"
#include "ScriptedDialogs.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "printing/RecordingPrinter.h"
#include "rostering/AutoRosterPage.h"
#include "rostering/AutoRosterTab.h"
#include "rostering/Removals.h"
#include "rostering/UPorQue.h"
#include "rostering/URetiraAlguem.h"
#include "startup/UPrincipal.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {

struct Shown {
    QString title;
    QStringList lines;
};

}

class TestPorQue : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;
    QList<Shown> m_shown;              // the "Por que?" windows opened
    QStringList m_printed;             // what their "Imprimir" printed: the title, then the lines

    AutoRosterPage& page() { return *m_window->EscalarAutomatico; }

    // "Verificar" up to 02/03/04, declared ready to roster.
    void verify()
    {
        SetModalHook([](QDialog& window) {
            if (auto* chooser = qobject_cast<TFRetiraAlguem*>(&window))
                QTest::mouseClick(chooser->RadioButton2, Qt::LeftButton);
            return window.result();
        });
        page().Edit1->setText(QStringLiteral("02/03/04"));
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        // From now on each "Por que?" window is read, printed and closed with "Sair".
        SetModalHook([this](QDialog& window) {
            auto* why = qobject_cast<TFPorQue*>(&window);
            if (!why)
                return window.result();
            m_shown << Shown{why->LTitulo->text(), ItemsOf(why->ListBox1)};
            QTest::mouseClick(why->BImprimir, Qt::LeftButton);
            QTest::mouseClick(why->BSair, Qt::LeftButton);
            return window.result();
        });
    }

    void doubleClick(int row)
    {
        QListWidget* list = page().ListBox2;
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }

private slots:
    void init()
    {
        ClearRemovals();
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        m_shown.clear();
        m_printed.clear();
        SetPrintHook([this](const QString& title, const Drawing& draw) {
            RecordingPrinter recorder;
            draw(recorder);
            m_printed << title;
            for (const RecordingPrinter::Call& call : recorder.calls())
                if (call.kind == RecordingPrinter::Call::Text && !call.text.isEmpty() && call.text != title)
                    m_printed << call.text;
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

    void serviceLineOpensItsDecisions()
    {
        verify();
        const QStringList roster = ItemsOf(page().ListBox2);
        const int cbGda = roster.indexOf(QStringLiteral("     Cb Gda:  8-Henriques  7-Gonçalves  "));
        QVERIFY(cbGda > 0);
        doubleClick(cbGda);
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].title, QStringLiteral("Por que: Cb Gda 01/03/04"));
        QCOMPARE(m_shown[0].lines.filter(QStringLiteral(": escalado")),
                 QStringList({"8 - Henriques: escalado", "7 - Gonçalves: escalado"}));
        QVERIFY(m_shown[0].lines.last().startsWith(QStringLiteral("Próximo da vez: ")));
        QCOMPARE(m_printed, QStringList{m_shown[0].title} + m_shown[0].lines);

        // The context menu names the line under the pointer; the day is the one above it.
        int adjOf = roster.size() - 1;
        while (adjOf > 0 && !roster.at(adjOf).startsWith(QStringLiteral("     Adj Of:")))
            --adjOf;
        page().ListBox2->setCurrentRow(adjOf);
        QCOMPARE(page().ListBox2->actions().value(0)->text(), QStringLiteral("Por que?"));
        page().APorQue->trigger();
        QCOMPARE(m_shown.size(), 2);
        QCOMPARE(m_shown[1].title, QStringLiteral("Por que: Adj Of 02/03/04"));
        QVERIFY(m_dialogs->shown.isEmpty());

        // Explaining leaves the verification as it was: "Escalar" stores what the list shows.
        QTest::mouseClick(page().BEscalar, Qt::LeftButton);
        QVERIFY(m_dialogs->errors().isEmpty());
        QStringList stored;
        QSqlQuery q = m_data->module().selectAllHist();
        while (q.next())
            if (Dates::fromStorage(q.value("Dia").toString()) == QDate(2004, 3, 1) && q.value("CodSv").toInt() == 3)
                stored << q.value("Num").toString().trimmed();
        QCOMPARE(stored, QStringList{"8 7"});
    }

    void dayAndEmptyLinesDoNothing()
    {
        verify();
        const QStringList roster = ItemsOf(page().ListBox2);
        doubleClick(roster.indexOf(QStringLiteral("               01/03/04 (Pt)")));
        doubleClick(roster.indexOf(QStringLiteral("     ")));
        page().ListBox2->setCurrentRow(roster.indexOf(QStringLiteral("               02/03/04 (Pt)")));
        page().APorQue->trigger();
        QVERIFY(m_shown.isEmpty());
        QVERIFY(m_dialogs->shown.isEmpty());
    }

    void dataChangedSinceTheVerification()
    {
        verify();
        LoadSoldiers();
        Global().SoldierTable[8].Nome = QStringLiteral("Outro");
        SaveSoldiers();
        const int cbGda = ItemsOf(page().ListBox2).indexOf(QStringLiteral("     Cb Gda:  8-Henriques  7-Gonçalves  "));
        doubleClick(cbGda);
        QVERIFY(m_shown.isEmpty());
        QCOMPARE(m_dialogs->messages(), QStringList{"Os dados mudaram desde a verificação. Verifique de novo para ver "
                                                    "por que cada militar foi ou não escalado."});
    }
};

QTEST_MAIN(TestPorQue)
#include "TestPorQue.moc"
