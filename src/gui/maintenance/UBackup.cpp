#include "UBackup.h"

#include "UCopiaSeg.h"
#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "data/DataFiles.h"
#include "data/UGlobal.h"
#include "maintenance/Backup.h"
#include "maintenance/BackupLocation.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

namespace {

std::function<void()>& programEnd()
{
    static std::function<void()> end;
    return end;
}

// A progress box over `parent` that the core's steps move on. It is made at the first step, so
// that nothing covers a question the operation asks before its work starts.
class ProgressBox {
public:
    ProgressBox(QWidget* parent, const QString& title) : m_parent(parent), m_title(title) {}
    Backup::Progress progress()
    {
        return [this](int step, int steps, const QString& what) {
            QProgressDialog& box = this->box();
            box.setMaximum(steps);
            box.setLabelText(what);
            box.setValue(step);
        };
    }

private:
    QProgressDialog& box()
    {
        if (!m_box) {
            m_box = std::make_unique<QProgressDialog>(QString(), QString(), 0, 1, m_parent);
            m_box->setWindowTitle(m_title);
            m_box->setWindowModality(Qt::WindowModal);
            m_box->setCancelButton(nullptr);
            m_box->setMinimumDuration(0);
            m_box->setAutoClose(true);
            m_box->setMinimumWidth(360);
        }
        return *m_box;
    }

    QWidget* m_parent;
    QString m_title;
    std::unique_ptr<QProgressDialog> m_box;
};

}

void EndTheProgram()
{
    if (programEnd())
        programEnd()();
    else
        QCoreApplication::exit(0);
}

void SetProgramEndForTests(std::function<void()> end)
{
    programEnd() = std::move(end);
}

TFBackup::TFBackup(QWidget* parent) : FormWindow(QStringLiteral("022"), parent)
{
    setObjectName(QStringLiteral("FBackup"));
    setWindowTitle(QStringLiteral("Cópia de Segurança"));
    Label1 = Named<QLabel>(QStringLiteral("Label1"), QStringLiteral("Cópias de Segurança"), this);
    QFont font = Label1->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() + 3);
    Label1->setFont(font);
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = Named<QLabel>(QStringLiteral("Label2"), this);
    Label2->setAlignment(Qt::AlignCenter);
    BSalvar = Named<QPushButton>(QStringLiteral("BSalvar"), this);
    BRecuperar = Named<QPushButton>(QStringLiteral("BRecuperar"), this);
    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Alterar local da cópia"), this);
    BSair = Named<QPushButton>(QStringLiteral("BSair"), QStringLiteral("Sair"), this);
    for (QPushButton* button : {BSalvar, BRecuperar, Button1, BSair}) {
        button->setMinimumSize(220, 34);
        button->setAutoDefault(false);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 20, 30, 20);
    layout->setSpacing(14);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    auto* row = new QHBoxLayout;
    row->addWidget(BSalvar);
    row->addWidget(BRecuperar);
    layout->addLayout(row);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button1);
    bottom->addWidget(BSair);
    layout->addLayout(bottom);

    connect(BSalvar, &QPushButton::clicked, this, &TFBackup::BSalvarClick);
    connect(BRecuperar, &QPushButton::clicked, this, &TFBackup::BRecuperarClick);
    connect(Button1, &QPushButton::clicked, this, &TFBackup::Button1Click);
    connect(BSair, &QPushButton::clicked, this, &TFBackup::BSairClick);
}

void TFBackup::FormActivate()
{
    Guarded([this] {
        const QString folder = BackupLocation::CurrentFolder();
        const QString medium = QDir::toNativeSeparators(BackupLocation::MediumOf(folder));
        Label2->setText(QStringLiteral("   Atualmente realizadas em: ") + medium);
        Label2->setToolTip(QDir::toNativeSeparators(folder));
        BSalvar->setText(QStringLiteral("Salvar em   ") + medium);
        BRecuperar->setText(QStringLiteral("Recuperar de   ") + medium);
    });
}

void TFBackup::BSalvarClick()
{
    Guarded([this] {
        BusyCursor busy;
        ProgressBox box(this, QStringLiteral("Salvando a cópia de segurança"));
        Backup::SaveBackup(box.progress());
    });
}

void TFBackup::BRecuperarClick()
{
    Guarded([this] {
        Backup::RestoreOutcome outcome;
        {
            BusyCursor busy;
            ProgressBox box(this, QStringLiteral("Recuperando a cópia de segurança"));
            outcome = Backup::RestoreBackup(AskBeforeLoss, box.progress());
        }
        if (!outcome.notice.isEmpty())
            Dialogs::current().message(outcome.notice);
        if (!outcome.message.isEmpty())
            Dialogs::current().message(outcome.message);
        if (!outcome.done)
            return;
        m_restored = true;
        close();
        EndTheProgram();
    });
}

void TFBackup::Button1Click()
{
    OpenBackupLocation(this);
    FormActivate();
}

void TFBackup::BSairClick()
{
    close();
}

void TFBackup::FormClose()
{
    // The cover and the backup folder as Niveis.Txt now holds them (a restore brings its cover).
    Guarded([] {
        const DataFiles::CoverSettings settings = DataFiles::ReadNiveis();
        GlobalModel& g = Global();
        g.CoverLines = settings.coverLines;
        g.CoverLines << settings.picture;
        g.BackupFolder = settings.backupFolder;
    });
}

void TFBackup::done(int result)
{
    FormClose();
    FormWindow::done(result);
}

void TFBackup::closeEvent(QCloseEvent* event)
{
    event->ignore();
    done(QDialog::Rejected);
}

void OpenBackup(QWidget* parent)
{
    TFBackup window(parent);
    ShowModal(window);
}
