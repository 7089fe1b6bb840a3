#include "SwapPage.h"

#include "common/ClickableLabel.h"
#include "common/Controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

SwapPage::SwapPage(QWidget* parent) : QWidget(parent)
{
    Label32 = MenuItem(QStringLiteral("Label32"), QStringLiteral("1. Troca de Serviço - achar um candidato ao serviço "),
                       QString(), this);
    Label43 = Named<QLabel>(QStringLiteral("Label43"), QStringLiteral("Dia"), this);
    Edit2 = Named<QLineEdit>(QStringLiteral("Edit2"), this);
    Label42 = Named<QLabel>(QStringLiteral("Label42"), QStringLiteral("Escolha o Serviço"), this);
    ComboBox1 = Named<QComboBox>(QStringLiteral("ComboBox1"), this);
    Button7 = Named<QPushButton>(QStringLiteral("Button7"), QStringLiteral("Listar"), this);
    Button8 = Named<QPushButton>(QStringLiteral("Button8"), QStringLiteral("Limpar"), this);
    Label44 = Named<QLabel>(QStringLiteral("Label44"), QStringLiteral("Candidatos"), this);
    ListBox3 = Named<QListWidget>(QStringLiteral("ListBox3"), this);
    m_searchControls = {Label43, Edit2, Label42, ComboBox1, Button7, Button8, Label44, ListBox3};

    Label45 = MenuItem(QStringLiteral("Label45"),
                       QStringLiteral("2. Troca de Serviço - efetivar a troca nos arquivos do Sistema"), QString(), this);
    Label46 = Named<QLabel>(QStringLiteral("Label46"), QStringLiteral("Sai  A"), this);
    Edit3 = Named<QLineEdit>(QStringLiteral("Edit3"), this);
    Label47 = Named<QLabel>(QStringLiteral("Label47"), QStringLiteral("Entra B"), this);
    Edit4 = Named<QLineEdit>(QStringLiteral("Edit4"), this);
    Label49 = Named<QLabel>(QStringLiteral("Label49"), QStringLiteral("Dia"), this);
    Edit5 = Named<QLineEdit>(QStringLiteral("Edit5"), this);
    Label48 = Named<QLabel>(QStringLiteral("Label48"), QStringLiteral("Escolha o Serviço"), this);
    ComboBox2 = Named<QComboBox>(QStringLiteral("ComboBox2"), this);
    Label50 = Named<QLabel>(QStringLiteral("Label50"), QStringLiteral("Computar Sv para"), this);
    GroupBox1 = Named<QGroupBox>(QStringLiteral("GroupBox1"), this);
    GroupBox1->setToolTip(QStringLiteral("Se a troca for após a parada, computa-se o serviço para os dois militares"));
    RadioButton1 = Named<QRadioButton>(QStringLiteral("RadioButton1"), QStringLiteral("B"), GroupBox1);
    RadioButton2 = Named<QRadioButton>(QStringLiteral("RadioButton2"), QStringLiteral("A e B"), GroupBox1);
    RadioButton1->setChecked(true);
    auto* choice = new QHBoxLayout(GroupBox1);
    choice->addWidget(RadioButton1);
    choice->addWidget(RadioButton2);
    Button9 = Named<QPushButton>(QStringLiteral("Button9"), QStringLiteral("Executar"), this);
    m_swapControls = {Label46, Edit3, Label47, Edit4, Label49, Edit5, Label48, ComboBox2, Label50, GroupBox1, Button9};

    for (QLineEdit* day : {Edit2, Edit5})
        day->setMaximumWidth(110);
    for (QLineEdit* number : {Edit3, Edit4})
        number->setMaximumWidth(80);
    ComboBox1->setMinimumWidth(180);
    ComboBox2->setMinimumWidth(180);

    auto* search = new QGridLayout;
    search->addWidget(Label43, 0, 0);
    search->addWidget(Edit2, 0, 1);
    search->addWidget(Label42, 1, 0);
    search->addWidget(ComboBox1, 1, 1);
    search->addWidget(Button7, 2, 0);
    search->addWidget(Button8, 2, 1, Qt::AlignLeft);
    search->addWidget(Label44, 3, 0, 1, 3);
    search->addWidget(ListBox3, 4, 0, 1, 3);
    search->setColumnStretch(2, 1);   // the boxes stay beside their captions

    auto* swap = new QGridLayout;
    swap->addWidget(Label46, 0, 0);
    swap->addWidget(Edit3, 0, 1);
    swap->addWidget(Label47, 1, 0);
    swap->addWidget(Edit4, 1, 1);
    swap->addWidget(Label49, 2, 0);
    swap->addWidget(Edit5, 2, 1);
    swap->addWidget(Label48, 3, 0);
    swap->addWidget(ComboBox2, 3, 1);
    swap->addWidget(Label50, 4, 0);
    swap->addWidget(GroupBox1, 4, 1);
    swap->addWidget(Button9, 5, 0, 1, 2, Qt::AlignLeft);
    swap->setColumnStretch(2, 1);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(Label32);
    left->addLayout(search);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(Label45);
    right->addLayout(swap);
    right->addStretch();
    columns->addLayout(left, 1);
    columns->addSpacing(30);
    columns->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addLayout(columns, 1);

    for (QWidget* control : m_searchControls + m_swapControls)
        control->hide();
}

void SwapPage::showCandidateSearch()
{
    for (QWidget* control : m_swapControls)
        control->hide();
    for (QWidget* control : m_searchControls)
        control->show();
}

void SwapPage::showSwap()
{
    for (QWidget* control : m_searchControls)
        control->hide();
    for (QWidget* control : m_swapControls)
        control->show();
}
