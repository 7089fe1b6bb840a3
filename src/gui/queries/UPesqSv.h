#pragma once
// "Pesquisa de Serviços": the keeper searches the history by period, services, soldier number and
// day kind, browses the rows in a read-only grid, and prints all of them or the rows picked with
// Ctrl and the mouse.

#include "audit/CalendarExport.h"
#include "common/FormWindow.h"

#include <QList>

class HistoryGridModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QToolButton;
class QWidget;

class TFPesqSv : public FormWindow {
    Q_OBJECT
public:
    explicit TFPesqSv(QWidget* parent = nullptr);

    QLabel* LTitulo = nullptr;      // "Consultas a Histórico de Serviços"
    QLineEdit* Edit1 = nullptr;     // "Data Início"
    QLineEdit* Edit2 = nullptr;     // "Data Fim"
    QLineEdit* Edit3 = nullptr;     // "Número "
    QRadioButton* RadioButton1 = nullptr;   // "Pt"
    QRadioButton* RadioButton2 = nullptr;   // "Vm"
    QRadioButton* RadioButton3 = nullptr;   // "Ambas"
    QPushButton* Button3 = nullptr;         // "Serviços?"
    QPushButton* Button2 = nullptr;         // "Pesquisar"
    QLabel* LServicos = nullptr;            // the services chosen for the next search
    QTableView* DBGPesqSv = nullptr;
    QWidget* DBNavigator1 = nullptr;
    QToolButton* nbFirst = nullptr;
    QToolButton* nbPrior = nullptr;
    QToolButton* nbNext = nullptr;
    QToolButton* nbLast = nullptr;
    QPushButton* BExportarIcal = nullptr;   // "Exportar iCal": the period and number of the boxes
    QPushButton* BExportarCsv = nullptr;    // "Exportar CSV": the grid as shown
    QPushButton* BImprimir = nullptr;
    QPushButton* BSair = nullptr;

    // The services chosen with "Serviços?" for the next search.
    const QList<int>& chosenServices() const { return m_services; }
    // The positions (0 = first) of the rows picked for printing, in grid order.
    QList<int> pickedRows() const;

public slots:
    void FormActivate() override;
    void Edit1Change();
    void Button3Click();
    void Button2Click();
    void BImprimirClick();
    void BExportarIcalClick();
    void BExportarCsvClick();
    void BSairClick();
    void moveTo(int row);   // the navigator: the current row, without picking it

private:
    QString chosenKind() const;
    void resetInputs();
    void showNavigator();
    void showChosenServices();

    HistoryGridModel* m_model = nullptr;
    // The period and number of the last search, for "Exportar iCal" once the boxes were cleared.
    CalendarExportInput m_searched;   // the grid's search, as the calendar export takes it
    QList<int> m_services;
};

// Opens the window modally (item 1 of the tab "Consultas").
void OpenHistorySearch(QWidget* parent);
