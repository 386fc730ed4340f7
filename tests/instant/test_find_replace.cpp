// The find and replace dialogs over a box of the instant window.
#include "InstantTestSupport.h"
#include "common/TestMain.h"

#include "instant/dlgReplaceText.h"
#include "instant/dlgSearchText.h"
#include "platform/ModalScript.h"
#include "platform/MsgBox.h"
#include <QLineEdit>

class TestFindReplace : public InstantTestBase {
    Q_OBJECT

private slots:
    void findNext_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::newRow("first hit") << QStringLiteral("ab ab") << 0 << QStringLiteral("ab") << 1 << QStringList() << 0 << 2;
        QTest::newRow("second hit") << QStringLiteral("ab ab") << 0 << QStringLiteral("ab") << 2 << QStringList() << 3 << 2;
        QTest::newRow("past the last hit") << QStringLiteral("ab ab") << 0 << QStringLiteral("ab") << 3
                                           << QStringList{QStringLiteral("搜寻退出。")} << 0 << 0;
        QTest::newRow("from the start again") << QStringLiteral("ab ab") << 0 << QStringLiteral("ab") << 4
                                              << QStringList{QStringLiteral("搜寻退出。")} << 0 << 2;
        QTest::newRow("no hit from the start") << QStringLiteral("abc") << 0 << QStringLiteral("x") << 1
                                               << QStringList{QStringLiteral("找不到欲搜寻的目标。")} << 0 << 0;
        QTest::newRow("no hit behind the caret") << QStringLiteral("abc") << 2 << QStringLiteral("x") << 1
                                                 << QStringList{QStringLiteral("搜寻退出。")} << 0 << 0;
        QTest::newRow("case matters") << QStringLiteral("ABC") << 0 << QStringLiteral("abc") << 1
                                      << QStringList{QStringLiteral("找不到欲搜寻的目标。")} << 0 << 0;
    }

    void findNext()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, search);
        QFETCH(int, clicks);
        QFETCH(QStringList, messages);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        Type(w().edtGB, text);
        Select(w().edtGB, caret, 0);
        ModalScript script;
        script.answerDialog([&](QDialog& dialog) {
            auto& d = static_cast<dlgSearchText&>(dialog);
            d.txtSearch->setText(search);
            for (int i = 0; i < clicks; ++i)
                d.cmdSearch->click();
            d.cmdCancel->click();
        });
        for (int i = 0; i < messages.size(); ++i)
            script.answer(vbOK);
        w().MenuProc(QStringLiteral("IDM_EDIT_SEARCH"));
        QCOMPARE(script.messages(), messages);
        for (const modal::Request& request : script.asked())
            if (request.kind == modal::Kind::Message) {
                QCOMPARE(request.title, QStringLiteral("搜寻文字"));
                QCOMPARE(request.buttons, vbOKOnly);
                QCOMPARE(request.icon, 0);
            }
        QCOMPARE(SelStart(w().edtGB), selStart);
        QCOMPARE(SelLength(w().edtGB), selLength);
        QCOMPARE(w().strUndo, w().edtB5->toPlainText());
    }

    void findStartsFromTheSelectedWord_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::newRow("a word") << QStringLiteral("ab ab") << 3 << 2;
        // The selection holds a paragraph separator where the box's text has its line break.
        QTest::newRow("over two lines") << QStringLiteral("ab\ncd ab\ncd") << 6 << 5;
    }

    void findStartsFromTheSelectedWord()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        Type(w().edtGB, text);
        Select(w().edtGB, start, length);
        QString field;
        bool fieldSelected = false;
        ModalScript script;
        script.answerDialog([&](QDialog& dialog) {
            auto& d = static_cast<dlgSearchText&>(dialog);
            field = d.txtSearch->text();
            fieldSelected = d.txtSearch->selectedText() == field;
            d.cmdSearch->click();
        });
        w().MenuProc(QStringLiteral("IDM_EDIT_SEARCH"));
        QCOMPARE(field, text.mid(start, length));
        QVERIFY(fieldSelected);
        QCOMPARE(script.messages(), QStringList());
        QCOMPARE(SelStart(w().edtGB), start);
        QCOMPARE(SelLength(w().edtGB), length);
    }

    void emptySearchFieldDisablesTheButtons()
    {
        Type(w().edtGB, QStringLiteral("abc"));
        QList<bool> enabled;
        ModalScript script;
        script.answerDialog([&](QDialog& dialog) {
            auto& d = static_cast<dlgReplaceText&>(dialog);
            d.txtSearch->setText(QStringLiteral("a"));
            d.txtSearch->clear();
            enabled << d.cmdSearch->isEnabled() << d.cmdReplace->isEnabled() << d.cmdReplaceAll->isEnabled();
            d.txtSearch->setText(QStringLiteral("a"));
            enabled << d.cmdSearch->isEnabled() << d.cmdReplace->isEnabled() << d.cmdReplaceAll->isEnabled();
        });
        w().MenuProc(QStringLiteral("IDM_EDIT_REPLACE"));
        QCOMPARE(enabled, (QList<bool>{false, false, false, true, true, true}));
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("traditional");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a by aa") << QStringLiteral("aaa") << QStringLiteral("a") << QStringLiteral("aa")
                                 << QStringLiteral("aaaaaa") << QStringLiteral("aaaaaa")
                                 << QStringList{QStringLiteral("搜寻退出。")};
        QTest::newRow("no hit") << QStringLiteral("abc") << QStringLiteral("x") << QStringLiteral("y")
                                << QStringLiteral("abc") << QStringLiteral("abc")
                                << QStringList{QStringLiteral("找不到欲搜寻的目标。")};
        QTest::newRow("words") << QStringLiteral("发展和发展") << QStringLiteral("发展") << QStringLiteral("头发")
                               << QStringLiteral("头发和头发") << QStringLiteral("頭髮和頭髮")
                               << QStringList{QStringLiteral("搜寻退出。")};
    }

    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        QFETCH(QString, traditional);
        QFETCH(QStringList, messages);
        Type(w().edtGB, text);
        ModalScript script;
        script.answerDialog([&](QDialog& dialog) {
            auto& d = static_cast<dlgReplaceText&>(dialog);
            d.txtSearch->setText(search);
            d.txtReplace->setText(replacement);
            d.cmdReplaceAll->click();
            d.cmdCancel->click();
        });
        for (int i = 0; i < messages.size(); ++i)
            script.answer(vbOK);
        w().MenuProc(QStringLiteral("IDM_EDIT_REPLACE"));
        QCOMPARE(w().edtGB->toPlainText(), result);
        QCOMPARE(script.messages(), messages);
        QCOMPARE(script.asked().last().title, QStringLiteral("替换文字"));
        QCOMPARE(script.unexpected(), 0);
        // The other box follows the replacements.
        QCOMPARE(w().edtB5->toPlainText(), traditional);
    }

    void replaceWithNothingSelected()
    {
        Type(w().edtGB, QStringLiteral("abc"));
        Select(w().edtGB, 1, 0);
        ModalScript script;
        script.answerDialog([&](QDialog& dialog) {
            auto& d = static_cast<dlgReplaceText&>(dialog);
            d.txtSearch->setText(QStringLiteral("b"));
            d.txtReplace->setText(QStringLiteral("x"));
            d.cmdReplace->click();
        });
        script.answer(vbOK);
        w().MenuProc(QStringLiteral("IDM_EDIT_REPLACE"));
        QCOMPARE(script.messages(), QStringList{QStringLiteral("无法替换。")});
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("abc"));
    }

    void findHandsOverToReplace()
    {
        Type(w().edtGB, QStringLiteral("abb"));
        QString handedOver;
        ModalScript script;
        script.answerDialog([](QDialog& dialog) {
            auto& d = static_cast<dlgSearchText&>(dialog);
            d.txtSearch->setText(QStringLiteral("b"));
            d.cmdReplace->click();
        });
        script.answerDialog([&](QDialog& dialog) {
            auto& d = static_cast<dlgReplaceText&>(dialog);
            handedOver = d.txtSearch->text();
            d.txtReplace->setText(QStringLiteral("c"));
            d.cmdReplaceAll->click();
        });
        script.answer(vbOK);
        w().MenuProc(QStringLiteral("IDM_EDIT_SEARCH"));
        QCOMPARE(handedOver, QStringLiteral("b"));
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("acc"));
        QCOMPARE(script.unexpected(), 0);

        // The replace dialog opened directly shows the text handed over last.
        ModalScript again;
        again.answerDialog([&](QDialog& dialog) { handedOver = static_cast<dlgReplaceText&>(dialog).txtSearch->text(); });
        handedOver.clear();
        w().MenuProc(QStringLiteral("IDM_EDIT_REPLACE"));
        QCOMPARE(handedOver, QStringLiteral("b"));
    }
};

TEZ_REGISTER_TEST(TestFindReplace)
#include "test_find_replace.moc"
