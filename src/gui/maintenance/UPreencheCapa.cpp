#include "UPreencheCapa.h"

#include "common/Controls.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "maintenance/CoverSettings.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFPreencheCapa::TFPreencheCapa(QWidget* parent) : FormWindow(QStringLiteral("019"), parent)
{
    setObjectName(QStringLiteral("FPreencheCapa"));
    setWindowTitle(QStringLiteral("Preenchimento da Capa"));
    const QString captions[] = {QStringLiteral("Linha 1"), QStringLiteral("Linha2"), QStringLiteral("Linha 3"),
                                QStringLiteral("Linha 4"), QStringLiteral("Foto da Capa")};
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    for (int i = 0; i < 5; ++i) {
        auto* label = Named<QLabel>(QStringLiteral("Label%1").arg(i + 1), captions[i], this);
        Edit[i] = Named<QLineEdit>(QStringLiteral("Edit%1").arg(i + 1), this);
        Edit[i]->setMinimumWidth(460);
        label->setBuddy(Edit[i]);
        layout->addWidget(label);
        layout->addWidget(Edit[i]);
    }
    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Sair"), this);
    Button1->setAutoDefault(false);
    layout->addSpacing(8);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    connect(Button1, &QPushButton::clicked, this, &TFPreencheCapa::Button1Click);
}

void TFPreencheCapa::FormActivate()
{
    Guarded([this] {
        const CoverText cover = ReadCover();
        for (int i = 0; i < 4; ++i)
            Edit[i]->setText(cover.lines.value(i));
        Edit[4]->setText(cover.picture);
    });
}

void TFPreencheCapa::FormClose()
{
    m_saved = false;
    Guarded([this] {
        CoverText cover;
        for (int i = 0; i < 4; ++i)
            cover.lines << Edit[i]->text();
        cover.picture = Edit[4]->text();
        SaveCover(cover);
        m_saved = true;
    });
}

void TFPreencheCapa::Button1Click()
{
    close();
}

void TFPreencheCapa::done(int result)
{
    FormClose();
    FormWindow::done(result);
}

void TFPreencheCapa::closeEvent(QCloseEvent* event)
{
    event->ignore();
    done(QDialog::Rejected);
}

bool OpenCoverEditor(QWidget* parent)
{
    TFPreencheCapa window(parent);
    ShowModal(window);
    return window.saved();
}
