#include "ConsultasPage.h"

#include "common/ClickableLabel.h"

#include <QVBoxLayout>

ConsultasPage::ConsultasPage(QWidget* parent) : QWidget(parent)
{
    Label33 = MenuItem(QStringLiteral("Label33"), QStringLiteral("1.  Consultas ao Arquivo Histórico dos Serviços"),
                       QString(), this);
    Label34 = MenuItem(QStringLiteral("Label34"),
                       QStringLiteral("2.  Quantidades de Serviços tirados pelos militares em determinado tempo "),
                       QString(), this);
    Label9 = MenuItem(QStringLiteral("Label9"),
                      QStringLiteral("3.  Relações dos militares que concorrem a cada um dos Serviços."), QString(), this);
    LabelEquilibrio = MenuItem(QStringLiteral("LabelEquilibrio"),
                               QStringLiteral("4.  Equilíbrio das escalas e auditoria dos pontos"), QString(), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(18);
    for (ClickableLabel* item : {Label33, Label34, Label9, LabelEquilibrio})
        layout->addWidget(item);
    layout->addStretch();
}
