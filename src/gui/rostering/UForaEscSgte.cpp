#include "UForaEscSgte.h"

#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "data/Dates.h"
#include "manual/UEscolherSv.h"
#include "rostering/Removals.h"
#include "rostering/RosterSession.h"

#include <QGridLayout>

TFForaEscSgte::TFForaEscSgte(const QList<QDate>& spanDays, QWidget* parent)
    : FormWindow(QStringLiteral("010"), parent), m_spanDays(spanDays)
{
    setObjectName(QStringLiteral("FForaEscSgte"));
    setWindowTitle(QStringLiteral("Retirar da Escala"));
    Edit1 = Named<QLineEdit>(QStringLiteral("Edit1"), this);
    Edit1->setMaximumWidth(90);
    ListBox1 = Named<QListWidget>(QStringLiteral("ListBox1"), this);
    ListBox1->setSelectionMode(QAbstractItemView::MultiSelection);
    ListBox1->setMinimumHeight(220);
    ListBox1->hide();
    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Serviços não Escalar"), this);
    Button2 = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Dias não escalar"), this);
    Button4 = Named<QPushButton>(QStringLiteral("Button4"), QStringLiteral("Retirar da escala"), this);
    Button3 = Named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Fim"), this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Número"), this), 0, 0);
    layout->addWidget(Edit1, 0, 1);
    layout->addWidget(Button1, 1, 0, 1, 2);
    layout->addWidget(Button2, 2, 0, 1, 2);
    layout->addWidget(ListBox1, 3, 0, 1, 2);
    layout->addWidget(Button4, 4, 0, 1, 2);
    layout->addWidget(Button3, 5, 0, 1, 2);
    layout->setRowStretch(3, 1);
    resize(300, 420);

    connect(Button1, &QPushButton::clicked, this, &TFForaEscSgte::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFForaEscSgte::Button2Click);
    connect(Button4, &QPushButton::clicked, this, &TFForaEscSgte::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TFForaEscSgte::Button3Click);
    offerPersonnelLookup();
}

void TFForaEscSgte::FormActivate()
{
    ListBox1->clear();
    for (const QDate& day : m_spanDays)
        ListBox1->addItem(Dates::show(day));
}

void TFForaEscSgte::Button1Click()
{
    Guarded([this] { ChooseServices(this); });
}

void TFForaEscSgte::Button2Click()
{
    ListBox1->show();
}

void TFForaEscSgte::Button4Click()
{
    Guarded([this] {
        // The number as the register holds it: blanks around it are not part of it.
        const QString num = Edit1->text().trimmed();
        QList<QDate> days;
        for (int row = 0; row < ListBox1->count(); ++row) {
            if (ListBox1->item(row)->isSelected())
                days << m_spanDays.value(row);
        }
        std::optional<QString> refusal = RemovalNumberRefusal(num);
        if (!refusal)
            refusal = AddRemoval(num, MarkedServices(), days);
        if (refusal) {
            Dialogs::current().message(*refusal);
            Edit1->selectAll();
            return;
        }
        // The chosen days stay selected for the next soldier.
        Edit1->clear();
        ListBox1->hide();
    });
    // Taken or refused, the keeper types the next number, or this one again, at once.
    Edit1->setFocus();
}

void TFForaEscSgte::Button3Click()
{
    ListBox1->hide();
    accept();
}
