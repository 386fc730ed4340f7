#include "core/ProjectFile.h"

#include "core/FileGrid.h"
#include "batch/FileTypes.h"
#include "batch/WindowLoadedFlags.h"
#include "batch/dlgHtmlSelect.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "core/frmOutputSetting.h"
#include "batch/frmPathConv.h"
#include "batch/frmPptConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"
#include "core/Err.h"
#include "core/FileUtil.h"
#include "core/GridPictures.h"
#include "core/Log.h"
#include "core/ProjectDBList.h"
#include "core/ProjectLine.h"
#include "database/frmDBConv.h"
#include "core/TextFile.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"
#include "core/LoadedTableList.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {

constexpr int32_t kDoneBit = static_cast<int32_t>(0x80000000u);
const QString kCrLf = QStringLiteral("\r\n");
const QString kTableMark = QStringLiteral("MASK_PCT_SELECT");
constexpr int32_t kCurrentTableBit = 2;

// A line that does not belong where it stands.
struct ProjectFormatError {};

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

QPixmap TypePicture(const QString& mark)
{
    if (mark == QLatin1String("MASK_DOCTYPE_OTHER")) return gPicTypeOther;
    if (mark == QLatin1String("MASK_DOCTYPE_TXT")) return gPicTypeTxt;
    if (mark == QLatin1String("MASK_DOCTYPE_DOC")) return gPicTypeDoc;
    if (mark == QLatin1String("MASK_DOCTYPE_XLS")) return gPicTypeXls;
    if (mark == QLatin1String("MASK_DOCTYPE_PPT")) return gPicTypePpt;
    return QPixmap();
}

// The last data row's number, 0 when the grid holds only its header.
int LastRow(FlexGrid* grid) { return grid->Rows() - 1; }

// Sets a combo's index from a saved number; an index the combo does not hold is a format error.
void SetComboIndex(QComboBox* combo, const QString& saved)
{
    bool ok = false;
    const int index = saved.trimmed().toInt(&ok);
    if (!ok || index < -1 || index >= combo->count())
        throw ProjectFormatError{};
    combo->setCurrentIndex(index);
}

void ExpectKey(const QStringList& fields, const char* key)
{
    if (fields.value(0) != QLatin1String(key))
        throw ProjectFormatError{};
}

void ExpectEndLine(ProjectReader& file)
{
    if (file.Next().value(0).trimmed() != QLatin1String("0"))
        throw ProjectFormatError{};
}

// The side file of a project: its path with the extension replaced by ".DBL".
QString SideFilePath(const QString& projectPath)
{
    const QString name = QFileInfo(projectPath).fileName();
    return projectPath.left(projectPath.size() - name.size()) + GetFileNameNoExt(name) + QStringLiteral(".DBL");
}

// The extension text of the HTML dialog as one line: trimmed, line breaks made ";".
QString HtmlExtLine()
{
    QString text = dlgHtmlSelect().txtExt->toPlainText().trimmed();
    text.replace(QStringLiteral("\r\n"), QStringLiteral(";"));
    text.replace(QLatin1Char('\n'), QLatin1Char(';'));
    text.replace(QLatin1Char('\r'), QLatin1Char(';'));
    return text;
}

// What the project holds of one file-list window: its grid and row count (-1 and no grid
// when the window was never loaded) and its option fields.
struct ListPart {
    FlexGrid* grid;
    int count;
    QStringList options;
};

// A file-list window's option combos in the order its option line holds them.
QList<QComboBox*> OptionCombos(CodeConvWindow& window) { return {window.cbCodeConv, window.cbPhraseConv}; }
QList<QComboBox*> OptionCombos(FrmSpecConv& window) { return {window.cbInput, window.cbOutput, window.cbPhraseConv}; }

// The list part of a window; a window never loaded is not loaded now and saves comboCount times -1.
template <class Window>
ListPart ListOf(bool loaded, Window& (*window)(), int comboCount)
{
    ListPart part{nullptr, -1, {}};
    if (!loaded) {
        for (int i = 0; i < comboCount; ++i)
            part.options << ProjectNumber(-1);
        return part;
    }
    part.grid = window().Grid();
    part.count = ClearFGQMarkFile(part.grid);
    for (QComboBox* combo : OptionCombos(window()))
        part.options << ProjectNumber(combo->currentIndex());
    return part;
}

// Reads a window's option line; the window's combos take the saved indexes when its list
// part was saved (count > -1).
template <class Window>
QStringList ReadOptionLine(ProjectReader& file, const char* key, int count, Window& (*window)())
{
    const QStringList fields = file.Next();
    ExpectKey(fields, key);
    if (count > -1) {
        const QList<QComboBox*> combos = OptionCombos(window());
        for (int i = 0; i < combos.size(); ++i)
            SetComboIndex(combos[i], fields.value(i + 1));
    }
    return fields;
}

// Refills a grid from count project lines (one row each) with redrawing suspended; a failure
// goes to the error log under procName.
template <class AddRow>
void FillGrid(FlexGrid* grid, ProjectReader& file, int count, const QString& procName, AddRow addRow)
{
    try {
        ClearFG(grid);
        grid->setRedraw(false);
        for (int i = 1; i <= count; ++i)
            addRow(file.Next());
        if (grid->Rows() > 1)
            grid->setFixedRows(1);
        grid->setRedraw(true);
    } catch (...) {
        ErrorLog(procName);
        grid->setRedraw(true);
    }
}

// The row of the vocabulary table list that shows this table path; 0 when none.
int FindTableRow(FlexGrid* lstPCT, const QString& path)
{
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (int r = 1; r <= LastRow(lstPCT); ++r) {
        const QString shown = lstPCT->TextMatrix(r, 1);
        if (shown == path || QFileInfo(shown).absoluteFilePath() == wanted)
            return r;
    }
    return 0;
}

void ReadTableLines(ProjectReader& file, int count)
{
    FrmPhraseMgr& mgr = frmPhraseMgr();
    QString selected;
    for (int i = 1; i <= count; ++i) {
        const QStringList fields = file.Next();
        const QString path = fields.value(1);
        if (!QFileInfo::exists(path)) {
            MsgBox(LoadResString(1004) + QStringLiteral(":") + path, vbOKOnly + vbQuestion);
            continue;
        }
        if (fields.value(2) == kTableMark)
            selected = path;
    }
    if (selected.isEmpty() || !mgr.lstPCT)
        return;
    // The table is found by its path: the list need not hold the tables in the saved order.
    const int row = FindTableRow(mgr.lstPCT, selected);
    if (row == 0)
        return;
    mgr.SetRowSelected(mgr.lstPCT, row);
    mgr.DrawRowSelected(mgr.lstPCT);
    mgr.lstPCT->setRow(row);
    giCurPCT = static_cast<int16_t>(row - 1);
    mgr.PopulatePhraseList(mgr.lstPhrase);
}

} // namespace

void ClearFileLists()
{
    ClearFG(frmDocConv().lstDoc);
    ClearFG(frmXlsConv().lstXls);
    ClearFG(frmPptConv().lstPpt);
    ClearFG(frmHtmlConv().lstHtml);
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

QStringList ProjectReader::Next()
{
    if (m_next >= m_lines.size())
        Err().Raise(62, QStringLiteral("Input past end of file"));
    return ParseProjectLine(m_lines[m_next++]);
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

void PrjFileSave(const QString& path)
{
    if (path.isEmpty())
        return;
    try {
        const ListPart doc = ListOf(gbDocConvLoaded, frmDocConv, 2);
        const ListPart xls = ListOf(gbXlsConvLoaded, frmXlsConv, 2);
        const ListPart ppt = ListOf(gbPptConvLoaded, frmPptConv, 2);
        const ListPart html = ListOf(gbHtmlConvLoaded, frmHtmlConv, 2);
        const ListPart textFiles = ListOf(gbSpecConvLoaded, frmSpecConv, 3);

        FrmPhraseMgr& mgr = frmPhraseMgr();
        const int tables = mgr.lstPCT ? LastRow(mgr.lstPCT) : 0;
        // The folder list is saved (in the layout that carries it) once its window was opened.
        const bool folders = gbPathConvLoaded;

        QStringList lines;
        lines << ProjectLine({ProjectText(folders ? QStringLiteral("Header:WSP") : QStringLiteral("Header")), ProjectNumber(tables),
                              ProjectNumber(doc.count), ProjectNumber(xls.count), ProjectNumber(ppt.count),
                              ProjectNumber(html.count), ProjectNumber(textFiles.count)});
        FrmOutputSetting& output = frmOutputSetting();
        lines << ProjectLine({ProjectText(QStringLiteral("OutputSetting")),
                              ProjectText(output.opDir->isChecked() ? QStringLiteral("True") : QStringLiteral("False")),
                              ProjectText(output.txtDir->text())});
        lines << ProjectLine(QStringList{ProjectText(QStringLiteral("DocConvOption"))} + doc.options);
        lines << ProjectLine(QStringList{ProjectText(QStringLiteral("XlsConvOption"))} + xls.options);
        lines << ProjectLine(QStringList{ProjectText(QStringLiteral("PptConvOption"))} + ppt.options);
        lines << ProjectLine(QStringList{ProjectText(QStringLiteral("HtmlConvOption"))} + html.options
                             + QStringList{ProjectText(HtmlExtLine())});
        lines << ProjectLine(QStringList{ProjectText(QStringLiteral("SpecConvOption"))} + textFiles.options);
        int folderCount = -1;
        if (folders) {
            FrmPathConv& pathConv = frmPathConv();
            folderCount = LastRow(pathConv.lstPath);
            lines << ProjectLine({ProjectText(QStringLiteral("PathConvOption")), ProjectNumber(folderCount),
                                  ProjectNumber(pathConv.cbCodeConv->currentIndex()),
                                  ProjectNumber(pathConv.cbPhraseConv->currentIndex()),
                                  ProjectNumber(pathConv.chkConvMSOFiles->isChecked() ? 1 : 0)});
        }
        if (gbDBConvLoaded) {
            const QString side = SideFilePath(path);
            PrjLstDBSave(frmDBConv().lstTables, side);
            lines << ProjectLine({ProjectText(QStringLiteral("DBCONV")), ProjectText(side)});
        }
        lines << ProjectLine({ProjectText(QStringLiteral("-")), ProjectNumber(9)});
        for (int i = 1; i <= tables; ++i) {
            const int32_t flags = mgr.lstPCT->RowData(i);
            lines << ProjectLine({ProjectNumber(i), ProjectText(mgr.lstPCT->TextMatrix(i, 1)),
                                  ProjectText((flags & kCurrentTableBit) ? kTableMark : QString()), ProjectNumber(flags)});
        }
        lines << QStringLiteral("0,\"-\",\"-\",99");
        for (const ListPart* part : {&doc, &xls, &ppt, &html, &textFiles})
            if (part->count > 0)
                PrjLstSave(part->grid, lines);
        if (folderCount > 0)
            PrjLstDirSave(frmPathConv().lstPath, lines);

        WriteWholeFile(path, ToSystemCodePage(lines.join(kCrLf) + kCrLf));
    } catch (...) {
        ErrorLog(QStringLiteral("PrjFileSave"));
    }
}

void PrjLstShow(FlexGrid* grid, ProjectReader& file, int count)
{
    FillGrid(grid, file, count, QStringLiteral("PrjLstShow"), [grid](const QStringList& f) {
        const QString input = f.value(1);
        const QString output = f.value(5);
        const QString mark = f.value(4);
        int32_t flags = ToInt32(f.value(6));
        grid->AddItem(QStringLiteral("\t\t") + input + QLatin1Char('\t') + output);
        const int row = LastRow(grid);
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
    FillGrid(grid, file, count, QStringLiteral("PrjLstDirShow"), [grid](const QStringList& f) {
        grid->AddItem(QStringLiteral("\t\t") + f.value(1) + QLatin1Char('\t') + f.value(3));
        const int row = LastRow(grid);
        grid->setRowData(row, ToInt32(f.value(4)));
        if (f.value(2) == QLatin1String("PATH"))
            SetCellPicture(grid, row, 1, gPicTypeTxt);
    });
}

void PrjFileShow(const QString& path)
{
    if (path.isEmpty())
        return;
    try {
        QStringList lines = FromSystemCodePage(ReadWholeFile(path)).split(QLatin1Char('\n'));
        for (QString& line : lines)
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        ProjectReader file(lines);

        const QStringList header = file.Next();
        if (!header.value(0).startsWith(QLatin1String("Header")))
            throw ProjectFormatError{};
        const bool wsp = header.value(0).endsWith(QLatin1String("WSP"));
        const int tables = header.value(1).toInt();
        const int docCount = header.value(2).toInt();
        const int xlsCount = header.value(3).toInt();
        const int pptCount = header.value(4).toInt();
        const int htmlCount = header.value(5).toInt();
        const int specCount = header.value(6).toInt();

        const QStringList output = file.Next();
        ExpectKey(output, "OutputSetting");
        FrmOutputSetting& settings = frmOutputSetting();
        const bool sameNames = output.value(1) == QLatin1String("True");
        if (sameNames)
            settings.opDir_Click();
        else
            settings.opAutoName_Click();
        settings.txtDir->setText(output.value(2));
        settings.strDir = output.value(2);
        settings.opSelectDir = sameNames;
        gbOutputSettingOK = true;

        ReadOptionLine(file, "DocConvOption", docCount, frmDocConv);
        ReadOptionLine(file, "XlsConvOption", xlsCount, frmXlsConv);
        ReadOptionLine(file, "PptConvOption", pptCount, frmPptConv);
        const QStringList html = ReadOptionLine(file, "HtmlConvOption", htmlCount, frmHtmlConv);
        QString extText = html.value(3);
        extText.replace(QLatin1Char(';'), kCrLf);
        ParseExtList(gcolHtmlExt, extText);
        dlgHtmlSelect().txtExt->setPlainText(QString(extText).replace(kCrLf, QStringLiteral("\n")));

        ReadOptionLine(file, "SpecConvOption", specCount, frmSpecConv);

        int folderCount = -1;
        if (wsp) {
            const QStringList folders = file.Next();
            ExpectKey(folders, "PathConvOption");
            folderCount = folders.value(1).toInt();
            if (folderCount > -1) {
                SetComboIndex(frmPathConv().cbCodeConv, folders.value(2));
                SetComboIndex(frmPathConv().cbPhraseConv, folders.value(3));
                frmPathConv().chkConvMSOFiles->setChecked(folders.value(4).trimmed() == QLatin1String("1"));
            }
        }

        while (true) {
            const QStringList pair = file.Next();
            const QString key = pair.value(0);
            if (key == QLatin1String("-"))
                break;
            if (key != QLatin1String("DBCONV"))
                throw ProjectFormatError{};
            PrjLstDBShow(frmDBConv().lstTables, pair.value(1));
        }

        ReadTableLines(file, tables);
        ExpectEndLine(file);

        ClearFileLists();
        auto showList = [&file](int count, auto window) {
            if (count <= 0)
                return;
            PrjLstShow(window().Grid(), file, count);
            ExpectEndLine(file);
        };
        showList(docCount, frmDocConv);
        showList(xlsCount, frmXlsConv);
        showList(pptCount, frmPptConv);
        showList(htmlCount, frmHtmlConv);
        showList(specCount, frmSpecConv);
        if (wsp && folderCount > 0) {
            PrjLstDirShow(frmPathConv().lstPath, file, folderCount);
            ExpectEndLine(file);
        }
    } catch (const ProjectFormatError&) {
        MsgBox(LoadResString(1010) + path, vbCritical);
    } catch (...) {
        ErrorLog(QStringLiteral("PrjFileShow"));
    }
}
