#include "ManualRosterTab.h"

#include "ManualGridView.h"
#include "ManualRosterPage.h"
#include "common/Controls.h"
#include "common/BusyCursor.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/PrintJob.h"
#include "data/UGlobal.h"
#include "manual/ManualPrintout.h"
#include "manual/SampleGrids.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>

static_assert(ManualRosterPage::CodeColumn == ManualGrid::CodeColumn);

ManualRosterTab::ManualRosterTab(ManualRosterPage* page, QWidget* window)
    : QObject(window), m_page(page), m_window(window)
{
    connect(page->Button10, &QPushButton::clicked, this, &ManualRosterTab::Button10Click);
    connect(page->Button14, &QPushButton::clicked, this, &ManualRosterTab::Edit6Click);
    connect(page->Button11, &QPushButton::clicked, this, &ManualRosterTab::Button11Click);
    connect(page->Button12, &QPushButton::clicked, this, &ManualRosterTab::Button12Click);
    connect(page->BCarregar, &QPushButton::clicked, this, &ManualRosterTab::BCarregarClick);
    connect(page->BCorrigir, &QPushButton::clicked, this, &ManualRosterTab::BCorrigirClick);
    connect(page->SGGradeSv, &QTableWidget::cellClicked, this, &ManualRosterTab::SGGradeSvClick);
    connect(page->Edit7, &QLineEdit::textChanged, this, &ManualRosterTab::Edit7Change);
    // A choice prints when it becomes ticked; clicking a ticked choice prints nothing.
    connect(page->RadioButton5, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton5Click(); });
    connect(page->RadioButton6, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton6Click(); });
    // Enter in "Escalar até" prepares the grid, as "Preparar Grade" does.
    connect(page->Edit6, &QLineEdit::returnPressed, this, [this] {
        if (m_page->Button10->isVisibleTo(m_page))
            Button10Click();
    });
    page->Edit6->installEventFilter(this);
}

bool ManualRosterTab::eventFilter(QObject* watched, QEvent* event)
{
    // A click in "Escalar até" resets the tab, so every new grid starts empty.
    if (watched == m_page->Edit6 && event->type() == QEvent::MouseButtonPress)
        Edit6Click();
    return QObject::eventFilter(watched, event);
}

void ManualRosterTab::Button10Click()
{
    Guarded([this] {
        const ManualPreparation preparation = m_session.prepare(m_page->Edit6->text(), ReadGrid(m_page->SGGradeSv));
        if (!preparation.prepared()) {
            Dialogs::current().message(preparation.refusal);
            return;
        }
        ShowGrid(m_page->SGGradeSv, preparation.grid);
        showButtons();
    });
}

void ManualRosterTab::Edit6Click()
{
    m_session.reset();
    m_page->Edit7->clear();
    m_page->ListBox4->clear();
    EmptyGrid(m_page->SGGradeSv);
    showButtons();
}

void ManualRosterTab::SGGradeSvClick(int row, int column)
{
    if (!IsBodyCell(m_page->SGGradeSv, row, column))
        return;
    const QTableWidgetItem* item = m_page->SGGradeSv->item(row, column);
    m_page->Edit7->setText(item ? item->text() : QString());
    m_page->Edit7->setFocus();
}

void ManualRosterTab::Edit7Change(const QString& text)
{
    QTableWidget* grid = m_page->SGGradeSv;
    const int row = grid->currentRow();
    const int column = grid->currentColumn();
    // Only a body cell takes the text: the days and the names are fixed.
    if (!IsBodyCell(grid, row, column))
        return;
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        grid->setItem(row, column, item);
    }
    if (item->text() != text)
        item->setText(text);
}

void ManualRosterTab::Button11Click()
{
    Guarded([this] {
        untickPrintChoices();
        m_page->ListBox4->clear();
        const ManualVerification verification = m_session.verify(ReadGrid(m_page->SGGradeSv));
        // The "Sem Sv" cells are emptied from the emptiness check on.
        if (verification.stop == ManualVerification::Stop::None || verification.stop == ManualVerification::Stop::Empty)
            ShowGrid(m_page->SGGradeSv, verification.grid);
        m_page->ListBox4->addItems(verification.lines);
        showButtons();
        Dialogs& dialogs = Dialogs::current();
        if (!verification.verifiedOk())
            dialogs.message(verification.stopMessage);
        for (const QString& message : verification.countMessages)
            dialogs.message(message);
    });
}

void ManualRosterTab::Button12Click()
{
    Guarded([this] {
        ManualCommitOutcome outcome;
        {
            BusyCursor busy;
            outcome = m_session.commit(ReadGrid(m_page->SGGradeSv));
        }
        showButtons();
        if (!outcome.done) {
            Dialogs::current().message(outcome.message);
            return;
        }
        m_page->Edit6->clear();
        const QString last = Global().LastRosteredDay;
        m_page->Label53->setText(last);
        emit lastRosteredDayChanged(last);
        // The tables were written but Escala.Txt was not: the commit stands, the keeper is told.
        if (!outcome.notice.isEmpty())
            Dialogs::current().message(outcome.notice);
    });
}

void ManualRosterTab::RadioButton5Click()
{
    print(GridPrintTitle, GridPrintLines(ReadGrid(m_page->SGGradeSv)), true);
}

void ManualRosterTab::RadioButton6Click()
{
    QStringList lines;
    for (int row = 0; row < m_page->ListBox4->count(); ++row)
        lines << m_page->ListBox4->item(row)->text();
    print(MessagesPrintTitle, MessagesPrintLines(lines), false);
}

void ManualRosterTab::print(const QString& title, const QStringList& lines, bool grid)
{
    const LinePrintLayout layout = grid ? GridPrintLayout() : MessagesPrintLayout();
    PrintDocument(m_window, title, [lines, layout](PageDevice& page) {
        PageLines device(page, layout.family, layout.pointSize, layout.step, layout.left, layout.top);
        PrintLines(device, lines);
    });
}

void ManualRosterTab::BCarregarClick()
{
    ManualGrid grid = ReadGrid(m_page->SGGradeSv);
    FillSampleGrid(grid, SampleGrid::Carregar);
    ShowGrid(m_page->SGGradeSv, grid);
}

void ManualRosterTab::BCorrigirClick()
{
    ManualGrid grid = ReadGrid(m_page->SGGradeSv);
    FillSampleGrid(grid, SampleGrid::Corrigir);
    ShowGrid(m_page->SGGradeSv, grid);
}

void ManualRosterTab::untickPrintChoices()
{
    UntickChoices({m_page->RadioButton5, m_page->RadioButton6});
}

void ManualRosterTab::showButtons()
{
    const ManualButtons& shown = m_session.buttons();
    m_page->Button10->setVisible(shown.button10);
    m_page->Button11->setVisible(shown.button11);
    m_page->Button12->setVisible(shown.button12);
    m_page->Button14->setVisible(shown.button14);
    m_page->Edit7->setVisible(shown.edit7);
    m_page->Label57->setVisible(shown.label57);
    m_page->ScrollBox1->setVisible(shown.grid);
    m_page->ListBox4->setVisible(shown.messages);
    m_page->Label55->setVisible(shown.messages);
}
