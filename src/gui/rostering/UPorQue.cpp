#include "UPorQue.h"

#include "common/Controls.h"
#include "common/PrintJob.h"
#include "rostering/RosterPrintout.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFPorQue::TFPorQue(const QString& title, const QStringList& lines, QWidget* parent)
    : FormWindow(QStringLiteral("003"), parent), m_title(title), m_lines(lines)
{
    setWindowTitle(title);

    LTitulo = Named<QLabel>(QStringLiteral("LTitulo"), title, this);
    QFont strong = LTitulo->font();
    strong.setBold(true);
    strong.setPointSize(strong.pointSize() + 2);
    LTitulo->setFont(strong);

    ListBox1 = Named<QListWidget>(QStringLiteral("ListBox1"), this);
    QFont plain(QStringLiteral("Liberation Sans"));
    plain.setPixelSize(13);
    ListBox1->setFont(plain);
    ListBox1->setStyleSheet(QStringLiteral("QListWidget { background: #ffffe1; }"));
    ListBox1->setWordWrap(true);
    ListBox1->addItems(lines);

    BImprimir = Named<QPushButton>(QStringLiteral("BImprimir"), QStringLiteral("Imprimir"), this);
    BImprimir->setAutoDefault(false);
    BSair = Named<QPushButton>(QStringLiteral("BSair"), QStringLiteral("Sair"), this);
    BSair->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BImprimir);
    buttons->addWidget(BSair);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LTitulo);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(buttons);
    resize(900, 520);

    connect(BImprimir, &QPushButton::clicked, this, &TFPorQue::BImprimirClick);
    connect(BSair, &QPushButton::clicked, this, &QDialog::accept);
}

void TFPorQue::BImprimirClick()
{
    const QString title = m_title;
    const QStringList lines = m_lines;
    PrintDocument(this, title, [title, lines](PageDevice& page) {
        ListLayout layout = RosterPrintLayout();
        layout.titleX = layout.lineX;   // a title longer than the roster's: from the left margin
        PrintTitledList(page, layout, title, lines);
    });
}
