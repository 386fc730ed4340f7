#pragma once
// The instant conversion window: a Traditional box and a Simplified box that convert into
// each other on every change, with text files, the clipboard, the vocabulary optimisations,
// undo, and find and replace.
#include "core/WorkWindow.h"
#include "platform/CommonDialog.h"
#include "platform/Form.h"

#include <QString>

class FrmOnlineConv : public WorkWindow {
    Q_OBJECT
public:
    explicit FrmOnlineConv(QWidget* parent = nullptr);
    ~FrmOnlineConv() override;

    void Form_Load() override;
    void Form_Unload(int& cancel) override;

    void ShowMenu() override;
    void MenuProc(const QString& cmd) override;
    QString formName() const override { return QStringLiteral("frmOnlineConv"); }

    // Enables the window's menu items and toolbar buttons for the boxes' current contents.
    void EnableMenu();
    // Saves the current box's text to a file; false only when there is nothing to save.
    bool SaveToFile();
    // Closes the find and replace dialogs; called on every window switch and at shut-down.
    int ExitOnlineConv();
    // Converts the clipboard's text and puts the result back on the clipboard.
    void ConvertClipboard();

    // True while one of the boxes holds text not yet saved.
    bool bFileChanged = false;

    CommonDialog dlgSave;
};

// The window's one instance, loaded on first use.
FrmOnlineConv& frmOnlineConv();
