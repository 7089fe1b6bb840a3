// The tab "Escalar Automático" walked as the keeper walks it: Verificar, remove a soldier,
// Verificar again, declare the roster ready, Escalar; then what the tables and files hold.
#include "FixtureFolder.h"
#include "ListItems.h"
#include "ScriptedDialogs.h"
#include "common/ClickableLabel.h"
#include "common/Dialogs.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/KillPoints.h"
#include "data/UGlobal.h"
#include "printing/RecordingPrinter.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/UListaNumNomes.h"
#include "maintenance/UManual.h"
#include "rostering/AutoRosterPage.h"
#include "rostering/AutoRosterTab.h"
#include "rostering/Commit.h"
#include "rostering/Removals.h"
#include "rostering/UForaEscSgte.h"
#include "rostering/URetiraAlguem.h"
#include "startup/UPrincipal.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

namespace {

struct Counts {
    int pt = 0;
    int vm = 0;
};
using RosterCounts = std::map<std::pair<int, QString>, Counts>;   // (service, Num) -> counts

RosterCounts storedCounts(TDMGeral& module)
{
    RosterCounts counts;
    for (int service = 1; service <= 3; ++service) {
        QSqlQuery q = module.openTable(Alias::Ravelha, QStringLiteral("Sv%1").arg(service), 500);
        while (q.next())
            counts[{service, q.value(0).toString()}] = {q.value(1).toInt(), q.value(2).toInt()};
    }
    return counts;
}

struct HistRow {
    QDate day;
    int service;
    QStringList nums;
    QString kind;
};

QList<HistRow> storedHistory(TDMGeral& module)
{
    QList<HistRow> rows;
    QSqlQuery q = module.selectAllHist();
    while (q.next())
        rows << HistRow{Dates::fromStorage(q.value("Dia").toString()), q.value("CodSv").toInt(),
                        q.value("Num").toString().split(QLatin1Char(' '), Qt::SkipEmptyParts),
                        q.value("PtVm").toString()};
    return rows;
}

// Scripted boxes, except the Yes/No box, which is the real one: a test answers it as the keeper
// does (answerNextBox) and sees its buttons.
class RealYesNoDialogs : public ScriptedDialogs {
public:
    bool question(const QString& text) override
    {
        shown << QStringLiteral("question: ") + text;
        return MessageBoxDialogs().question(text);
    }
};

struct YesNoBox {
    QString text;
    bool defaultIsNo = false;
    Qt::CursorShape pointer = Qt::BlankCursor;   // the override pointer over it (Blank: none)
};

// Answers the next Yes/No box: Yes by its button, No by Enter (its default button); tells what it saw.
void answerNextBox(bool yes, YesNoBox& seen)
{
    QTimer::singleShot(0, [yes, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.text = box->text();
        seen.defaultIsNo = box->defaultButton() && box->defaultButton() == box->button(QMessageBox::No);
        seen.pointer = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::BlankCursor;
        if (yes)
            box->button(QMessageBox::Yes)->click();
        else
            QTest::keyClick(box, Qt::Key_Return);
    });
}

// The override pointer at a step of an operation (Blank: none).
struct PointerAtStep {
    explicit PointerAtStep(const char* step)
    {
        KillPoints::setActionForTests([this, step](const QString& reached) {
            if (reached == QLatin1String(step))
                shape = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::BlankCursor;
        });
    }
    ~PointerAtStep() { KillPoints::setActionForTests({}); }
    Qt::CursorShape shape = Qt::BitmapCursor;   // Bitmap: the step was not reached
};

void activate(QWidget* window)
{
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// The buttons of the tab the keeper sees, by caption.
QStringList visibleButtons(QWidget* page)
{
    QStringList captions;
    for (QPushButton* button : page->findChildren<QPushButton*>())
        if (button->isVisibleTo(page))
            captions << button->text();
    captions.sort();
    return captions;
}

}

class TestAutoRosterTab : public QObject {
    Q_OBJECT

    std::unique_ptr<FixtureFolder> m_data;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<TFPrincipal> m_window;

    AutoRosterPage& page() { return *m_window->EscalarAutomatico; }

    // "Verificar" up to `target`, then the choice `choice` (1 remove, 2 ready, 3 continue); on
    // removing, `remove` acts in the removal window before "Fim".
    void verifyTo(const QString& target, int choice, const std::function<void(TFForaEscSgte&)>& remove = {})
    {
        SetModalHook([&](QDialog& window) {
            if (auto* chooser = qobject_cast<TFRetiraAlguem*>(&window)) {
                QRadioButton* buttons[] = {chooser->RadioButton1, chooser->RadioButton2, chooser->RadioButton3};
                QTest::mouseClick(buttons[choice - 1], Qt::LeftButton);
            } else if (auto* removal = qobject_cast<TFForaEscSgte*>(&window)) {
                if (remove)
                    remove(*removal);
                QTest::mouseClick(removal->Button3, Qt::LeftButton);
            }
            return window.result();
        });
        page().Edit1->setText(target);
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        SetModalHook({});
    }

private slots:
    void init()
    {
        m_data = std::make_unique<FixtureFolder>();
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_window = std::make_unique<TFPrincipal>();
        m_window->show();
    }
    void cleanup()
    {
        SetModalHook({});
        SetPrintHook({});
        KillPoints::setActionForTests({});
        m_window.reset();
        DeleteSharedWindows();
        m_dialogs.reset();
        m_data.reset();
    }

    void walkFromVerificationToCommit()
    {
        const RosterCounts before = storedCounts(m_data->module());
        const int rowsBefore = storedHistory(m_data->module()).size();

        // First verification: choose to remove soldier 8 from every service on 01/03/04.
        QStringList removalDays;
        SetModalHook([&](QDialog& window) {
            if (auto* choice = qobject_cast<TFRetiraAlguem*>(&window)) {
                QTest::mouseClick(choice->RadioButton1, Qt::LeftButton);
            } else if (auto* removal = qobject_cast<TFForaEscSgte*>(&window)) {
                for (int i = 0; i < removal->ListBox1->count(); ++i)
                    removalDays << removal->ListBox1->item(i)->text();
                removal->Edit1->setText(QStringLiteral("8"));
                QTest::mouseClick(removal->Button2, Qt::LeftButton);
                removal->ListBox1->item(0)->setSelected(true);
                QTest::mouseClick(removal->Button4, Qt::LeftButton);
                QTest::mouseClick(removal->Button3, Qt::LeftButton);
            }
            return window.result();
        });
        page().Edit1->setText(QStringLiteral("03/03/04"));
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        QCOMPARE(removalDays, QStringList({"01/03/04", "02/03/04", "03/03/04"}));
        QVERIFY(page().Button6->isVisibleTo(&page()));
        QVERIFY(page().BDesfazer->isVisibleTo(&page()));
        QCOMPARE(page().ListBox2->count(), 0);

        // Second verification, with the removal; then the roster is declared ready.
        QStringList rosterShown;
        SetModalHook([&](QDialog& window) {
            rosterShown = ItemsOf(page().ListBox2);
            auto& choice = static_cast<TFRetiraAlguem&>(window);
            QTest::mouseClick(choice.RadioButton2, Qt::LeftButton);
            return window.result();
        });
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        QCOMPARE(rosterShown.value(1), QStringLiteral("               01/03/04 (Pt)"));
        QVERIFY(rosterShown.filter(QStringLiteral("(Pt)")).size() == 3);
        for (const QString& line : rosterShown.mid(0, rosterShown.indexOf(QStringLiteral("               02/03/04 (Pt)"))))
            QVERIFY2(!line.contains(QStringLiteral(" 8-")), qPrintable(line));
        QVERIFY(page().BEscalar->isVisibleTo(&page()));
        QVERIFY(!page().Button6->isVisibleTo(&page()));
        QCOMPARE(page().ListBox5->count(), 0);
        QCOMPARE(page().ListBox2->count(), rosterShown.size());

        QTest::mouseClick(page().BEscalar, Qt::LeftButton);
        QVERIFY(m_dialogs->errors().isEmpty());

        // What the keeper finds afterwards.
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("03/03/04"));
        QCOMPARE(page().LUltimaEscala->text(), QStringLiteral("03/03/04"));
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("Label53"))->text(), QStringLiteral("03/03/04"));
        QVERIFY(page().Button6->isVisibleTo(&page()));
        QVERIFY(!page().BEscalar->isVisibleTo(&page()));
        QVERIFY(page().Edit1->isEnabled());
        QVERIFY(page().Edit1->text().isEmpty());
        QCOMPARE(page().ListBox2->count(), 0);

        const QList<HistRow> history = storedHistory(m_data->module());
        QList<HistRow> added;
        for (const HistRow& row : history)
            if (row.day > QDate(2004, 2, 29))
                added << row;
        QVERIFY(history.size() - rowsBefore == added.size());
        QVERIFY(!added.isEmpty());
        std::map<QString, Counts> taken;
        for (const HistRow& row : added) {
            QVERIFY(row.day <= QDate(2004, 3, 3));   // nothing after the target day
            QCOMPARE(row.kind, QStringLiteral("Pt"));
            if (row.day == QDate(2004, 3, 1))
                QVERIFY(!row.nums.contains(QStringLiteral("8")));
            for (const QString& num : row.nums)
                ++taken[num].pt;
        }
        // Every service taken raised the soldier's count in every roster he belongs to.
        for (const auto& [key, counts] : storedCounts(m_data->module())) {
            const Counts old = before.at(key);
            QCOMPARE(counts.pt, old.pt + taken[key.second].pt);
            QCOMPARE(counts.vm, old.vm);
        }
        // Their days entered their recent service days.
        LoadSoldiers();
        for (const HistRow& row : added) {
            for (const QString& num : row.nums) {
                const auto& soldiers = Global().SoldierTable;
                const auto it = std::find_if(soldiers.begin() + 1, soldiers.end(),
                                             [&](const SoldierRecord& s) { return s.Num == num; });
                QVERIFY(it != soldiers.end());
                QVERIFY(std::find(it->USv.begin(), it->USv.end(), row.day) != it->USv.end());
            }
        }
    }

    void refusalsAreShownAndChangeNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("no date") << "32/03/04" << "32/03/04 >>> Data inválida";
        QTest::newRow("beyond the calendar")
            << "21/03/04"
            << "Antes de escalar, você deve alongar a data de preparação do Sistema\n\n"
               "                       A data atual vai até o dia 20/03/04\n\n"
               "              Para ampliá-la, use o item 5. da aba /Manutenção/";
    }
    void refusalsAreShownAndChangeNothing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        page().Edit1->setText(typed);
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        QCOMPARE(m_dialogs->messages(), QStringList{message});
        QVERIFY(page().Edit1->isEnabled());
        QVERIFY(page().Button6->isVisibleTo(&page()));
        QVERIFY(!page().BDesfazer->isVisibleTo(&page()));
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("29/02/04"));
    }

    void continuingKeepsTheListsAndDesfazerResets()
    {
        SetModalHook([](QDialog& window) {
            QTest::mouseClick(static_cast<TFRetiraAlguem&>(window).RadioButton3, Qt::LeftButton);
            return window.result();
        });
        page().Edit1->setText(QStringLiteral("02/03/04"));
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        QVERIFY(page().ListBox2->count() > 0);
        QVERIFY(!page().Edit1->isEnabled());
        QVERIFY(page().Button6->isVisibleTo(&page()));
        QVERIFY(page().BDesfazer->isVisibleTo(&page()));

        QTest::mouseClick(page().BDesfazer, Qt::LeftButton);
        QCOMPARE(page().ListBox2->count(), 0);
        QVERIFY(page().Edit1->isEnabled());
        QVERIFY(!page().BDesfazer->isVisibleTo(&page()));
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("29/02/04"));
    }

    void item10UndoesFromADay()
    {
        ClickableLabel* item = m_window->Manutencao->item(QStringLiteral("Label35"));
        m_dialogs->inputAnswers << std::nullopt << QStringLiteral("28/02/2004");
        QTest::mouseClick(item, Qt::LeftButton);   // Cancel: nothing changes
        QCOMPARE(storedHistory(m_data->module()).size(), 9);
        QTest::mouseClick(item, Qt::LeftButton);
        QCOMPARE(m_dialogs->shown.value(1),
                 QStringLiteral("input: Desfazer Escalas | Primeiro dia a eliminar (dd/mm/aa):  | "));
        QCOMPARE(m_dialogs->messages().size(), 2);   // the warning, each time
        QVERIFY(m_dialogs->messages().first().contains(QStringLiteral("CUIDADO !")));
        QCOMPARE(storedHistory(m_data->module()).size(), 3);
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("27/02/04"));
        QCOMPARE(page().LUltimaEscala->text(), QStringLiteral("27/02/04"));
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("Label53"))->text(), QStringLiteral("27/02/04"));
    }

    void printChoicesPrintTheListsOnce()
    {
        QList<QStringList> printed;
        SetPrintHook([&](const QString&, const Drawing& draw) {
            RecordingPrinter recorder;
            draw(recorder);
            QStringList texts;
            for (const RecordingPrinter::Call& call : recorder.calls())
                if (call.kind == RecordingPrinter::Call::Text)
                    texts << call.text;
            printed << texts;
        });
        SetModalHook([](QDialog& window) {
            QTest::mouseClick(static_cast<TFRetiraAlguem&>(window).RadioButton3, Qt::LeftButton);
            return window.result();
        });
        page().Edit1->setText(QStringLiteral("02/03/04"));
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        page().RadioButton3->click();
        page().RadioButton3->click();   // already ticked: no second printout
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed.first().first(), QStringLiteral("Escala de Serviço"));
        QCOMPARE(printed.first().mid(1), ItemsOf(page().ListBox2));

        QTest::mouseClick(page().Button6, Qt::LeftButton);   // a new verification unticks "Escala"
        page().RadioButton3->click();
        QCOMPARE(printed.size(), 2);
        page().RadioButton4->click();
        QCOMPARE(printed.last().first(), QStringLiteral("Mensagens"));

        QTest::mouseClick(page().Button13, Qt::LeftButton);
        QVERIFY(page().ListBox6->isVisibleTo(&page()) && !page().ListBox5->isVisibleTo(&page()));
        QTest::mouseClick(page().Button5, Qt::LeftButton);
        QVERIFY(!page().ListBox6->isVisibleTo(&page()) && page().ListBox5->isVisibleTo(&page()));
    }

    // After "Retirar algum militar da escala" and "Fim" the keeper sees one "Verificar", where it
    // always is, and one "Desfazer".
    void afterRemovalsOneVerificarInItsPlace()
    {
        m_window->PageControl1->setCurrentWidget(&page());
        QCoreApplication::processEvents();
        const QRect verificarAtStart = page().Button6->geometry();
        verifyTo(QStringLiteral("02/03/04"), 1);
        QCoreApplication::processEvents();
        QCOMPARE(visibleButtons(&page()), QStringList({"Alertas", "Desfazer", "Erros", "Verificar"}));
        QCOMPARE(page().Button6->geometry(), verificarAtStart);
        // Were BPrever the one shown, it would lie on the same spot.
        page().Button6->hide();
        page().BPrever->show();
        QCoreApplication::processEvents();
        QCOMPARE(page().BPrever->mapTo(&page(), QPoint()), page().Button6->mapTo(&page(), QPoint()));
        QCOMPARE(page().BPrever->size(), verificarAtStart.size());
    }

    // A target day before the last rostered day undoes the days after it: asked first, in a box
    // whose default is No, under an ordinary pointer; the work itself under the busy pointer.
    void pastTargetIsAskedFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Sim: the days after the target are undone") << true;
        QTest::newRow("Enter: nothing is written") << false;
    }
    void pastTargetIsAskedFirst()
    {
        QFETCH(bool, yes);
        m_dialogs.reset();
        m_dialogs = std::make_unique<RealYesNoDialogs>();
        verifyTo(QStringLiteral("27/02/04"), 2);
        QVERIFY(page().BEscalar->isVisibleTo(&page()));

        YesNoBox box;
        answerNextBox(yes, box);
        const PointerAtStep pointer("escalas-gravadas");
        QTest::mouseClick(page().BEscalar, Qt::LeftButton);

        QCOMPARE(box.text, PastTargetQuestion(QDate(2004, 2, 27), QDate(2004, 2, 29)));
        QVERIFY(box.text.contains(QStringLiteral("os dias de 28/02/04 a 29/02/04")));
        QVERIFY(box.defaultIsNo);
        QCOMPARE(box.pointer, Qt::ArrowCursor);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(m_dialogs->errors().isEmpty());
        const QList<HistRow> history = storedHistory(m_data->module());
        if (yes) {
            QCOMPARE(pointer.shape, Qt::WaitCursor);
            QCOMPARE(history.size(), 3);
            for (const HistRow& row : history)
                QCOMPARE(row.day, QDate(2004, 2, 27));
            QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("27/02/04"));
            QCOMPARE(page().LUltimaEscala->text(), QStringLiteral("27/02/04"));
            QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Idle);
            QCOMPARE(visibleButtons(&page()), QStringList({"Alertas", "Erros", "Verificar"}));
        } else {
            QCOMPARE(pointer.shape, Qt::BitmapCursor);   // nothing was written
            QCOMPARE(history.size(), 9);
            QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("29/02/04"));
            QCOMPARE(page().LUltimaEscala->text(), QStringLiteral("29/02/04"));
            QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Ready);
            QCOMPARE(visibleButtons(&page()), QStringList({"Alertas", "Desfazer", "Erros", "Escalar"}));
        }
        QCOMPARE(m_dialogs->messages(), QStringList());   // success is told by "Última Escalação"
    }

    // A commit refused because the stored data changed after the verification: the error is
    // shown, the busy pointer is gone, the roster is still ready.
    void refusedCommitLeavesNoBusyPointer()
    {
        verifyTo(QStringLiteral("02/03/04"), 2);
        QSqlQuery(m_data->module().database(Alias::Ravelha))
            .exec(QStringLiteral("UPDATE Sv1 SET Pt = Pt + 1 WHERE Num = '1'"));
        QTest::mouseClick(page().BEscalar, Qt::LeftButton);
        QCOMPARE(m_dialogs->errors().size(), 1);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Ready);
        QCOMPARE(DataFiles::ReadLastRosteredDay(), QStringLiteral("29/02/04"));
    }

    // Escala.Txt cannot be written after the tables were: the commit stands and the keeper is told.
    void unwrittenLastDayFileIsToldAndTheCommitStands()
    {
        verifyTo(QStringLiteral("02/03/04"), 2);
        KillPoints::setActionForTests([this](const QString& step) {
            if (step == QStringLiteral("depois-de-confirmar")) {
                QFile::remove(m_data->file(QStringLiteral("Escala.Txt")));
                QDir(m_data->path()).mkdir(QStringLiteral("Escala.Txt"));
            }
        });
        QTest::mouseClick(page().BEscalar, Qt::LeftButton);
        KillPoints::setActionForTests({});
        QVERIFY(m_dialogs->errors().isEmpty());
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY(m_dialogs->messages().first().contains(QStringLiteral("Escala.Txt")));
        QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Idle);
        QCOMPARE(page().LUltimaEscala->text(), QStringLiteral("02/03/04"));
        QVERIFY(storedHistory(m_data->module()).size() > 9);
    }

    // The greyed target day (a verification waiting) ignores clicks: lists, buttons and removals stay.
    void clickOnTheGreyedTargetDayDoesNothing()
    {
        verifyTo(QStringLiteral("02/03/04"), 1, [](TFForaEscSgte& removal) {
            removal.Edit1->setText(QStringLiteral("8"));
            QTest::mouseClick(removal.Button4, Qt::LeftButton);
        });
        QCOMPARE(RemovalCount(), 1);
        QVERIFY(!page().Edit1->isEnabled());
        QTest::mouseClick(page().Edit1, Qt::LeftButton);
        QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Removing);
        QCOMPARE(RemovalCount(), 1);
        QVERIFY(page().BDesfazer->isVisibleTo(&page()));

        verifyTo(QStringLiteral("02/03/04"), 3);
        const QStringList roster = ItemsOf(page().ListBox2);
        QVERIFY(!roster.isEmpty());
        QTest::mouseClick(page().Edit1, Qt::LeftButton);
        QCOMPARE(ItemsOf(page().ListBox2), roster);
        QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Verified);
        QCOMPARE(RemovalCount(), 1);

        // Once the tab is reset the box is live again, and a click on it resets a refusal.
        QTest::mouseClick(page().BDesfazer, Qt::LeftButton);
        QCOMPARE(RemovalCount(), 0);
        page().Edit1->setText(QStringLiteral("32/03/04"));
        QTest::mouseClick(page().Button6, Qt::LeftButton);
        QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Refused);
        QTest::mouseClick(page().Edit1, Qt::LeftButton);
        QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Idle);
    }

    void enterInTheTargetDayVerifies_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void enterInTheTargetDayVerifies()
    {
        QFETCH(int, key);
        int choices = 0;
        SetModalHook([&](QDialog& window) {
            ++choices;
            QTest::mouseClick(static_cast<TFRetiraAlguem&>(window).RadioButton3, Qt::LeftButton);
            return window.result();
        });
        page().Edit1->setText(QStringLiteral("02/03/04"));
        QTest::keyClick(page().Edit1, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(choices, 1);
        QVERIFY(page().ListBox2->count() > 0);
        QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Verified);
    }

    // The main window's activation reloads the rosters: a waiting verification is thrown away
    // and the keeper is told; without one, nothing is said. An undo by item 10 does the same.
    void reloadDiscardsAWaitingVerification_data()
    {
        QTest::addColumn<int>("choice");   // 0: no verification
        QTest::addColumn<QString>("comeBack");
        QTest::newRow("continuing, back from the lookup") << 3 << "lookup";
        QTest::newRow("removing, back from the manual") << 1 << "manual";
        QTest::newRow("ready, back from the lookup") << 2 << "lookup";
        QTest::newRow("ready, item 10") << 2 << "item 10";
        QTest::newRow("nothing waiting, back from the lookup") << 0 << "lookup";
    }
    void reloadDiscardsAWaitingVerification()
    {
        QFETCH(int, choice);
        QFETCH(QString, comeBack);
        activate(m_window.get());
        if (choice)
            verifyTo(QStringLiteral("02/03/04"), choice, [](TFForaEscSgte& removal) {
                removal.Edit1->setText(QStringLiteral("8"));
                QTest::mouseClick(removal.Button4, Qt::LeftButton);
            });
        if (comeBack == QStringLiteral("item 10")) {
            m_dialogs->inputAnswers << QStringLiteral("01/03/04");
            QTest::mouseClick(m_window->Manutencao->item(QStringLiteral("Label35")), Qt::LeftButton);
        } else {
            if (comeBack == QStringLiteral("lookup")) {
                ShowPersonnelLookup();
                activate(&PersonnelLookup());
            } else {
                OpenManual(QStringLiteral("003"));
                activate(&ManualWindow());
            }
            activate(m_window.get());
        }
        const QStringList discarded{VerificationDiscarded};
        QCOMPARE(ItemsOf(page().ListBox5), choice ? discarded : QStringList());
        QCOMPARE(m_window->AutoRoster->session().state(), RosterState::Idle);
        QCOMPARE(visibleButtons(&page()), QStringList({"Alertas", "Erros", "Verificar"}));
        QVERIFY(page().Edit1->isEnabled());
        QCOMPARE(page().Edit1->text(), choice ? QStringLiteral("02/03/04") : QString());
        QCOMPARE(page().ListBox2->count(), 0);
        QCOMPARE(RemovalCount(), 0);
    }

    // Item 10 from beyond the day after the last rostered day would count unrostered days as
    // rostered: asked first, default No.
    void futureUndoIsAskedFirst_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Sim: the last rostered day moves forward") << true;
        QTest::newRow("Enter: nothing changes") << false;
    }
    void futureUndoIsAskedFirst()
    {
        QFETCH(bool, yes);
        m_dialogs.reset();
        m_dialogs = std::make_unique<RealYesNoDialogs>();
        m_dialogs->inputAnswers << QStringLiteral("05/03/04");
        YesNoBox box;
        answerNextBox(yes, box);
        const PointerAtStep pointer("contagens-devolvidas");
        QTest::mouseClick(m_window->Manutencao->item(QStringLiteral("Label35")), Qt::LeftButton);

        QCOMPARE(box.text, FutureUndoQuestion(QDate(2004, 3, 5), QDate(2004, 2, 29)));
        QVERIFY(box.defaultIsNo);
        QCOMPARE(box.pointer, Qt::ArrowCursor);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(storedHistory(m_data->module()).size(), 9);
        const QString last = yes ? QStringLiteral("04/03/04") : QStringLiteral("29/02/04");
        QCOMPARE(pointer.shape, yes ? Qt::WaitCursor : Qt::BitmapCursor);
        QCOMPARE(DataFiles::ReadLastRosteredDay(), last);
        QCOMPARE(page().LUltimaEscala->text(), last);
        QCOMPARE(m_dialogs->messages().size(), 1);   // the warning before the input box only
        QVERIFY(m_dialogs->errors().isEmpty());
    }
};

QTEST_MAIN(TestAutoRosterTab)
#include "TestAutoRosterTab.moc"
