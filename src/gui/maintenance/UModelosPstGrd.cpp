#include "UModelosPstGrd.h"

#include "common/Controls.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "maintenance/RankModels.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The grid, with two bars that set the heading row and the model column apart from the rest.
class RankModelTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QTableWidget::paintEvent(event);
        QPainter painter(viewport());
        const QColor bar = palette().color(QPalette::Window).darker(160);
        const int underHeadings = rowViewportPosition(1) - 1;
        const int afterModels = columnViewportPosition(1) - 1;
        const int width = columnViewportPosition(columnCount() - 1) + columnWidth(columnCount() - 1);
        const int height = rowViewportPosition(rowCount() - 1) + rowHeight(rowCount() - 1);
        painter.fillRect(QRect(0, underHeadings - 1, width, 3), bar);
        painter.fillRect(QRect(afterModels - 1, 0, 3, height), bar);
    }
};

}

TFModelosPstGrd::TFModelosPstGrd(QWidget* parent)
    : FormWindow(QStringLiteral("020"), parent)
{
    setWindowTitle(QStringLiteral("Modelos de escrita  dos Postos e Graduações"));
    Label1 = Named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Quadro Modelo de Postos e Graduações"), this);
    QFont title = Label1->font();
    title.setBold(true);
    title.setPixelSize(16);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);

    SGModelos = new RankModelTable(RankModelGrid::Rows, RankModelGrid::Columns, this);
    SGModelos->setObjectName(QStringLiteral("SGModelos"));
    SGModelos->horizontalHeader()->hide();
    SGModelos->verticalHeader()->hide();
    SGModelos->horizontalHeader()->setMinimumSectionSize(CellWidth);
    SGModelos->verticalHeader()->setMinimumSectionSize(CellHeight + 2);
    SGModelos->horizontalHeader()->setDefaultSectionSize(CellWidth);
    SGModelos->verticalHeader()->setDefaultSectionSize(CellHeight + 2);
    QFont cells(QStringLiteral("Liberation Sans"));
    cells.setPixelSize(11);
    SGModelos->setFont(cells);
    SGModelos->setEditTriggers(QAbstractItemView::AllEditTriggers);
    SGModelos->setSelectionMode(QAbstractItemView::SingleSelection);
    SGModelos->setMinimumSize(RankModelGrid::Columns * CellWidth + 2 * SGModelos->frameWidth() + 20,
                              RankModelGrid::Rows * (CellHeight + 2) + 2 * SGModelos->frameWidth());

    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Sair"), this);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TFModelosPstGrd::Button1Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(SGModelos);
    layout->addLayout(buttons);
}

void TFModelosPstGrd::FormActivate()
{
    m_loaded = false;
    Guarded([this] {
        const RankModelGrid grid = LoadRankModels();
        for (int column = 0; column < RankModelGrid::Columns; ++column)
            for (int row = 0; row < RankModelGrid::Rows; ++row)
                SGModelos->setItem(row, column, new QTableWidgetItem(grid.cell(column, row)));
        m_loaded = true;
    });
}

void TFModelosPstGrd::Button1Click()
{
    close();
}

void TFModelosPstGrd::done(int result)
{
    if (m_loaded) {
        // A cell still being typed in keeps what was typed.
        SGModelos->setCurrentIndex(QModelIndex());   // moving away commits an open editor
        Guarded([this] {
            RankModelGrid grid;
            for (int column = 0; column < RankModelGrid::Columns; ++column)
                for (int row = 0; row < RankModelGrid::Rows; ++row)
                    if (const QTableWidgetItem* item = SGModelos->item(row, column))
                        grid.setCell(column, row, item->text());
            SaveRankModels(grid);
            WriteRankList();
        });
    }
    m_loaded = false;
    FormWindow::done(result);
}

void OpenRankModels(QWidget* parent)
{
    TFModelosPstGrd window(parent);
    ShowModal(window);
}
