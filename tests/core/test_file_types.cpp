#include "core/FileTypes.h"
#include "common/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class FileTypesTest : public QObject {
    Q_OBJECT
private slots:
    void parseExtList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("default text") << "*.htm\r\n*.html\r\n" << QStringList { "htm", "html" };
        QTest::newRow("mixed separators keep order and case")
            << "*.htm; *.HTML,*.shtml" << QStringList { "htm", "HTML", "shtml" };
        QTest::newRow("runs of separators add nothing") << "*.htm;;  ,\n*.asp;;" << QStringList { "htm", "asp" };
        QTest::newRow("leading separator gives one empty item") << ";;*.htm" << QStringList { "", "htm" };
        QTest::newRow("dot without star") << ".php" << QStringList { "php" };
        QTest::newRow("one character token") << "x *.htm" << QStringList { "", "htm" };
        QTest::newRow("empty text") << "" << QStringList {};
        QTest::newRow("duplicates stay") << "*.htm *.htm" << QStringList { "htm", "htm" };
        QTest::newRow("Unix line ends") << "*.htm\n*.xhtml" << QStringList { "htm", "xhtml" };
    }
    void parseExtList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QStringList list { QStringLiteral("old") };
        ParseExtList(list, text);
        QCOMPARE(list, items);
    }

    void isExtInList_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<bool>("found");
        const QStringList html { "htm", "HTML" };
        QTest::newRow("case ignored") << "index.html" << html << true;
        QTest::newRow("upper-case name") << "INDEX.HTM" << html << true;
        QTest::newRow("two dots: the last counts") << "page.html.bak" << html << false;
        QTest::newRow("two dots matching") << "page.bak.htm" << html << true;
        QTest::newRow("no dot") << "README" << html << false;
        QTest::newRow("ends in a dot tests the empty extension") << "name." << QStringList { "" } << true;
        QTest::newRow("ends in a dot, no empty item") << "name." << html << false;
        QTest::newRow("empty list") << "a.htm" << QStringList {} << false;
    }
    void isExtInList()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, list);
        QFETCH(bool, found);
        QCOMPARE(IsExtInList(name, list, false), found);
    }

    // With the look-up, only a file that exists can be in a list.
    void isExtInListLooksTheFileUp()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Report.TXT"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
        const QStringList text { "txt" };
        QVERIFY(IsExtInList(file, text, true));
        QVERIFY(!IsExtInList(dir.filePath(QStringLiteral("missing.txt")), text, true));
        QVERIFY(!IsExtInList(dir.filePath(QStringLiteral("folder.txt")), text, true));
        QVERIFY(!IsExtInList(QString(), text, true));
    }

    void initFileTypes()
    {
        gcolNoExt << QStringLiteral("stale");
        InitFileTypes();
        QCOMPARE(gcolHtmlExt, (QStringList { "htm", "html" }));
        QCOMPARE(gcolTextExt, (QStringList { "txt" }));
        // The Office XML formats follow their kind's older extensions.
        QCOMPARE(gcolWordExt,
            (QStringList { "doc", "rtf", "pab", "olk", "scd", "wk1", "wk3", "wk4", "sam", "mcw", "wri", "cwi", "docx",
                "docm", "dotx" }));
        QCOMPARE(gcolXlsExt, (QStringList { "xls", "xlsx", "xlsm" }));
        QCOMPARE(gcolPptExt, (QStringList { "ppt", "pptx", "pptm", "ppsx" }));
        QVERIFY(gcolNoExt.isEmpty());
        for (const GridPicture* picture : { &gPicFailed, &gPicTypeTxt, &gPicTypeDoc, &gPicTypeXls, &gPicTypePpt, &gPicTypeOther })
            QVERIFY(!picture->isNull());
    }
};

TEZ_REGISTER_TEST(FileTypesTest)
#include "test_file_types.moc"
