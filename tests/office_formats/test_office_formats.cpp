// Office XML documents (.docx .docm .dotx .xlsx .xlsm .pptx .pptm .ppsx) through the Word,
// Excel and PowerPoint windows and the folder-tree run, on documents the office itself makes:
// each row takes its office route, comes out converted in its own format under its own
// extension (the package's main content type says which), one office serves a whole run, and
// an office that dies in the middle of a document fails that row only, leaving nothing behind.
#include "common/ConverterTestSetUp.h"
#include "common/OfficeTestSupport.h"
#include "common/TestMain.h"

#include "app/Composition.h"
#include "batch/BatchRuns.h"
#include "batch/FileList.h"
#include "batch/frmOutputSetting.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "core/Globals.h"
#include "core/OfficeAccess.h"
#include "office/OfficeSession.h"
#include "platform/FlexGrid.h"
#include "platform/ModalScript.h"
#include "platform/office/OfficeFormats.h"
#include "platform/office/OfficeSuite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>

using office::DocumentKind;
using office::OfficeDocument;
using office_session::ProgramOffice;

namespace {

// The folder-tree window's list with one folder row: in converted into out.
void FillFolderRow(FlexGrid& grid, const QString& in, const QString& out)
{
    grid.setCols(4);
    grid.setRows(2);
    grid.setFixedRows(1);
    grid.setTextMatrix(1, 2, in);
    grid.setTextMatrix(1, 3, out);
    grid.setRowData(1, FileRowText);
}

// Simplified text the tests convert to Traditional by code conversion: 软件和鼠标 → 軟件和鼠標.
const QString kSimplified = QStringLiteral("中文软件和鼠标");
const QString kTraditional = QStringLiteral("中文軟件和鼠標");

const char kFlatSheet[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\" "
    "office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">\n"
    "<office:body><office:spreadsheet><table:table table:name=\"Sheet1\"><table:table-row>"
    "<table:table-cell office:value-type=\"string\"><text:p>%1</text:p></table:table-cell>"
    "</table:table-row></table:table></office:spreadsheet></office:body></office:document>\n";

const char kFlatSlides[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" office:version=\"1.2\" "
    "office:mimetype=\"application/vnd.oasis.opendocument.presentation\">\n"
    "<office:body><office:presentation><draw:page draw:name=\"page1\">"
    "<draw:frame svg:x=\"2cm\" svg:y=\"2cm\" svg:width=\"10cm\" svg:height=\"3cm\"><draw:text-box>"
    "<text:p>%1</text:p></draw:text-box></draw:frame></draw:page></office:presentation></office:body>"
    "</office:document>\n";

// The main part's content type of each format, as its package declares it. (This office
// writes a slide show with the presentation's content type, in its own stores too.)
QString MainContentType(const QString& extension)
{
    static const QHash<QString, QString> types{
        {"docx", "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"},
        {"docm", "application/vnd.ms-word.document.macroEnabled.main+xml"},
        {"dotx", "application/vnd.openxmlformats-officedocument.wordprocessingml.template.main+xml"},
        {"xlsx", "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"},
        {"xlsm", "application/vnd.ms-excel.sheet.macroEnabled.main+xml"},
        {"pptx", "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml"},
        {"pptm", "application/vnd.ms-powerpoint.presentation.macroEnabled.main+xml"},
        {"ppsx", "application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml"},
    };
    return types.value(extension.toLower());
}

// The package's content-type list, read with unzip ("" when the file is no zip package).
QString ContentTypes(const QString& path)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("?Content_Types?.xml")});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return QString();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

QByteArray Hash(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray();
}

DocumentKind KindOf(const QString& path) { return office::OfficeXmlFormatOf(path)->kind; }

// Every text of the document as the office reads it.
QStringList TextsOf(const QString& path)
{
    OfficeDocument document = ProgramOffice().Load(path, KindOf(path));
    switch (KindOf(path)) {
    case DocumentKind::Text:
        return document.StoryTexts();
    case DocumentKind::Spreadsheet: {
        QStringList texts;
        for (const office::TextCellBlock& block : document.SheetTextCells(0))
            texts += block.texts;
        return texts;
    }
    case DocumentKind::Presentation: {
        QStringList texts;
        for (const OfficeDocument::PageText& text : document.PageTexts({OfficeDocument::PageKind::Slide, 0}))
            texts << text.text;
        return texts;
    }
    }
    return {};
}

// The files under a folder, relative to it, sorted (hidden ones included).
QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// A window's grid filled by its own list filler, the outputs in outFolder.
std::unique_ptr<FlexGrid> FilledGrid(const QString& window, const QStringList& files, const QString& outFolder)
{
    auto grid = std::make_unique<FlexGrid>();
    grid->setObjectName(window);
    grid->setCols(4);
    grid->setRows(1);
    grid->setFixedRows(0);
    frmOutputSetting().opSelectDir = true;
    frmOutputSetting().strDir = outFolder;
    if (window == QLatin1String("lstDoc"))
        FileListPopulateDoc(grid.get(), files, gcolTextExt, gcolWordExt, false, true, false, false, false);
    else if (window == QLatin1String("lstXls"))
        FileListPopulateFiles4(grid.get(), files, gcolXlsExt, gcolTextExt, false, true, false, false, false);
    else
        FileListPopulateFiles4(grid.get(), files, gcolPptExt, gcolTextExt, false, true, false, false, false);
    return grid;
}

}  // namespace

class TestOfficeFormats : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<office_tests::ErrorLogFile> m_log;
    int m_folders = 0;

    QString newFolder()
    {
        const QString folder = m_dir.filePath(QStringLiteral("case%1").arg(++m_folders));
        QDir().mkpath(folder);
        return folder;
    }

    // A document of the format made by the office from a Simplified text, at path.
    void makeDocument(const QString& path, const QString& text)
    {
        const office::OfficeFormat* format = office::OfficeXmlFormatOf(path);
        QVERIFY(format);
        const QString source = path + (format->kind == DocumentKind::Text          ? QStringLiteral(".rtf")
                                       : format->kind == DocumentKind::Spreadsheet ? QStringLiteral(".fods")
                                                                                   : QStringLiteral(".fodp"));
        const QByteArray bytes = format->kind == DocumentKind::Text
                                     ? office_tests::RtfBody(text)
                                     : QString::fromLatin1(format->kind == DocumentKind::Spreadsheet ? kFlatSheet : kFlatSlides)
                                           .arg(text.toHtmlEscaped())
                                           .toUtf8();
        QVERIFY(office_tests::WriteBytes(source, bytes));
        ProgramOffice().Load(source, format->kind).StoreAs(path, QString::fromLatin1(format->storeFilter));
        QFile::remove(source);
        QCOMPARE(ContentTypes(path).contains(MainContentType(QFileInfo(path).suffix())), true);
    }

    // The output is a converted document of its input's own format.
    void checkConverted(const QString& output)
    {
        QVERIFY2(QFileInfo::exists(output), qPrintable(output));
        QVERIFY2(ContentTypes(output).contains(MainContentType(QFileInfo(output).suffix())), qPrintable(output));
        QVERIFY2(TextsOf(output).join(QLatin1Char('|')).contains(kTraditional), qPrintable(output));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        office_tests::StartConverterTests(m_dir);
        ComposeProgram();
        InitFileTypes();
        gbSchedRun = true;
    }
    void init() { m_log = std::make_unique<office_tests::ErrorLogFile>(); }
    void cleanup() { m_log.reset(); }
    void cleanupTestCase()
    {
        gbSchedRun = false;
        office_session::StopProgramOffice();
    }

    // Each window lists its formats as its own office type and converts them in one run on one
    // office; the outputs keep their names and formats, the inputs stay as they were, and the
    // output folder holds the outputs and nothing else.
    void windowRunsConvertTheirFormatsOnOneOffice_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("extensions");
        QTest::addColumn<int>("typeBit");
        QTest::newRow("Word") << "lstDoc" << QStringList{"docx", "docm", "dotx"} << int(FileRowWord);
        QTest::newRow("Excel") << "lstXls" << QStringList{"xlsx", "xlsm"} << int(FileRowExcel);
        QTest::newRow("PowerPoint") << "lstPpt" << QStringList{"pptx", "pptm", "ppsx"} << int(FileRowPowerPoint);
    }
    void windowRunsConvertTheirFormatsOnOneOffice()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, extensions);
        QFETCH(int, typeBit);
        const QString folder = newFolder();
        const QString in = folder + QStringLiteral("/in");
        const QString out = folder + QStringLiteral("/out");
        QDir().mkpath(in);
        QStringList inputs, expected;
        for (const QString& extension : extensions) {
            inputs << in + QStringLiteral("/文档.") + extension;
            expected << QStringLiteral("文档.") + extension;
            makeDocument(inputs.last(), kSimplified);
        }
        expected.sort();
        QList<QByteArray> hashes;
        for (const QString& input : inputs)
            hashes << Hash(input);
        auto grid = FilledGrid(window, inputs, out);
        QCOMPARE(grid->Rows(), inputs.size() + 1);
        for (int r = 1; r < grid->Rows(); ++r) {
            QCOMPARE(grid->RowData(r) & (FileRowText | FileRowWord | FileRowExcel | FileRowPowerPoint), typeBit);
            QCOMPARE(grid->TextMatrix(r, 3), out + QLatin1Char('/') + QFileInfo(inputs.at(r - 1)).fileName());
        }

        office_session::StopProgramOffice();
        const int starts = ProgramOffice().Starts();
        ModalScript modal;
        if (window == QLatin1String("lstDoc"))
            ExecuteDocConv(grid.get(), true, false, false, false);
        else if (window == QLatin1String("lstXls"))
            ExecuteXlsConv(grid.get(), true, false, false, false);
        else
            ExecutePPTConv(grid.get(), true, false, false, false);
        QCOMPARE(modal.unexpected(), 0);
        QCOMPARE(ProgramOffice().Starts(), starts + 1);

        QCOMPARE(m_log->procedures(), QStringList());
        for (int r = 1; r < grid->Rows(); ++r)
            QCOMPARE(grid->TextMatrix(r, 0), QString());
        QCOMPARE(FilesUnder(out), expected);
        for (int i = 0; i < inputs.size(); ++i) {
            QCOMPARE(Hash(inputs.at(i)), hashes.at(i));
            checkConverted(out + QLatin1Char('/') + QFileInfo(inputs.at(i)).fileName());
        }
    }

    // A tree holding every format, a text file and an unknown file: one office for the run,
    // every document converted in its format, the text converted, the unknown file copied.
    void folderTreeRunConvertsEveryFormatOnOneOffice()
    {
        const QString folder = newFolder();
        const QString in = folder + QStringLiteral("/in");
        const QString out = folder + QStringLiteral("/out");
        QDir().mkpath(in + QStringLiteral("/sub"));
        QStringList expected;
        int n = 0;
        for (const office::OfficeFormat& format : office::kOfficeXmlFormats) {
            ++n;
            const QString name = QStringLiteral("%1d%2.%3")
                                     .arg(n % 2 ? QStringLiteral("sub/") : QString())
                                     .arg(n)
                                     .arg(QString::fromLatin1(format.extension));
            makeDocument(in + QLatin1Char('/') + name, kSimplified);
            expected << name;
        }
        QVERIFY(office_tests::WriteBytes(in + QStringLiteral("/note.txt"), kSimplified.toUtf8()));
        QVERIFY(office_tests::WriteBytes(in + QStringLiteral("/raw.bin"), "unknown"));
        expected << QStringLiteral("note.txt") << QStringLiteral("raw.bin");
        expected.sort();

        FlexGrid grid;
        grid.setObjectName(QStringLiteral("lstPath"));
        FillFolderRow(grid, in, out);
        office_session::StopProgramOffice();
        const int starts = ProgramOffice().Starts();
        ModalScript modal;
        QVERIFY(ExecutePathConv(&grid, true, false, false, false, gcolHtmlExt, true, true));
        QCOMPARE(modal.unexpected(), 0);
        QCOMPARE(ProgramOffice().Starts(), starts + 1);
        QVERIFY(!ProgramOffice().IsRunning());
        QCOMPARE(m_log->procedures(), QStringList());
        QCOMPARE(FilesUnder(out), expected);
        for (const QString& name : expected)
            if (office::OfficeXmlFormatOf(name))
                checkConverted(out + QLatin1Char('/') + name);
        QCOMPARE(office_tests::ReadBytes(out + QStringLiteral("/raw.bin")), QByteArray("unknown"));
        QVERIFY(QString::fromUtf8(office_tests::ReadBytes(out + QStringLiteral("/note.txt"))).contains(kTraditional));
    }

    // A Word row of the HTML window (as a project gives it) is written in its own format too:
    // a .docx as Office XML, a .doc as Word 97.
    void htmlWindowWordRowsKeepTheirFormat()
    {
        const QString folder = newFolder();
        const QString in = folder + QStringLiteral("/in");
        const QString out = folder + QStringLiteral("/out");
        QDir().mkpath(in);
        QDir().mkpath(out);
        const QString docx = in + QStringLiteral("/a.docx");
        makeDocument(docx, kSimplified);
        const QString rtf = in + QStringLiteral("/b.rtf");
        QVERIFY(office_tests::WriteBytes(rtf, office_tests::RtfBody(kSimplified)));
        const QString doc = in + QStringLiteral("/b.doc");
        ProgramOffice().Load(rtf, DocumentKind::Text).StoreAs(doc, QString::fromLatin1(office::kFilterWord97));
        QFile::remove(rtf);
        FlexGrid grid;
        grid.setObjectName(QStringLiteral("lstHtml"));
        grid.setCols(4);
        grid.setRows(3);
        grid.setFixedRows(1);
        const QStringList inputs{docx, doc};
        for (int r = 1; r <= 2; ++r) {
            grid.setTextMatrix(r, 2, inputs.at(r - 1));
            grid.setTextMatrix(r, 3, out + QLatin1Char('/') + QFileInfo(inputs.at(r - 1)).fileName());
            grid.setRowData(r, FileRowWord);
        }
        ModalScript modal;
        ExecuteHtmlConv(&grid, true, false, false, false);
        QCOMPARE(modal.unexpected(), 0);
        QCOMPARE(m_log->procedures(), QStringList());
        QCOMPARE(FilesUnder(out), (QStringList{QStringLiteral("a.docx"), QStringLiteral("b.doc")}));
        checkConverted(out + QStringLiteral("/a.docx"));
        OfficeDocument word97 = ProgramOffice().Load(out + QStringLiteral("/b.doc"), DocumentKind::Text);
        QCOMPARE(word97.FilterName(), QString::fromLatin1(office::kFilterWord97));
        QVERIFY(word97.StoryTexts().join(QLatin1Char('|')).contains(kTraditional));
    }

    // The office is ended by its watchdog in the middle of the second of three documents: that
    // row fails with one record, the next row gets a fresh office and converts, and no
    // temporary, intermediate or lock file is left in the output folder.
    void officeDyingMidDocumentFailsThatRowOnly()
    {
        const QString folder = newFolder();
        const QString in = folder + QStringLiteral("/in");
        const QString out = folder + QStringLiteral("/out");
        QDir().mkpath(in);
        const QStringList names{QStringLiteral("a.docx"), QStringLiteral("b.docx"), QStringLiteral("c.docx")};
        QStringList inputs;
        for (const QString& name : names) {
            inputs << in + QLatin1Char('/') + name;
            makeDocument(inputs.last(), kSimplified);
        }
        auto grid = FilledGrid(QStringLiteral("lstDoc"), inputs, out);
        const QString dying = grid->TextMatrix(2, 3);
        OfficeServices& services = Office();
        const OfficeServices::Converter convert = services.ConvertDOC;
        long killedPid = 0;
        services.ConvertDOC = [&](DlgProgress& progress, const QString& src, const QString& dst, bool bCode,
                                  bool bPhrase, bool bB52GB, bool bL2R) {
            if (dst != dying)
                return convert(progress, src, dst, bCode, bPhrase, bB52GB, bL2R);
            killedPid = ProgramOffice().ProcessId();
            ProgramOffice().SetCallTimeout(std::chrono::milliseconds(1));
            const bool converted = convert(progress, src, dst, bCode, bPhrase, bB52GB, bL2R);
            ProgramOffice().SetCallTimeout(office::DefaultOfficeSettings().callTimeout);
            return converted;
        };
        office_session::StopProgramOffice();
        const int starts = ProgramOffice().Starts();
        ModalScript modal;
        ExecuteDocConv(grid.get(), true, false, false, false);
        services.ConvertDOC = convert;
        QCOMPARE(modal.unexpected(), 0);
        QVERIFY(killedPid != 0);
        QVERIFY(ProgramOffice().ProcessId() != killedPid);
        QCOMPARE(ProgramOffice().Starts(), starts + 2);
        QCOMPARE(grid->TextMatrix(1, 0), QString());
        QCOMPARE(grid->TextMatrix(2, 0), QStringLiteral("."));
        QCOMPARE(grid->TextMatrix(3, 0), QString());
        QCOMPARE(m_log->procedures(), QStringList{QStringLiteral("ConvertDOC")});
        QCOMPARE(FilesUnder(out), (QStringList{QStringLiteral("a.docx"), QStringLiteral("c.docx")}));
        QCOMPARE(FilesUnder(in), names);
        checkConverted(out + QStringLiteral("/c.docx"));
    }

    // The same in a folder-tree run: the second office document of the tree dies with its
    // office; every other document converts, the later ones on a fresh office, and the
    // output tree holds nothing of the one that died.
    void officeDyingMidDocumentInAFolderTree()
    {
        const QString folder = newFolder();
        const QString in = folder + QStringLiteral("/in");
        const QString out = folder + QStringLiteral("/out");
        QDir().mkpath(in);
        const QStringList names{QStringLiteral("a.xlsx"), QStringLiteral("b.pptx"), QStringLiteral("c.xlsm"),
                                QStringLiteral("d.ppsx")};
        for (const QString& name : names)
            makeDocument(in + QLatin1Char('/') + name, kSimplified);
        OfficeServices& services = Office();
        const OfficeServices::Converter convertXls = services.ConvertXLS;
        const OfficeServices::Converter convertPpt = services.ConvertPPT;
        int documents = 0;
        QString died;
        auto dyingSecond = [&](const OfficeServices::Converter& convert) {
            return [&, convert](DlgProgress& progress, const QString& src, const QString& dst, bool bCode, bool bPhrase,
                                bool bB52GB, bool bL2R) {
                if (++documents != 2)
                    return convert(progress, src, dst, bCode, bPhrase, bB52GB, bL2R);
                died = QFileInfo(dst).fileName();
                ProgramOffice().SetCallTimeout(std::chrono::milliseconds(1));
                const bool converted = convert(progress, src, dst, bCode, bPhrase, bB52GB, bL2R);
                ProgramOffice().SetCallTimeout(office::DefaultOfficeSettings().callTimeout);
                return converted;
            };
        };
        services.ConvertXLS = dyingSecond(convertXls);
        services.ConvertPPT = dyingSecond(convertPpt);
        FlexGrid grid;
        FillFolderRow(grid, in, out);
        office_session::StopProgramOffice();
        const int starts = ProgramOffice().Starts();
        ModalScript modal;
        QVERIFY(!ExecutePathConv(&grid, true, false, false, false, gcolHtmlExt, true, true));
        services.ConvertXLS = convertXls;
        services.ConvertPPT = convertPpt;
        QCOMPARE(modal.unexpected(), 0);
        QCOMPARE(documents, 4);
        QCOMPARE(ProgramOffice().Starts(), starts + 2);
        QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("."));
        QStringList converted = names;
        converted.removeAll(died);
        QCOMPARE(FilesUnder(out), converted);
        QCOMPARE(FilesUnder(in), names);
        for (const QString& name : converted)
            checkConverted(out + QLatin1Char('/') + name);
    }
};

TEZ_REGISTER_TEST(TestOfficeFormats)
#include "test_office_formats.moc"
