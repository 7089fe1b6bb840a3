#pragma once
// "Cópia de Segurança" (item 16 of "Manutenção"): saves the whole data set into the backup folder,
// restores the data folder from it (then the program ends), and opens the window that moves the
// copy to another medium. Closing it reads Niveis.Txt again (cover and backup folder).

#include "common/FormWindow.h"

#include <functional>

class QLabel;
class QPushButton;

class TFBackup : public FormWindow {
    Q_OBJECT
public:
    explicit TFBackup(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;          // "Cópias de Segurança"
    QLabel* Label2 = nullptr;          // where the copies are made now
    QPushButton* BSalvar = nullptr;
    QPushButton* BRecuperar = nullptr;
    QPushButton* Button1 = nullptr;    // "Alterar local da cópia"
    QPushButton* BSair = nullptr;

    // Whether the last restore ended the program.
    bool restored() const { return m_restored; }

public slots:
    void FormActivate() override;
    void BSalvarClick();
    void BRecuperarClick();
    void Button1Click();
    void BSairClick();
    void FormClose();

protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool m_restored = false;
};

// Shows the window modally over `parent`.
void OpenBackup(QWidget* parent);

// Ends the program after a restore or a change of the backup location (the keeper starts it again).
void EndTheProgram();
// Tests: what ending the program does instead; an empty function goes back to quitting.
void SetProgramEndForTests(std::function<void()> end);
