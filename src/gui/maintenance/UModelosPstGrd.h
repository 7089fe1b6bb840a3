#pragma once
// The rank model grid, item 14 of "Manutenção": row 0 headings, column 0 the model spelling of
// each rank, columns 1 to 10 other spellings of it. Every cell is editable; closing the window
// rewrites ModelosPstGrd.Txt and the rank list PstGrd.Txt made from it.

#include "common/FormWindow.h"

class QLabel;
class QPushButton;
class QTableWidget;

class TFModelosPstGrd : public FormWindow {
    Q_OBJECT
public:
    explicit TFModelosPstGrd(QWidget* parent = nullptr);

    static constexpr int CellWidth = 62;
    static constexpr int CellHeight = 16;

    QLabel* Label1 = nullptr;        // "Quadro Modelo de Postos e Graduações"
    QTableWidget* SGModelos = nullptr;
    QPushButton* Button1 = nullptr;  // "Sair"

    void done(int result) override;  // FormClose: the files are rewritten on every way out

public slots:
    void FormActivate() override;
    void Button1Click();

private:
    bool m_loaded = false;           // a grid that failed to load is never written back
};

// Item 14: the model grid, modally.
void OpenRankModels(QWidget* parent);
