#include "batch/frmChangeOutput.h"

FrmChangeOutput& frmChangeOutput()
{
    return LoadForm<FrmChangeOutput>();
}

FrmChangeOutput::FrmChangeOutput()
{
    setObjectName(QStringLiteral("frmChangeOutput"));
}
