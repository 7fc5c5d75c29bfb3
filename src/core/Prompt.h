#pragma once

#include <QList>
#include <QString>

// Message boxes go through this interface: real boxes in the program, a script in tests,
// standard error in the command-line tool.
class Prompter {
public:
    // The values are the box kinds and answers the program has always used (1 OK, 2 Yes/No,
    // 22 Retry/Cancel); YesNoDefaultNo is a yes/no question whose default (Enter) is No, for
    // questions whose Yes overwrites data.
    enum Kind { Information = 1, YesNo = 2, RetryCancel = 22, YesNoDefaultNo = 258 };
    enum Result { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

    virtual ~Prompter() = default;
    // Returns one of the results that fit the kind.
    virtual Result Show(const QString& caption, const QString& text, Kind kind) = 0;
};

// Information: Ok; YesNo and YesNoDefaultNo: Yes or No; RetryCancel: Retry or Cancel, whatever the
// prompter answered. A value that is no kind shows nothing and gives Ok.
Prompter::Result ShowPrompt(Prompter& prompter, const QString& caption, const QString& text,
                            Prompter::Kind kind);

// Answers from a queue and records every prompt; for tests and scripted runs.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        QString Caption;
        QString Text;
        Prompter::Kind Kind = Prompter::Information;
    };

    Result Show(const QString& caption, const QString& text, Kind kind) override;

    // Answers (Prompter::Result values) are taken in order; when the queue is empty, questions get
    // No or Cancel, the answers that change nothing.
    QList<int> Answers;
    QList<Shown> Log;
};
