#include "UEquilibrio.h"

#include "BalanceChart.h"

#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "PainterPrinter.h"
#include "PdfFile.h"
#include "data/CoreError.h"
#include "data/ExportTarget.h"
#include "data/Clock.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "printing/Printer.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int PixelsPerMember = 34;   // room for two bars and a label of four digits
// On paper: 28 members a strip, the strip drawn at 960 by 380 screen pixels, 2.5 times larger.
constexpr int MembersPerPrintedStrip = 28;
const QSize PrintedStrip(960, 380);
constexpr qreal PrintedStripRatio = 2.5;

QString nameOf(const CountAudit::Balance& balance, const QString& number)
{
    for (const auto& member : balance.members)
        if (member.number == number)
            return member.name.isEmpty() ? number : QStringLiteral("%1 - %2").arg(number, member.name);
    return number;
}

}

TFEquilibrio::TFEquilibrio(QWidget* parent) : FormWindow(QStringLiteral("015"), parent)
{
    setObjectName(QStringLiteral("FEquilibrio"));
    setWindowTitle(QStringLiteral("Equilíbrio das escalas e auditoria dos pontos"));
    auto* labelSv = Named<QLabel>(QStringLiteral("LabelSv"), QStringLiteral("Serviço:"), this);
    ComboSv = Named<QComboBox>(QStringLiteral("ComboSv"), this);
    ComboSv->setMinimumWidth(260);
    Chart = Named<BalanceChartView>(QStringLiteral("Chart"), this);
    Chart->setMinimumHeight(340);
    ChartArea = Named<QScrollArea>(QStringLiteral("ChartArea"), this);
    ChartArea->setWidget(Chart);
    ChartArea->setWidgetResizable(true);
    ChartArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ChartArea->setMinimumHeight(360);
    LabelResumo = Named<QLabel>(QStringLiteral("LabelResumo"), QString(), this);
    LabelResumo->setWordWrap(true);
    LabelNota = Named<QLabel>(QStringLiteral("LabelNota"),
                              QStringLiteral("▶ marca quem o próximo serviço de cada tipo escalaria hoje pela ordem "
                                             "dos pontos; a folga entre serviços depende do dia e não entra aqui. "
                                             "Em cinza e entre parênteses, os afastados hoje (fora da diferença)."),
                              this);
    LabelNota->setWordWrap(true);
    ListAchados = Named<QListWidget>(QStringLiteral("ListAchados"), this);
    ListAchados->setMinimumHeight(90);
    ButtonIniciar = Named<QPushButton>(QStringLiteral("ButtonIniciar"), QStringLiteral("Iniciar registro"), this);
    ButtonIniciar->setToolTip(QStringLiteral("Toma os pontos de hoje como valor inicial das escalas que ainda não "
                                             "têm registro."));
    ButtonIniciar->setVisible(false);
    ButtonImprimir = Named<QPushButton>(QStringLiteral("ButtonImprimir"), QStringLiteral("Imprimir"), this);
    ButtonSalvar = Named<QPushButton>(QStringLiteral("ButtonSalvar"), QStringLiteral("Salvar imagem"), this);
    ButtonSair = Named<QPushButton>(QStringLiteral("ButtonSair"), QStringLiteral("Sair"), this);
    for (QPushButton* button : {ButtonIniciar, ButtonImprimir, ButtonSalvar, ButtonSair}) {
        button->setMinimumSize(140, 30);
        button->setAutoDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 10);
    auto* top = new QHBoxLayout;
    top->addWidget(labelSv);
    top->addWidget(ComboSv);
    top->addStretch();
    layout->addLayout(top);
    layout->addWidget(ChartArea, 3);
    layout->addWidget(LabelResumo);
    layout->addWidget(LabelNota);
    layout->addWidget(Named<QLabel>(QStringLiteral("LabelAchados"), QStringLiteral("Auditoria dos pontos:"), this));
    layout->addWidget(ListAchados, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonIniciar);
    buttons->addStretch();
    buttons->addWidget(ButtonImprimir);
    buttons->addWidget(ButtonSalvar);
    buttons->addWidget(ButtonSair);
    layout->addLayout(buttons);
    resize(980, 700);

    connect(ComboSv, &QComboBox::currentIndexChanged, this, &TFEquilibrio::ComboSvChange);
    connect(ButtonIniciar, &QPushButton::clicked, this, &TFEquilibrio::ButtonIniciarClick);
    connect(ButtonImprimir, &QPushButton::clicked, this, &TFEquilibrio::ButtonImprimirClick);
    connect(ButtonSalvar, &QPushButton::clicked, this, &TFEquilibrio::ButtonSalvarClick);
    connect(ButtonSair, &QPushButton::clicked, this, &TFEquilibrio::ButtonSairClick);
}

void TFEquilibrio::FormActivate()
{
    Guarded([this] {
        ServiceList services;
        LoadServicesInto(services, Alias::Ravelha, QStringLiteral("Sv"));
        const QSignalBlocker block(ComboSv);
        ComboSv->clear();
        for (int code = 1; code <= Capacity::Services; ++code)
            if (!services[code].Descr.isEmpty())
                ComboSv->addItem(QStringLiteral("%1 (%2)").arg(services[code].Descr).arg(code), code);
    });
    if (ComboSv->count() > 0)
        ComboSvChange();
}

void TFEquilibrio::ComboSvChange()
{
    if (ComboSv->currentIndex() >= 0)
        showRoster(ComboSv->currentData().toInt());
}

void TFEquilibrio::showRoster(int code)
{
    const int index = ComboSv->findData(code);
    if (index >= 0 && index != ComboSv->currentIndex()) {
        const QSignalBlocker block(ComboSv);
        ComboSv->setCurrentIndex(index);
    }
    m_balance.reset();
    Guarded([&] {
        BusyCursor busy;
        m_balance = CountAudit::BalanceOf(code, Clock::today());
    });
    ListAchados->clear();
    ButtonIniciar->setVisible(m_balance && !m_balance->audit.hasReference);
    if (!m_balance) {
        Chart->setBars({});
        LabelResumo->clear();
        return;
    }
    const CountAudit::Balance& balance = *m_balance;
    Chart->setBars(BalanceChart(balance, chartTitle()));
    Chart->setMinimumWidth(std::max(900, int(balance.members.size()) * PixelsPerMember + 120));

    LabelResumo->setText(summaryLines().mid(0, 2).join(QLatin1Char('\n')));
    if (!balance.audit.hasReference)
        ListAchados->addItem(QStringLiteral("sem referência: o registro dos pontos ainda não tem valor inicial para "
                                            "esta escala."));
    else if (balance.audit.findings.empty())
        ListAchados->addItem(QStringLiteral("Sem divergências."));
    for (const auto& finding : balance.audit.findings)
        ListAchados->addItem(finding.text);
}

QStringList TFEquilibrio::summaryLines() const
{
    if (!m_balance)
        return {};
    const CountAudit::Balance& balance = *m_balance;
    const QString none = QStringLiteral("ninguém disponível");
    return {QStringLiteral("Diferença entre o maior e o menor (fora os afastados): Pt %1, Vm %2")
                    .arg(balance.spreadPt)
                    .arg(balance.spreadVm),
            QStringLiteral("Próximo Pt: %1    Próximo Vm: %2")
                    .arg(balance.nextPt.isEmpty() ? none : nameOf(balance, balance.nextPt),
                         balance.nextVm.isEmpty() ? none : nameOf(balance, balance.nextVm))};
}

bool TFEquilibrio::saveChart(const QString& fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension != QStringLiteral("png") && extension != QStringLiteral("pdf")) {
        Dialogs::current().error(QStringLiteral("Dê ao arquivo um nome terminado em .png (imagem) ou .pdf."));
        return false;
    }
    bool saved = false;
    // Written as every export is: never over the program's own files, whole or not at all.
    Guarded([&] {
        BusyCursor busy;
        if (extension == QStringLiteral("png")) {
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            ExportTarget::check(fileName);
            if (!Chart->grab().save(&png, "PNG"))
                throw CoreError(QStringLiteral("Não foi possível gravar o arquivo %1: a imagem do gráfico não pôde "
                                               "ser montada.")
                                    .arg(QDir::toNativeSeparators(fileName)));
            ExportTarget::writeWhole(fileName, png.data());
        } else {
            // The same pages as the printout, into the file.
            WritePdf(fileName, printout(), PdfPageLayout(), windowTitle());
        }
        saved = true;
    });
    return saved;
}

QString TFEquilibrio::chartTitle() const
{
    return m_balance ? QStringLiteral("Pontos da escala %1 em %2")
                               .arg(CountAudit::RosterLabel(m_balance->audit), Dates::show(Clock::today()))
                     : QString();
}

Drawing TFEquilibrio::printout() const
{
    if (!m_balance)
        return {};
    // The chart in strips of a few dozen members across the page, one under the other, then its
    // figures as a table, the spreads and the findings.
    const CountAudit::Balance& balance = *m_balance;
    QList<QByteArray> strips;
    const int members = int(balance.members.size());
    for (int first = 0; first == 0 || first < members; first += MembersPerPrintedStrip)
        strips << ChartPng(BalanceChart(balance, QString(), first, MembersPerPrintedStrip), PrintedStrip,
                           PrintedStripRatio);
    QStringList lines{QString()};
    lines << QStringLiteral("Num     Pt    Vm   Marca");
    for (const auto& member : balance.members) {
        const QStringList marks = CountAudit::MemberMarks(member);
        lines << QStringLiteral("%1 %2 %3   %4")
                         .arg(member.number, -6)
                         .arg(member.pt, 5)
                         .arg(member.vm, 5)
                         .arg(marks.join(QStringLiteral(", ")));
    }
    lines << QString() << summaryLines() << QString();
    for (int row = 0; row < ListAchados->count(); ++row)
        lines << ListAchados->item(row)->text();
    const QStringList titles{windowTitle(), chartTitle()};
    return [titles, strips, lines](PageDevice& page) {
        PageLines out(page, QStringLiteral("Courier New"), 10, 50, 0, 0);
        for (const QString& title : titles)
            out.line(title);
        const int width = page.pageWidth();
        const int height = width * PrintedStrip.height() / PrintedStrip.width();
        for (const QByteArray& strip : strips)
            page.picture(0, out.block(height), width, height, strip);
        for (const QString& line : lines)
            out.line(line);
        out.end();
    };
}

void TFEquilibrio::ButtonIniciarClick()
{
    if (!m_balance)
        return;
    const int code = m_balance->audit.roster;
    Guarded([&] {
        QStringList started;
        {
            BusyCursor busy;
            started = CountAudit::StartLogWhereMissing();
        }
        Dialogs::current().message(
                started.isEmpty() ? QStringLiteral("Todas as escalas já tinham valor inicial no registro dos pontos.")
                                  : QStringLiteral("Registro dos pontos iniciado com os pontos de hoje: %1.")
                                            .arg(started.join(QStringLiteral(", "))));
    });
    showRoster(code);
}

void TFEquilibrio::ButtonImprimirClick()
{
    if (!m_balance)
        return;
    Drawing draw;
    {
        BusyCursor busy;
        draw = printout();
    }
    PrintDocument(this, windowTitle(), draw);
}

void TFEquilibrio::ButtonSalvarClick()
{
    if (!m_balance)
        return;
    const QString fileName = Dialogs::current().saveFileName(
            QStringLiteral("Salvar o gráfico"), QStringLiteral("equilibrio-%1.png").arg(m_balance->audit.roster),
            QStringLiteral("Imagem PNG (*.png);;Documento PDF (*.pdf)"));
    if (!fileName.isEmpty())
        saveChart(fileName);
}

void TFEquilibrio::ButtonSairClick()
{
    close();
}

void OpenBalance(QWidget* parent)
{
    TFEquilibrio window(parent);
    ShowModal(window);
}
