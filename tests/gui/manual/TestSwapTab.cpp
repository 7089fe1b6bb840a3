// The tab "Trocas Sv" in the real main window, on the small fixture (rostered up to 29/02/04;
// Cb Gda served by 11 and 12 on 29/02/04, a red day; soldier 2 is planned to be away from 08/03
// to 12/03/04). Today is 05/03/04.
#include "FixtureFolder.h"
#include "ListItems.h"
#include "ScriptedDialogs.h"
#include "common/ClickableLabel.h"
#include "common/SharedWindows.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "manual/Swap.h"
#include "manual/SwapPage.h"
#include "rostering/AutoRosterPage.h"
#include "startup/UPrincipal.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

QStringList storedHistory(TDMGeral& module)
{
    QSqlQuery q = module.openTable(Alias::Ravelha, QStringLiteral("Hist"), 100000);
    QStringList rows;
    while (q.next())
        rows << q.value(0).toString() + QLatin1Char('|') + q.value(1).toString() + QLatin1Char('|')
                    + q.value(3).toString();
    return rows;
}

// Everything a swap may change.
QStringList storedState(TDMGeral& module)
{
    QStringList state;
    for (const char* table : {"Hist", "Basico", "Sv1", "Sv2", "Sv3"}) {
        QSqlQuery q = module.openTable(Alias::Ravelha, QLatin1String(table), 100000);
        while (q.next()) {
            QStringList values;
            for (int c = 0; c < q.record().count(); ++c)
                values << q.value(c).toString();
            state << QLatin1String(table) + QLatin1Char('|') + values.join(QLatin1Char('|'));
        }
    }
    return state;
}

// Scripted boxes, except the Yes/No box that asks Yes by default, which is the real one.
class RealYesByDefault : public ScriptedDialogs {
public:
    bool questionYesByDefault(const QString& text) override
    {
        shown << QStringLiteral("question: ") + text;
        return MessageBoxDialogs().questionYesByDefault(text);
    }
};

struct SeenBox {
    QString text;
    bool defaultIsYes = false;
    Qt::CursorShape pointer = Qt::BitmapCursor;   // Bitmap: no box was seen
};

// Presses Enter on the next box and tells what it saw.
void pressEnterOnNextBox(SeenBox& seen)
{
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.text = box->text();
        seen.defaultIsYes = box->defaultButton() && box->defaultButton() == box->button(QMessageBox::Yes);
        seen.pointer = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::BlankCursor;
        QTest::keyClick(box, Qt::Key_Return);
    });
}

}

class TestSwapTab : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    SwapPage& page() { return *m_window->TrocasSv; }

    void openWindow()
    {
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
        m_window->PageControl1->setCurrentWidget(m_window->TrocasSv);
    }

    // Item 2 filled in: A leaves, B enters Cb Gda on 29/02/04.
    void fillSwap(const QString& a, const QString& b)
    {
        QTest::mouseClick(page().Label45, Qt::LeftButton);
        page().Edit3->setText(a);
        page().Edit4->setText(b);
        page().Edit5->setText(QStringLiteral("29/02/04"));
        page().ComboBox2->setCurrentIndex(2);
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        Clock::setToday(QDate(2004, 3, 5));
        openWindow();
    }
    void cleanup()
    {
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        Clock::setToday(QDate());
        m_data.reset();
    }

    void eachItemShowsItsControlsWithThirtyServices()
    {
        for (int click = 0; click < 3; ++click)
            QTest::mouseClick(page().Label32, Qt::LeftButton);
        QCOMPARE(page().ComboBox1->count(), 30);
        QCOMPARE(page().ComboBox1->itemText(2), QStringLiteral("3   Cb Gda"));
        QCOMPARE(page().ComboBox1->currentText(), QString());
        QCOMPARE(page().Edit2->text(), QStringLiteral("05/03/04"));
        QVERIFY(page().ListBox3->isVisible());
        QVERIFY(!page().Button9->isVisible());

        for (int click = 0; click < 2; ++click)
            QTest::mouseClick(page().Label45, Qt::LeftButton);
        QCOMPARE(page().ComboBox2->count(), 30);
        QCOMPARE(page().Edit5->text(), QStringLiteral("05/03/04"));
        QVERIFY(page().GroupBox1->isVisible());
        QVERIFY(page().RadioButton1->isChecked());
        QVERIFY(!page().ListBox3->isVisible());
    }

    void listarAddsBelowUntilTheKeeperEmptiesTheList()
    {
        QTest::mouseClick(page().Label32, Qt::LeftButton);
        QTest::mouseClick(page().Button7, Qt::LeftButton);   // no service chosen yet
        QCOMPARE(m_dialogs->messages(), QStringList{"Você deve selecionar um serviço"});

        // Of Dia on 09/03/04: 2 is planned to be away; his alert goes to the automatic tab's messages.
        page().Edit2->setText(QStringLiteral("09/03/04"));
        page().ComboBox1->setCurrentIndex(0);
        QTest::mouseClick(page().Button7, Qt::LeftButton);
        const QStringList once{"2   Previsto sair da escala de 08/03/04 a 12/03/04", "3   ", "1   "};
        QCOMPARE(ItemsOf(page().ListBox3), once);
        QCOMPARE(ItemsOf(m_window->EscalarAutomatico->ListBox5),
                 QStringList{"Dia: 09/03/04  Nº:  2  Previsto sair da escala de: 08/03/04 a 12/03/04"});
        QTest::mouseClick(page().Button7, Qt::LeftButton);
        QCOMPARE(ItemsOf(page().ListBox3), once + once);

        QTest::mouseClick(page().Edit2, Qt::LeftButton);   // a click on the day empties the list
        QVERIFY(ItemsOf(page().ListBox3).isEmpty());
        QTest::mouseClick(page().Button7, Qt::LeftButton);
        page().ComboBox1->setFocus();
        QTest::keyClick(page().ComboBox1, Qt::Key_Down);     // another service chosen empties it too
        QCOMPARE(page().ComboBox1->currentIndex(), 1);
        QVERIFY(ItemsOf(page().ListBox3).isEmpty());
        QTest::mouseClick(page().Button7, Qt::LeftButton);
        QCOMPARE(page().ListBox3->count(), 3);   // Adj Of: 4, 5, 6
        QTest::mouseClick(page().Button8, Qt::LeftButton);   // "Limpar"
        QVERIFY(ItemsOf(page().ListBox3).isEmpty());
    }

    void theQuestionShowsWhatWillChangeNoKeepsYesWrites()
    {
        fillSwap(QStringLiteral("11"), QStringLiteral("7"));
        const QStringList before = storedState(m_data->module());
        const QString question = SwapQuestion(PlanSwap(SwapRequest{"11", "7", "29/02/04", 3, SwapChoice::B}).summary);
        QVERIFY(question.startsWith(QStringLiteral("Serviço: Cb Gda   Dia: 29/02/04 (Vm)\n"
                                                   "Sai 11 (Cb Lemos) e entra 7 (Cb Gonçalves): computa-se o serviço "
                                                   "só para 7.\n"
                                                   "Histórico antes:  11 12\n"
                                                   "Histórico depois: 7 12\n"
                                                   "7 em Cb Gda: Vm de 0 para 1\n"
                                                   "11 em Cb Gda: Vm de 1 para 0\n")));

        m_dialogs->questionAnswers.enqueue(false);
        QTest::mouseClick(page().Button9, Qt::LeftButton);
        QCOMPARE(m_dialogs->shown, QStringList{QStringLiteral("question: ") + question});
        QCOMPARE(storedState(m_data->module()), before);
        QCOMPARE(page().Edit3->text(), QStringLiteral("11"));   // the keeper may change his mind and go on

        m_dialogs->questionAnswers.enqueue(true);
        QTest::mouseClick(page().Button9, Qt::LeftButton);
        QVERIFY(storedHistory(m_data->module()).contains(QStringLiteral("2004-02-29|3|7 12 ")));
        QVERIFY(m_dialogs->messages().isEmpty());   // success shows no box
        for (const QLineEdit* edit : {page().Edit3, page().Edit4, page().Edit5})
            QCOMPARE(edit->text(), QString());
        QCOMPARE(page().ComboBox2->count(), 30);
        QCOMPARE(page().ComboBox2->currentText(), QString());
        QVERIFY(!QApplication::overrideCursor());
    }

    void theRealQuestionAnswersYesOnEnter()
    {
        m_dialogs.reset();
        m_dialogs = std::make_unique<RealYesByDefault>();
        activateWindowForBoxes();
        fillSwap(QStringLiteral("0"), QStringLiteral("7"));
        SeenBox seen;
        pressEnterOnNextBox(seen);
        QTest::mouseClick(page().Button9, Qt::LeftButton);
        QVERIFY(seen.text.startsWith(QStringLiteral("Serviço: Cb Gda   Dia: 29/02/04 (Vm)\nEntra 7 (Cb Gonçalves); "
                                                    "ninguém sai.")));
        QVERIFY(seen.text.endsWith(QStringLiteral("\n\nConfirma a troca?")));
        QVERIFY(seen.defaultIsYes);
        QCOMPARE(seen.pointer, Qt::ArrowCursor);   // not the busy pointer over the box
        QVERIFY(storedHistory(m_data->module()).contains(QStringLiteral("2004-02-29|3|11 12 7 ")));
        QVERIFY(!QApplication::overrideCursor());
    }

    void aChoiceHiddenForNobodyComesBackWhenItIsNeeded()
    {
        fillSwap(QStringLiteral("0"), QStringLiteral("7"));
        emit page().ComboBox2->activated(2);   // with nobody leaving, the choice means nothing
        QVERIFY(!page().GroupBox1->isVisible());
        QVERIFY(!page().Label50->isVisible());
        QVERIFY(!page().RadioButton1->isChecked() && !page().RadioButton2->isChecked());

        const QStringList before = storedState(m_data->module());
        page().Edit3->setText(QStringLiteral("11"));
        QTest::mouseClick(page().Button9, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages(), QStringList{"Escolha para quem computar o serviço: \"B\" ou \"A e B\"."});
        QVERIFY(page().GroupBox1->isVisible());   // where the keeper can tick it
        QCOMPARE(storedState(m_data->module()), before);

        QTest::mouseClick(page().RadioButton2, Qt::LeftButton);
        m_dialogs->questionAnswers.enqueue(true);
        QTest::mouseClick(page().Button9, Qt::LeftButton);
        QVERIFY(storedHistory(m_data->module()).contains(QStringLiteral("2004-02-29|3|11 7 12 ")));
    }

private:
    void activateWindowForBoxes()
    {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
};

QTEST_MAIN(TestSwapTab)
#include "TestSwapTab.moc"
