#pragma once
// The server connection dialog: server type, server, database, login and password; the
// database list of the server, a connection test, and the saved connections (ConnParam.sys).
// A password is kept only when "保存口令" is ticked, in the secret store.
#include "database/ConnParamFile.h"
#include "database/Connection.h"
#include "platform/Form.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class FrmSelectADODB : public QDialog, public FormEvents {
    Q_OBJECT
public:
    FrmSelectADODB();
    void Form_Load() override;
    // True only when the user confirmed and the new connection opened into pCnt.
    bool SetConnection(AdoConnection& pCnt);

    QComboBox* cboServerType = nullptr;
    QComboBox* cboServer = nullptr;
    QComboBox* cboDB = nullptr;
    QLineEdit* txtUserID = nullptr;
    QLineEdit* txtPassword = nullptr;
    QCheckBox* chkSavePassword = nullptr;
    QPushButton* cmdSQLDBList = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdTest = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    data::Engine engine() const;
    void cboServer_Validate();
    void cmdTest_Click();
    void cmdSave_Click();
    void cmdRemove_Click();
    void cmdSQLDBList_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The four boxes with the server type.
    data::ConnectionParams BoxParams() const;
    // The server as ConnParam.sys keeps it (with the server type).
    QString SavedServer() const;
    void ShowSavedServer(const QString& saved);
    void FillPasswordFromStore();
    // Writes or removes the connection's line of ConnParam.sys; a failure is recorded under
    // procName and shown with the file and why, and gives false.
    bool SaveConnParam(const SavedConnection& connection, bool remove, const QString& procName);
    QString m_connParam;
};

FrmSelectADODB& frmSelectADODB();
