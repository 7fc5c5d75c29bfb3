#pragma once

#include <QList>
#include <QString>

// Message boxes go through this interface: real boxes in the program, a script in tests,
// standard error in the command-line tool.
class Prompter {
public:
    // YesNoDefaultNo is a yes/no question whose default (Enter) is No: for questions whose Yes
    // overwrites data.
    enum Kind { Information = 1, YesNo = 2, RetryCancel = 22, YesNoDefaultNo = 258 };
    enum Result { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

    virtual ~Prompter() = default;
    // Called only for the kinds above; returns one of the results that fit the kind.
    virtual int Show(const QString& caption, const QString& text, int kind) = 0;
};

// Kind 1: OK -> 1; kinds 2 and 258: Yes/No -> 6/7; kind 22: Retry/Cancel -> 4/2; any other kind shows
// nothing and returns 1.
int ShowPrompt(Prompter& prompter, const QString& caption, const QString& text, int kind);

// Answers from a queue and records every prompt; for tests and scripted runs.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        QString Caption;
        QString Text;
        int Kind = 0;
    };

    int Show(const QString& caption, const QString& text, int kind) override;

    // Answers are taken in order; when the queue is empty, questions get No (kind 2) or
    // Cancel (kind 22), the answers that change nothing.
    QList<int> Answers;
    QList<Shown> Log;
};
