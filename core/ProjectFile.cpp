#include "core/ProjectFile.h"

#include "core/Err.h"
#include "core/FileGrid.h"
#include "core/FileTypes.h"
#include "core/FileUtil.h"
#include "core/GridPictures.h"
#include "core/Log.h"
#include "core/SaveFailure.h"
#include "core/ProjectLine.h"
#include "core/ProjectPart.h"
#include "core/SchedulerTick.h"
#include "core/TextFile.h"
#include "platform/CodePage.h"
#include "platform/App.h"
#include "platform/FlexGrid.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>

namespace {

constexpr int32_t kDoneBit = static_cast<int32_t>(0x80000000u);
const QString kCrLf = QStringLiteral("\r\n");

int32_t ToInt32(const QString& text)
{
    return static_cast<int32_t>(static_cast<uint32_t>(text.trimmed().toLongLong()));
}

QString TypeMark(int32_t flags)
{
    if (flags & 0x20) return QStringLiteral("MASK_DOCTYPE_TXT");
    if (flags & 0x40) return QStringLiteral("MASK_DOCTYPE_DOC");
    if (flags & 0x80) return QStringLiteral("MASK_DOCTYPE_XLS");
    if (flags & 0x100) return QStringLiteral("MASK_DOCTYPE_PPT");
    return QStringLiteral("MASK_DOCTYPE_OTHER");
}

// The picture of a saved type mark: that of a row word with the mark's type bit.
QPixmap TypePicture(const QString& mark)
{
    if (mark == QLatin1String("MASK_DOCTYPE_OTHER")) return RowTypePicture(0);
    if (mark == QLatin1String("MASK_DOCTYPE_TXT")) return RowTypePicture(0x20);
    if (mark == QLatin1String("MASK_DOCTYPE_DOC")) return RowTypePicture(0x40);
    if (mark == QLatin1String("MASK_DOCTYPE_XLS")) return RowTypePicture(0x80);
    if (mark == QLatin1String("MASK_DOCTYPE_PPT")) return RowTypePicture(0x100);
    return QPixmap();
}

// The last data row's number, 0 when the grid holds only its header.
int LastRow(FlexGrid* grid) { return grid->Rows() - 1; }

// Appends a row with the input in column 2 and the output in column 3, taken as they are
// (a name may hold a tab); returns its number.
int AddPathRow(FlexGrid* grid, const QString& input, const QString& output)
{
    grid->AddItem(QString());
    const int row = LastRow(grid);
    grid->setTextMatrix(row, 2, input);
    grid->setTextMatrix(row, 3, output);
    return row;
}

// Refills a grid from up to count project row lines of fieldCount fields (one row each) with
// redrawing suspended; a failure goes to the error log under procName.
template <class AddRow>
void FillGrid(FlexGrid* grid, ProjectReader& file, int count, int fieldCount, const QString& procName, AddRow addRow)
{
    try {
        ClearFG(grid);
        grid->setRedraw(false);
        QStringList fields;
        for (int i = 1; i <= count && file.NextRow(fieldCount, fields); ++i)
            addRow(fields);
        if (grid->Rows() > 1)
            grid->setFixedRows(1);
        grid->setRedraw(true);
    } catch (...) {
        ErrorLog(procName);
        grid->setRedraw(true);
    }
}

} // namespace

void ClearFileLists()
{
    for (const auto& part : ProjectParts())
        part->ClearList();
}

QString ProjectDateText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy/M/d H:mm:ss"));
}

QDateTime ParseProjectDate(const QString& text)
{
    static const char* const formats[] = {"yyyy/M/d H:mm:ss", "yyyy-M-d H:mm:ss", "yyyy/M/d", "yyyy-M-d",
                                          "M/d/yyyy h:mm:ss AP", "M/d/yyyy H:mm:ss", "M/d/yyyy"};
    const QString trimmed = text.trimmed();
    for (const char* format : formats) {
        QDateTime parsed = QDateTime::fromString(trimmed, QString::fromLatin1(format));
        if (parsed.isValid())
            return parsed;
    }
    return QDateTime();
}

QString ProjectSideFilePath(const QString& projectPath)
{
    const QString name = QFileInfo(projectPath).fileName();
    return projectPath.left(projectPath.size() - name.size()) + GetFileNameNoExt(name) + QStringLiteral(".DBL");
}

QStringList ProjectReader::Next()
{
    if (m_next >= m_lines.size())
        Err().Raise(62, QStringLiteral("Input past end of file"));
    m_current = ParseProjectLine(m_lines[m_next++]);
    return m_current;
}

QString ProjectReader::PeekKey() const
{
    if (m_next >= m_lines.size())
        return QString();
    return ParseProjectLine(m_lines[m_next]).value(0);
}

void ProjectReader::ReadHeader()
{
    m_header = Next();
    if (!m_header.value(0).startsWith(QLatin1String("Header")))
        throw ProjectFormatError{};
    m_folderLayout = m_header.value(0).endsWith(QLatin1String("WSP"));
    m_nextHeaderField = 1;
}

int ProjectReader::HeaderCount() { return m_header.value(m_nextHeaderField++).toInt(); }

QStringList ProjectReader::NextWithKey(const char* key)
{
    const QStringList fields = Next();
    if (fields.value(0) != QLatin1String(key))
        throw ProjectFormatError{};
    return fields;
}

void ProjectReader::ExpectEndLine()
{
    // Lines that are no row at all (the pieces of a broken line) are passed over; a row
    // beyond the count, or no end line, is a format error.
    while (m_next < m_lines.size()) {
        const QString first = Next().value(0).trimmed();
        if (first == QLatin1String("0"))
            return;
        bool numbered = false;
        first.toInt(&numbered);
        if (numbered)
            throw ProjectFormatError{};
        ++m_badLines;
    }
    throw ProjectFormatError{};
}

bool ProjectReader::NextRow(int fieldCount, QStringList& fields)
{
    while (m_next < m_lines.size()) {
        const QStringList next = ParseProjectLine(m_lines[m_next]);
        if (next.value(0) == QLatin1String("0"))
            return false;
        ++m_next;
        bool numbered = false;
        const int number = next.value(0).toInt(&numbered);
        if (next.size() == fieldCount && numbered && number > 0) {
            m_current = fields = next;
            return true;
        }
        ++m_badLines;
    }
    return false;
}

void ProjectReader::SkipToKey(const char* key)
{
    while (m_next < m_lines.size()) {
        if (Next().value(0) == QLatin1String(key))
            return;
        ++m_badLines;
    }
    throw ProjectFormatError{};
}

void SetProjectComboIndex(QComboBox* combo, const QString& saved)
{
    bool ok = false;
    const int index = saved.trimmed().toInt(&ok);
    if (!ok || index < -1 || index >= combo->count())
        throw ProjectFormatError{};
    combo->setCurrentIndex(index);
}

void PrjLstSave(FlexGrid* grid, QStringList& lines)
{
    try {
        for (int r = 1; r <= LastRow(grid); ++r) {
            const QString input = grid->TextMatrix(r, 2);
            const QFileInfo info(input);
            if (!info.exists() || input.isEmpty())
                continue;
            const int32_t flags = grid->RowData(r);
            lines << ProjectLine({ProjectNumber(r), ProjectText(input), ProjectText(QString::number(info.size())),
                                  ProjectText(ProjectDateText(info.lastModified())), ProjectText(TypeMark(flags)),
                                  ProjectText(grid->TextMatrix(r, 3)), ProjectNumber(flags)});
        }
        lines << QStringLiteral("0,\"-\",\"-\",\"-\",\"-\",\"-\",999");
    } catch (...) {
        ErrorLog(QStringLiteral("PrjLstSave"));
    }
}

void PrjLstDirSave(FlexGrid* grid, QStringList& lines)
{
    try {
        for (int r = 1; r <= LastRow(grid); ++r)
            lines << ProjectLine({ProjectNumber(r), ProjectText(grid->TextMatrix(r, 2)), ProjectText(QStringLiteral("PATH")),
                                  ProjectText(grid->TextMatrix(r, 3)), ProjectNumber(grid->RowData(r))});
        lines << QStringLiteral("0,\"-\",\"-\",\"-\",999");
    } catch (...) {
        ErrorLog(QStringLiteral("PrjLstDirSave"));
    }
}

bool PrjFileSave(const QString& path)
{
    if (path.isEmpty())
        return false;
    QByteArray bytes;
    try {
        ProjectWriter file(path);
        for (const auto& part : ProjectParts())
            part->Save(file);
        bytes = ToSystemCodePage(file.Text());
    } catch (...) {
        ErrorLog(QStringLiteral("PrjFileSave"));
        return false;
    }
    return SaveWholeFile(path, bytes, QStringLiteral("PrjFileSave"), AppTitle());
}

void PrjLstShow(FlexGrid* grid, ProjectReader& file, int count)
{
    FillGrid(grid, file, count, 7, QStringLiteral("PrjLstShow"), [grid](const QStringList& f) {
        const QString input = f.value(1);
        const QString output = f.value(5);
        const QString mark = f.value(4);
        int32_t flags = ToInt32(f.value(6));
        const int row = AddPathRow(grid, input, output);
        const QFileInfo in(input);
        if (!in.exists()) {
            flags |= kDoneBit; // runs skip it
            grid->setTextMatrix(row, 0, QStringLiteral("."));
            grid->setRow(row);
            grid->setCol(0);
            grid->setCellAlignment(flexAlignCenterCenter);
        } else {
            const QFileInfo out(output);
            const QDateTime stored = ParseProjectDate(f.value(3));
            const QDateTime now = in.lastModified();
            const bool changed = f.value(2).trimmed().toLongLong() != in.size()
                || !stored.isValid() || stored.toSecsSinceEpoch() != now.toSecsSinceEpoch()
                || !out.exists() || now > out.lastModified();
            if (changed)
                flags &= ~kDoneBit;
        }
        grid->setRowData(row, flags);
        if (flags & kDoneBit)
            SetCellPicture(grid, row, 0, gPicDone);
        if (grid->TextMatrix(row, 0) == QLatin1String("."))
            SetCellPicture(grid, row, 0, gPicFailed);
        SetCellPicture(grid, row, 1, TypePicture(mark));
    });
}

void PrjLstDirShow(FlexGrid* grid, ProjectReader& file, int count)
{
    FillGrid(grid, file, count, 5, QStringLiteral("PrjLstDirShow"), [grid](const QStringList& f) {
        const int row = AddPathRow(grid, f.value(1), f.value(3));
        grid->setRowData(row, ToInt32(f.value(4)));
        if (f.value(2) == QLatin1String("PATH"))
            SetCellPicture(grid, row, 1, gPicTypeTxt);
    });
}

bool PrjFileShow(const QString& path)
{
    if (path.isEmpty())
        return false;
    const ProjectLoadInProgress loading; // the scheduler's tick waits for its end
    try {
        QStringList lines = FromSystemCodePage(ReadWholeFile(path)).split(QLatin1Char('\n'));
        for (QString& line : lines)
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        ProjectReader file(lines);
        const auto& parts = ProjectParts();

        file.ReadHeader();
        for (const auto& part : parts)
            part->ShowHeader(file);
        for (const auto& part : parts)
            part->ShowOptions(file);
        file.SkipToKey("-");
        for (const auto& part : parts)
            part->ShowTables(file);
        file.ExpectEndLine();
        ClearFileLists();
        for (const auto& part : parts)
            part->ShowRows(file);
        if (file.BadLines() == 0)
            return true;
        // What could be read was taken; the user learns that some lines were not.
        MsgBox(LoadResString(1010) + path, vbCritical);
    } catch (const ProjectFormatError&) {
        MsgBox(LoadResString(1010) + path, vbCritical);
    } catch (...) {
        ErrorLog(QStringLiteral("PrjFileShow"));
    }
    return false;
}
