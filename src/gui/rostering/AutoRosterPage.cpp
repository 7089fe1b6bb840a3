#include "AutoRosterPage.h"

#include "common/Controls.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
QListWidget* messageList(const QString& name, int lineHeight, QWidget* parent)
{
    auto* list = Named<QListWidget>(name, parent);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11 + 2);   // readable on today's screens; printing keeps its own font
    list->setFont(font);
    list->setStyleSheet(QStringLiteral("QListWidget { background: #ffffe1; } QListWidget::item { min-height: %1px; }")
                            .arg(lineHeight));
    return list;
}
}

AutoRosterPage::AutoRosterPage(QWidget* parent) : QWidget(parent)
{
    Label39 = Named<QLabel>(QStringLiteral("Label39"), QStringLiteral("Última Escalação:"), this);
    LUltimaEscala = Named<QLabel>(QStringLiteral("LUltimaEscala"), this);
    QFont strong = LUltimaEscala->font();
    strong.setBold(true);
    LUltimaEscala->setFont(strong);
    Label40 = Named<QLabel>(QStringLiteral("Label40"), QStringLiteral("Escalar até: "), this);
    Edit1 = Named<QLineEdit>(QStringLiteral("Edit1"), this);
    Edit1->setMaximumWidth(110);
    Edit1->setPlaceholderText(QStringLiteral("dd/mm/aa"));

    Button6 = Named<QPushButton>(QStringLiteral("Button6"), QStringLiteral("Verificar"), this);
    BPrever = Named<QPushButton>(QStringLiteral("BPrever"), QStringLiteral("Verificar"), this);
    BEscalar = Named<QPushButton>(QStringLiteral("BEscalar"), QStringLiteral("Escalar"), this);
    BDesfazer = Named<QPushButton>(QStringLiteral("BDesfazer"), QStringLiteral("Desfazer"), this);
    BPrever->hide();
    BEscalar->hide();
    BDesfazer->hide();
    // Button6 and BPrever lie on one spot with one caption: the keeper sees one "Verificar".
    VerificarPlace = Named<QWidget>(QStringLiteral("VerificarPlace"), this);
    auto* verificarPlace = new QGridLayout(VerificarPlace);
    verificarPlace->setContentsMargins(0, 0, 0, 0);
    verificarPlace->addWidget(BPrever, 0, 0);
    verificarPlace->addWidget(Button6, 0, 0);

    Label56 = Named<QLabel>(QStringLiteral("Label56"), QStringLiteral("Escala"), this);
    ListBox2 = messageList(QStringLiteral("ListBox2"), 14, this);
    // A double-click on a service line, or "Por que?" in its context menu, tells why those soldiers.
    APorQue = new QAction(QStringLiteral("Por que?"), ListBox2);
    APorQue->setObjectName(QStringLiteral("APorQue"));
    ListBox2->addAction(APorQue);
    ListBox2->setContextMenuPolicy(Qt::ActionsContextMenu);
    ListBox2->setToolTip(QStringLiteral("Dê 2 clics num serviço para ver por que esses militares foram escalados"));
    BExportarCsv = Named<QPushButton>(QStringLiteral("BExportarCsv"), QStringLiteral("Exportar CSV"), this);
    BExportarCsv->setToolTip(QStringLiteral("Grava a escala verificada numa planilha (.csv)"));
    BExportarCsv->setAutoDefault(false);
    BExportarCsv->hide();   // shown while the roster list holds a computed roster
    Label7 = Named<QLabel>(QStringLiteral("Label7"), QStringLiteral("Mensagens"), this);
    ListBox5 = messageList(QStringLiteral("ListBox5"), 14, this);
    ListBox6 = messageList(QStringLiteral("ListBox6"), 13, this);
    Button5 = Named<QPushButton>(QStringLiteral("Button5"), QStringLiteral("Erros"), this);
    Button13 = Named<QPushButton>(QStringLiteral("Button13"), QStringLiteral("Alertas"), this);

    RadioGroup1 = Named<QGroupBox>(QStringLiteral("RadioGroup1"), QStringLiteral("              Imprimir"), this);
    RadioButton3 = Named<QRadioButton>(QStringLiteral("RadioButton3"), QStringLiteral("Escala"), RadioGroup1);
    RadioButton4 = Named<QRadioButton>(QStringLiteral("RadioButton4"), QStringLiteral("Erros"), RadioGroup1);
    RadioButton7 = Named<QRadioButton>(QStringLiteral("RadioButton7"), QStringLiteral("Alertas"), RadioGroup1);
    auto* printChoices = new QHBoxLayout(RadioGroup1);
    printChoices->addWidget(RadioButton3);
    printChoices->addWidget(RadioButton4);
    printChoices->addWidget(RadioButton7);

    // The target day and the buttons of the road of a roster.
    auto* top = new QHBoxLayout;
    top->addWidget(Label39);
    top->addWidget(LUltimaEscala);
    top->addSpacing(30);
    top->addWidget(Label40);
    top->addWidget(Edit1);
    top->addWidget(VerificarPlace);
    top->addWidget(BEscalar);
    top->addWidget(BDesfazer);
    top->addStretch();
    top->addWidget(RadioGroup1);

    // ListBox5 and ListBox6 share one place; "Erros" and "Alertas" choose which is shown.
    auto* messagesPlace = new QVBoxLayout;
    messagesPlace->setContentsMargins(0, 0, 0, 0);
    messagesPlace->addWidget(ListBox5);
    messagesPlace->addWidget(ListBox6);
    ListBox6->hide();

    auto* lists = new QGridLayout;
    auto* rosterCaption = new QHBoxLayout;
    rosterCaption->setContentsMargins(0, 0, 0, 0);
    rosterCaption->addWidget(Label56);
    rosterCaption->addStretch();
    rosterCaption->addWidget(BExportarCsv);
    lists->addLayout(rosterCaption, 0, 0);
    lists->addWidget(ListBox2, 1, 0);
    lists->addWidget(Label7, 0, 1);
    lists->addLayout(messagesPlace, 1, 1);
    auto* switches = new QHBoxLayout;
    switches->addWidget(Button5);
    switches->addWidget(Button13);
    switches->addStretch();
    lists->addLayout(switches, 2, 0, 1, 2);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);
    lists->setRowStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(lists, 1);
}
