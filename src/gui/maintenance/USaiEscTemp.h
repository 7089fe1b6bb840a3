#pragma once
// "Afastamento Temporário dos Serviços" (item 3 of "Manutenção"): absences entered one after
// another into the register in memory, written by "Fim Entradas"; and the return of item 4.

#include "common/FormWindow.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFSaiEscTemp : public FormWindow {
    Q_OBJECT
public:
    explicit TFSaiEscTemp(QWidget* parent = nullptr);

    QLineEdit* Edit1 = nullptr;        // "Número"
    QLineEdit* Edit2 = nullptr;        // "Data Início"
    QLineEdit* Edit3 = nullptr;        // "Data Fim"
    QGroupBox* GroupBox1 = nullptr;    // "Afastamento"
    QRadioButton* RBPrev = nullptr;    // "Previsto"
    QRadioButton* RBReal = nullptr;    // "Real"
    QPushButton* Button1 = nullptr;    // "Gravar Registro"
    QPushButton* Button2 = nullptr;    // "Fim Entradas"

    // Whether absences were recorded since the window opened and not yet written.
    bool hasUnsavedEntries() const { return m_unsaved; }

    // The question asked before unsaved entries are dropped.
    static QString DropEntriesQuestion();

    // Back to the choice the program starts with: neither kind (each test case starts from it).
    static void ForgetKindChoice();

public slots:
    void FormActivate() override;
    void Button1Click();
    void Button2Click();
    // Closing by the close box or Escape: unsaved entries are dropped only if the keeper says so.
    void reject() override;

private:
    void emptyBoxes();
    bool m_unsaved = false;
};

// Shows the window modally over `parent`.
void OpenAbsences(QWidget* parent);

// Item 4: asks for a number, ends that soldier's absence and brings his counts up to the level of
// each of his rosters; the message of the return, if any, in a message box.
void ReturnToAllRosters(QWidget* parent);
