// The window's command strings, undo, the main window's menu and toolbar state, the
// vocabulary optimisations and the main window's shortcuts.
#include "InstantTestSupport.h"
#include "common/TestMain.h"

#include "core/Globals.h"
#include "platform/ModalScript.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include <QApplication>
#include <QSignalSpy>

class TestMenuCommands : public InstantTestBase {
    Q_OBJECT

private slots:
    void clearAllUndoUndo_data()
    {
        QTest::addColumn<QString>("side");
        QTest::newRow("Traditional side") << QStringLiteral("B5");
        QTest::newRow("Simplified side") << QStringLiteral("GB");
    }

    void clearAllUndoUndo()
    {
        QFETCH(QString, side);
        Type(w().edtGB, QStringLiteral("软件"));
        w().strSide = side;
        w().MenuProc(QStringLiteral("IDM_EDIT_DELETEALL"));
        QCOMPARE(w().edtB5->toPlainText(), QString());
        QCOMPARE(w().edtGB->toPlainText(), QString());
        w().MenuProc(QStringLiteral("IDM_EDIT_UNDO"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("軟件"));
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("软件"));
        w().MenuProc(QStringLiteral("IDM_EDIT_UNDO"));
        QCOMPARE(w().edtB5->toPlainText(), QString());
        QCOMPARE(w().edtGB->toPlainText(), QString());
    }

    void undoAfterTypingUsesTheBoxUndo()
    {
        Type(w().edtGB, QStringLiteral("头发"));
        w().strUndo = QStringLiteral("kept");
        Select(w().edtGB, 1, 1);
        w().edtGB->insertPlainText(QStringLiteral("件"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("頭件"));
        w().MenuProc(QStringLiteral("IDM_EDIT_UNDO"));
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("头发"));
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("頭髮"));
        QCOMPARE(w().strUndo, QStringLiteral("kept"));
    }

    void textCommandsFollowTheTraditionalBox_data()
    {
        QTest::addColumn<QString>("menuItem");
        QTest::addColumn<QString>("button");
        QTest::newRow("Save as") << QStringLiteral("IDM_FILE_SAVEAS") << QStringLiteral("SAVEAS");
        QTest::newRow("Traditional optimisation") << QStringLiteral("IDM_FILE_L2R") << QStringLiteral("REVERSECONVERT");
        QTest::newRow("Simplified optimisation") << QStringLiteral("IDM_FILE_R2L") << QStringLiteral("PHRASECONVERT");
        QTest::newRow("Find") << QStringLiteral("IDM_EDIT_SEARCH") << QStringLiteral("SEARCH");
        QTest::newRow("Replace") << QStringLiteral("IDM_EDIT_REPLACE") << QString();
        QTest::newRow("Select all") << QStringLiteral("IDM_EDIT_SELECTALL") << QStringLiteral("SELECTALL");
        QTest::newRow("Clear all") << QStringLiteral("IDM_EDIT_DELETEALL") << QStringLiteral("DELETEALL");
    }

    void textCommandsFollowTheTraditionalBox()
    {
        QFETCH(QString, menuItem);
        QFETCH(QString, button);
        w().MenuProc(QStringLiteral("IDM_NOTHING"));
        QVERIFY(!MenuItem(menuItem)->isEnabled());
        if (!button.isEmpty())
            QVERIFY(!w().tbOnlineButton(button)->isEnabled());
        Type(w().edtGB, QStringLiteral("软件"));
        QVERIFY(MenuItem(menuItem)->isEnabled());
        if (!button.isEmpty())
            QVERIFY(w().tbOnlineButton(button)->isEnabled());
    }

    void selectionEnablesClipboardCommands()
    {
        const QStringList items = {QStringLiteral("IDM_EDIT_COPY"), QStringLiteral("IDM_EDIT_COPYUNICODE"),
                                   QStringLiteral("IDM_EDIT_CUT"), QStringLiteral("IDM_EDIT_DELETE")};
        Type(w().edtGB, QStringLiteral("软件"));
        w().EnableMenu();
        for (const QString& item : items)
            QVERIFY2(!MenuItem(item)->isEnabled(), qPrintable(item));
        QVERIFY(!w().tbOnlineButton(QStringLiteral("CUT"))->isEnabled());
        Select(w().edtB5, 0, 1);
        w().EnableMenu();
        for (const QString& item : items)
            QVERIFY2(MenuItem(item)->isEnabled(), qPrintable(item));
        QVERIFY(w().tbOnlineButton(QStringLiteral("CUT"))->isEnabled());
        QVERIFY(w().tbOnlineButton(QStringLiteral("COPY"))->isEnabled());
        QVERIFY(MenuItem(QStringLiteral("IDM_EDIT_PASTE"))->isEnabled());
        QVERIFY(w().tbOnlineButton(QStringLiteral("OPEN"))->isEnabled());
    }

    void undoIsEnabledWhileSomethingCanBeUndone()
    {
        w().EnableMenu();
        QVERIFY(!MenuItem(QStringLiteral("IDM_EDIT_UNDO"))->isEnabled());
        QVERIFY(!w().tbOnlineButton(QStringLiteral("UNDO"))->isEnabled());
        Type(w().edtGB, QStringLiteral("软件"));
        w().MenuProc(QStringLiteral("IDM_EDIT_DELETEALL"));
        QVERIFY(MenuItem(QStringLiteral("IDM_EDIT_UNDO"))->isEnabled());
        QVERIFY(w().tbOnlineButton(QStringLiteral("UNDO"))->isEnabled());
    }

    void showMenuSetsTheMainWindow_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("visible");
        for (const char* name : {"IDM_FILE_OPEN", "IDM_FILE_SAVEAS", "IDM_FILE_L2R", "IDM_FILE_R2L", "IDM_FILE_SAVEPRJ",
                                 "IDM_EDIT_UNDO", "IDM_EDIT_COPYUNICODE", "IDM_EDIT_PASTE", "IDM_EDIT_SEARCH",
                                 "IDM_EDIT_REPLACE"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        for (const char* name : {"IDM_FILE_NEWPCT", "IDM_FILE_RUN", "IDM_EDIT_DIRSETTING", "IDM_EDIT_MOVEUP",
                                 "IDM_EDIT_ADDITEM", "IDM_EDIT_MERGE", "IDM_VIEW", "IDM_OPTION"})
            QTest::newRow(name) << QString::fromLatin1(name) << false;
    }

    void showMenuSetsTheMainWindow()
    {
        QFETCH(QString, item);
        QFETCH(bool, visible);
        w().ShowMenu();
        QCOMPARE(MenuItem(item)->isVisible(), visible);
        QCOMPARE(MenuItem(QStringLiteral("IDM_FILE_OPEN"))->text(), QStringLiteral("添加文件(&O)..."));
        QVERIFY(MenuItem(QStringLiteral("IDM_WINDOW_ONLINECONVERT"))->isChecked());
        QVERIFY(!MenuItem(QStringLiteral("IDM_WINDOW_DOCCONVERT"))->isChecked());
        QCOMPARE(frmMain().StatusPanel1->text(), QStringLiteral("立即转换"));
    }

    void commandsShowTheHourglass()
    {
        Type(w().edtGB, QStringLiteral("abc"));
        SetMousePointer(vbDefault);
        int during = -1;
        ModalScript script;
        script.answerDialog([&](QDialog&) { during = MousePointer(); });
        w().MenuProc(QStringLiteral("IDM_EDIT_SEARCH"));
        QCOMPARE(during, vbHourglass);
        QCOMPARE(MousePointer(), vbDefault);
    }

    void commandNamesAreComparedExactly_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("lower case") << QStringLiteral("idm_edit_deleteall");
        QTest::newRow("trailing blank") << QStringLiteral("IDM_EDIT_DELETEALL ");
        QTest::newRow("unknown") << QStringLiteral("IDM_FILE_RUN");
    }

    void commandNamesAreComparedExactly()
    {
        QFETCH(QString, command);
        Type(w().edtGB, QStringLiteral("软件"));
        w().MenuProc(command);
        QCOMPARE(w().edtB5->toPlainText(), QStringLiteral("軟件"));
        QVERIFY(w().strUndo.isEmpty());
    }

    void vocabularyOptimisation_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("simplified");
        QTest::newRow("繁体用词最佳化") << QStringLiteral("IDM_FILE_L2R") << QStringLiteral("B5") << QStringLiteral("軟件")
                                 << QStringLiteral("軟體") << QStringLiteral("软体");
        QTest::newRow("繁体用词最佳化 from the Simplified box")
            << QStringLiteral("IDM_FILE_L2R") << QStringLiteral("GB") << QStringLiteral("軟件") << QStringLiteral("軟體")
            << QStringLiteral("软体");
        QTest::newRow("简体用词最佳化") << QStringLiteral("IDM_FILE_R2L") << QStringLiteral("B5") << QStringLiteral("軟體")
                                 << QStringLiteral("軟件") << QStringLiteral("软件");
    }

    void vocabularyOptimisation()
    {
        QFETCH(QString, command);
        QFETCH(QString, side);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, simplified);
        Type(w().edtB5, before);
        w().edtB5->document()->clearUndoRedoStacks(); // as if the text had been opened
        w().strSide = side;
        w().MenuProc(command);
        const QString traditionalAfter = w().edtB5->toPlainText();
        const QString simplifiedAfter = w().edtGB->toPlainText();
        QCOMPARE(w().strUndo, before);
        w().MenuProc(QStringLiteral("IDM_EDIT_UNDO"));
        QCOMPARE(w().edtB5->toPlainText(), before);
        QCOMPARE(traditionalAfter, after);
        QCOMPARE(simplifiedAfter, simplified);
    }

    // Each optimisation button runs the command its tooltip names.
    void optimisationButtons_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("REVERSECONVERT") << QStringLiteral("REVERSECONVERT") << QStringLiteral("繁体用词最佳化")
                                        << QStringLiteral("軟件") << QStringLiteral("軟體");
        QTest::newRow("PHRASECONVERT") << QStringLiteral("PHRASECONVERT") << QStringLiteral("简体用词最佳化")
                                       << QStringLiteral("軟體") << QStringLiteral("軟件");
    }

    void optimisationButtons()
    {
        QFETCH(QString, key);
        QFETCH(QString, tooltip);
        QFETCH(QString, before);
        QFETCH(QString, after);
        Type(w().edtB5, before);
        QCOMPARE(w().tbOnlineButton(key)->toolTip(), tooltip);
        w().tbOnlineButton(key)->trigger();
        QCOMPARE(w().edtB5->toPlainText(), after);
    }

    // Ctrl+Z is the main window's project save, not the box's own undo.
    void menuShortcutsWinOverTheBoxes()
    {
        gvPrjFile = m_dir->filePath(QStringLiteral("project.wpp"));
        ModalScript script;
        FrmMain& main = frmMain();
        main.show();
        QApplication::setActiveWindow(&main);
        QVERIFY(QTest::qWaitForWindowActive(&main));
        Type(w().edtGB, QStringLiteral("abc"));
        w().edtGB->setFocus();
        QSignalSpy saves(MenuItem(QStringLiteral("IDM_FILE_SAVEPRJ")), &QAction::triggered);
        QTest::keyClick(w().edtGB, Qt::Key_Z, Qt::ControlModifier);
        main.hide();
        QCOMPARE(saves.count(), 1);
        QVERIFY(QFile::exists(gvPrjFile));
        QCOMPARE(w().edtGB->toPlainText(), QStringLiteral("abc"));
    }
};

TEZ_REGISTER_TEST(TestMenuCommands)
#include "test_menu_commands.moc"
