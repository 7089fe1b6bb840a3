#include "ScriptedDialogs.h"

#include <stdexcept>

namespace {
QStringList withPrefix(const QStringList& shown, const QString& prefix)
{
    QStringList texts;
    for (const QString& line : shown) {
        if (line.startsWith(prefix))
            texts << line.mid(prefix.size());
    }
    return texts;
}
}

ScriptedDialogs::ScriptedDialogs()
{
    Dialogs::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    Dialogs::install(nullptr);
}

QStringList ScriptedDialogs::messages() const
{
    return withPrefix(shown, QStringLiteral("message: "));
}

QStringList ScriptedDialogs::errors() const
{
    return withPrefix(shown, QStringLiteral("error: "));
}

void ScriptedDialogs::message(const QString& text)
{
    shown << QStringLiteral("message: ") + text;
}

bool ScriptedDialogs::question(const QString& text)
{
    shown << QStringLiteral("question: ") + text;
    if (questionAnswers.isEmpty())
        throw std::logic_error("unexpected question: " + text.toStdString());
    return questionAnswers.dequeue();
}

QString ScriptedDialogs::input(const QString& caption, const QString& prompt, const QString& proposed)
{
    shown << QStringLiteral("input: %1 | %2 | %3").arg(caption, prompt, proposed);
    if (inputAnswers.isEmpty())
        throw std::logic_error("unexpected input box: " + caption.toStdString());
    const std::optional<QString> answer = inputAnswers.dequeue();
    return answer ? *answer : proposed;
}

void ScriptedDialogs::error(const QString& text)
{
    shown << QStringLiteral("error: ") + text;
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString& proposed, const QString& filter)
{
    shown << QStringLiteral("file: %1 | %2 | %3").arg(caption, proposed, filter);
    return chosen(caption);
}

QString ScriptedDialogs::folderName(const QString& caption, const QString& proposed)
{
    shown << QStringLiteral("folder: %1 | %2").arg(caption, proposed);
    return chosen(caption);
}

QString ScriptedDialogs::chosen(const QString& caption)
{
    if (fileAnswers.isEmpty())
        throw std::logic_error("unexpected file or folder chooser: " + caption.toStdString());
    const std::optional<QString> answer = fileAnswers.dequeue();
    return answer ? *answer : QString();
}
