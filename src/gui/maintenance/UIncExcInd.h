#pragma once
// "Inclusão/Exclusão de um Militar " (item 1 of "Manutenção"): one soldier into and out of the
// register, and the services whose rosters he takes part in. "Escolher" opens the service chooser
// with his present services ticked; "Gravar" makes every roster match the choice, for the number
// in the box (the same choice serves the next number too, until the chooser is opened again).

#include "common/FormWindow.h"

#include <QSet>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TFIncExcInd : public FormWindow {
    Q_OBJECT
public:
    explicit TFIncExcInd(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;          // "Numero"
    QLineEdit* Edit1 = nullptr;        // the number
    QLabel* Label2 = nullptr;          // "Pst/Grd"
    QComboBox* ComboBox1 = nullptr;    // the rank, from PstGrd.Txt
    QLabel* Label3 = nullptr;          // "Nome"
    QLineEdit* Edit2 = nullptr;        // the name
    QGroupBox* Panel1 = nullptr;       // "Inclusão/Exclusão no Sistema"
    QPushButton* BIncluir = nullptr;   // "Incluir "
    QPushButton* BExcluir = nullptr;   // "Excluir"
    QGroupBox* Panel2 = nullptr;       // "Inclusão/Exclusão em Serviços"
    QPushButton* BEscolher = nullptr;  // "Escolher"
    QPushButton* BGravar = nullptr;    // "Gravar"
    QPushButton* Button4 = nullptr;    // "Sair"
    QPlainTextEdit* Memo1 = nullptr;   // the note shown while the chooser is open

    // From "Escolher" until the choice is saved by "Gravar".
    bool choicePending() const { return m_choicePending; }

public slots:
    void FormActivate() override;
    void Edit1Change();
    void BIncluirClick();
    void BIncluirExit();
    void BExcluirClick();
    void BEscolherClick();
    void BGravarClick();
    void Button4Click();
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void emptyRank();

    bool m_choicePending = false;
    QSet<int> m_chosen;   // the services ticked when the chooser last closed
};

// Shows the window modally over parent.
void OpenIndividualInclusion(QWidget* parent);
