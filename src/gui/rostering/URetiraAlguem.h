#pragma once
// The choice after a computation: remove somebody and verify again, declare the roster ready, or
// go on checking.

#include "common/FormWindow.h"

class QRadioButton;

class TFRetiraAlguem : public FormWindow {
    Q_OBJECT
public:
    enum class Choice { None, Remove, Ready, Continue };

    explicit TFRetiraAlguem(QWidget* parent = nullptr);
    Choice choice() const { return m_choice; }

    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;

signals:
    // "Retirar algum militar da escala" was chosen: the removal window is to be shown now.
    void removalRequested();

public slots:
    void FormActivate() override;
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();

private:
    Choice m_choice = Choice::None;
};
