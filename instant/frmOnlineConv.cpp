#include "instant/frmOnlineConv.h"

#include "instant/CommandSteps.h"
#include "core/TezText.h"
#include "instant/dlgDbOrUni.h"
#include "instant/dlgReplaceText.h"
#include "instant/dlgSearchText.h"
#include "platform/CodePage.h"
#include "platform/DroppedFiles.h"
#include "platform/KeyCodes.h"
#include "platform/Twips.h"
#include "resources/Pictures.h"
#include "resources/StringTable.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextCursor>
#include <QToolBar>
#include <QVBoxLayout>

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

// A box's font that shows a script's own glyph forms: the given families first.
QFont ScriptFont(const QPlainTextEdit* box, const QString& family, const QString& fallback)
{
    QFont font = box->font();
    font.setFamilies({family, fallback, font.family()});
    font.setPointSizeF(11.25);
    return font;
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

FrmOnlineConv::~FrmOnlineConv()
{
    // The boxes outlive this part of the window while it is destroyed: no more handlers.
    edtB5->disconnect(this);
    edtGB->disconnect(this);
}

void FrmOnlineConv::BuildToolbar()
{
    for (const ToolbarButton& button : kToolbar) {
        const QString key = QString::fromLatin1(button.key);
        if (key.isEmpty()) {
            tbOnline->addSeparator();
            continue;
        }
        QAction* action = tbOnline->addAction(QString::fromUtf8(button.tooltip));
        action->setObjectName(key);
        action->setToolTip(QString::fromUtf8(button.tooltip));
        Step([&] { action->setIcon(LoadToolbarIcon(key)); });
        connect(action, &QAction::triggered, this, [this, key] { tbOnline_ButtonClick(key); });
        m_tbButtons.insert(key, action);
    }
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
    edtB5->setFont(ScriptFont(edtB5, QStringLiteral("Noto Sans CJK TC"), QStringLiteral("AR PL UMing TW")));
    edtGB->setFont(ScriptFont(edtGB, QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")));
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

void FrmOnlineConv::edtB5_Change()
{
    if (bConverting)
        return;
    const QString text = edtB5->toPlainText();
    if (text.isEmpty()) {
        ForgetFileOrigin();
        SetBoxText(edtGB, QString());
        return;
    }
    QByteArray gb;
    QString simplified;
    if (Converted(QStringLiteral("edtB5_Change"), [&] { return TezConvertDD(ToBig5(text), 1, 0, gb); }))
        simplified = FromGB(gb);
    // The Simplified text follows from the Traditional box, which keeps the text.
    ShowConvertedText(edtGB, simplified);
}

void FrmOnlineConv::edtGB_Change()
{
    if (bConverting)
        return;
    const QString text = edtGB->toPlainText();
    if (text.isEmpty()) {
        ForgetFileOrigin();
        SetBoxText(edtB5, QString());
        return;
    }
    QByteArray big5;
    QString traditional;
    if (Converted(QStringLiteral("edtGB_Change"), [&] { return TezConvertUD(text, 0, 0, big5); }))
        traditional = FromBig5(big5);
    else if (!edtB5->toPlainText().isEmpty())
        strUndo = edtB5->toPlainText(); // Undo brings the emptied Traditional text back
    ShowConvertedText(edtB5, traditional);
}

void FrmOnlineConv::ShowConvertedText(QPlainTextEdit* box, const QString& text)
{
    bConverting = true;
    SetBoxText(box, text);
    bConverting = false;
    bFileChanged = true;
    EnableMenu();
}

void FrmOnlineConv::ClearSelection(QPlainTextEdit* box)
{
    QTextCursor cursor = box->textCursor();
    cursor.clearSelection();
    box->setTextCursor(cursor);
}

void FrmOnlineConv::edtB5_GotFocus()
{
    strSide = kB5;
    ClearSelection(edtGB);
}

void FrmOnlineConv::edtGB_GotFocus()
{
    strSide = QStringLiteral("GB");
    ClearSelection(edtB5);
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
            if (edtB5_KeyDown(key->key(), VbShiftState(key->modifiers())))
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
        const QStringList files = DroppedFiles(drop->mimeData());
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

bool FrmOnlineConv::edtB5_KeyDown(int keyCode, int shift)
{
    const bool shiftInsert = shift == vbShiftMask && keyCode == Qt::Key_Insert;
    const bool ctrlV = shift == vbCtrlMask && keyCode == Qt::Key_V;
    if (!shiftInsert && !ctrlV)
        return false;
    // The key's one paste is made here, after the question.
    PasteIntoTraditional(kAskB5Key);
    return true;
}

void FrmOnlineConv::edtB5_OLEDragDrop(const QStringList& files)
{
    DropFile(edtB5, files);
}

void FrmOnlineConv::edtGB_OLEDragDrop(const QStringList& files)
{
    DropFile(edtGB, files);
}

// ---------------------------------------------------------------------------------------
// Window switching

int FrmOnlineConv::ExitOnlineConv()
{
    UnloadForm<dlgSearchText>();
    UnloadForm<dlgReplaceText>();
    return 0;
}

FrmOnlineConv& frmOnlineConv()
{
    return LoadForm<FrmOnlineConv>();
}
