#include "batch/dlgChangeType.h"

#include "batch/ExtListText.h"
#include "batch/dlgHtmlSelect.h"
#include "core/FileRowFlags.h"
#include "core/FileTypes.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "resources/StringTable.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int32_t kTypeBits = FileRowText | FileRowWord | FileRowExcel | FileRowPowerPoint;

// The dialog's designed width and heights (frame included), in twips. The short height cuts
// the dialog off below the buttons; the tall one shows the extension box under them.
constexpr int kWidthTwips = 5880;
constexpr int kShortHeightTwips = 4100;
constexpr int kTallHeightTwips = 6000;
// The caption bar and the borders take this much of a dialog's height.
constexpr int kFrameTwips = 495;
// Where the extension part starts; below the client area of the short dialog.
constexpr int kExtPartTopTwips = 3660;

void Place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

} // namespace

DlgChangeType::DlgChangeType()
{
    setObjectName(QStringLiteral("dlgChangeType"));
    setWindowTitle(QStringLiteral("改变转换类型"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Label1 = new QLabel(QStringLiteral("在运行文档转换时，请将此文档视为如下文档类型："), this);
    Place(Label1, 120, 120, 5520, 300);

    Frame1 = new QGroupBox(QStringLiteral("文档类型"), this);
    Place(Frame1, 120, 480, 5520, 2400);
    struct OptionSpec {
        QRadioButton* DlgChangeType::*member;
        const char* name;
        const char* caption;
    };
    const OptionSpec options[] = {{&DlgChangeType::optTxt, "optTxt", "纯文字文件"},
        {&DlgChangeType::optDoc, "optDoc", "Word 文档文件"}, {&DlgChangeType::optXls, "optXls", "Excel 文件"},
        {&DlgChangeType::optPPT, "optPPT", "PowerPoint文件"}, {&DlgChangeType::optHtml, "optHtml", "网页文件"},
        {&DlgChangeType::optOther, "optOther", "其他文件"}};
    int top = 300;
    for (const OptionSpec& entry : options) {
        auto* option = new QRadioButton(QString::fromUtf8(entry.caption), Frame1);
        option->setObjectName(QString::fromLatin1(entry.name));
        Place(option, 360, top, 4800, 300);
        this->*entry.member = option;
        top += 330;
    }

    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setDefault(true);
    Place(cmdOK, 2880, 3030, 1320, 400);
    cmdCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    Place(cmdCancel, 4320, 3030, 1320, 400);

    Label2 = new QLabel(QStringLiteral("转换具有以下附加档名的文件："), this);
    Place(Label2, 120, kExtPartTopTwips, 5520, 300);
    txtExt = new QPlainTextEdit(this);
    txtExt->setObjectName(QStringLiteral("txtExt"));
    txtExt->setPlainText(QStringLiteral("*.htm\n*.html\n"));
    Place(txtExt, 120, kExtPartTopTwips + 330, 5520, 1320);

    connect(cmdOK, &QPushButton::clicked, this, &DlgChangeType::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &DlgChangeType::cmdCancel_Click);
    SetHeight(kShortHeightTwips);
}

void DlgChangeType::Form_Load()
{
    if (lDocType & FileRowText)
        optTxt->setChecked(true);
    else if (lDocType & FileRowExcel)
        optXls->setChecked(true);
    else if (lDocType & FileRowPowerPoint)
        optPPT->setChecked(true);
    else if (lDocType & FileRowWord)
        optDoc->setChecked(true);
    else
        optOther->setChecked(true);
}

bool DlgChangeType::ShowDlg()
{
    return ShowVariant({Doc | Txt | Other, Txt, kShortHeightTwips, ExtBox::Designed});
}

bool DlgChangeType::ShowDlgXLS()
{
    return ShowVariant({Xls | Txt | Other, Xls, kShortHeightTwips, ExtBox::Designed});
}

bool DlgChangeType::ShowDlgPPT()
{
    return ShowVariant({PPT | Txt | Other, PPT, kShortHeightTwips, ExtBox::Designed});
}

bool DlgChangeType::ShowDlgHtml()
{
    return ShowVariant({Html | Other, Html, kTallHeightTwips, ExtBox::FromWebsiteDialog});
}

bool DlgChangeType::ShowDlgSpec()
{
    return ShowVariant({Txt | Other, 0, kTallHeightTwips, ExtBox::Emptied});
}

bool DlgChangeType::ShowVariant(const Variant& variant)
{
    // A fresh load: the designed state, then the load step with the caller's lDocType.
    UnloadForm<DlgChangeType>();
    DlgChangeType& dlg = LoadForm<DlgChangeType>();
    for (Option option : {Txt, Doc, Xls, PPT, Html, Other})
        dlg.OptionButton(option)->setEnabled((variant.enabled & option) || option == Other);
    if (variant.selected)
        dlg.OptionButton(static_cast<Option>(variant.selected))->setChecked(true);
    if (variant.extBox == ExtBox::FromWebsiteDialog)
        dlg.txtExt->setPlainText(dlgHtmlSelect().txtExt->toPlainText());
    else if (variant.extBox == ExtBox::Emptied)
        dlg.txtExt->clear();
    dlg.SetHeight(variant.heightTwips);
    dlg.m_ok = false;
    modal::execDialog(dlg);
    const bool ok = dlg.m_ok;
    UnloadForm<DlgChangeType>();
    return ok;
}

QRadioButton* DlgChangeType::OptionButton(Option option) const
{
    switch (option) {
    case Txt: return optTxt;
    case Doc: return optDoc;
    case Xls: return optXls;
    case PPT: return optPPT;
    case Html: return optHtml;
    case Other: break;
    }
    return optOther;
}

void DlgChangeType::SetHeight(int twips)
{
    m_heightTwips = twips;
    setFixedSize(TwipsToPixels(kWidthTwips), TwipsToPixels(twips - kFrameTwips));
    // The extension part lies below the short dialog's edge; keep it out of the tab order too.
    const bool extPartShown = twips - kFrameTwips > kExtPartTopTwips;
    Label2->setVisible(extPartShown);
    txtExt->setVisible(extPartShown);
}

int32_t DlgChangeType::SelectedTypeBit() const
{
    if (optTxt->isChecked() || optHtml->isChecked())
        return FileRowText;
    if (optDoc->isChecked())
        return FileRowWord;
    if (optXls->isChecked())
        return FileRowExcel;
    if (optPPT->isChecked())
        return FileRowPowerPoint;
    return 0;
}

void DlgChangeType::cmdOK_Click()
{
    if (optHtml->isChecked()) {
        const QString text = txtExt->toPlainText();
        // No extension at all would leave no file counted as a web page.
        if (!ExtTextHasExtension(text)) {
            MsgBox(LoadResString(4004), vbOKOnly, windowTitle());
            return;
        }
        ParseExtList(gcolHtmlExt, text);
        dlgHtmlSelect().txtExt->setPlainText(text);
    }
    lDocType = (lDocType & ~kTypeBits) | SelectedTypeBit();
    m_ok = true;
    accept();
    UnloadForm<DlgChangeType>();
}

void DlgChangeType::cmdCancel_Click()
{
    m_ok = false;
    QDialog::reject();
    UnloadForm<DlgChangeType>();
}

void DlgChangeType::reject()
{
    cmdCancel_Click();
}
