#pragma once
// The folder-tree window: converts whole folder trees, one row per input folder with the
// output folder that receives the converted tree. One of the six file-list windows.
#include "batch/CodeConvWindow.h"

class QCheckBox;

class FrmPathConv : public CodeConvWindow {
    Q_OBJECT
public:
    FrmPathConv();
    void Form_Load() override;

    FlexGrid* lstPath = nullptr;
    // Also convert the Office documents inside the trees.
    QCheckBox* chkConvMSOFiles = nullptr;

protected:
    void AddChosenFiles(const QStringList& files) override;
    void AddDroppedFiles(const QStringList& dropped) override;
    RunOutcome RunConversion() override;
    void AddFiles() override;
    void Schedule() override;
    void ChangeOutput() override;
};

FrmPathConv& frmPathConv();
