#include "common/TestMain.h"
#include "resources/Pictures.h"
#include "resources/StringTable.h"

#include <QImage>
#include <QTest>
#include <utility>
#include <vector>

namespace {

// The number ranges the string table fills.
const std::vector<std::pair<int, int>> kStringRanges = {
    {1001, 1014}, {2001, 2008}, {3001, 3002}, {4001, 4039},
    {5001, 5020}, {6001, 6013}, {6101, 6102}, {8001, 8016}, {1050, 1050},
};

const QList<int> kGridPictures = {ResPicActive, ResPicInactive, ResPicTypeOther, ResPicTypeTxt, ResPicDone,
                                  ResPicTypeOffice, ResPicFailed, ResPicLocked, ResPicLockedInactive};

QImage IconImage(const QString& key)
{
    return LoadToolbarIcon(key).pixmap(ToolbarIconSize, ToolbarIconSize).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool HasDrawnPixels(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

} // namespace

class ResourcesTest : public QObject {
    Q_OBJECT
private slots:
    void exactTexts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        // Blanks inside and at the end, full-width and ASCII punctuation, filters, accelerators.
        QTest::newRow("1001 title inside") << 1001 << QStringLiteral("Velmora已运行");
        QTest::newRow("1003 blanks around PCT") << 1003 << QStringLiteral("超过客户自定 PCT 文件数目限制。");
        QTest::newRow("1004 two inner blanks") << 1004 << QStringLiteral("有些 PCT 文件 不是合法的文件或不存在");
        QTest::newRow("1009 full-width comma") << 1009 << QStringLiteral("输入信息夹是空的，请先输入信息夹。");
        QTest::newRow("1010 trailing blank") << 1010 << QStringLiteral("专案档格式错误 - ");
        QTest::newRow("1014 ascii colon, trailing blank") << 1014 << QStringLiteral("转换失败: ");
        QTest::newRow("1050 save failure, the path follows") << 1050 << QStringLiteral("无法保存文件（磁盘已满或不能写入），原有文件未被更改：");
        QTest::newRow("2001 full-width question") << 2001 << QStringLiteral("立即转换内容已被更改，您要保存吗？");
        QTest::newRow("2004 trailing blank") << 2004 << QStringLiteral("是否要将当前转换内容存入专案档 - ");
        QTest::newRow("2007") << 2007 << QStringLiteral("PowerPoint程序正在运行，请先关闭再进行转档。");
        QTest::newRow("3001 table file") << 3001 << QStringLiteral("big5-gb.cct");
        QTest::newRow("3002 table file") << 3002 << QStringLiteral("gb-big5.cct");
        QTest::newRow("4007 two sentences") << 4007 << QStringLiteral("词汇表名称已使用。请输入新的名称。");
        QTest::newRow("4015 dots") << 4015 << QStringLiteral("替换...");
        QTest::newRow("4016 text filter") << 4016 << QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
        QTest::newRow("4017 ascii colon") << 4017 << QStringLiteral("信息夹:");
        QTest::newRow("4018 folder name") << 4018 << QStringLiteral("tmp");
        QTest::newRow("4019 full-width colon") << 4019 << QStringLiteral("项目次序：");
        QTest::newRow("4021 table filter") << 4021 << QStringLiteral("All Files (*.*)|*.*|PCT Files (*.pct)|*.pct");
        QTest::newRow("4022 comma and dots") << 4022 << QStringLiteral("删除中，请稍候...");
        QTest::newRow("4025 full-width bang") << 4025 << QStringLiteral("运行退出！");
        QTest::newRow("4037 summary") << 4037 << QStringLiteral("MSSQL文件转换");
        QTest::newRow("5002 header") << 5002 << QStringLiteral("次序");
        QTest::newRow("5005 header") << 5005 << QStringLiteral("词汇表");
        QTest::newRow("5019 header") << 5019 << QStringLiteral("上次作业时间");
        QTest::newRow("6005 blanks") << 6005 << QStringLiteral("繁体 转 简体");
        QTest::newRow("6006 blanks") << 6006 << QStringLiteral("简体 转 繁体");
        QTest::newRow("6013 combo") << 6013 << QStringLiteral("简体Unicode");
        QTest::newRow("6101 combo") << 6101 << QStringLiteral("ACCESS数据库转换");
        QTest::newRow("8001 program title") << 8001 << QStringLiteral("Velmora");
        QTest::newRow("8005 accelerator N") << 8005 << QStringLiteral("添加文件(&N)...");
        QTest::newRow("8008 accelerator O") << 8008 << QStringLiteral("添加文件(&O)...");
        QTest::newRow("8010 accelerator O") << 8010 << QStringLiteral("添加词汇表(&O)...");
        QTest::newRow("8016 window name") << 8016 << QStringLiteral("文件转换");
    }
    void exactTexts()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(LoadResString(id), text);
    }

    void everyNumberInTheRangesHasText()
    {
        // Only these texts end in a blank: callers append a path or a time to them.
        const QList<int> endInBlank = {1010, 1014, 2004};
        for (const auto& [first, last] : kStringRanges) {
            for (int id = first; id <= last; ++id) {
                const QString text = LoadResString(id);
                QVERIFY2(!text.isEmpty(), qPrintable(QString::number(id)));
                if (!endInBlank.contains(id))
                    QVERIFY2(text.trimmed() == text, qPrintable(QString::number(id)));
            }
        }
    }

    void unknownNumbersAreEmpty_data()
    {
        QTest::addColumn<int>("id");
        for (int id : {-1, 0, 1000, 1015, 2000, 2009, 3000, 3003, 4000, 4040, 5000, 5021, 6000, 6014, 6100, 6103, 8000, 8017, 9999})
            QTest::newRow(qPrintable(QString::number(id))) << id;
    }
    void unknownNumbersAreEmpty()
    {
        QFETCH(int, id);
        QVERIFY(LoadResString(id).isEmpty());
    }

    void gridPicturesAreDrawnAtTheirSize()
    {
        for (int id : kGridPictures) {
            const QPixmap picture = LoadResPicture(id);
            QVERIFY2(!picture.isNull(), qPrintable(QString::number(id)));
            QCOMPARE(picture.size(), QSize(GridPictureSize, GridPictureSize));
            QVERIFY2(HasDrawnPixels(picture.toImage()), qPrintable(QString::number(id)));
        }
        // Drawn once, then the same picture is handed out.
        QCOMPARE(LoadResPicture(ResPicDone).cacheKey(), LoadResPicture(ResPicDone).cacheKey());
    }

    void gridPicturesTellTheirStatesApart()
    {
        for (int i = 0; i < kGridPictures.size(); ++i)
            for (int j = i + 1; j < kGridPictures.size(); ++j)
                QVERIFY2(LoadResPicture(kGridPictures[i]).toImage() != LoadResPicture(kGridPictures[j]).toImage(),
                         qPrintable(QStringLiteral("%1 looks like %2").arg(kGridPictures[i]).arg(kGridPictures[j])));
    }

    void unknownPictureNumberGivesNullPixmap()
    {
        QVERIFY(LoadResPicture(1005).isNull());
        QVERIFY(LoadResPicture(0).isNull());
    }

    void toolbarIcons_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("function toolbar") << QStringList{"DocConv", "XlsConv", "PptConv", "HtmlConv", "PathConv",
                                                         "DBConv", "SpecConv", "OnlineConv", "PhraseMgr", "Schedule"};
        QTest::newRow("instant window") << QStringList{"OPEN", "SAVEAS", "CUT", "COPY", "PASTE", "UNDO", "SELECTALL",
                                                       "DELETEALL", "SEARCH", "REVERSECONVERT", "PHRASECONVERT"};
        QTest::newRow("vocabulary manager") << QStringList{"OPEN", "ADDITEM", "MOVEUP", "MOVEDOWN", "ACTIVE", "DEACTIVE",
                                                           "DELETE", "DETECT", "SEARCH", "MERGE", "MODIFY", "COPY",
                                                           "INSERT", "lockPCT"};
        QTest::newRow("file lists") << QStringList{"OPEN", "DELETE", "OUTDIR", "FILEDIR", "VIEWIN", "VIEWOUT",
                                                   "LISTALL", "LISTNEW", "TYPECONV", "RUN"};
        QTest::newRow("folder list") << QStringList{"OPEN", "DELETE", "OUTDIR", "FILEDIR", "VIEWIN", "VIEWOUT",
                                                    "LISTALL", "LISTNEW", "SCHEDULE", "RUN"};
    }
    void toolbarIcons()
    {
        // Every button of a toolbar has a picture of its own: not the generic one, and not
        // the same as another button's on that toolbar.
        QFETCH(QStringList, keys);
        const QImage generic = IconImage(QStringLiteral("no such key"));
        QList<QImage> seen;
        for (const QString& key : keys) {
            const QImage image = IconImage(key);
            QCOMPARE(image.size(), QSize(ToolbarIconSize, ToolbarIconSize));
            QVERIFY2(HasDrawnPixels(image), qPrintable(key));
            QVERIFY2(image != generic, qPrintable(key + " has no picture of its own"));
            QVERIFY2(!seen.contains(image), qPrintable(key + " looks like another button"));
            seen.append(image);
        }
    }

    void genericAndProgramIconsAreDrawn()
    {
        QVERIFY(HasDrawnPixels(IconImage(QStringLiteral("no such key"))));
        const QIcon program = ProgramIcon();
        QVERIFY(!program.isNull());
        QVERIFY(HasDrawnPixels(program.pixmap(32, 32).toImage()));
        QVERIFY(program.availableSizes().contains(QSize(256, 256)));
    }
};

TEZ_REGISTER_TEST(ResourcesTest)
#include "test_resources.moc"
