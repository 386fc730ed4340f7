#include "batch/OutputConflicts.h"

#include "core/FileIdentity.h"
#include "platform/FlexGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kInputColumn = 2;
constexpr int kOutputColumn = 3;

QStringList Column(const FlexGrid* grid, int column, int skip)
{
    QStringList paths;
    if (!grid || grid->Cols() <= column)
        return paths;
    for (int row = 1; row < grid->Rows(); ++row)
        if (row != skip && !grid->TextMatrix(row, column).isEmpty())
            paths << grid->TextMatrix(row, column);
    return paths;
}

// The part of path below folder (both resolved), "" when path is folder itself.
QString RelativeBelow(const QString& path, const QString& folder)
{
    return QDir(ResolvedPath(folder)).relativeFilePath(ResolvedPath(path));
}

}  // namespace

QStringList RowInputs(const FlexGrid* grid, int skip) { return Column(grid, kInputColumn, skip); }
QStringList RowOutputs(const FlexGrid* grid, int skip) { return Column(grid, kOutputColumn, skip); }

QString FileOutputConflict(const QString& output, const QString& ownInput, const QStringList& otherInputs)
{
    if (IsOneFile(output, ownInput))
        return QStringLiteral("输出文件就是本行的输入文件，请另选输出文件：") + output;
    for (const QString& input : otherInputs)
        if (IsOneFile(output, input))
            return QStringLiteral("输出文件是列表中另一行的输入文件，请另选输出文件：") + output;
    return QString();
}

QString FolderOutputConflict(const QString& output, const QString& ownInput, const QStringList& otherInputs)
{
    QStringList inputs = otherInputs;
    inputs.prepend(ownInput);
    for (const QString& input : inputs) {
        if (IsSameOrInsideFolder(output, input))
            return QStringLiteral("输出信息夹位于输入信息夹之内，请另选输出信息夹：") + output;
        // An input folder below the output: the mirrored tree of ownInput reaches it when
        // ownInput holds the same relative path.
        if (IsSameOrInsideFolder(input, output)) {
            const QString below = RelativeBelow(input, output);
            const QFileInfo mirrored(QDir(ownInput).filePath(below));
            if (mirrored.exists() || mirrored.isSymLink())
                return QStringLiteral("输出信息夹会写到输入文件上，请另选输出信息夹：") + output;
        }
    }
    return QString();
}

QString FolderInputConflict(const QString& input, const QStringList& outputs)
{
    for (const QString& output : outputs)
        if (IsSameOrInsideFolder(input, output) || IsSameOrInsideFolder(output, input))
            return QStringLiteral("此信息夹是列表中另一行的输出信息夹，不能作为输入信息夹加入：") + input;
    return QString();
}

QByteArray RunInputs::nativeOf(const QString& path) { return QFile::encodeName(path); }

void RunInputs::addNative(const QByteArray& input)
{
    const FileState state = FileStateOf(input);
    if (state.valid)
        m_inputs.insert({state.device, state.inode});
}

bool RunInputs::holdsNative(const QByteArray& output) const
{
    const FileState state = FileStateOf(output);
    if (!state.valid)
        return false;
    const Identity id{state.device, state.inode};
    return m_inputs.contains(id) && !m_written.contains(id);
}

void RunInputs::noteWrittenNative(const QByteArray& output)
{
    const FileState state = FileStateOf(output);
    if (state.valid)
        m_written.insert({state.device, state.inode});
}
