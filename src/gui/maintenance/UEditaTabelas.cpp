#include "UEditaTabelas.h"

#include "common/BusyCursor.h"
#include "common/ClickableLabel.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/PickingGrid.h"
#include "common/ModalWindows.h"
#include "common/PrintJob.h"
#include "common/ScreenFit.h"
#include "common/SharedWindows.h"
#include "data/UGlobal.h"
#include "maintenance/TableBrowser.h"
#include "maintenance/TableBrowserPrintout.h"
#include "maintenance/UCorrigePstGrd.h"
#include "manual/UEscolherSv.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSqlQuery>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace {

// The notice of option 4 shows on its first use in a run.
bool& noticePending()
{
    static bool pending = true;
    return pending;
}

constexpr int BarHeights[] = {16, 40, 64, 88};

QToolButton* navigatorButton(const QString& name, const QString& text, const QString& hint, QWidget* parent)
{
    auto* button = Named<QToolButton>(name, parent);
    button->setText(text);
    button->setToolTip(hint);
    button->setMinimumWidth(36);
    return button;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = Named<QPushButton>(name, caption, parent);
    b->setAutoDefault(false);
    return b;
}

}

// Tints the current row, and knows the editor that is open, so that the navigator can post or
// cancel it.
class BrowserGridDelegate : public CurrentRowTint {
public:
    using CurrentRowTint::CurrentRowTint;

    // Every value is typed as text, as the grid shows it (days dd/mm/yy), so that a wrong one can be
    // typed and then refused by name.
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        Q_UNUSED(option);
        Q_UNUSED(index);
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        m_editor = editor;
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setText(index.data(Qt::DisplayRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            model->setData(index, line->text(), Qt::EditRole);
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (m_editor == editor)
            m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    bool editing() const { return !m_editor.isNull(); }
    // Stores the value being typed (it is checked like any other).
    void post()
    {
        if (QWidget* editor = m_editor) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
    // Leaves the value being typed; the cell keeps what it had.
    void cancel()
    {
        if (QWidget* editor = m_editor)
            emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    }

private:
    mutable QPointer<QWidget> m_editor;
};

TFEditaTabelas::TFEditaTabelas(QWidget* parent) : FormWindow(QStringLiteral("013"), parent)
{
    setObjectName(QStringLiteral("FEditaTabelas"));
    setWindowTitle(QStringLiteral("Edição das Tabelas do sistema"));

    // The four options, one under the other, the raised bar behind the chosen one.
    auto* options = new QWidget(this);
    options->setObjectName(QStringLiteral("Options"));
    Bevel1 = Named<QFrame>(QStringLiteral("Bevel1"), options);
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Bevel1->setLineWidth(2);
    Bevel1->setAutoFillBackground(true);
    Label2 = new ClickableLabel(QStringLiteral("Label2"),
                                QStringLiteral("1.  Quadro com  as características dos Serviços existentes"), options);
    Label1 = new ClickableLabel(QStringLiteral("Label1"),
                                QStringLiteral("2.  Informações dos Militares que sejam de interesse para o Serviço"),
                                options);
    Label6 = new ClickableLabel(QStringLiteral("Label6"),
                                QStringLiteral("3.  Relação de cada Serviço com a quantidade de serviços por militar"),
                                options);
    Label3 = new ClickableLabel(
        QStringLiteral("Label3"),
        QStringLiteral("4.  Informações dos militares (opção 2) inseridas na Relação dos Serviços (opção 3)"), options);
    int widest = 0;
    const ClickableLabel* labels[] = {Label2, Label1, Label6, Label3};
    for (int i = 0; i < 4; ++i) {
        ClickableLabel* label = const_cast<ClickableLabel*>(labels[i]);
        label->adjustSize();
        label->move(16, BarHeights[i] + 2);
        widest = std::max(widest, label->width());
    }
    options->setFixedSize(widest + 32, BarHeights[3] + 30);

    // The searches of option 2.
    auto* searches = new QWidget(this);
    Button8 = button(QStringLiteral("Button8"), QStringLiteral("Pesquisar"), searches);
    Button2 = button(QStringLiteral("Button2"), QStringLiteral("Pesquisa Nº"), searches);
    Edit1 = Named<QLineEdit>(QStringLiteral("Edit1"), searches);
    Button3 = button(QStringLiteral("Button3"), QStringLiteral("Pesquisa Nome"), searches);
    Edit2 = Named<QLineEdit>(QStringLiteral("Edit2"), searches);
    Edit1->setMaximumWidth(70);
    Edit2->setMaximumWidth(150);
    Panel1 = Named<QGroupBox>(QStringLiteral("Panel1"), QStringLiteral("Afastamento"), searches);
    Button4 = button(QStringLiteral("Button4"), QStringLiteral("P"), Panel1);
    Button5 = button(QStringLiteral("Button5"), QStringLiteral("R"), Panel1);
    Button6 = button(QStringLiteral("Button6"), QStringLiteral("P+R"), Panel1);
    auto* kinds = new QHBoxLayout(Panel1);
    kinds->setContentsMargins(6, 2, 6, 4);
    for (QPushButton* kind : {Button4, Button5, Button6}) {
        kind->setMaximumWidth(48);
        kinds->addWidget(kind);
    }
    Button7 = button(QStringLiteral("Button7"), QStringLiteral("Ver Todos"), searches);
    Button9 = button(QStringLiteral("Button9"), QStringLiteral("Ajuda"), searches);
    auto* searchLayout = new QGridLayout(searches);
    searchLayout->setContentsMargins(0, 0, 0, 0);
    searchLayout->addWidget(Button8, 0, 0, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    searchLayout->addWidget(Button2, 1, 0);
    searchLayout->addWidget(Edit1, 1, 1);
    searchLayout->addWidget(Button3, 2, 0);
    searchLayout->addWidget(Edit2, 2, 1);
    searchLayout->addWidget(Panel1, 1, 2, 2, 1);
    searchLayout->addWidget(Button7, 1, 3);
    searchLayout->addWidget(Button9, 2, 3);
    searchLayout->setColumnStretch(4, 1);

    // The service heading of options 3 and 4.
    Label4 = Named<QLabel>(QStringLiteral("Label4"), QStringLiteral("Situação da Escada de :"), this);
    Label5 = Named<QLabel>(QStringLiteral("Label5"), this);
    QFont heading = Label4->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() + 1.5);
    Label4->setFont(heading);
    Label5->setFont(heading);
    Label5->setStyleSheet(QStringLiteral("QLabel { color: #0b2a8a; }"));

    // The notice of option 4.
    Memo1 = Named<QPlainTextEdit>(QStringLiteral("Memo1"), this);
    Memo1->setReadOnly(true);
    Memo1->setPlainText(noticeLines().join(QLatin1Char('\n')));
    Memo1->document()->setDocumentMargin(12);
    Memo1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #fff8d0; color: #7a1a1a; }"));
    Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 5 + 34);
    Memo1->setCursor(Qt::PointingHandCursor);
    Memo1->viewport()->setCursor(Qt::PointingHandCursor);
    Memo1->viewport()->installEventFilter(this);

    // The grid and its navigator.
    auto* grid = new PickingGrid(this);
    grid->onDelete = [this] { DeleteRows(); };
    DBGEditor = grid;
    DBGEditor->setObjectName(QStringLiteral("DBGEditor"));
    m_delegate = new BrowserGridDelegate(DBGEditor);
    DBGEditor->setItemDelegate(m_delegate);
    DBGEditor->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGEditor->setSelectionMode(QAbstractItemView::ExtendedSelection);
    DBGEditor->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGEditor->horizontalHeader()->setHighlightSections(false);
    DBGEditor->verticalHeader()->setDefaultSectionSize(DBGEditor->fontMetrics().height() + 6);
    DBGEditor->setToolTip(QStringLiteral("Ctrl+clique escolhe as linhas a imprimir ou a excluir"));
    ActionDelete = new QAction(QStringLiteral("Excluir as linhas escolhidas (ou a atual)\tDel"), DBGEditor);
    ActionDelete->setObjectName(QStringLiteral("ActionDelete"));
    DBGEditor->addAction(ActionDelete);
    DBGEditor->setContextMenuPolicy(Qt::ActionsContextMenu);

    DBNEditor = new QWidget(this);
    DBNEditor->setObjectName(QStringLiteral("DBNEditor"));
    nbFirst = navigatorButton(QStringLiteral("nbFirst"), QStringLiteral("|◀"), QStringLiteral("Primeiro"), DBNEditor);
    nbPrior = navigatorButton(QStringLiteral("nbPrior"), QStringLiteral("◀"), QStringLiteral("Anterior"), DBNEditor);
    nbNext = navigatorButton(QStringLiteral("nbNext"), QStringLiteral("▶"), QStringLiteral("Próximo"), DBNEditor);
    nbLast = navigatorButton(QStringLiteral("nbLast"), QStringLiteral("▶|"), QStringLiteral("Último"), DBNEditor);
    nbEdit = navigatorButton(QStringLiteral("nbEdit"), QStringLiteral("▲"), QStringLiteral("Alterar o campo atual"),
                             DBNEditor);
    nbPost = navigatorButton(QStringLiteral("nbPost"), QStringLiteral("✔"), QStringLiteral("Gravar a alteração"),
                             DBNEditor);
    nbCancel = navigatorButton(QStringLiteral("nbCancel"), QStringLiteral("✖"),
                               QStringLiteral("Cancelar a alteração"), DBNEditor);
    nbRefresh = navigatorButton(QStringLiteral("nbRefresh"), QStringLiteral("↻"), QStringLiteral("Atualizar"),
                                DBNEditor);
    auto* navigator = new QHBoxLayout(DBNEditor);
    navigator->setContentsMargins(0, 0, 0, 0);
    navigator->setSpacing(2);
    for (QToolButton* b : {nbFirst, nbPrior, nbNext, nbLast, nbEdit, nbPost, nbCancel, nbRefresh})
        navigator->addWidget(b);

    BitBtn1 = button(QStringLiteral("BitBtn1"), QStringLiteral("Impressão"), this);
    Button1 = button(QStringLiteral("Button1"), QStringLiteral("Sair"), this);
    BitBtn1->setMinimumWidth(110);
    Button1->setMinimumWidth(90);

    auto* top = new QHBoxLayout;
    top->addWidget(options, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addWidget(searches, 1, Qt::AlignTop);
    auto* service = new QHBoxLayout;
    service->addWidget(Label4);
    service->addWidget(Label5);
    service->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DBNEditor);
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1);
    bottom->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(service);
    layout->addWidget(Memo1);
    layout->addWidget(DBGEditor, 1);
    layout->addLayout(bottom);
    resize(FittingSize(QSize(1000, 680), parent));

    connect(Label2, &ClickableLabel::clicked, this, &TFEditaTabelas::Label2Click);
    connect(Label1, &ClickableLabel::clicked, this, &TFEditaTabelas::Label1Click);
    connect(Label6, &ClickableLabel::clicked, this, &TFEditaTabelas::Label6Click);
    connect(Label3, &ClickableLabel::clicked, this, &TFEditaTabelas::Label3Click);
    connect(Button8, &QPushButton::clicked, this, &TFEditaTabelas::Button8Click);
    connect(Button2, &QPushButton::clicked, this, &TFEditaTabelas::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFEditaTabelas::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TFEditaTabelas::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TFEditaTabelas::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TFEditaTabelas::Button6Click);
    connect(Button7, &QPushButton::clicked, this, &TFEditaTabelas::Button7Click);
    connect(Button9, &QPushButton::clicked, this, &TFEditaTabelas::Button9Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TFEditaTabelas::Button2Click);
    connect(Edit2, &QLineEdit::returnPressed, this, &TFEditaTabelas::Button3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFEditaTabelas::BitBtn1Click);
    connect(Button1, &QPushButton::clicked, this, &TFEditaTabelas::Button1Click);
    connect(ActionDelete, &QAction::triggered, this, &TFEditaTabelas::DeleteRows);
    connect(nbFirst, &QToolButton::clicked, this, [this] { moveTo(0); });
    connect(nbPrior, &QToolButton::clicked, this, [this] { moveTo(DBGEditor->currentIndex().row() - 1); });
    connect(nbNext, &QToolButton::clicked, this, [this] { moveTo(DBGEditor->currentIndex().row() + 1); });
    connect(nbLast, &QToolButton::clicked, this, [this] {
        if (QAbstractItemModel* model = gridModel())
            moveTo(model->rowCount() - 1);
    });
    connect(nbEdit, &QToolButton::clicked, this, [this] {
        if (m_table && DBGEditor->currentIndex().isValid())
            DBGEditor->edit(DBGEditor->currentIndex());
    });
    connect(nbPost, &QToolButton::clicked, this, [this] { m_delegate->post(); });
    connect(nbCancel, &QToolButton::clicked, this, [this] { m_delegate->cancel(); });
    connect(nbRefresh, &QToolButton::clicked, this, [this] {
        Guarded([this] {
            BusyCursor busy;
            m_delegate->cancel();
            const int row = DBGEditor->currentIndex().row();
            if (m_table) {
                m_table->refresh();
            } else if (m_query) {
                QSqlQuery again = m_query->query();
                again.exec();
                m_query->show(std::move(again));
            }
            moveTo(std::max(0, row));
        });
    });
    // A press on the background of the option and search areas opens the manual, as on the window's.
    OpenManualOnBackgroundPress(options, manualSection());
    OpenManualOnBackgroundPress(searches, manualSection());
    offerPersonnelLookup();
    updateNavigator();
}

TFEditaTabelas::~TFEditaTabelas() = default;

QStringList TFEditaTabelas::noticeLines()
{
    return {QStringLiteral("Esta Grade não permite alterações. Para realizar as"),
            QStringLiteral("que  se  fizerem  necessárias,  você deverá   utilizar as"),
            QStringLiteral("opções 2. e 3."), QString(),
            QStringLiteral(">> Para prosseguir, \"clicar\" sobre esta área.")};
}

QAbstractItemModel* TFEditaTabelas::gridModel() const
{
    return DBGEditor->model();
}

void TFEditaTabelas::FormActivate()
{
    m_closing = false;
    Bevel1->hide();
    hideServiceHeading();
    Memo1->hide();
    BitBtn1->hide();
    hideSearch();
    Button8->hide();
}

void TFEditaTabelas::moveBar(ClickableLabel* option)
{
    const ClickableLabel* labels[] = {Label2, Label1, Label6, Label3};
    for (int i = 0; i < 4; ++i) {
        if (labels[i] == option)
            Bevel1->setGeometry(8, BarHeights[i], option->width() + 16, option->height() + 4);
    }
    Bevel1->lower();
    Bevel1->show();
}

void TFEditaTabelas::hideSearch()
{
    for (QWidget* control : std::initializer_list<QWidget*>{Button2, Edit1, Button3, Edit2, Panel1, Button7, Button9})
        control->hide();
}

void TFEditaTabelas::hideServiceHeading()
{
    Label4->hide();
    Label5->hide();
}

void TFEditaTabelas::attach(QAbstractItemModel* model, bool editable)
{
    m_delegate->cancel();
    QItemSelectionModel* oldSelection = DBGEditor->selectionModel();
    DBGEditor->setModel(model);
    delete oldSelection;
    DBGEditor->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                              | QAbstractItemView::AnyKeyPressed
                                        : QAbstractItemView::NoEditTriggers);
    DBGEditor->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGEditor->resizeColumnsToContents();
    for (int column = 0; column < model->columnCount(); ++column)
        DBGEditor->setColumnWidth(column, std::clamp(DBGEditor->columnWidth(column) + 12, 50, 420));
    connect(DBGEditor->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        DBGEditor->viewport()->update();
        updateNavigator();
    });
    ActionDelete->setEnabled(editable);
    moveTo(0);
}

void TFEditaTabelas::showTable(const QString& tableOrFileName, Shown shown)
{
    BusyCursor busy;
    auto model = std::make_unique<BrowserTableModel>(tableOrFileName, this);
    model->refresh();
    BrowserTableModel* table = model.release();
    connect(table, &BrowserTableModel::editRefused, this, &TFEditaTabelas::showRefusal, Qt::QueuedConnection);
    attach(table, true);
    delete m_table;
    delete m_query;
    m_table = table;
    m_query = nullptr;
    m_shown = shown;
    updateNavigator();
}

void TFEditaTabelas::showQuery(QSqlQuery query, Shown shown)
{
    BusyCursor busy;
    auto model = std::make_unique<BrowserQueryModel>(this);
    model->show(std::move(query));
    BrowserQueryModel* view = model.release();
    attach(view, false);
    delete m_table;
    delete m_query;
    m_table = nullptr;
    m_query = view;
    m_shown = shown;
    updateNavigator();
}

void TFEditaTabelas::updateNavigator()
{
    const bool rows = gridModel() && gridModel()->rowCount() > 0;
    for (QToolButton* b : {nbFirst, nbPrior, nbNext, nbLast})
        b->setEnabled(rows);
    for (QToolButton* b : {nbEdit, nbPost, nbCancel})
        b->setEnabled(rows && m_table);
    nbRefresh->setEnabled(gridModel() != nullptr);
}

void TFEditaTabelas::moveTo(int row)
{
    QAbstractItemModel* model = gridModel();
    if (!model || model->rowCount() == 0)
        return;
    row = std::clamp(row, 0, model->rowCount() - 1);
    const int column = std::max(0, DBGEditor->currentIndex().column());
    const QModelIndex target = model->index(row, column);
    DBGEditor->selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    DBGEditor->scrollTo(target);
    DBGEditor->viewport()->update();
}

QList<int> TFEditaTabelas::pickedRows() const
{
    QList<int> rows;
    if (!DBGEditor->selectionModel())
        return rows;
    for (const QModelIndex& row : DBGEditor->selectionModel()->selectedRows())
        rows << row.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TFEditaTabelas::showRefusal(const QString& message)
{
    Dialogs::current().error(message);
}

int TFEditaTabelas::chooseService()
{
    LoadServices();
    ChooseServices(this);
    const std::optional<int> code = ShownService(Global().ServiceTable);
    return code.value_or(0);
}

void TFEditaTabelas::Label2Click()
{
    Guarded([this] {
        hideSearch();
        Button8->hide();
        hideServiceHeading();
        Memo1->hide();
        BitBtn1->hide();
        moveBar(Label2);
        showTable(QStringLiteral("Sv"), Shown::Services);
    });
}

void TFEditaTabelas::Label1Click()
{
    Guarded([this] {
        hideSearch();
        Button8->setEnabled(true);
        Button8->show();
        hideServiceHeading();
        Memo1->hide();
        BitBtn1->hide();
        moveBar(Label1);
        showTable(QStringLiteral("Basico"), Shown::Personnel);
    });
}

void TFEditaTabelas::Label6Click()
{
    Guarded([this] {
        // A choice left without a service changes nothing: the grid keeps what it showed.
        const int code = chooseService();
        if (!code)
            return;
        hideSearch();
        Button8->hide();
        Memo1->hide();
        BitBtn1->hide();
        moveBar(Label6);
        SelectRoster(code, QStringLiteral("Base"));
        showTable(Global().CurrentTableName, Shown::Roster);
        m_service = code;
        Label5->setText(Global().ServiceTable[size_t(code)].Descr);
        Label4->show();
        Label5->show();
    });
}

void TFEditaTabelas::Label3Click()
{
    Guarded([this] {
        // As in option 3: a choice left without a service leaves the window as it was.
        const int code = chooseService();
        if (!code)
            return;
        hideSearch();
        Button8->hide();
        SelectRoster(code, QStringLiteral("Base"));
        showQuery(TDMGeral::instance().selectRosterWithPersonnel(Global().CurrentTableName), Shown::RosterWithPersonnel);
        m_service = code;
        Label5->setText(Global().ServiceTable[size_t(code)].Descr);
        moveBar(Label3);
        if (noticePending()) {
            noticePending() = false;
            Memo1->show();
        }
        Label4->show();
        Label5->show();
        BitBtn1->show();
    });
}

void TFEditaTabelas::Button8Click()
{
    for (QWidget* control : std::initializer_list<QWidget*>{Button2, Edit1, Button3, Edit2, Panel1, Button7, Button9})
        control->show();
    Button8->hide();
}

void TFEditaTabelas::search(int kind, const QString& typed)
{
    Guarded([this, kind, typed] { showQuery(SearchPersonnel(PersonnelSearch(kind), typed), Shown::PersonnelSearch); });
}

void TFEditaTabelas::Button2Click()
{
    search(int(PersonnelSearch::ByNumber), Edit1->text());
}

void TFEditaTabelas::Button3Click()
{
    search(int(PersonnelSearch::ByName), Edit2->text());
}

void TFEditaTabelas::Button4Click()
{
    search(int(PersonnelSearch::Planned), QString());
}

void TFEditaTabelas::Button5Click()
{
    search(int(PersonnelSearch::Real), QString());
}

void TFEditaTabelas::Button6Click()
{
    search(int(PersonnelSearch::PlannedOrReal), QString());
}

void TFEditaTabelas::Button7Click()
{
    search(int(PersonnelSearch::All), QString());
}

void TFEditaTabelas::Button9Click()
{
    OpenManual(QStringLiteral("023"));
    Button8->show();
}

void TFEditaTabelas::BitBtn1Click()
{
    Guarded([this] {
        if (m_shown != Shown::RosterWithPersonnel || !m_query)
            return;
        QList<SituationRow> rows;
        {
            BusyCursor busy;
            rows = SituationRows(*m_query, pickedRows());
        }
        const QString descr = Label5->text();
        PrintDocument(
            this, SituationTitle(descr), [descr, rows](PageDevice& page) { PrintSituation(page, descr, rows); },
            QPageLayout::Landscape);
    });
}

void TFEditaTabelas::Memo1Click()
{
    Memo1->hide();
}

void TFEditaTabelas::Button1Click()
{
    close();
}

void TFEditaTabelas::DeleteRows()
{
    Guarded([this] {
        if (!m_table)
            return;
        QList<int> rows = pickedRows();
        if (rows.isEmpty() && DBGEditor->currentIndex().isValid())
            rows << DBGEditor->currentIndex().row();
        if (rows.isEmpty())
            return;
        QString question;
        if (rows.size() == 1) {
            const QString key = m_table->data(m_table->index(rows.first(), 0)).toString();
            question = m_table->kind() == TableSchema::Kind::Services
                           ? QStringLiteral("Excluir o serviço %1 da tabela %2?").arg(key, m_table->table())
                           : QStringLiteral("Excluir o militar %1 da tabela %2?").arg(key, m_table->table());
        } else {
            question = QStringLiteral("Excluir as %1 linhas escolhidas da tabela %2?").arg(rows.size()).arg(m_table->table());
        }
        if (!AskBeforeLoss(question))
            return;
        BusyCursor busy;
        m_table->deleteRows(rows);
        moveTo(rows.first());
        updateNavigator();
    });
}

void TFEditaTabelas::FormClose()
{
    // A value still being typed is checked and stored like any other.
    m_delegate->post();
    DBGEditor->hide();
    DBNEditor->hide();
    Guarded([this] { RankPassOnClose(CorrectionWindowChooser(this)); });
    DBGEditor->show();
    DBNEditor->show();
}

void TFEditaTabelas::done(int result)
{
    if (!m_closing) {
        m_closing = true;
        FormClose();
    }
    FormWindow::done(result);
}

bool TFEditaTabelas::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonPress) {
        Memo1Click();
        return true;
    }
    return FormWindow::eventFilter(watched, event);
}

void OpenTableBrowser(QWidget* parent)
{
    TFEditaTabelas window(parent);
    ShowModal(window);
}

void ResetTableBrowserNotice()
{
    noticePending() = true;
}
