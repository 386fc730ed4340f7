#pragma once
// The Word window: converts Word documents, other word-processor files and plain text files. One of the six
// file-list windows (FileListWindow); its list and its two option combos are saved with the
// project.
#include "batch/FileListWindow.h"

class QComboBox;

class FrmDocConv : public FileListWindow {
    Q_OBJECT
public:
    FrmDocConv();
    void Form_Load() override;

    FlexGrid* lstDoc = nullptr;
    QComboBox* cbCodeConv = nullptr;
    QComboBox* cbPhraseConv = nullptr;

    void cbCodeConv_Click();
};

FrmDocConv& frmDocConv();
