#pragma once
// A document open in the program's office. It is closed when the object goes (or by Close).
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

namespace office {

enum class DocumentKind { Text, Spreadsheet, Presentation };

// Store filters by the formats the program writes.
inline constexpr const char* kFilterWord97 = "MS Word 97";
inline constexpr const char* kFilterRtf = "Rich Text Format";
inline constexpr const char* kFilterExcel97 = "MS Excel 97";
inline constexpr const char* kFilterPowerPoint97 = "MS PowerPoint 97";

// Whether a load filter belongs to documents of the kind (the word-processor, spreadsheet or
// presentation formats the program converts).
bool FilterIsOfKind(const QString& filterName, DocumentKind kind);

// A rectangle of a sheet whose cells all hold constant text (no formula, no number), with
// the texts row by row. A cell whose text has more than one formatting run (rich text) is a
// block of its own, marked richText.
struct TextCellBlock {
    int firstRow = 0;
    int firstColumn = 0;
    int rows = 0;
    int columns = 0;
    QStringList texts;
    bool richText = false;
};

// Converts one text; a null result leaves it as it is.
using TextConversion = std::function<QString(const QString&)>;

// Shape type codes as the Office object model numbers them.
enum ShapeTypeCode {
    kShapeUnknown = 1,
    kShapeChart = 3,
    kShapeFreeform = 5,
    kShapeGroup = 6,
    kShapeEmbeddedOLEObject = 7,
    kShapeFormControl = 8,
    kShapeLine = 9,
    kShapePicture = 13,
    kShapeTextBox = 17,
};

// One drawing shape of a sheet or slide: its name, type code and text ("" when it has none).
struct ShapeText {
    QString name;
    int typeCode = kShapeUnknown;
    bool hasText = false;
    QString text;
};

class OfficeDocument {
public:
    struct Impl;
    explicit OfficeDocument(std::unique_ptr<Impl> impl);
    OfficeDocument(OfficeDocument&&) noexcept;
    OfficeDocument& operator=(OfficeDocument&&) noexcept;
    ~OfficeDocument();

    // The path it was loaded from and the filter the office loaded it with.
    QString Path() const;
    QString FilterName() const;

    // Writes the document to path in the filter: first into a temporary file beside path,
    // which then replaces path, so a failed store leaves path as it was. Throws
    // OfficeError(StoreFailed / TimedOut).
    void StoreAs(const QString& path, const QString& filterName);
    // Writes the document back to its own path in the format it was loaded in.
    void Store();

    // Text documents: replaces every occurrence of search (case matched or not) in the
    // whole document; returns the number of replacements.
    int ReplaceAll(const QString& search, const QString& replacement, bool matchCase);
    // Text documents: the texts of the body, every page style's headers and footers, the
    // text frames and the drawing shapes, each as one string.
    QStringList Texts() const;

    // Spreadsheets. Sheets are numbered from 0 in the workbook's order.
    int SheetCount() const;
    QString SheetName(int sheet) const;
    // Throws OfficeError(CallFailed) when the name is taken or not allowed.
    void SetSheetName(int sheet, const QString& name);
    // The sheet's constant text cells, in blocks; formula cells are never among them.
    QList<TextCellBlock> SheetTextCells(int sheet) const;
    // Writes the block's texts back as constant text, in one call. A rich text cell gets only
    // its changed stretches written, so each character keeps its formatting; where the cell
    // holds a field, convert converts the cell's text with the field as U+FFFC (without it, or
    // where the stretches cannot be placed, the cell's text is replaced whole).
    void SetSheetTextCells(int sheet, const TextCellBlock& block, const TextConversion& convert = {});
    // Gives the sheet's used area the font (Western and Asian).
    void SetSheetFont(int sheet, const QString& fontName);
    // A change of many cells: each SetSheetTextCells and SetSheetFont turns the workbook's
    // undo and its working out of row heights off while it writes, and turning them on again
    // works out every row's height. Between BeginCellChanges and EndCellChanges they stay off
    // from the first such write on and are turned on once, by EndCellChanges.
    void BeginCellChanges();
    void EndCellChanges();
    // The drawing shapes of a sheet, in order. SetSheetShapeText writes text, the conversion of
    // the shape's text as read (before), into the shape at that index, only the changed
    // stretches (as a rich text cell gets them), and when fontName is not empty gives it that
    // font.
    QList<ShapeText> SheetShapes(int sheet) const;
    void SetSheetShapeText(int sheet, int index, const QString& before, const QString& text, const QString& fontName,
                           const TextConversion& convert = {});

    // The runs of text of the sheet's text cells (row by row) and then of its drawing shapes,
    // each as its text followed by "|b" when bold and "|i" when italic; each field in them
    // as U+FFFC.
    QStringList SheetRunStyles(int sheet) const;

    // Presentations. Slides are numbered from 0; notes selects the slide's notes page.
    int SlideCount() const;
    QList<ShapeText> SlideShapes(int slide, bool notes) const;
    // Writes text into the shape, only the stretches that differ from its text now.
    void SetSlideShapeText(int slide, bool notes, int index, const QString& text, const QString& fontName);

    // Text documents. Their stories are the body with its tables, every page style's headers
    // and footers (left and first-page ones where kept apart), the text frames and the drawing
    // shapes' own texts.
    // Every story's text, and each table cell's text on its own.
    QStringList StoryTexts() const;
    // Replaces, in order, every occurrence of each search text (case matched) by its
    // replacement in every story, in one guarded call; a search text that occurs nowhere
    // costs no call into the office. Returns the number of replacements.
    int ReplaceInStories(const QList<std::pair<QString, QString>>& replacements);
    // Gives every story's text, tables' cells included, the font (Western and Asian).
    void SetStoriesFont(const QString& fontName);
    // The fonts of the runs that hold text, each as "Western|Asian", sorted, each once.
    QStringList StoryRunFonts() const;
    // Converts every paragraph's text of every story in place: the body and its tables' cells
    // (nested tables too), headers and footers, text frames, drawing shapes' texts, footnotes,
    // endnotes and comments. All texts go to convert at once (it returns as many, in order; it
    // is called once more for the paragraphs that change and hold fields or other objects,
    // with those objects as U+FFFC). Only the changed stretches of a paragraph are replaced:
    // a stretch of the same length character by character within each run of formatting,
    // else as one piece in the formatting of its first character. Fields and other objects
    // in the text stay as they are. Returns the number of paragraphs or stretches left
    // unconverted because the conversion moved such an object.
    int ConvertStoryTexts(const std::function<QStringList(const QStringList&)>& convert);
    // How many of each kind of object a text document holds, to compare documents.
    struct TextDocumentParts {
        int tables = 0, frames = 0, shapes = 0, footnotes = 0, endnotes = 0, comments = 0;
        bool operator==(const TextDocumentParts&) const = default;
    };
    TextDocumentParts Parts() const;
    // Text documents: the images (graphic objects) it holds, and its pages as the office lays
    // them out.
    int ImageCount() const;
    int PageCount() const;
    // The body's runs of text, paragraph after paragraph, each as its text followed by "|b"
    // when bold and "|i" when italic.
    QStringList BodyRunStyles() const;

    // Charts. The charts of a sheet or slide are its chart shapes in drawing order, those
    // inside groups included. Each chart's texts come in a fixed order: the title, the
    // subtitle, the axis titles, the data labels' own texts, and for a chart that holds its
    // own data table, that table's text row and column labels (the series names and
    // categories). Texts taken from cells belong to the cells and are not among them.
    enum class ChartTextKind { Title, Subtitle, AxisTitle, DataLabel, DataRowLabel, DataColumnLabel };
    struct ChartText {
        ChartTextKind kind = ChartTextKind::Title;
        QString text;
    };
    struct ChartTexts {
        QString name;
        QList<ChartText> texts;
    };
    QList<ChartTexts> SheetCharts(int sheet) const;
    QList<ChartTexts> SlideCharts(int slide) const;
    // Writes the chart's texts back, in the order read; only texts that changed are written,
    // and when fontName is not empty the written titles and labels get that font. Throws
    // OfficeError(CallFailed) when the chart no longer has that many texts.
    void SetSheetChartTexts(int sheet, int chart, const QStringList& texts, const QString& fontName);
    void SetSlideChartTexts(int slide, int chart, const QStringList& texts, const QString& fontName);

    // Form controls of a sheet (buttons, check boxes, option buttons, labels, text fields), in
    // drawing order. progId names the control's kind as the Office forms do
    // ("Forms.CommandButton.1" ...; "" for kinds without one); caption is the label a button,
    // box or label shows, text the content of a text field.
    struct FormControl {
        QString name;
        int typeCode = kShapeFormControl;
        QString progId;
        QString caption;
        QString text;
    };
    QList<FormControl> SheetFormControls(int sheet) const;
    // Replace the caption or the text of the control at that index; when fontName is not
    // empty the control gets that font.
    void SetSheetFormControlCaption(int sheet, int control, const QString& caption, const QString& fontName);
    void SetSheetFormControlText(int sheet, int control, const QString& text, const QString& fontName);

    // Formula cells of a sheet whose formulas hold a text literal ("..."), with the formula
    // as the office writes it (English function names, ";" between arguments); cells of an
    // array formula are not among them. SetSheetFormula writes one formula back.
    struct FormulaCell {
        int row = 0;
        int column = 0;
        QString formula;
    };
    QList<FormulaCell> SheetTextFormulas(int sheet) const;
    void SetSheetFormula(int sheet, const FormulaCell& cell);

    // Presentations: tables, groups, masters. A page is a slide, a slide's notes page, a
    // master page, a master's notes page or the handout master. Its texts are those of its
    // shapes, of the members of its groups at any depth and of every cell of its tables;
    // charts and other embedded objects are not among them.
    static constexpr int kShapePlaceholder = 14;
    static constexpr int kShapeTable = 19;
    enum class PageKind { Slide, SlideNotes, Master, MasterNotes, HandoutMaster };
    struct PageId {
        PageKind kind = PageKind::Slide;
        int index = 0;  // the slide's or master's number from 0; unused for the handout master
    };
    struct PageText {
        QList<int> path;     // the shape's index on the page, then the member's in each group
        int row = -1;        // a table cell's row and column; -1 for a shape's own text
        int column = -1;
        int typeCode = kShapeUnknown;  // of the shape holding the text (the table for a cell)
        QString text;
        bool leave = false;  // when written back: neither its text nor its font changes
        bool InGroup() const { return path.size() > 1; }
    };
    // "slide 3", "notes of slide 3", "master 1", "notes master 1", "handout master".
    static QString PageName(PageId page);
    int MasterCount() const;
    QString SlideName(int slide) const;
    void SetSlideName(int slide, const QString& name);
    // Every non-empty text of the page, read in one call.
    QList<PageText> PageTexts(PageId page) const;
    // In one call: each text not to be left whose text is not null is written at its place,
    // only the stretches that differ from the text there (each character the text keeps keeps
    // its formatting); every one not to be left also gets the font when fontName is not empty.
    void SetPageTexts(PageId page, const QList<PageText>& texts, const QString& fontName);
    // The page's texts read, rewritten and written back (as SetPageTexts does) a few hundred
    // shapes at a time, each piece in one call; rewrite changes a piece's texts in place and
    // keeps their number. A changed text that holds fields is given to rewrite once more on its
    // own, with each field as U+FFFC, so that only its changed stretches are written and the
    // fields stay. With dissolveGroups every group lying directly on the page is then
    // dissolved into its members.
    void RewritePageTexts(PageId page, const std::function<void(QList<PageText>&)>& rewrite, const QString& fontName,
                          bool dissolveGroups);
    // False when the slide's texts were last rewritten with no chart or other embedded object
    // met on it (at any depth); true otherwise.
    bool SlideMayHoldCharts(int slide) const;
    // The runs of text of the page's texts, as SheetRunStyles gives them.
    QStringList PageRunStyles(PageId page) const;
    // The font of each of the texts (of its first character), in one call.
    QStringList PageTextFonts(PageId page, const QList<PageText>& texts) const;

    // Title, subject, description and author of the document's properties, in that order.
    QStringList TextProperties() const;
    void SetTextProperties(const QStringList& values);

    // Closes the document without saving; never throws. Also done by the destructor.
    void Close();
    bool IsOpen() const;

private:
    friend class OfficeSuite;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace office
