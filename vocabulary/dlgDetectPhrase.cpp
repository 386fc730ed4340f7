#include "vocabulary/dlgDetectPhrase.h"

#include "core/mTezC.h"
#include "platform/FlexGrid.h"
#include "platform/Modal.h"
#include "platform/Twips.h"
#include "core/LoadedTableList.h"
#include "vocabulary/PhraseMgrSupport.h"
#include "vocabulary/dlgPhraseDetectDir.h"
#include "core/PhraseText.h"
#include "vocabulary/PlacedControl.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

DlgDetectPhrase::DlgDetectPhrase()
{
    setObjectName(QStringLiteral("dlgDetectPhrase"));
    setWindowTitle(QStringLiteral("检测词汇不对称的转换"));
    setFixedSize(TwipsToPixels(8940), TwipsToPixels(4710));

    Label1 = Placed(new QLabel(QStringLiteral("不对称转换共有："), this), "Label1", 960, 240, 1455, 255);
    labGroup = Placed(new QLabel(this), "labGroup", 3240, 240, 615, 255);
    Label2 = Placed(new QLabel(QStringLiteral("组"), this), "Label2", 4080, 240, 255, 255);
    Label3 = Placed(new QLabel(QStringLiteral("所有不对称项目有："), this), "Label3", 960, 600, 1815, 255);
    labNumber = Placed(new QLabel(this), "labNumber", 3240, 600, 735, 255);
    Label4 = Placed(new QLabel(QStringLiteral("个"), this), "Label4", 4080, 600, 255, 255);
    Label5 = Placed(new QLabel(QStringLiteral("不对称转换的第"), this), "Label5", 960, 1080, 1335, 255);
    txtNo = Placed(new QLineEdit(QStringLiteral("1"), this), "txtNo", 2760, 1080, 615, 285);
    txtNo->setReadOnly(true);
    Label6 = Placed(new QLabel(QStringLiteral("组"), this), "Label6", 3720, 1080, 255, 255);

    cmdNext = Placed(new QPushButton(this), "cmdNext", 4560, 1080, 375, 375);
    cmdNext->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    cmdNext->setAutoDefault(false);
    cmdNext->setEnabled(false);
    cmdPrev = Placed(new QPushButton(this), "cmdPrev", 4920, 1080, 375, 375);
    cmdPrev->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdPrev->setAutoDefault(false);
    cmdPrev->setEnabled(false);
    cmdOK = Placed(new QPushButton(QStringLiteral("退出"), this), "cmdOK", 7320, 120, 1215, 375);
    cmdOK->setDefault(true);
    cmdCancel = Placed(new QPushButton(QStringLiteral("取消"), this), "cmdCancel", 7320, 600, 1215, 375);
    cmdCancel->setAutoDefault(false);

    CreateResultGrid(240, 1560, 8535, 3015);
    CreateItemMenu();

    connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
    connect(cmdPrev, &QPushButton::clicked, this, [this] { cmdPrev_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void DlgDetectPhrase::Form_Load()
{
    SetupResultColumns();
}

bool DlgDetectPhrase::ShowDlg()
{
    m_closedWithOK = false;
    _TezAmbiguousDetect(ghStmt, dlgPhraseDetectDir().bDetectB52GB ? -1 : 0, &ghAmbiguous);
    int32_t groups = 0;
    int32_t total = 0;
    _TezAmbiguousTotalSetNum(ghAmbiguous, &groups);
    _TezAmbiguousTotalPhraseNum(ghAmbiguous, &total);
    groups = std::max(groups, 0);
    // Each group's size is asked of the library once, here.
    m_groupSizes.assign(static_cast<std::size_t>(groups), 0);
    for (int32_t g = 0; g < groups; ++g) {
        int32_t entries = 0;
        _TezAmbiguousGetSetItemCount(ghAmbiguous, g, &entries);
        m_groupSizes[static_cast<std::size_t>(g)] = std::max(entries, 0);
    }
    const int32_t largest = groups > 0 ? *std::max_element(m_groupSizes.begin(), m_groupSizes.end()) : 0;
    labGroup->setText(QString::number(groups));
    labNumber->setText(QString::number(total));
    if (groups > 0) {
        cmdNext->setEnabled(true);
        cmdPrev->setEnabled(true);
    }
    LoadAmbiguousGroups(groups, largest);
    GetAmbiguousGroup(0);

    modal::execDialog(*this);
    const bool ok = m_closedWithOK;
    UnloadForm<DlgDetectPhrase>();
    return ok;
}

void DlgDetectPhrase::LoadAmbiguousGroups(int32_t gcnt, int32_t glen)
{
    gcnt = std::max(gcnt, 0);
    glen = std::max(glen, 0);
    m_entries.assign(static_cast<std::size_t>(gcnt) + 1, std::vector<AmbiguousEntry>(static_cast<std::size_t>(glen) + 1));
    for (int32_t g = 0; g < gcnt; ++g) {
        const int32_t n = std::min(GroupSize(g), glen);
        for (int32_t k = 0; k < n; ++k) {
            const ItemTerms item = FetchItemTerms(
                [&](int32_t* hPct, int32_t* index, int32_t* status, char* trad, int32_t* tradLen, char* simp, int32_t* simpLen) {
                    return _TezAmbiguousGetPhrase(ghAmbiguous, g, k, hPct, index, status, trad, tradLen, simp, simpLen);
                });
            AmbiguousEntry& entry = Entry(g, k);
            entry.Index = item.index;
            entry.ListedInUse = PCTItemInUse(item.status);
            entry.InUse = entry.ListedInUse ? 1 : 0;
            entry.OriginalTo = ShowTerm(item.trad);
            entry.OriginalFrom = ShowTerm(item.simp);
            entry.PhraseTo = entry.OriginalTo.shown;
            entry.PhraseFrom = entry.OriginalFrom.shown;
            entry.PCTPath = PCTGetPath(item.hPct);
            entry.Changed = false;
        }
    }
}

bool DlgDetectPhrase::HasEntry(int32_t group, int32_t entry) const
{
    return group >= 0 && entry >= 0 && static_cast<std::size_t>(group) < m_entries.size()
        && static_cast<std::size_t>(entry) < m_entries[static_cast<std::size_t>(group)].size();
}

AmbiguousEntry& DlgDetectPhrase::Entry(int32_t group, int32_t entry)
{
    return m_entries[static_cast<std::size_t>(group)][static_cast<std::size_t>(entry)];
}

int32_t DlgDetectPhrase::GroupSize(int32_t group) const
{
    const auto g = static_cast<std::size_t>(group);
    return group >= 0 && g < m_groupSizes.size() ? m_groupSizes[g] : 0;
}

int32_t DlgDetectPhrase::GroupCount() const
{
    return labGroup->text().toInt();
}

int32_t DlgDetectPhrase::CurrentGroup() const
{
    return txtNo->text().toInt() - 1;
}

void DlgDetectPhrase::GetAmbiguousGroup(int32_t i)
{
    lst->setRedraw(false);
    ClearResultRows();
    const int32_t n = GroupSize(i);
    for (int32_t k = 0; k < n && HasEntry(i, k); ++k) {
        const AmbiguousEntry& entry = Entry(i, k);
        lst->AddItem(QStringList{QString(), QString::number(entry.Index + 1), entry.PhraseFrom, entry.PhraseTo, entry.PCTPath}
                         .join(QLatin1Char('\t')));
        const int row = lst->Rows() - 1;
        lst->setRowData(row, entry.InUse);
        frmPhraseMgr().DrawCellPicture(lst, row);
    }
    if (lst->Rows() > 1)
        lst->setFixedRows(1);
    lst->setRedraw(true);
}

void DlgDetectPhrase::cmdNext_Click()
{
    if (labGroup->text() == QLatin1String("0") || txtNo->text() == labGroup->text())
        return;
    const int32_t m = txtNo->text().toInt();
    txtNo->setText(QString::number(m + 1));
    GetAmbiguousGroup(m);
}

void DlgDetectPhrase::cmdPrev_Click()
{
    if (labGroup->text() == QLatin1String("0") || txtNo->text() == QLatin1String("1"))
        return;
    const int32_t m = txtNo->text().toInt();
    txtNo->setText(QString::number(m - 1));
    GetAmbiguousGroup(m - 2);
}

void DlgDetectPhrase::SetStatus(bool Active)
{
    if (lst->Rows() < 2)
        return;
    lst->setRedraw(false);
    const int first = std::min(lst->Row(), lst->RowSel());
    const int last = std::max(lst->Row(), lst->RowSel());
    const int32_t grp = CurrentGroup();
    for (int r = std::max(first, 1); r <= last; ++r) {
        SetRowInUse(r, Active);
        if (!HasEntry(grp, r - 1))
            continue;
        AmbiguousEntry& entry = Entry(grp, r - 1);
        entry.InUse = lst->RowData(r) & kRowInUse;
        entry.Changed = true;
        UpdateAllItems(grp, r - 1);
    }
    SelectRows(lst, first, last);
    lst->setRedraw(true);
}

void DlgDetectPhrase::IDM_EDIT_MODIFY_Click()
{
    const int32_t grp = CurrentGroup();
    const int row = lst->Row();
    const int32_t k = row - 1;
    if (row < 1 || !HasEntry(grp, k))
        return;
    QString simp = Entry(grp, k).PhraseFrom;
    QString trad = Entry(grp, k).PhraseTo;
    if (!EditItemTerms(lst->TextMatrix(row, 4), simp, trad))
        return;
    AmbiguousEntry& entry = Entry(grp, k);
    lst->setTextMatrix(row, 2, simp);
    entry.PhraseFrom = simp;
    lst->setTextMatrix(row, 3, trad);
    entry.PhraseTo = trad;
    entry.Changed = true;
    UpdateAllItems(grp, k);
}

void DlgDetectPhrase::UpdateAllItems(int32_t grp, int32_t i)
{
    if (!HasEntry(grp, i))
        return;
    const AmbiguousEntry source = Entry(grp, i);
    const int32_t groups = GroupCount();
    for (int32_t g = 0; g < groups; ++g) {
        const int32_t n = GroupSize(g);
        for (int32_t k = 0; k < n && HasEntry(g, k); ++k) {
            if (g == grp && k == i)
                continue;
            AmbiguousEntry& other = Entry(g, k);
            if (other.PCTPath == source.PCTPath && other.Index == source.Index) {
                other.InUse = source.InUse;
                other.PhraseFrom = source.PhraseFrom;
                other.PhraseTo = source.PhraseTo;
            }
        }
    }
}

void DlgDetectPhrase::SaveResult()
{
    lst->setRedraw(false);
    const QStringList loaded = LoadedTablePaths();
    const int32_t groups = GroupCount();
    for (int32_t g = 0; g < groups; ++g) {
        const int32_t n = GroupSize(g);
        for (int32_t k = 0; k < n && HasEntry(g, k); ++k) {
            const AmbiguousEntry& entry = Entry(g, k);
            if (!entry.Changed)
                continue;
            // An entry whose table is no longer loaded is written into no other table.
            const auto table = static_cast<int32_t>(loaded.indexOf(entry.PCTPath));
            if (table < 0)
                continue;
            WriteItemBack(ghPCT[static_cast<std::size_t>(table)], entry.Index, entry.ListedInUse,
                          PCTItemInUse(entry.InUse), entry.OriginalTo, entry.PhraseTo, entry.OriginalFrom,
                          entry.PhraseFrom);
        }
    }
    lst->setRedraw(true);
}

void DlgDetectPhrase::cmdOK_Click()
{
    SaveResult();
    m_closedWithOK = true;
    accept();
}

DlgDetectPhrase& dlgDetectPhrase() { return LoadForm<DlgDetectPhrase>(); }
