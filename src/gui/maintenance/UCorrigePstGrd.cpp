#include "UCorrigePstGrd.h"

#include "common/Controls.h"
#include "common/ModalWindows.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

TFCorrigePstGrd::TFCorrigePstGrd(const QString& unrecognised, const QStringList& modelSpellings, QWidget* parent)
    : FormWindow(QStringLiteral("021"), parent), m_models(modelSpellings)
{
    setWindowTitle(QStringLiteral("Correção de Posto ou Graduação"));
    Label1 = Named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Não reconheço "), this);
    Label2 = Named<QLabel>(QStringLiteral("Label2"), unrecognised, this);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label2->setTextFormat(Qt::PlainText);
    Label3 = Named<QLabel>(QStringLiteral("Label3"), QStringLiteral("Corrigir"), this);
    ComboBox1 = Named<QComboBox>(QStringLiteral("ComboBox1"), this);
    ComboBox1->setMaxVisibleItems(25);
    ComboBox1->setMinimumWidth(140);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(Label2, 0, 1);
    layout->addWidget(Label3, 1, 0);
    layout->addWidget(ComboBox1, 1, 1);

    connect(ComboBox1, &QComboBox::activated, this, &TFCorrigePstGrd::ComboBox1Click);
}

void TFCorrigePstGrd::FormActivate()
{
    ComboBox1->clear();
    ComboBox1->addItems(m_models.mid(0, RankModelGrid::MaxRanks));
    ComboBox1->setCurrentIndex(-1);
}

void TFCorrigePstGrd::ComboBox1Click(int index)
{
    if (index < 0 || index >= ComboBox1->count())
        return;
    chosenSpelling = ComboBox1->itemText(index);
    chosenRow = index + 1;
    accept();
}

std::optional<int> AskRankCorrection(QWidget* parent, const QString& unrecognised, const QStringList& modelSpellings)
{
    TFCorrigePstGrd window(unrecognised, modelSpellings, parent);
    ShowModal(window);
    return window.chosenRow;
}

RankChooser CorrectionWindowChooser(QWidget* parent)
{
    return [parent](const QString& unrecognised, const QStringList& models) {
        return AskRankCorrection(parent, unrecognised, models);
    };
}
