#include "ServiceRegister.h"

#include "data/CoreError.h"
#include "data/Dates.h"
#include "data/UDMGeral.h"

#include <climits>

namespace ServiceRegister {

namespace {

constexpr int ColumnRows = 15;
constexpr int LeftColumnWidth = 16;   // "15 - " and eight characters, and room to breathe

QStringList column(const ServiceList& services, int first)
{
    QStringList lines;
    for (int code = first; code < first + ColumnRows; ++code)
        lines << ListingLine(services, code);
    return lines;
}

ServiceSaveOutcome refused(const QString& message)
{
    ServiceSaveOutcome outcome;
    outcome.message = message;
    return outcome;
}

// Empties the roster of the service: every row of its table goes.
void emptyRoster(int code)
{
    GlobalModel& g = Global();
    g.CurrentRoster = SelectRoster(code, QStringLiteral("Base"));
    ClearRoster(*g.CurrentRoster);
    SaveRoster(*g.CurrentRoster, g.CurrentTableName);
}

}

QString FreeCodesText(const ServiceList& services)
{
    QString text = QStringLiteral("Códigos livres:  ");
    for (int code = 1; code <= Capacity::Services; ++code) {
        if (!InUse(services, code))
            text += QString::number(code) + QLatin1Char(' ');
    }
    return text;
}

QString ListingLine(const ServiceList& services, int code)
{
    return QString::number(code) + QStringLiteral(" - ") + services[code].Descr;
}

QStringList LeftColumn(const ServiceList& services)
{
    return column(services, 1);
}

QStringList RightColumn(const ServiceList& services)
{
    return column(services, ColumnRows + 1);
}

QStringList ListingRows(const ServiceList& services)
{
    const QStringList left = LeftColumn(services);
    const QStringList right = RightColumn(services);
    QStringList rows;
    for (int i = 0; i < ColumnRows; ++i)
        rows << left.at(i).leftJustified(LeftColumnWidth) + right.at(i);
    return rows;
}

bool InUse(const ServiceList& services, int code)
{
    return code >= 1 && code <= Capacity::Services && services[code].CodSv != 0;
}

std::optional<int> CodeOf(const QString& text)
{
    const std::optional<int> number = WholeNumberOf(text);
    if (!number || *number < 1 || *number > Capacity::Services)
        return std::nullopt;
    return number;
}

QString InvalidCodeMessage(const QString& text)
{
    return QStringLiteral("Código \"%1\" inválido: informe um número de 1 a 30.").arg(text);
}

std::optional<int> WholeNumberOf(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int number = trimmed.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

QString InvalidQuantityMessage(const QString& text)
{
    return QStringLiteral("Quantidade \"%1\" inválida: informe um número inteiro, 0 ou mais.").arg(text);
}

QString InvalidPriorityMessage(const QString& text)
{
    return QStringLiteral("Prioridade \"%1\" inválida: informe um número inteiro, 0 ou mais.").arg(text);
}

ServiceBoxes BoxesOf(const ServiceRecord& service, int code)
{
    ServiceBoxes boxes;
    boxes.code = QString::number(code);
    boxes.descr = service.Descr;
    boxes.quant = QString::number(service.Quant);
    boxes.prio = QString::number(service.Prio);
    boxes.ini = Dates::show(service.Ini);
    boxes.fim = Dates::show(service.Fim);
    boxes.rest = RestShown;
    return boxes;
}

QString CapacityWarning()
{
    return QStringLiteral("  É possível escalar mais de 24 militares por dia, entretanto isso poderá\n"
                          "ultrapassar a capacidade (120 posições)da coluna NUMERO do arquivo \n"
                          "Histórico.\n\n"
                          "                   Clicar no formulário atual para ler o Manual");
}

bool AboveCapacity(const QString& quantityText)
{
    const std::optional<int> quantity = WholeNumberOf(quantityText);
    return quantity && *quantity > DailyCapacity;
}

QString RetirementMessage()
{
    return QStringLiteral("O serviço não poderá ser excluído enquanto houver registros no Arquivo Histórico \n"
                          "Assim,o programa apenas irá alterar as datas Início e Fim do Serviço para 01/01/00.\n"
                          "Quando não houver mais registros do serviço em Histórico, processe novamente a exclusão");
}

bool HasHistory(int code)
{
    HistSearch search;
    search.codes = {code};
    QSqlQuery rows = TDMGeral::instance().searchHist(search);
    return rows.next();
}

int RosterMembers(int code)
{
    QSqlQuery rows = TDMGeral::instance().openTable(Alias::Ravelha, QStringLiteral("Sv%1").arg(code), INT_MAX);
    int members = 0;
    while (rows.next())
        ++members;
    return members;
}

QString EmptyRosterQuestion(int code, const QString& descr, int members)
{
    const QString soldiers = members == 1 ? QStringLiteral("1 militar") : QStringLiteral("%1 militares").arg(members);
    return QStringLiteral("A escala do serviço %1 (%2) tem %3. Ao excluir o serviço, a escala será apagada "
                          "e as quantidades de serviços desses militares serão perdidas.\n\nConfirma a exclusão?")
        .arg(code)
        .arg(descr, soldiers);
}

ServiceSaveOutcome SaveService(ServiceMode mode, const ServiceBoxes& boxes, const ServiceConfirm& confirm)
{
    GlobalModel& g = Global();
    const bool removing = mode == ServiceMode::Excluir;

    // The days: the boxes of a removal only show the service and are not used.
    std::optional<QDate> ini, fim;
    if (!removing) {
        ini = Dates::parse(boxes.ini);
        if (!ini)
            return refused(Dates::invalidDateMessage(boxes.ini));
        fim = Dates::parse(boxes.fim);
        if (!fim)
            return refused(Dates::invalidDateMessage(boxes.fim));
    }

    if (boxes.code.trimmed().isEmpty())
        return refused(QStringLiteral("Campo Código é obrigatório"));
    const std::optional<int> code = CodeOf(boxes.code);
    if (!code)
        return refused(InvalidCodeMessage(boxes.code));
    const bool inUse = InUse(g.ServiceTable, *code);
    if (mode == ServiceMode::Incluir && inUse) {
        ServiceSaveOutcome outcome = refused(QStringLiteral("Código já existente"));
        outcome.existing = BoxesOf(g.ServiceTable[*code], *code);
        return outcome;
    }
    if (mode != ServiceMode::Incluir && !inUse)
        return refused(QStringLiteral("Código inexistente"));

    ServiceRecord changed = g.ServiceTable[*code];
    bool retired = false;
    if (!removing) {
        if (boxes.descr.trimmed().isEmpty() || boxes.quant.trimmed().isEmpty() || boxes.rest.trimmed().isEmpty())
            return refused(QStringLiteral("Campos Descrição, Quantidade e Folga são obrigatórios"));
        const QString prioText = boxes.prio.trimmed().isEmpty() ? QString::number(DefaultPriority) : boxes.prio;
        const std::optional<int> quant = WholeNumberOf(boxes.quant);
        if (!quant)
            return refused(InvalidQuantityMessage(boxes.quant));
        const std::optional<int> prio = WholeNumberOf(prioText);
        if (!prio)
            return refused(InvalidPriorityMessage(boxes.prio));
        changed.CodSv = *code;
        changed.Descr = cut(boxes.descr, Width::Descr);
        changed.Quant = *quant;
        changed.Prio = *prio;
        changed.Ini = *ini;
        changed.Fim = *fim;
    } else {
        const int members = RosterMembers(*code);
        if (members > 0) {
            const QString question = EmptyRosterQuestion(*code, changed.Descr, members);
            if (!confirm || !confirm(question)) {
                ServiceSaveOutcome outcome = refused(question);
                outcome.declined = true;
                return outcome;
            }
        }
        retired = HasHistory(*code);
        if (retired) {
            // The history keeps showing its code and description; no day falls in its period.
            changed.Prio = DefaultPriority;
            changed.Ini = Dates::parse(NewServiceStart).value();
            changed.Fim = changed.Ini;
        } else {
            changed = ServiceRecord();
        }
    }

    const ServiceRecord before = g.ServiceTable[*code];
    g.ServiceTable[*code] = changed;
    try {
        SqlTransaction transaction(TDMGeral::instance().database(Alias::Ravelha));
        // A new service starts with the members the keeper gives it: rows left in its roster
        // table by a reset (services 7 to 30) or an edit of the register are not its members.
        if (removing || (mode == ServiceMode::Incluir && RosterMembers(*code) > 0))
            emptyRoster(*code);
        SaveServices();
        transaction.commit();
    } catch (...) {
        g.ServiceTable[*code] = before;
        throw;
    }

    ServiceSaveOutcome outcome;
    outcome.saved = true;
    outcome.retired = retired;
    if (retired)
        outcome.message = RetirementMessage();
    return outcome;
}

}
