#include "UIncExcCol.h"

#include "UCorrigePstGrd.h"
#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "data/Clock.h"
#include "data/UGlobal.h"
#include "maintenance/CollectiveInclusion.h"
#include "manual/UEscolherSv.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListView>
#include <QShowEvent>
#include <QStackedLayout>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString ChooseBeigeOrBlue = QStringLiteral("Você deve selecionar o Arquivo Bege ou Azul");

QListWidget* makeList(const QString& name, const QString& colour, QWidget* parent)
{
    auto* list = Named<QListWidget>(name, parent);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setStyleSheet(QStringLiteral("QListWidget { background: %1; color: black; }").arg(colour));
    list->setMinimumSize(280, 330);
    return list;
}

// The selected lines of a list, top to bottom.
QStringList selectedLines(const QListWidget* list)
{
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected())
            lines << list->item(row)->text();
    return lines;
}

void untick(QRadioButton* bege, QRadioButton* azul)
{
    UntickChoices({bege, azul});
}

}

TFIncExcCol::TFIncExcCol(QWidget* parent) : FormWindow(QStringLiteral("008"), parent)
{
    setObjectName(QStringLiteral("FIncExcCol"));
    setWindowTitle(QStringLiteral("Inclusão/Exclusão Coletiva"));

    LTitulo = Named<QLabel>(QStringLiteral("LTitulo"), QStringLiteral("Inclusão Coletiva deMilitares"), this);
    QFont font = LTitulo->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() + 3);
    LTitulo->setFont(font);
    LTitulo->setAlignment(Qt::AlignCenter);
    QFont heading = LTitulo->font();
    heading.setPointSizeF(heading.pointSizeF() - 2);
    LNoSistema = Named<QLabel>(QStringLiteral("LNoSistema"), QStringLiteral("    No Sistema   "), this);
    LNasEscalas = Named<QLabel>(QStringLiteral("LNasEscalas"), QStringLiteral("Nas Escalas"), this);
    for (QLabel* label : {LNoSistema, LNasEscalas}) {
        label->setFont(heading);
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QStringLiteral("QLabel { border-bottom: 2px solid #808080; padding: 2px; }"));
    }
    LRelacao = Named<QLabel>(QStringLiteral("LRelacao"), QStringLiteral("Relação de Todos militares"), this);

    // The file browser: drive, folder and the "*.Txt" files of the folder.
    auto* browser = new QWidget(this);
    DriveComboBox1 = Named<QComboBox>(QStringLiteral("DriveComboBox1"), browser);
    for (const QFileInfo& drive : QDir::drives())
        DriveComboBox1->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()), drive.absoluteFilePath());
    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QString());
    DirectoryListBox1 = Named<QTreeView>(QStringLiteral("DirectoryListBox1"), browser);
    DirectoryListBox1->setModel(m_folders);
    DirectoryListBox1->setHeaderHidden(true);
    for (int column = 1; column < m_folders->columnCount(); ++column)
        DirectoryListBox1->hideColumn(column);
    m_files = new QFileSystemModel(this);
    m_files->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_files->setNameFilters({QStringLiteral("*.Txt")});
    m_files->setNameFilterDisables(false);
    FileListBox1 = Named<QListView>(QStringLiteral("FileListBox1"), browser);
    FileListBox1->setModel(m_files);
    FileListBox1->setStyleSheet(QStringLiteral("QListView { background: #ffffe1; color: black; }"));
    auto* browserLayout = new QVBoxLayout(browser);
    browserLayout->setContentsMargins(0, 0, 0, 0);
    browserLayout->addWidget(DriveComboBox1);
    browserLayout->addWidget(DirectoryListBox1, 3);
    browserLayout->addWidget(new QLabel(QStringLiteral("Arquivos (*.Txt):"), browser));
    browserLayout->addWidget(FileListBox1, 2);

    ListBox1 = makeList(QStringLiteral("ListBox1"), QStringLiteral("#ffffe1"), this);
    ListBox4 = makeList(QStringLiteral("ListBox4"), QStringLiteral("#ffffe1"), this);
    ListBox2 = makeList(QStringLiteral("ListBox2"), QStringLiteral("#00ffff"), this);
    ListBox3 = makeList(QStringLiteral("ListBox3"), QStringLiteral("#c0c0c0"), this);

    Button2 = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Procurar Novo Arquivo"), this);
    BIncluir = Named<QPushButton>(QStringLiteral("BIncluir"), QStringLiteral("Incluir "), this);
    BExcluir = Named<QPushButton>(QStringLiteral("BExcluir"), QStringLiteral("Excluir"), this);
    BIncluir->setToolTip(QStringLiteral("Selecionar Militar(res)"));
    BExcluir->setToolTip(QStringLiteral("Selecionar Militar(res)"));
    GBUsarArquivo = Named<QGroupBox>(QStringLiteral("GBUsarArquivo"), QStringLiteral("Usar Arquivo"), this);
    RBBege = Named<QRadioButton>(QStringLiteral("RBBege"), QStringLiteral("Bege"), GBUsarArquivo);
    RBAzul = Named<QRadioButton>(QStringLiteral("RBAzul"), QStringLiteral("Azul"), GBUsarArquivo);
    auto* choices = new QHBoxLayout(GBUsarArquivo);
    choices->addWidget(RBBege);
    choices->addWidget(RBAzul);
    choices->addStretch();
    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Retorna Grade Azul"), this);
    BEscolher = Named<QPushButton>(QStringLiteral("BEscolher"), QStringLiteral("Escolher Serviços"), this);
    BGravar = Named<QPushButton>(QStringLiteral("BGravar"), QStringLiteral("Gravar"), this);
    Button4 = Named<QPushButton>(QStringLiteral("Button4"), QStringLiteral("Sair"), this);
    for (QPushButton* button : {Button2, BIncluir, BExcluir, Button1, BEscolher, BGravar, Button4}) {
        button->setAutoDefault(false);
        button->setMinimumHeight(30);
    }

    // Left column: the browser or the file's lines; middle: the blue list; right: what "Gravar" uses.
    m_left = new QStackedWidget(this);
    m_left->addWidget(browser);
    m_left->addWidget(ListBox1);
    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(new QLabel(QStringLiteral("Arquivo de inclusão"), this));
    leftColumn->addWidget(m_left, 1);
    leftColumn->addWidget(Button2);
    auto* fileButtons = new QHBoxLayout;
    fileButtons->addWidget(BIncluir);
    fileButtons->addWidget(BExcluir);
    leftColumn->addLayout(fileButtons);

    auto* middleColumn = new QVBoxLayout;
    middleColumn->addWidget(LRelacao);
    m_middle = new QVBoxLayout;
    m_middle->setContentsMargins(0, 0, 0, 0);
    m_blueAway = Named<QLabel>(QStringLiteral("LRelacaoADireita"),
                               QStringLiteral("A Relação de Todos militares\nestá na coluna da direita"), this);
    m_blueAway->setAlignment(Qt::AlignCenter);
    m_blueAway->setStyleSheet(QStringLiteral("QLabel { border: 1px dashed #808080; color: #404040; }"));
    m_blueAway->setMinimumSize(280, 330);
    m_blueAway->hide();
    m_middle->addWidget(m_blueAway);
    m_middle->addWidget(ListBox2);
    middleColumn->addLayout(m_middle, 1);
    auto* useList = new QHBoxLayout;
    useList->addWidget(GBUsarArquivo);
    useList->addWidget(Button1);
    middleColumn->addLayout(useList);

    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(new QLabel(QStringLiteral("Militares a gravar nos serviços"), this));
    auto* rightHolder = new QWidget(this);
    m_right = new QStackedLayout(rightHolder);
    m_right->addWidget(ListBox3);
    m_right->addWidget(ListBox4);
    rightColumn->addWidget(rightHolder, 1);
    auto* serviceButtons = new QHBoxLayout;
    serviceButtons->addWidget(BEscolher);
    serviceButtons->addWidget(BGravar);
    rightColumn->addLayout(serviceButtons);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 10, 14, 10);
    grid->setHorizontalSpacing(14);
    grid->addWidget(LTitulo, 0, 0, 1, 3);
    grid->addWidget(LNoSistema, 1, 0, 1, 2);
    grid->addWidget(LNasEscalas, 1, 2);
    grid->addLayout(leftColumn, 2, 0);
    grid->addLayout(middleColumn, 2, 1);
    grid->addLayout(rightColumn, 2, 2);
    grid->addWidget(Button4, 3, 2, Qt::AlignRight);
    grid->setRowStretch(2, 1);
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);
    resize(960, 620);

    connect(DriveComboBox1, &QComboBox::activated, this, [this](int index) {
        showFolder(DriveComboBox1->itemData(index).toString());
    });
    connect(DirectoryListBox1, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { showFolder(m_folders->filePath(index)); });
    connect(FileListBox1, &QListView::clicked, this, &TFIncExcCol::FileListBox1Click);
    connect(Button2, &QPushButton::clicked, this, &TFIncExcCol::Button2Click);
    connect(BIncluir, &QPushButton::clicked, this, &TFIncExcCol::BIncluirClick);
    connect(BExcluir, &QPushButton::clicked, this, &TFIncExcCol::BExcluirClick);
    connect(RBBege, &QRadioButton::clicked, this, &TFIncExcCol::RBBegeClick);
    connect(RBAzul, &QRadioButton::clicked, this, &TFIncExcCol::RBAzulClick);
    connect(Button1, &QPushButton::clicked, this, &TFIncExcCol::Button1Click);
    connect(BEscolher, &QPushButton::clicked, this, &TFIncExcCol::BEscolherClick);
    connect(BGravar, &QPushButton::clicked, this, &TFIncExcCol::BGravarClick);
    connect(Button4, &QPushButton::clicked, this, &TFIncExcCol::Button4Click);

    BGravar->setEnabled(false);
    Button1->hide();
    showBrowser(true);
    showFolder(QDir::homePath());
    offerPersonnelLookup();
}

void TFIncExcCol::showFolder(const QString& path)
{
    const QModelIndex folder = m_folders->index(path);
    DirectoryListBox1->setCurrentIndex(folder);
    DirectoryListBox1->expand(folder);
    DirectoryListBox1->scrollTo(folder);
    FileListBox1->setRootIndex(m_files->setRootPath(path));
}

QListWidget* TFIncExcCol::rightColumnList() const
{
    return qobject_cast<QListWidget*>(m_right->currentWidget());
}

bool TFIncExcCol::blueListInMiddle() const
{
    return m_middle->indexOf(ListBox2) >= 0;
}

void TFIncExcCol::showEvent(QShowEvent* event)
{
    // Restoring a minimised window is no new activation: the lists keep what they hold.
    if (event->spontaneous()) {
        QDialog::showEvent(event);
        return;
    }
    FormWindow::showEvent(event);
}

void TFIncExcCol::showBrowser(bool browsing)
{
    m_left->setCurrentIndex(browsing ? 0 : 1);
    Button2->setVisible(!browsing);
}

void TFIncExcCol::fillBlueList()
{
    ListBox2->clear();
    ListBox2->addItems(RegisteredSoldierLines());
}

void TFIncExcCol::moveBlueListToMiddle()
{
    if (blueListInMiddle())
        return;
    m_right->removeWidget(ListBox2);
    m_middle->addWidget(ListBox2);
    ListBox2->show();
    m_blueAway->hide();
}

void TFIncExcCol::FormActivate()
{
    m_choicePending = false;
    BGravar->setEnabled(false);
    untick(RBBege, RBAzul);
    Button1->hide();
    ListBox1->clear();
    ListBox2->clear();
    ListBox3->clear();
    showBrowser(true);
    moveBlueListToMiddle();
    m_right->setCurrentWidget(ListBox3);
    Guarded([this] { fillBlueList(); });
}

void TFIncExcCol::FileListBox1Click(const QModelIndex& index)
{
    if (index.isValid() && !m_files->isDir(index))
        LoadFileLines(m_files->filePath(index));
}

void TFIncExcCol::LoadFileLines(const QString& path)
{
    // A file that cannot be read leaves the list and the browser as they were.
    Guarded([this, &path] {
        const QStringList lines = ReadCollectiveFile(path);
        ListBox1->clear();
        ListBox1->addItems(lines);
        showBrowser(false);
    });
}

void TFIncExcCol::Button2Click()
{
    showBrowser(true);
}

void TFIncExcCol::BIncluirClick()
{
    const QStringList lines = selectedLines(ListBox1);
    if (lines.isEmpty()) {
        Dialogs::current().message(QStringLiteral("Você deve selecionar os militares a serem incluídos"));
        return;
    }
    Guarded([this, &lines] {
        const CollectiveQuestion ask = [](const QString& question) { return AskBeforeLoss(question); };
        const CollectiveNotice tell = [](const QString& message) {
            PointerWhileAsking pointer;
            Dialogs::current().message(message);
        };
        const RankChooser correction = CorrectionWindowChooser(this);
        const RankChooser choose = [&correction](const QString& unrecognised, const QStringList& models) {
            PointerWhileAsking pointer;
            return correction(unrecognised, models);
        };
        BusyCursor busy;
        const CollectiveInclusion result = IncludeCollective(lines, ask, tell, choose);
        ListBox4->clear();
        ListBox4->addItems(result.beigeLines);
        fillBlueList();
        RBBege->setChecked(true);
        RBBegeClick();
    });
}

void TFIncExcCol::BExcluirClick()
{
    QStringList nums;
    for (const QString& line : selectedLines(ListBox2))
        nums << NumberOfListLine(line);
    if (nums.isEmpty()) {
        Dialogs::current().message(QStringLiteral("Você deve selecionar na Relação de Todos militares os militares a serem excluídos"));
        return;
    }
    // Their counts go with them: there is no way back.
    if (!AskBeforeLoss(ExclusionQuestion(int(nums.size()))))
        return;
    Guarded([this, &nums] {
        BusyCursor busy;
        ExcludeCollective(nums);
        fillBlueList();
    });
}

void TFIncExcCol::RBBegeClick()
{
    ListBox3->clear();
    moveBlueListToMiddle();
    Button1->hide();
    m_right->setCurrentWidget(ListBox4);
}

void TFIncExcCol::RBAzulClick()
{
    ListBox3->clear();
    if (blueListInMiddle()) {
        m_middle->removeWidget(ListBox2);
        m_right->addWidget(ListBox2);
        m_blueAway->show();
    }
    m_right->setCurrentWidget(ListBox2);
    Button1->show();
}

void TFIncExcCol::Button1Click()
{
    moveBlueListToMiddle();
    m_right->setCurrentWidget(ListBox3);
    untick(RBBege, RBAzul);
    Button1->hide();
}

void TFIncExcCol::BEscolherClick()
{
    if (!RBBege->isChecked() && !RBAzul->isChecked()) {
        Dialogs::current().message(ChooseBeigeOrBlue);
        return;
    }
    m_choicePending = true;
    BGravar->setEnabled(true);
    if (!Dialogs::current().question(
            QStringLiteral(" IMPORTANTE: O militar somente concorrerá aos Serviços marcados\n"
                           "O militar será retirado dos demais serviços não marcados\n\n"
                           "                                              Continuar ?")))
        return;
    Guarded([this] {
        LoadServices();
        ChooseServices(this);
    });
}

void TFIncExcCol::BGravarClick()
{
    // After "Retorna Grade Azul" neither list is chosen: there is nobody to save.
    if (!RBBege->isChecked() && !RBAzul->isChecked()) {
        Dialogs::current().message(ChooseBeigeOrBlue);
        return;
    }
    QStringList nums;
    for (const QString& line : selectedLines(RBBege->isChecked() ? ListBox4 : ListBox2))
        nums << NumberOfListLine(line);
    if (nums.isEmpty()) {
        Dialogs::current().message(QStringLiteral("Você deve selecionar, na lista da direita, os militares a serem gravados nos serviços"));
        return;
    }
    Guarded([this, &nums] {
        QStringList notRegistered;
        {
            BusyCursor busy;
            notRegistered = SaveServicesForSelection(nums, Clock::today());
        }
        m_choicePending = false;
        for (const QString& message : notRegistered)
            Dialogs::current().message(message);
        fillBlueList();
        BGravar->setEnabled(false);
        if (RBAzul->isChecked())
            Button1Click();
    });
}

void TFIncExcCol::Button4Click()
{
    close();
}

void TFIncExcCol::FormClose()
{
    if (m_choicePending)
        Dialogs::current().message(QStringLiteral("Você escolheu Serviço mas não gravou o registro"));
    m_choicePending = false;
}

void TFIncExcCol::done(int result)
{
    FormClose();
    FormWindow::done(result);
}

void OpenCollectiveInclusion(QWidget* parent)
{
    TFIncExcCol window(parent);
    ShowModal(window);
}
