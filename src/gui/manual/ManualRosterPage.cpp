#include "ManualRosterPage.h"

#include "common/Controls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
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
    SGGradeSv = Named<QTableWidget>(QStringLiteral("SGGradeSv"), this);
    SGGradeSv->setColumnCount(7);
    SGGradeSv->setRowCount(1);
    SGGradeSv->horizontalHeader()->hide();
    SGGradeSv->verticalHeader()->hide();
    QFont gridFont(QStringLiteral("Liberation Sans"));
    gridFont.setPixelSize(16);
    SGGradeSv->setFont(gridFont);
    for (int c = 0; c < 7; ++c)
        SGGradeSv->setColumnWidth(c, c == 0 ? 96 : 110);
    SGGradeSv->setMinimumWidth(96 + 6 * 110 + 4);
    ScrollBox1 = Named<QScrollArea>(QStringLiteral("ScrollBox1"), this);
    ScrollBox1->setWidget(SGGradeSv);
    ScrollBox1->setWidgetResizable(true);

    Button11 = Named<QPushButton>(QStringLiteral("Button11"), QStringLiteral("Verificar"), this);
    Button12 = Named<QPushButton>(QStringLiteral("Button12"), QStringLiteral("Escalar"), this);
    Button11->hide();
    Button12->hide();
    Label55 = Named<QLabel>(QStringLiteral("Label55"), QStringLiteral("Mensagens"), this);
    ListBox4 = Named<QListWidget>(QStringLiteral("ListBox4"), this);
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
    top->addWidget(Button10);
    top->addWidget(Button14);
    top->addWidget(Button11);
    top->addWidget(Button12);
    top->addStretch();
    top->addWidget(PrintGroup);

    auto* samples = new QVBoxLayout;
    samples->addWidget(BCarregar);
    samples->addWidget(BCorrigir);
    samples->addStretch();

    auto* body = new QGridLayout;
    body->addWidget(Label57, 0, 0);
    body->addWidget(ScrollBox1, 1, 0);
    body->addLayout(samples, 1, 1);
    body->addWidget(Label55, 0, 2);
    body->addWidget(ListBox4, 1, 2);
    body->setColumnStretch(0, 3);
    body->setColumnStretch(2, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    layout->addWidget(Edit7);
}
