#include "UQuadroSv.h"

#include "SummaryGrid.h"
#include "audit/CsvExport.h"
#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/ScreenFit.h"
#include "common/SpreadsheetFile.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/UListaNumNomes.h"
#include "manual/UEscolherSv.h"
#include "queries/ServicesPerSoldierPrintout.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("Quadro dos Serviços");
}

TFQuadroSv::TFQuadroSv(QWidget* parent) : FormWindow(QStringLiteral("015"), parent)
{
    setObjectName(QStringLiteral("FQuadroSv"));
    setWindowTitle(Caption);

    auto* Label1 = Named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Serviços por Militar"), this);
    auto* Label2 = Named<QLabel>(QStringLiteral("Label2"), QStringLiteral("(Quadro Resumo)"), this);
    QFont title = Label1->font();
    title.setPointSizeF(title.pointSizeF() + 4);
    title.setBold(true);
    Label1->setFont(title);

    auto* GroupBox1 = Named<QGroupBox>(QStringLiteral("GroupBox1"), this);
    GroupBox1->setTitle(QStringLiteral("Período"));
    Edit1 = Named<QLineEdit>(QStringLiteral("Edit1"), GroupBox1);
    Edit2 = Named<QLineEdit>(QStringLiteral("Edit2"), GroupBox1);
    for (QLineEdit* day : {Edit1, Edit2})
        day->setMaximumWidth(100);
    auto* period = new QHBoxLayout(GroupBox1);
    period->addWidget(Named<QLabel>(QStringLiteral("Label3"), QStringLiteral("De:"), GroupBox1));
    period->addWidget(Edit1);
    period->addSpacing(8);
    period->addWidget(Named<QLabel>(QStringLiteral("Label4"), QStringLiteral("Até:"), GroupBox1));
    period->addWidget(Edit2);

    auto* GroupBox2 = Named<QGroupBox>(QStringLiteral("GroupBox2"), this);
    GroupBox2->setTitle(QStringLiteral("Escala"));
    RadioButton1 = Named<QRadioButton>(QStringLiteral("RadioButton1"), QStringLiteral("Preta"), GroupBox2);
    RadioButton2 = Named<QRadioButton>(QStringLiteral("RadioButton2"), QStringLiteral("Vermelha"), GroupBox2);
    RadioButton3 = Named<QRadioButton>(QStringLiteral("RadioButton3"), QStringLiteral("Ambas"), GroupBox2);
    RadioButton3->setChecked(true);
    auto* kind = new QHBoxLayout(GroupBox2);
    for (QRadioButton* choice : {RadioButton1, RadioButton2, RadioButton3})
        kind->addWidget(choice);

    BExecutar = Named<QPushButton>(QStringLiteral("BExecutar"), QStringLiteral("Pesquisar"), this);
    BExecutar->setDefault(true);   // Enter in a period box searches
    Button4 = Named<QPushButton>(QStringLiteral("Button4"), QStringLiteral("Voltar Pesquisa"), this);

    auto* GroupBox3 = Named<QGroupBox>(QStringLiteral("GroupBox3"), this);
    GroupBox3->setTitle(QStringLiteral("Separar por"));
    Panel1 = Named<QFrame>(QStringLiteral("Panel1"), GroupBox3);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setCursor(Qt::PointingHandCursor);
    Label5 = Named<QLabel>(QStringLiteral("Label5"), QStringLiteral("Número, Nome ou Posto"), Panel1);
    auto* panel = new QHBoxLayout(Panel1);
    panel->setContentsMargins(10, 4, 10, 4);
    panel->addWidget(Label5);
    Button6 = Named<QPushButton>(QStringLiteral("Button6"), QStringLiteral("Serviços"), GroupBox3);
    auto* narrowing = new QHBoxLayout(GroupBox3);
    narrowing->addWidget(Panel1);
    narrowing->addWidget(Button6);

    Button2 = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Imprimir"), this);
    Button3 = Named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Sair"), this);
    BExportarCsv = Named<QPushButton>(QStringLiteral("BExportarCsv"), QStringLiteral("Exportar CSV"), this);
    BExportarCsv->setToolTip(QStringLiteral("Grava o quadro como está na tela numa planilha (.csv)"));
    for (QPushButton* button : {Button4, Button6, Button2, BExportarCsv, Button3})
        button->setAutoDefault(false);

    SGQuadroSv = NewSummaryGrid(QStringLiteral("SGQuadroSv"), this);
    SGQuadroSvAux = NewSummaryGrid(QStringLiteral("SGQuadroSvAux"), this);
    SGQuadroSvAux->hide();
    LCabecalho = Named<QLabel>(QStringLiteral("LCabecalho"), this);
    LCabecalho->setStyleSheet(QStringLiteral("background: #ffffe0; border: 1px solid #808080; padding: 1px 4px;"));
    LCabecalho->hide();

    auto* titles = new QHBoxLayout;
    titles->addWidget(Label1);
    titles->addSpacing(12);
    titles->addWidget(Label2, 0, Qt::AlignBottom);
    titles->addStretch();

    auto* search = new QHBoxLayout;
    search->addWidget(GroupBox1);
    search->addWidget(GroupBox2);
    search->addWidget(BExecutar, 0, Qt::AlignBottom);
    search->addStretch();

    auto* actions = new QHBoxLayout;
    actions->addWidget(GroupBox3);
    actions->addWidget(Button4, 0, Qt::AlignBottom);
    actions->addStretch();
    actions->addWidget(BExportarCsv, 0, Qt::AlignBottom);
    actions->addWidget(Button2, 0, Qt::AlignBottom);
    actions->addWidget(Button3, 0, Qt::AlignBottom);

    auto* grids = new QGridLayout;   // both grids in one place, one of them shown
    grids->addWidget(SGQuadroSv, 0, 0);
    grids->addWidget(SGQuadroSvAux, 0, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titles);
    layout->addLayout(search);
    layout->addLayout(actions);
    layout->addLayout(grids, 1);
    resize(FittingSize(QSize(960, 660), parent));

    connect(Edit1, &QLineEdit::textChanged, this, &TFQuadroSv::Edit1Change);
    for (QLineEdit* day : {Edit1, Edit2}) {
        day->installEventFilter(this);
        connect(day, &QLineEdit::textEdited, this, &TFQuadroSv::EnablePesquisar);
    }
    for (QRadioButton* choice : {RadioButton1, RadioButton2, RadioButton3})
        connect(choice, &QRadioButton::clicked, this, &TFQuadroSv::EnablePesquisar);
    connect(BExecutar, &QPushButton::clicked, this, &TFQuadroSv::BExecutarClick);
    // A click on Label5 comes on to Panel1, which the label leaves the mouse to.
    Panel1->installEventFilter(this);
    connect(Button6, &QPushButton::clicked, this, &TFQuadroSv::Button6Click);
    connect(Button4, &QPushButton::clicked, this, &TFQuadroSv::Button4Click);
    connect(Button2, &QPushButton::clicked, this, &TFQuadroSv::Button2Click);
    connect(BExportarCsv, &QPushButton::clicked, this, &TFQuadroSv::BExportarCsvClick);
    connect(Button3, &QPushButton::clicked, this, &TFQuadroSv::Button3Click);
    connect(SGQuadroSv, &QTableWidget::cellClicked, this, &TFQuadroSv::SGQuadroSvClick);
    connect(SGQuadroSvAux, &QTableWidget::cellClicked, this, &TFQuadroSv::SGQuadroSvAuxClick);
    offerPersonnelLookup();
}

bool TFQuadroSv::eventFilter(QObject* watched, QEvent* event)
{
    const bool click = event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (click && watched == Panel1)
        Panel1Click();
    else if (event->type() == QEvent::MouseButtonPress && (watched == Edit1 || watched == Edit2))
        EnablePesquisar();
    return FormWindow::eventFilter(watched, event);
}

// The period defaults to the current calendar year.
void TFQuadroSv::FormActivate()
{
    const QString year = Clock::today().toString(QStringLiteral("yy"));
    Edit1->setText(QStringLiteral("01/01/") + year);
    Edit2->setText(QStringLiteral("31/12/") + year);
}

void TFQuadroSv::Edit1Change()
{
    Edit2->setText(Edit1->text());
}

// A search is offered again once the period or the kind may have changed.
void TFQuadroSv::EnablePesquisar()
{
    BExecutar->setEnabled(true);
}

DayKindChoice TFQuadroSv::chosenKind() const
{
    if (RadioButton1->isChecked())
        return DayKindChoice::Preta;
    if (RadioButton2->isChecked())
        return DayKindChoice::Vermelha;
    return DayKindChoice::Ambas;
}

QTableWidget* TFQuadroSv::visibleGrid() const
{
    return SGQuadroSvAux->isHidden() ? SGQuadroSv : SGQuadroSvAux;
}

void TFQuadroSv::BExecutarClick()
{
    Guarded([this] {
        ServiceCountsOutcome outcome;
        {
            BusyCursor busy;
            outcome = CountServicesPerSoldier(Edit1->text(), Edit2->text(), chosenKind());
        }
        if (!outcome.done()) {
            Dialogs::current().message(outcome.refusal);
            return;
        }
        m_counts = outcome.counts;
        m_searched = true;
        Button4Click();
        BExecutar->setEnabled(false);
    });
}

void TFQuadroSv::showNarrowed()
{
    LCabecalho->hide();
    m_shown = ShownTable(m_counts, m_narrowing);
    FillSummaryGrid(SGQuadroSvAux, m_shown);
    SGQuadroSv->hide();
    SGQuadroSvAux->show();
}

void TFQuadroSv::Panel1Click()
{
    Guarded([this] {
        TFListaNumNomes lookup(this);
        ShowModal(lookup);
        // Nothing selected: every soldier.
        const QStringList chosen = lookup.selectedNumbers();
        m_narrowing.soldiers = QSet<QString>(chosen.begin(), chosen.end());
        showNarrowed();
    });
}

void TFQuadroSv::Button6Click()
{
    Guarded([this] {
        LoadServices();
        ChooseServices(this);
        // Nothing ticked: no service, an empty table.
        QSet<int> ticked;
        for (int code = 1; code <= Capacity::Services; ++code)
            if (Global().ServiceTable[code].Marca == QStringLiteral("S"))
                ticked.insert(code);
        m_narrowing.services = ticked;
        showNarrowed();
    });
}

// Back to the whole table of the last search; a later narrowing starts from it again.
void TFQuadroSv::Button4Click()
{
    LCabecalho->hide();
    m_narrowing = Narrowing{};
    m_shown = ShownTable(m_counts);
    FillSummaryGrid(SGQuadroSv, m_shown);
    SGQuadroSvAux->hide();
    SGQuadroSv->show();
}

void TFQuadroSv::Button2Click()
{
    Guarded([this] {
        if (!m_searched) {
            Dialogs::current().message(QStringLiteral("Faça a pesquisa antes de imprimir."));
            return;
        }
        const SummaryTable table = m_shown;
        const QString title = SummaryPrintTitle(m_counts);
        PrintDocument(
            this, Caption, [table, title](PageDevice& page) { PrintServicesPerSoldier(page, table, title); },
            QPageLayout::Landscape);
    });
}

void TFQuadroSv::BExportarCsvClick()
{
    Guarded([this] {
        if (!m_searched) {
            Dialogs::current().message(QStringLiteral("Faça a pesquisa antes de exportar."));
            return;
        }
        const QString file = AskSpreadsheetFile(QStringLiteral("quadro.csv"));
        if (file.isEmpty())
            return;
        Csv::Write(file, Csv::SummaryCsvTable(m_shown));
        Dialogs::current().message(QStringLiteral("Quadro gravado em %1").arg(QDir::toNativeSeparators(file)));
    });
}

void TFQuadroSv::Button3Click()
{
    accept();
}

// The whole caption of the clicked column, over the grid's top row where the column starts.
void TFQuadroSv::showCaptionOf(QTableWidget* grid, int column)
{
    const QTableWidgetItem* caption = grid->horizontalHeaderItem(column);
    if (!caption || caption->text().isEmpty()) {
        LCabecalho->hide();
        return;
    }
    QHeaderView* header = grid->horizontalHeader();
    LCabecalho->setText(caption->text());
    LCabecalho->adjustSize();
    LCabecalho->move(header->mapTo(this, QPoint(header->sectionViewportPosition(column), 0)));
    LCabecalho->raise();
    LCabecalho->show();
}

void TFQuadroSv::SGQuadroSvClick(int, int column)
{
    showCaptionOf(SGQuadroSv, column);
}

void TFQuadroSv::SGQuadroSvAuxClick(int, int column)
{
    showCaptionOf(SGQuadroSvAux, column);
}

void OpenServicesPerSoldier(QWidget* parent)
{
    TFQuadroSv window(parent);
    ShowModal(window);
}
