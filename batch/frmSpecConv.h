#pragma once
// The encoding-pair window: converts plain text files between Big5, GB and UTF-16 of
// either script. One of the six file-list windows; its encoding combos take the place of
// the code combo.
#include "batch/FileListWindow.h"

#include <cstdint>

class QComboBox;

class FrmSpecConv : public FileListWindow {
    Q_OBJECT
public:
    FrmSpecConv();
    void Form_Load() override;

    FlexGrid* lstDoc = nullptr;
    QComboBox* cbInput = nullptr;
    QComboBox* cbOutput = nullptr;
    QComboBox* cbPhraseConv = nullptr;

    void cbInput_Click();
    void cbOutput_Click();

    // The library's file conversion type and vocabulary mode of the current choice.
    int16_t nIOP = 0;
    int16_t nIOD = 0;

protected:
    void ReadConvFlags() override;
    void AddChosenFiles(const QStringList& files) override;
    void AddDroppedFiles(const QStringList& dropped) override;
    RunOutcome RunConversion() override;
    void ChangeType() override;
};

FrmSpecConv& frmSpecConv();
