// What the vocabulary manager tells about table files the library could not read whole or
// could not write, and how it keeps the changes of a table whose save failed.
#include "common/FileBytes.h"
#include "common/TestMain.h"
#include "test_phrase_mgr_fixture.h"

#include "core/UnreadableLines.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"

#include <QDir>
#include <QTest>

namespace {
// While alive, the library is taken to report n unreadable lines for every table.
class UnreadableLinesReported {
public:
    explicit UnreadableLinesReported(int32_t n) : m_saved(UnreadableLineCount())
    {
        UnreadableLineCount() = [n](int32_t) { return n; };
    }
    ~UnreadableLinesReported() { UnreadableLineCount() = m_saved; }

private:
    std::function<int32_t(int32_t)> m_saved;
};
} // namespace

class TestTableFiles : public QObject {
    Q_OBJECT
private slots:
    void unreadableLinesAreToldOncePerTable()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(1)}});
        f.writeTable({"b.pct", NumberedItems(2)});
        UnreadableLinesReported three(3);
        ModalScript script;
        script.answerFile(f.pathOf("b.pct")).answer(vbOK).answer(vbNo);
        f.mgr().MenuProc(QStringLiteral("IDM_FILE_OPEN"));
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.asked().at(1).text,
                 QStringLiteral("词汇表 %1 中有 3 行无法读取，这些行将原样保留。").arg(f.pathOf("b.pct")));
        QCOMPARE(script.asked().at(1).icon, vbExclamation);
        // Leaving loads it again: nothing more is said about b.pct, a.pct is told once.
        script.answer(vbOK);
        f.mgr().ExitPhraseMgr();
        f.mgr().ExitPhraseMgr();
        QCOMPARE(script.unexpected(), 0);
        QCOMPARE(script.messages().filter(QStringLiteral("无法读取")),
                 (QStringList{QStringLiteral("词汇表 %1 中有 3 行无法读取，这些行将原样保留。").arg(f.pathOf("b.pct")),
                              QStringLiteral("词汇表 %1 中有 3 行无法读取，这些行将原样保留。").arg(f.pathOf("a.pct"))}));
    }

    void failedSaveIsToldAndTriedAgain()
    {
        PhraseMgrFixture f({{"a.pct", NumberedItems(1)}});
        const int32_t h = ghPCT[0];
        _TezPCTInsertItem(h, 1, ToSystemCodePage(QStringLiteral("滑鼠")).constData(),
                          ToSystemCodePage(QStringLiteral("鼠标")).constData(), 1);
        // A folder where the table file was: no file can replace it.
        QVERIFY(QFile::remove(f.pathOf("a.pct")));
        QVERIFY(QDir(f.home()).mkdir(QStringLiteral("a.pct")));
        ModalScript script;
        script.answer(vbOK).answer(vbOK).answer(vbOK);
        f.mgr().ExitPhraseMgr();
        QVERIFY(!script.messages().isEmpty());
        QVERIFY(script.messages().first().contains(f.pathOf("a.pct")));
        QCOMPARE(script.asked().first().title, QStringLiteral("词汇管理"));
        int32_t libraryCount = 0;
        _TezGetPCTNum(ghStmt, &libraryCount);
        QCOMPARE(glPCTCount, libraryCount);
        if (glPCTCount == 0)
            QSKIP("the library lets a table go when its save fails");
        QCOMPARE(script.messages().first(),
                 QStringLiteral("无法保存词汇表：\n%1\n改动仍保留，下次离开词汇管理或退出时将再次保存。").arg(f.pathOf("a.pct")));
        QCOMPARE(ghPCT[0], h);
        QCOMPARE(f.tables().Rows(), 2);

        // Once the file can be written, the next leave writes it.
        QVERIFY(QDir(f.home()).rmdir(QStringLiteral("a.pct")));
        ModalScript again;
        f.mgr().ExitPhraseMgr();
        QCOMPARE(again.asked().size(), 0);
        QVERIFY(ReadFileBytes(f.pathOf("a.pct")).contains(QStringLiteral("滑鼠\t鼠标").toUtf8()));
    }
};

TEZ_REGISTER_TEST(TestTableFiles)
#include "test_table_files.moc"
