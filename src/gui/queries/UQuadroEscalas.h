#pragma once
// The board "Militares e Serviços": the soldiers chosen in the personnel lookup by the services,
// with "S" where a service's roster lists the soldier; narrowed to chosen services, and printed.
// The main window keeps one for the run: it shows the last board until the next "Pesquisar", and
// the priority calculation fills it with every soldier.

#include "common/FormWindow.h"
#include "queries/ServiceBoard.h"

class QLabel;
class QPushButton;
class QTableWidget;

class TFQuadroEscalas : public FormWindow {
    Q_OBJECT
public:
    explicit TFQuadroEscalas(QWidget* parent = nullptr);

    static constexpr int ColumnWidth = 30;
    static constexpr int NumColumnWidth = 44;   // a four-digit number reads whole
    static constexpr int RowHeight = 26;
    static constexpr int HeaderRowHeight = 36;  // a two-word name wraps onto two lines

    QLabel* Label1 = nullptr;        // "Militares e Serviços"
    QTableWidget* SGQuadroEscalas = nullptr;
    QTableWidget* SGQuadroEscalasAux = nullptr;
    QLabel* LCabecalho = nullptr;    // the clicked column's whole name, over the top row
    QPushButton* Button1 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button2 = nullptr;

    // The full board of every personnel record, shown (the priority calculation).
    void FillWithEverySoldier();

public slots:
    void Button1Click();
    void Button6Click();
    void Button4Click();
    void Button3Click();
    void Button2Click();
    void SGQuadroEscalasClick(int row, int column);
    void SGQuadroEscalasAuxClick(int row, int column);

private:
    void showFull(const ServiceBoard& board);
    void showHeaderOver(QTableWidget* grid, const ServiceBoard& board, int column);

    ServiceBoard m_full;
    ServiceBoard m_narrow;
};
