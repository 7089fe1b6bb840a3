#pragma once
// Why a soldier was (or was not) rostered: on request, the computation records for one service
// and one day the order of the roster it walked, every soldier it looked at with the reason he
// was passed over or the note that he was taken, and the next soldier the walk would have taken.
//
// A DecisionRecorder lives on the stack around a computation; while it lives, the computation
// reports to it through one pointer. Without one, the computation checks a null pointer and does
// nothing more. Recording never changes what the computation lists or decides.

#include "data/ModelRecords.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

enum class DecisionReason {
    Taken,              // rostered (a planned absence ahead only adds a note)
    NoRecord,           // a roster member without a personnel record
    Removed,            // removed by the keeper from this service that day
    SameDay,            // already on another duty that day
    NoRest,             // a duty less than three days away
    RealAbsence,        // on a real absence ("R")
    AbsenceWithoutKind, // an absence neither planned nor real
};

struct Decision {
    DecisionReason reason = DecisionReason::Taken;
    QString num;
    QString name;       // empty for a member without a personnel record
    QDate other;        // NoRest / SameDay: the duty day that stands in the way
    QDate from, to;     // RealAbsence / AbsenceWithoutKind: the absence
    QString note;       // Taken: the planned-absence note, if any
};

struct RosterPlace {
    QString num;
    QString count;      // the count of the day's kind
};

class DecisionRecorder {
public:
    // Records the decisions for service `serviceCode` on `day` while this object lives.
    DecisionRecorder(const QDate& day, int serviceCode);
    ~DecisionRecorder();
    DecisionRecorder(const DecisionRecorder&) = delete;
    DecisionRecorder& operator=(const DecisionRecorder&) = delete;

    QDate day() const { return m_day; }
    int serviceCode() const { return m_code; }
    bool found() const { return m_found; }          // the computation filled that service that day
    const QString& service() const { return m_service; }
    const QString& kind() const { return m_kind; }
    const QList<RosterPlace>& order() const { return m_order; }
    const QList<Decision>& decisions() const { return m_decisions; }
    bool hasNext() const { return !m_nextNum.isEmpty(); }
    const QString& nextNum() const { return m_nextNum; }
    const QString& nextName() const { return m_nextName; }

    // The decisions in plain Portuguese: the order walked, one line a soldier looked at, the next one.
    QStringList lines() const;
    // "Por que: <service> <dd/mm/yy>".
    QString title() const;

    // The hooks of the computation. beginService/endService bracket the walk of one service on one
    // day; the rules report each soldier only between them.
    bool wants(const QDate& day, int serviceCode) const { return day == m_day && serviceCode == m_code; }
    void beginService(const QString& service, const QString& kind, const RosterTable& roster);
    void endService(const RosterTable& roster);
    void noRecord(const QString& num);
    void considered(const SoldierRecord& soldier, bool notRemoved, bool restOk, bool absenceOk);

private:
    QDate m_day;
    int m_code = 0;
    bool m_found = false;
    bool m_walking = false;
    QString m_service;
    QString m_kind;
    QList<RosterPlace> m_order;
    QList<Decision> m_decisions;
    QString m_nextNum;
    QString m_nextName;
    DecisionRecorder* m_previous = nullptr;

    friend DecisionRecorder* WalkRecorder();
};

// The recorder listening to the service the computation walks now, or null (nearly always).
DecisionRecorder* WalkRecorder();
// The recorder in force, or null.
DecisionRecorder* ActiveRecorder();

struct RosterRun;

// The decisions for service `serviceCode` on `day` of a verification already shown: the same
// computation again, to the same target day with the removals in force, recording that one
// service and day. The in-memory model is left as the verification left it. Refused (with the
// message in `refusal`) when the day is not one of the days listed, when the service was not
// rostered that day, or when the stored data changed since the verification.
struct Explanation {
    bool refused = true;
    QString refusal;
    QString title;          // "Por que: <service> <dd/mm/yy>"
    QStringList lines;
};
Explanation ExplainDecisions(const RosterRun& shown, const QDate& day, int serviceCode);
