#include "UEquilibrio.h"

#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "data/Clock.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "printing/Printer.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QtCharts/QLegend>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QtCharts/QValueAxis>
#include <QVBoxLayout>

namespace {

constexpr int PixelsPerMember = 34;   // room for two bars and a label of four digits

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
    Chart = Named<QChartView>(QStringLiteral("Chart"), this);
    Chart->setRenderHint(QPainter::Antialiasing);
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
    ButtonImprimir = Named<QPushButton>(QStringLiteral("ButtonImprimir"), QStringLiteral("Imprimir"), this);
    ButtonSalvar = Named<QPushButton>(QStringLiteral("ButtonSalvar"), QStringLiteral("Salvar imagem"), this);
    ButtonSair = Named<QPushButton>(QStringLiteral("ButtonSair"), QStringLiteral("Sair"), this);
    for (QPushButton* button : {ButtonImprimir, ButtonSalvar, ButtonSair}) {
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
    buttons->addStretch();
    buttons->addWidget(ButtonImprimir);
    buttons->addWidget(ButtonSalvar);
    buttons->addWidget(ButtonSair);
    layout->addLayout(buttons);
    resize(980, 700);

    connect(ComboSv, &QComboBox::currentIndexChanged, this, &TFEquilibrio::ComboSvChange);
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
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    ListAchados->clear();
    if (!m_balance) {
        Chart->setChart(chart);
        LabelResumo->clear();
        return;
    }
    const CountAudit::Balance& balance = *m_balance;
    chart->setTitle(QStringLiteral("Pontos da escala %1 em %2")
                            .arg(CountAudit::RosterLabel(balance.audit), Dates::show(Clock::today())));
    auto* black = new QBarSet(QStringLiteral("Pt"));
    auto* red = new QBarSet(QStringLiteral("Vm"));
    black->setColor(QColor(40, 40, 40));
    red->setColor(QColor(200, 40, 40));
    black->setSelectedColor(QColor(185, 185, 185));
    red->setSelectedColor(QColor(230, 190, 190));
    QStringList categories;
    int highest = 1;
    QList<int> absent;
    for (const auto& member : balance.members) {
        QString label = member.number;
        if (member.absent) {
            label = QStringLiteral("(%1)").arg(label);
            absent << int(categories.size());
        }
        if (member.nextPt || member.nextVm)
            label = QStringLiteral("▶") + label;
        categories << label;
        *black << member.pt;
        *red << member.vm;
        highest = std::max({highest, member.pt, member.vm});
    }
    black->selectBars(absent);
    red->selectBars(absent);
    auto* series = new QBarSeries;
    series->append(black);
    series->append(red);
    chart->addSeries(series);
    auto* axisX = new QBarCategoryAxis;
    axisX->append(categories);
    if (categories.size() > 20)
        axisX->setLabelsAngle(-90);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis;
    axisY->setRange(0, highest);
    axisY->setTickCount(std::min(highest, 10) + 1);
    axisY->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    chart->legend()->setAlignment(Qt::AlignTop);
    Chart->setChart(chart);
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
    bool saved = false;
    if (extension == QStringLiteral("png")) {
        saved = Chart->grab().save(fileName, "PNG");
    } else if (extension == QStringLiteral("pdf")) {
        QPdfWriter writer(fileName);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setTitle(windowTitle());
        QPainter painter;
        if (painter.begin(&writer)) {
            const QRect page = painter.viewport();
            const QPixmap image = Chart->grab();
            const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
            painter.drawPixmap(QRect(page.topLeft(), size), image);
            saved = painter.end();
        }
    } else {
        Dialogs::current().error(QStringLiteral("Dê ao arquivo um nome terminado em .png (imagem) ou .pdf."));
        return false;
    }
    if (!saved)
        Dialogs::current().error(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(fileName));
    return saved;
}

void TFEquilibrio::ButtonImprimirClick()
{
    if (!m_balance)
        return;
    // The printout: the chart's figures as a table, the spreads and the findings.
    QStringList lines{windowTitle(), CountAudit::RosterLabel(m_balance->audit) + QStringLiteral(" em ")
                                             + Dates::show(Clock::today()),
                      QString()};
    lines << QStringLiteral("Num     Pt    Vm   Marca");
    for (const auto& member : m_balance->members) {
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
    PrintDocument(this, windowTitle(), [lines](PageDevice& page) {
        PageLines out(page, QStringLiteral("Courier New"), 10, 50, 0, 0);
        for (const QString& line : lines)
            out.line(line);
        out.end();
    });
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
