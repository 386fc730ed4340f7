#include "vocabulary/dlgPhraseDetectDir.h"

#include "platform/Modal.h"
#include "platform/Twips.h"
#include "vocabulary/PlacedControl.h"

#include <QPushButton>
#include <QRadioButton>

DlgPhraseDetectDir::DlgPhraseDetectDir()
{
    setObjectName(QStringLiteral("dlgPhraseDetectDir"));
    setWindowTitle(QStringLiteral("检测不对称词汇的方向"));
    setFixedSize(TwipsToPixels(5445), TwipsToPixels(2250));

    // Designer layout: Traditional to Simplified on the upper row; loading swaps the rows.
    optB52GB = Placed(new QRadioButton(QStringLiteral("从繁体用词转换为简体用词"), this), "optB52GB", 720, 240, 2895, 255);
    optGB2B5 = Placed(new QRadioButton(QStringLiteral("从简体用词转换为繁体用词"), this), "optGB2B5", 720, 600, 2895, 255);

    cmdOK = Placed(new QPushButton(QStringLiteral("确定"), this), "cmdOK", 1080, 1440, 975, 375);
    cmdOK->setDefault(true);
    cmdCancel = Placed(new QPushButton(QStringLiteral("取消"), this), "cmdCancel", 2160, 1440, 975, 375);
    cmdCancel->setAutoDefault(false);

    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void DlgPhraseDetectDir::Form_Load()
{
    const int upper = optB52GB->y();
    optB52GB->move(optB52GB->x(), optGB2B5->y());
    optGB2B5->move(optGB2B5->x(), upper);
    optGB2B5->setChecked(true);
}

bool DlgPhraseDetectDir::ShowDlg()
{
    // Only "确定" pressed during this very call reports true.
    m_ok = false;
    modal::execDialog(*this);
    bDetectB52GB = optB52GB->isChecked();
    return m_ok;
}

void DlgPhraseDetectDir::cmdOK_Click()
{
    m_ok = true;
    accept();
}

DlgPhraseDetectDir& dlgPhraseDetectDir() { return LoadForm<DlgPhraseDetectDir>(); }
