#include "UEscolherSv.h"

#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "data/UGlobal.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TFEscolherSv::TFEscolherSv(QWidget* parent) : FormWindow(QString(), parent)
{
    setObjectName(QStringLiteral("FEscolherSv"));
    setWindowTitle(QStringLiteral("Escolher Escalas"));
    auto* heading = new QLabel(QStringLiteral("Serviços"), this);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() + 2);
    heading->setFont(font);
    Button6 = new QPushButton(QStringLiteral("Pronto"), this);
    Button6->setObjectName(QStringLiteral("Button6"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(heading, 0, 0, 1, 2);
    grid->addWidget(Button6, 0, 2, Qt::AlignRight);
    for (int n = 1; n <= 30; ++n) {
        CheckBox[n] = new QCheckBox(this);
        CheckBox[n]->setObjectName(QStringLiteral("CheckBox%1").arg(n));
        CheckBox[n]->setMinimumWidth(150);
        grid->addWidget(CheckBox[n], 1 + (n - 1) % 10, (n - 1) / 10);
    }
    CheckBox31 = new QCheckBox(QStringLiteral("Todos"), this);
    CheckBox31->setObjectName(QStringLiteral("CheckBox31"));
    grid->addWidget(CheckBox31, 12, 0);
    connect(Button6, &QPushButton::clicked, this, &TFEscolherSv::Button6Click);
    offerPersonnelLookup();
}

void TFEscolherSv::FormActivate()
{
    Guarded([this] {
        ClearSelectionMarks();
        const ServiceList& services = Global().ServiceTable;
        for (int n = 1; n <= 30; ++n)
            CheckBox[n]->setText(services[n].Descr);
    });
}

void TFEscolherSv::FormClose()
{
    ServiceList& services = Global().ServiceTable;
    for (int n = 1; n <= 30; ++n) {
        if (CheckBox[n]->isChecked() || CheckBox31->isChecked())
            services[n].Marca = QStringLiteral("S");
    }
    for (int n = 1; n <= 30; ++n)
        CheckBox[n]->setChecked(false);
    CheckBox31->setChecked(false);
}

void TFEscolherSv::Button6Click()
{
    accept();
}

void TFEscolherSv::done(int result)
{
    FormClose();
    FormWindow::done(result);
}

void TFEscolherSv::closeEvent(QCloseEvent* event)
{
    // The close box closes like "Pronto": the ticked services are chosen.
    event->ignore();
    done(QDialog::Rejected);
}

void ChooseServices(QWidget* parent)
{
    ClearSelectionMarks();
    TFEscolherSv chooser(parent);
    ShowModal(chooser);
}
