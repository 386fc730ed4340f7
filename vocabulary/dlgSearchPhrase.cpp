#include "vocabulary/dlgSearchPhrase.h"

#include "core/mTezC.h"
#include "platform/CodePage.h"
#include "platform/FlexGrid.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "resources/StringTable.h"
#include "core/LoadedTableList.h"
#include "vocabulary/PhraseMgrSupport.h"
#include "core/PhraseText.h"
#include "vocabulary/PlacedControl.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int colPosition = 1;
constexpr int colSimplified = 2;
constexpr int colTraditional = 3;
constexpr int colTable = 4;

// Told when a replacement would have left a term empty and the row kept its terms.
QString EmptyTermNotReplaced()
{
    return QStringLiteral("替换后的用词不能为空，这些项目保持不变。");
}
} // namespace

DlgSearchPhrase::DlgSearchPhrase()
{
    setObjectName(QStringLiteral("dlgSearchPhrase"));
    setWindowTitle(QStringLiteral("搜寻词汇"));
    setFixedSize(TwipsToPixels(9255), TwipsToPixels(4500));

    Label1 = Placed(new QLabel(QStringLiteral("寻找目标："), this), "Label1", 240, 180, 975, 255);
    txtSearch = Placed(new QLineEdit(this), "txtSearch", 1320, 180, 4575, 285);
    labReplace = Placed(new QLabel(QStringLiteral("替换为："), this), "labReplace", 240, 660, 735, 255);
    txtReplace = Placed(new QLineEdit(this), "txtReplace", 1320, 660, 4575, 285);
    Label3 = Placed(new QLabel(QStringLiteral("结果："), this), "Label3", 240, 1140, 615, 255);
    CreateResultGrid(180, 1440, 7695, 2415);

    cmdSearch = Placed(new QPushButton(QStringLiteral("搜寻"), this), "cmdSearch", 7980, 180, 975, 375);
    cmdSearch->setDefault(true);
    cmdSearch->setEnabled(false);
    cmdReplace = Placed(new QPushButton(QStringLiteral("替换..."), this), "cmdReplace", 7980, 660, 975, 375);
    cmdReplace->setAutoDefault(false);
    cmdReplace->setEnabled(false);
    cmdReplaceAll = Placed(new QPushButton(QStringLiteral("全部替换"), this), "cmdReplaceAll", 7980, 1140, 975, 375);
    cmdReplaceAll->setAutoDefault(false);
    cmdReplaceAll->setEnabled(false);
    cmdReplaceAll->setVisible(false);
    cmdOK = Placed(new QPushButton(QStringLiteral("退出"), this), "cmdOK", 7980, 2460, 975, 375);
    cmdOK->setAutoDefault(false);
    cmdCancel = Placed(new QPushButton(QStringLiteral("取消"), this), "cmdCancel", 7980, 2940, 975, 375);
    cmdCancel->setAutoDefault(false);

    CreateItemMenu();

    setTabOrder(txtSearch, txtReplace);

    connect(txtSearch, &QLineEdit::textChanged, this, [this] { txtSearch_Change(); });
    connect(txtReplace, &QLineEdit::textChanged, this, [this] { txtReplace_Change(); });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdReplace, &QPushButton::clicked, this, [this] { cmdReplace_Click(); });
    connect(cmdReplaceAll, &QPushButton::clicked, this, [this] { cmdReplaceAll_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void DlgSearchPhrase::Form_Load()
{
    SetupResultColumns();
    m_origins.assign(1, RowOrigin{});
}

bool DlgSearchPhrase::ShowModal()
{
    m_closedWithOK = false;
    m_showing = true;
    txtSearch->setFocus();
    modal::execDialog(*this);
    m_showing = false;
    const bool changed = m_closedWithOK;
    UnloadForm<DlgSearchPhrase>();
    return changed;
}

bool DlgSearchPhrase::FindString()
{
    labReplace->setVisible(false);
    txtReplace->setVisible(false);
    cmdReplaceAll->setVisible(false);
    cmdReplace->setText(LoadResString(4015));
    return ShowModal();
}

void DlgSearchPhrase::SetReplaceMode()
{
    labReplace->setVisible(true);
    txtReplace->setVisible(true);
    cmdReplaceAll->setVisible(true);
    cmdReplace->setText(LoadResString(8003));
    cmdReplace->setEnabled(false);
    cmdReplaceAll->setEnabled(false);
    setWindowTitle(LoadResString(8004));
}

bool DlgSearchPhrase::ReplaceString()
{
    SetReplaceMode();
    if (m_showing)
        return m_closedWithOK;
    return ShowModal();
}

void DlgSearchPhrase::txtSearch_Change()
{
    const bool any = !txtSearch->text().isEmpty();
    cmdSearch->setEnabled(any);
    cmdReplace->setEnabled(any);
    cmdReplaceAll->setEnabled(any);
}

void DlgSearchPhrase::txtReplace_Change()
{
    const bool any = !txtReplace->text().isEmpty();
    cmdReplace->setEnabled(any);
    cmdReplaceAll->setEnabled(any);
}

void DlgSearchPhrase::cmdSearch_Click()
{
    lst->setRedraw(false);
    ClearResultRows();
    m_origins.assign(1, RowOrigin{});

    const QByteArray term = TermToBytes(txtSearch->text()).value_or(ToSystemCodePage(txtSearch->text()));
    _TezPhraseSearch(ghStmt, term.constData(), &ghPhraseSearch);
    int32_t hits = 0;
    _TezPhraseSearchTotalPhraseNum(ghPhraseSearch, &hits);

    for (int32_t i = 0; i < hits; ++i) {
        lst->AddItem(QString());
        const int row = lst->Rows() - 1;
        lst->setRow(row);
        const ItemTerms hit = FetchItemTerms(
            [&](int32_t* hPct, int32_t* index, int32_t* status, char* trad, int32_t* tradLen, char* simp, int32_t* simpLen) {
                return _TezPhraseSearchGetPhrase(ghPhraseSearch, i, hPct, index, status, trad, tradLen, simp, simpLen);
            });
        RowOrigin origin{ShowTerm(hit.trad), ShowTerm(hit.simp), hit.status};
        lst->setTextMatrix(row, colPosition, QString::number(hit.index + 1));
        lst->setTextMatrix(row, colSimplified, origin.simp.shown);
        lst->setTextMatrix(row, colTraditional, origin.trad.shown);
        lst->setTextMatrix(row, colTable, PCTGetPath(hit.hPct));
        lst->setRowData(row, hit.status);
        m_origins.push_back(std::move(origin));
        frmPhraseMgr().DrawCellPicture(lst, row);
    }
    lst->setRedraw(true);

    if (lst->Rows() == 1) {
        MsgBox(LoadResString(4013), vbOKOnly, windowTitle());
        return;
    }
    lst->setFixedRows(1);
    SelectRows(lst, 1, 1);
}

void DlgSearchPhrase::cmdReplace_Click()
{
    if (cmdReplace->text() == LoadResString(4015)) {
        ReplaceString();
        return;
    }
    if (lst->Rows() < 2)
        return;
    if (!ReplaceInCurrentRow())
        MsgBox(EmptyTermNotReplaced(), vbInformation, windowTitle());
}

void DlgSearchPhrase::cmdReplaceAll_Click()
{
    if (lst->Rows() < 2)
        return;
    bool allKept = true;
    const int last = lst->Rows() - 1;
    for (int r = 1; r <= last; ++r) {
        lst->setRow(r);
        allKept = ReplaceInCurrentRow() && allKept;
    }
    if (!allKept)
        MsgBox(EmptyTermNotReplaced(), vbInformation, windowTitle());
}

bool DlgSearchPhrase::ReplaceInCurrentRow()
{
    lst->setRedraw(false);
    const int row = lst->Row();
    const QString simp = ReplaceInString(lst->TextMatrix(row, colSimplified), txtSearch->text(), txtReplace->text());
    const QString trad = ReplaceInString(lst->TextMatrix(row, colTraditional), txtSearch->text(), txtReplace->text());
    // A replacement that empties a term would leave an item the library ignores: the row
    // keeps its terms.
    const bool written = !simp.isEmpty() && !trad.isEmpty();
    if (written) {
        lst->setTextMatrix(row, colSimplified, simp);
        lst->setTextMatrix(row, colTraditional, trad);
    }
    const int next = row < lst->Rows() - 1 ? row + 1 : 1;
    SelectRows(lst, next, next);
    lst->setRedraw(true);
    return written;
}

void DlgSearchPhrase::SetStatus(bool Active)
{
    if (lst->Rows() < 2)
        return;
    lst->setRedraw(false);
    const int first = std::min(lst->Row(), lst->RowSel());
    const int last = std::max(lst->Row(), lst->RowSel());
    for (int r = first; r <= last; ++r)
        SetRowInUse(r, Active);
    SelectRows(lst, first, last);
    lst->setRedraw(true);
}

void DlgSearchPhrase::IDM_EDIT_MODIFY_Click()
{
    const int row = lst->Row();
    if (row < 1 || row >= lst->Rows())
        return;
    QString simp = lst->TextMatrix(row, colSimplified);
    QString trad = lst->TextMatrix(row, colTraditional);
    if (EditItemTerms(lst->TextMatrix(row, colTable), simp, trad)) {
        lst->setTextMatrix(row, colSimplified, simp);
        lst->setTextMatrix(row, colTraditional, trad);
    }
}

void DlgSearchPhrase::cmdOK_Click()
{
    lst->setRedraw(false);
    const int last = static_cast<int>(m_origins.size()) - 1;
    const QStringList loaded = LoadedTablePaths();
    for (int r = 1; r <= std::min(last, lst->Rows() - 1); ++r) {
        lst->setRow(r);
        const int32_t idx = lst->TextMatrix(r, colPosition).toInt() - 1;
        const auto table = static_cast<int32_t>(loaded.indexOf(lst->TextMatrix(r, colTable)));
        if (table < 0)
            continue;
        // A row left as it was listed leaves its item untouched.
        const RowOrigin& origin = m_origins[static_cast<std::size_t>(r)];
        WriteItemBack(ghPCT[static_cast<std::size_t>(table)], idx, PCTItemInUse(origin.status),
                      PCTItemInUse(lst->RowData(r)), origin.trad, lst->TextMatrix(r, colTraditional), origin.simp,
                      lst->TextMatrix(r, colSimplified));
    }
    lst->setRedraw(true);
    m_closedWithOK = true;
    accept();
}

QString ReplaceInString(const QString& source, const QString& find, const QString& replacement)
{
    // QString::replace would put the replacement between every two characters of an empty find.
    if (find.isEmpty())
        return source;
    return QString(source).replace(find, replacement, Qt::CaseSensitive);
}

DlgSearchPhrase& dlgSearchPhrase() { return LoadForm<DlgSearchPhrase>(); }
