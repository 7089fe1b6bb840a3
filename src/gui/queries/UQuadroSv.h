#pragma once
// "Quadro dos Serviços": the services each soldier served in a period, on black days, red days or
// both, as a table of soldiers by services with the sums. The table can be narrowed to chosen
// soldiers (through the personnel lookup) or chosen services, and printed. Nothing is written.

#include "common/FormWindow.h"
#include "queries/ServicesPerSoldier.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

class TFQuadroSv : public FormWindow {
    Q_OBJECT
public:
    explicit TFQuadroSv(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;            // De:
    QLineEdit* Edit2 = nullptr;            // Até:
    QRadioButton* RadioButton1 = nullptr;  // Preta
    QRadioButton* RadioButton2 = nullptr;  // Vermelha
    QRadioButton* RadioButton3 = nullptr;  // Ambas
    QPushButton* BExecutar = nullptr;      // Pesquisar
    QPushButton* Button4 = nullptr;        // Voltar Pesquisa
    QFrame* Panel1 = nullptr;              // narrow by soldiers
    QLabel* Label5 = nullptr;              // "Número, Nome ou Posto", on Panel1
    QPushButton* Button6 = nullptr;        // Serviços
    QTableWidget* SGQuadroSv = nullptr;    // the full table
    QTableWidget* SGQuadroSvAux = nullptr; // the narrowed table
    QLabel* LCabecalho = nullptr;          // the whole caption of the clicked column
    QPushButton* Button2 = nullptr;        // Imprimir
    QPushButton* BExportarCsv = nullptr;   // Exportar CSV: the table as shown
    QPushButton* Button3 = nullptr;        // Sair

public slots:
    void FormActivate() override;
    void Edit1Change();
    void EnablePesquisar();   // Edit1Click, Edit2Click, RadioButton1Click to RadioButton3Click
    void BExecutarClick();
    void Panel1Click();
    void Button6Click();
    void Button4Click();
    void Button2Click();
    void BExportarCsvClick();
    void Button3Click();
    void SGQuadroSvClick(int row, int column);
    void SGQuadroSvAuxClick(int row, int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DayKindChoice chosenKind() const;
    void showNarrowed();
    void showCaptionOf(QTableWidget* grid, int column);
    QTableWidget* visibleGrid() const;

    ServiceCounts m_counts;
    bool m_searched = false;
    Narrowing m_narrowing;
    SummaryTable m_shown;   // the table of the visible grid, for the printout
};

// Item 2 of the tab "Consultas": opens the window modally.
void OpenServicesPerSoldier(QWidget* parent);
