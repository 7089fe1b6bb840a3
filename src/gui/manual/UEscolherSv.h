#pragma once
// The service chooser: one box per service code and "Todos". A caller clears the selection marks,
// shows it modally, then reads the marks ("S") of the services the keeper ticked.

#include "common/FormWindow.h"

#include <array>

class QCheckBox;
class QPushButton;

class TFEscolherSv : public FormWindow {
    Q_OBJECT
public:
    explicit TFEscolherSv(QWidget* parent = nullptr);

    std::array<QCheckBox*, 31> CheckBox{};   // CheckBox[1] to CheckBox[30]; CheckBox31 is Todos
    QCheckBox* CheckBox31 = nullptr;
    QPushButton* Button6 = nullptr;

public slots:
    void FormActivate() override;
    void FormClose();
    void Button6Click();
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

// Clears the marks, lets the keeper choose, and leaves the marks of the chosen services.
void ChooseServices(QWidget* parent);
