#include "batch/FileListNames.h"

#include "batch/FolderPath.h"
#include "platform/FlexGrid.h"

#include <QFileInfo>

namespace {

constexpr int kInputColumn = 2;
constexpr int kOutputColumn = 3;

// Any entry of that name, a dangling link included: writing there would not make a new file.
bool EntryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString Numbered(const SplitName& split, int n) { return split.stem + QString::number(n) + split.extension; }

} // namespace

OutputPlan::OutputPlan(const FlexGrid* grid)
{
    if (!grid || grid->Cols() <= kOutputColumn)
        return;
    m_reserved.reserve(2 * grid->Rows());
    for (int row = 1; row < grid->Rows(); ++row) {
        m_reserved.insert(grid->TextMatrix(row, kInputColumn));
        m_reserved.insert(grid->TextMatrix(row, kOutputColumn));
    }
}

QString GetFileDir(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString MakeOutputFileName(const QString& name, const OutputPlan& planned, const QString& folder, bool toDoc)
{
    SplitName split = SplitFileName(name);
    if (toDoc)
        split.extension = QStringLiteral(".doc");
    for (int n = 1;; ++n) {
        const QString candidate = Numbered(split, n);
        const QString output = JoinPath(folder, candidate);
        if (!planned.isTaken(output) && !EntryExists(output))
            return candidate;
    }
}

QString UniqueOutputPath(const QString& output, const OutputPlan& planned)
{
    if (!planned.isTaken(output))
        return output;
    const QString folder = GetFileDir(output);
    const SplitName split = SplitFileName(output.mid(folder.size()));
    for (int n = 1;; ++n) {
        const QString candidate = folder + Numbered(split, n);
        if (!planned.isTaken(candidate))
            return candidate;
    }
}

QString NumberedFolder(const QString& base, const OutputPlan& planned, bool onDisk)
{
    for (int n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (!planned.isTaken(candidate) && !(onDisk && EntryExists(candidate)))
            return candidate;
    }
}
