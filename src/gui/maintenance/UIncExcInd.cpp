#include "UIncExcInd.h"

#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "data/Clock.h"
#include "data/DataFiles.h"
#include "data/UGlobal.h"
#include "maintenance/IndividualInclusion.h"
#include "maintenance/ServiceMembership.h"
#include "manual/UEscolherSv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QStringList NoteLines = {
    QStringLiteral(" Inicialmente estarão marcados os "),   QStringLiteral("Serviços  aos quais  o militar con -"),
    QStringLiteral("corre atualmente ."),                   QStringLiteral("  Ao final,  deixe   marcados   os "),
    QStringLiteral("Serviços aos quais  o militar  con-"), QStringLiteral("tinuará a concorrer. "),
};

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = Named<QPushButton>(name, caption, parent);
    b->setAutoDefault(false);
    b->setMinimumSize(110, 32);
    return b;
}

}

TFIncExcInd::TFIncExcInd(QWidget* parent) : FormWindow(QStringLiteral("007"), parent)
{
    setObjectName(QStringLiteral("FIncExcInd"));
    setWindowTitle(QStringLiteral("Inclusão/Exclusão de um Militar "));

    Label1 = Named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Numero"), this);
    Edit1 = Named<QLineEdit>(QStringLiteral("Edit1"), this);
    Edit1->setMaxLength(Width::Num);
    Edit1->setFixedWidth(80);
    Label2 = Named<QLabel>(QStringLiteral("Label2"), QStringLiteral("Pst/Grd"), this);
    ComboBox1 = Named<QComboBox>(QStringLiteral("ComboBox1"), this);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(30);
    ComboBox1->lineEdit()->setMaxLength(Width::PstGrd);
    ComboBox1->setMinimumWidth(110);
    Label3 = Named<QLabel>(QStringLiteral("Label3"), QStringLiteral("Nome"), this);
    Edit2 = Named<QLineEdit>(QStringLiteral("Edit2"), this);
    Edit2->setMaxLength(Width::Nome);
    Edit2->setMinimumWidth(200);
    Label1->setBuddy(Edit1);
    Label2->setBuddy(ComboBox1);
    Label3->setBuddy(Edit2);

    Panel1 = Named<QGroupBox>(QStringLiteral("Panel1"), QStringLiteral("Inclusão/Exclusão no Sistema"), this);
    BIncluir = button(QStringLiteral("BIncluir"), QStringLiteral("Incluir "), Panel1);
    BExcluir = button(QStringLiteral("BExcluir"), QStringLiteral("Excluir"), Panel1);
    auto* system = new QHBoxLayout(Panel1);
    system->addWidget(BIncluir);
    system->addWidget(BExcluir);

    Panel2 = Named<QGroupBox>(QStringLiteral("Panel2"), QStringLiteral("Inclusão/Exclusão em Serviços"), this);
    BEscolher = button(QStringLiteral("BEscolher"), QStringLiteral("Escolher"), Panel2);
    BGravar = button(QStringLiteral("BGravar"), QStringLiteral("Gravar"), Panel2);
    BGravar->setEnabled(false);
    auto* services = new QHBoxLayout(Panel2);
    services->addWidget(BEscolher);
    services->addWidget(BGravar);

    Button4 = button(QStringLiteral("Button4"), QStringLiteral("Sair"), this);

    Memo1 = Named<QPlainTextEdit>(QStringLiteral("Memo1"), this);
    Memo1->setPlainText(NoteLines.join(QLatin1Char('\n')));
    Memo1->setReadOnly(true);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont note = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    Memo1->setFont(note);
    const QFontMetrics metrics(note);
    int widest = 0;
    for (const QString& line : NoteLines)
        widest = qMax(widest, metrics.horizontalAdvance(line));
    Memo1->setFixedSize(widest + 24, metrics.lineSpacing() * NoteLines.size() + 18);
    QSizePolicy keepRoom = Memo1->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);   // showing the note does not move the buttons
    Memo1->setSizePolicy(keepRoom);
    Memo1->hide();

    auto* fields = new QGridLayout;
    fields->addWidget(Label1, 0, 0);
    fields->addWidget(Label2, 0, 1);
    fields->addWidget(Label3, 0, 2);
    fields->addWidget(Edit1, 1, 0);
    fields->addWidget(ComboBox1, 1, 1);
    fields->addWidget(Edit2, 1, 2);
    fields->setColumnStretch(2, 1);

    auto* panels = new QHBoxLayout;
    panels->addWidget(Panel1);
    panels->addWidget(Panel2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Memo1, 0, Qt::AlignTop);
    bottom->addStretch();
    bottom->addWidget(Button4, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(14);
    layout->addLayout(fields);
    layout->addLayout(panels);
    layout->addLayout(bottom);

    connect(Edit1, &QLineEdit::textChanged, this, &TFIncExcInd::Edit1Change);
    connect(BIncluir, &QPushButton::clicked, this, &TFIncExcInd::BIncluirClick);
    connect(BExcluir, &QPushButton::clicked, this, &TFIncExcInd::BExcluirClick);
    connect(BEscolher, &QPushButton::clicked, this, &TFIncExcInd::BEscolherClick);
    connect(BGravar, &QPushButton::clicked, this, &TFIncExcInd::BGravarClick);
    connect(Button4, &QPushButton::clicked, this, &TFIncExcInd::Button4Click);
    BIncluir->installEventFilter(this);
    offerPersonnelLookup();
}

void TFIncExcInd::FormActivate()
{
    Edit1->setFocus();
    m_choicePending = false;
    Guarded([this] {
        const QString typed = ComboBox1->currentText();
        ComboBox1->clear();
        ComboBox1->addItems(DataFiles::ReadRankList());
        ComboBox1->setCurrentIndex(-1);
        ComboBox1->setEditText(typed);
    });
}

void TFIncExcInd::emptyRank()
{
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->setEditText(QString());
}

void TFIncExcInd::Edit1Change()
{
    if (!m_choicePending)
        return;
    Dialogs::current().message(QStringLiteral("Você não gravou o registro anterior"));
    m_choicePending = false;
}

void TFIncExcInd::BIncluirClick()
{
    Guarded([this] {
        BusyCursor busy;
        const PersonnelOutcome outcome =
            IncludeSoldier(Edit1->text(), ComboBox1->currentText(), Edit2->text(), AskBeforeLoss);
        if (outcome.done) {
            Edit2->clear();
            emptyRank();
            Edit1->setFocus();
            return;
        }
        if (!outcome.message.isEmpty())
            Dialogs::current().message(outcome.message);
        if (!outcome.registeredName.isEmpty())
            Edit2->setText(outcome.registeredName);
    });
}

void TFIncExcInd::BIncluirExit()
{
    Edit2->clear();
}

bool TFIncExcInd::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving "Incluir " for another control of the window empties the name; a message box that
    // takes the focus for a moment does not.
    if (watched == BIncluir && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            BIncluirExit();
    }
    return FormWindow::eventFilter(watched, event);
}

void TFIncExcInd::BExcluirClick()
{
    Guarded([this] {
        BusyCursor busy;
        const PersonnelOutcome outcome = ExcludeSoldier(Edit1->text(), Clock::today());
        if (!outcome.done) {
            Dialogs::current().message(outcome.message);
            Edit1->clear();
            Edit2->clear();
            return;
        }
        // He left every roster as "Gravar" would take him out; the marks are cleared, so the
        // choice is gone and "Gravar" waits for a new one.
        m_choicePending = false;
        m_chosen.clear();
        BGravar->setEnabled(false);
        Edit1->clear();
        emptyRank();
        Edit2->clear();
        Edit1->setFocus();
    });
}

void TFIncExcInd::BEscolherClick()
{
    m_choicePending = true;
    Guarded([this] {
        const QList<int> present = ServicesOfSoldier(Edit1->text().trimmed());   // loads the services
        TFEscolherSv chooser(this);
        for (int code : present)
            chooser.CheckBox[code]->setChecked(true);
        Memo1->show();
        // The chooser stands beside the note, so that both can be read.
        chooser.adjustSize();
        const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1024, 768);
        const int besideNote = Memo1->mapToGlobal(QPoint(Memo1->width() + 12, 0)).x();
        const int x = qMax(screen.left(), qMin(besideNote, screen.right() - chooser.width()));
        const int y = qMax(screen.top(), qMin(this->y(), screen.bottom() - chooser.frameGeometry().height()));
        chooser.move(x, y);
        ClearSelectionMarks();
        ShowModal(chooser);
        const QList<int> marked = MarkedServices();
        m_chosen = QSet<int>(marked.begin(), marked.end());
        BGravar->setEnabled(true);
    });
    Memo1->hide();
}

void TFIncExcInd::BGravarClick()
{
    m_choicePending = false;
    Guarded([this] {
        BusyCursor busy;
        const PersonnelOutcome outcome = SaveServicesOf(Edit1->text(), m_chosen, Clock::today());
        if (!outcome.done) {
            BGravar->setEnabled(false);
            Dialogs::current().message(outcome.message);
            return;
        }
        Edit1->clear();
        Edit1->setFocus();
    });
}

void TFIncExcInd::Button4Click()
{
    close();
}

void TFIncExcInd::done(int result)
{
    if (m_choicePending)
        Dialogs::current().message(QStringLiteral("Você escolheu Serviço mas não gravou o registro"));
    m_choicePending = false;
    FormWindow::done(result);
}

void OpenIndividualInclusion(QWidget* parent)
{
    TFIncExcInd window(parent);
    ShowModal(window);
}
