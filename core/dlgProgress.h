#pragma once
// The small window batch runs show while they work: the file being converted and a bar.
// While it is loaded the main window is disabled; unloading gives the main window back the
// enabled state it had when the dialog was loaded.
#include "platform/Form.h"

#include <QDialog>

class QLabel;
class QProgressBar;

class DlgProgress : public QDialog, public FormEvents {
    Q_OBJECT
public:
    DlgProgress();
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

    // Shows the text with a full bar.
    void DisplayCopy(const QString& strFile);
    // Shows the text with an empty bar (range 0 to 100); returns at once.
    void DisplayProgress(const QString& strFile);

    QProgressBar* ProgressBar1 = nullptr;
    QLabel* labFile = nullptr;

private:
    bool m_mainWasEnabled = true;
};

DlgProgress& dlgProgress();
