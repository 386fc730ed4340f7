#include "batch/dlgFontMap.h"

#include "batch/dlgFontMapEdit.h"
#include "core/FileGrid.h"
#include "platform/FlexGrid.h"
#include "platform/KeyCodes.h"
#include "platform/Modal.h"
#include "platform/Twips.h"
#include "resources/StringTable.h"

#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kTraditionalWidth = 1200;
constexpr int kSimplifiedWidth = 5000;
} // namespace

DlgFontMap& dlgFontMap()
{
    return LoadForm<DlgFontMap>();
}

DlgFontMap::DlgFontMap()
{
    setObjectName(QStringLiteral("dlgFontMap"));
    setWindowTitle(QStringLiteral("字型对映"));
    Label1 = new QLabel(QStringLiteral("因繁体文档与简体文档使用不同的字型，请指定文档转码时对映的字型。"), this);
    Label1->setWordWrap(true);
    lst = new FlexGrid(this);
    lst->setObjectName(QStringLiteral("lst"));
    lst->setMinimumSize(TwipsToPixels(kTraditionalWidth + kSimplifiedWidth + 400), TwipsToPixels(3000));
    cmdAdd = new QPushButton(QStringLiteral("新增"), this);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);

    IDM_EDIT = new QMenu(QStringLiteral("edit"), this);
    IDM_EDIT->setObjectName(QStringLiteral("IDM_EDIT"));
    IDM_EDIT_MODIFY = IDM_EDIT->addAction(QStringLiteral("更改"));
    IDM_EDIT_MODIFY->setObjectName(QStringLiteral("IDM_EDIT_MODIFY"));
    IDM_EDIT_DELETE = IDM_EDIT->addAction(QStringLiteral("删除"));
    IDM_EDIT_DELETE->setObjectName(QStringLiteral("IDM_EDIT_DELETE"));
    IDM_EDIT_ADD = IDM_EDIT->addAction(QStringLiteral("新增"));
    IDM_EDIT_ADD->setObjectName(QStringLiteral("IDM_EDIT_ADD"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(lst, 1, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdAdd);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons, 1, 1);

    connect(cmdAdd, &QPushButton::clicked, this, &DlgFontMap::cmdAdd_Click);
    connect(cmdOK, &QPushButton::clicked, this, &DlgFontMap::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &DlgFontMap::cmdCancel_Click);
    connect(IDM_EDIT_ADD, &QAction::triggered, this, &DlgFontMap::cmdAdd_Click);
    connect(IDM_EDIT_MODIFY, &QAction::triggered, this, &DlgFontMap::lst_DblClick);
    connect(IDM_EDIT_DELETE, &QAction::triggered, this, [this] {
        int key = vbKeyDelete;
        lst_KeyDown(key, 0);
    });
    connect(lst, &FlexGrid::DblClick, this, &DlgFontMap::lst_DblClick);
    connect(lst, &FlexGrid::KeyDown, this, &DlgFontMap::lst_KeyDown);
    connect(lst, &FlexGrid::MouseDown, this, &DlgFontMap::lst_MouseDown);
}

void DlgFontMap::Form_Load()
{
    lst->setCols(2);
    lst->setColWidth(0, kTraditionalWidth);
    lst->setColWidth(1, kSimplifiedWidth);
    lst->setTextMatrix(0, 0, LoadResString(5006));
    lst->setTextMatrix(0, 1, LoadResString(5007));
}

void DlgFontMap::ShowDlg()
{
    lst->setFixedRows(0);
    for (int row = lst->Rows() - 1; row >= 1; --row)
        lst->RemoveItem(row);
    modal::execDialog(*this);
}

void DlgFontMap::cmdAdd_Click()
{
    DlgFontMapEdit::strB5Font.clear();
    DlgFontMapEdit::strGBFont.clear();
    if (!dlgFontMapEdit().ShowDlg())
        return;
    // Cells are written one by one: a name is never split at a Tab.
    lst->AddItem(QString());
    const int row = lst->Rows() - 1;
    lst->setTextMatrix(row, 0, DlgFontMapEdit::strB5Font);
    lst->setTextMatrix(row, 1, DlgFontMapEdit::strGBFont);
    lst->setFixedRows(1);
}

void DlgFontMap::lst_DblClick()
{
    const int row = lst->RowSel();
    if (row == 0)
        return;
    lst->setRow(row);
    DlgFontMapEdit::strB5Font = lst->TextMatrix(row, 0);
    DlgFontMapEdit::strGBFont = lst->TextMatrix(row, 1);
    if (dlgFontMapEdit().ShowDlg()) {
        lst->setTextMatrix(row, 0, DlgFontMapEdit::strB5Font);
        lst->setTextMatrix(row, 1, DlgFontMapEdit::strGBFont);
    }
    lst->setCol(0);
    lst->setColSel(1);
}

void DlgFontMap::lst_KeyDown(int& keyCode, int shift)
{
    FileListDeleteRows(lst, keyCode, shift);
}

void DlgFontMap::lst_MouseDown(int button, int, int, int)
{
    if (button == vbRightButton && lst->Rows() >= 2)
        IDM_EDIT->popup(QCursor::pos());
}

void DlgFontMap::cmdOK_Click()
{
    hide();
    accept();
}

void DlgFontMap::cmdCancel_Click()
{
    hide();
    QDialog::reject();
}

void DlgFontMap::reject()
{
    cmdCancel_Click();
}
