// Checks the folder-tree run on a folder of Office documents made elsewhere (real documents
// of real office programs). The run converts the folder (Simplified to Traditional with
// vocabulary, Office documents included) on the program's office into a fresh output folder;
// the same office then loads and stores each input again in its own format (a plain round
// trip). Per document it compares the output with that round trip:
//   - the format: the package's main content type, or the filter the office reads it with;
//   - every text read through the office layer, against the library's string conversion of
//     the round trip's text (paragraphs of every story, cells, shapes, controls, formula
//     literals, charts, sheet and slide names, every page's texts, the text properties);
//   - the counts of tables, frames, shapes, footnotes, endnotes, comments, images, pages,
//     sheets, slides, masters, charts, and the author;
//   - every paragraph's text as the office writes it in Office XML (read from the package's
//     XML, so that a place the office layer does not read is compared too);
//   - the input's bytes, before and after;
// and lists what the run failed (with its error-log record) and what else the output folder
// holds. One line per document, then a summary.
// usage: office_real_check FOLDER [KEEP-FOLDER]  (KEEP-FOLDER keeps the outputs and round trips)
// (run with QT_QPA_PLATFORM=offscreen where there is no display)
#include "common/ProgramFolderFixture.h"

#include "batch/BatchRuns.h"
#include "core/ConvertOptions.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/frmMain.h"
#include "office/FormulaLiterals.h"
#include "office/OfficeSession.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/office/OfficeDocument.h"
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeFormats.h"
#include "platform/office/OfficeSuite.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace {

using office::DocumentKind;
using office::OfficeDocument;
using office_session::ProgramOffice;
using PageId = OfficeDocument::PageId;
using PageKind = OfficeDocument::PageKind;

// What the check reads of one document: named lists of texts and named counts.
struct Reading {
    QString format;
    QList<std::pair<QString, QStringList>> texts;
    QList<std::pair<QString, int>> counts;
    QString author;
};

// The route the run takes for an existing file.
std::optional<DocumentKind> KindOf(const QString& path)
{
    if (IsExtInList(path, gcolWordExt, true))
        return DocumentKind::Text;
    if (IsExtInList(path, gcolXlsExt, true))
        return DocumentKind::Spreadsheet;
    if (IsExtInList(path, gcolPptExt, true))
        return DocumentKind::Presentation;
    return std::nullopt;
}

QByteArray Hash(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray();
}

// The main part's content type of an Office XML package ("" when the file is no package).
QString MainContentType(const QString& path)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("?Content_Types?.xml")});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return QString();
    const QString types = QString::fromUtf8(unzip.readAllStandardOutput());
    static const QRegularExpression main(QStringLiteral("ContentType=\"([^\"]*\\.main\\+xml)\""));
    const QRegularExpressionMatch m = main.match(types);
    return m.hasMatch() ? m.captured(1) : QStringLiteral("(package without a main part)");
}

QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// Every paragraph of every story, read without changing anything.
QStringList Paragraphs(OfficeDocument& document)
{
    QStringList seen;
    document.ConvertStoryTexts([&](const QStringList& texts) {
        if (seen.isEmpty())
            seen = texts;
        return texts;
    });
    return seen;
}

QStringList ChartTexts(const QList<OfficeDocument::ChartTexts>& charts)
{
    QStringList texts;
    for (const OfficeDocument::ChartTexts& chart : charts)
        for (const OfficeDocument::ChartText& text : chart.texts)
            texts << text.text;
    return texts;
}

void ReadText(OfficeDocument& document, Reading& r)
{
    r.texts.append({QStringLiteral("paragraphs"), Paragraphs(document)});
    const OfficeDocument::TextDocumentParts parts = document.Parts();
    r.counts.append({QStringLiteral("tables"), parts.tables});
    r.counts.append({QStringLiteral("frames"), parts.frames});
    r.counts.append({QStringLiteral("shapes"), parts.shapes});
    r.counts.append({QStringLiteral("footnotes"), parts.footnotes});
    r.counts.append({QStringLiteral("endnotes"), parts.endnotes});
    r.counts.append({QStringLiteral("comments"), parts.comments});
    r.counts.append({QStringLiteral("images"), document.ImageCount()});
    r.counts.append({QStringLiteral("pages"), document.PageCount()});
}

void ReadSpreadsheet(OfficeDocument& book, Reading& r)
{
    const int sheets = book.SheetCount();
    r.counts.append({QStringLiteral("sheets"), sheets});
    for (int s = 0; s < sheets; ++s) {
        const QString sheet = QStringLiteral("sheet %1 ").arg(s + 1);
        r.texts.append({sheet + QStringLiteral("name"), {book.SheetName(s)}});
        QStringList cells;
        for (const office::TextCellBlock& block : book.SheetTextCells(s))
            cells += block.texts;
        r.texts.append({sheet + QStringLiteral("cells"), cells});
        QStringList shapes;
        const QList<office::ShapeText> shapeList = book.SheetShapes(s);
        for (const office::ShapeText& shape : shapeList)
            if (shape.hasText && shape.typeCode != office::kShapeChart && shape.typeCode != office::kShapeEmbeddedOLEObject)
                shapes << shape.text;
        r.texts.append({sheet + QStringLiteral("shapes"), shapes});
        r.counts.append({sheet + QStringLiteral("shapes"), int(shapeList.size())});
        r.counts.append({sheet + QStringLiteral("images"), int(std::count_if(shapeList.begin(), shapeList.end(), [](const office::ShapeText& shape) {
                             return shape.typeCode == office::kShapePicture;
                         }))});
        QStringList controls;
        for (const OfficeDocument::FormControl& control : book.SheetFormControls(s))
            controls << control.caption << control.text;
        r.texts.append({sheet + QStringLiteral("form controls"), controls});
        QStringList formulas;
        for (const OfficeDocument::FormulaCell& cell : book.SheetTextFormulas(s))
            formulas << cell.formula;
        r.texts.append({sheet + QStringLiteral("formulas"), formulas});
        const QList<OfficeDocument::ChartTexts> charts = book.SheetCharts(s);
        r.counts.append({sheet + QStringLiteral("charts"), int(charts.size())});
        r.texts.append({sheet + QStringLiteral("charts"), ChartTexts(charts)});
    }
}

void ReadPresentation(OfficeDocument& deck, Reading& r)
{
    const int slides = deck.SlideCount();
    const int masters = deck.MasterCount();
    r.counts.append({QStringLiteral("slides"), slides});
    r.counts.append({QStringLiteral("masters"), masters});
    QList<PageId> pages;
    for (int m = 0; m < masters; ++m)
        pages << PageId{PageKind::Master, m} << PageId{PageKind::MasterNotes, m};
    pages << PageId{PageKind::HandoutMaster, 0};
    for (int s = 0; s < slides; ++s)
        pages << PageId{PageKind::Slide, s} << PageId{PageKind::SlideNotes, s};
    for (const PageId& page : pages) {
        QStringList texts;
        for (const OfficeDocument::PageText& text : deck.PageTexts(page))
            texts << text.text;
        r.texts.append({OfficeDocument::PageName(page), texts});
    }
    for (int s = 0; s < slides; ++s) {
        const QString slide = QStringLiteral("slide %1 ").arg(s + 1);
        r.texts.append({slide + QStringLiteral("name"), {deck.SlideName(s)}});
        const QList<office::ShapeText> shapes = deck.SlideShapes(s, false);
        r.counts.append({slide + QStringLiteral("images"), int(std::count_if(shapes.begin(), shapes.end(), [](const office::ShapeText& shape) {
                             return shape.typeCode == office::kShapePicture;
                         }))});
        const QList<OfficeDocument::ChartTexts> charts = deck.SlideCharts(s);
        r.counts.append({slide + QStringLiteral("charts"), int(charts.size())});
        r.texts.append({slide + QStringLiteral("charts"), ChartTexts(charts)});
    }
}

// Every paragraph's text of an Office XML package, part by part, read from its XML: what the
// office wrote, whether the office layer reads that place or not. A paragraph is what stands
// before each paragraph end (a nested paragraph's outer text joins its first one, in every
// store alike).
QList<std::pair<QString, QStringList>> PackageParagraphs(const QString& path)
{
    QList<std::pair<QString, QStringList>> parts;
    QProcess list;
    list.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), path});
    if (!list.waitForFinished(30000) || list.exitCode() != 0)
        return parts;
    static const QRegularExpression end(QStringLiteral("</(?:w:p|a:p|si|is)>"));
    static const QRegularExpression run(QStringLiteral("<(w:t|a:t|t)(?: [^>]*)?>([^<]*)</\\1>"));
    QStringList names = QString::fromUtf8(list.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    names.sort();
    for (const QString& name : names) {
        if (!name.endsWith(QLatin1String(".xml")) || name.startsWith(QLatin1String("docProps/")))
            continue;
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, name});
        if (!unzip.waitForFinished(30000))
            continue;
        const QString xml = QString::fromUtf8(unzip.readAllStandardOutput());
        QStringList paragraphs;
        for (const QString& piece : xml.split(end)) {
            QString text;
            for (auto it = run.globalMatch(piece); it.hasNext();)
                text += it.next().captured(2);
            text.replace(QLatin1String("&lt;"), QLatin1String("<")).replace(QLatin1String("&gt;"), QLatin1String(">"))
                .replace(QLatin1String("&quot;"), QLatin1String("\"")).replace(QLatin1String("&apos;"), QLatin1String("'"))
                .replace(QLatin1String("&amp;"), QLatin1String("&"));
            if (!text.isEmpty())
                paragraphs << text;
        }
        // Parts of one kind together: the office numbers charts and the like in any order.
        static const QRegularExpression number(QStringLiteral("\\d+(?=\\.xml$)"));
        const QString kind = QStringLiteral("package ") + QString(name).replace(number, QStringLiteral("N"));
        if (paragraphs.isEmpty())
            continue;
        if (parts.isEmpty() || parts.last().first != kind)
            parts.append({kind, {}});
        parts.last().second += paragraphs;
    }
    return parts;
}

// The document stored again by the office as Office XML in scratch, and that package's paragraphs.
QList<std::pair<QString, QStringList>> StoredParagraphs(OfficeDocument& document, const QString& path, DocumentKind kind,
                                                        const QString& scratch)
{
    if (office::OfficeXmlFormatOf(path))
        return PackageParagraphs(path);
    const char* extension = kind == DocumentKind::Text ? "docx" : kind == DocumentKind::Spreadsheet ? "xlsx" : "pptx";
    const QString stored = scratch + QStringLiteral("/stored.") + QLatin1String(extension);
    QFile::remove(stored);
    document.StoreAs(stored, office::StoreFilterFor(stored, ""));
    return PackageParagraphs(stored);
}

Reading Read(const QString& path, DocumentKind kind, const QString& scratch)
{
    OfficeDocument document = ProgramOffice().Load(path, kind);
    Reading r;
    r.texts += StoredParagraphs(document, path, kind, scratch);
    const QString contentType = MainContentType(path);
    r.format = contentType.isEmpty() ? document.FilterName() : contentType;
    switch (kind) {
    case DocumentKind::Text:
        ReadText(document, r);
        break;
    case DocumentKind::Spreadsheet:
        ReadSpreadsheet(document, r);
        break;
    case DocumentKind::Presentation:
        ReadPresentation(document, r);
        break;
    }
    const QStringList properties = document.TextProperties();
    r.texts.append({QStringLiteral("properties"), properties});
    r.author = properties.value(3);
    return r;
}

QString Converted(const QString& text)
{
    return text.isEmpty() ? text : ConvertUString(text, giConvType, giConvOption);
}

// A formula with its literals converted, as the run writes it.
QString ConvertedFormula(const QString& formula)
{
    QStringList literals = FormulaLiterals(formula);
    for (QString& literal : literals)
        literal = Converted(literal);
    return WithFormulaLiterals(formula, literals);
}

QString Shown(QString text)
{
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n")).replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return text.size() > 160 ? text.left(157) + QStringLiteral("...") : text;
}

// What differs between the output's reading and the round trip's (converted); empty when none.
QStringList Differences(const Reading& plain, const Reading& out)
{
    QStringList found;
    if (out.format != plain.format)
        found << QStringLiteral("format %1, round trip %2").arg(out.format, plain.format);
    QHash<QString, QStringList> outTexts;
    for (const auto& [name, texts] : out.texts)
        outTexts.insert(name, texts);
    for (const auto& [name, texts] : plain.texts) {
        QStringList expected;
        for (const QString& text : texts)
            expected << (name.endsWith(QLatin1String("formulas")) ? ConvertedFormula(text) : Converted(text));
        const QStringList got = outTexts.value(name);
        if (got == expected)
            continue;
        QStringList sortedGot = got, sortedExpected = expected;
        sortedGot.sort();
        sortedExpected.sort();
        if (sortedGot == sortedExpected)
            continue;  // another order of stories (a frame stored as a shape)
        int wrong = 0;
        QString first;
        for (qsizetype i = 0; i < std::max(got.size(), expected.size()); ++i)
            if (got.value(i) != expected.value(i) && wrong++ == 0)
                first = QStringLiteral("\"%1\" for \"%2\" (from \"%3\")")
                            .arg(Shown(got.value(i)), Shown(expected.value(i)), Shown(texts.value(i)));
        found << QStringLiteral("%1: %2 of %3 texts differ (%4 in the output), first %5")
                     .arg(name)
                     .arg(wrong)
                     .arg(expected.size())
                     .arg(got.size())
                     .arg(first);
    }
    QHash<QString, int> outCounts;
    for (const auto& [name, count] : out.counts)
        outCounts.insert(name, count);
    for (const auto& [name, count] : plain.counts)
        if (outCounts.value(name, -1) != count)
            found << QStringLiteral("%1 %2, round trip %3").arg(name).arg(outCounts.value(name, -1)).arg(count);
    if (out.author != Converted(plain.author))
        found << QStringLiteral("author \"%1\", round trip \"%2\"").arg(out.author, plain.author);
    return found;
}

// The error log's records, each as one line.
QStringList ErrorRecords(const QString& errFile)
{
    QFile file(errFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList records;
    for (const QString& part : FromSystemCodePage(file.readAll()).split(QStringLiteral("处理程序"), Qt::SkipEmptyParts))
        records << part.simplified();
    if (!records.isEmpty())
        records.removeFirst();  // what stands before the first record
    return records;
}

void Line(const QString& text) { std::printf("%s\n", text.toLocal8Bit().constData()); }

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("TEZDESK_DATA_DIR"))
        qputenv("TEZDESK_DATA_DIR", TEZDESK_DATA_DIR);
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: office_real_check FOLDER [KEEP-FOLDER]\n");
        return 2;
    }
    const QString in = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    QTemporaryDir dir;
    if (!dir.isValid() || !QFileInfo(in).isDir())
        return 2;
    const QString work = argc > 2 ? QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath() : dir.path();
    const QString out = work + QStringLiteral("/out");
    const QString plain = work + QStringLiteral("/plain");
    if (QFileInfo::exists(out) || QFileInfo::exists(plain)) {
        std::fprintf(stderr, "office_real_check: %s already holds out/ or plain/\n", qPrintable(work));
        return 2;
    }

    // A plain start-up of the program: its tables as it loads them, its office private.
    ProgramFolderFixture program;
    {
        ModalScript modal;
        program.start();
    }
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    settings.profileDir = dir.filePath(QStringLiteral("profile"));
    office_session::SetProgramOfficeSettings(settings);
    gbSchedRun = true;
    gsErrFile = dir.filePath(QStringLiteral("tezdesk.ERR"));

    const QStringList inputs = FilesUnder(in);
    QHash<QString, QByteArray> hashes;
    for (const QString& name : inputs)
        hashes.insert(name, Hash(in + QLatin1Char('/') + name));

    FlexGrid grid;
    grid.setCols(4);
    grid.setRows(2);
    grid.setFixedRows(1);
    grid.setTextMatrix(1, 2, in);
    grid.setTextMatrix(1, 3, out);
    grid.setRowData(1, FileRowText);
    bool done = false;
    int asked = 0;
    {
        ModalScript modal;
        done = ExecutePathConv(&grid, true, true, false, false, gcolHtmlExt, true, true);
        asked = int(modal.asked().size());
    }
    office_session::StopProgramOffice();
    const QStringList records = ErrorRecords(gsErrFile);
    QStringList outputs = FilesUnder(out);

    SetConvertOption(false, true, true, false);
    int ok = 0, differing = 0, failedCleanly = 0, failedBadly = 0, changedInputs = 0, unreadable = 0;
    for (const QString& name : inputs) {
        const QString input = in + QLatin1Char('/') + name;
        const QString output = out + QLatin1Char('/') + name;
        const std::optional<DocumentKind> kind = KindOf(input);
        QStringList problems;
        if (Hash(input) != hashes.value(name)) {
            problems << QStringLiteral("INPUT CHANGED");
            ++changedInputs;
        }
        const bool written = outputs.removeAll(name) > 0;
        if (!kind) {
            if (!written)
                problems << QStringLiteral("not copied");
            else if (Hash(output) != hashes.value(name))
                problems << QStringLiteral("copy differs");
            Line(QStringLiteral("%1 %2 (not an Office document)").arg(problems.isEmpty() ? "ok  " : "DIFF", name) +
                 (problems.isEmpty() ? QString() : QStringLiteral(": ") + problems.join(QStringLiteral("; "))));
            problems.isEmpty() ? ++ok : ++differing;
            continue;
        }
        const QString plainPath = plain + QLatin1Char('/') + name;
        QString plainFailure;
        std::optional<Reading> plainReading;
        try {
            QDir().mkpath(QFileInfo(plainPath).path());
            {
                OfficeDocument document = ProgramOffice().Load(input, *kind);
                document.StoreAs(plainPath, office::StoreFilterFor(plainPath, *kind == DocumentKind::Text
                                                                                  ? QString::fromLatin1(office::kFilterWord97)
                                                                                  : document.FilterName()));
            }
            plainReading = Read(plainPath, *kind, dir.path());
        } catch (const office::OfficeError& e) {
            plainFailure = e.message();
        }
        const QStringList record = records.filter(QFileInfo(name).fileName());
        if (!written) {
            const bool clean = !record.isEmpty();
            clean ? ++failedCleanly : ++failedBadly;
            Line(QStringLiteral("%1 %2: run failed%3; round trip %4%5")
                     .arg(clean ? "fail" : "FAIL", name,
                          clean ? QStringLiteral(", record: ") + Shown(record.first()) : QStringLiteral(" WITHOUT A RECORD"),
                          plainFailure.isEmpty() ? QStringLiteral("loads and stores") : QStringLiteral("fails too: ") + Shown(plainFailure))
                     .arg(problems.isEmpty() ? QString() : QStringLiteral("; ") + problems.join(QStringLiteral("; "))));
            continue;
        }
        if (!record.isEmpty())
            problems << QStringLiteral("written, yet a record: ") + Shown(record.first());
        if (!plainReading) {
            ++unreadable;
            Line(QStringLiteral("?    %1: written, but the round trip fails: %2").arg(name, plainFailure));
            continue;
        }
        try {
            problems += Differences(*plainReading, Read(output, *kind, dir.path()));
        } catch (const office::OfficeError& e) {
            problems << QStringLiteral("output cannot be read: ") + e.message();
        }
        if (problems.isEmpty()) {
            ++ok;
            Line(QStringLiteral("ok   %1").arg(name));
        } else {
            ++differing;
            Line(QStringLiteral("DIFF %1: %2").arg(name, problems.join(QStringLiteral("; "))));
        }
    }
    ProgramOffice().Stop();
    for (const QString& record : records) {
        bool named = false;
        for (const QString& name : inputs)
            named = named || record.contains(QFileInfo(name).fileName());
        if (!named)
            Line(QStringLiteral("REC  %1").arg(Shown(record)));
    }
    for (const QString& extra : outputs)
        Line(QStringLiteral("LEFT %1 (in the output folder, no input of that name)").arg(extra));
    Line(QStringLiteral("%1 files: %2 ok, %3 differ, %4 failed with a record, %5 failed without one, %6 not round-tripped; "
                        "%7 inputs changed, %8 files left over; the run %9, %10 questions asked, %11 error-log records")
             .arg(inputs.size())
             .arg(ok)
             .arg(differing)
             .arg(failedCleanly)
             .arg(failedBadly)
             .arg(unreadable)
             .arg(changedInputs)
             .arg(outputs.size())
             .arg(done ? QStringLiteral("reported success") : QStringLiteral("reported failures"))
             .arg(asked)
             .arg(records.size()));
    program.stop();
    return differing + failedBadly + changedInputs + int(outputs.size()) == 0 ? 0 : 1;
}
