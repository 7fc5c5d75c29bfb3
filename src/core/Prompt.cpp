#include "Prompt.h"

Prompter::Result ShowPrompt(Prompter& prompter, const QString& caption, const QString& text,
                            Prompter::Kind kind) {
    // A value that is no kind (from an old caller's number) shows nothing.
    if (kind != Prompter::Information && kind != Prompter::YesNo && kind != Prompter::RetryCancel &&
        kind != Prompter::YesNoDefaultNo)
        return Prompter::Ok;
    const Prompter::Result r = prompter.Show(caption, text, kind);
    switch (kind) {
    case Prompter::YesNo:
    case Prompter::YesNoDefaultNo:
        return r == Prompter::Yes ? Prompter::Yes : Prompter::No;
    case Prompter::RetryCancel:
        return r == Prompter::Retry ? Prompter::Retry : Prompter::Cancel;
    case Prompter::Information:
        break;
    }
    return Prompter::Ok;
}

Prompter::Result ScriptedPrompter::Show(const QString& caption, const QString& text, Kind kind) {
    Log.append({caption, text, kind});
    if (kind == Prompter::Information)
        return Prompter::Ok;
    if (!Answers.isEmpty())
        return static_cast<Result>(Answers.takeFirst());
    return kind == Prompter::RetryCancel ? Prompter::Cancel : Prompter::No;
}
