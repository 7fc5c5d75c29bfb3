#include "Prompt.h"

int ShowPrompt(Prompter& prompter, const QString& caption, const QString& text, int kind) {
    if (kind != Prompter::Information && kind != Prompter::YesNo && kind != Prompter::RetryCancel &&
        kind != Prompter::YesNoDefaultNo)
        return Prompter::Ok;
    const int r = prompter.Show(caption, text, kind);
    switch (kind) {
    case Prompter::YesNo:
    case Prompter::YesNoDefaultNo:
        return r == Prompter::Yes ? Prompter::Yes : Prompter::No;
    case Prompter::RetryCancel:
        return r == Prompter::Retry ? Prompter::Retry : Prompter::Cancel;
    default:
        return Prompter::Ok;
    }
}

int ScriptedPrompter::Show(const QString& caption, const QString& text, int kind) {
    Log.append({caption, text, kind});
    if (kind == Prompter::Information)
        return Prompter::Ok;
    if (!Answers.isEmpty())
        return Answers.takeFirst();
    return kind == Prompter::YesNo || kind == Prompter::YesNoDefaultNo ? Prompter::No : Prompter::Cancel;
}
