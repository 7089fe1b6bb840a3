#include "UQuadroEscalas.h"

#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/ScreenFit.h"
#include "maintenance/UListaNumNomes.h"
#include "manual/UEscolherSv.h"
#include "queries/ServiceBoardPrintout.h"

#include <QGridLayout>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QTableWidget* boardGrid(const QString& name, QWidget* parent)
{
    auto* grid = Named<QTableWidget>(name, parent);
    grid->setColumnCount(ServiceBoard::ShownColumns);
    grid->setRowCount(2);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(TFQuadroEscalas::RowHeight);
    grid->setRowHeight(0, TFQuadroEscalas::HeaderRowHeight);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setWordWrap(true);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    grid->setFont(font);
    grid->setColumnWidth(0, TFQuadroEscalas::NumColumnWidth);
    for (int c = 1; c < ServiceBoard::ShownColumns; ++c)
        grid->setColumnWidth(c, TFQuadroEscalas::ColumnWidth);
    grid->setFixedWidth(TFQuadroEscalas::NumColumnWidth + (ServiceBoard::ShownColumns - 1) * TFQuadroEscalas::ColumnWidth
                        + grid->verticalScrollBar()->sizeHint().width() + 2 * grid->frameWidth());
    return grid;
}

void setCell(QTableWidget* grid, int row, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    grid->setItem(row, column, item);
}

// Row 0 the headers, column 0 the numbers; a spare empty row below the last soldier.
void showBoard(QTableWidget* grid, const ServiceBoard& board)
{
    grid->clearContents();
    grid->setRowCount(int(board.rows.size()) + 2);
    grid->setRowHeight(0, TFQuadroEscalas::HeaderRowHeight);
    for (int c = 1; c < ServiceBoard::ShownColumns; ++c)
        if (!board.headers[c].isEmpty())
            setCell(grid, 0, c, board.headers[c]);
    for (size_t r = 0; r < board.rows.size(); ++r)
        for (int c = 0; c < ServiceBoard::ShownColumns; ++c)
            if (!board.rows[r][c].isEmpty())
                setCell(grid, int(r) + 1, c, board.rows[r][c]);
    grid->setCurrentCell(-1, -1);   // no cell stands out before the keeper clicks one
    grid->scrollToTop();
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = Named<QPushButton>(name, caption, parent);
    b->setAutoDefault(false);
    return b;
}

}

TFQuadroEscalas::TFQuadroEscalas(QWidget* parent) : FormWindow(QStringLiteral("012"), parent)
{
    setObjectName(QStringLiteral("FQuadroEscalas"));
    setWindowTitle(QStringLiteral("FQuadroEscalas"));

    Label1 = Named<QLabel>(QStringLiteral("Label1"), BoardTitle, this);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() + 4);
    Label1->setFont(titleFont);

    SGQuadroEscalas = boardGrid(QStringLiteral("SGQuadroEscalas"), this);
    SGQuadroEscalasAux = boardGrid(QStringLiteral("SGQuadroEscalasAux"), this);
    SGQuadroEscalasAux->hide();
    LCabecalho = Named<QLabel>(QStringLiteral("LCabecalho"), this);
    LCabecalho->setAutoFillBackground(true);
    LCabecalho->setStyleSheet(QStringLiteral("background: #ffffe1; border: 1px solid gray; padding: 2px;"));
    LCabecalho->hide();

    Button1 = button(QStringLiteral("Button1"), QStringLiteral("Pesquisar"), this);
    Button4 = button(QStringLiteral("Button4"), QStringLiteral("Voltar Pesquisa"), this);
    Button6 = button(QStringLiteral("Button6"), QStringLiteral("Serviços"), this);
    Button3 = button(QStringLiteral("Button3"), QStringLiteral("Imprimir"), this);
    Button2 = button(QStringLiteral("Button2"), QStringLiteral("Sair"), this);

    // The two boards share one place; one of them shows at a time.
    auto* boards = new QGridLayout;
    boards->addWidget(SGQuadroEscalas, 0, 0);
    boards->addWidget(SGQuadroEscalasAux, 0, 0);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {Button1, Button4, Button6, Button3})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(Button2);
    auto* body = new QHBoxLayout;
    body->addLayout(boards);
    body->addSpacing(16);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    layout->addLayout(body, 1);
    resize(FittingSize(QSize(sizeHint().width(), 640), this));

    connect(Button1, &QPushButton::clicked, this, &TFQuadroEscalas::Button1Click);
    connect(Button4, &QPushButton::clicked, this, &TFQuadroEscalas::Button4Click);
    connect(Button6, &QPushButton::clicked, this, &TFQuadroEscalas::Button6Click);
    connect(Button3, &QPushButton::clicked, this, &TFQuadroEscalas::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TFQuadroEscalas::Button2Click);
    connect(SGQuadroEscalas, &QTableWidget::cellClicked, this, &TFQuadroEscalas::SGQuadroEscalasClick);
    connect(SGQuadroEscalasAux, &QTableWidget::cellClicked, this, &TFQuadroEscalas::SGQuadroEscalasAuxClick);
    offerPersonnelLookup();
}

void TFQuadroEscalas::showFull(const ServiceBoard& board)
{
    m_full = board;
    LCabecalho->hide();
    SGQuadroEscalasAux->hide();
    SGQuadroEscalas->show();
    showBoard(SGQuadroEscalas, m_full);
}

void TFQuadroEscalas::FillWithEverySoldier()
{
    BusyCursor busy;
    showFull(BuildFullServiceBoard());
}

void TFQuadroEscalas::Button1Click()
{
    Guarded([this] {
        showFull(ServiceBoard{});
        // The lookup as a selector: the soldiers selected in its list when it closes.
        TFListaNumNomes lookup(this);
        ShowModal(lookup);
        const QStringList chosen = lookup.selectedNumbers();
        BusyCursor busy;
        showFull(BuildServiceBoard(chosen));
    });
}

void TFQuadroEscalas::Button6Click()
{
    Guarded([this] {
        ChooseServices(this);
        m_narrow = NarrowServiceBoard(m_full, MarkedServiceCodes());
        LCabecalho->hide();
        SGQuadroEscalas->hide();
        SGQuadroEscalasAux->show();
        showBoard(SGQuadroEscalasAux, m_narrow);
    });
}

void TFQuadroEscalas::Button4Click()
{
    LCabecalho->hide();
    SGQuadroEscalasAux->hide();
    SGQuadroEscalas->show();
}

void TFQuadroEscalas::Button3Click()
{
    Guarded([this] {
        const ServiceBoard shown = SGQuadroEscalasAux->isVisibleTo(this) ? m_narrow : m_full;
        PrintDocument(this, BoardTitle, [shown](PageDevice& page) { PrintServiceBoard(page, shown); });
    });
}

void TFQuadroEscalas::Button2Click()
{
    close();
}

void TFQuadroEscalas::showHeaderOver(QTableWidget* grid, const ServiceBoard& board, int column)
{
    const QString header = column > 0 && column < ServiceBoard::Columns ? board.headers[column] : QString();
    if (header.isEmpty()) {
        LCabecalho->hide();
        return;
    }
    LCabecalho->setText(header);
    LCabecalho->adjustSize();
    const QPoint over = grid->viewport()->mapTo(this, QPoint(grid->columnViewportPosition(column), 0));
    LCabecalho->move(std::min(over.x(), width() - LCabecalho->width()), over.y());
    LCabecalho->show();
    LCabecalho->raise();
    grid->scrollToTop();
}

void TFQuadroEscalas::SGQuadroEscalasClick(int, int column)
{
    showHeaderOver(SGQuadroEscalas, m_full, column);
}

void TFQuadroEscalas::SGQuadroEscalasAuxClick(int, int column)
{
    showHeaderOver(SGQuadroEscalasAux, m_narrow, column);
}
