#include "core/StatusText.h"

#include "core/frmMain.h"

#include <QLabel>

void SetStatusText(const QString& text)
{
    frmMain().StatusPanel1->setText(text);
}
