// The text literals of formulas: found with their doubled quotes undone, and put back quoted
// again without touching the rest of the formula.
#include "common/TestMain.h"

#include "office/FormulaLiterals.h"

#include <QTest>

class TestFormulaLiterals : public QObject {
    Q_OBJECT
private slots:
    void literalsFoundAndReplaced_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QStringList>("literals");
        QTest::addColumn<QStringList>("replacements");
        QTest::addColumn<QString>("result");
        QTest::newRow("none") << QStringLiteral("=A1+1") << QStringList{} << QStringList{} << QStringLiteral("=A1+1");
        QTest::newRow("two") << QStringLiteral("=IF(A1=\"软件\";\"鼠标\";B1)") << QStringList{"软件", "鼠标"}
                             << QStringList{"軟件", "鼠標"} << QStringLiteral("=IF(A1=\"軟件\";\"鼠標\";B1)");
        QTest::newRow("doubled quote") << QStringLiteral("=\"说\"\"软件\"\"\"&A1") << QStringList{"说\"软件\""}
                                       << QStringList{"說\"軟件\""} << QStringLiteral("=\"說\"\"軟件\"\"\"&A1");
        QTest::newRow("empty literal") << QStringLiteral("=A1&\"\"") << QStringList{""} << QStringList{""}
                                       << QStringLiteral("=A1&\"\"");
        QTest::newRow("sheet name in quotes kept") << QStringLiteral("='软件表'.A1&\"表\"") << QStringList{"表"}
                                                   << QStringList{"錶"} << QStringLiteral("='软件表'.A1&\"錶\"");
    }
    void literalsFoundAndReplaced()
    {
        QFETCH(QString, formula);
        QFETCH(QStringList, literals);
        QFETCH(QStringList, replacements);
        QFETCH(QString, result);
        QCOMPARE(FormulaLiterals(formula), literals);
        QCOMPARE(WithFormulaLiterals(formula, replacements), result);
        QCOMPARE(WithFormulaLiterals(formula, literals), formula);
    }
};

TEZ_REGISTER_TEST(TestFormulaLiterals)
#include "test_formula_literals.moc"
