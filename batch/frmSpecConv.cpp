#include "batch/frmSpecConv.h"

#include "batch/FileListChangeType.h"
#include "batch/ComboWidth.h"
#include "core/ConvTypeChoice.h"
#include "batch/BatchRuns.h"
#include "batch/FileList.h"
#include "core/RowsOutcome.h"
#include "batch/WindowLoadedFlags.h"
#include "core/FileTypes.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const FileListWindowSetup kSetup = {"frmSpecConv", "lstDoc", "tbDoc", "IDM_WINDOW_SPECCONVERT", 8016,
                                  false, false, true, true, false, 5010, 5011, 8000,
                                  "All Files (*.*)|*.*|Text Files (*.txt)|*.txt"};

// One cell of the encoding-pair table: the file conversion type and the vocabulary mode for
// the first and the second vocabulary item.
struct SpecCell {
    int16_t convType;
    int16_t firstMode;
    int16_t secondMode;
};
// Rows: input Big5, Traditional UTF-16, GB, Simplified UTF-16; columns: output GB,
// Simplified UTF-16, Big5, Traditional UTF-16.
constexpr SpecCell kSpecCells[4][4] = {
    {{0, 1, 0}, {8, 1, 0}, {1, 2, 3}, {10, 0, 1}},
    {{14, 1, 0}, {4, 1, 0}, {12, 0, 1}, {5, 2, 3}},
    {{2, 2, 3}, {11, 1, 0}, {3, 1, 0}, {9, 1, 0}},
    {{13, 1, 0}, {7, 2, 3}, {15, 1, 0}, {6, 1, 0}},
};

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
    FitPhraseConv(cbPhraseConv);
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

void FrmSpecConv::ReadConvFlags()
{
    const int in = cbInput->currentIndex();
    const int out = cbOutput->currentIndex();
    if (in < 0 || in > 3)
        return;
    if (out >= 0 && out <= 3) {
        const SpecCell& cell = kSpecCells[in][out];
        nIOD = cell.convType;
        nIOP = cbPhraseConv->currentIndex() == 0 ? cell.firstMode : cell.secondMode;
    }
    bCode = true;
    bB52GB = in < 2;
    bPhrase = nIOP != 0;
    bL2R = nIOP != 2;
}

void FrmSpecConv::AddChosenFiles(const QStringList& files)
{
    FileListPopulateDoc(lstDoc, files, gcolTextExt, gcolTextExt, bB52GB, bCode, bPhrase, bL2R, false);
}

void FrmSpecConv::AddDroppedFiles(const QStringList& dropped)
{
    FileListDropFiles(lstDoc, dropped, gcolTextExt, gcolTextExt, bB52GB, bCode, bPhrase, bL2R, false);
}

RunOutcome FrmSpecConv::RunConversion()
{
    ExecuteSpecConv(lstDoc, nIOD, nIOP);
    return RowsOutcome(lstDoc);
}

void FrmSpecConv::ChangeType()
{
    ChangeSpecRowType(lstDoc);
}
