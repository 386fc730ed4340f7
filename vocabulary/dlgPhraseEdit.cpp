#include "vocabulary/dlgPhraseEdit.h"

#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "resources/StringTable.h"
#include "core/LoadedTableList.h"
#include "vocabulary/PlacedControl.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

DlgPhraseEdit::DlgPhraseEdit()
{
    setObjectName(QStringLiteral("dlgPhraseEdit"));
    setWindowTitle(QStringLiteral("词汇编辑"));
    setFixedSize(TwipsToPixels(5160), TwipsToPixels(2310));

    // Designer layout; LoadForm rearranges the labels.
    Label1 = Placed(new QLabel(QStringLiteral("繁体用词："), this), "Label1", 240, 240, 975, 255);
    Label2 = Placed(new QLabel(QStringLiteral("简体用词："), this), "Label2", 240, 600, 975, 255);
    txtFrom = Placed(new QLineEdit(this), "txtFrom", 1320, 240, 2775, 285);
    txtTo = Placed(new QLineEdit(this), "txtTo", 1320, 600, 2775, 285);
    cmdOK = Placed(new QPushButton(QStringLiteral("确定"), this), "cmdOK", 1080, 1320, 975, 375);
    cmdOK->setDefault(true);
    cmdCancel = Placed(new QPushButton(QStringLiteral("取消"), this), "cmdCancel", 2520, 1320, 975, 375);
    cmdCancel->setAutoDefault(false);

    setTabOrder(txtFrom, txtTo);
    setTabOrder(txtTo, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

bool DlgPhraseEdit::IsProperNounTable() const
{
    return spct >= 0 && static_cast<std::size_t>(spct) < glPCTStatus.size() && PCTStatusLocked(glPCTStatus[spct]);
}

bool DlgPhraseEdit::LoadForm()
{
    m_ok = false;

    // From the designer layout, the two labels exchange their rows: the Simplified label
    // goes beside the upper box, the Traditional one beside the lower box.
    PlaceTwips(Label1, 240, 600, 975, 255);
    PlaceTwips(Label2, 240, 240, 975, 255);

    txtFrom->setText(strFrom);
    txtTo->setText(strTo);

    if (IsProperNounTable()) {
        Label1->setVisible(false);
        txtFrom->setVisible(false);
        Label2->setText(QStringLiteral("专有名词： "));
        txtTo->setFocus();
    } else {
        Label1->setVisible(true);
        txtFrom->setVisible(true);
        Label2->setText(QStringLiteral("简体用词： "));
        txtFrom->setFocus();
    }

    modal::execDialog(*this);
    const bool ok = m_ok;
    UnloadForm<DlgPhraseEdit>();
    return ok;
}

void DlgPhraseEdit::cmdOK_Click()
{
    if (txtTo->text().isEmpty()) {
        MsgBox(LoadResString(4011), vbInformation, windowTitle());
        txtTo->setFocus();
        return;
    }
    m_ok = true;
    strFrom = txtFrom->text();
    strTo = txtTo->text();
    if (IsProperNounTable())
        strFrom = strTo;
    accept();
}

DlgPhraseEdit& dlgPhraseEdit() { return ::LoadForm<DlgPhraseEdit>(); }
