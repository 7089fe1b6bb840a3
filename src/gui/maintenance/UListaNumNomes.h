#pragma once
// The personnel lookup "Consulta Pessoal": finds soldiers by number, part of the name or rank.
// Beside other windows it helps the keeper find a number (F1); as a selector, callers take the
// numbers of the lines selected in its result list when it closes ("Sair" or the window's own close).

#include "common/FormWindow.h"
#include "maintenance/PersonnelLookup.h"
#include "data/ModelRecords.h"

#include <QStringList>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TFListaNumNomes : public FormWindow {
    Q_OBJECT
public:
    explicit TFListaNumNomes(QWidget* parent = nullptr);

    // The numbers of the selected result lines (each line's first 6 characters, trailing blanks
    // removed), in list order.
    QStringList selectedNumbers() const;

    QLabel* Label5 = nullptr;
    QLabel* LNumero = nullptr;      // "Número", above Edit5
    QLineEdit* Edit5 = nullptr;
    QLabel* LNome = nullptr;        // "Nome", above Edit4
    QLineEdit* Edit4 = nullptr;
    QLabel* LPosto = nullptr;       // "Posto", above ListBox2
    QListWidget* ListBox2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QLabel* LSelecione = nullptr;   // "Selecione os Militares", above ListBox1
    QListWidget* ListBox1 = nullptr;
    QPushButton* Button2 = nullptr;

public slots:
    void FormActivate() override;
    void Edit5Click();
    void Edit4Click();
    void ListBox2MouseDown();
    void Button1Click();
    void Button3Click();
    void ListBox1DblClick();
    void Button2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showResults();
    void restoreSearchFields();
    void collapseRankList();
    void expandRankList();
    void listEverySoldier();
    void openPersonnelQuery();

};
