#include "CapaPage.h"

#include "common/ClickableLabel.h"
#include "common/Controls.h"

#include <QGridLayout>
#include <QPixmap>
#include <QVBoxLayout>

CapaPage::CapaPage(QWidget* parent) : QWidget(parent)
{
    Label16 = Named<QLabel>(QStringLiteral("Label16"), this);
    Label16->setAlignment(Qt::AlignCenter);
    QFont coverFont = Label16->font();
    coverFont.setBold(true);
    coverFont.setPointSize(16);
    Label16->setFont(coverFont);
    Label16->setStyleSheet(QStringLiteral("color: #0b2a8a;"));
    // Room above the first line: with some fonts (seen with Windows' stand-ins) the accent of a
    // capital, as in "MINISTÉRIO", rises above the line and would be cut at the label's edge.
    Label16->setContentsMargins(0, 6, 0, 0);

    Image1 = Named<QLabel>(QStringLiteral("Image1"), this);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setMinimumSize(400, 300);

    Image2 = Named<QLabel>(QStringLiteral("Image2"), this);
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    Idt = new ClickableLabel(QStringLiteral("Idt"), QStringLiteral("."), this);
    Button2 = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Sair"), this);
    Button2->setMinimumWidth(110);

    auto* layout = new QVBoxLayout(this);
    layout->addSpacing(16);
    layout->addWidget(Label16);
    layout->addSpacing(12);
    layout->addWidget(Image1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Image2);
    bottom->addWidget(Idt, 0, Qt::AlignBottom);
    bottom->addStretch();
    bottom->addWidget(Button2, 0, Qt::AlignBottom);
    layout->addLayout(bottom);
}

void CapaPage::showCoverPicture(const QString& file)
{
    const QPixmap picture(file);
    if (picture.isNull()) {
        Image1->clear();
        return;
    }
    Image1->setPixmap(picture);
}
