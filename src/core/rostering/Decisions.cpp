#include "Decisions.h"

#include "Computation.h"
#include "Removals.h"
#include "Rules.h"

#include "data/Dates.h"
#include "data/UGlobal.h"

#include <algorithm>
#include <cstdlib>

namespace {

DecisionRecorder* active = nullptr;

constexpr int OrderWidth = 90;

QString who(const QString& num, const QString& name)
{
    return name.isEmpty() ? num : num + QStringLiteral(" - ") + name;
}

QString period(const QDate& from, const QDate& to)
{
    return Dates::show(from) + QStringLiteral(" a ") + Dates::show(to);
}

QString distance(qint64 days)
{
    static const QStringList words = {QString(), QStringLiteral("um dia"), QStringLiteral("dois dias")};
    const qint64 n = days < 0 ? -days : days;
    const QString word = n < words.size() ? words[n] : QString::number(n) + QStringLiteral(" dias");
    return word + (days < 0 ? QStringLiteral(" antes") : QStringLiteral(" depois"));
}

QString reasonText(const Decision& d, const QDate& day)
{
    switch (d.reason) {
    case DecisionReason::Taken:
        return d.note.isEmpty() ? QStringLiteral("escalado")
                                : QStringLiteral("escalado (aviso: ") + d.note + QLatin1Char(')');
    case DecisionReason::NoRecord:
        return QStringLiteral("não escalado: sem cadastro de pessoal");
    case DecisionReason::Removed:
        return QStringLiteral("não escalado: retirado desta escala neste dia pelo encarregado");
    case DecisionReason::SameDay:
        return QStringLiteral("não escalado: já está de outro serviço neste dia");
    case DecisionReason::NoRest:
        return QStringLiteral("não escalado: sem folga de 48 horas, tem serviço em ") + Dates::show(d.other)
            + QStringLiteral(" (") + distance(day.daysTo(d.other)) + QLatin1Char(')');
    case DecisionReason::RealAbsence:
        return QStringLiteral("não escalado: afastamento real de ") + period(d.from, d.to);
    case DecisionReason::AbsenceWithoutKind:
        return QStringLiteral("não escalado: afastamento sem tipo (nem previsto nem real) de ") + period(d.from, d.to);
    }
    return QString();
}

}

DecisionRecorder::DecisionRecorder(const QDate& day, int serviceCode)
    : m_day(day), m_code(serviceCode), m_previous(active)
{
    active = this;
}

DecisionRecorder::~DecisionRecorder()
{
    active = m_previous;
}

DecisionRecorder* ActiveRecorder()
{
    return active;
}

DecisionRecorder* WalkRecorder()
{
    return active != nullptr && active->m_walking ? active : nullptr;
}

void DecisionRecorder::beginService(const QString& service, const QString& kind, const RosterTable& roster)
{
    m_found = true;
    m_walking = true;
    m_service = service;
    m_kind = kind;
    m_order.clear();
    m_decisions.clear();
    m_nextNum.clear();
    m_nextName.clear();
    for (int row = 1; row <= Capacity::RosterRows; ++row) {
        const QString& num = roster.cell(RosterTable::NumCol, row);
        if (num.isEmpty())
            break;
        const int column = kind == QStringLiteral("Vm") ? RosterTable::VmCol : RosterTable::PtCol;
        m_order << RosterPlace{num, roster.cell(column, row)};
    }
}

void DecisionRecorder::endService(const RosterTable& roster)
{
    m_walking = false;
    // The next soldier the walk would take: the same rules from where the walk stopped, with
    // nothing recorded and no message kept.
    GlobalModel& g = Global();
    const QString note = g.AbsenceNote;
    QStringList scratch;
    for (int row = std::max(g.SearchCursor, 1); row <= Capacity::RosterRows; ++row) {
        const QString& num = roster.cell(RosterTable::NumCol, row);
        if (num.isEmpty())
            break;
        const int index = FindSoldier(num);
        if (index == 0)
            continue;
        const SoldierRecord& soldier = g.SoldierTable[index];
        if (NotRemoved(soldier.Num, m_code, m_day) && RestOk(soldier, m_day) && AbsenceOk(soldier, m_day, scratch)) {
            m_nextNum = num;
            m_nextName = soldier.Nome;
            break;
        }
    }
    g.AbsenceNote = note;
}

void DecisionRecorder::noRecord(const QString& num)
{
    m_decisions << Decision{DecisionReason::NoRecord, num, QString(), {}, {}, {}, {}};
}

void DecisionRecorder::considered(const SoldierRecord& soldier, bool notRemoved, bool restOk, bool absenceOk)
{
    Decision d{DecisionReason::Taken, soldier.Num, soldier.Nome, {}, {}, {}, {}};
    if (!notRemoved) {
        d.reason = DecisionReason::Removed;
    } else if (!restOk) {
        // The duty in the way: the same day first, else the nearest one.
        d.reason = DecisionReason::NoRest;
        qint64 nearest = 3;
        for (const QDate& served : soldier.USv) {
            if (!served.isValid())
                continue;
            const qint64 gap = std::abs(m_day.daysTo(served));
            if (gap < nearest) {
                nearest = gap;
                d.other = served;
            }
        }
        if (nearest == 0)
            d.reason = DecisionReason::SameDay;
    } else if (!absenceOk) {
        d.reason = soldier.PR == QStringLiteral("R") ? DecisionReason::RealAbsence : DecisionReason::AbsenceWithoutKind;
        d.from = soldier.Ini;
        d.to = soldier.Fim;
    } else if (!Global().AbsenceNote.isEmpty()) {
        d.note = QStringLiteral("previsto sair da escala de ") + period(soldier.Ini, soldier.Fim);
    }
    m_decisions << d;
}

QString DecisionRecorder::title() const
{
    return QStringLiteral("Por que: ") + m_service + QLatin1Char(' ') + Dates::show(m_day);
}

QStringList DecisionRecorder::lines() const
{
    QStringList lines;
    if (!m_found)
        return lines;
    lines << QStringLiteral("Ordem da escala pela contagem de %1 (número e contagem), na ordem em que foi percorrida:")
                 .arg(m_kind);
    QString line;
    for (const RosterPlace& place : m_order) {
        const QString item = place.num + QStringLiteral(" (") + place.count + QLatin1Char(')');
        if (!line.isEmpty() && line.size() + 2 + item.size() > OrderWidth) {
            lines << QStringLiteral("   ") + line + QLatin1Char(',');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(", ")) + item;
    }
    if (!line.isEmpty())
        lines << QStringLiteral("   ") + line;
    for (const Decision& d : m_decisions)
        lines << who(d.num, d.name) + QStringLiteral(": ") + reasonText(d, m_day);
    lines << (m_nextNum.isEmpty() ? QStringLiteral("Próximo da vez: nenhum; não há outro militar disponível nesta escala")
                                  : QStringLiteral("Próximo da vez: ") + who(m_nextNum, m_nextName));
    return lines;
}

Explanation ExplainDecisions(const RosterRun& shown, const QDate& day, int serviceCode)
{
    Explanation explanation;
    if (shown.refused || !shown.verified) {
        explanation.refusal = QStringLiteral("Não há escala verificada para explicar. Verifique primeiro.");
        return explanation;
    }
    if (!shown.spanDays.contains(day)) {
        explanation.refusal = shown.spanDays.isEmpty()
            ? QStringLiteral("Esta verificação não escalou nenhum dia.")
            : QStringLiteral("O dia %1 não está entre os dias desta verificação (%2 a %3).")
                  .arg(Dates::show(day), Dates::show(shown.spanDays.first()), Dates::show(shown.spanDays.last()));
        return explanation;
    }
    const GlobalModel saved = Global();
    RosterRun again;
    bool found = false;
    {
        DecisionRecorder recorder(day, serviceCode);
        again = ComputeRoster(shown.target);
        found = recorder.found();
        explanation.title = recorder.title();
        explanation.lines = recorder.lines();
    }
    Global() = saved;
    if (again.refused || !again.verified || again.verified->storedDigest != shown.verified->storedDigest
        || again.roster != shown.roster || again.messages != shown.messages) {
        explanation.title.clear();
        explanation.lines.clear();
        explanation.refusal = QStringLiteral("Os dados mudaram desde a verificação. Verifique de novo para ver por que "
                                             "cada militar foi ou não escalado.");
        return explanation;
    }
    if (!found) {
        const bool registered = serviceCode >= 1 && serviceCode <= Capacity::Services
            && !saved.ServiceTable[serviceCode].Descr.isEmpty();
        explanation.title.clear();
        explanation.lines.clear();
        explanation.refusal = registered
            ? QStringLiteral("O serviço %1 não foi escalado no dia %2 nesta verificação.")
                  .arg(saved.ServiceTable[serviceCode].Descr, Dates::show(day))
            : QStringLiteral("O código %1 não é de um serviço cadastrado.").arg(serviceCode);
        return explanation;
    }
    explanation.refused = false;
    return explanation;
}
