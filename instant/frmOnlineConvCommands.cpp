// The instant window's menus and commands: the main window's menu state, the command
// strings, undo, the vocabulary optimisations and the clipboard.
#include "instant/frmOnlineConv.h"

#include "core/StatusText.h"
#include "core/frmMain.h"
#include "instant/CommandSteps.h"
#include "core/TezText.h"
#include "instant/dlgDbOrUni.h"
#include "instant/dlgReplaceText.h"
#include "instant/dlgSearchText.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/MousePointer.h"
#include "resources/StringTable.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace {

// The selected text of a box, with its line breaks as "\n".
QString SelectedText(const QPlainTextEdit* box)
{
    QString text = box->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void SetMenuVisible(const QStringList& names, bool visible)
{
    for (const QString& name : names)
        Step([&] { frmMain().Menu(name)->setVisible(visible); });
}

void SetMenuEnabled(const QStringList& names, bool enabled)
{
    for (const QString& name : names)
        Step([&] { frmMain().Menu(name)->setEnabled(enabled); });
}

} // namespace

void FrmOnlineConv::ShowMenu()
{
    SetMenuVisible({QStringLiteral("IDM_FILE_OPEN"), QStringLiteral("IDM_FILE_SAVEAS"),
                    QStringLiteral("IDM_FILE_SEPERATOR"), QStringLiteral("IDM_FILE_L2R"),
                    QStringLiteral("IDM_FILE_R2L"), QStringLiteral("IDM_FEIL_SEPERATOR2"),
                    QStringLiteral("IDM_FILE_EXIT"), QStringLiteral("IDM_FILE_NEWPRJ"),
                    QStringLiteral("IDM_FILE_OPENPRJ"), QStringLiteral("IDM_FILE_SAVEPRJ"),
                    QStringLiteral("IDM_FILE_SAVEASPRJ"), QStringLiteral("IDM_FILE_SEPERATOR_3"),
                    QStringLiteral("IDM_EDIT_UNDO"), QStringLiteral("IDM_EDIT_SEPERATOR"),
                    QStringLiteral("IDM_EDIT_CUT"), QStringLiteral("IDM_EDIT_COPY"),
                    QStringLiteral("IDM_EDIT_COPYUNICODE"), QStringLiteral("IDM_EDIT_PASTE"),
                    QStringLiteral("IDM_EDIT_DELETE"), QStringLiteral("IDM_EDIT_SELECTALL"),
                    QStringLiteral("IDM_EDIT_DELETEALL"), QStringLiteral("IDM_EDIT_SEPERATOR2"),
                    QStringLiteral("IDM_EDIT_SEARCH"), QStringLiteral("IDM_EDIT_REPLACE")},
                   true);
    SetMenuVisible({QStringLiteral("IDM_FILE_NEWPCT"), QStringLiteral("IDM_FILE_SAVEPCT"),
                    QStringLiteral("IDM_FILE_RUN"), QStringLiteral("IDM_FILE_ITEMINSERT"),
                    QStringLiteral("IDM_FILE_SEPERATOR_2"), QStringLiteral("IDM_EDIT_DIRSETTING"),
                    QStringLiteral("IDM_EDIT_TYPE"), QStringLiteral("IDM_EDIT_MOVEUP"),
                    QStringLiteral("IDM_EDIT_MOVEDOWN"), QStringLiteral("IDM_EDIT_ACTIVE"),
                    QStringLiteral("IDM_EDIT_DEACTIVE"), QStringLiteral("IDM_EDIT_CLEARTYPE"),
                    QStringLiteral("IDM_EDIT_DETECT"), QStringLiteral("IDM_EDIT_MERGE"),
                    QStringLiteral("IDM_EDIT_ADDITEM"), QStringLiteral("IDM_EDIT_MODIFY"),
                    QStringLiteral("IDM_EDIT_INSERT"), QStringLiteral("IDM_VIEW"),
                    QStringLiteral("IDM_OPTION")},
                   false);
    Step([] { frmMain().Menu(QStringLiteral("IDM_FILE_OPEN"))->setText(LoadResString(8008)); });
    Step([] { CheckWindowMenuItem("IDM_WINDOW_ONLINECONVERT"); });
    Step([] { SetStatusText(LoadResString(8002)); });
    EnableMenu();
}

void FrmOnlineConv::EnableMenu()
{
    const bool hasText = !edtB5->document()->isEmpty();
    SetMenuEnabled({QStringLiteral("IDM_FILE_SAVEAS"), QStringLiteral("IDM_FILE_L2R"),
                    QStringLiteral("IDM_FILE_R2L"), QStringLiteral("IDM_EDIT_SEARCH"),
                    QStringLiteral("IDM_EDIT_REPLACE"), QStringLiteral("IDM_EDIT_SELECTALL"),
                    QStringLiteral("IDM_EDIT_DELETEALL")},
                   hasText);
    for (const char* key : {"SAVEAS", "REVERSECONVERT", "PHRASECONVERT", "SEARCH", "SELECTALL", "DELETEALL"})
        tbOnlineButton(QLatin1String(key))->setEnabled(hasText);

    const bool selection = (edtGB->textCursor().hasSelection() || edtB5->textCursor().hasSelection()) && hasText;
    SetMenuEnabled({QStringLiteral("IDM_EDIT_COPY"), QStringLiteral("IDM_EDIT_COPYUNICODE"),
                    QStringLiteral("IDM_EDIT_CUT"), QStringLiteral("IDM_EDIT_DELETE")},
                   selection);
    for (const char* key : {"CUT", "COPY"})
        tbOnlineButton(QLatin1String(key))->setEnabled(selection);

    const bool canUndo = !strUndo.isEmpty() || SideBox()->document()->isUndoAvailable();
    SetMenuEnabled({QStringLiteral("IDM_EDIT_UNDO")}, canUndo);
    tbOnlineButton(QStringLiteral("UNDO"))->setEnabled(canUndo);
}

void FrmOnlineConv::EnableMenuWhenCurrent()
{
    if (IsFormLoaded<FrmMain>() && frmMain().ActiveForm == this)
        EnableMenu();
}

void FrmOnlineConv::MenuProc(const QString& cmd)
{
    MousePointerKeeper hourglass(vbHourglass);

    if (cmd == QLatin1String("IDM_FILE_OPEN")) {
        Step([&] { OpenTextFile(); });
    } else if (cmd == QLatin1String("IDM_FILE_SAVEAS")) {
        Step([&] { SaveToFile(); });
    } else if (cmd == QLatin1String("IDM_FILE_L2R")) {
        Step([&] { ConvertVocabulary(-1); });
    } else if (cmd == QLatin1String("IDM_FILE_R2L")) {
        Step([&] { ConvertVocabulary(0); });
    } else if (cmd == QLatin1String("IDM_EDIT_UNDO")) {
        Step([&] { Undo(); });
    } else if (cmd == QLatin1String("IDM_EDIT_CUT")) {
        strUndo.clear();
        Step([&] { SideBox()->cut(); });
    } else if (cmd == QLatin1String("IDM_EDIT_COPY")) {
        strUndo.clear();
        Step([&] { SideBox()->copy(); });
    } else if (cmd == QLatin1String("IDM_EDIT_COPYUNICODE")) {
        strUndo.clear();
        Step([&] { CopyUnicode(); });
    } else if (cmd == QLatin1String("IDM_EDIT_PASTE")) {
        strUndo.clear();
        Step([&] { Paste(); });
    } else if (cmd == QLatin1String("IDM_EDIT_DELETE")) {
        strUndo.clear();
        Step([&] {
            QTextCursor cursor = SideBox()->textCursor();
            cursor.removeSelectedText();
            SideBox()->setTextCursor(cursor);
        });
    } else if (cmd == QLatin1String("IDM_EDIT_SELECTALL")) {
        Step([&] { SelectAll(); });
    } else if (cmd == QLatin1String("IDM_EDIT_DELETEALL")) {
        strUndo = edtB5->toPlainText();
        Step([&] { SetBoxText(edtB5, QString()); });
    } else if (cmd == QLatin1String("IDM_EDIT_SEARCH")) {
        strUndo = edtB5->toPlainText();
        dlgSearchText::txtBox = SideBox();
        Step([] { dlgSearchText::FindString(); });
    } else if (cmd == QLatin1String("IDM_EDIT_REPLACE")) {
        strUndo = edtB5->toPlainText();
        dlgReplaceText::txtBox = SideBox();
        Step([] { dlgReplaceText::ReplaceString(); });
    }

    Step([&] { EnableMenu(); });
}

void FrmOnlineConv::ConvertVocabulary(int direction)
{
    const QString text = edtB5->toPlainText();
    strUndo = text;
    if (text.isEmpty())
        return;
    QByteArray big5;
    // A failed conversion leaves the text as it is.
    if (Converted(QStringLiteral("MenuProc"), [&] { return TezConvertDD(ToBig5(text), 2, direction, big5); }))
        SetBoxText(edtB5, FromBig5(big5));
}

void FrmOnlineConv::Undo()
{
    QPlainTextEdit* box = SideBox();
    if (box->document()->isUndoAvailable()) {
        box->undo();
        return;
    }
    const QString kept = edtB5->toPlainText();
    SetBoxText(edtB5, strUndo);
    strUndo = kept;
}

void FrmOnlineConv::SelectAll()
{
    QPlainTextEdit* side = SideBox();
    QTextCursor all = side->textCursor();
    all.select(QTextCursor::Document);
    side->setTextCursor(all);
    ClearSelection(OtherBox());
}

void FrmOnlineConv::Paste()
{
    if (SideBox() != edtB5)
        edtGB->paste();
    else
        PasteIntoTraditional(kAskB5Paste);
}

void FrmOnlineConv::PasteIntoTraditional(const QString& question)
{
    if (AskDbOrUni(this, question) != 1) {
        edtB5->paste();
        return;
    }
    // Unicode: the clipboard's text goes in as the Big5 side holds it, and the whole
    // Traditional text goes back on the clipboard.
    if (!ClipboardHasText())
        return;
    Step([&] { ConvertClipboard(); });
    Step([&] { edtB5->paste(); });
    MenuProc(QStringLiteral("IDM_EDIT_SELECTALL"));
    MenuProc(QStringLiteral("IDM_EDIT_COPYUNICODE"));
    QTextCursor cursor = edtB5->textCursor();
    cursor.setPosition(cursor.selectionStart());
    edtB5->setTextCursor(cursor);
}

void FrmOnlineConv::CopyUnicode()
{
    QPlainTextEdit* box = SideBox();
    const QString selected = SelectedText(box);
    QString unicode;
    if (box == edtGB) {
        unicode = selected;
    } else if (!selected.isEmpty()) {
        QString converted;
        if (Converted(QStringLiteral("MenuProc"), [&] { return TezConvertDU(ToBig5(selected), 2, 0, converted); }))
            unicode = converted;
    }
    ClipboardSetText(unicode + QStringLiteral("\r\n"));
}

void FrmOnlineConv::ConvertClipboard()
{
    // No text on the clipboard: nothing to convert, and the clipboard stays as it is.
    bool hasText = false;
    Step([&] { hasText = ClipboardHasText(); });
    if (!hasText)
        return;
    QString text;
    Step([&] { text = ClipboardGetText(); });
    QByteArray big5;
    // A failed conversion leaves the clipboard's text as it is.
    if (!Converted(QStringLiteral("ConvertClipboard"), [&] { return TezConvertUD(text, 2, 0, big5); }))
        return;
    const QString converted = FromBig5(big5);
    Step([] { ClipboardClear(); });
    Step([&] { ClipboardSetText(converted); });
}
