#include "platform/CommonDialogUi.h"

#include "platform/CommonDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>

QStringList QtNameFilters(const QString& filter)
{
    QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Drop the pattern list the description already shows, then give Qt its own.
        description.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
        result << QStringLiteral("%1 (%2)").arg(description.isEmpty() ? patterns : description, patterns);
    }
    return result;
}

modal::Answer ShowRealFileDialog(const modal::Request& request)
{
    modal::Answer answer;
    QWidget* parent = QApplication::activeWindow();
    if (request.kind == modal::Kind::Folder) {
        QString dir = QFileDialog::getExistingDirectory(parent, request.title, request.initDir);
        if (!dir.isEmpty())
            answer.files << dir;
        return answer;
    }
    QFileDialog dialog(parent, request.title, request.initDir);
    QStringList filters = QtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDefaultSuffix(request.defaultExt);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (request.kind == modal::Kind::SaveFile) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!(request.flags & cdlOFNOverwritePrompt))
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode((request.flags & cdlOFNAllowMultiselect) ? QFileDialog::ExistingFiles
                                                                     : QFileDialog::ExistingFile);
    }
    if (dialog.exec() == QDialog::Accepted) {
        answer.files = dialog.selectedFiles();
        answer.filterIndex = filters.indexOf(dialog.selectedNameFilter()) + 1;
    }
    return answer;
}
