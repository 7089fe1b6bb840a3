#pragma once
// Dialogs for tests: every text shown is recorded, and questions and input boxes are answered
// from queues. An unexpected question or input box fails loudly.

#include "common/Dialogs.h"

#include <QQueue>
#include <QStringList>
#include <optional>

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Answers, in order. For input boxes, nullopt is Cancel.
    QQueue<bool> questionAnswers;
    QQueue<std::optional<QString>> inputAnswers;
    // Answers of the file and folder choosers: a name, or nullopt for Cancel.
    QQueue<std::optional<QString>> fileAnswers;

    // Everything shown, in order: "message: ...", "question: ...", "input: caption | prompt | proposed",
    // "error: ...",
    // "file: caption | proposed | filter", "folder: caption | proposed".
    QStringList shown;
    QStringList messages() const;
    QStringList errors() const;

    void message(const QString& text) override;
    bool question(const QString& text) override;
    QString input(const QString& caption, const QString& prompt, const QString& proposed) override;
    void error(const QString& text) override;
    QString saveFileName(const QString& caption, const QString& proposed, const QString& filter) override;
    QString folderName(const QString& caption, const QString& proposed) override;

private:
    QString chosen(const QString& caption);
};
