#pragma once
// The Word window: converts Word documents, other word-processor files and plain text files. One of the six
// file-list windows (FileListWindow); its list and its two option combos are saved with the
// project.
#include "batch/CodeConvWindow.h"

class FrmDocConv : public CodeConvWindow {
    Q_OBJECT
public:
    FrmDocConv();
    void Form_Load() override;

    FlexGrid* lstDoc = nullptr;

protected:
    void AddChosenFiles(const QStringList& files) override;
    void AddDroppedFiles(const QStringList& dropped) override;
    RunOutcome RunConversion() override;
    void ChangeType() override;
};

FrmDocConv& frmDocConv();
