#pragma once
// The per-row output dialog of the file-list windows: changes the output path of the
// current row. Shut-down unloads it with the other windows.
#include "platform/Form.h"

#include <QDialog>

class FrmChangeOutput : public QDialog, public FormEvents {
    Q_OBJECT
public:
    FrmChangeOutput();
};

FrmChangeOutput& frmChangeOutput();
