#pragma once
// "Edição das Tabelas do sistema" (item 7 of "Manutenção"): the keeper looks at the tables and
// corrects them in place. Four options: the service register, the personnel register (with its
// searches), the roster table of one service, and one roster with its members' personnel data
// (read-only, printable). A typed value is checked before it is stored; a refused one is told and
// the row keeps its old values. Closing the window brings every rank to its model spelling.

#include "common/FormWindow.h"

class BrowserQueryModel;
class BrowserTableModel;
class QAbstractItemModel;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSqlQuery;
class QTableView;
class QToolButton;
class ClickableLabel;
class BrowserGridDelegate;

class TFEditaTabelas : public FormWindow {
    Q_OBJECT
public:
    explicit TFEditaTabelas(QWidget* parent = nullptr);
    ~TFEditaTabelas() override;

    // What the grid shows.
    enum class Shown { Nothing, Services, Personnel, PersonnelSearch, Roster, RosterWithPersonnel };
    Shown shown() const { return m_shown; }
    // The model behind the grid (a table model for options 1 to 3, a query model otherwise).
    QAbstractItemModel* gridModel() const;
    BrowserTableModel* tableModel() const { return m_table; }
    BrowserQueryModel* queryModel() const { return m_query; }
    // The service the roster views show (0 before one is chosen).
    int shownService() const { return m_service; }

    QFrame* Bevel1 = nullptr;           // the raised bar behind the chosen option
    ClickableLabel* Label2 = nullptr;   // option 1
    ClickableLabel* Label1 = nullptr;   // option 2
    ClickableLabel* Label6 = nullptr;   // option 3
    ClickableLabel* Label3 = nullptr;   // option 4
    QPushButton* Button8 = nullptr;     // "Pesquisar"
    QPushButton* Button2 = nullptr;     // "Pesquisa Nº"
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button3 = nullptr;     // "Pesquisa Nome"
    QLineEdit* Edit2 = nullptr;
    QGroupBox* Panel1 = nullptr;        // "Afastamento"
    QPushButton* Button4 = nullptr;     // "P"
    QPushButton* Button5 = nullptr;     // "R"
    QPushButton* Button6 = nullptr;     // "P+R"
    QPushButton* Button7 = nullptr;     // "Ver Todos"
    QPushButton* Button9 = nullptr;     // "Ajuda"
    QLabel* Label4 = nullptr;           // "Situação da Escada de :"
    QLabel* Label5 = nullptr;           // the chosen service's Descr
    QPlainTextEdit* Memo1 = nullptr;    // the notice of option 4
    QTableView* DBGEditor = nullptr;
    QWidget* DBNEditor = nullptr;
    QToolButton* nbFirst = nullptr;
    QToolButton* nbPrior = nullptr;
    QToolButton* nbNext = nullptr;
    QToolButton* nbLast = nullptr;
    QToolButton* nbEdit = nullptr;
    QToolButton* nbPost = nullptr;
    QToolButton* nbCancel = nullptr;
    QToolButton* nbRefresh = nullptr;
    QAction* ActionDelete = nullptr;    // "Excluir" (Delete key, grid's menu)
    QPushButton* BitBtn1 = nullptr;     // "Impressão"
    QPushButton* Button1 = nullptr;     // "Sair"

    // The option texts, the notice's lines.
    static QStringList noticeLines();

public slots:
    void FormActivate() override;
    void Label2Click();
    void Label1Click();
    void Label6Click();
    void Label3Click();
    void Button8Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button9Click();
    void BitBtn1Click();
    void Memo1Click();
    void Button1Click();
    void FormClose();
    // Deletes the rows picked in the grid (or the current one), after asking.
    void DeleteRows();

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveBar(ClickableLabel* option);
    void hideSearch();
    void hideServiceHeading();
    void showTable(const QString& tableOrFileName, Shown shown);
    void showQuery(QSqlQuery query, Shown shown);
    void attach(QAbstractItemModel* model, bool editable);
    void search(int kind, const QString& typed);
    int chooseService();
    void moveTo(int row);
    QList<int> pickedRows() const;
    void showRefusal(const QString& message);
    void updateNavigator();

    BrowserTableModel* m_table = nullptr;
    BrowserQueryModel* m_query = nullptr;
    BrowserGridDelegate* m_delegate = nullptr;
    Shown m_shown = Shown::Nothing;
    int m_service = 0;
    bool m_closing = false;
};

// Shows the window modally over `parent`.
void OpenTableBrowser(QWidget* parent);

// The notice of option 4 shows on its first use in a run of the program; a new run (a test) shows
// it again.
void ResetTableBrowserNotice();
