#include "core/ConvTypeChoice.h"

#include "resources/StringTable.h"

#include <QComboBox>
#include <initializer_list>

namespace {
void Fill(QComboBox* combo, std::initializer_list<int> ids)
{
    combo->clear();
    for (int id : ids)
        combo->addItem(LoadResString(id));
}
} // namespace

void FillCodeConv(QComboBox* cbCodeConv) { Fill(cbCodeConv, {6006, 6005, 6008, 6007}); }

void RefillPhraseConv(int codeIndex, QComboBox* cbPhraseConv)
{
    if (codeIndex < 2)
        Fill(cbPhraseConv, {6001, 6002});
    else
        Fill(cbPhraseConv, {6004, 6003});
    cbPhraseConv->setCurrentIndex(0);
}

void FillSpecInput(QComboBox* cbInput) { Fill(cbInput, {6010, 6011, 6012, 6013}); }
void FillSpecOutput(QComboBox* cbOutput) { Fill(cbOutput, {6012, 6013, 6010, 6011}); }

void RefillSpecPhraseConv(int inputIndex, int outputIndex, QComboBox* cbPhraseConv)
{
    const bool sameScript = (inputIndex < 2 && outputIndex >= 2) || (inputIndex >= 2 && outputIndex < 2);
    if (sameScript)
        Fill(cbPhraseConv, {6003, 6004});
    else
        Fill(cbPhraseConv, {6001, 6002});
    cbPhraseConv->setCurrentIndex(0);
}
