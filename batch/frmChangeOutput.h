#pragma once
// The per-row output dialog of the file-list windows: shows a row's input, lets the user
// change its output path (typed, or a folder chosen in the folder picker) and, for HTML and
// folder rows, its charset-tag choice. Loaded for each use and unloaded by OK or Cancel; its
// public variables carry the row's values in and the answer out and outlive it.
#include "platform/Form.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmChangeOutput : public QDialog, public FormEvents {
    Q_OBJECT
public:
    FrmChangeOutput();

    // Fills the controls from the public variables, shows the dialog modally and unloads it;
    // the answer is read from path and addTag afterwards.
    void OpenForm();

    // In: the row's input path; not read back.
    static inline QString InputPath;
    // In: the row's output path. Out: the new output path, "" after Cancel or closing.
    static inline QString path;
    // In: the row's add-charset-tag bit. Out: the check box's state at OK.
    static inline bool addTag = false;
    // In: whether the check box is shown.
    static inline bool showAddTag = false;
    // In: the row's input and output are folders (folder-tree rows), not files.
    static inline bool folderRow = false;
    // In: the inputs of the grid's other rows, which the new output must not write over.
    static inline QStringList otherInputs;

    QLabel* Label1 = nullptr;
    QLabel* lbInputFile = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtOutput = nullptr;
    QPushButton* cmdBrowse = nullptr;
    QCheckBox* chkAddTag = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdBrowse_Click();

    // Escape and the close box cancel.
    void reject() override;
};

FrmChangeOutput& frmChangeOutput();

// The output path a Browse gives: for a file row the chosen folder followed by the file name
// of the current output (of the input when the output names none), so the row keeps writing a
// file; for a folder row the chosen folder itself.
QString BrowsedOutput(const QString& chosenFolder, const QString& currentOutput, const QString& input, bool folderRow);

// The output path an OK gives for the typed text: a relative text is taken relative to the
// folder that holds the input; an absolute or empty text stays as it is.
QString TypedOutput(const QString& typed, const QString& input);
