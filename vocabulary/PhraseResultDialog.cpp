#include "vocabulary/PhraseResultDialog.h"

#include "core/mTezC.h"
#include "platform/FlexGrid.h"
#include "resources/StringTable.h"
#include "core/LoadedTableList.h"
#include "vocabulary/PhraseMgrSupport.h"
#include "vocabulary/PlacedControl.h"
#include "vocabulary/dlgPhraseEdit.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QCursor>
#include <QMenu>

namespace {
constexpr int vbRightButton = 2;
} // namespace

void PhraseResultDialog::CreateResultGrid(int left, int top, int width, int height)
{
    lst = Placed(new FlexGrid(this), "lst", left, top, width, height);
}

void PhraseResultDialog::SetupResultColumns()
{
    struct Column {
        int header;
        int width;
    };
    static constexpr Column columns[] = {{5001, 800}, {5002, 500}, {5004, 1200}, {5003, 1200}, {5005, 8000}};
    lst->setFixedRows(0);
    lst->setRows(1);
    lst->setCols(5);
    for (int c = 0; c < 5; ++c) {
        lst->setColWidth(c, columns[c].width);
        lst->setTextMatrix(0, c, LoadResString(columns[c].header));
    }
}

void PhraseResultDialog::CreateItemMenu()
{
    IDM_EDIT = new QMenu(QStringLiteral("edit"), this);
    IDM_EDIT->setObjectName(QStringLiteral("IDM_EDIT"));
    IDM_EDIT_ACTIVE = IDM_EDIT->addAction(QStringLiteral("使用"));
    IDM_EDIT_ACTIVE->setObjectName(QStringLiteral("IDM_EDIT_ACTIVE"));
    IDM_EDIT_DEACTIVE = IDM_EDIT->addAction(QStringLiteral("不使用"));
    IDM_EDIT_DEACTIVE->setObjectName(QStringLiteral("IDM_EDIT_DEACTIVE"));
    IDM_EDIT_MODIFY = IDM_EDIT->addAction(QStringLiteral("更改"));
    IDM_EDIT_MODIFY->setObjectName(QStringLiteral("IDM_EDIT_MODIFY"));

    connect(IDM_EDIT_ACTIVE, &QAction::triggered, this, [this] { IDM_EDIT_ACTIVE_Click(); });
    connect(IDM_EDIT_DEACTIVE, &QAction::triggered, this, [this] { IDM_EDIT_DEACTIVE_Click(); });
    connect(IDM_EDIT_MODIFY, &QAction::triggered, this, [this] { IDM_EDIT_MODIFY_Click(); });
    connect(lst, &FlexGrid::MouseDown, this, [this](int button, int shift, int x, int y) { lst_MouseDown(button, shift, x, y); });
}

void PhraseResultDialog::IDM_EDIT_ACTIVE_Click() { SetStatus(true); }

void PhraseResultDialog::IDM_EDIT_DEACTIVE_Click() { SetStatus(false); }

void PhraseResultDialog::lst_MouseDown(int button, int, int, int)
{
    if (button == vbRightButton && lst->Rows() > 1)
        IDM_EDIT->popup(QCursor::pos());
}

void PhraseResultDialog::cmdCancel_Click() { reject(); }

void PhraseResultDialog::reject()
{
    m_closedWithOK = false;
    QDialog::reject();
}

void PhraseResultDialog::ClearResultRows()
{
    lst->setFixedRows(0);
    for (int r = lst->Rows() - 1; r >= 1; --r)
        lst->RemoveItem(r);
}

void PhraseResultDialog::SetRowInUse(int row, bool active)
{
    lst->setRow(row);
    const int32_t word = lst->RowData(row);
    lst->setRowData(row, active ? (word | kRowInUse) : (word & ~kRowInUse));
    frmPhraseMgr().DrawCellPicture(lst, row);
}

bool PhraseResultDialog::EditItemTerms(const QString& tablePath, QString& simp, QString& trad)
{
    const int32_t table = FindLoadedTable(tablePath);
    if (table < 0)
        return false;
    DlgPhraseEdit::strFrom = simp;
    DlgPhraseEdit::strTo = trad;
    DlgPhraseEdit::spct = static_cast<int16_t>(table);
    if (!dlgPhraseEdit().LoadForm())
        return false;
    simp = DlgPhraseEdit::strFrom;
    trad = DlgPhraseEdit::strTo;
    return true;
}

void PhraseResultDialog::WriteItemBack(int32_t hPct, int32_t index, bool listedInUse, bool inUse,
                                       const ShownTerm& listedTrad, const QString& trad, const ShownTerm& listedSimp,
                                       const QString& simp)
{
    if (inUse != listedInUse)
        _TezPCTEnableItem(hPct, index, inUse ? -1 : 0);
    const std::optional<QByteArray> trad8 = TermForLibrary(trad, listedTrad);
    const std::optional<QByteArray> simp8 = TermForLibrary(simp, listedSimp);
    // A term the library cannot take leaves the item's terms as they were.
    if (!trad8 || !simp8)
        return;
    if (*trad8 != listedTrad.original || *simp8 != listedSimp.original)
        _TezPCTModifyItem(hPct, index, trad8->constData(), simp8->constData());
}
