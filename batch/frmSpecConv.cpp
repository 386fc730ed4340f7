#include "batch/frmSpecConv.h"

#include "core/ConvTypeChoice.h"
#include "batch/WindowLoadedFlags.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const FileListWindowSetup kSetup = {"frmSpecConv", "lstDoc", "tbDoc", "IDM_WINDOW_SPECCONVERT", 8016,
                                  false, false, true, true, false, 5010, 5011, 8000};

// A combo with its caption right above it.
QWidget* Captioned(const QString& caption, QComboBox* combo, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(new QLabel(caption, box));
    layout->addWidget(combo);
    return box;
}
} // namespace

FrmSpecConv& frmSpecConv()
{
    return LoadForm<FrmSpecConv>();
}

FrmSpecConv::FrmSpecConv()
    : FileListWindow(kSetup)
{
    lstDoc = m_grid;
    cbInput = new QComboBox(this);
    cbInput->setObjectName(QStringLiteral("cbInput"));
    cbOutput = new QComboBox(this);
    cbOutput->setObjectName(QStringLiteral("cbOutput"));
    cbPhraseConv = new QComboBox(this);
    cbPhraseConv->setObjectName(QStringLiteral("cbPhraseConv"));
    AddToToolbarRow(Captioned(QStringLiteral("输入文件"), cbInput, this));
    AddToToolbarRow(Captioned(QStringLiteral("输出文件"), cbOutput, this));
    AddToToolbarRow(cbPhraseConv);
    connect(cbInput, &QComboBox::currentIndexChanged, this, [this] { cbInput_Click(); });
    connect(cbOutput, &QComboBox::currentIndexChanged, this, [this] { cbOutput_Click(); });
}

void FrmSpecConv::Form_Load()
{
    LoadCommon();
    FillSpecInput(cbInput);
    FillSpecOutput(cbOutput);
    cbInput->setCurrentIndex(0);
    cbOutput->setCurrentIndex(0);
    cbPhraseConv->setCurrentIndex(0);
    gbSpecConvLoaded = true;
    ShowMenu();
}

void FrmSpecConv::cbInput_Click()
{
    RefillSpecPhraseConv(cbInput->currentIndex(), cbOutput->currentIndex(), cbPhraseConv);
}

void FrmSpecConv::cbOutput_Click()
{
    RefillSpecPhraseConv(cbInput->currentIndex(), cbOutput->currentIndex(), cbPhraseConv);
}
