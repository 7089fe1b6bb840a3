#include "SwapTab.h"

#include "SwapPage.h"
#include "common/BusyCursor.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "data/Clock.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "manual/ServiceEntries.h"
#include "manual/SwapCandidates.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

void FillServiceList(QComboBox* list)
{
    list->clear();
    list->addItems(ServiceEntries());
    list->setCurrentIndex(-1);
}

SwapTab::SwapTab(SwapPage* page, QListWidget* alerts, QWidget* window)
    : QObject(window), m_page(page), m_alerts(alerts)
{
    connect(page->Button7, &QPushButton::clicked, this, &SwapTab::Button7Click);
    connect(page->Button8, &QPushButton::clicked, this, &SwapTab::Button8Click);
    connect(page->Button9, &QPushButton::clicked, this, &SwapTab::Button9Click);
    connect(page->ComboBox1, &QComboBox::activated, this, &SwapTab::ComboBox1Click);
    connect(page->ComboBox2, &QComboBox::activated, this, &SwapTab::ComboBox2Click);
    page->Edit2->installEventFilter(this);
}

bool SwapTab::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_page->Edit2 && event->type() == QEvent::MouseButtonPress)
        Edit2Click();
    return QObject::eventFilter(watched, event);
}

void SwapTab::Label32Click()
{
    m_page->showCandidateSearch();
    Guarded([this] {
        LoadServices();
        FillServiceList(m_page->ComboBox1);
        m_page->Edit2->setText(Dates::show(Clock::today()));
    });
}

void SwapTab::ComboBox1Click()
{
    m_page->ListBox3->clear();
}

void SwapTab::Edit2Click()
{
    m_page->ListBox3->clear();
}

void SwapTab::Button8Click()
{
    m_page->ListBox3->clear();
}

void SwapTab::Button7Click()
{
    Guarded([this] {
        const CandidateList list =
            ListCandidates(m_page->Edit2->text(), ServiceCodeOfEntry(m_page->ComboBox1->currentText()));
        if (!list.refusal.isEmpty()) {
            Dialogs::current().message(list.refusal);
            return;
        }
        // Each "Listar" adds below the lines already there, until the keeper empties the list.
        m_page->ListBox3->addItems(list.candidates);
        m_alerts->addItems(list.alerts);
    });
}

void SwapTab::Label45Click()
{
    m_page->showSwap();
    m_page->Edit3->setFocus();
    Guarded([this] {
        LoadServices();
        FillServiceList(m_page->ComboBox2);
        m_page->Edit5->setText(Dates::show(Clock::today()));
    });
}

bool SwapTab::someoneIsNobody() const
{
    const QString nobody = QStringLiteral("0");
    return m_page->Edit3->text().trimmed() == nobody || m_page->Edit4->text().trimmed() == nobody;
}

void SwapTab::ComboBox2Click()
{
    // The choice means something only when both a soldier leaves and one enters.
    if (someoneIsNobody()) {
        showChoice(false);
        untickChoices();
    } else {
        showChoice(true);
    }
}

SwapRequest SwapTab::request() const
{
    SwapChoice choice = SwapChoice::None;
    if (m_page->RadioButton1->isChecked())
        choice = SwapChoice::B;
    else if (m_page->RadioButton2->isChecked())
        choice = SwapChoice::AandB;
    return SwapRequest{m_page->Edit3->text(), m_page->Edit4->text(), m_page->Edit5->text(),
                       ServiceCodeOfEntry(m_page->ComboBox2->currentText()), choice};
}

void SwapTab::Button9Click()
{
    Guarded([this] {
        SwapOutcome outcome;
        {
            BusyCursor busy;
            // The keeper reads what will change and answers; the question's default is Yes.
            outcome = SwapService(request(), AskYesByDefault);
        }
        if (!outcome.refusal.isEmpty()) {
            // A refusal for want of a choice must leave the choice where the keeper can tick it.
            if (!someoneIsNobody())
                showChoice(true);
            Dialogs::current().message(outcome.refusal);
            return;
        }
        if (!outcome.done)
            return;
        m_page->Edit3->clear();
        m_page->Edit4->clear();
        m_page->Edit5->clear();
        FillServiceList(m_page->ComboBox2);
        showChoice(true);
    });
}

void SwapTab::showChoice(bool shown)
{
    m_page->Label50->setVisible(shown);
    m_page->GroupBox1->setVisible(shown);
}

void SwapTab::untickChoices()
{
    for (QRadioButton* choice : {m_page->RadioButton1, m_page->RadioButton2}) {
        choice->setAutoExclusive(false);
        choice->setChecked(false);
        choice->setAutoExclusive(true);
    }
}
