#pragma once
// The window that moves the backup copy to another medium. It shows the medium in use; "Alterar"
// shows the drive chooser (the machine's mounted volumes). Closing it applies the choice: a new
// medium is recorded in Niveis.Txt and the program ends; the medium in use, or none chosen,
// changes nothing. A medium that is not there is said and changes nothing.

#include "common/FormWindow.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TFCopiaSeg : public FormWindow {
    Q_OBJECT
public:
    explicit TFCopiaSeg(QWidget* parent = nullptr);

    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label1 = nullptr;       // "Local Atual"
    QLineEdit* EDrive = nullptr;    // the medium in use
    QPushButton* BAlterar = nullptr;
    QFrame* Panel1 = nullptr;       // holds the chooser and its caption
    QLabel* Label2 = nullptr;       // "Mudar para:"
    QComboBox* CBDrive = nullptr;   // the media of the machine
    QPushButton* Button1 = nullptr; // "Sair"

    // Whether closing the window changed the location (the program then ends).
    bool changed() const { return m_changed; }

public slots:
    void FormActivate() override;
    void BAlterarClick();
    void Button1Click();
    void FormClose();

protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QString m_folder;    // the current folder when the window opened
    QString m_medium;    // the medium shown in EDrive
    bool m_changed = false;
};

// Shows the window modally over `parent`; true when the location changed.
bool OpenBackupLocation(QWidget* parent);
