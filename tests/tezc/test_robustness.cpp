// Every entry refuses bad handles, indexes, lengths and buffers without crashing, and
// fetches never write past the length they are given.
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QTest>

#include <functional>

using namespace tezc_test;

class TestRobustness : public QObject {
    Q_OBJECT

private slots:
    void badHandles()
    {
        Library lib;
        int32_t pct = 0;
        _TezGetPCT(lib.stmt, 0, &pct);
        char a[100] = {}, b[100] = {};
        int32_t la = 100, lb = 100, o1 = 0, o2 = 0, o3 = 0;
        char16_t u[10] = {};
        const char* path = "/tmp/x";
        const char16_t text[] = u"发展";
        using Call = std::function<int32_t(int32_t)>;
        const QList<QPair<const char*, Call>> calls = {
            {"CreateStmt", [&](int32_t h) { return _TezCreateStmt(h, &o1, 1000); }},
            {"LoadCCT", [&](int32_t h) { return _TezLoadCCT(h, 0, tablePath(0).toUtf8().constData(), 0, 0); }},
            {"LoadLST", [&](int32_t h) { return _TezLoadLST(h, path); }},
            {"SaveLST", [&](int32_t h) { return _TezSaveLST(h, path); }},
            {"UnloadLST", [&](int32_t h) { return _TezUnloadLST(h); }},
            {"GetPCTNum", [&](int32_t h) { return _TezGetPCTNum(h, &o1); }},
            {"GetPCT", [&](int32_t h) { return _TezGetPCT(h, 0, &o1); }},
            {"LoadPCT", [&](int32_t h) { return _TezLoadPCT(h, path, &o1); }},
            {"NewPCT", [&](int32_t h) { return _TezNewPCT(h, path, &o1); }},
            {"SavePCT", [&](int32_t h) { return _TezSavePCT(h, path, 0); }},
            {"UnloadPCT stmt", [&](int32_t h) { return _TezUnloadPCT(h, pct); }},
            {"UnloadPCT table", [&](int32_t h) { return _TezUnloadPCT(lib.stmt, h); }},
            {"PCTGetPath", [&](int32_t h) { return _TezPCTGetPath(h, a, &la); }},
            {"GetPCTStatus", [&](int32_t h) { return _TezGetPCTStatus(h, &o1); }},
            {"SetPCTStatus", [&](int32_t h) { return _TezSetPCTStatus(h, 1); }},
            {"PCTGetItemNum", [&](int32_t h) { return _TezPCTGetItemNum(h, &o1); }},
            {"PCTGetItem", [&](int32_t h) { return _TezPCTGetItem(h, 0, a, &la, b, &lb, &o1); }},
            {"PCTInsertItem", [&](int32_t h) { return _TezPCTInsertItem(h, 0, "a", "b", 1); }},
            {"PCTModifyItem", [&](int32_t h) { return _TezPCTModifyItem(h, 0, "a", "b"); }},
            {"PCTEnableItem", [&](int32_t h) { return _TezPCTEnableItem(h, 0, -1); }},
            {"PCTDelItem", [&](int32_t h) { return _TezPCTDelItem(h, 0, 1); }},
            {"PCTImport", [&](int32_t h) { return _TezPCTImport(h, 0, path, &o1); }},
            {"ConvertStringUU", [&](int32_t h) { return _TezConvertStringUU(h, text, 2, 0, 0, &o1); }},
            {"ConvertStringUD", [&](int32_t h) { return _TezConvertStringUD(h, text, 2, 0, 0, &o1); }},
            {"ConvertStringDU", [&](int32_t h) { return _TezConvertStringDU(h, "ab", 2, 0, 0, &o1); }},
            {"ConvertStringDD", [&](int32_t h) { return _TezConvertStringDD(h, "ab", 2, 0, 0, &o1); }},
            {"GetUniLen", [&](int32_t h) { return _TezGetUniLen(h) < 0 ? -1 : 0; }},
            {"GetUniStr", [&](int32_t h) { return _TezGetUniStr(h, u, 10); }},
            {"GetDBLen", [&](int32_t h) { return _TezGetDBLen(h) < 0 ? -1 : 0; }},
            {"GetDBStr", [&](int32_t h) { return _TezGetDBStr(h, a, 10); }},
            {"FileConversion", [&](int32_t h) { return _TezFileConversion(h, path, "/tmp/y", 0, 0, 0); }},
            {"RTF", [&](int32_t h) { return _ConvertStringForRTFFileEx(h, path, "/tmp/y", 0, 0); }},
            {"PhraseSearch", [&](int32_t h) { return _TezPhraseSearch(h, "a", &o1); }},
            {"PhraseSearchTotal", [&](int32_t h) { return _TezPhraseSearchTotalPhraseNum(h, &o1); }},
            {"PhraseSearchGet", [&](int32_t h) { return _TezPhraseSearchGetPhrase(h, 0, &o1, &o2, &o3, a, &la, b, &lb); }},
            {"AmbiguousDetect", [&](int32_t h) { return _TezAmbiguousDetect(h, -1, &o1); }},
            {"AmbiguousSets", [&](int32_t h) { return _TezAmbiguousTotalSetNum(h, &o1) < 0 ? -1 : 0; }},
            {"AmbiguousPhrases", [&](int32_t h) { return _TezAmbiguousTotalPhraseNum(h, &o1) < 0 ? -1 : 0; }},
            {"AmbiguousSetCount", [&](int32_t h) { return _TezAmbiguousGetSetItemCount(h, 0, &o1) < 0 ? -1 : 0; }},
            {"AmbiguousGet", [&](int32_t h) { return _TezAmbiguousGetPhrase(h, 0, 0, &o1, &o2, &o3, a, &la, b, &lb); }},
        };
        // 0, a value never handed out, and a handle of another kind (the environment).
        for (const int32_t bad : {int32_t(0), int32_t(0x7FFF0000), int32_t(-5), lib.env}) {
            for (const auto& [name, call] : calls) {
                if (bad == lib.env && (QByteArray(name) == "CreateStmt" || QByteArray(name) == "LoadCCT")) continue;
                la = lb = 100;
                QVERIFY2(call(bad) != 0, qPrintable(QStringLiteral("%1 with handle %2").arg(name).arg(bad)));
            }
        }
        QVERIFY(_TezCreateEnv(nullptr) != 0);
    }

    void badArguments()
    {
        Library lib;
        int32_t res = 0, h = 0;
        const char16_t text[] = u"发展";
        QVERIFY(_TezConvertStringUU(lib.stmt, text, -1, 0, 0, &res) != 0);
        QVERIFY(_TezConvertStringUU(lib.stmt, nullptr, 2, 0, 0, &res) != 0);
        QVERIFY(_TezConvertStringUU(lib.stmt, text, 2, 4, 0, &res) != 0);
        QVERIFY(_TezConvertStringUU(lib.stmt, text, 2, 0, 0, nullptr) != 0);
        QCOMPARE(_TezConvertStringUD(lib.stmt, nullptr, 0, 2, 0, &res), 0);
        QCOMPARE(_TezGetDBLen(res), 0);
        QVERIFY(_TezFileConversion(lib.stmt, "/tmp/a", "/tmp/b", 16, 0, 0) != 0);
        QVERIFY(_TezFileConversion(lib.stmt, "/tmp/a", "/tmp/b", 0, 4, 0) != 0);
        QVERIFY(_TezFileConversion(lib.stmt, nullptr, "/tmp/b", 0, 0, 0) != 0);
        QVERIFY(_TezLoadPCT(lib.stmt, nullptr, &h) != 0);
        QVERIFY(_TezLoadPCT(lib.stmt, "", &h) != 0);
        _TezGetPCT(lib.stmt, 0, &h);
        char buf[8];
        int32_t zero = 0;
        QVERIFY(_TezPCTGetPath(h, buf, &zero) != 0);
        QVERIFY(_TezPCTGetPath(h, nullptr, &zero) != 0);
        QVERIFY(_TezSetPCTStatus(h, 4) != 0);
        QVERIFY(_TezGetPCT(lib.stmt, -2, &h) != 0);
    }

    void fetchesStayInsideTheirBuffers()
    {
        Library lib;
        int32_t res = 0;
        const QString text = QStringLiteral("发展软件");
        QCOMPARE(_TezConvertStringUD(lib.stmt, u16(text), int32_t(text.size()), 0, 0, &res), 0);
        QCOMPARE(_TezGetDBLen(res), 8);
        // n = 3 cuts inside the second character: one whole character, then a NUL.
        QByteArray buf(16, 'x');
        QCOMPARE(_TezGetDBStr(res, buf.data(), 3), 0);
        QCOMPARE(buf.left(2), big5("發"));
        QCOMPARE(buf.at(2), '\0');
        QCOMPARE(buf.mid(3), QByteArray(13, 'x'));

        QCOMPARE(_TezConvertStringUU(lib.stmt, u16(text), int32_t(text.size()), 0, 0, &res), 0);
        char16_t u[8];
        std::fill(std::begin(u), std::end(u), u'x');
        QCOMPARE(_TezGetUniStr(res, u, 2), 0);
        QCOMPARE(u[1], u'展');
        QCOMPARE(u[2], u'x');

        // An item fetch into small buffers: cut on a character boundary, NUL inside.
        int32_t h = lib.addTable(lib.makeTable("t.pct", {{"資訊軟體", "信息软件"}}), 1);
        QByteArray trad(16, 'x'), simp(16, 'x');
        int32_t tl = 4, sl = 1, status = 0;
        QCOMPARE(_TezPCTGetItem(h, 0, trad.data(), &tl, simp.data(), &sl, &status), 0);
        QCOMPARE(trad.left(4), gb("資") + QByteArray(2, '\0'));
        QCOMPARE(trad.mid(4), QByteArray(12, 'x'));
        QCOMPARE(simp.at(0), '\0');
        QCOMPARE(simp.mid(1), QByteArray(15, 'x'));
        QCOMPARE(tl, 8);
    }

    // Inside a code-converted phrase, one-unit terms follow a term whose value fills the
    // output buffer exactly: every later unit must still land inside the result.
    void longTermThenOneUnitTermsInsideAPhrase()
    {
        Library lib({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, false);
        const QString phrase = QStringLiteral("头发");
        const QString code = lib.uu(phrase, 0, 0);
        QCOMPARE(code.size(), 2);
        const QString tail(4000, QLatin1Char('a'));
        const QString input = phrase + tail;
        // The writer starts with room for the input, an eighth more and 64 units.
        const qsizetype room = input.size() + input.size() / 8 + 64;
        const QString longTerm(room, QLatin1Char('L'));
        QList<Item> items = {{longTerm, code.left(1)}};
        for (qsizetype i = 1; i < code.size(); ++i) items.append({code.mid(i, 1), code.mid(i, 1)});
        lib.addTable(lib.makeTable("long.pct", items), 1);
        int32_t rc = -1;
        QCOMPARE(lib.uu(input, 0, -1, &rc), longTerm + code.mid(1) + tail);
        QCOMPARE(rc, 0);
    }

    void resultKeptUntilNextConversion()
    {
        Library lib;
        int32_t r1 = 0, r2 = 0;
        const char16_t a[] = u"发展";
        QCOMPARE(_TezConvertStringUU(lib.stmt, a, 2, 0, 0, &r1), 0);
        QCOMPARE(_TezGetUniLen(r1), 2);
        QCOMPARE(_TezGetUniLen(r1), 2);
        QCOMPARE(_TezConvertStringUD(lib.stmt, a, 1, 0, 0, &r2), 0);
        QCOMPARE(_TezGetDBLen(r2), 2);
    }

    void resultReadThroughEitherPair()
    {
        Library lib;
        int32_t res = 0;
        // A UTF-16 result read as 8-bit text comes as GB18030.
        const QString text = QStringLiteral("頭髮");
        QCOMPARE(_TezConvertStringDU(lib.stmt, big5(text).constData(), 4, 1, 0, &res), 0);
        QByteArray db(_TezGetDBLen(res), '\0');
        _TezGetDBStr(res, db.data(), int32_t(db.size()));
        QCOMPARE(db, gb("头发"));
        // A Big5 result read as UTF-16 comes decoded.
        QCOMPARE(_TezConvertStringUD(lib.stmt, u16(QStringLiteral("头发")), 2, 0, 0, &res), 0);
        QString u(_TezGetUniLen(res), QChar(0));
        _TezGetUniStr(res, reinterpret_cast<char16_t*>(u.data()), int32_t(u.size()));
        QCOMPARE(u, text);
    }
};

TEZ_REGISTER_TEST(TestRobustness)
#include "test_robustness.moc"
