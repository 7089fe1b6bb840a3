#pragma once
// The main window "Página Principal da Aplicação": six tabs from which every operation starts.
// Its activation (cover picture, services and rosters reloaded, last rostered day re-read) runs when
// it is first shown and when the keeper comes back to it from the manual or the personnel lookup;
// closing a modal window gives the focus back without it.

#include <QMainWindow>
#include <QPointer>

class AutoRosterPage;
class AutoRosterTab;
class CapaPage;
class ConsultasPage;
class MaintenancePage;
class ManualRosterPage;
class ManualRosterTab;
class QTabWidget;
class SwapPage;
class SwapTab;
class TFQuadroEscalas;

class TFPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TFPrincipal(QWidget* parent = nullptr);
    ~TFPrincipal() override;

    QTabWidget* PageControl1 = nullptr;
    CapaPage* Capa = nullptr;
    ConsultasPage* Consultas = nullptr;
    AutoRosterPage* EscalarAutomatico = nullptr;
    ManualRosterPage* EscalarManual = nullptr;
    SwapPage* TrocasSv = nullptr;
    MaintenancePage* Manutencao = nullptr;
    AutoRosterTab* AutoRoster = nullptr;   // the handlers of "Escalar Automático"
    SwapTab* Swap = nullptr;               // the handlers of "Trocas Sv"
    ManualRosterTab* ManualRoster = nullptr;   // the handlers of "Escalar Manual"

    // Whether the activation runs when this window becomes active after `previous` had the focus.
    bool activationDueAfter(const QWidget* previous) const;

    // The board of soldiers by services, kept for the run (made on first use).
    TFQuadroEscalas& QuadroEscalas();

public slots:
    void FormActivate();
    void IdtClick();
    void Button2Click();
    void Label8Click();
    void Label35Click();
    void Label15Click();   // the cover editor
    void Label18Click();   // the backup copy: save, restore, place
    void Label34Click();   // "Consultas", item 2: the services of each soldier in a period
    void Label33Click();   // "Consultas" item 1: the history search
    void Label9Click();    // the board of soldiers by services
    void LabelEquilibrioClick();   // the balance of the rosters and the audit of the counts
    void Label10Click();   // registered soldiers in no roster
    void Label11Click();   // roster numbers not registered
    void Label3Click();    // the priorities of the services

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showCover();
    void showLastRosteredDay(const QString& text);
    void routeMaintenanceItem(const QString& item);
    void openRegisterWindow(const QString& item);   // items 1 to 4 and 13
    QPointer<QWidget> m_lastActive;
    bool m_activatedOnce = false;
    QPointer<TFQuadroEscalas> m_quadroEscalas;
};
