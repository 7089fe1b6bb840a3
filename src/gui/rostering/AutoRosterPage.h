#pragma once
// The tab "Escalar Automático": the target day, "Verificar" and "Escalar", the computed roster and
// its messages, and their printing.

#include <QWidget>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class AutoRosterPage : public QWidget {
    Q_OBJECT
public:
    explicit AutoRosterPage(QWidget* parent = nullptr);

    QLabel* Label39 = nullptr;
    QLabel* LUltimaEscala = nullptr;
    QLabel* Label40 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QWidget* VerificarPlace = nullptr;   // the one spot of Button6 and BPrever
    QPushButton* Button6 = nullptr;
    QPushButton* BPrever = nullptr;
    QPushButton* BEscalar = nullptr;
    QPushButton* BDesfazer = nullptr;
    QLabel* Label56 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QAction* APorQue = nullptr;           // "Por que?" in the roster list's context menu
    QPushButton* BExportarCsv = nullptr;   // "Exportar CSV": the roster list as a spreadsheet
    QLabel* Label7 = nullptr;
    QListWidget* ListBox5 = nullptr;
    QListWidget* ListBox6 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button13 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton7 = nullptr;
};
