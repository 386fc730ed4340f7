// The main window's menu bar, context menus and function toolbar, built from tables.
#include "core/frmMain.h"

#include "core/WorkWindowTable.h"
#include "resources/Pictures.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

struct MenuItemSpec {
    const char* name;      // IDM_ name; a name with "SEPERATOR" is a separator
    const char* caption;
    const char* shortcut;  // QKeySequence text, "" for none
    bool hidden;
    bool checked;
};

struct BarSpec {
    const char* name;
    const char* caption;
    bool popup;            // a context menu, not on the menu bar
    std::vector<MenuItemSpec> items;
};

const std::vector<BarSpec>& MenuTable()
{
    static const std::vector<BarSpec> table = {
        {"IDM_FILE", "文件(&F)", false, {
            {"IDM_FILE_OPEN", "添加文件(&O)...", "Ctrl+O", false, false},
            {"IDM_FILE_NEWPCT", "新增词汇表(&N)...", "Ctrl+N", false, false},
            {"IDM_FILE_SAVEAS", "另存为(&A)...", "", false, false},
            {"IDM_FILE_SAVEPCT", "另存词汇表(&A)...", "", false, false},
            {"IDM_FILE_SEPERATOR_2", "-", "", false, false},
            {"IDM_FILE_ITEMINSERT", "汇入词汇(&I)...", "", false, false},
            {"IDM_FILE_SEPERATOR", "-", "", false, false},
            {"IDM_FILE_NEWPRJ", "新建专案(&F)...", "Ctrl+F", false, false},
            {"IDM_FILE_OPENPRJ", "开启旧专案(&P)...", "Ctrl+P", false, false},
            {"IDM_FILE_SAVEPRJ", "保存专案(&Z)", "Ctrl+Z", false, false},
            {"IDM_FILE_SAVEASPRJ", "另存专案为(&W)...", "Ctrl+W", false, false},
            {"IDM_FILE_SEPERATOR_3", "-", "", false, false},
            {"IDM_FILE_RUN", "运行(&R)", "Ctrl+R", false, false},
            {"IDM_FILE_L2R", "繁体用词最佳化(&R)", "", false, false},
            {"IDM_FILE_R2L", "简体用词最佳化(&F)", "", false, false},
            {"IDM_FEIL_SEPERATOR2", "-", "", false, false},
            {"IDM_FILE_EXIT", "退出(&X)", "", false, false},
        }},
        {"IDM_EDIT", "编辑(&E)", false, {
            {"IDM_EDIT_DIRSETTING", "文件信息夹设置(&P)...", "", false, false},
            {"IDM_EDIT_TYPE", "改变转换类型(&T)", "", false, false},
            {"IDM_EDIT_UNDO", "还原(&U)", "", false, false},
            {"IDM_EDIT_MOVEUP", "上移(&U)", "", false, false},
            {"IDM_EDIT_MOVEDOWN", "下移(&D)", "", false, false},
            {"IDM_EDIT_ACTIVE", "使用(&Y)", "", false, false},
            {"IDM_EDIT_DEACTIVE", "不使用(&N)", "", false, false},
            {"IDM_EDIT_SEPERATOR", "-", "", false, false},
            {"IDM_EDIT_ADDITEM", "新增(&A)...", "", false, false},
            {"IDM_EDIT_MODIFY", "更改(&M)...", "", false, false},
            {"IDM_EDIT_CUT", "剪下(&T)", "Ctrl+X", false, false},
            {"IDM_EDIT_COPY", "复制(&C)", "Ctrl+C", false, false},
            {"IDM_EDIT_COPYUNICODE", "复制 UNICODE (&U)", "", false, false},
            {"IDM_EDIT_PASTE", "贴上(&P)", "Ctrl+V", false, false},
            {"IDM_EDIT_INSERT", "插入(&I)", "", false, false},
            {"IDM_EDIT_DELETE", "删除", "Del", false, false},
            {"IDM_EDIT_SELECTALL", "全选(&A)", "Ctrl+A", false, false},
            {"IDM_EDIT_DELETEALL", "全部清除", "", false, false},
            {"IDM_EDIT_CLEARTYPE", "清除转换状态", "", false, false},
            {"IDM_EDIT_SEPERATOR2", "-", "", false, false},
            {"IDM_EDIT_DETECT", "检测(&A)...", "", false, false},
            {"IDM_EDIT_SEARCH", "搜寻(&S)...", "Ctrl+S", false, false},
            {"IDM_EDIT_REPLACE", "替换(&H)...", "Ctrl+H", false, false},
            {"IDM_EDIT_MERGE", "合并(&M)...", "", false, false},
        }},
        {"IDM_VIEW", "查看(&V)", false, {
            {"IDM_VIEW_INFILE", "输入文件(&I)", "", false, false},
            {"IDM_VIEW_OUTFILE", "输出文件(&O)", "", false, false},
        }},
        {"IDM_OPTION", "选项(&O)", false, {
            {"IDM_OPTION_SETTING", "输出信息夹默认(&S)...", "", false, false},
            {"IDM_OPTION_FONTMAP", "字型对映(&F)...", "", true, false},
        }},
        {"IDM_WINDOW", "窗口(&W)", false, {
            {"IDM_WINDOW_DOCCONVERT", "Word转换(&D)", "", false, true},
            {"IDM_WINDOW_XLSCONVERT", "Excel转换(&E)", "", false, false},
            {"IDM_WINDOW_PPTCONVERT", "PowerPointl转换", "", false, false},
            {"IDM_WINDOW_HTMLCONVERT", "HTML转换(&H)", "", false, false},
            {"IDM_WINDOW_PATHCONVERT", "路径转换", "", false, false},
            {"IDM_WINDOW_DBCONVERT", "数据库转换", "", false, false},
            {"IDM_WINDOW_SPECCONVERT", "文件转换", "", false, false},
            {"IDM_WINDOW_ONLINECONVERT", "立即转换(&O)", "", false, false},
            {"IDM_WINDOW_PHRASEMGR", "词汇管理(&P)", "", false, false},
            {"IDM_WINDOW_SCHEDULE", "排程设置", "", false, false},
        }},
        {"IDM_HELP", "帮助(&H)", false, {
            {"IDM_HELP_HELP", "帮助主题(&H)", "", false, false},
            {"IDM_HELP_SEPERATOR", "-", "", false, false},
            {"IDM_HELP_ABOUT", "关于Velmora(&A)...", "", false, false},
        }},
        {"IDM_PCT_RIGHTMOUSE", "PctRightMouse", true, {
            {"IDM_PCT_RIGHTMOUSE_MOVEUP", "上移", "", false, false},
            {"IDM_PCT_RIGHTMOUSE_MOVEDOWN", "下移", "", false, false},
            {"IDM_PCT_RIGHTMOUSE_ACTIVE", "使用", "", false, false},
            {"IDM_PCT_RIGHTMOUSE_DEACTIVE", "不使用", "", false, false},
        }},
        {"IDM_ITEM_RIGHTMOUSE", "ItemRightMouse", true, {
            {"IDM_ITEM_RIGHTMOUSE_ADD", "新增", "", false, false},
            {"IDM_ITEM_RIGHTMOUSE_MODIFY", "更改", "", false, false},
            {"IDM_ITEM_RIGHTMOUSE_ACTIVE", "使用", "", false, false},
            {"IDM_ITEM_RIGHTMOUSE_DEACTIVE", "不使用", "", false, false},
        }},
        {"IDM_SCHED_RIGHTMOUSE", "SchedRightMouse", true, {
            {"IDM_SCHED_RIGHTMOUSE_ADD", "新增", "", false, false},
            {"IDM_SCHED_RIGHTMOUSE_DELETE", "删除", "", false, false},
            {"IDM_SCHED_RIGHTMOUSE_ACTIVE", "使用", "", false, false},
            {"IDM_SCHED_RIGHTMOUSE_DEACTIVE", "不使用", "", false, false},
        }},
    };
    return table;
}

bool IsSeparator(const QString& name) { return name.contains(QLatin1String("SEPERATOR")); }

} // namespace

void FrmMain::BuildMenus()
{
    for (const BarSpec& bar : MenuTable()) {
        const QString barName = QString::fromUtf8(bar.name);
        auto* menu = new QMenu(QString::fromUtf8(bar.caption), this);
        menu->setObjectName(barName);
        menu->menuAction()->setObjectName(barName);
        if (bar.popup)
            m_popups.insert(barName, menu);
        else
            menuBar()->addMenu(menu);
        m_menuItems.insert(barName, menu->menuAction());
        for (const MenuItemSpec& item : bar.items) {
            const QString name = QString::fromUtf8(item.name);
            QAction* action = IsSeparator(name) ? menu->addSeparator()
                                                : menu->addAction(QString::fromUtf8(item.caption));
            action->setObjectName(name);
            if (!IsSeparator(name)) {
                if (*item.shortcut)
                    action->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut)));
                if (barName == QLatin1String("IDM_WINDOW"))
                    action->setCheckable(true);
                action->setChecked(item.checked);
                // Every item passes its own name to the command dispatcher.
                connect(action, &QAction::triggered, this, [this, name] { MenuProc(name); });
            }
            action->setVisible(!item.hidden);
            m_menuItems.insert(name, action);
        }
    }
}

void FrmMain::BuildToolbar()
{
    FuncToolbar = addToolBar(QStringLiteral("FuncToolbar"));
    FuncToolbar->setObjectName(QStringLiteral("FuncToolbar"));
    FuncToolbar->setMovable(false);
    FuncToolbar->setFloatable(false);
    FuncToolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    FuncToolbar->setIconSize(QSize(ToolbarIconSize, ToolbarIconSize));
    FuncToolbar->toggleViewAction()->setEnabled(false);
    auto* group = new QActionGroup(this); // one button pressed at a time
    group->setExclusive(true);
    for (const WorkWindowEntry& entry : WorkWindowTable()) {
        const QString key = QString::fromUtf8(entry.key);
        QAction* button = FuncToolbar->addAction(LoadToolbarIcon(key), QString::fromUtf8(entry.caption));
        button->setObjectName(key);
        button->setCheckable(true);
        button->setToolTip(QString::fromUtf8(entry.tooltip));
        button->setWhatsThis(QString::fromUtf8(entry.description));
        group->addAction(button);
        m_funcButtons.insert(key, button);
        connect(button, &QAction::triggered, this, [this, key] { FuncToolbar_ButtonClick(key); });
    }
}
