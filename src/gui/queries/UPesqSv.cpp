#include "UPesqSv.h"

#include "audit/CalendarExport.h"
#include "audit/CsvExport.h"
#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "common/PickingGrid.h"
#include "common/PrintJob.h"
#include "common/ScreenFit.h"
#include "common/SpreadsheetFile.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "manual/UEscolherSv.h"
#include "queries/HistoryGridModel.h"
#include "queries/HistoryPrintout.h"

#include <QDir>
#include <QGroupBox>
#include <QMouseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {


QToolButton* navigatorButton(const QString& name, const QString& text, const QString& hint, QWidget* parent)
{
    auto* button = Named<QToolButton>(name, parent);
    button->setText(text);
    button->setToolTip(hint);
    button->setMinimumWidth(36);
    return button;
}

QWidget* captioned(const QString& caption, QWidget* control, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(caption, box));
    layout->addWidget(control);
    return box;
}

}

TFPesqSv::TFPesqSv(QWidget* parent) : FormWindow(QStringLiteral("009"), parent)
{
    setObjectName(QStringLiteral("FPesqSv"));
    setWindowTitle(QStringLiteral("Pesquisa de Serviços"));

    LTitulo = Named<QLabel>(QStringLiteral("LTitulo"), QStringLiteral("Consultas a Histórico de Serviços"), this);
    QFont title = LTitulo->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() + 4);
    LTitulo->setFont(title);
    LTitulo->setAlignment(Qt::AlignCenter);

    Edit1 = Named<QLineEdit>(QStringLiteral("Edit1"), this);
    Edit2 = Named<QLineEdit>(QStringLiteral("Edit2"), this);
    Edit3 = Named<QLineEdit>(QStringLiteral("Edit3"), this);
    for (QLineEdit* day : {Edit1, Edit2}) {
        day->setToolTip(QStringLiteral("dd/mm/aaaa"));
        day->setMaximumWidth(110);
    }
    Edit3->setMaximumWidth(80);

    auto* kind = Named<QGroupBox>(QStringLiteral("GroupBox1"), QStringLiteral("Escala"), this);
    RadioButton1 = Named<QRadioButton>(QStringLiteral("RadioButton1"), QStringLiteral("Pt"), kind);
    RadioButton2 = Named<QRadioButton>(QStringLiteral("RadioButton2"), QStringLiteral("Vm"), kind);
    RadioButton3 = Named<QRadioButton>(QStringLiteral("RadioButton3"), QStringLiteral("Ambas"), kind);
    RadioButton3->setChecked(true);
    auto* kinds = new QHBoxLayout(kind);
    for (QRadioButton* choice : {RadioButton1, RadioButton2, RadioButton3})
        kinds->addWidget(choice);

    Button3 = Named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Serviços?"), this);
    Button2 = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Pesquisar"), this);
    Button2->setDefault(true);   // Enter in a box runs the search
    Button3->setAutoDefault(false);
    LServicos = Named<QLabel>(QStringLiteral("LServicos"), this);

    m_model = new HistoryGridModel(this);
    DBGPesqSv = new PickingGrid(this);
    DBGPesqSv->setObjectName(QStringLiteral("DBGPesqSv"));
    DBGPesqSv->setModel(m_model);
    DBGPesqSv->setItemDelegate(new CurrentRowTint(DBGPesqSv));
    DBGPesqSv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGPesqSv->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGPesqSv->setSelectionMode(QAbstractItemView::MultiSelection);
    DBGPesqSv->setCornerButtonEnabled(false);
    DBGPesqSv->verticalHeader()->hide();
    DBGPesqSv->verticalHeader()->setDefaultSectionSize(DBGPesqSv->fontMetrics().height() + 6);
    QHeaderView* columns = DBGPesqSv->horizontalHeader();
    columns->setHighlightSections(false);
    const int widths[] = {90, 60, 110, 0, 70};
    for (int c = 0; c < 5; ++c)
        if (widths[c] > 0)
            DBGPesqSv->setColumnWidth(c, widths[c]);
    columns->setSectionResizeMode(3, QHeaderView::Stretch);

    DBNavigator1 = new QWidget(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    nbFirst = navigatorButton(QStringLiteral("nbFirst"), QStringLiteral("|◀"), QStringLiteral("Primeiro"), DBNavigator1);
    nbPrior = navigatorButton(QStringLiteral("nbPrior"), QStringLiteral("◀"), QStringLiteral("Anterior"), DBNavigator1);
    nbNext = navigatorButton(QStringLiteral("nbNext"), QStringLiteral("▶"), QStringLiteral("Próximo"), DBNavigator1);
    nbLast = navigatorButton(QStringLiteral("nbLast"), QStringLiteral("▶|"), QStringLiteral("Último"), DBNavigator1);
    auto* navigator = new QHBoxLayout(DBNavigator1);
    navigator->setContentsMargins(0, 0, 0, 0);
    navigator->setSpacing(2);
    for (QToolButton* button : {nbFirst, nbPrior, nbNext, nbLast})
        navigator->addWidget(button);

    BImprimir = Named<QPushButton>(QStringLiteral("BImprimir"), QStringLiteral("Imprimir"), this);
    BSair = Named<QPushButton>(QStringLiteral("BSair"), QStringLiteral("Sair"), this);
    BExportarIcal = Named<QPushButton>(QStringLiteral("BExportarIcal"), QStringLiteral("Exportar iCal"), this);
    BExportarIcal->setToolTip(QStringLiteral("Grava os serviços do período e do número informados num calendário (.ics)"));
    BExportarCsv = Named<QPushButton>(QStringLiteral("BExportarCsv"), QStringLiteral("Exportar CSV"), this);
    BExportarCsv->setToolTip(QStringLiteral("Grava as linhas da pesquisa numa planilha (.csv)"));
    for (QPushButton* button : {BExportarIcal, BExportarCsv, BImprimir, BSair})
        button->setAutoDefault(false);

    auto* inputs = new QHBoxLayout;
    inputs->addWidget(captioned(QStringLiteral("Data Início"), Edit1, this));
    inputs->addWidget(captioned(QStringLiteral("Data Fim"), Edit2, this));
    inputs->addWidget(captioned(QStringLiteral("Número "), Edit3, this));
    inputs->addWidget(kind);
    inputs->addStretch(1);
    auto* search = new QVBoxLayout;
    search->addWidget(Button3);
    search->addWidget(Button2);
    inputs->addLayout(search);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DBNavigator1);
    bottom->addStretch(1);
    bottom->addWidget(BExportarIcal);
    bottom->addWidget(BExportarCsv);
    bottom->addWidget(BImprimir);
    bottom->addWidget(BSair);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LTitulo);
    layout->addLayout(inputs);
    layout->addWidget(LServicos);
    layout->addWidget(DBGPesqSv, 1);
    layout->addLayout(bottom);
    resize(FittingSize(QSize(780, 580), parent));

    connect(Edit1, &QLineEdit::textChanged, this, &TFPesqSv::Edit1Change);
    connect(Button3, &QPushButton::clicked, this, &TFPesqSv::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TFPesqSv::Button2Click);
    connect(BImprimir, &QPushButton::clicked, this, &TFPesqSv::BImprimirClick);
    connect(BExportarIcal, &QPushButton::clicked, this, &TFPesqSv::BExportarIcalClick);
    connect(BExportarCsv, &QPushButton::clicked, this, &TFPesqSv::BExportarCsvClick);
    connect(BSair, &QPushButton::clicked, this, &TFPesqSv::BSairClick);
    connect(nbFirst, &QToolButton::clicked, this, [this] { moveTo(0); });
    connect(nbPrior, &QToolButton::clicked, this, [this] { moveTo(DBGPesqSv->currentIndex().row() - 1); });
    connect(nbNext, &QToolButton::clicked, this, [this] { moveTo(DBGPesqSv->currentIndex().row() + 1); });
    connect(nbLast, &QToolButton::clicked, this, [this] { moveTo(m_model->rowCount() - 1); });
    connect(DBGPesqSv->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        showNavigator();
        DBGPesqSv->viewport()->update();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { moveTo(0); });
    offerPersonnelLookup();
    showChosenServices();
}

QList<int> TFPesqSv::pickedRows() const
{
    QList<int> rows;
    for (const QModelIndex& row : DBGPesqSv->selectionModel()->selectedRows())
        rows << row.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TFPesqSv::FormActivate()
{
    Guarded([this] {
        BusyCursor busy;
        m_model->setRows(SearchHistory(HistSearch{}));
    });
}

void TFPesqSv::Edit1Change()
{
    Edit2->setText(Edit1->text());
}

void TFPesqSv::Button3Click()
{
    Guarded([this] {
        LoadServices();
        ChooseServices(this);
        m_services = ChosenServices();
        showChosenServices();
    });
}

void TFPesqSv::Button2Click()
{
    Guarded([this] {
        const HistorySearchPlan plan =
            PlanHistorySearch({Edit1->text(), Edit2->text(), Edit3->text(), m_services, chosenKind()});
        if (!plan.refusal.isEmpty()) {
            Dialogs::current().message(plan.refusal);
            QLineEdit* field = plan.field == HistoryField::FirstDay ? Edit1
                               : plan.field == HistoryField::LastDay ? Edit2
                                                                     : Edit3;
            field->setFocus();
            field->selectAll();
            return;
        }
        {
            BusyCursor busy;
            m_model->setRows(SearchHistory(plan.search));
        }
        m_searched = {Dates::show(plan.search.from), Dates::show(plan.search.to), plan.search.soldier,
                      plan.search.codes, plan.search.kind};
        resetInputs();
        // An empty grid is told apart from a search that did not run.
        if (m_model->rows().isEmpty())
            Dialogs::current().message(HistoryNothingFound);
    });
}

void TFPesqSv::BImprimirClick()
{
    Guarded([this] {
        Dialogs::current().message(HistoryPrintNotice);
        const QStringList lines = HistoryPrintLines(m_model->rows(), pickedRows());
        moveTo(0);
        const LinePrintLayout layout = HistoryPrintLayout();
        PrintDocument(this, HistoryPrintTitle, [lines, layout](PageDevice& page) {
            PageLines device(page, layout.family, layout.pointSize, layout.step, layout.left, layout.top);
            PrintLines(device, lines);
        });
    });
}

void TFPesqSv::BExportarIcalClick()
{
    Guarded([this] {
        const QString file = Dialogs::current().saveFileName(QStringLiteral("Exportar para calendário"),
                                                             QStringLiteral("servicos.ics"),
                                                             QStringLiteral("Calendário iCalendar (*.ics)"));
        if (file.isEmpty())
            return;
        int events = 0;
        {
            BusyCursor busy;
            // Typed boxes rule, with the services and kind of days chosen beside them; empty ones (a
            // search clears them) stand for the last search, so the calendar holds what the grid shows.
            const bool typed = !Edit1->text().trimmed().isEmpty() || !Edit2->text().trimmed().isEmpty()
                               || !Edit3->text().trimmed().isEmpty();
            events = typed ? ExportCalendar({Edit1->text(), Edit2->text(), Edit3->text(), m_services, chosenKind()},
                                            file)
                           : ExportCalendar(m_searched, file);
        }
        Dialogs::current().message(QStringLiteral("%1 serviço(s) gravado(s) no calendário %2")
                                       .arg(events)
                                       .arg(QDir::toNativeSeparators(file)));
    });
}

void TFPesqSv::BExportarCsvClick()
{
    Guarded([this] {
        const QString file = AskSpreadsheetFile(QStringLiteral("pesquisa.csv"));
        if (file.isEmpty())
            return;
        Csv::Write(file, Csv::HistoryTable(m_model->rows()));
        Dialogs::current().message(QStringLiteral("%1 linha(s) da pesquisa gravada(s) em %2")
                                       .arg(m_model->rowCount())
                                       .arg(QDir::toNativeSeparators(file)));
    });
}

void TFPesqSv::BSairClick()
{
    close();
}

void TFPesqSv::moveTo(int row)
{
    const int rows = m_model->rowCount();
    if (rows > 0) {
        const QModelIndex index = m_model->index(std::clamp(row, 0, rows - 1), 0);
        DBGPesqSv->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        DBGPesqSv->scrollTo(index);
    }
    showNavigator();
}

QString TFPesqSv::chosenKind() const
{
    if (RadioButton1->isChecked())
        return QStringLiteral("Pt");
    if (RadioButton2->isChecked())
        return QStringLiteral("Vm");
    return QString();
}

void TFPesqSv::resetInputs()
{
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    m_services.clear();
    RadioButton3->setChecked(true);
    showChosenServices();
}

void TFPesqSv::showNavigator()
{
    const int row = DBGPesqSv->currentIndex().row();
    const int last = m_model->rowCount() - 1;
    nbFirst->setEnabled(row > 0);
    nbPrior->setEnabled(row > 0);
    nbNext->setEnabled(row >= 0 && row < last);
    nbLast->setEnabled(row >= 0 && row < last);
}

void TFPesqSv::showChosenServices()
{
    QStringList codes;
    for (int code : m_services)
        codes << QString::number(code);
    LServicos->setText(codes.isEmpty() ? QStringLiteral("Serviços: todos")
                                       : QStringLiteral("Serviços: ") + codes.join(QLatin1Char(',')));
}

void OpenHistorySearch(QWidget* parent)
{
    TFPesqSv window(parent);
    ShowModal(window);
}
