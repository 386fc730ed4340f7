// The stretches of a paragraph that a conversion changes: only they are replaced, each
// character keeping its run's formatting where the lengths allow.
#include "common/TestMain.h"

#include "platform/office/ChangedSpans.h"

#include <QTest>

using office::ChangedSpan;
using Spans = QList<ChangedSpan>;
using Starts = QList<qsizetype>;

Q_DECLARE_METATYPE(ChangedSpan)
Q_DECLARE_METATYPE(Starts)

namespace {

// before with the spans applied right to left, as a document would get them.
QString Applied(QString before, const Spans& spans)
{
    for (qsizetype i = spans.size() - 1; i >= 0; --i)
        before.replace(spans[i].start, spans[i].length, spans[i].text);
    return before;
}

}  // namespace

class TestChangedSpans : public QObject {
    Q_OBJECT
private slots:
    void spans_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<Starts>("runStarts");
        QTest::addColumn<Spans>("spans");
        const QString grin = QStringLiteral("\U00020BB7");  // outside the BMP
        const QString other = QStringLiteral("\U00020BB8");
        QTest::newRow("unchanged") << QStringLiteral("中文") << QStringLiteral("中文") << Starts{} << Spans{};
        QTest::newRow("empty") << QString() << QString() << Starts{} << Spans{};
        QTest::newRow("one run, one stretch")
            << QStringLiteral("中文文档") << QStringLiteral("中文文件") << Starts{} << Spans{{3, 1, QStringLiteral("件")}};
        QTest::newRow("two stretches around an unchanged character")
            << QStringLiteral("软件和鼠标") << QStringLiteral("軟體和滑鼠") << Starts{}
            << Spans{{0, 2, QStringLiteral("軟體")}, {3, 2, QStringLiteral("滑鼠")}};
        QTest::newRow("split where a run starts (bold then italic)")
            << QStringLiteral("软件") << QStringLiteral("軟體") << Starts{0, 1}
            << Spans{{0, 1, QStringLiteral("軟")}, {1, 1, QStringLiteral("體")}};
        QTest::newRow("run start in an unchanged stretch splits nothing")
            << QStringLiteral("a软件b") << QStringLiteral("a軟體b") << Starts{0, 4} << Spans{{1, 2, QStringLiteral("軟體")}};
        QTest::newRow("longer: one piece from the first change")
            << QStringLiteral("x鼠标y") << QStringLiteral("x滑鼠器y") << Starts{2}
            << Spans{{1, 2, QStringLiteral("滑鼠器")}};
        QTest::newRow("shorter") << QStringLiteral("信息技术") << QStringLiteral("資訊") << Starts{}
                                 << Spans{{0, 4, QStringLiteral("資訊")}};
        QTest::newRow("inserted only") << QStringLiteral("ab") << QStringLiteral("axb") << Starts{}
                                       << Spans{{1, 0, QStringLiteral("x")}};
        QTest::newRow("removed only") << QStringLiteral("axb") << QStringLiteral("ab") << Starts{} << Spans{{1, 1, QString()}};
        QTest::newRow("whole text") << QStringLiteral("体") << QStringLiteral("體") << Starts{} << Spans{{0, 1, QStringLiteral("體")}};
        QTest::newRow("surrogate pair kept whole, same high half")
            << QStringLiteral("a") + grin << QStringLiteral("a") + other << Starts{} << Spans{{1, 2, other}};
        QTest::newRow("surrogate pair kept whole at the end of the common start")
            << grin + QStringLiteral("后") << grin + QStringLiteral("後") << Starts{} << Spans{{2, 1, QStringLiteral("後")}};
        QTest::newRow("pair against a shorter text") << grin + QStringLiteral("x") << other << Starts{}
                                                     << Spans{{0, 3, other}};
    }
    void spans()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(Starts, runStarts);
        QFETCH(Spans, spans);
        const Spans got = office::ChangedSpans(before, after, runStarts);
        QCOMPARE(got, spans);
        QCOMPARE(Applied(before, got), after);
    }

    // Stretches of one run become one replacement; a run start between them or a change of
    // length keeps them apart, and the result is always the converted text.
    void joinedWithinRuns_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<Starts>("runStarts");
        QTest::addColumn<Spans>("spans");
        QTest::newRow("one run: the stretches and what lies between")
            << QStringLiteral("软件和鼠标") << QStringLiteral("軟體和滑鼠") << Starts{0}
            << Spans{{0, 5, QStringLiteral("軟體和滑鼠")}};
        QTest::newRow("a run starting in the unchanged character keeps them apart")
            << QStringLiteral("软件和鼠标") << QStringLiteral("軟體和滑鼠") << Starts{0, 2}
            << Spans{{0, 2, QStringLiteral("軟體")}, {3, 2, QStringLiteral("滑鼠")}};
        QTest::newRow("a run starting with the second stretch keeps them apart")
            << QStringLiteral("软件和鼠标") << QStringLiteral("軟體和滑鼠") << Starts{3}
            << Spans{{0, 2, QStringLiteral("軟體")}, {3, 2, QStringLiteral("滑鼠")}};
        QTest::newRow("runs split inside a word stay split")
            << QStringLiteral("软件") << QStringLiteral("軟體") << Starts{0, 1}
            << Spans{{0, 1, QStringLiteral("軟")}, {1, 1, QStringLiteral("體")}};
        QTest::newRow("unchanged ends stay out")
            << QStringLiteral("a这个b软件c") << QStringLiteral("a這個b軟體c") << Starts{}
            << Spans{{1, 5, QStringLiteral("這個b軟體")}};
    }
    void joinedWithinRuns()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(Starts, runStarts);
        QFETCH(Spans, spans);
        const Spans got = office::JoinedWithinRuns(before, office::ChangedSpans(before, after, runStarts), runStarts);
        QCOMPARE(got, spans);
        QCOMPARE(Applied(before, got), after);
    }

    void spansOfOtherLengthsAreNotJoined()
    {
        const Spans spans{{0, 1, QStringLiteral("ab")}, {2, 1, QStringLiteral("c")}};
        QCOMPARE(office::JoinedWithinRuns(QStringLiteral("xyz"), spans), spans);
    }
};

TEZ_REGISTER_TEST(TestChangedSpans)
#include "test_changed_spans.moc"
