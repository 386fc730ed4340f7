#pragma once
// The Excel window: converts Excel workbooks and plain text files. One of the six
// file-list windows (FileListWindow); its list and its two option combos are saved with the
// project.
#include "batch/FileListWindow.h"

class QComboBox;

class FrmXlsConv : public FileListWindow {
    Q_OBJECT
public:
    FrmXlsConv();
    void Form_Load() override;

    FlexGrid* lstXls = nullptr;
    QComboBox* cbCodeConv = nullptr;
    QComboBox* cbPhraseConv = nullptr;

    void cbCodeConv_Click();
};

FrmXlsConv& frmXlsConv();
