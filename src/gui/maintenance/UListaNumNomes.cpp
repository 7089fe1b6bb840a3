#include "UListaNumNomes.h"

#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "data/DataFiles.h"
#include "data/UDMGeral.h"
#include "data/UGlobal.h"

#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int ExpandedRankListHeight = 250;

void keepPlace(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QLabel* fieldLabel(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    keepPlace(label);
    return label;
}

}

TFListaNumNomes::TFListaNumNomes(QWidget* parent) : FormWindow(QStringLiteral("016"), parent)
{
    setWindowTitle(QStringLiteral("Consulta Pessoal"));

    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setFamilies({QStringLiteral("Liberation Mono"), fixed.family()});
    fixed.setPointSize(10);

    Label5 = new QLabel(QStringLiteral("Clicar no interior do campo a pesquisar"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    QFont bold = Label5->font();
    bold.setBold(true);
    Label5->setFont(bold);

    LNumero = fieldLabel(QStringLiteral("LNumero"), QStringLiteral("Número"), this);
    Edit5 = new QLineEdit(this);
    Edit5->setObjectName(QStringLiteral("Edit5"));
    keepPlace(Edit5);
    LNome = fieldLabel(QStringLiteral("LNome"), QStringLiteral("Nome"), this);
    Edit4 = new QLineEdit(this);
    Edit4->setObjectName(QStringLiteral("Edit4"));
    keepPlace(Edit4);
    LPosto = fieldLabel(QStringLiteral("LPosto"), QStringLiteral("Posto"), this);
    ListBox2 = new QListWidget(this);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox2->setFont(fixed);
    ListBox2->setUniformItemSizes(true);
    keepPlace(ListBox2);

    Button1 = new QPushButton(QStringLiteral("Executar a Pesquisa"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);   // Enter in a search field runs the search
    Button3 = new QPushButton(QStringLiteral("Ver Todos"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setAutoDefault(false);

    LSelecione = fieldLabel(QStringLiteral("LSelecione"), QStringLiteral("Selecione os Militares"), this);
    LSelecione->setFont(bold);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBox1->setToolTip(QStringLiteral("Para selecionar Todos, dê 2 clics"));
    ListBox1->setFont(fixed);
    ListBox1->setUniformItemSizes(true);
    keepPlace(ListBox1);
    Button2 = new QPushButton(QStringLiteral("Sair"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setAutoDefault(false);
    keepPlace(Button2);

    // Fields and buttons on the left, the rank list on the right with room to open downwards,
    // the result list below. Hidden controls keep their places, so nothing moves.
    auto* fields = new QVBoxLayout;
    fields->addWidget(LNumero);
    fields->addWidget(Edit5);
    fields->addSpacing(6);
    fields->addWidget(LNome);
    fields->addWidget(Edit4);
    fields->addSpacing(12);
    fields->addWidget(Button1);
    fields->addWidget(Button3);
    fields->addStretch(1);

    auto* ranks = new QVBoxLayout;
    ranks->addWidget(LPosto);
    ranks->addWidget(ListBox2);
    ranks->addStretch(1);

    auto* search = new QHBoxLayout;
    search->addLayout(fields, 3);
    search->addSpacing(12);
    search->addLayout(ranks, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label5);
    layout->addLayout(search);
    layout->addSpacing(8);
    layout->addWidget(LSelecione);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(bottom);

    const QFontMetrics metrics(fixed);
    ListBox2->setMinimumWidth(metrics.horizontalAdvance(QString(10, QLatin1Char('M'))));
    auto* rankRoom = new QWidget(this);   // holds the height of the open rank list
    rankRoom->setFixedSize(0, LPosto->sizeHint().height() + 8 + ExpandedRankListHeight);
    search->addWidget(rankRoom);
    ListBox1->setMinimumWidth(metrics.horizontalAdvance(QString(40, QLatin1Char('M'))));
    ListBox1->setMinimumHeight(metrics.lineSpacing() * 10);
    resize(sizeHint().width(), sizeHint().height() + metrics.lineSpacing() * 4);

    collapseRankList();

    connect(Button1, &QPushButton::clicked, this, &TFListaNumNomes::Button1Click);
    connect(Button3, &QPushButton::clicked, this, &TFListaNumNomes::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TFListaNumNomes::Button2Click);
    Edit5->installEventFilter(this);
    Edit4->installEventFilter(this);
    ListBox2->viewport()->installEventFilter(this);
    ListBox1->viewport()->installEventFilter(this);
}

bool TFListaNumNomes::eventFilter(QObject* watched, QEvent* event)
{
    const auto isClick = [&](QWidget* widget) {
        if (watched != widget || event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        return mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint());
    };
    if (isClick(Edit5)) {
        Edit5Click();
    } else if (isClick(Edit4)) {
        Edit4Click();
    } else if (watched == ListBox2->viewport() && event->type() == QEvent::MouseButtonPress) {
        ListBox2MouseDown();
    } else if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // Anywhere on the list, also below its last line; the list's own handling, which would
        // clear the selection on the blank part, is left out.
        ListBox1DblClick();
        return true;
    }
    return FormWindow::eventFilter(watched, event);
}

QStringList TFListaNumNomes::selectedNumbers() const
{
    QStringList numbers;
    for (int row = 0; row < ListBox1->count(); ++row) {
        const QListWidgetItem* line = ListBox1->item(row);
        if (line->isSelected())
            numbers << LookupLineNumber(line->text());
    }
    return numbers;
}

void TFListaNumNomes::collapseRankList()
{
    const int row = ListBox2->count() > 0 ? ListBox2->sizeHintForRow(0) : ListBox2->fontMetrics().lineSpacing();
    ListBox2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox2->setFixedHeight(row + 2 * ListBox2->frameWidth());
}

void TFListaNumNomes::expandRankList()
{
    ListBox2->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListBox2->setFixedHeight(ExpandedRankListHeight);
}

void TFListaNumNomes::showResults()
{
    LSelecione->show();
    ListBox1->show();
    Button2->show();
}

// All three search fields shown, the boxes emptied, the rank list one line high.
void TFListaNumNomes::restoreSearchFields()
{
    for (QWidget* field : {static_cast<QWidget*>(LNumero), static_cast<QWidget*>(Edit5),
                           static_cast<QWidget*>(LNome), static_cast<QWidget*>(Edit4),
                           static_cast<QWidget*>(LPosto), static_cast<QWidget*>(ListBox2)})
        field->show();
    Edit5->clear();
    Edit4->clear();
    collapseRankList();
}

void TFListaNumNomes::listEverySoldier()
{
    ListBox1->clear();
    ListBox1->addItems(LookupEverySoldier(Global().SoldierTable));
}

// The shared personnel query over the whole register. Nothing here reads its rows, so it is not
// kept open: an open statement would hold the database while other windows write to it.
void TFListaNumNomes::openPersonnelQuery()
{
    QSqlQuery QBasico = TDMGeral::instance().selectAllBasico();
    QBasico.finish();
}

void TFListaNumNomes::FormActivate()
{
    Guarded([this] {
        ListBox1->clear();
        LSelecione->hide();
        ListBox1->hide();
        Button2->hide();
        ListBox2->clear();
        restoreSearchFields();
        ListBox2->addItems(DataFiles::ReadRankList());
        collapseRankList();
        LoadSoldiers();
        listEverySoldier();
        openPersonnelQuery();
    });
}

void TFListaNumNomes::Edit5Click()
{
    LNome->hide();
    Edit4->hide();
    LPosto->hide();
    ListBox2->hide();
    collapseRankList();
}

void TFListaNumNomes::Edit4Click()
{
    LNumero->hide();
    Edit5->hide();
    LPosto->hide();
    ListBox2->hide();
    collapseRankList();
}

void TFListaNumNomes::ListBox2MouseDown()
{
    LNumero->hide();
    Edit5->hide();
    LNome->hide();
    Edit4->hide();
    expandRankList();
}

void TFListaNumNomes::Button1Click()
{
    Guarded([this] {
        showResults();
        if (ListBox2->selectedItems().isEmpty() && Edit5->text().isEmpty() && Edit4->text().isEmpty()) {
            Dialogs::current().message(
                QStringLiteral(" Para consultar, você deve preencher um dos campos:\nNumero, Nome ou Posto"));
            return;
        }
        const std::vector<SoldierRecord>& soldiers = Global().SoldierTable;
        if (!Edit5->isHidden()) {
            ListBox1->clear();
            const QStringList found = LookupByNumber(soldiers, Edit5->text());
            if (!found.isEmpty()) {
                ListBox1->addItems(found);
                restoreSearchFields();
                return;
            }
        }
        if (!Edit4->isHidden()) {
            ListBox1->clear();
            ListBox1->addItems(LookupByName(soldiers, Edit4->text()));
        }
        if (!ListBox2->isHidden()) {
            ListBox1->clear();
            QStringList ranks;
            for (const QListWidgetItem* rank : ListBox2->selectedItems())
                ranks << rank->text();
            ListBox1->addItems(LookupByRank(soldiers, ranks));
            restoreSearchFields();
        }
    });
}

void TFListaNumNomes::Button3Click()
{
    Guarded([this] {
        restoreSearchFields();
        showResults();
        openPersonnelQuery();
        listEverySoldier();
    });
}

void TFListaNumNomes::ListBox1DblClick()
{
    ListBox1->selectAll();
}

void TFListaNumNomes::Button2Click()
{
    close();
}
