#pragma once
// The tab "Consultas": the questions the keeper asks of the history and the rosters.

#include <QWidget>

class ClickableLabel;

class ConsultasPage : public QWidget {
    Q_OBJECT
public:
    explicit ConsultasPage(QWidget* parent = nullptr);

    ClickableLabel* Label33 = nullptr;
    ClickableLabel* Label34 = nullptr;
    ClickableLabel* Label9 = nullptr;
    ClickableLabel* LabelEquilibrio = nullptr;   // the balance of the rosters and the audit of the counts
};
