#include "platform/CommonDialog.h"

#include "platform/Modal.h"

#include <QFileInfo>

void CommonDialog::ShowOpen() { show(false); }
void CommonDialog::ShowSave() { show(true); }

void CommonDialog::show(bool save)
{
    modal::Request request;
    request.kind = save ? modal::Kind::SaveFile : modal::Kind::OpenFile;
    request.title = DialogTitle;
    request.filter = Filter;
    request.filterIndex = FilterIndex;
    request.initDir = InitDir;
    request.defaultExt = DefaultExt;
    request.fileName = FileName;
    request.flags = Flags;
    modal::Answer answer = modal::ask(request);
    Cancelled = answer.files.isEmpty();
    if (Cancelled)
        return;
    if (answer.filterIndex > 0)
        FilterIndex = answer.filterIndex;

    QStringList files = answer.files;
    if (!DefaultExt.isEmpty()) {
        for (QString& f : files)
            if (QFileInfo(f).suffix().isEmpty())
                f += QLatin1Char('.') + DefaultExt;
    }
    if (files.size() == 1 || !(Flags & cdlOFNAllowMultiselect)) {
        FileName = files.first();
        return;
    }
    // Several files: folder, then the names, NUL-separated.
    QString joined = QFileInfo(files.first()).absolutePath();
    for (const QString& f : files)
        joined += QChar(0) + QFileInfo(f).fileName();
    FileName = joined;
}

QString BrowseForFolder(const QString& title, const QString& initialFolder)
{
    modal::Request request;
    request.kind = modal::Kind::Folder;
    request.title = title;
    request.initDir = initialFolder;
    modal::Answer answer = modal::ask(request);
    return answer.files.isEmpty() ? QString() : answer.files.first();
}
