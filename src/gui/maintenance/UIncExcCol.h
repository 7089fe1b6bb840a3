#pragma once
// "Inclusão/Exclusão Coletiva" (item 2 of "Manutenção"): registers the soldiers of a collective
// inclusion file, removes many soldiers at once, and puts the soldiers selected in the right column
// (the beige list of the last inclusion, or the blue list of every soldier) into the services the
// keeper ticks and out of all others.

#include "common/FormWindow.h"

#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QListView;
class QListWidget;
class QModelIndex;
class QPushButton;
class QRadioButton;
class QStackedLayout;
class QStackedWidget;
class QTreeView;
class QVBoxLayout;

class TFIncExcCol : public FormWindow {
    Q_OBJECT
public:
    explicit TFIncExcCol(QWidget* parent = nullptr);

    QLabel* LTitulo = nullptr;              // "Inclusão Coletiva deMilitares"
    QLabel* LNoSistema = nullptr;           // "    No Sistema   "
    QLabel* LNasEscalas = nullptr;          // "Nas Escalas"
    QLabel* LRelacao = nullptr;             // "Relação de Todos militares"
    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QListView* FileListBox1 = nullptr;      // "*.Txt"
    QListWidget* ListBox1 = nullptr;        // the lines of the chosen file
    QListWidget* ListBox4 = nullptr;        // the beige list: soldiers of the last "Incluir "
    QListWidget* ListBox2 = nullptr;        // the blue list: every registered soldier
    QListWidget* ListBox3 = nullptr;        // grey, always empty
    QPushButton* Button2 = nullptr;         // "Procurar Novo Arquivo"
    QPushButton* BIncluir = nullptr;        // "Incluir "
    QPushButton* BExcluir = nullptr;        // "Excluir"
    QGroupBox* GBUsarArquivo = nullptr;     // "Usar Arquivo"
    QRadioButton* RBBege = nullptr;
    QRadioButton* RBAzul = nullptr;
    QPushButton* Button1 = nullptr;         // "Retorna Grade Azul"
    QPushButton* BEscolher = nullptr;       // "Escolher Serviços"
    QPushButton* BGravar = nullptr;         // "Gravar"
    QPushButton* Button4 = nullptr;         // "Sair"

    // Services chosen and not yet saved.
    bool choicePending() const { return m_choicePending; }
    // Shows the folder in the file browser.
    void showFolder(const QString& path);
    // The list in the right column, in front: ListBox3, ListBox4 or ListBox2.
    QListWidget* rightColumnList() const;
    // Whether the blue list stands in the middle column.
    bool blueListInMiddle() const;

public slots:
    void FormActivate() override;
    void FileListBox1Click(const QModelIndex& index);
    // Loads a file's lines into ListBox1 and shows it in place of the file browser.
    void LoadFileLines(const QString& path);
    void Button2Click();
    void BIncluirClick();
    void BExcluirClick();
    void RBBegeClick();
    void RBAzulClick();
    void Button1Click();
    void BEscolherClick();
    void BGravarClick();
    void Button4Click();
    void FormClose();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillBlueList();
    void moveBlueListToMiddle();
    void showBrowser(bool browsing);

    QFileSystemModel* m_folders = nullptr;
    QFileSystemModel* m_files = nullptr;
    QStackedWidget* m_left = nullptr;
    QVBoxLayout* m_middle = nullptr;
    QStackedLayout* m_right = nullptr;
    QLabel* m_blueAway = nullptr;   // stands in the middle column while the blue list is on the right
    bool m_choicePending = false;
};

// Shows the window modally over `parent`.
void OpenCollectiveInclusion(QWidget* parent);
