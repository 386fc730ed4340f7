#include "platform/CommonDialog.h"

#include "platform/LastFolder.h"
#include "platform/Modal.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The deepest folder that holds every one of the files.
QString CommonFolder(const QStringList& files)
{
    QString folder = QFileInfo(files.first()).absolutePath();
    const auto holds = [](const QString& dir, const QString& path) {
        return dir == QLatin1String("/") || path.startsWith(dir + QLatin1Char('/'));
    };
    for (const QString& f : files) {
        const QString path = QFileInfo(f).absoluteFilePath();
        while (!holds(folder, path))
            folder = QFileInfo(folder).path();
    }
    return folder;
}

} // namespace

void CommonDialog::ShowOpen() { show(false); }
void CommonDialog::ShowSave() { show(true); }

void CommonDialog::show(bool save)
{
    modal::Request request;
    request.kind = save ? modal::Kind::SaveFile : modal::Kind::OpenFile;
    request.title = DialogTitle;
    request.filter = Filter;
    request.filterIndex = FilterIndex;
    request.initDir = InitDir.isEmpty() ? LastUsedFolder() : InitDir;
    request.defaultExt = DefaultExt;
    request.fileName = FileName;
    request.flags = Flags;
    modal::Answer answer = modal::ask(request);
    Cancelled = answer.files.isEmpty();
    if (Cancelled)
        return;
    if (answer.filterIndex > 0)
        FilterIndex = answer.filterIndex;
    RememberUsedFolder(QFileInfo(answer.files.first()).absolutePath());

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
    // Several files: their common folder, then each one's path under it, NUL-separated, so
    // that files chosen from several folders keep their own.
    const QString folder = CommonFolder(files);
    const QDir common(folder);
    QString joined = folder;
    for (const QString& f : files)
        joined += QChar(0) + common.relativeFilePath(QFileInfo(f).absoluteFilePath());
    FileName = joined;
}

QString BrowseForFolder(const QString& title, const QString& initialFolder)
{
    modal::Request request;
    request.kind = modal::Kind::Folder;
    request.title = title;
    request.initDir = initialFolder.isEmpty() ? LastUsedFolder() : initialFolder;
    modal::Answer answer = modal::ask(request);
    if (answer.files.isEmpty())
        return QString();
    RememberUsedFolder(answer.files.first());
    return answer.files.first();
}
