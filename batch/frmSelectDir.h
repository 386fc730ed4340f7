#pragma once
// The folder picker shared by the output settings, the per-row output and the website
// selection dialogs: a path box and a folder list. Loaded for each use and unloaded by OK or
// Cancel; the chosen path and the OK flag outlive it.
#include "platform/Form.h"

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;

class FrmSelectDir : public QDialog, public FormEvents {
    Q_OBJECT
public:
    FrmSelectDir();
    // The path box shows the folder list's current folder (the process's current folder).
    void Form_Load() override;

    // Shows the picker modally (after any presets), unloads it and returns true after OK
    // with path set to the path box's text (not checked), false after Cancel or closing
    // with path "".
    bool OpenForm();

    // The folder chosen by the last OK, "" after the last Cancel; read it as FrmSelectDir::path.
    static inline QString path;

    // Preset of the folder list: opens it at folder (at its nearest existing ancestor when
    // folder does not exist) and, as a change of folder does, puts folder into the path box.
    void setDir1Path(const QString& folder);
    // The folder list's current folder.
    QString Dir1Path() const;

    QLineEdit* txtDir = nullptr;
    QTreeView* Dir1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdCancel_Click();
    // A folder chosen or opened in the folder list.
    void Dir1_Change(const QModelIndex& index);

    // Escape and the close box cancel.
    void reject() override;

private:
    // Opens the folder list down to the preset folder and selects it.
    void ShowCurrentFolder();

    static inline bool s_ok = false;
    QString m_shown; // the preset folder the list is opened at
    bool m_closed = false;
    QFileSystemModel* m_folders = nullptr;
};

FrmSelectDir& frmSelectDir();
