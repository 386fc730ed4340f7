#include "database/frmDBConv.h"

#include "core/BatchRunning.h"
#include "core/ConvTypeChoice.h"
#include "core/FileGrid.h"
#include "core/RowCommands.h"
#include "core/StatusText.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"
#include "platform/KeyCodes.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QToolBar>
#include <QVBoxLayout>

bool gbDBConvLoaded = false;

namespace {

struct ButtonSpec {
    const char* key;
    const char* tooltip;
    const char* command;
    bool separatorBefore;
};

const ButtonSpec kButtons[] = {
    {"OPEN", "添加数据库文件", "IDM_FILE_OPEN", false},
    {"DELETE", "删除", "IDM_EDIT_DELETE", true},
    {"OUTDIR", "输出数据库设置", "IDM_OPTION_SETTING", true},
    {"FILEDIR", "输出信息表名称设置", "IDM_EDIT_DIRSETTING", false},
    {"VIEWIN", "检视输入信息表", "IDM_VIEW_INFILE", true},
    {"VIEWOUT", "检视输出信息表", "IDM_VIEW_OUTFILE", false},
    {"LISTALL", "列出全部文件", "IDM_VIEW_LISTALL", true},
    {"LISTNEW", "只列更改过文件", "IDM_VIEW_LISTNEW", false},
    {"TYPECONV", "改变转换类型", "IDM_EDIT_TYPE", true},
    {"RUN", "开始运行文件转换", "IDM_FILE_RUN", true},
};

const char* const kShown[] = {"IDM_FILE_SEPERATOR", "IDM_FILE_RUN", "IDM_FEIL_SEPERATOR2", "IDM_FILE_EXIT",
                              "IDM_FILE_NEWPRJ", "IDM_FILE_OPENPRJ", "IDM_FILE_SAVEPRJ", "IDM_FILE_SAVEASPRJ",
                              "IDM_FILE_SEPERATOR_3", "IDM_EDIT_SEPERATOR", "IDM_EDIT_DELETE", "IDM_EDIT_SELECTALL",
                              "IDM_EDIT_DELETEALL", "IDM_EDIT_CLEARTYPE", "IDM_VIEW"};
const char* const kHidden[] = {
    "IDM_FILE_NEWPCT", "IDM_FILE_SAVEAS", "IDM_FILE_SAVEPCT", "IDM_FILE_L2R", "IDM_FILE_R2L", "IDM_FILE_ITEMINSERT",
    "IDM_FILE_SEPERATOR_2", "IDM_EDIT_DIRSETTING", "IDM_EDIT_TYPE", "IDM_EDIT_UNDO", "IDM_EDIT_MOVEUP",
    "IDM_EDIT_MOVEDOWN", "IDM_EDIT_ACTIVE", "IDM_EDIT_DEACTIVE", "IDM_EDIT_CUT", "IDM_EDIT_COPY",
    "IDM_EDIT_COPYUNICODE", "IDM_EDIT_PASTE", "IDM_EDIT_SEPERATOR2", "IDM_EDIT_DETECT", "IDM_EDIT_SEARCH",
    "IDM_EDIT_REPLACE", "IDM_EDIT_MERGE", "IDM_EDIT_ADDITEM", "IDM_EDIT_MODIFY", "IDM_EDIT_INSERT", "IDM_OPTION",
    "IDM_OPTION_FONTMAP"};
} // namespace

FrmDBConv& frmDBConv()
{
    return LoadForm<FrmDBConv>();
}

FrmDBConv::FrmDBConv()
{
    setObjectName(QStringLiteral("frmDBConv"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 4, 0);
    tbSQL = NewCommandToolbar(QStringLiteral("tbSQL"));
    for (const ButtonSpec& b : kButtons) {
        if (b.separatorBefore)
            tbSQL->addSeparator();
        const QString key = QString::fromUtf8(b.key);
        m_buttons.insert(key, AddCommandButton(tbSQL, key, QString::fromUtf8(b.tooltip), QString::fromUtf8(b.command)));
    }
    cbCodeConv = new QComboBox(this);
    cbCodeConv->setObjectName(QStringLiteral("cbCodeConv"));
    cbPhraseConv = new QComboBox(this);
    cbPhraseConv->setObjectName(QStringLiteral("cbPhraseConv"));
    cboDBType = new QComboBox(this);
    cboDBType->setObjectName(QStringLiteral("cboDBType"));
    row->addWidget(tbSQL);
    row->addStretch(1);
    row->addWidget(cbCodeConv);
    row->addWidget(cbPhraseConv);
    row->addWidget(cboDBType);
    layout->addLayout(row);
    lstTables = new FlexGrid(this);
    lstTables->setObjectName(QStringLiteral("lstTables"));
    layout->addWidget(lstTables, 1);
    connect(cbCodeConv, &QComboBox::currentIndexChanged, this, [this] { cbCodeConv_Click(); });
    connect(cboDBType, &QComboBox::currentIndexChanged, this, [this] { cboDBType_Click(); });
    connect(lstTables, &FlexGrid::DblClick, this, [this] { MenuProc(QStringLiteral("IDM_EDIT_DIRSETTING")); });
    connect(lstTables, &FlexGrid::KeyDown, this, [this](int& keyCode, int shift) {
        FileListDeleteRows(lstTables, keyCode, shift);
        EnableMenu();
    });
    connect(lstTables, &FlexGrid::OLEDragDrop, this, [this](const QStringList& files) { lstTables_OLEDragDrop(files); });
}

void FrmDBConv::Form_Load()
{
    BecomeClientChild();
    frmMain().Menu(QStringLiteral("IDM_EDIT"))->setVisible(true);
    dlgMDBFile.DialogTitle = LoadResString(4028);
    dlgMDBFile.Filter = QStringLiteral("MDB Files (*.mdb;*.accdb)|*.mdb;*.accdb|");
    dlgMDBFile.DefaultExt = QStringLiteral("mdb");
    lstTables->setCols(5);
    lstTables->setRows(1);
    lstTables->setOLEDropMode(flexOLEDropManual);
    const int widths[] = {800, 800, 5000, 5000, 1};
    for (int c = 0; c < 5; ++c)
        lstTables->setColWidth(c, widths[c]);
    lstTables->setStretchLastCol(true);
    for (int c = 0; c < 4; ++c)
        lstTables->setTextMatrix(0, c, LoadResString(5008 + c));
    FillCodeConv(cbCodeConv);
    cbCodeConv->setCurrentIndex(0);
    cbPhraseConv->setCurrentIndex(0);
    cboDBType->addItem(LoadResString(6101));
    cboDBType->addItem(LoadResString(6102));
    cboDBType->setCurrentIndex(0);
    gbDBConvLoaded = true;
}

void FrmDBConv::cbCodeConv_Click()
{
    RefillPhraseConv(cbCodeConv->currentIndex(), cbPhraseConv);
}

void FrmDBConv::cboDBType_Click()
{
    if (IsFormLoaded<FrmDBConv>() && isVisible())
        SetStatusText(cboDBType->currentText());
}

QString FrmDBConv::TypeCode() const
{
    if (cboDBType->currentText() == LoadResString(6101))
        return QStringLiteral("ACCESS");
    if (cboDBType->currentText() == LoadResString(6102))
        return QStringLiteral("SQL7");
    return QString();
}

void FrmDBConv::ShowMenu()
{
    QAction* open = MainMenu("IDM_FILE_OPEN");
    open->setVisible(true);
    open->setText(LoadResString(8005));
    for (const char* name : kShown)
        MainMenu(name)->setVisible(true);
    for (const char* name : kHidden)
        MainMenu(name)->setVisible(false);
    CheckWindowMenuItem("IDM_WINDOW_DBCONVERT");
    SetStatusText(cboDBType->currentText());
    EnableMenu();
    for (const char* key : {"LISTALL", "LISTNEW", "TYPECONV"})
        ToolbarButton(QString::fromUtf8(key))->setVisible(false);
}

void FrmDBConv::EnableMenu()
{
    const bool rows = lstTables->Rows() > 1;
    EnableRowCommands(rows, m_buttons);
    // Renaming goes through the toolbar and the double-click; the menu item stays off.
    MainMenu("IDM_EDIT_DIRSETTING")->setEnabled(false);
}

void FrmDBConv::lstTables_OLEDragDrop(const QStringList& files)
{
    if (gbBatchRunning || files.isEmpty())
        return;
    const QString type = TypeCode();
    if (files.size() >= 2) {
        MsgBox(QStringLiteral("只能选择一个MDB档作转换"));
        return;
    }
    if (type != QLatin1String("ACCESS")) {
        MsgBox(QStringLiteral("不是MDB转换选项"));
        return;
    }
    {
        MousePointerKeeper hourglass(vbHourglass);
        OpenAccessSource(files.first());
    }
    EnableMenu();
}
