#include "UIncExcAltSv.h"

#include "common/BusyCursor.h"
#include "common/Controls.h"
#include "common/Dialogs.h"
#include "common/Guarded.h"
#include "common/ModalWindows.h"
#include "data/UGlobal.h"
#include "maintenance/ServiceRegister.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const char* const BoxCaptions[] = {"", "Código", "Descrição", "Quantidade", "Prioridade",
                                   "Início do Serviço", "Final do Serviço", "Folga"};

QLabel* listingLabel(const QString& name, QWidget* parent)
{
    auto* label = Named<QLabel>(name, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    return label;
}

}

TFIncExcAltSv::TFIncExcAltSv(QWidget* parent) : FormWindow(QStringLiteral("018"), parent)
{
    setObjectName(QStringLiteral("FIncExcAltSv"));
    setWindowTitle(QStringLiteral("FIncExcAltSv"));

    Label9 = Named<QLabel>(QStringLiteral("Label9"), QStringLiteral("Cadastro dos Serviços"), this);
    QFont title = Label9->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() + 4);
    Label9->setFont(title);
    Label9->setAlignment(Qt::AlignCenter);

    QLineEdit** boxes[] = {nullptr, &Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7};
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(8);
    for (int i = 1; i <= 7; ++i) {
        Labels[i] = Named<QLabel>(QStringLiteral("Label%1").arg(i), QString::fromUtf8(BoxCaptions[i]), this);
        *boxes[i] = Named<QLineEdit>(QStringLiteral("Edit%1").arg(i), this);
        Labels[i]->setBuddy(*boxes[i]);
        Labels[i]->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        fields->addWidget(Labels[i], i - 1, 0);
        fields->addWidget(*boxes[i], i - 1, 1);
    }
    Edit1->setMaximumWidth(60);
    Edit2->setMaxLength(Width::Descr);
    Edit2->setMaximumWidth(120);
    Edit3->setMaximumWidth(60);
    Edit4->setMaximumWidth(60);
    Edit5->setMaximumWidth(90);
    Edit6->setMaximumWidth(90);
    Edit7->setMaximumWidth(40);
    Edit5->setPlaceholderText(QStringLiteral("dd/mm/aa"));
    Edit6->setPlaceholderText(QStringLiteral("dd/mm/aa"));
    Edit7->setReadOnly(true);
    Edit7->setToolTip(QStringLiteral("1 = 24 h  ,  2 = 48 h "));
    Labels[7]->setToolTip(Edit7->toolTip());

    RadioGroup1 = Named<QGroupBox>(QStringLiteral("RadioGroup1"), this);
    RadioButton1 = Named<QRadioButton>(QStringLiteral("RadioButton1"), QStringLiteral("Incluir"), RadioGroup1);
    RadioButton2 = Named<QRadioButton>(QStringLiteral("RadioButton2"), QStringLiteral("Excluir"), RadioGroup1);
    RadioButton3 = Named<QRadioButton>(QStringLiteral("RadioButton3"), QStringLiteral("Alterar"), RadioGroup1);
    auto* radios = new QVBoxLayout(RadioGroup1);
    radios->addWidget(RadioButton1);
    radios->addWidget(RadioButton2);
    radios->addWidget(RadioButton3);

    Button1 = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Efetivar Inclusão"), this);
    Button2 = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Limpar"), this);
    Button3 = Named<QPushButton>(QStringLiteral("Button3"), QStringLiteral("Sair"), this);
    Button4 = Named<QPushButton>(QStringLiteral("Button4"), QString(), this);
    Button4->hide();
    for (QPushButton* button : {Button1, Button2, Button3}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(140);
    }

    Label8 = Named<QLabel>(QStringLiteral("Label8"), this);
    Label8->setWordWrap(true);
    Label8->setTextFormat(Qt::PlainText);
    Label8->hide();

    ListingTitle = listingLabel(QStringLiteral("ListingTitle"), this);
    ListingTitle->setText(QStringLiteral("Relação dos Serviços"));
    QFont listingFont = ListingTitle->font();
    listingFont.setBold(true);
    ListingTitle->setFont(listingFont);
    ListingLeft = listingLabel(QStringLiteral("ListingLeft"), this);
    ListingRight = listingLabel(QStringLiteral("ListingRight"), this);

    // The form at the left, the listing at the right.
    auto* modeRow = new QHBoxLayout;
    modeRow->setSpacing(16);
    modeRow->addWidget(RadioGroup1);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addStretch();
    modeRow->addLayout(buttons);
    modeRow->addStretch();

    auto* form = new QVBoxLayout;
    form->setSpacing(6);
    form->addLayout(fields);
    form->addSpacing(10);
    form->addLayout(modeRow);
    form->addWidget(Label8);
    form->addStretch(1);

    auto* columns = new QHBoxLayout;
    columns->setSpacing(24);
    columns->addWidget(ListingLeft);
    columns->addWidget(ListingRight);
    columns->addStretch();
    auto* listing = new QVBoxLayout;
    listing->setSpacing(6);
    listing->addWidget(ListingTitle);
    listing->addLayout(columns);
    listing->addStretch(1);

    auto* body = new QHBoxLayout;
    body->setSpacing(0);
    body->addLayout(form);
    body->addSpacing(40);
    body->addLayout(listing);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(Label9);
    layout->addSpacing(10);
    layout->addLayout(body);

    connect(RadioButton1, &QRadioButton::clicked, this, &TFIncExcAltSv::RadioButton1Click);
    connect(RadioButton2, &QRadioButton::clicked, this, &TFIncExcAltSv::RadioButton2Click);
    connect(RadioButton3, &QRadioButton::clicked, this, &TFIncExcAltSv::RadioButton3Click);
    connect(Edit1, &QLineEdit::textChanged, this, &TFIncExcAltSv::Edit1Change);
    connect(Button1, &QPushButton::clicked, this, &TFIncExcAltSv::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFIncExcAltSv::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFIncExcAltSv::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TFIncExcAltSv::Button4Click);
    Edit3->installEventFilter(this);
    offerPersonnelLookup();
}

void TFIncExcAltSv::FormActivate()
{
    Guarded([this] {
        LoadServices();
        clearAll();
        Button4Click();
    });
}

void TFIncExcAltSv::enableBoxes(bool all, bool codeOnly)
{
    QLineEdit* boxes[] = {nullptr, Edit1, Edit2, Edit3, Edit4, Edit5, Edit6};
    for (int i = 1; i <= 6; ++i) {
        const bool on = all || (codeOnly && i == 1);
        boxes[i]->setEnabled(on);
        Labels[i]->setEnabled(on);
    }
    // The rest box is never editable; only its caption follows the mode.
    Edit7->setEnabled(false);
    Labels[7]->setEnabled(all);
}

void TFIncExcAltSv::setMode(Mode mode)
{
    m_mode = mode;
    const bool chosen = mode != Mode::None;
    Button1->setEnabled(chosen);
    Button2->setEnabled(chosen);
    Label8->setVisible(mode == Mode::Incluir);
    enableBoxes(mode == Mode::Incluir || mode == Mode::Alterar, mode == Mode::Excluir);
    if (mode == Mode::Incluir)
        Button1->setText(QStringLiteral("Efetivar Inclusão"));
    else if (mode == Mode::Excluir)
        Button1->setText(QStringLiteral("Efetivar Exclusão"));
    else if (mode == Mode::Alterar)
        Button1->setText(QStringLiteral("Efetivar Alteração"));
    if (chosen)
        Edit1->setFocus();
}

void TFIncExcAltSv::clearAll()
{
    m_filling = true;
    for (QLineEdit* box : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7})
        box->clear();
    m_filling = false;
    UntickChoices({RadioButton1, RadioButton2, RadioButton3});
    setMode(Mode::None);
}

void TFIncExcAltSv::RadioButton1Click()
{
    Label8->setText(ServiceRegister::FreeCodesText(Global().ServiceTable));
    Edit5->setText(ServiceRegister::NewServiceStart);
    Edit6->setText(ServiceRegister::NewServiceEnd);
    Edit7->setText(ServiceRegister::RestShown);
    setMode(Mode::Incluir);
}

void TFIncExcAltSv::RadioButton2Click()
{
    setMode(Mode::Excluir);
}

void TFIncExcAltSv::RadioButton3Click()
{
    Edit7->setText(ServiceRegister::RestShown);
    setMode(Mode::Alterar);
}

void TFIncExcAltSv::showService(int code)
{
    const ServiceList& services = Global().ServiceTable;
    ServiceBoxes shown;
    if (ServiceRegister::InUse(services, code))
        shown = ServiceRegister::BoxesOf(services[code], code);
    m_filling = true;
    Edit2->setText(shown.descr);
    Edit3->setText(shown.quant);
    Edit4->setText(shown.prio);
    Edit5->setText(shown.ini);
    Edit6->setText(shown.fim);
    m_filling = false;
}

void TFIncExcAltSv::Edit1Change(const QString& text)
{
    if (m_filling || (m_mode != Mode::Excluir && m_mode != Mode::Alterar) || text.isEmpty())
        return;
    const std::optional<int> code = ServiceRegister::CodeOf(text);
    if (!code) {
        showService(0);
        Dialogs::current().error(ServiceRegister::InvalidCodeMessage(text));
        return;
    }
    showService(*code);
}

void TFIncExcAltSv::Edit3Exit()
{
    const QString text = Edit3->text();
    if (text.trimmed().isEmpty())
        return;
    if (!ServiceRegister::WholeNumberOf(text))
        Dialogs::current().error(ServiceRegister::InvalidQuantityMessage(text));
    else if (ServiceRegister::AboveCapacity(text))
        Dialogs::current().message(ServiceRegister::CapacityWarning());
}

bool TFIncExcAltSv::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the box for another control of the window, not the window losing the focus.
    if (watched == Edit3 && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && Edit3->isEnabled())
            Edit3Exit();
    }
    return FormWindow::eventFilter(watched, event);
}

void TFIncExcAltSv::Button1Click()
{
    if (m_mode == Mode::None)
        return;
    const ServiceMode mode = m_mode == Mode::Incluir  ? ServiceMode::Incluir
                             : m_mode == Mode::Excluir ? ServiceMode::Excluir
                                                       : ServiceMode::Alterar;
    const ServiceBoxes boxes{Edit1->text(), Edit2->text(), Edit3->text(), Edit4->text(),
                             Edit5->text(), Edit6->text(), Edit7->text()};
    Guarded([&] {
        ServiceSaveOutcome outcome;
        {
            BusyCursor busy;
            outcome = ServiceRegister::SaveService(mode, boxes, AskBeforeLoss);
        }
        if (!outcome.saved) {
            if (outcome.existing) {
                m_filling = true;
                Edit2->setText(outcome.existing->descr);
                Edit3->setText(outcome.existing->quant);
                Edit4->setText(outcome.existing->prio);
                Edit5->setText(outcome.existing->ini);
                Edit6->setText(outcome.existing->fim);
                m_filling = false;
            }
            // The keeper's own No needs no answer.
            if (!outcome.declined)
                Dialogs::current().message(outcome.message);
            return;
        }
        if (!outcome.message.isEmpty())
            Dialogs::current().message(outcome.message);
        clearAll();
        Button4Click();
    });
}

void TFIncExcAltSv::Button2Click()
{
    clearAll();
}

void TFIncExcAltSv::Button3Click()
{
    Label8->hide();
    close();
}

void TFIncExcAltSv::Button4Click()
{
    const ServiceList& services = Global().ServiceTable;
    ListingLeft->setText(ServiceRegister::LeftColumn(services).join(QLatin1Char('\n')));
    ListingRight->setText(ServiceRegister::RightColumn(services).join(QLatin1Char('\n')));
}

void OpenServiceRegister(QWidget* parent)
{
    TFIncExcAltSv window(parent);
    ShowModal(window);
}
