#pragma once
// The instant conversion window: a Traditional box and a Simplified box that convert into
// each other on every change, with text files, the clipboard, the two vocabulary
// optimisations, undo, and find and replace. Both boxes hold Unicode text; the Traditional
// box's text crosses to the conversion library as Big5, the Simplified box's as GB.
#include "core/WorkWindow.h"
#include "core/TextFile.h"
#include "platform/CommonDialog.h"
#include "platform/Form.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QToolBar;

class FrmOnlineConv : public WorkWindow {
    Q_OBJECT
public:
    explicit FrmOnlineConv(QWidget* parent = nullptr);
    ~FrmOnlineConv() override;

    void Form_Load() override;

    // Sets the main window's menus and status text for this window.
    void ShowMenu() override;
    // Performs a command string (menu item name or toolbar command); others do nothing.
    void MenuProc(const QString& cmd) override;
    QString formName() const override { return QStringLiteral("frmOnlineConv"); }

    // Enables the window's menu items and toolbar buttons for the boxes' current contents.
    void EnableMenu();
    // Saves the current box's text to a file; false when there is nothing to save, the
    // save dialog was cancelled or the file could not be written (nothing was saved).
    bool SaveToFile();
    // Closes the find and replace dialogs; called on every window switch and at shut-down.
    int ExitOnlineConv();
    // Replaces the clipboard's text by the same text as the Big5 side of the library holds it.
    void ConvertClipboard();

    // Opens a text file into one of the boxes (file dialog, then the file-type question).
    void OpenTextFile();
    // Reads an 8-bit file (Big5 or GB as bB5 says, or UTF-8) as box text; may ask to save
    // first. Sets bReadCancelled when the read did not happen.
    QString ReadDbcsTextFile(const QString& path, bool bB5);
    // Reads a UTF-16 file and converts it to the code of the receiving box (bB5: Traditional).
    QString ReadUnicodeTextFile(const QString& path, bool bB5);

    // The two live conversions, run on every change of a box.
    void edtB5_Change();
    void edtGB_Change();
    // A box got the input focus.
    void edtB5_GotFocus();
    void edtGB_GotFocus();
    // The paste keys of the Traditional box; returns true when the key was handled.
    bool edtB5_KeyDown(int keyCode, int shift);
    // Files dropped on a box, by their paths.
    void edtB5_OLEDragDrop(const QStringList& files);
    void edtGB_OLEDragDrop(const QStringList& files);
    // A toolbar button by its key ("OPEN" ...).
    void tbOnline_ButtonClick(const QString& key);

    // The toolbar's button with this key ("OPEN" ...); nullptr for any other key.
    QAction* tbOnlineButton(const QString& key) const;

    // True while the text was changed by a conversion since the last open, drop or save question.
    bool bFileChanged = false;

    QToolBar* tbOnline = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* labB5 = nullptr;
    QSplitter* wndSplit = nullptr;
    QPlainTextEdit* edtB5 = nullptr;
    QPlainTextEdit* edtGB = nullptr;
    QLabel* labGB = nullptr;
    CommonDialog dlgSave;

    // The box the edit commands act on: "B5" (Traditional) or "GB" (Simplified).
    QString strSide = QStringLiteral("B5");
    // Whole-text undo copy of the Traditional box.
    QString strUndo;
    bool bReadCancelled = false;
    // How the text of the box a file was read into came from that file (encoding and
    // codes), so that saving it writes the file's bytes again; none for a new or cleared
    // text, which saves in the box's code page (Big5 or GB).
    std::optional<TextFileOrigin> fileOrigin;
    QPlainTextEdit* fileOriginBox = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolbar();
    QPlainTextEdit* SideBox() const;
    QPlainTextEdit* OtherBox() const;
    // Replaces a box's whole text; no change (and no conversion) when it already holds it.
    void SetBoxText(QPlainTextEdit* box, const QString& text);
    static void ClearSelection(QPlainTextEdit* box);
    // Puts the other box's converted text into box without converting it back, and marks
    // the text changed.
    void ShowConvertedText(QPlainTextEdit* box, const QString& text);
    // The whole file, or nothing (with bReadCancelled set and the failure logged under
    // procName) when it cannot be read.
    std::optional<QByteArray> ReadFileForBox(const QString& path, const QString& procName);
    // Asks for a text file to open or to save to (dlgSave.FileName); false when none was chosen.
    bool ChooseTextFile(bool save);
    // Answers the unsaved-changes question; false when the operation is to stop.
    bool ConfirmDiscardChanges();
    // The 8-bit reader; asks the unsaved-changes question first when askFirst.
    QString ReadDbcsText(const QString& path, bool bB5, bool askFirst);
    // How a save of box writes its text: as the file it came from, else its code page.
    TextFileOrigin SaveOrigin(const QPlainTextEdit* box) const;
    // Forgets the file the text came from (the boxes were emptied).
    void ForgetFileOrigin();
    void ConvertVocabulary(int direction);
    void Undo();
    void Paste();
    // Asks the encoding question, then pastes into the Traditional box once.
    void PasteIntoTraditional(const QString& question);
    void EnableMenuWhenCurrent();
    void CopyUnicode();
    void SelectAll();
    void DropFile(QPlainTextEdit* box, const QStringList& files);
    void LoadIntoBox(QPlainTextEdit* box, const QString& text);

    bool bConverting = false;
    // The origin of the text the last read gave, until it is loaded into a box.
    std::optional<TextFileOrigin> m_readOrigin;
    QHash<QString, QAction*> m_tbButtons;
};

// The window's one instance, loaded on first use.
FrmOnlineConv& frmOnlineConv();
