// Runs never write where they must not and never report a failure as success: numbered
// folder outputs, outputs that are inputs refused at the dialogs and at run time, the copy
// route on a full disk, inputs changed while read, output permissions, leftovers of killed
// runs, a folder row whose output is a file, and names the file-name encoding cannot show.
#include "RunFixture.h"
#include "batch/BatchRuns.h"
#include "batch/FileList.h"
#include "batch/FileListChangeOutput.h"
#include "batch/frmChangeOutput.h"
#include "common/SmallFileSystem.h"
#include "common/TestMain.h"
#include "core/dlgProgress.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QLineEdit>

#include <atomic>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every file under a folder with the hash of its bytes, as native names (any bytes).
QStringList Hashes(const QString& folder)
{
    QStringList lines;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        lines << QString::fromLatin1(QFile::encodeName(path).toPercentEncoding("/")) + QLatin1Char(' ') +
                     QString::fromLatin1(QCryptographicHash::hash(ReadFileBytes(path), QCryptographicHash::Sha1).toHex());
    }
    lines.sort();
    return lines;
}

QByteArray ReadNative(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "<missing>";
    QByteArray bytes;
    char block[4096];
    for (ssize_t n; (n = ::read(fd, block, sizeof block)) > 0;)
        bytes.append(block, n);
    ::close(fd);
    return bytes;
}

void WriteNative(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, bytes.constData(), bytes.size()), ssize_t(bytes.size()));
    ::close(fd);
}

int ModeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// Sets the umask for a test and puts the old one back.
struct Umask {
    mode_t old;
    explicit Umask(mode_t mask) : old(::umask(mask)) {}
    ~Umask() { ::umask(old); }
};

const QString kSimplified = QStringLiteral("软件");
const QString kTraditional = QStringLiteral("軟體");

}  // namespace

class TestRunSafety : public QObject {
    Q_OBJECT

private slots:
    // Beside the input a folder row takes the first docs<n> that exists nowhere and that no
    // row writes; the user's docs1 is left as it was.
    void folderRowBesideItsInputIsNumberedPastExistingFolders()
    {
        RunFixture f;
        RunFixture::setOutput(false);
        f.makeFile(QStringLiteral("T/docs/a.txt"), Gb(kSimplified));
        f.makeFile(QStringLiteral("T/docs1/a.txt"), "the user's own file");
        const QStringList before = Hashes(f.path(QStringLiteral("T/docs1")));
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        DirListAdd(grid.get(), f.path(QStringLiteral("T/docs")), false, true, false, false, true);
        DirListAdd(grid.get(), f.path(QStringLiteral("T/docs")), false, true, false, false, true);
        QCOMPARE(RowTexts(*grid), (QStringList{f.path("T/docs") + " -> " + f.path("T/docs2"),
                                               f.path("T/docs") + " -> " + f.path("T/docs3")}));
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        QCOMPARE(Hashes(f.path(QStringLiteral("T/docs1"))), before);
        QCOMPARE(f.read(QStringLiteral("T/docs2/a.txt")), Big5(kTraditional));
    }

    // Two folders of one name to one output folder: the second is numbered as a file row is.
    void folderRowsSharingAnOutputFolderAreNumbered()
    {
        RunFixture f;
        RunFixture::setOutput(true, f.path(QStringLiteral("out")));
        f.makeFile(QStringLiteral("x/site/a.txt"), Gb(QStringLiteral("软件")));
        f.makeFile(QStringLiteral("y/site/a.txt"), Gb(QStringLiteral("鼠标")));
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        DirListDDropAdd(grid.get(), {f.path(QStringLiteral("x/site")), f.path(QStringLiteral("y/site"))}, gcolHtmlExt,
                        gcolNoExt, false, true, false, false, true);
        QCOMPARE(grid->TextMatrix(1, 3), f.path(QStringLiteral("out/site")));
        QCOMPARE(grid->TextMatrix(2, 3), f.path(QStringLiteral("out/site1")));
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        QCOMPARE(f.read(QStringLiteral("out/site/a.txt")), Big5(kTraditional));
        QCOMPARE(f.read(QStringLiteral("out/site1/a.txt")), Big5(QStringLiteral("滑鼠")));
    }

    // A file that another row writes is not added as an input: the user is told, no row.
    void addingAnotherRowsOutputIsRefused()
    {
        RunFixture f;
        RunFixture::setOutput(true, f.path(QStringLiteral("out")));
        const QString input = f.makeFile(QStringLiteral("in/a.txt"), Gb(kSimplified));
        const QString earlier = f.makeFile(QStringLiteral("out/a.txt"), "last week's output");
        auto grid = MakeEmptyFileGrid();
        FileListPopulateDoc(grid.get(), {input}, gcolTextExt, gcolWordExt, false, true, true, false, false);
        QCOMPARE(grid->TextMatrix(1, 3), earlier);
        ModalScript modal;
        modal.answer(vbOK);
        FileListPopulateDoc(grid.get(), {earlier, f.path(QStringLiteral("out/./a.txt"))}, gcolTextExt, gcolWordExt,
                            false, true, true, false, false);
        QCOMPARE(grid->Rows(), 2);
        QCOMPARE(modal.asked().size(), 1);
        QVERIFY(modal.messages().first().contains(earlier));
        QCOMPARE(modal.asked().first().icon, vbExclamation);
    }

    // The per-row output dialog refuses an output that would write over an input, and stays
    // open; Cancel then leaves the row as it was.
    void changeOutputRefusesAnInput_data()
    {
        QTest::addColumn<bool>("folderRows");
        QTest::addColumn<QStringList>("files");   // made under the root
        QTest::addColumn<QStringList>("inputs");  // the rows' inputs (row 1 is changed)
        QTest::addColumn<QString>("typed");
        QTest::newRow("another row's input") << false << QStringList{"w/a.txt", "w/b.txt"}
                                             << QStringList{"w/a.txt", "w/b.txt"} << "w/b.txt";
        QTest::newRow("a link to another row's input")
            << false << QStringList{"w/a.txt", "w/b.txt"} << QStringList{"w/a.txt", "w/b.txt"} << "link/b.txt";
        QTest::newRow("inside another folder row's tree")
            << true << QStringList{"a/x.txt", "b/y.txt"} << QStringList{"a", "b"} << "b/sub";
        QTest::newRow("above its own input, onto its inputs")
            << true << QStringList{"p/in/in/x.txt", "p/in/x.txt"} << QStringList{"p/in"} << "p";
    }
    void changeOutputRefusesAnInput()
    {
        QFETCH(bool, folderRows);
        QFETCH(QStringList, files);
        QFETCH(QStringList, inputs);
        QFETCH(QString, typed);
        RunFixture f;
        for (const QString& file : files)
            f.makeFile(file);
        QVERIFY(QFile::link(f.path(QStringLiteral("w")), f.path(QStringLiteral("link"))) || folderRows);
        auto grid = MakeEmptyFileGrid(folderRows ? QStringLiteral("lstPath") : QStringLiteral("lstDoc"));
        for (const QString& input : inputs)
            AddRow(grid.get(), f.path(input), f.path(QStringLiteral("out/") + input), FileRowText);
        grid->setFixedRows(1);
        grid->setRow(1);
        ModalScript modal;
        bool stayedOpen = false;
        modal.answerDialog([&](QDialog& dialog) {
            frmChangeOutput().txtOutput->setText(f.path(typed));
            frmChangeOutput().cmdOK_Click();
            stayedOpen = !dialog.result();
            frmChangeOutput().cmdCancel_Click();
        });
        modal.answer(vbOK);
        FileListChangeOutput(grid.get(), folderRows, folderRows ? ListedRows::Folders : ListedRows::Files);
        QVERIFY(stayedOpen);
        QCOMPARE(modal.messages().size(), 1);
        QCOMPARE(modal.asked().at(1).icon, vbExclamation);
        QCOMPARE(grid->TextMatrix(1, 3), f.path(QStringLiteral("out/") + inputs.first()));
    }

    // At run time an output that is an input of the run (by identity: a hard link counts)
    // fails its row with one record and is not written; the other rows convert.
    void runRefusesAnOutputThatIsAnInput()
    {
        RunFixture f;
        const QString a = f.makeFile(QStringLiteral("w/a.txt"), Gb(kSimplified));
        const QString b = f.makeFile(QStringLiteral("w/b.txt"), Gb(QStringLiteral("鼠标")));
        const QString c = f.makeFile(QStringLiteral("w/c.txt"), Gb(QStringLiteral("头发")));
        QVERIFY(::link(QFile::encodeName(c).constData(), QFile::encodeName(f.path(QStringLiteral("w/hard.txt"))).constData()) == 0);
        const QStringList before = Hashes(f.path(QStringLiteral("w")));
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        AddRow(grid.get(), a, b, FileRowText);                                       // onto row 2's input
        AddRow(grid.get(), b, f.path(QStringLiteral("out/b.txt")), FileRowText);     // converts
        AddRow(grid.get(), a, f.path(QStringLiteral("w/hard.txt")), FileRowText);    // onto row 4's input
        AddRow(grid.get(), c, f.path(QStringLiteral("out/c.txt")), FileRowText);     // converts
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteHtmlConv(grid.get(), true, true, false, false);
        QCOMPARE(Hashes(f.path(QStringLiteral("w"))), before);
        QVERIFY(RowFailed(*grid, 1));
        QVERIFY(!RowFailed(*grid, 2));
        QVERIFY(RowFailed(*grid, 3));
        QVERIFY(!RowFailed(*grid, 4));
        QCOMPARE(f.errorRecords(QStringLiteral("ExecuteHtmlConv")), 2);
        QCOMPARE(f.read(QStringLiteral("out/b.txt")), Big5(QStringLiteral("滑鼠")));
    }

    // A folder row whose tree would land on inputs of the run fails whole: nothing written.
    void folderRunRefusesOutputsOnInputs_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("rows"); // input, output pairs
        QTest::addColumn<int>("failedRow");
        QTest::newRow("above its own input") << QStringList{"p/in/in/x.txt", "p/in/x.txt", "p/in/y.txt"}
                                             << QStringList{"p/in", "p"} << 1;
        QTest::newRow("into another row's tree") << QStringList{"a/x.txt", "b/x.txt"}
                                                 << QStringList{"a", "b", "b", "o"} << 1;
    }
    void folderRunRefusesOutputsOnInputs()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, rows);
        QFETCH(int, failedRow);
        RunFixture f;
        for (const QString& file : files)
            f.makeFile(file, Gb(kSimplified) + file.toLatin1());
        const QStringList before = Hashes(f.root());
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        for (int k = 0; k < rows.size(); k += 2)
            AddRow(grid.get(), f.path(rows.at(k)), f.path(rows.at(k + 1)), FileRowText);
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        QVERIFY(RowFailed(*grid, failedRow));
        QCOMPARE(f.errorRecords(QStringLiteral("ExecutePathConv")), 1);
        QStringList after = Hashes(f.root());
        after.erase(std::remove_if(after.begin(), after.end(), [&](const QString& line) {
            return line.contains(QLatin1String("/home/")) || line.contains(QLatin1String("/o/"));
        }), after.end());
        QStringList kept = before;
        kept.erase(std::remove_if(kept.begin(), kept.end(), [&](const QString& line) {
            return line.contains(QLatin1String("/home/"));
        }), kept.end());
        QCOMPARE(after, kept);
    }

    // A folder row whose output is a file fails once, with one record and no beep per file.
    void folderRowWhoseOutputIsAFileFailsOnce()
    {
        RunFixture f;
        for (int n = 0; n < 20; ++n)
            f.makeFile(QStringLiteral("in/sub/f%1.txt").arg(n), Gb(kSimplified));
        const QString output = f.makeFile(QStringLiteral("out.txt"), "a file");
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        AddRow(grid.get(), f.path(QStringLiteral("in")), output, FileRowText);
        AddRow(grid.get(), f.path(QStringLiteral("in")), output + QStringLiteral("/below"), FileRowText);
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        QVERIFY(RowFailed(*grid, 1));
        QVERIFY(RowFailed(*grid, 2));
        QCOMPARE(f.errorRecords(QStringLiteral("ExecutePathConv")), 2);
        QCOMPARE(f.errorRecords(QStringLiteral("MakeDir")), 0);
        QCOMPARE(f.read(QStringLiteral("out.txt")), QByteArray("a file"));
    }

    // The plain copy on a full disk keeps last week's output and fails the row.
    void copyOnAFullDiskKeepsTheOldOutput_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("10 bytes") << 10;
        QTest::newRow("8 KiB") << 8192;
        QTest::newRow("200 KiB") << 200 * 1024;
    }
    void copyOnAFullDiskKeepsTheOldOutput()
    {
        QFETCH(int, size);
        SmallFileSystem fs;
        SKIP_UNLESS_MOUNTED(fs);
        RunFixture f;
        const QString input = f.makeFile(QStringLiteral("in/pic.gif"), QByteArray(size, 'n'));
        const QString output = fs.path(QStringLiteral("pic.gif"));
        WriteFileBytes(output, "last week's picture");
        fs.fill();
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        AddRow(grid.get(), input, output, 0);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteHtmlConv(grid.get(), true, true, false, false);
        QVERIFY(RowFailed(*grid, 1));
        QCOMPARE(ReadFileBytes(output), QByteArray("last week's picture"));
        QCOMPARE(fs.names(), QStringList{QStringLiteral("pic.gif")});
        QCOMPARE(f.errorRecords(QStringLiteral("ExecuteHtmlConv")), 1);
    }

    // An input rewritten while it is read fails its row; the old output stays.
    void inputChangedWhileReadKeepsTheOldOutput_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("converted text") << int(FileRowText);
        QTest::newRow("copy") << 0;
    }
    void inputChangedWhileReadKeepsTheOldOutput()
    {
        QFETCH(int, type);
        RunFixture f;
        const QByteArray line = Gb(kSimplified) + "\r\n";
        QByteArray big;
        for (int n = 0; n < (24 << 20) / line.size(); ++n)
            big += line;
        const QString input = f.makeFile(QStringLiteral("in/big.txt"), big);
        const QString output = f.makeFile(QStringLiteral("out/big.txt"), "the old output");
        // As soon as the run's temporary appears in the output folder, the input is rewritten.
        const int watch = ::inotify_init1(IN_CLOEXEC);
        QVERIFY(watch >= 0);
        QVERIFY(::inotify_add_watch(watch, QFile::encodeName(f.path(QStringLiteral("out"))).constData(), IN_CREATE) >= 0);
        std::thread writer([&] {
            char event[4096];
            if (::read(watch, event, sizeof event) <= 0)
                return;
            const int fd = ::open(QFile::encodeName(input).constData(), O_WRONLY);
            (void)::pwrite(fd, "rewritten", 9, 0);
            const struct timespec times[2] = {{1000000, 0}, {1000000, 0}};
            ::futimens(fd, times);
            ::close(fd);
        });
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        AddRow(grid.get(), input, output, type);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteHtmlConv(grid.get(), true, true, false, false);
        writer.join();
        ::close(watch);
        QVERIFY(RowFailed(*grid, 1));
        QCOMPARE(f.read(QStringLiteral("out/big.txt")), QByteArray("the old output"));
        QVERIFY(f.errorLog().contains("changed while it was read"));
        QCOMPARE(f.tree(QStringLiteral("out")), QStringList{"big.txt"});
    }

    // New outputs get 0666 less the umask (a copy: the input's permissions less the umask);
    // an output replaced keeps its own.
    void outputPermissions()
    {
        RunFixture f;
        Umask mask(027);
        const QString text = f.makeFile(QStringLiteral("in/a.txt"), Gb(kSimplified));
        const QString picture = f.makeFile(QStringLiteral("in/b.gif"), "GIF");
        QVERIFY(::chmod(QFile::encodeName(picture).constData(), 0664) == 0);
        f.makeFolder(QStringLiteral("out"));
        const QString kept = f.makeFile(QStringLiteral("out/c.gif"), "old");
        QVERIFY(::chmod(QFile::encodeName(kept).constData(), 0604) == 0);
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstHtml"));
        AddRow(grid.get(), text, f.path(QStringLiteral("out/a.txt")), FileRowText);
        AddRow(grid.get(), picture, f.path(QStringLiteral("out/b.gif")), 0);
        AddRow(grid.get(), picture, kept, 0);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteHtmlConv(grid.get(), true, true, false, false);
        QCOMPARE(ModeOf(f.path(QStringLiteral("out/a.txt"))), 0640);
        QCOMPARE(ModeOf(f.path(QStringLiteral("out/b.gif"))), 0640);
        QCOMPARE(ModeOf(kept), 0604);
    }

    // A run first removes the program's own stale temporaries from the folders it writes
    // (and nothing else); an office row that ends leaves none of the office's files.
    void leftoversOfKilledRunsAreRemoved()
    {
        RunFixture f;
        const QString xls = f.makeFile(QStringLiteral("in/book.xls"), "X");
        f.makeFile(QStringLiteral("out/.tezc-Ab12Cd"), "a killed run's temporary");
        f.makeFile(QStringLiteral("out/.book.xls.Qw34Er.tmp"), "a killed store");
        f.makeFile(QStringLiteral("out/.tezc-notes.txt"), "the user's");
        f.makeFile(QStringLiteral("out/lu77.tmp"), "not ours, not of this run");
        f.makeFile(QStringLiteral("out/other.wpc"), "the user's");
        f.makeFile(QStringLiteral("out/book.xls.wpd"), "someone's file of an intermediate's name");
        Office().InitExcelApp = [] { return true; };
        Office().ExitExcelApp = [] {};
        Office().ConvertXLS = [&](DlgProgress&, const QString&, const QString& out, bool, bool, bool, bool) {
            // The office is killed part way: its lock and temporary stay behind.
            WriteFileBytes(QFileInfo(out).path() + QStringLiteral("/.~lock.book.xls#"), "lock");
            WriteFileBytes(QFileInfo(out).path() + QStringLiteral("/lu12345.tmp"), "part");
            WriteFileBytes(QFileInfo(xls).path() + QStringLiteral("/.~lock.book.xls#"), "lock");
            return false;
        };
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstXls"));
        AddRow(grid.get(), xls, f.path(QStringLiteral("out/book.xls")), FileRowExcel);
        ModalScript modal;
        modal.answer(vbOK);
        ExecuteXlsConv(grid.get(), true, true, false, false);
        QVERIFY(RowFailed(*grid, 1));
        QCOMPARE(f.tree(QStringLiteral("out")), (QStringList{".tezc-notes.txt", "book.xls.wpd", "lu77.tmp", "other.wpc"}));
        QCOMPARE(f.tree(QStringLiteral("in")), QStringList{"book.xls"});
    }

    // Files whose names are not valid in the file-name encoding are converted or copied
    // under their own bytes; one that cannot be written fails the row with a count.
    void namesTheEncodingCannotShow()
    {
        RunFixture f;
        const QByteArray in = QFile::encodeName(f.makeFolder(QStringLiteral("in")));
        const QByteArray out = QFile::encodeName(f.path(QStringLiteral("out")));
        QVERIFY(::mkdir((in + "/\xb0\xa1").constData(), 0777) == 0);
        WriteNative(in + "/\xb0\xa1.txt", Gb(kSimplified));
        WriteNative(in + "/\xb0\xa1.gif", "GIF");
        WriteNative(in + "/\xb0\xa1/b.txt", Gb(QStringLiteral("鼠标")));
        f.makeFile(QStringLiteral("in/plain.txt"), Gb(kSimplified));
        auto grid = MakeEmptyFileGrid(QStringLiteral("lstPath"));
        AddRow(grid.get(), QFile::decodeName(in), QFile::decodeName(out), FileRowText);
        ModalScript modal;
        modal.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        QVERIFY(!RowFailed(*grid, 1));
        QCOMPARE(ReadNative(out + "/\xb0\xa1.txt"), Big5(kTraditional));
        QCOMPARE(ReadNative(out + "/\xb0\xa1.gif"), QByteArray("GIF"));
        QCOMPARE(ReadNative(out + "/\xb0\xa1/b.txt"), Big5(QStringLiteral("滑鼠")));
        QCOMPARE(f.read(QStringLiteral("out/plain.txt")), Big5(kTraditional));

        // One that cannot be written (a folder stands in its place): the row fails, counted.
        QVERIFY(::unlink((out + "/\xb0\xa1.gif").constData()) == 0);
        QVERIFY(::mkdir((out + "/\xb0\xa1.gif").constData(), 0777) == 0);
        ModalScript again;
        again.answer(vbOK);
        ExecutePathConv(grid.get(), true, true, false, false, gcolHtmlExt, true, false);
        QVERIFY(RowFailed(*grid, 1));
        QVERIFY(f.errorLog().contains("1 of 3 files whose names are not valid"));
        // Names Qt cannot show are removed by their bytes.
        std::filesystem::remove_all(in.toStdString());
        std::filesystem::remove_all(out.toStdString());
    }
};

TEZ_REGISTER_TEST(TestRunSafety)
#include "test_run_safety.moc"
