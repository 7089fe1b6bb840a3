#include "URetiraAlguem.h"

#include "common/Controls.h"

#include <QVBoxLayout>

TFRetiraAlguem::TFRetiraAlguem(QWidget* parent) : FormWindow(QStringLiteral("011"), parent)
{
    setObjectName(QStringLiteral("FRetiraAlguem"));
    setWindowTitle(QStringLiteral("Retirar Militar da Escala"));
    RadioButton1 = Named<QRadioButton>(QStringLiteral("RadioButton1"), QStringLiteral("Retirar algum militar da escala"), this);
    RadioButton2 = Named<QRadioButton>(QStringLiteral("RadioButton2"),
                                       QStringLiteral("Estou pronto para escalar os serviços"), this);
    RadioButton3 = Named<QRadioButton>(QStringLiteral("RadioButton3"), QStringLiteral("Continuar a Verificar"), this);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("Escolha uma opção:"), this);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);
    layout->addSpacing(8);
    layout->addWidget(RadioButton1);
    layout->addWidget(RadioButton2);
    layout->addWidget(RadioButton3);
    layout->setContentsMargins(24, 18, 24, 18);
    connect(RadioButton1, &QRadioButton::clicked, this, &TFRetiraAlguem::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TFRetiraAlguem::RadioButton2Click);
    connect(RadioButton3, &QRadioButton::clicked, this, &TFRetiraAlguem::RadioButton3Click);
    offerPersonnelLookup();
}

void TFRetiraAlguem::FormActivate()
{
    m_choice = Choice::None;
    for (QRadioButton* b : {RadioButton1, RadioButton2, RadioButton3}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

void TFRetiraAlguem::RadioButton1Click()
{
    m_choice = Choice::Remove;
    emit removalRequested();
    accept();
}

void TFRetiraAlguem::RadioButton2Click()
{
    m_choice = Choice::Ready;
    accept();
}

void TFRetiraAlguem::RadioButton3Click()
{
    m_choice = Choice::Continue;
    accept();
}
