#include "UEqualZerar.h"

#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/EqualiseZero.h"
#include "manual/UEscolherSv.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFEqualZerar::TFEqualZerar(QWidget* parent) : FormWindow(QStringLiteral("025"), parent)
{
    setObjectName(QStringLiteral("FEqualZerar"));
    setWindowTitle(QStringLiteral("Equalizar / Zerar Arquivos dos Serviços"));
    Label1 = Named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Escolha uma opção"), this);
    QFont font = Label1->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() + 2);
    Label1->setFont(font);
    Label1->setAlignment(Qt::AlignCenter);
    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Equalizar Tabelas"), this);
    Button2 = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Zerar Tabelas"), this);
    Button3 = Named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Sair"), this);
    for (QPushButton* button : {Button1, Button2, Button3}) {
        button->setMinimumSize(180, 34);
        button->setAutoDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 20, 30, 20);
    layout->setSpacing(14);
    layout->addWidget(Label1);
    auto* row = new QHBoxLayout;
    row->addWidget(Button1);
    row->addWidget(Button2);
    layout->addLayout(row);
    layout->addWidget(Button3, 0, Qt::AlignCenter);

    connect(Button1, &QPushButton::clicked, this, &TFEqualZerar::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFEqualZerar::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFEqualZerar::Button3Click);
}

void TFEqualZerar::Button1Click()
{
    Guarded([] {
        BusyCursor busy;
        const EqualiseResult result = EqualiseRosters(Clock::today());
        // The tables stand; only the day of the last equalisation waits.
        if (!result.notice.isEmpty())
            Dialogs::current().message(result.notice);
    });
}

void TFEqualZerar::Button2Click()
{
    Guarded([this] {
        LoadServices();
        ChooseServices(this);
        QList<int> chosen;
        const ServiceList& services = Global().ServiceTable;
        for (int n = 1; n <= Capacity::Services; ++n)
            if (services[n].Marca == QStringLiteral("S") && !services[n].Descr.isEmpty())
                chosen << n;
        BusyCursor busy;
        ZeroRosters(chosen);
    });
}

void TFEqualZerar::Button3Click()
{
    close();
}

void OpenEqualiseZero(QWidget* parent)
{
    TFEqualZerar window(parent);
    ShowModal(window);
}
