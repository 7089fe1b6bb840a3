#include "USemExped.h"

#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "data/DataFiles.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "rostering/Calendar.h"

#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QPlainTextEdit* helpText(const QString& name, const QStringList& lines, QWidget* parent)
{
    auto* memo = Named<QPlainTextEdit>(name, parent);
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setStyleSheet(QStringLiteral("background: transparent;"));
    return memo;
}
}

TFSemExped::TFSemExped(QWidget* parent) : FormWindow(QStringLiteral("017"), parent)
{
    setObjectName(QStringLiteral("FSemExped"));
    setWindowTitle(QStringLiteral("Escala Vermelha"));
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);

    Panel1 = Named<QFrame>(QStringLiteral("Panel1"), this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Panel1->setToolTip(QStringLiteral("Ao cadastar, todas as Folgas serão apagadas "));
    Memo1 = helpText(QStringLiteral("Memo1"),
                     {"  - Inclusão automá-", "tica de  Sábados  e", "Domingos.", "", "  - Os   demais   dias",
                      "de Escala  Vermelha", "(feriados  e dias sem", "expediente) deverão", "ser incluídos usando",
                      "o painel ao lado.", ""},
                     Panel1);
    Memo1->setMinimumHeight(190);
    Edit2 = Named<QLineEdit>(QStringLiteral("Edit2"), Panel1);
    Edit2->setEnabled(false);
    Edit1 = Named<QLineEdit>(QStringLiteral("Edit1"), Panel1);
    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Incluir Automático"), Panel1);
    auto* automatic = new QGridLayout(Panel1);
    automatic->addWidget(Memo1, 0, 0, 1, 2);
    automatic->addWidget(Named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Dia Inicial"), Panel1), 1, 0);
    automatic->addWidget(Edit2, 1, 1);
    automatic->addWidget(Named<QLabel>(QStringLiteral("Label3"), QStringLiteral("Dia Final"), Panel1), 2, 0);
    automatic->addWidget(Edit1, 2, 1);
    automatic->addWidget(Button1, 3, 0, 1, 2);

    Memo2 = helpText(QStringLiteral("Memo2"),
                     {"   - Inclusão / Exclusão Manual de dias de ", " Escala  Vermelha  ( feriados  e dias  sem ",
                      " expediente) "},
                     this);
    Memo2->setMaximumHeight(70);
    RadioButton1 = Named<QRadioButton>(QStringLiteral("RadioButton1"), QStringLiteral("Incluir dia  na Escala Vermelha"), this);
    RadioButton2 = Named<QRadioButton>(QStringLiteral("RadioButton2"), QStringLiteral("Excluir dia da Escala Vermelha"), this);
    RadioButton3 = Named<QRadioButton>(QStringLiteral("RadioButton3"), QStringLiteral("Listar dias de Escala Vermelha"), this);
    Label2 = Named<QLabel>(QStringLiteral("Label2"), QStringLiteral("Feriados"), this);
    StringGrid1 = Named<QTableWidget>(QStringLiteral("StringGrid1"), this);
    StringGrid1->setColumnCount(1);
    StringGrid1->setRowCount(20);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    ListBox1 = Named<QListWidget>(QStringLiteral("ListBox1"), this);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Button3 = Named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Incluir"), this);
    Button4 = Named<QPushButton>(QStringLiteral("Button4"), QStringLiteral("Excluir"), this);
    Button2 = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Sair"), this);

    auto* manual = new QGridLayout;
    manual->addWidget(Memo2, 0, 0, 1, 2);
    manual->addWidget(RadioButton1, 1, 0, 1, 2);
    manual->addWidget(RadioButton2, 2, 0, 1, 2);
    manual->addWidget(RadioButton3, 3, 0, 1, 2);
    manual->addWidget(Label2, 4, 0);
    manual->addWidget(StringGrid1, 5, 0);
    manual->addWidget(ListBox1, 5, 0);
    auto* actions = new QVBoxLayout;
    actions->addWidget(Button3);
    actions->addWidget(Button4);
    actions->addStretch();
    manual->addLayout(actions, 5, 1);
    manual->setRowStretch(5, 1);

    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(Panel1);
    left->addStretch();
    left->addWidget(Button2);
    layout->addLayout(left);
    layout->addSpacing(16);
    layout->addLayout(manual, 1);
    resize(640, 520);

    connect(Button1, &QPushButton::clicked, this, &TFSemExped::Button1Click);
    connect(RadioButton1, &QRadioButton::clicked, this, &TFSemExped::RadioButton1Click);
    connect(Button3, &QPushButton::clicked, this, &TFSemExped::Button3Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TFSemExped::RadioButton2Click);
    connect(Button4, &QPushButton::clicked, this, &TFSemExped::Button4Click);
    connect(RadioButton3, &QRadioButton::clicked, this, &TFSemExped::RadioButton3Click);
    connect(Button2, &QPushButton::clicked, this, &TFSemExped::Button2Click);
}

void TFSemExped::FormActivate()
{
    m_newPeriod = QStringLiteral("N");
    Button4->hide();
    Button3->hide();
    StringGrid1->hide();
    ListBox1->hide();
    Label2->hide();
    Guarded([this] {
        Edit2->setText(lastRosteredText);
        Edit1->setText(Dates::show(DataFiles::ReadPreparationPeriod().last));
    });
}

void TFSemExped::Button1Click()
{
    Guarded([this] {
        const auto last = Dates::parse(Global().LastRosteredDay);
        const RedDayCalendar::Outcome outcome =
            RedDayCalendar::IncludeWeekends(Edit1->text(), Edit2->text(), last.value_or(QDate()));
        if (!outcome.done()) {
            Dialogs::current().message(outcome.message);
            return;
        }
        showNotice(outcome);
        ListBox1->hide();
        StringGrid1->hide();
        Label2->hide();
        Button3->hide();
        Button4->hide();
        m_newPeriod = QStringLiteral("S");
    });
}

void TFSemExped::RadioButton1Click()
{
    Button3->show();
    Label2->show();
    StringGrid1->show();
    ListBox1->hide();
    Button4->hide();
}

void TFSemExped::Button3Click()
{
    Guarded([this] {
        QStringList cells;
        for (int row = 0; row < StringGrid1->rowCount(); ++row) {
            const QTableWidgetItem* item = StringGrid1->item(row, 0);
            cells << (item ? item->text() : QString());
        }
        const std::optional<QDate> initialDay = shownLastRosteredDay();
        if (!initialDay)
            return;
        const RedDayCalendar::Outcome outcome = RedDayCalendar::IncludeDays(cells, *initialDay);
        if (!outcome.done()) {
            Dialogs::current().message(outcome.message);
            return;
        }
        showNotice(outcome);
        StringGrid1->clearContents();
        StringGrid1->hide();
        Label2->hide();
        Button3->hide();
        m_newPeriod = QStringLiteral("N");
    });
}

void TFSemExped::RadioButton2Click()
{
    Button4->show();
    Button3->hide();
    StringGrid1->hide();
    Label2->hide();
    fillList();
}

void TFSemExped::Button4Click()
{
    Guarded([this] {
        QStringList chosen;
        for (const QListWidgetItem* item : ListBox1->selectedItems())
            chosen << item->text();
        const std::optional<QDate> initialDay = shownLastRosteredDay();
        if (!initialDay)
            return;
        const RedDayCalendar::Outcome outcome = RedDayCalendar::ExcludeDays(chosen, *initialDay);
        if (!outcome.done()) {
            Dialogs::current().message(outcome.message);
            return;
        }
        showNotice(outcome);
        fillList();
    });
}

void TFSemExped::RadioButton3Click()
{
    Button4->hide();
    Button3->hide();
    StringGrid1->hide();
    Label2->hide();
    fillList();
}

std::optional<QDate> TFSemExped::shownLastRosteredDay()
{
    // The days 30 days before it leave the calendar: a "Dia Inicial" that is no date (a bad
    // Escala.Txt) stops the edit, as it stops "Incluir Automático", instead of keeping them all.
    const std::optional<QDate> day = Dates::parse(Edit2->text());
    if (!day)
        Dialogs::current().message(Dates::invalidDateMessage(Edit2->text()));
    return day;
}

void TFSemExped::showNotice(const RedDayCalendar::Outcome& outcome)
{
    if (!outcome.notice.isEmpty())
        Dialogs::current().message(outcome.notice);
}

void TFSemExped::fillList()
{
    ListBox1->show();
    ListBox1->clear();
    Guarded([this] { ListBox1->addItems(RedDayCalendar::ListDays()); });
}

void TFSemExped::Button2Click()
{
    if (m_newPeriod != QStringLiteral("S")) {
        accept();
        return;
    }
    if (!Dialogs::current().question(RedDayCalendar::NewPeriodQuestion(Edit2->text(), Edit1->text())))
        accept();
}

void TFSemExped::reject()
{
}

void OpenRedDayCalendar(QWidget* parent, const QString& lastRosteredText)
{
    TFSemExped window(parent);
    window.lastRosteredText = lastRosteredText;
    ShowModal(window);
}
