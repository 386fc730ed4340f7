#include "vocabulary/frmPhraseMgr.h"

#include "core/StatusText.h"
#include "core/Log.h"
#include "core/frmMain.h"
#include "platform/CommonDialog.h"
#include "platform/FlexGrid.h"
#include "platform/KeyCodes.h"
#include "platform/ProgramFolder.h"
#include "platform/Twips.h"
#include "resources/Pictures.h"
#include "resources/StringTable.h"
#include "core/LoadedTableList.h"
#include "vocabulary/PhraseMgrSupport.h"

#include <QAction>
#include <QApplication>
#include <QResizeEvent>
#include <QSplitter>
#include <QToolBar>

#include <utility>

namespace {
struct ToolbarButtonDef {
    const char* key;     // nullptr: a separator
    const char* tooltip;
    const char* command; // what the button gives MenuProc
};

// The toolbar from the left; the keyed buttons take pictures 1 to 14 in this order.
const ToolbarButtonDef kToolbarButtons[] = {
    {"OPEN", "添加词汇表", "IDM_FILE_OPEN"},
    {"ADDITEM", "新增项目", "IDM_EDIT_ADDITEM"},
    {nullptr, nullptr, nullptr},
    {"MOVEUP", "上移", "IDM_EDIT_MOVEUP"},
    {"MOVEDOWN", "下移", "IDM_EDIT_MOVEDOWN"},
    {nullptr, nullptr, nullptr},
    {"ACTIVE", "使用", "IDM_EDIT_ACTIVE"},
    {"DEACTIVE", "不使用", "IDM_EDIT_DEACTIVE"},
    {nullptr, nullptr, nullptr},
    {"DELETE", "删除", "IDM_EDIT_DELETE"},
    {nullptr, nullptr, nullptr},
    {"DETECT", "暧昧检测", "IDM_EDIT_DETECT"},
    {"SEARCH", "搜寻/替换", "IDM_EDIT_SEARCH"},
    {"MERGE", "合并", "IDM_EDIT_MERGE"},
    {"MODIFY", "更改", "IDM_EDIT_MODIFY"},
    {"COPY", "复制", "IDM_EDIT_COPY"},
    {"INSERT", "插入", "IDM_EDIT_INSERT"},
    {nullptr, nullptr, nullptr},
    {"lockPCT", "添加专有名词词汇表", "lockPCT"},
};

// The command a toolbar key gives; a key of no button gives itself.
QString CommandOfButton(const QString& key)
{
    for (const ToolbarButtonDef& def : kToolbarButtons) {
        if (def.key && key == QLatin1String(def.key))
            return QString::fromLatin1(def.command);
    }
    return key;
}

// An event handler that no failure leaves: a failure is written to the error log under the
// handler's name (an exception must not cross the toolkit's event dispatch).
template <class Handler>
auto Trapped(const QString& name, Handler handler)
{
    return [name, handler](auto&&... args) {
        try {
            handler(std::forward<decltype(args)>(args)...);
        } catch (...) {
            ErrorLog(name);
        }
    };
}

// The event handlers of one of the manager's two lists.
struct ListHandlers {
    void (FrmPhraseMgr::*Click)();
    void (FrmPhraseMgr::*DblClick)();
    void (FrmPhraseMgr::*KeyDown)(int keyCode, int shift);
    void (FrmPhraseMgr::*MouseDown)(int button, int shift, int x, int y);
    void (FrmPhraseMgr::*GotFocus)();
    void (FrmPhraseMgr::*LostFocus)();
};

// Connects a list's events to its handlers, each trapped under the list's object name and
// the event (lstPCT_Click). Only the Delete key reaches the key handler, and it is used up there.
void ConnectListEvents(FrmPhraseMgr* form, FlexGrid* lst, const ListHandlers& h)
{
    const QString listName = lst->objectName();
    const auto name = [&listName](const char* event) { return listName + QLatin1Char('_') + QLatin1String(event); };
    QObject::connect(lst, &FlexGrid::Click, form, Trapped(name("Click"), [form, h] { (form->*h.Click)(); }));
    QObject::connect(lst, &FlexGrid::DblClick, form, Trapped(name("DblClick"), [form, h] { (form->*h.DblClick)(); }));
    QObject::connect(lst, &FlexGrid::KeyDown, form, Trapped(name("KeyDown"), [form, h](int& keyCode, int shift) {
        if (keyCode == vbKeyDelete) {
            (form->*h.KeyDown)(keyCode, shift);
            keyCode = 0;
        }
    }));
    QObject::connect(lst, &FlexGrid::MouseDown, form, Trapped(name("MouseDown"), [form, h](int b, int s, int x, int y) {
        (form->*h.MouseDown)(b, s, x, y);
    }));
    QObject::connect(lst, &FlexGrid::GotFocus, form, Trapped(name("GotFocus"), [form, h] { (form->*h.GotFocus)(); }));
    QObject::connect(lst, &FlexGrid::LostFocus, form, Trapped(name("LostFocus"), [form, h] { (form->*h.LostFocus)(); }));
}

// Status-bar text for a list's selection: the prefix and the row or the row range.
QString SelectionStatusText(const FlexGrid* lst, int prefixId)
{
    QString rows = QStringLiteral("0");
    if (lst->Rows() > 1) {
        const RowBlock block = SelectedBlock(lst);
        rows = block.first == block.last ? QString::number(block.first)
                                         : QString::number(block.first) + QStringLiteral("-") + QString::number(block.last);
    }
    return LoadResString(prefixId) + rows;
}
} // namespace

QString TableListPath() { return PathJoin(ProgramFolder(), QStringLiteral("PCTS.LST")); }

FrmPhraseMgr& frmPhraseMgr() { return LoadForm<FrmPhraseMgr>(); }

FrmPhraseMgr::FrmPhraseMgr() : dlgOpen(new CommonDialog)
{
    setObjectName(QStringLiteral("frmPhraseMgr"));
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->installEventFilter(this);
    BuildToolbar();
    BuildLists();
}

FrmPhraseMgr::~FrmPhraseMgr() { delete dlgOpen; }

void FrmPhraseMgr::BuildToolbar()
{
    tbPhrase = new QToolBar(Picture1);
    tbPhrase->setObjectName(QStringLiteral("tbPhrase"));
    tbPhrase->setIconSize(QSize(24, 24));
    for (const ToolbarButtonDef& def : kToolbarButtons) {
        if (!def.key) {
            tbPhrase->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(def.key);
        QAction* button = tbPhrase->addAction(LoadToolbarIcon(key), QString::fromUtf8(def.tooltip));
        button->setObjectName(key);
        button->setToolTip(QString::fromUtf8(def.tooltip));
        connect(button, &QAction::triggered, this,
                Trapped(QStringLiteral("tbPhrase_ButtonClick"), [this, key](bool) { tbPhrase_ButtonClick(key); }));
        m_buttons.insert(key, button);
    }
}

void FrmPhraseMgr::BuildLists()
{
    wndSplit = new QSplitter(Qt::Vertical, Picture1);
    wndSplit->setObjectName(QStringLiteral("wndSplit"));
    wndSplit->setChildrenCollapsible(false);

    lstPCT = new FlexGrid(wndSplit);
    lstPCT->setObjectName(QStringLiteral("lstPCT"));
    lstPhrase = new FlexGrid(wndSplit);
    lstPhrase->setObjectName(QStringLiteral("lstPhrase"));
    wndSplit->addWidget(lstPCT);
    wndSplit->addWidget(lstPhrase);
    wndSplit->setStretchFactor(0, 1);
    wndSplit->setStretchFactor(1, 2);

    for (FlexGrid* lst : {lstPCT, lstPhrase}) {
        lst->setSelectionMode(flexSelectionByRow);
        lst->setFocusRect(flexFocusNone);
        lst->setHighLight(flexHighlightNever);
    }

    ConnectListEvents(this, lstPCT,
                      {&FrmPhraseMgr::lstPCT_Click, &FrmPhraseMgr::lstPCT_DblClick, &FrmPhraseMgr::lstPCT_KeyDown,
                       &FrmPhraseMgr::lstPCT_MouseDown, &FrmPhraseMgr::lstPCT_GotFocus, &FrmPhraseMgr::lstPCT_LostFocus});
    ConnectListEvents(this, lstPhrase,
                      {&FrmPhraseMgr::lstPhrase_Click, &FrmPhraseMgr::lstPhrase_DblClick, &FrmPhraseMgr::lstPhrase_KeyDown,
                       &FrmPhraseMgr::lstPhrase_MouseDown, &FrmPhraseMgr::lstPhrase_GotFocus,
                       &FrmPhraseMgr::lstPhrase_LostFocus});
}

void FrmPhraseMgr::Form_Load()
{
    BecomeClientChild();
    try {
        lstPCT->setCols(2);
        lstPCT->setRows(1);
        lstPCT->setFixedRows(1);
        lstPCT->setColWidth(0, 800);
        lstPCT->setTextMatrix(0, 0, LoadResString(5001));
        lstPCT->setTextMatrix(0, 1, LoadResString(5012));

        lstPhrase->setCols(3);
        lstPhrase->setRows(1);
        lstPhrase->setFixedRows(1);
        lstPhrase->setColWidth(0, 800);
        lstPhrase->setColWidth(1, 3000);
        lstPhrase->setTextMatrix(0, 0, LoadResString(5001));
        lstPhrase->setTextMatrix(0, 1, LoadResString(5004));
        lstPhrase->setTextMatrix(0, 2, LoadResString(5003));
        for (FlexGrid* lst : {lstPCT, lstPhrase})
            lst->setColAlignment(0, flexAlignCenterCenter);

        // Let the window paint before the lists are filled.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

        if (PopulatePCTList(lstPCT) >= 1) {
            PopulatePhraseList(lstPhrase);
            SetStatusText(LoadResString(4019) + QStringLiteral("1"));
        } else {
            SetStatusText(LoadResString(4019) + QStringLiteral("0"));
        }

        CurrentList = lstPhrase;
        CurrentListKind = QStringLiteral("PHRASE");
        lstPhrase_GotFocus();
    } catch (...) {
        ErrorLog(QStringLiteral("Form_Load"));
    }
    bManagerLoaded = true;
}

// ---- layout ------------------------------------------------------------------------------

void FrmPhraseMgr::Picture1_Resize()
{
    if (m_inLayout)
        return;
    m_inLayout = true;
    Picture1->setGeometry(0, 0, width(), height());
    const int toolbarHeight = tbPhrase->sizeHint().height();
    tbPhrase->setGeometry(0, 0, width(), toolbarHeight);
    int splitHeight = wndSplit->height();
    if (height() - toolbarHeight > 0)
        splitHeight = height() - toolbarHeight;
    wndSplit->setGeometry(0, toolbarHeight, width(), splitHeight);

    const int splitWidth = PixelsToTwips(width());
    const int pctWidth = splitWidth - lstPCT->ColWidth(0) - 170;
    if (pctWidth > 0)
        lstPCT->setColWidth(1, pctWidth);
    const int phraseWidth = splitWidth - lstPhrase->ColWidth(0) - lstPhrase->ColWidth(1) - 150;
    if (phraseWidth > 0)
        lstPhrase->setColWidth(2, phraseWidth);
    m_inLayout = false;
}

void FrmPhraseMgr::resizeEvent(QResizeEvent* event)
{
    WorkWindow::resizeEvent(event);
    Picture1_Resize();
}

void FrmPhraseMgr::showEvent(QShowEvent* event)
{
    WorkWindow::showEvent(event);
    Picture1_Resize();
}

bool FrmPhraseMgr::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Picture1 && event->type() == QEvent::Resize)
        Picture1_Resize();
    return WorkWindow::eventFilter(watched, event);
}

// ---- list events -------------------------------------------------------------------------

void FrmPhraseMgr::lstPCT_Click() { SetStatusText(SelectionStatusText(lstPCT, 4020)); }

void FrmPhraseMgr::lstPhrase_Click() { SetStatusText(SelectionStatusText(lstPhrase, 4019)); }

void FrmPhraseMgr::lstPCT_DblClick()
{
    const int row = lstPCT->Row();
    if (lstPCT->Rows() <= 1 || row < 1)
        return;
    lstPCT->setCol(0);
    lstPCT->setColSel(lstPCT->Cols() - 1);
    giCurPCT = static_cast<int16_t>(row - 1);
    PopulatePhraseList(lstPhrase);
    SetRowSelected(lstPCT, row);
    if (lstPhrase->isVisible())
        FocusList(lstPhrase);
}

void FrmPhraseMgr::lstPhrase_DblClick() { MenuProc(QStringLiteral("IDM_EDIT_MODIFY")); }

void FrmPhraseMgr::lstPCT_KeyDown(int keyCode, int shift)
{
    if (keyCode == vbKeyDelete)
        MenuProc(QStringLiteral("IDM_EDIT_DELETE"));
}

void FrmPhraseMgr::lstPhrase_KeyDown(int keyCode, int shift)
{
    if (keyCode == vbKeyDelete)
        MenuProc(QStringLiteral("IDM_EDIT_DELETE"));
}

void FrmPhraseMgr::lstPCT_MouseDown(int button, int shift, int x, int y)
{
    ShowListPopup(lstPCT, button, QStringLiteral("IDM_PCT_RIGHTMOUSE"));
}

void FrmPhraseMgr::lstPhrase_MouseDown(int button, int shift, int x, int y)
{
    ShowListPopup(lstPhrase, button, QStringLiteral("IDM_ITEM_RIGHTMOUSE"));
}

void FrmPhraseMgr::ShowListPopup(FlexGrid* lst, int button, const QString& menu)
{
    if (!(button & vbRightButton) || lst->Rows() < 2)
        return;
    if (lst->isVisible())
        FocusList(lst);
    frmMain().ShowPopupMenu(menu);
}

void FrmPhraseMgr::lstPCT_GotFocus()
{
    lstPCT->setHighLight(flexHighlightAlways);
    CurrentList = lstPCT;
    CurrentListKind = QStringLiteral("PCT");
    UpdatePCTToolbar();
}

void FrmPhraseMgr::lstPhrase_GotFocus()
{
    lstPhrase->setHighLight(flexHighlightAlways);
    if (lstPhrase->Rows() > 1)
        SelectRows(lstPhrase, lstPhrase->Row(), lstPhrase->Row());
    CurrentList = lstPhrase;
    CurrentListKind = QStringLiteral("Phrase");
    UpdatePCTToolbar();
    UpdatePhraseToolbar();
}

void FrmPhraseMgr::lstPCT_LostFocus() { lstPCT->setHighLight(flexHighlightNever); }

void FrmPhraseMgr::lstPhrase_LostFocus() { lstPhrase->setHighLight(flexHighlightNever); }

void FrmPhraseMgr::tbPhrase_ButtonClick(const QString& key) { MenuProc(CommandOfButton(key)); }

QAction* FrmPhraseMgr::ToolbarButton(const QString& key) const { return m_buttons.value(key, nullptr); }

void FrmPhraseMgr::FocusList(FlexGrid* lst)
{
    if (!lst->isVisible())
        return;
    lst->SetFocus();
    // A window without the keyboard focus raises no focus event: unless the list already is
    // the active one, run its handler here.
    QWidget* focused = QApplication::focusWidget();
    const bool hasFocus = focused && (focused == lst || lst->isAncestorOf(focused));
    if (!hasFocus && CurrentList != lst) {
        if (lst == lstPCT)
            lstPCT_GotFocus();
        else
            lstPhrase_GotFocus();
    }
}

void FrmPhraseMgr::FocusCurrentList()
{
    if (CurrentList && CurrentList->isVisible())
        FocusList(CurrentList);
}
