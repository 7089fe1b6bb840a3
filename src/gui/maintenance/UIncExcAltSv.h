#pragma once
// "Cadastro dos Serviços" (item 13 of "Manutenção"): adds a service under a free code, removes one
// (a service the history still lists is retired instead) or changes its data; the listing of the
// thirty codes stands at the right. A removal that would empty a roster with members asks first.

#include "common/FormWindow.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFIncExcAltSv : public FormWindow {
    Q_OBJECT
public:
    explicit TFIncExcAltSv(QWidget* parent = nullptr);

    QLabel* Label9 = nullptr;            // "Cadastro dos Serviços"
    QLineEdit* Edit1 = nullptr;          // "Código"
    QLineEdit* Edit2 = nullptr;          // "Descrição"
    QLineEdit* Edit3 = nullptr;          // "Quantidade"
    QLineEdit* Edit4 = nullptr;          // "Prioridade"
    QLineEdit* Edit5 = nullptr;          // "Início do Serviço"
    QLineEdit* Edit6 = nullptr;          // "Final do Serviço"
    QLineEdit* Edit7 = nullptr;          // "Folga": shows "2", never editable
    std::array<QLabel*, 8> Labels{};     // Labels[1] to Labels[7]: the captions of Edit1 to Edit7
    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;   // "Incluir"
    QRadioButton* RadioButton2 = nullptr;   // "Excluir"
    QRadioButton* RadioButton3 = nullptr;   // "Alterar"
    QPushButton* Button1 = nullptr;      // "Efetivar Inclusão" / "Efetivar Exclusão" / "Efetivar Alteração"
    QPushButton* Button2 = nullptr;      // "Limpar"
    QPushButton* Button3 = nullptr;      // "Sair"
    QPushButton* Button4 = nullptr;      // hidden: draws the services listing
    QLabel* Label8 = nullptr;            // the free codes, while "Incluir" is chosen
    QLabel* ListingTitle = nullptr;      // "Relação dos Serviços"
    QLabel* ListingLeft = nullptr;       // services 1 to 15, one a line
    QLabel* ListingRight = nullptr;      // services 16 to 30

public slots:
    void FormActivate() override;
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();
    void Edit1Change(const QString& text);
    void Edit3Exit();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Mode { None, Incluir, Excluir, Alterar };
    void setMode(Mode mode);
    void enableBoxes(bool all, bool codeOnly);
    void clearAll();
    void showService(int code);

    Mode m_mode = Mode::None;
    bool m_filling = false;   // the boxes are being filled by the window, not typed
};

// Shows the window modally over `parent`.
void OpenServiceRegister(QWidget* parent);
