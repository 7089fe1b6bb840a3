#include "ManualRosterPage.h"

#include "common/Controls.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

ManualRosterPage::ManualRosterPage(QWidget* parent) : QWidget(parent)
{
    auto* lastLabel = new QLabel(QStringLiteral("Última Escalação:"), this);
    Label53 = Named<QLabel>(QStringLiteral("Label53"), this);
    QFont strong = Label53->font();
    strong.setBold(true);
    Label53->setFont(strong);
    auto* untilLabel = new QLabel(QStringLiteral("Escalar até: "), this);
    Edit6 = Named<QLineEdit>(QStringLiteral("Edit6"), this);
    Edit6->setMaximumWidth(110);
    Edit6->setPlaceholderText(QStringLiteral("dd/mm/aa"));
    Edit6->setFocusPolicy(Qt::ClickFocus);   // skipped by the Tab key
    Button10 = Named<QPushButton>(QStringLiteral("Button10"), QStringLiteral("Preparar Grade"), this);
    Button14 = Named<QPushButton>(QStringLiteral("Button14"), QStringLiteral("Desfazer"), this);
    Button14->hide();
    Edit7 = Named<QLineEdit>(QStringLiteral("Edit7"), this);
    Edit7->hide();

    Label57 = Named<QLabel>(QStringLiteral("Label57"), QStringLiteral("Grade de Serviços"), this);
    // Seven columns are shown (the services, six days); column 10 keeps each row's service code
    // with the cells and is never shown.
    SGGradeSv = Named<QTableWidget>(QStringLiteral("SGGradeSv"), this);
    SGGradeSv->setColumnCount(CodeColumn + 1);
    SGGradeSv->setRowCount(1);
    SGGradeSv->horizontalHeader()->hide();
    SGGradeSv->verticalHeader()->hide();
    SGGradeSv->verticalHeader()->setDefaultSectionSize(RowHeight);
    SGGradeSv->setSelectionMode(QAbstractItemView::SingleSelection);
    SGGradeSv->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SGGradeSv->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont gridFont(QStringLiteral("Liberation Sans"));
    gridFont.setPixelSize(16);
    SGGradeSv->setFont(gridFont);
    for (int c = 0; c < 7; ++c)
        SGGradeSv->setColumnWidth(c, c == 0 ? 96 : 110);
    for (int c = 7; c <= CodeColumn; ++c)
        SGGradeSv->setColumnHidden(c, true);
    SGGradeSv->setFixedWidth(96 + 6 * 110 + 2 * SGGradeSv->frameWidth());
    SGGradeSv->setFixedHeight(RowHeight + 2 * SGGradeSv->frameWidth());
    // The grid grows with its rows; its box scrolls.
    ScrollBox1 = Named<QScrollArea>(QStringLiteral("ScrollBox1"), this);
    ScrollBox1->setWidget(SGGradeSv);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setFixedWidth(SGGradeSv->width() + ScrollBox1->verticalScrollBar()->sizeHint().width() + 4);
    // The box is as tall as the grid, and scrolls when the tab cannot give it that much.
    SGGradeSv->installEventFilter(this);
    Label57->hide();
    ScrollBox1->hide();

    Button11 = Named<QPushButton>(QStringLiteral("Button11"), QStringLiteral("Verificar"), this);
    Button12 = Named<QPushButton>(QStringLiteral("Button12"), QStringLiteral("Escalar"), this);
    Button11->hide();
    Button12->hide();
    Label55 = Named<QLabel>(QStringLiteral("Label55"), QStringLiteral("Mensagens"), this);
    ListBox4 = Named<QListWidget>(QStringLiteral("ListBox4"), this);
    QFont listFont(QStringLiteral("Liberation Sans"));
    listFont.setPixelSize(13);   // as the lists of the automatic tab
    ListBox4->setFont(listFont);
    Label55->hide();
    ListBox4->hide();
    BCarregar = Named<QPushButton>(QStringLiteral("BCarregar"), QStringLiteral("Carregar"), this);
    BCorrigir = Named<QPushButton>(QStringLiteral("BCorrigir"), QStringLiteral("Corrigir"), this);

    PrintGroup = Named<QGroupBox>(QStringLiteral("GroupBox2"), QStringLiteral("              Imprimir"), this);
    RadioButton5 = Named<QRadioButton>(QStringLiteral("RadioButton5"), QStringLiteral("Grade"), PrintGroup);
    RadioButton6 = Named<QRadioButton>(QStringLiteral("RadioButton6"), QStringLiteral("Mensagens"), PrintGroup);
    auto* printChoices = new QHBoxLayout(PrintGroup);
    printChoices->addWidget(RadioButton5);
    printChoices->addWidget(RadioButton6);

    auto* top = new QHBoxLayout;
    top->addWidget(lastLabel);
    top->addWidget(Label53);
    top->addSpacing(30);
    top->addWidget(untilLabel);
    top->addWidget(Edit6);
    // "Verificar" takes the place of "Preparar Grade" and keeps it; "Escalar" and "Desfazer" follow.
    top->addWidget(Button10);
    top->addWidget(Button11);
    top->addWidget(Button12);
    top->addWidget(Button14);
    top->addStretch();
    top->addWidget(PrintGroup);

    auto* samples = new QVBoxLayout;
    samples->addSpacing(Label57->sizeHint().height());
    samples->addWidget(BCarregar);
    samples->addWidget(BCorrigir);
    samples->addStretch();

    // The grid, its title and its cell editor keep their place while hidden, so the tab does not
    // jump when a grid is prepared; the messages below, as wide as the tab, so that their long
    // lines can be read whole.
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(Label57);
    gridColumn->addWidget(ScrollBox1);
    gridColumn->addWidget(Edit7);
    gridColumn->addStretch();
    for (QWidget* kept : {static_cast<QWidget*>(Label57), static_cast<QWidget*>(ScrollBox1),
                          static_cast<QWidget*>(Edit7)}) {
        QSizePolicy policy = kept->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        kept->setSizePolicy(policy);
    }
    Edit7->setFixedWidth(ScrollBox1->width());

    auto* body = new QHBoxLayout;
    body->addLayout(gridColumn);
    body->addSpacing(12);
    body->addLayout(samples);
    body->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(body, 3);
    layout->addWidget(Label55);
    layout->addWidget(ListBox4, 2);
}

bool ManualRosterPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SGGradeSv && event->type() == QEvent::Resize)
        ScrollBox1->setMaximumHeight(SGGradeSv->height() + 2 * ScrollBox1->frameWidth());
    return QWidget::eventFilter(watched, event);
}
