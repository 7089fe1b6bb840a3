#include "UPrincipal.h"

#include "CapaPage.h"
#include "audit/UEquilibrio.h"
#include "common/BusyCursor.h"
#include "common/ClickableLabel.h"
#include "common/Dialogs.h"
#include "common/FormWindow.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "common/ScreenFit.h"
#include "common/SharedWindows.h"
#include "data/DataFiles.h"
#include "data/DataFolder.h"
#include "data/ModelRefresh.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/MaintenancePage.h"
#include "maintenance/UIncExcAltSv.h"
#include "maintenance/UIncExcCol.h"
#include "maintenance/UIncExcInd.h"
#include "maintenance/UPreencheCapa.h"
#include "maintenance/USaiEscTemp.h"
#include "maintenance/UModelosPstGrd.h"
#include "maintenance/UEqualZerar.h"
#include "maintenance/UBackup.h"
#include "maintenance/UEditaTabelas.h"
#include "maintenance/ImportItems.h"
#include "maintenance/ResetItems.h"
#include "manual/ManualRosterPage.h"
#include "manual/ManualRosterTab.h"
#include "manual/SwapPage.h"
#include "manual/SwapTab.h"
#include "queries/ConsultasPage.h"
#include "queries/UQuadroSv.h"
#include "queries/UPesqSv.h"
#include "queries/MembershipLists.h"
#include "queries/UQuadroEscalas.h"
#include "rostering/AutoRosterPage.h"
#include "rostering/AutoRosterTab.h"
#include "rostering/Commit.h"
#include "rostering/Priorities.h"
#include "rostering/USemExped.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolTip>

TFPrincipal::TFPrincipal(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FPrincipal"));
    ShowUnitInWindowTitles();
    setWindowTitle(QStringLiteral("Página Principal da Aplicação"));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    Capa = new CapaPage;
    Consultas = new ConsultasPage;
    EscalarAutomatico = new AutoRosterPage;
    EscalarManual = new ManualRosterPage;
    TrocasSv = new SwapPage;
    Manutencao = new MaintenancePage;
    const struct {
        QWidget* page;
        const char* name;
        QString caption;
        const char* section;
    } tabs[] = {
        {Capa, "TabCapa", QStringLiteral("Capa"), "001"},
        {Consultas, "TabConsultas", QStringLiteral("Consultas"), "002"},
        {EscalarAutomatico, "TabEscalarAutomatico", QStringLiteral("Escalar Automático"), "003"},
        {EscalarManual, "TabEscalarManual", QStringLiteral("Escalar Manual"), "004"},
        {TrocasSv, "TabTrocasSv", QStringLiteral("Trocas Sv"), "005"},
        {Manutencao, "TabManutencao", QStringLiteral("Manutenção"), "006"},
    };
    for (const auto& tab : tabs) {
        tab.page->setObjectName(QLatin1String(tab.name));
        PageControl1->addTab(tab.page, tab.caption);
        OpenManualOnBackgroundPress(tab.page, QLatin1String(tab.section));
    }
    setCentralWidget(PageControl1);
    resize(FittingSize(LargestWindow, this));

    showCover();
    connect(Capa->Idt, &ClickableLabel::clicked, this, &TFPrincipal::IdtClick);
    connect(Capa->Button2, &QPushButton::clicked, this, &TFPrincipal::Button2Click);

    connect(Manutencao, &MaintenancePage::itemChosen, this, &TFPrincipal::routeMaintenanceItem);
    connect(Consultas->Label34, &ClickableLabel::clicked, this, &TFPrincipal::Label34Click);
    connect(Consultas->Label9, &ClickableLabel::clicked, this, &TFPrincipal::Label9Click);
    connect(Consultas->LabelEquilibrio, &ClickableLabel::clicked, this, &TFPrincipal::LabelEquilibrioClick);
    AutoRoster = new AutoRosterTab(EscalarAutomatico, this);
    connect(AutoRoster, &AutoRosterTab::lastRosteredDayChanged, this, &TFPrincipal::showLastRosteredDay);
    Swap = new SwapTab(TrocasSv, EscalarAutomatico->ListBox5, this);
    connect(TrocasSv->Label32, &ClickableLabel::clicked, Swap, &SwapTab::Label32Click);
    connect(TrocasSv->Label45, &ClickableLabel::clicked, Swap, &SwapTab::Label45Click);
    ManualRoster = new ManualRosterTab(EscalarManual, this);
    connect(ManualRoster, &ManualRosterTab::lastRosteredDayChanged, this, &TFPrincipal::showLastRosteredDay);
    connect(Consultas->Label33, &ClickableLabel::clicked, this, &TFPrincipal::Label33Click);

    OpenLookupOnF1(this);
    qApp->installEventFilter(this);
}

TFPrincipal::~TFPrincipal()
{
    qApp->removeEventFilter(this);
}

void TFPrincipal::showCover()
{
    // The logo and the cover text; a missing logo leaves its place empty.
    Capa->Image2->setPixmap(QPixmap(DataFolder::file(QStringLiteral("Logo_Vex.Bmp"))));
    PageControl1->setCurrentWidget(Capa);
    const QStringList& cover = Global().CoverLines;
    Capa->Label16->setText(cover.mid(0, 4).join(QLatin1Char('\n')));
}

bool TFPrincipal::activationDueAfter(const QWidget* previous) const
{
    if (!m_activatedOnce)
        return true;
    if (!previous || previous == this)
        return false;
    // Only the windows shown beside the main window, without blocking it, bring it back.
    return IsSharedWindow(previous);
}

bool TFPrincipal::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow()) {
            const QPointer<QWidget> previous = m_lastActive;
            m_lastActive = window;
            if (window == this && activationDueAfter(previous))
                FormActivate();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFPrincipal::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The first show is the first activation, also where no window manager hands out the focus.
    if (!m_activatedOnce)
        FormActivate();
}

void TFPrincipal::FormActivate()
{
    m_activatedOnce = true;
    // The rosters are reloaded below: a verification waiting on the tab is no longer valid.
    AutoRoster->discardWaitingVerification();
    Guarded([this] {
        GlobalModel& g = Global();
        // A cover without a picture shows none; the activation goes on.
        const QString picture = g.CoverLines.value(4);
        Capa->showCoverPicture(picture.isEmpty() ? QString() : DataFolder::file(picture));
        EscalarAutomatico->BEscalar->hide();
        RefreshModelFromStore();
        showLastRosteredDay(g.LastRosteredDay);
    });
}

void TFPrincipal::routeMaintenanceItem(const QString& item)
{
    if (item == QStringLiteral("Label8"))
        Label8Click();
    else if (item == QStringLiteral("Label35"))
        Label35Click();
    else if (item == QStringLiteral("Label10"))
        Label10Click();
    else if (item == QStringLiteral("Label11"))
        Label11Click();
    else if (item == QStringLiteral("Label3"))
        Label3Click();
    else if (item == QStringLiteral("Label14"))
        OpenRankModels(this);
    else if (item == QStringLiteral("Label6"))
        OpenEqualiseZero(this);
    else if (item == QStringLiteral("Label38")) {
        OpenTableBrowser(this);
        Manutencao->ListBox1->hide();
    }
    else if (item == QStringLiteral("Label15"))
        Label15Click();
    else if (item == QStringLiteral("Label18"))
        Label18Click();
    else if (item == QStringLiteral("Label17"))
        ResetToInitialData(this);
    else if (item == QStringLiteral("LImportar"))
        ImportOldFolder(this);
    else if (item == QStringLiteral("Label12"))
        PurgeHistory(this);   // the tab has hidden ListBox1 already
    else if (item == QStringLiteral("Label1") || item == QStringLiteral("Label2") || item == QStringLiteral("Label4")
             || item == QStringLiteral("Label5") || item == QStringLiteral("Label13"))
        openRegisterWindow(item);
}

void TFPrincipal::openRegisterWindow(const QString& item)
{
    // Each of these items hides the result list when its work is done.
    Manutencao->ListBox1->hide();
    if (item == QStringLiteral("Label1"))
        OpenIndividualInclusion(this);
    else if (item == QStringLiteral("Label2"))
        OpenCollectiveInclusion(this);
    else if (item == QStringLiteral("Label4"))
        OpenAbsences(this);
    else if (item == QStringLiteral("Label5"))
        ReturnToAllRosters(this);
    else if (item == QStringLiteral("Label13"))
        OpenServiceRegister(this);
    Manutencao->ListBox1->hide();
}

void TFPrincipal::showLastRosteredDay(const QString& text)
{
    EscalarAutomatico->LUltimaEscala->setText(text);
    EscalarManual->Label53->setText(text);
}

void TFPrincipal::Label35Click()
{
    Guarded([this] {
        Dialogs& dialogs = Dialogs::current();
        dialogs.message(UndoWarning);
        const QString answer = dialogs.input(UndoCaption, UndoPrompt, QString());
        UndoOutcome outcome;
        {
            BusyCursor busy;
            // An undo from beyond the day after the last rostered day is asked about first.
            outcome = UndoFromAnswer(answer, AskBeforeLoss);
        }
        if (!outcome.message.isEmpty())
            dialogs.message(outcome.message);
        if (outcome.ran) {
            showLastRosteredDay(Global().LastRosteredDay);
            AutoRoster->discardWaitingVerification();
        }
        if (!outcome.notice.isEmpty())
            dialogs.message(outcome.notice);
    });
}

void TFPrincipal::Label15Click()
{
    if (!OpenCoverEditor(this))
        return;
    // The cover shows the new lines and picture at once; a picture that cannot be shown is said.
    Capa->Label16->setText(Global().CoverLines.mid(0, 4).join(QLatin1Char('\n')));
    const QString picture = Global().CoverLines.value(4);
    Capa->showCoverPicture(picture.isEmpty() ? QString() : DataFolder::file(picture));
    if (!picture.isEmpty() && QPixmap(DataFolder::file(picture)).isNull())
        Dialogs::current().error(QStringLiteral("A foto da capa \"%1\" não pôde ser carregada: o arquivo não existe na "
                                                "pasta de dados ou não é uma imagem.").arg(picture));
}

void TFPrincipal::Label18Click()
{
    OpenBackup(this);
    // The backup window read Niveis.Txt again when it closed; a restore brought other files too.
    Guarded([this] {
        GlobalModel& g = Global();
        Capa->Label16->setText(g.CoverLines.mid(0, 4).join(QLatin1Char('\n')));
        const QString picture = g.CoverLines.value(4);
        Capa->showCoverPicture(picture.isEmpty() ? QString() : DataFolder::file(picture));
        g.LastRosteredDay = DataFiles::ReadLastRosteredDay();
        showLastRosteredDay(g.LastRosteredDay);
    });
}

void TFPrincipal::Label34Click()
{
    OpenServicesPerSoldier(this);
}

void TFPrincipal::Label8Click()
{
    OpenRedDayCalendar(this, EscalarAutomatico->LUltimaEscala->text());
    Manutencao->ListBox1->hide();
}

TFQuadroEscalas& TFPrincipal::QuadroEscalas()
{
    if (!m_quadroEscalas)
        m_quadroEscalas = new TFQuadroEscalas(this);
    return *m_quadroEscalas;
}

void TFPrincipal::Label9Click()
{
    ShowModal(QuadroEscalas());
}

void TFPrincipal::LabelEquilibrioClick()
{
    OpenBalance(this);
}

namespace {
// Items 8 and 9 show their list in ListBox1, on the colour of each.
void showMembershipList(QListWidget* list, const QColor& background, const QStringList& lines)
{
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, background);
    list->setPalette(palette);
    list->clear();
    list->addItems(lines);
    list->show();
}
}

void TFPrincipal::Label10Click()
{
    Guarded([this] {
        BusyCursor busy;
        showMembershipList(Manutencao->ListBox1, QColor(Qt::cyan), RegisteredInNoRoster());
    });
}

void TFPrincipal::Label11Click()
{
    Guarded([this] {
        BusyCursor busy;
        showMembershipList(Manutencao->ListBox1, QToolTip::palette().color(QPalette::ToolTipBase), InRosterNotRegistered());
    });
}

void TFPrincipal::Label3Click()
{
    Guarded([this] {
        if (!AskBeforeLoss(PriorityQuestion))
            return;
        BusyCursor busy;
        CalculatePriorities(Clock::today());
        QuadroEscalas().FillWithEverySoldier();
    });
}

void TFPrincipal::Label33Click()
{
    OpenHistorySearch(this);
}

void TFPrincipal::IdtClick()
{
    Dialogs::current().message(QStringLiteral("Ravelha - Sistema de Escalas de Serviço\n"
                                              "Feito para o sargenteante da unidade.\n"
                                              "Versão %1").arg(QApplication::applicationVersion()));
}

void TFPrincipal::Button2Click()
{
    close();
}
