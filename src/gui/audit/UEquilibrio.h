#pragma once
// "Equilíbrio das escalas e auditoria dos pontos" (item 4 of "Consultas"): for a chosen roster,
// each member's black and red counts as bars, the spread of each kind, the members on a real
// absence greyed, the next picks marked, and what the audit of the counts found. The chart can be
// printed, and saved as a PNG image of the chart or as a PDF of the printout.

#include "audit/CountAudit.h"
#include "common/FormWindow.h"
#include "common/PrintJob.h"

#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class BalanceChartView;

class TFEquilibrio : public FormWindow {
    Q_OBJECT
public:
    explicit TFEquilibrio(QWidget* parent = nullptr);

    QComboBox* ComboSv = nullptr;         // the registered services, "Descr (código)"
    BalanceChartView* Chart = nullptr;         // the bars: Pt and Vm per member
    QScrollArea* ChartArea = nullptr;     // scrolls a long roster sideways
    QLabel* LabelResumo = nullptr;        // spreads and next picks
    QLabel* LabelNota = nullptr;          // what the next picks leave out
    QListWidget* ListAchados = nullptr;   // the audit's findings
    QPushButton* ButtonIniciar = nullptr;   // gives the log a start where it has none
    QPushButton* ButtonImprimir = nullptr;
    QPushButton* ButtonSalvar = nullptr;
    QPushButton* ButtonSair = nullptr;

    // Shows the balance of roster `code` (an entry of ComboSv).
    void showRoster(int code);
    // Writes the chart to `fileName`: PNG or PDF by its extension. False with an error box otherwise.
    bool saveChart(const QString& fileName);

public slots:
    void FormActivate() override;
    void ComboSvChange();
    void ButtonIniciarClick();
    void ButtonImprimirClick();
    void ButtonSalvarClick();
    void ButtonSairClick();

private:
    QStringList summaryLines() const;
    QString chartTitle() const;
    Drawing printout() const;   // the chart in strips, its figures and the findings
    std::optional<CountAudit::Balance> m_balance;
};

// Shows the window modally over `parent`.
void OpenBalance(QWidget* parent);
