#include "FileChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

QString DialogFileChooser::OpenFileName(QWidget* parent, const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, QString(), LastDir, filter);
    if (!path.isEmpty())
        LastDir = QFileInfo(path).absolutePath();
    return path;
}

namespace {

// The suffix of the filter's first pattern: "PDF (*.pdf)" gives "pdf". A report typed as the
// name of a codeplug must not replace that codeplug.
QString SuffixOf(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

QString DialogFileChooser::SaveFileName(QWidget* parent, const QString& filter) {
    QFileDialog dialog(parent, QString(), LastDir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(SuffixOf(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString path = dialog.selectedFiles().constFirst();
    LastDir = QFileInfo(path).absolutePath();
    return path;
}

QString ScriptedFileChooser::OpenFileName(QWidget*, const QString& filter) {
    ++OpenRequests;
    LastFilter = filter;
    return OpenAnswers.isEmpty() ? QString() : OpenAnswers.takeFirst();
}

QString ScriptedFileChooser::SaveFileName(QWidget*, const QString& filter) {
    ++SaveRequests;
    LastFilter = filter;
    return SaveAnswers.isEmpty() ? QString() : SaveAnswers.takeFirst();
}
