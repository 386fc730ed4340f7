#include "vocabulary/dlgPhraseEdit.h"

#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "resources/StringTable.h"
#include "vocabulary/LoadedTableList.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
void PlaceTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}
} // namespace

DlgPhraseEdit::DlgPhraseEdit()
{
    setObjectName(QStringLiteral("dlgPhraseEdit"));
    setWindowTitle(QStringLiteral("词汇编辑"));
    setFixedSize(TwipsToPixels(5160), TwipsToPixels(2310));

    // Designer layout; LoadForm rearranges the labels.
    Label1 = new QLabel(QStringLiteral("繁体用词："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    PlaceTwips(Label1, 240, 240, 975, 255);
    Label2 = new QLabel(QStringLiteral("简体用词："), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    PlaceTwips(Label2, 240, 600, 975, 255);
    txtFrom = new QLineEdit(this);
    txtFrom->setObjectName(QStringLiteral("txtFrom"));
    PlaceTwips(txtFrom, 1320, 240, 2775, 285);
    txtTo = new QLineEdit(this);
    txtTo->setObjectName(QStringLiteral("txtTo"));
    PlaceTwips(txtTo, 1320, 600, 2775, 285);
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    PlaceTwips(cmdOK, 1080, 1320, 975, 375);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    PlaceTwips(cmdCancel, 2520, 1320, 975, 375);
    cmdCancel->setAutoDefault(false);

    setTabOrder(txtFrom, txtTo);
    setTabOrder(txtTo, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

bool DlgPhraseEdit::IsProperNounTable() const
{
    return spct >= 0 && static_cast<std::size_t>(spct) < glPCTStatus.size() && glPCTStatus[spct] >= 2;
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
