#pragma once
// The message boxes of the program: OK, Yes/No, input and error boxes. Windows call them through
// Dialogs::current(); tests install a scripted one that records every text and answers from a queue.

#include <QString>

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual void message(const QString& text) = 0;
    // Yes is true. The real box's default button is No: Enter and Escape answer No.
    virtual bool question(const QString& text) = 0;
    // Yes is true. The real box's default button is Yes: Enter answers Yes, Escape No. Dialogs
    // that do not tell the two apart (tests) answer it as the question above.
    virtual bool questionYesByDefault(const QString& text) { return question(text); }
    // OK gives the typed text; Cancel gives the proposed value back.
    virtual QString input(const QString& caption, const QString& prompt, const QString& proposed) = 0;
    virtual void error(const QString& text) = 0;
    // The file chooser for a file to write: the name chosen, or empty when cancelled. `filter` as
    // the file dialogs take it ("Calendário (*.ics)").
    virtual QString saveFileName(const QString& caption, const QString& proposed, const QString& filter) = 0;
    // The folder chooser: the folder chosen (the chooser can make a new one), or empty when cancelled.
    virtual QString folderName(const QString& caption, const QString& proposed) = 0;

    static Dialogs& current();
    // Installs other dialogs (tests); nullptr goes back to the real boxes.
    static void install(Dialogs* dialogs);
};

// The real boxes, on the window that is active.
class MessageBoxDialogs : public Dialogs {
public:
    void message(const QString& text) override;
    bool question(const QString& text) override;
    bool questionYesByDefault(const QString& text) override;
    QString input(const QString& caption, const QString& prompt, const QString& proposed) override;
    void error(const QString& text) override;
    QString saveFileName(const QString& caption, const QString& proposed, const QString& filter) override;
    QString folderName(const QString& caption, const QString& proposed) override;
};

// A Yes/No question that guards a loss (the core's Confirm): the box's default button is No, so
// Enter declines, and the ordinary pointer shows over it even in the middle of busy work.
bool AskBeforeLoss(const QString& question);

// A Yes/No question before a change the keeper asked for (the core's Confirm): the box's default
// button is Yes, and the ordinary pointer shows over it even in the middle of busy work.
bool AskYesByDefault(const QString& question);
