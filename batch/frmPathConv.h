#pragma once
// The folder-tree window: converts whole folder trees, one row per input folder with the
// output folder that receives the converted tree. One of the six file-list windows.
#include "batch/FileListWindow.h"

class QCheckBox;
class QComboBox;

class FrmPathConv : public FileListWindow {
    Q_OBJECT
public:
    FrmPathConv();
    void Form_Load() override;

    FlexGrid* lstPath = nullptr;
    QComboBox* cbCodeConv = nullptr;
    QComboBox* cbPhraseConv = nullptr;
    // Also convert the Office documents inside the trees.
    QCheckBox* chkConvMSOFiles = nullptr;

    void cbCodeConv_Click();
};

FrmPathConv& frmPathConv();
