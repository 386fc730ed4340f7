#include "batch/FileList.h"

#include "core/FileGrid.h"
#include "core/SuspendedRedraw.h"
#include "batch/FileListNames.h"
#include "batch/FileListRows.h"
#include "batch/FileListWalk.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "batch/FolderPath.h"
#include "batch/OutputConflicts.h"
#include "core/FileIdentity.h"
#include "platform/App.h"
#include "platform/MsgBox.h"
#include "core/BatchRunning.h"
#include "core/Log.h"
#include "platform/FlexGrid.h"
#include "platform/office/OfficeFormats.h"

namespace {

// The window's two extension lists with the type bits they give, and the extension that a
// file of the first list gets in the output folder ("xls", "ppt"; "" for none).
struct ListTypes {
    const QStringList& first;
    int32_t firstBit;
    const QStringList& second;
    int32_t secondBit;
    QString firstExtension;
};

ListTypes WordFamilyTypes(const QStringList& first, const QStringList& second)
{
    return { first, FileRowText, second, FileRowWord, QString() };
}

// "lstPpt" is the PowerPoint window; any other grid is the Excel window's.
ListTypes OfficeTypes(const FlexGrid* grid, const QStringList& first, const QStringList& second)
{
    if (grid->Name() == QLatin1String("lstPpt"))
        return { first, FileRowPowerPoint, second, FileRowText, QStringLiteral("ppt") };
    return { first, FileRowExcel, second, FileRowText, QStringLiteral("xls") };
}

// The files of one addition, each with the folder its relative path starts after.
struct FoundFiles {
    PathCollection files;
    QStringList bases;
};

// The folder that holds a path, without its trailing "/" ("" for an entry of the root).
QString HoldingFolder(const QString& path)
{
    const QString item = WithoutTrailingSlash(path);
    return item.left(std::max<qsizetype>(0, item.lastIndexOf(QLatin1Char('/'))));
}

// Expands one dropped or chosen path; the files it adds take base as their base folder.
void AddExpanded(FoundFiles& found, const QString& path, const QString& base, const QString& excluded)
{
    const int before = found.files.count();
    FindAllFiles(path, found.files, excluded);
    for (int i = before; i < found.files.count(); ++i)
        found.bases << base;
}

// A chosen file, not expanded and listed whether or not it exists.
void AddChosen(FoundFiles& found, const QString& path)
{
    if (found.files.contains(path))
        return;
    found.files.append(path);
    found.bases << HoldingFolder(path);
}

int32_t TypeBitOf(const QString& input, const ListTypes& types)
{
    if (IsExtInList(input, types.first, true))
        return types.firstBit;
    if (IsExtInList(input, types.second, true))
        return types.secondBit;
    return 0;
}

// Only a word-processor row of the Word window is converted into a ".doc" document; an Office
// XML document is written back in its own format under its own name.
bool TakesWordRoute(const QString& input, int32_t typeBit, const ListTypes& types)
{
    return typeBit == FileRowWord && &types.second == &gcolWordExt && !office::OfficeXmlFormatOf(input);
}

QString WithExtensionChange(const QString& relative, int32_t typeBit, const ListTypes& types)
{
    QString extension;
    if (TakesWordRoute(relative, typeBit, types))
        extension = QStringLiteral("doc");
    else if (!types.firstExtension.isEmpty() && IsExtInList(relative, types.first, false))
        extension = office::OfficeXmlFormatOf(relative) ? QString::fromLatin1(office::OfficeXmlFormatOf(relative)->extension)
                                                        : types.firstExtension;
    if (extension.isEmpty())
        return relative;
    return relative.left(relative.lastIndexOf(QLatin1Char('.')) + 1) + extension;
}

QString PlanOutput(const QString& input, const QString& base, int32_t typeBit, const ListTypes& types,
    const OutputSettingsNow& settings, OutputPlan& plan)
{
    QString output;
    if (settings.toFolder) {
        const QString relative = WithExtensionChange(input.mid(base.size()), typeBit, types);
        output = UniqueOutputPath(JoinPath(WithoutTrailingSlash(settings.folder), relative), plan);
    } else {
        const QString folder = GetFileDir(input);
        output = folder + MakeOutputFileName(input.mid(folder.size()), plan, folder, TakesWordRoute(input, typeBit, types));
    }
    plan.add(output);
    return output;
}

void AppendFoundRows(FlexGrid* grid, const FoundFiles& found, const ListTypes& types, int32_t flagByte,
    const OutputSettingsNow& settings)
{
    if (found.files.count() == 0)
        return;
    OutputPlan plan(grid);
    for (const QString& input : found.files.items())
        plan.addInput(input);
    SuspendedRedraw redraw(grid);
    try {
        for (int k = 0; k < found.files.count(); ++k) {
            const QString& input = found.files.at(k);
            const int32_t typeBit = TypeBitOf(input, types);
            const QString output = PlanOutput(input, found.bases.at(k), typeBit, types, settings, plan);
            const int row = AppendListRow(grid, input, output, flagByte | typeBit);
            SetCellPicture(grid, row, 1, RowTypePicture(typeBit));
        }
    } catch (...) {
        FixHeaderRow(grid);
        throw;
    }
    FixHeaderRow(grid);
}

// The found files less those that another row writes: an output is never taken as an
// input. The user is told which were left out.
FoundFiles WithoutRowOutputs(const FlexGrid* grid, const FoundFiles& found)
{
    QSet<QString> outputs;
    for (const QString& output : RowOutputs(grid))
        outputs.insert(ResolvedPath(output));
    if (outputs.isEmpty())
        return found;
    FoundFiles kept;
    QStringList refused;
    for (int k = 0; k < found.files.count(); ++k) {
        const QString& input = found.files.at(k);
        if (outputs.contains(ResolvedPath(input))) {
            refused << input;
            continue;
        }
        kept.files.append(input);
        kept.bases << found.bases.at(k);
    }
    if (!refused.isEmpty()) {
        constexpr int kShown = 10;
        QString text = QStringLiteral("以下文件是列表中另一行的输出文件，不能作为输入文件加入：");
        for (const QString& input : refused.mid(0, kShown))
            text += QLatin1Char('\n') + input;
        if (refused.size() > kShown)
            text += QStringLiteral("\n……（共 %1 个）").arg(refused.size());
        MsgBox(text, vbExclamation, AppTitle());
    }
    return kept;
}

// The skeleton of every filler: the output settings check, the found list, the rows.
template <class Collect>
void FillList(FlexGrid* grid, const ListTypes& types, int32_t flagByte, Collect collect)
{
    // A run in progress keeps its list as it started.
    if (gbBatchRunning)
        return;
    const OutputSettingsNow settings = ReadOutputSettings();
    if (OutputFolderMissing(settings))
        return;
    FoundFiles found;
    // Earlier outputs in the output folder are never taken as inputs.
    collect(found, settings.toFolder ? settings.folder : QString());
    AppendFoundRows(grid, WithoutRowOutputs(grid, found), types, flagByte, settings);
}

void AddDropped(FoundFiles& found, const QStringList& dropped, const QString& excluded)
{
    for (const QString& item : dropped)
        AddExpanded(found, item, HoldingFolder(item), excluded);
}

void AddAllChosen(FoundFiles& found, const QStringList& files)
{
    for (const QString& file : files)
        AddChosen(found, file);
}

} // namespace

void FileListDropFiles(FlexGrid* grid, const QStringList& dropped, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag)
{
    FillList(grid, WordFamilyTypes(first, second), FileRowFlagByte(bB52GB, bCode, bPhrase, bL2R, addTag),
        [&](FoundFiles& found, const QString& excluded) { AddDropped(found, dropped, excluded); });
}

void FileListPopulateHtml(FlexGrid* grid, const QString& folder, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag)
{
    FillList(grid, WordFamilyTypes(first, second), FileRowFlagByte(bB52GB, bCode, bPhrase, bL2R, addTag),
        [&](FoundFiles& found, const QString& excluded) {
            AddExpanded(found, folder, WithoutTrailingSlash(folder), excluded);
        });
}

void FileListPopulateDoc(FlexGrid* grid, const QStringList& files, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag)
{
    FillList(grid, WordFamilyTypes(first, second), FileRowFlagByte(bB52GB, bCode, bPhrase, bL2R, addTag),
        [&](FoundFiles& found, const QString&) { AddAllChosen(found, files); });
}

void FileListPopulateFiles4(FlexGrid* grid, const QStringList& files, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag)
{
    try {
        FillList(grid, OfficeTypes(grid, first, second), FileRowFlagByte(bB52GB, bCode, bPhrase, bL2R, addTag),
            [&](FoundFiles& found, const QString&) { AddAllChosen(found, files); });
    } catch (...) {
        ErrorLog(QStringLiteral("FileListPopulateFiles4"));
    }
}

void FileListPopulateFiles5(FlexGrid* grid, const QStringList& dropped, const QStringList& first,
    const QStringList& second, bool bB52GB, bool bCode, bool bPhrase, bool bL2R, bool addTag)
{
    try {
        FillList(grid, OfficeTypes(grid, first, second), FileRowFlagByte(bB52GB, bCode, bPhrase, bL2R, addTag),
            [&](FoundFiles& found, const QString& excluded) { AddDropped(found, dropped, excluded); });
    } catch (...) {
        ErrorLog(QStringLiteral("FileListPopulateFiles5"));
    }
}
