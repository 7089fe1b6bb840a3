#include "AutoRosterTab.h"

#include "AutoRosterPage.h"
#include "UForaEscSgte.h"
#include "URetiraAlguem.h"
#include "UPorQue.h"
#include "audit/CsvExport.h"
#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/SpreadsheetFile.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "rostering/Decisions.h"
#include "rostering/RosterPrintout.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

AutoRosterTab::AutoRosterTab(AutoRosterPage* page, QWidget* window)
    : QObject(window), m_page(page), m_window(window)
{
    connect(page->Button6, &QPushButton::clicked, this, &AutoRosterTab::Button6Click);
    connect(page->BPrever, &QPushButton::clicked, this, &AutoRosterTab::BPreverClick);
    connect(page->BEscalar, &QPushButton::clicked, this, &AutoRosterTab::BEscalarClick);
    connect(page->BDesfazer, &QPushButton::clicked, this, &AutoRosterTab::Edit1Click);
    connect(page->Button5, &QPushButton::clicked, this, &AutoRosterTab::Button5Click);
    connect(page->Button13, &QPushButton::clicked, this, &AutoRosterTab::Button13Click);
    connect(page->BExportarCsv, &QPushButton::clicked, this, &AutoRosterTab::BExportarCsvClick);
    connect(page->ListBox2, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { ListBox2DblClick(m_page->ListBox2->row(item)); });
    connect(page->APorQue, &QAction::triggered, this, [this] { ListBox2DblClick(m_page->ListBox2->currentRow()); });
    // A choice prints when it becomes ticked; clicking a ticked choice prints nothing.
    connect(page->RadioButton3, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton3Click(); });
    connect(page->RadioButton4, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton4Click(); });
    connect(page->RadioButton7, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton7Click(); });
    // Enter (Return or the keypad's Enter) in the target day runs "Verificar".
    connect(page->Edit1, &QLineEdit::returnPressed, this, [this] {
        if (m_page->Button6->isVisibleTo(m_page))
            Button6Click();
    });
    page->Edit1->installEventFilter(this);
}

bool AutoRosterTab::eventFilter(QObject* watched, QEvent* event)
{
    // A click on the greyed target day (a verification is waiting) does nothing: "Desfazer" is
    // the way to throw a verification away.
    if (watched == m_page->Edit1 && event->type() == QEvent::MouseButtonPress && m_page->Edit1->isEnabled())
        Edit1Click();
    return QObject::eventFilter(watched, event);
}

void AutoRosterTab::Button6Click()
{
    verify();
}

void AutoRosterTab::BPreverClick()
{
    verify();
}

void AutoRosterTab::verify()
{
    Guarded([this] {
        untickPrintChoices();
        m_page->ListBox2->clear();
        m_page->ListBox5->clear();
        const bool computed = m_session.verify(m_page->Edit1->text());
        showSession();
        if (!computed) {
            Dialogs::current().message(m_session.refusal());
            return;
        }
        chooseAfterComputation();
    });
}

void AutoRosterTab::chooseAfterComputation()
{
    TFRetiraAlguem choice(m_window);
    connect(&choice, &TFRetiraAlguem::removalRequested, &choice, [this, &choice] {
        TFForaEscSgte removal(m_session.spanDays(), &choice);
        ShowModal(removal);
    });
    ShowModal(choice);
    switch (choice.choice()) {
    case TFRetiraAlguem::Choice::Remove:
        m_session.chooseRemoval();
        break;
    case TFRetiraAlguem::Choice::Ready:
        m_session.chooseReady();
        break;
    default:
        m_session.chooseContinue();
        break;
    }
    // However the choice window closes, the selection marks are those of the verification.
    m_session.restoreMarks();
    showSession();
}

void AutoRosterTab::Edit1Click()
{
    m_session.reset();
    showSession();
    m_page->Edit1->setFocus();
}

void AutoRosterTab::discardWaitingVerification()
{
    const RosterState state = m_session.state();
    if (state != RosterState::Verified && state != RosterState::Removing && state != RosterState::Ready)
        return;
    m_session.reset();
    showSession();
    m_page->ListBox5->addItem(VerificationDiscarded);
}

void AutoRosterTab::BEscalarClick()
{
    Guarded([this] {
        CommitOutcome outcome;
        {
            BusyCursor busy;
            // A target day before the last rostered day undoes days: the keeper is asked first.
            outcome = m_session.commit(AskBeforeLoss);
        }
        if (outcome.done) {
            m_page->Edit1->clear();
            const QString last = Global().LastRosteredDay;
            m_page->LUltimaEscala->setText(last);
            emit lastRosteredDayChanged(last);
        }
        // The tables were written but Escala.Txt was not: the commit stands, the keeper is told.
        if (!outcome.notice.isEmpty())
            Dialogs::current().message(outcome.notice);
    });
    showSession();
}

void AutoRosterTab::Button5Click()
{
    m_page->ListBox6->hide();
    m_page->ListBox5->show();
}

void AutoRosterTab::Button13Click()
{
    m_page->ListBox5->hide();
    m_page->ListBox6->show();
}

namespace {
QStringList linesOf(const QListWidget* list)
{
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}
}

void AutoRosterTab::BExportarCsvClick()
{
    Guarded([this] {
        if (m_session.rosterLines().isEmpty() || m_session.lastRun().refused) {
            Dialogs::current().message(QStringLiteral("Não há escala na lista: verifique a escala antes de exportar."));
            return;
        }
        const QString file = AskSpreadsheetFile(QStringLiteral("escala.csv"));
        if (file.isEmpty())
            return;
        Csv::Write(file, Csv::RosterTable(m_session.lastRun()));
        Dialogs::current().message(QStringLiteral("Escala gravada em %1").arg(QDir::toNativeSeparators(file)));
    });
}

void AutoRosterTab::ListBox2DblClick(int row)
{
    Guarded([this, row] {
        const std::optional<ListedService> place = ListedServiceAt(m_session.rosterLines(), row);
        if (!place)
            return;
        Explanation explanation;
        {
            BusyCursor busy;
            explanation = ExplainDecisions(m_session.lastRun(), place->day, place->code);
        }
        if (explanation.refused) {
            Dialogs::current().message(explanation.refusal);
            return;
        }
        TFPorQue window(explanation.title, explanation.lines, m_window);
        ShowModal(window);
    });
}

void AutoRosterTab::RadioButton3Click()
{
    print(linesOf(m_page->ListBox2), int(RosterPrint::Escala));
}

void AutoRosterTab::RadioButton4Click()
{
    print(linesOf(m_page->ListBox5), int(RosterPrint::Erros));
}

void AutoRosterTab::RadioButton7Click()
{
    print(linesOf(m_page->ListBox6), int(RosterPrint::Alertas));
}

void AutoRosterTab::print(const QStringList& lines, int which)
{
    const auto kind = RosterPrint(which);
    PrintDocument(m_window, RosterPrintTitle(kind), [lines, kind](PageDevice& page) {
        PrintRosterList(page, kind, lines);
    });
}

void AutoRosterTab::untickPrintChoices()
{
    UntickChoices({m_page->RadioButton3, m_page->RadioButton4});
}

void AutoRosterTab::showSession()
{
    const RosterButtons buttons = m_session.buttons();
    // Button6 lies over BPrever: where both would show, the keeper sees Button6 alone.
    m_page->Button6->setVisible(buttons.button6);
    m_page->BPrever->setVisible(buttons.bPrever && !buttons.button6);
    m_page->VerificarPlace->setVisible(buttons.button6 || buttons.bPrever);   // no gap when neither shows
    m_page->BEscalar->setVisible(buttons.bEscalar);
    m_page->BDesfazer->setVisible(buttons.bDesfazer);
    m_page->Edit1->setEnabled(buttons.edit1Enabled);

    m_page->ListBox2->clear();
    m_page->ListBox2->addItems(m_session.rosterLines());
    // "Exportar CSV" shows while the list holds a computed roster.
    m_page->BExportarCsv->setVisible(!m_session.rosterLines().isEmpty() && !m_session.lastRun().refused);
    m_page->ListBox5->clear();
    m_page->ListBox5->addItems(m_session.messageLines());
    m_page->ListBox6->clear();
    m_page->ListBox6->addItems(m_session.alertLines());
}
