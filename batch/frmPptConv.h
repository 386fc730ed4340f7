#pragma once
// The PowerPoint window: converts PowerPoint presentations and plain text files. One of the six
// file-list windows (FileListWindow); its list and its two option combos are saved with the
// project.
#include "batch/FileListWindow.h"

class QComboBox;

class FrmPptConv : public FileListWindow {
    Q_OBJECT
public:
    FrmPptConv();
    void Form_Load() override;

    FlexGrid* lstPpt = nullptr;
    QComboBox* cbCodeConv = nullptr;
    QComboBox* cbPhraseConv = nullptr;

    void cbCodeConv_Click();
};

FrmPptConv& frmPptConv();
