#include "UCopiaSeg.h"

#include "UBackup.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "maintenance/BackupLocation.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFCopiaSeg::TFCopiaSeg(QWidget* parent) : FormWindow(QStringLiteral("024"), parent)
{
    setObjectName(QStringLiteral("FCopiaSeg"));
    setWindowTitle(QStringLiteral("FCopiaSeg"));
    Label3 = Named<QLabel>(QStringLiteral("Label3"), QStringLiteral("Para alterar o local da cópia, clicar no botão"),
                           this);
    Label4 = Named<QLabel>(QStringLiteral("Label4"),
                           QStringLiteral("[ Alterar ] e depois selecionar a letra do novo local"), this);
    Label1 = Named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Local Atual"), this);
    EDrive = Named<QLineEdit>(QStringLiteral("EDrive"), this);
    EDrive->setReadOnly(true);
    EDrive->setMinimumWidth(220);
    BAlterar = Named<QPushButton>(QStringLiteral("BAlterar"), QStringLiteral("Alterar"), this);
    Panel1 = Named<QFrame>(QStringLiteral("Panel1"), this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Label2 = Named<QLabel>(QStringLiteral("Label2"), QStringLiteral("Mudar para:"), Panel1);
    CBDrive = Named<QComboBox>(QStringLiteral("CBDrive"), Panel1);
    CBDrive->setMinimumWidth(220);
    CBDrive->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Sair"), this);
    for (QPushButton* button : {BAlterar, Button1}) {
        button->setMinimumSize(120, 32);
        button->setAutoDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(10);
    layout->addWidget(Label3);
    layout->addWidget(Label4);
    auto* current = new QHBoxLayout;
    current->addWidget(Label1);
    current->addWidget(EDrive, 1);
    current->addWidget(BAlterar);
    layout->addLayout(current);
    auto* chooser = new QHBoxLayout(Panel1);
    chooser->addWidget(Label2);
    chooser->addWidget(CBDrive, 1);
    layout->addWidget(Panel1);
    layout->addWidget(Button1, 0, Qt::AlignCenter);

    connect(BAlterar, &QPushButton::clicked, this, &TFCopiaSeg::BAlterarClick);
    connect(Button1, &QPushButton::clicked, this, &TFCopiaSeg::Button1Click);
}

void TFCopiaSeg::FormActivate()
{
    m_folder = QDir::currentPath();
    m_changed = false;
    Panel1->hide();
    Label2->hide();
    CBDrive->hide();
    Guarded([this] {
        m_medium = BackupLocation::MediumOf(BackupLocation::CurrentFolder());
        EDrive->setText(QDir::toNativeSeparators(m_medium));
        CBDrive->clear();
        // The chooser starts at the medium in use, so that closing it with nothing chosen changes
        // nothing.
        for (const QString& medium : BackupLocation::MediaOffered(m_medium))
            CBDrive->addItem(QDir::toNativeSeparators(medium), medium);
        int inUse = -1;
        for (int i = 0; i < CBDrive->count() && !m_medium.isEmpty(); ++i) {
            if (inUse < 0 && BackupLocation::SameMedium(CBDrive->itemData(i).toString(), m_medium))
                inUse = i;
        }
        CBDrive->setCurrentIndex(inUse);
    });
}

void TFCopiaSeg::BAlterarClick()
{
    Panel1->show();
    Label2->show();
    CBDrive->show();
}

void TFCopiaSeg::Button1Click()
{
    close();
}

void TFCopiaSeg::FormClose()
{
    QDir::setCurrent(m_folder);
    std::optional<QString> chosen;
    if (!CBDrive->isHidden()) {
        chosen = CBDrive->currentData().toString();
        Panel1->hide();
        Label2->hide();
        CBDrive->hide();
    }
    Guarded([this, &chosen] {
        const BackupLocation::LocationOutcome outcome = BackupLocation::CloseLocationChoice(m_medium, chosen);
        m_changed = outcome.changed;
        if (!outcome.message.isEmpty())
            Dialogs::current().message(outcome.message);
    });
}

void TFCopiaSeg::done(int result)
{
    FormClose();
    FormWindow::done(result);
    if (m_changed)
        EndTheProgram();
}

void TFCopiaSeg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    done(QDialog::Rejected);
}

bool OpenBackupLocation(QWidget* parent)
{
    TFCopiaSeg window(parent);
    ShowModal(window);
    return window.changed();
}
