#pragma once
// "Equalizar / Zerar Arquivos dos Serviços" (item 6 of "Manutenção"): lowers every roster by its
// lowest counts, or sets the chosen rosters to 0. Neither asks first nor reports when done; an
// error of the core is shown in an error box and leaves the tables as they were.

#include "common/FormWindow.h"

class QLabel;
class QPushButton;

class TFEqualZerar : public FormWindow {
    Q_OBJECT
public:
    explicit TFEqualZerar(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;        // "Escolha uma opção"
    QPushButton* Button1 = nullptr;  // "Equalizar Tabelas"
    QPushButton* Button2 = nullptr;  // "Zerar Tabelas"
    QPushButton* Button3 = nullptr;  // "Sair"

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
};

// Shows the window modally over `parent`.
void OpenEqualiseZero(QWidget* parent);
