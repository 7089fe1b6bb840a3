#include "USaiEscTemp.h"

#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "data/Clock.h"
#include "data/Dates.h"
#include "data/UGlobal.h"
#include "maintenance/Absences.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

// The kind of absence chosen last: it stays from one entry to the next and from one opening of
// the window to the next, for the whole run. Nothing is chosen when the program starts.
QString& lastKind()
{
    static QString kind;
    return kind;
}

}

TFSaiEscTemp::TFSaiEscTemp(QWidget* parent) : FormWindow(QStringLiteral("014"), parent)
{
    setObjectName(QStringLiteral("FSaiEscTemp"));
    setWindowTitle(QStringLiteral("Afastamento Temporário dos Serviços"));

    Edit1 = Named<QLineEdit>(QStringLiteral("Edit1"), this);
    Edit1->setMaxLength(Width::Num);
    Edit2 = Named<QLineEdit>(QStringLiteral("Edit2"), this);
    Edit3 = Named<QLineEdit>(QStringLiteral("Edit3"), this);
    for (QLineEdit* box : {Edit1, Edit2, Edit3})
        box->setFixedWidth(110);
    Edit2->setPlaceholderText(QStringLiteral("dd/mm/aa"));
    Edit3->setPlaceholderText(QStringLiteral("dd/mm/aa"));

    GroupBox1 = Named<QGroupBox>(QStringLiteral("GroupBox1"), this);
    GroupBox1->setTitle(QStringLiteral("Afastamento"));
    RBPrev = Named<QRadioButton>(QStringLiteral("RBPrev"), QStringLiteral("Previsto"), GroupBox1);
    RBReal = Named<QRadioButton>(QStringLiteral("RBReal"), QStringLiteral("Real"), GroupBox1);
    RBPrev->setChecked(lastKind() == QStringLiteral("P"));
    RBReal->setChecked(lastKind() == QStringLiteral("R"));
    auto* kinds = new QVBoxLayout(GroupBox1);
    kinds->addWidget(RBPrev);
    kinds->addWidget(RBReal);

    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Gravar Registro"), this);
    Button2 = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Fim Entradas"), this);
    Button1->setDefault(true);   // Enter in a box records the entry
    Button2->setAutoDefault(false);
    for (QPushButton* button : {Button1, Button2})
        button->setMinimumSize(140, 32);

    auto* boxes = new QGridLayout;
    boxes->addWidget(Named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Número"), this), 0, 0);
    boxes->addWidget(Edit1, 0, 1);
    boxes->addWidget(Named<QLabel>(QStringLiteral("Label2"), QStringLiteral("Data Início"), this), 1, 0);
    boxes->addWidget(Edit2, 1, 1);
    boxes->addWidget(Named<QLabel>(QStringLiteral("Label3"), QStringLiteral("Data Fim"), this), 2, 0);
    boxes->addWidget(Edit3, 2, 1);

    auto* entry = new QHBoxLayout;
    entry->addLayout(boxes);
    entry->addSpacing(24);
    entry->addWidget(GroupBox1, 0, Qt::AlignTop);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(16);
    layout->addLayout(entry);
    layout->addLayout(buttons);

    connect(RBPrev, &QRadioButton::toggled, this, [](bool on) {
        if (on)
            lastKind() = QStringLiteral("P");
    });
    connect(RBReal, &QRadioButton::toggled, this, [](bool on) {
        if (on)
            lastKind() = QStringLiteral("R");
    });
    connect(Button1, &QPushButton::clicked, this, &TFSaiEscTemp::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFSaiEscTemp::Button2Click);
    offerPersonnelLookup();
}

QString TFSaiEscTemp::DropEntriesQuestion()
{
    return QStringLiteral("Os afastamentos registrados nesta janela ainda não foram salvos no Sistema "
                          "(botão \"Fim Entradas\").\nSair e descartá-los?");
}

void TFSaiEscTemp::ForgetKindChoice()
{
    lastKind().clear();
}

void TFSaiEscTemp::FormActivate()
{
    m_unsaved = false;
    bool loaded = false;
    Guarded([&loaded] {
        LoadSoldiers();
        loaded = true;
    });
    // A register that could not be read is not written back from an empty model.
    Button1->setEnabled(loaded);
    Button2->setEnabled(loaded);
    Edit1->setFocus();
}

void TFSaiEscTemp::emptyBoxes()
{
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
    Edit1->setFocus();
}

void TFSaiEscTemp::Button1Click()
{
    const QString kind = RBPrev->isChecked() ? QStringLiteral("P")
                         : RBReal->isChecked() ? QStringLiteral("R")
                                               : QString();
    try {
        RecordAbsence({Edit1->text(), kind, Edit2->text(), Edit3->text()});
        m_unsaved = true;
        emptyBoxes();
    } catch (const AbsenceRefusal& refusal) {
        Dialogs::current().message(refusal.message());
        switch (refusal.cause()) {
        case AbsenceRefusal::Cause::NotRegistered:
            emptyBoxes();
            break;
        case AbsenceRefusal::Cause::BadDate:
            (Dates::parse(Edit2->text()) ? Edit3 : Edit2)->setFocus();
            break;
        case AbsenceRefusal::Cause::Order:
            Edit2->setFocus();
            break;
        case AbsenceRefusal::Cause::Kind:
            RBPrev->setFocus();
            break;
        }
    }
}

void TFSaiEscTemp::Button2Click()
{
    Guarded([this] {
        {
            BusyCursor busy;
            SaveSoldiers();
        }
        m_unsaved = false;
        accept();
    });
}

void TFSaiEscTemp::reject()
{
    if (m_unsaved) {
        if (!AskBeforeLoss(DropEntriesQuestion()))
            return;
        // The dropped entries leave the model too: the register in memory is the stored one again.
        Guarded([] { LoadSoldiers(); });
        m_unsaved = false;
    }
    FormWindow::reject();
}

void OpenAbsences(QWidget* parent)
{
    TFSaiEscTemp window(parent);
    ShowModal(window);
}

void ReturnToAllRosters(QWidget*)
{
    Guarded([] {
        const QString num = Dialogs::current()
                                .input(QStringLiteral("Entre com o Número"), QStringLiteral("Número: "), QString())
                                .trimmed();
        if (num.isEmpty())
            return;
        ReturnResult result;
        try {
            BusyCursor busy;
            result = ReturnToRosters(num, Clock::today());
        } catch (const AbsenceRefusal& refusal) {
            // A number not registered: said in the box the keeper knows, and nothing was written.
            Dialogs::current().message(refusal.message());
            return;
        }
        if (!result.message.isEmpty())
            Dialogs::current().message(result.message);
    });
}
