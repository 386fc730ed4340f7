// Conversion quality on real sentences: where the longest match at a position would take
// apart the phrase that follows, terms typed in mixed scripts, place names, a sentence that
// names a variant character, and the one-to-many characters of Taiwan-standard text; and a
// small parallel corpus converted there and back, measured by its character error rate.
#include "common/TestMain.h"
#include "TezcFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace tezc_test;

namespace {

// Levenshtein distance in UTF-16 units.
int editDistance(const QString& a, const QString& b)
{
    std::vector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j) row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diag = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diag = up;
        }
    }
    return row[b.size()];
}

QStringList corpusLines(const QString& name)
{
    QFile f(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("data/") + name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Character error rate of the conversion of every line against its reference line.
double errorRate(Library& lib, const QStringList& in, const QStringList& reference, int mode)
{
    int errors = 0, total = 0;
    for (int i = 0; i < in.size(); ++i) {
        errors += editDistance(lib.uu(in[i], mode, -1), reference[i]);
        total += int(reference[i].size());
    }
    return total ? double(errors) / total : 1.0;
}

}  // namespace

class TestQuality : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(!dataDir().isEmpty(), "TEZDESK_DATA_DIR is not set"); }

    void sentences_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("expected");
        // The vocabulary term 低级 would take 级 away from the phrase 级别.
        QTest::newRow("low level, vocabulary") << "这是一款低级别产品。" << 0 << -1 << "這是一款低級別產品。";
        QTest::newRow("low level, code") << "这是一款低级别产品。" << 0 << 0 << "這是一款低級別產品。";
        // The code phrase 划分 stays whole beside the vocabulary term 分区.
        QTest::newRow("divide the area") << "我们划分区域。" << 0 << -1 << "我們劃分區域。";
        QTest::newRow("relations good") << "邻里关系好。" << 0 << -1 << "鄰里關係好。";
        QTest::newRow("vessels") << "船只停在港口。" << 0 << -1 << "船隻停在港口。";
        // Place names whose 里 is the character itself.
        QTest::newRow("Maryland") << "他在马里兰州上大学。" << 0 << -1 << "他在馬里蘭州上大學。";
        QTest::newRow("Maryland, code") << "马里兰州" << 0 << 0 << "馬里蘭州";
        QTest::newRow("Mali") << "马里是一个国家。" << 0 << 0 << "馬里是一個國家。";
        QTest::newRow("kilometre") << "一公里外有一家店。" << 0 << -1 << "一公里外有一家店。";
        // Terms typed in mixed scripts.
        QTest::newRow("database, traditional inside") << "请备份数據库。" << 0 << -1 << "請備份資料庫。";
        QTest::newRow("database, simplified inside") << "请备份數据庫。" << 0 << -1 << "請備份資料庫。";
        // A sentence that names a variant character keeps it.
        QTest::newRow("names a character") << "中国曾把碱写作硷" << 0 << 0 << "中國曾把鹼寫作硷";
        QTest::newRow("names a character, vocabulary") << "中国曾把碱写作硷" << 0 << -1 << "中國曾把鹼寫作硷";
        // Taiwan vocabulary toward Simplified: the code phrases 素藉 and 藉由 divide the text
        // before the term 畫素 (pixels); beside 示覆 the term 圖示 yields to the phrase.
        QTest::newRow("pixels") << "畫素藉由" << 1 << -1 << "画素借由";
        QTest::newRow("icon cover") << "圖示覆蓋" << 1 << -1 << "图示复盖";
        // One-to-many characters.
        QTest::newRow("hair") << "他的头发很长，理发师说要剪短。" << 0 << 0 << "他的頭髮很長，理髮師說要剪短。";
        QTest::newRow("issue") << "公司发展得很快，今天发工资了。" << 0 << 0 << "公司發展得很快，今天發工資了。";
        QTest::newRow("only, measure word") << "我只有一只猫。" << 0 << 0 << "我只有一隻貓。";
        QTest::newRow("rinse, charge") << "热水冲茶，冲锋在前，他冲着我笑。" << 0 << 0 << "熱水沖茶，衝鋒在前，他衝著我笑。";
        QTest::newRow("row, divide, plan") << "我们划船去对岸，计划已定。" << 0 << 0 << "我們划船去對岸，計劃已定。";
        QTest::newRow("paint") << "他画了一幅画。" << 0 << 0 << "他畫了一幅畫。";
        QTest::newRow("stand, counter, typhoon") << "请把灯台搬到柜台，台湾的台风很大。" << 0 << 0 << "請把燈臺搬到櫃檯，臺灣的颱風很大。";
        QTest::newRow("inside, neighbour") << "屋里很热，邻里关系好。" << 0 << 0 << "屋裡很熱，鄰里關係好。";
        QTest::newRow("dry, do, cadre") << "衣服晒干了，你在干什么，干部开会。" << 0 << 0 << "衣服曬乾了，你在幹什麼，幹部開會。";
        QTest::newRow("after, empress") << "后来他去了皇后大道。" << 0 << 0 << "後來他去了皇后大道。";
        QTest::newRow("noodles, face") << "我吃了一碗面，面对困难。" << 0 << 0 << "我吃了一碗麵，面對困難。";
        QTest::newRow("loose, pine") << "裤子太松了，松树很高，放松一下。" << 0 << 0 << "褲子太鬆了，松樹很高，放鬆一下。";
        QTest::newRow("system, relation, tie") << "系统出了问题，关系很好，请系好安全带。" << 0 << 0 << "系統出了問題，關係很好，請繫好安全帶。";
        QTest::newRow("clock, surname, love") << "钟表店的钟响了，他姓钟，钟情于她。" << 0 << 0 << "鐘錶店的鐘響了，他姓鍾，鍾情於她。";
        QTest::newRow("one-to-many, vocabulary") << "我吃了一碗面，裤子太松了，系好安全带。" << 0 << -1 << "我吃了一碗麵，褲子太鬆了，繫好安全帶。";
        // Back toward Simplified, every one of them joins its one Simplified form.
        QTest::newRow("t2s one-to-many") << "頭髮發展，一隻船隻，衝鋒沖茶，劃船畫畫，臺灣櫃檯，裡面，乾杯幹部，後來，麵條，鬆樹，繫好關係，鐘錶" << 1 << 0
                                          << "头发发展，一只船只，冲锋冲茶，划船画画，台湾柜台，里面，干杯干部，后来，面条，松树，系好关系，钟表";
    }
    void sentences()
    {
        QFETCH(QString, input);
        QFETCH(int, mode);
        QFETCH(int, flag);
        QFETCH(QString, expected);
        Library lib;
        QCOMPARE(lib.uu(input, mode, flag), expected);
    }

    void roundTripErrorRate()
    {
        const QStringList simp = corpusLines(QStringLiteral("roundtrip_simp.txt"));
        const QStringList trad = corpusLines(QStringLiteral("roundtrip_trad.txt"));
        QVERIFY(!simp.isEmpty());
        QCOMPARE(simp.size(), trad.size());
        Library lib;
        const double toTrad = errorRate(lib, simp, trad, 0);
        QStringList converted;
        for (const QString& line : simp) converted << lib.uu(line, 0, -1);
        const double back = errorRate(lib, converted, simp, 1);
        qInfo("character error rate: S->T %.2f%%, S->T->S %.2f%%", toTrad * 100, back * 100);
        QVERIFY2(toTrad <= 0.03, qPrintable(QString::number(toTrad)));
        QVERIFY2(back <= 0.03, qPrintable(QString::number(back)));
    }
};

TEZ_REGISTER_TEST(TestQuality)
#include "test_quality.moc"
