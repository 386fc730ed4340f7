#include "instant/frmOnlineConv.h"

#include "batch/StatusText.h"
#include "core/Err.h"
#include "core/Log.h"
#include "core/frmMain.h"
#include "instant/TezText.h"
#include "instant/dlgDbOrUni.h"
#include "instant/dlgFileType.h"
#include "instant/dlgReplaceText.h"
#include "instant/dlgSearchText.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/Modal.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "resources/Pictures.h"
#include "resources/StringTable.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextCursor>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>

namespace {

const QString kB5 = QStringLiteral("B5");

// The toolbar of the window: key, tooltip and command; an empty key is a separator.
// The two optimisation buttons run the command whose menu caption their tooltip names.
struct ToolbarButton {
    const char* key;
    const char* tooltip;
    const char* command;
};
const ToolbarButton kToolbar[] = {
    {"OPEN", "添加文件", "IDM_FILE_OPEN"},
    {"SAVEAS", "另存为", "IDM_FILE_SAVEAS"},
    {"", "", ""},
    {"CUT", "剪下", "IDM_EDIT_CUT"},
    {"COPY", "复制", "IDM_EDIT_COPY"},
    {"PASTE", "贴上", "IDM_EDIT_PASTE"},
    {"", "", ""},
    {"UNDO", "还原", "IDM_EDIT_UNDO"},
    {"", "", ""},
    {"SELECTALL", "全选", "IDM_EDIT_SELECTALL"},
    {"DELETEALL", "全部清除", "IDM_EDIT_DELETEALL"},
    {"", "", ""},
    {"SEARCH", "搜寻/替换", "IDM_EDIT_SEARCH"},
    {"", "", ""},
    {"REVERSECONVERT", "繁体用词最佳化", "IDM_FILE_L2R"},
    {"PHRASECONVERT", "简体用词最佳化", "IDM_FILE_R2L"},
};

// Captions of the encoding question for the Traditional box.
const QString kAskB5Paste = QStringLiteral("正从剪贴板或文件拖曳之内码是是繁体 BIG5 或 繁体 UNICODE?");
const QString kAskB5Key = QStringLiteral("正从剪贴板或文件拖曳之内码是繁体 BIG5 或 繁体 UNICODE?");

// Runs one step of a command; a step that fails is skipped and the command goes on.
void Step(const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
    }
}

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

void SetMenuChecked(const QStringList& names, bool checked)
{
    for (const QString& name : names)
        Step([&] {
            QAction* item = frmMain().Menu(name);
            item->setCheckable(true);
            item->setChecked(checked);
        });
}

// True when a key of the boxes is a shortcut of one of the main window's commands, which
// then wins over the box's own use of the key (Ctrl+Z saves the project here).
bool IsCommandShortcut(const QWidget* box, const QKeyEvent* key)
{
    const QKeySequence pressed(key->keyCombination());
    const QWidget* top = box->window();
    for (const QAction* action : top->findChildren<QAction*>())
        if (action->isEnabled() && action->isVisible() && action->shortcuts().contains(pressed))
            return true;
    return false;
}

QList<QUrl> DroppedFiles(const QMimeData* data)
{
    QList<QUrl> files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files.append(url);
    return files;
}

} // namespace

FrmOnlineConv::FrmOnlineConv(QWidget* parent) : WorkWindow(parent)
{
    setObjectName(QStringLiteral("frmOnlineConv"));
    setWindowTitle(LoadResString(8002));

    tbOnline = new QToolBar(this);
    tbOnline->setObjectName(QStringLiteral("tbOnline"));
    BuildToolbar();

    Picture1 = new QWidget(this);
    labB5 = new QLabel(QStringLiteral("繁体文字区"), Picture1);
    labGB = new QLabel(QStringLiteral("简体文字区"), Picture1);
    wndSplit = new QSplitter(Qt::Vertical, Picture1);
    wndSplit->setObjectName(QStringLiteral("wndSplit"));
    wndSplit->setChildrenCollapsible(false);
    edtB5 = new QPlainTextEdit(wndSplit);
    edtGB = new QPlainTextEdit(wndSplit);
    edtB5->setObjectName(QStringLiteral("edtB5"));
    edtGB->setObjectName(QStringLiteral("edtGB"));
    for (QPlainTextEdit* box : {edtB5, edtGB}) {
        box->setLineWrapMode(QPlainTextEdit::NoWrap);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setAcceptDrops(true);
        box->installEventFilter(this);
        box->viewport()->installEventFilter(this);
        // Selections made with the mouse or the keyboard re-evaluate the commands.
        connect(box, &QPlainTextEdit::selectionChanged, this, &FrmOnlineConv::EnableMenuWhenCurrent);
        connect(box, &QPlainTextEdit::undoAvailable, this, &FrmOnlineConv::EnableMenuWhenCurrent);
    }
    connect(edtB5, &QPlainTextEdit::textChanged, this, &FrmOnlineConv::edtB5_Change);
    connect(edtGB, &QPlainTextEdit::textChanged, this, &FrmOnlineConv::edtGB_Change);

    auto* work = new QVBoxLayout(Picture1);
    work->setContentsMargins(0, 0, 0, 0);
    work->setSpacing(0);
    work->addWidget(labB5);
    work->addWidget(wndSplit, 1);
    work->addSpacing(TwipsToPixels(25));
    work->addWidget(labGB);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tbOnline);
    layout->addWidget(Picture1, 1);
}

FrmOnlineConv::~FrmOnlineConv() = default;

void FrmOnlineConv::BuildToolbar()
{
    for (const ToolbarButton& button : kToolbar) {
        const QString key = QString::fromLatin1(button.key);
        if (key.isEmpty()) {
            m_tbItems.append(tbOnline->addSeparator());
            continue;
        }
        QAction* action = tbOnline->addAction(QString::fromUtf8(button.tooltip));
        action->setObjectName(key);
        action->setToolTip(QString::fromUtf8(button.tooltip));
        Step([&] { action->setIcon(LoadToolbarIcon(key)); });
        connect(action, &QAction::triggered, this, [this, key] { tbOnline_ButtonClick(key); });
        m_tbItems.append(action);
        m_tbButtons.insert(key, action);
    }
}

QAction* FrmOnlineConv::tbOnlineButton(int position) const
{
    return position >= 1 && position <= m_tbItems.size() ? m_tbItems.at(position - 1) : nullptr;
}

QAction* FrmOnlineConv::tbOnlineButton(const QString& key) const
{
    return m_tbButtons.value(key);
}

void FrmOnlineConv::tbOnline_ButtonClick(const QString& key)
{
    for (const ToolbarButton& button : kToolbar)
        if (key == QLatin1String(button.key) && !key.isEmpty()) {
            MenuProc(QString::fromLatin1(button.command));
            return;
        }
}

void FrmOnlineConv::Form_Load()
{
    BecomeClientChild();
    bConverting = false;
    strSide = kB5;
    // Fonts that show each script's own glyph forms.
    QFont traditional = edtB5->font();
    traditional.setFamilies({QStringLiteral("Noto Sans CJK TC"), QStringLiteral("AR PL UMing TW"), traditional.family()});
    traditional.setPointSizeF(11.25);
    edtB5->setFont(traditional);
    QFont simplified = edtGB->font();
    simplified.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN"), simplified.family()});
    simplified.setPointSizeF(11.25);
    edtGB->setFont(simplified);
    // The main window shows the window when it becomes the current one.
}

QPlainTextEdit* FrmOnlineConv::SideBox() const
{
    return strSide == kB5 ? edtB5 : edtGB;
}

QPlainTextEdit* FrmOnlineConv::OtherBox() const
{
    return strSide == kB5 ? edtGB : edtB5;
}

void FrmOnlineConv::SetBoxText(QPlainTextEdit* box, const QString& text)
{
    if (box->toPlainText() != text)
        box->setPlainText(text);
}

// ---------------------------------------------------------------------------------------
// Live conversion

namespace {

// Runs one library conversion. A nonzero result or a thrown failure is written to the
// error log under the procedure's name, with a beep; returns true on success.
bool Converted(const QString& procName, const std::function<int()>& call)
{
    int result = 0;
    try {
        result = call();
    } catch (...) {
        ErrorLog(procName);
        return false;
    }
    if (result == 0)
        return true;
    Err().Number = result;
    Err().Description = QStringLiteral("Return : %1").arg(result);
    ErrorLog(procName);
    return false;
}

} // namespace

void FrmOnlineConv::edtB5_Change()
{
    if (bConverting)
        return;
    const QString text = edtB5->toPlainText();
    if (text.isEmpty()) {
        SetBoxText(edtGB, QString());
        return;
    }
    QByteArray gb;
    QString simplified;
    if (Converted(QStringLiteral("edtB5_Change"), [&] { return TezConvertDD(ToBig5(text), 1, 0, gb); }))
        simplified = FromGB(gb);
    // The Simplified text follows from the Traditional box, which keeps the text.
    bConverting = true;
    SetBoxText(edtGB, simplified);
    bConverting = false;
    bFileChanged = true;
    EnableMenu();
}

void FrmOnlineConv::edtGB_Change()
{
    if (bConverting)
        return;
    const QString text = edtGB->toPlainText();
    if (text.isEmpty()) {
        SetBoxText(edtB5, QString());
        return;
    }
    QByteArray big5;
    QString traditional;
    if (Converted(QStringLiteral("edtGB_Change"), [&] { return TezConvertUD(text, 0, 0, big5); }))
        traditional = FromBig5(big5);
    else if (!edtB5->toPlainText().isEmpty())
        strUndo = edtB5->toPlainText(); // Undo brings the emptied Traditional text back
    bConverting = true;
    SetBoxText(edtB5, traditional);
    bConverting = false;
    bFileChanged = true;
    EnableMenu();
}

void FrmOnlineConv::edtB5_GotFocus()
{
    strSide = kB5;
    QTextCursor cursor = edtGB->textCursor();
    cursor.clearSelection();
    edtGB->setTextCursor(cursor);
}

void FrmOnlineConv::edtGB_GotFocus()
{
    strSide = QStringLiteral("GB");
    QTextCursor cursor = edtB5->textCursor();
    cursor.clearSelection();
    edtB5->setTextCursor(cursor);
}

// ---------------------------------------------------------------------------------------
// Keys, focus and drops of the boxes

bool FrmOnlineConv::eventFilter(QObject* watched, QEvent* event)
{
    QPlainTextEdit* box = nullptr;
    for (QPlainTextEdit* candidate : {edtB5, edtGB})
        if (watched == candidate || watched == candidate->viewport())
            box = candidate;
    if (!box)
        return WorkWindow::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn:
        if (box == edtB5)
            edtB5_GotFocus();
        else
            edtGB_GotFocus();
        break;
    case QEvent::ShortcutOverride:
        // Not claimed by the box: the main window's command of that key runs.
        if (IsCommandShortcut(box, static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::KeyPress:
        if (box == edtB5) {
            auto* key = static_cast<QKeyEvent*>(event);
            int shift = 0;
            if (key->modifiers() & Qt::ShiftModifier)
                shift |= 1;
            if (key->modifiers() & Qt::ControlModifier)
                shift |= 2;
            if (key->modifiers() & Qt::AltModifier)
                shift |= 4;
            if (edtB5_KeyDown(key->key(), shift))
                return true;
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!DroppedFiles(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QList<QUrl> files = DroppedFiles(drop->mimeData());
        if (!files.isEmpty()) {
            drop->acceptProposedAction();
            if (box == edtB5)
                edtB5_OLEDragDrop(files);
            else
                edtGB_OLEDragDrop(files);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return WorkWindow::eventFilter(watched, event);
}

bool FrmOnlineConv::AskTraditionalEncoding(const QString& label)
{
    dlgDbOrUni question(this);
    question.Label1->setText(label);
    question.cmdDB->setText(QStringLiteral("繁体 BIG5"));
    question.cmdUnicode->setText(QStringLiteral("繁体 UNICODE"));
    modal::execDialog(question);
    return question.icType == 1;
}

bool FrmOnlineConv::edtB5_KeyDown(int keyCode, int shift)
{
    const bool shiftInsert = shift == 1 && keyCode == Qt::Key_Insert;
    const bool ctrlV = shift == 2 && keyCode == Qt::Key_V;
    if (!shiftInsert && !ctrlV)
        return false;
    // The key's one paste is made here, after the question.
    PasteIntoTraditional(kAskB5Key);
    return true;
}

void FrmOnlineConv::edtB5_OLEDragDrop(const QList<QUrl>& files)
{
    DropFile(edtB5, files);
}

void FrmOnlineConv::edtGB_OLEDragDrop(const QList<QUrl>& files)
{
    DropFile(edtGB, files);
}

void FrmOnlineConv::DropFile(QPlainTextEdit* box, const QList<QUrl>& files)
{
    window()->setFocus();
    if (files.isEmpty())
        return;
    const QString path = files.first().toLocalFile();
    const bool b5 = box == edtB5;

    dlgDbOrUni question(this);
    if (b5) {
        question.Label1->setText(kAskB5Key);
        question.cmdDB->setText(QStringLiteral("繁体 BIG5"));
        question.cmdUnicode->setText(QStringLiteral("繁体 UNICODE"));
    }
    modal::execDialog(question);
    const QString text = question.icType == 0 ? ReadDbcsTextFile(path, b5) : ReadUnicodeTextFile(path, b5);
    if (bReadCancelled)
        return;
    LoadIntoBox(box, text);
    bFileChanged = false;
}

void FrmOnlineConv::LoadIntoBox(QPlainTextEdit* box, const QString& text)
{
    strUndo = edtB5->toPlainText();
    SetBoxText(box, text);
}

// ---------------------------------------------------------------------------------------
// Text files

bool FrmOnlineConv::ConfirmDiscardChanges()
{
    const int answer = MsgBox(LoadResString(2002), vbYesNoCancel + vbQuestion, LoadResString(8002));
    if (answer == vbCancel)
        return false;
    if (answer == vbYes)
        return SaveToFile();
    return true;
}

void FrmOnlineConv::OpenTextFile()
{
    if (bFileChanged && !ConfirmDiscardChanges())
        return;
    bFileChanged = false;

    dlgSave.FileName.clear();
    dlgSave.Flags = cdlOFNHideReadOnly;
    dlgSave.Filter = LoadResString(4016);
    dlgSave.FilterIndex = 1;
    dlgSave.ShowOpen();
    if (dlgSave.Cancelled || dlgSave.FileName.isEmpty())
        return;
    const QString path = dlgSave.FileName;

    const int type = dlgFileType::ShowForm();
    if (type == 0)
        return;
    const bool b5 = type == 1 || type == 2;
    const bool unicode = type == 2 || type == 4;
    const QString text = unicode ? ReadUnicodeTextFile(path, b5) : ReadDbcsTextFile(path, b5);
    if (bReadCancelled)
        return;
    LoadIntoBox(b5 ? edtB5 : edtGB, text);
    bFileChanged = false;
}

QString FrmOnlineConv::ReadDbcsTextFile(const QString& path, bool bB5)
{
    MousePointerKeeper hourglass(vbHourglass);
    if (bFileChanged && !ConfirmDiscardChanges()) {
        bReadCancelled = true;
        return QString();
    }
    bReadCancelled = false;
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (...) {
        // An unreadable file changes nothing.
        ErrorLog(QStringLiteral("ReadDbcsTextFile"));
        bReadCancelled = true;
        return QString();
    }
    if (StartsWithUtf16Mark(bytes)) {
        // A Unicode file taken for an 8-bit one: its text, not its bytes.
        eFileEncoding = EightBitEncoding::CodePage;
        return TextFromFileLines(DecodeUnicodeFileText(bytes));
    }
    EightBitEncoding encoding = EightBitEncoding::CodePage;
    const QString text = TextFromFileLines(DecodeEightBitText(bytes, bB5, &encoding));
    eFileEncoding = encoding;
    return text;
}

QString FrmOnlineConv::ReadUnicodeTextFile(const QString& path, bool bB5)
{
    MousePointerKeeper hourglass(vbHourglass);
    bReadCancelled = false;
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (...) {
        ErrorLog(QStringLiteral("ReadUnicodeTextFile"));
        bReadCancelled = true;
        return QString();
    }
    const QString unicode = TextFromFileLines(DecodeUnicodeFileText(bytes));
    eFileEncoding = EightBitEncoding::CodePage;
    if (unicode.isEmpty())
        return QString();
    // The text as the receiving box's code holds it: Big5 (mode 2) or GB (mode 3).
    QByteArray eightBit;
    if (!Converted(QStringLiteral("ReadUnicodeTextFile"), [&] { return TezConvertUD(unicode, bB5 ? 2 : 3, 0, eightBit); })) {
        // A failed conversion leaves both boxes as they are.
        bReadCancelled = true;
        return QString();
    }
    return bB5 ? FromBig5(eightBit) : FromGB(eightBit);
}

bool FrmOnlineConv::SaveToFile()
{
    if (edtB5->toPlainText().isEmpty()) {
        MsgBox(LoadResString(1005), vbOKOnly, LoadResString(8002));
        return false;
    }
    dlgSave.Flags = cdlOFNHideReadOnly;
    dlgSave.Filter = LoadResString(4016);
    dlgSave.FilterIndex = 1;
    dlgSave.ShowSave();
    // Nothing was saved: whoever asked for the save must not go on as after one.
    if (dlgSave.Cancelled || dlgSave.FileName.isEmpty())
        return false;

    const bool b5 = strSide == kB5;
    const QString lines = FileLinesFromText(b5 ? edtB5->toPlainText() : edtGB->toPlainText());
    QByteArray bytes;
    switch (eFileEncoding) {
    case EightBitEncoding::Utf8Bom:
        bytes = QByteArray("\xEF\xBB\xBF") + lines.toUtf8();
        break;
    case EightBitEncoding::Utf8:
        bytes = lines.toUtf8();
        break;
    case EightBitEncoding::CodePage:
        bytes = b5 ? ToBig5(lines) : ToGB(lines);
        break;
    }
    try {
        WriteWholeFile(dlgSave.FileName, bytes);
    } catch (...) {
        ErrorLog(QStringLiteral("SaveToFile"));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Window switching

int FrmOnlineConv::ExitOnlineConv()
{
    UnloadForm<dlgSearchText>();
    UnloadForm<dlgReplaceText>();
    return 0;
}

// ---------------------------------------------------------------------------------------
// Menus and commands

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
    SetMenuChecked({QStringLiteral("IDM_WINDOW_ONLINECONVERT")}, true);
    SetMenuChecked({QStringLiteral("IDM_WINDOW_DOCCONVERT"), QStringLiteral("IDM_WINDOW_XLSCONVERT"),
                    QStringLiteral("IDM_WINDOW_PPTCONVERT"), QStringLiteral("IDM_WINDOW_SPECCONVERT"),
                    QStringLiteral("IDM_WINDOW_HTMLCONVERT"), QStringLiteral("IDM_WINDOW_PHRASEMGR"),
                    QStringLiteral("IDM_WINDOW_PATHCONVERT"), QStringLiteral("IDM_WINDOW_SCHEDULE"),
                    QStringLiteral("IDM_WINDOW_DBCONVERT")},
                   false);
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
    for (int position : {2, 15, 16, 13, 10, 11})
        tbOnlineButton(position)->setEnabled(hasText);

    const bool selection = (edtGB->textCursor().hasSelection() || edtB5->textCursor().hasSelection()) && hasText;
    SetMenuEnabled({QStringLiteral("IDM_EDIT_COPY"), QStringLiteral("IDM_EDIT_COPYUNICODE"),
                    QStringLiteral("IDM_EDIT_CUT"), QStringLiteral("IDM_EDIT_DELETE")},
                   selection);
    for (int position : {4, 5})
        tbOnlineButton(position)->setEnabled(selection);

    const bool canUndo = !strUndo.isEmpty() || SideBox()->document()->isUndoAvailable();
    SetMenuEnabled({QStringLiteral("IDM_EDIT_UNDO")}, canUndo);
    tbOnlineButton(8)->setEnabled(canUndo);
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
    QPlainTextEdit* other = OtherBox();
    QTextCursor none = other->textCursor();
    none.clearSelection();
    other->setTextCursor(none);
}

void FrmOnlineConv::Paste()
{
    if (strSide != kB5)
        edtGB->paste();
    else
        PasteIntoTraditional(kAskB5Paste);
}

void FrmOnlineConv::PasteIntoTraditional(const QString& question)
{
    if (!AskTraditionalEncoding(question)) {
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

FrmOnlineConv& frmOnlineConv()
{
    return LoadForm<FrmOnlineConv>();
}
