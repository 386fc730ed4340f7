#include "vocabulary/dlgMergePCT.h"

#include "core/mTezC.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "platform/Twips.h"
#include "core/Err.h"
#include "core/Log.h"
#include "resources/StringTable.h"
#include "core/LoadedTableList.h"
#include "vocabulary/FocusOutHook.h"
#include "vocabulary/dlgNewPCT.h"
#include "core/PhraseText.h"
#include "vocabulary/PlacedControl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

DlgMergePCT::DlgMergePCT()
{
    setObjectName(QStringLiteral("dlgMergePCT"));
    setWindowTitle(QStringLiteral("合并词汇表"));
    setFixedSize(TwipsToPixels(8400), TwipsToPixels(4200));

    Label1 = Placed(new QLabel(QStringLiteral("新的词汇表名称："), this), "Label1", 240, 240, 1700, 255);
    txtPCTName = Placed(new QLineEdit(this), "txtPCTName", 2040, 200, 4200, 315);
    OnFocusOut(txtPCTName, [this] { txtPCTName_LostFocus(); });

    Label2 = Placed(new QLabel(QStringLiteral("现有的词汇表："), this), "Label2", 240, 720, 1700, 255);
    lstCurrentPCT = Placed(new QListWidget(this), "lstCurrentPCT", 240, 1020, 3300, 2400);

    cmdGet = Placed(new QPushButton(QStringLiteral(">>"), this), "cmdGet", 3720, 1560, 735, 375);
    cmdGet->setAutoDefault(false);
    cmdRemove = Placed(new QPushButton(QStringLiteral("<<"), this), "cmdRemove", 3720, 2160, 735, 375);
    cmdRemove->setAutoDefault(false);

    Label3 = Placed(new QLabel(QStringLiteral("新组合："), this), "Label3", 4620, 720, 1700, 255);
    lstMerge = Placed(new QListWidget(this), "lstMerge", 4620, 1020, 3300, 2400);

    cmdOK = Placed(new QPushButton(QStringLiteral("运行"), this), "cmdOK", 5460, 3600, 1155, 375);
    cmdOK->setDefault(true);
    cmdOK->setEnabled(false);
    cmdCancel = Placed(new QPushButton(QStringLiteral("取消"), this), "cmdCancel", 6765, 3600, 1155, 375);
    cmdCancel->setAutoDefault(false);

    connect(cmdGet, &QPushButton::clicked, this, [this] { cmdGet_Click(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void DlgMergePCT::Form_Load()
{
    // Every loaded table is offered, in priority order, whatever its status.
    lstCurrentPCT->addItems(LoadedTablePaths());
}

bool DlgMergePCT::ShowDlg()
{
    m_ok = false;
    modal::execDialog(*this);
    const bool ok = m_ok;
    // Closing by the title bar is a cancel: no name is reported.
    if (!ok)
        strPCT.clear();
    UnloadForm<DlgMergePCT>();
    return ok;
}

void DlgMergePCT::txtPCTName_LostFocus()
{
    txtPCTName->setText(WithTableExtension(txtPCTName->text()));
}

bool DlgMergePCT::MoveSelectedPath(QListWidget* from, QListWidget* to, int noSelectionMessage)
{
    QListWidgetItem* item = from->currentItem();
    if (!item || !item->isSelected()) {
        MsgBox(LoadResString(noSelectionMessage), vbInformation, windowTitle());
        return false;
    }
    to->addItem(item->text());
    delete from->takeItem(from->row(item));
    return true;
}

void DlgMergePCT::cmdGet_Click()
{
    if (MoveSelectedPath(lstCurrentPCT, lstMerge, 4005))
        cmdOK->setEnabled(true);
}

void DlgMergePCT::cmdRemove_Click()
{
    if (MoveSelectedPath(lstMerge, lstCurrentPCT, 4008) && lstMerge->count() == 0)
        cmdOK->setEnabled(false);
}

namespace {

// Appends the items of a loaded table, as they are now in memory (unsaved edits included),
// with their statuses, to the end of the new table. Returns 0 or the failing result.
int32_t AppendLoadedItems(int32_t hNew, int32_t hSource)
{
    int32_t count = 0;
    if (const int32_t rc = _TezPCTGetItemNum(hSource, &count); rc != 0)
        return rc;
    for (int32_t i = 0; i < count; ++i) {
        const ItemTerms item = FetchItemTerms(
            [&](int32_t*, int32_t*, int32_t* status, char* trad, int32_t* tradLen, char* simp, int32_t* simpLen) {
                return _TezPCTGetItem(hSource, i, trad, tradLen, simp, simpLen, status);
            });
        int32_t position = 0;
        _TezPCTGetItemNum(hNew, &position);
        if (const int32_t rc = _TezPCTInsertItem(hNew, position, item.trad.constData(), item.simp.constData(), item.status); rc != 0)
            return rc;
    }
    return 0;
}

// Appends the items of the table file at path to the end of the new table.
int32_t AppendTableFile(int32_t hNew, const QString& path)
{
    int32_t position = 0;
    _TezPCTGetItemNum(hNew, &position);
    int32_t imported = 0;
    return _TezPCTImport(hNew, position, PathToBytes(path).constData(), &imported);
}

} // namespace

void DlgMergePCT::cmdOK_Click()
{
    txtPCTName_LostFocus();
    const QString name = txtPCTName->text();
    if (name.isEmpty()) {
        MsgBox(LoadResString(4006), vbInformation, windowTitle());
        txtPCTName->setFocus();
        return;
    }
    // A bare name lies in the program folder; the existence test and the library calls use
    // the very path the table is created at.
    const QString path = QDir(ProgramFolder()).absoluteFilePath(name);
    if (QFileInfo::exists(path)) {
        MsgBox(LoadResString(4007), vbInformation, windowTitle());
        txtPCTName->setFocus();
        return;
    }

    int32_t rc = 0;
    try {
        rc = MergeInto(path);
    } catch (...) {
        CaptureCurrentException();
        ErrorLog(QStringLiteral("MergePCT"));
        return;
    }
    if (rc != 0) {
        // Nothing was saved: the library writes a table whole or not at all.
        MsgBox(LoadResString(rc == TEZ_WARN_PARTIAL ? 1003 : 1008) + QStringLiteral("\nReturn : ") + QString::number(rc),
               vbExclamation, windowTitle());
        return;
    }
    strPCT = name;
    m_ok = true;
    accept();
}

namespace {
// The table being merged into: released however the merge ends, and its file removed
// unless the merge completed (the name was free before).
class NewTable {
public:
    explicit NewTable(QString path) : m_path(std::move(path)) {}
    ~NewTable()
    {
        try {
            if (handle != 0)
                _TezUnloadPCT(ghStmt, handle);
        } catch (...) {
        }
        if (!completed)
            QFile::remove(m_path);
    }
    NewTable(const NewTable&) = delete;
    NewTable& operator=(const NewTable&) = delete;

    int32_t handle = 0;
    bool completed = false;

private:
    QString m_path;
};
} // namespace

int32_t DlgMergePCT::MergeInto(const QString& path)
{
    const QByteArray pathBytes = PathToBytes(path);
    NewTable table(path);
    int32_t rc = _TezNewPCT(ghStmt, pathBytes.constData(), &table.handle);
    if (rc != 0 || table.handle == 0)
        return rc != 0 ? rc : TEZ_ERR_HANDLE;
    for (int i = 0; i < lstMerge->count() && rc == 0; ++i) {
        lstMerge->setCurrentRow(i);
        const QString source = lstMerge->item(i)->text();
        const int32_t loaded = FindLoadedTable(source);
        rc = loaded >= 0 ? AppendLoadedItems(table.handle, ghPCT[static_cast<std::size_t>(loaded)])
                         : AppendTableFile(table.handle, source);
    }
    if (rc == 0)
        rc = _TezSavePCT(table.handle, pathBytes.constData(), 0);
    table.completed = rc == 0;
    return rc;
}

void DlgMergePCT::cmdCancel_Click()
{
    m_ok = false;
    strPCT.clear();
    reject();
}

DlgMergePCT& dlgMergePCT() { return LoadForm<DlgMergePCT>(); }
