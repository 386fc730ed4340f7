#include "database/frmSelectADODB.h"

#include "database/ConnParamFile.h"
#include "database/frmSQLDBList.h"

#include "core/Err.h"
#include "core/Log.h"
#include "core/SaveFailure.h"
#include "platform/App.h"
#include "platform/Modal.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "platform/data/DataError.h"
#include "platform/data/SecretStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FrmSelectADODB& frmSelectADODB()
{
    return LoadForm<FrmSelectADODB>();
}

FrmSelectADODB::FrmSelectADODB()
{
    setObjectName(QStringLiteral("frmSelectADODB"));
    setWindowTitle(QStringLiteral("选择连接SQLServer设置"));
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("数据库联机设置:"), this);
    frame->setObjectName(QStringLiteral("frmConnectionInfo"));
    auto* grid = new QGridLayout(frame);
    cboServerType = new QComboBox(frame);
    cboServerType->setObjectName(QStringLiteral("cboServerType"));
    cboServerType->addItems({QStringLiteral("SQL Server"), QStringLiteral("PostgreSQL")});
    cboServer = new QComboBox(frame);
    cboServer->setObjectName(QStringLiteral("cboServer"));
    cboServer->setEditable(true);
    cboDB = new QComboBox(frame);
    cboDB->setObjectName(QStringLiteral("cboDB"));
    cboDB->setEditable(true);
    txtUserID = new QLineEdit(QStringLiteral("sa"), frame);
    txtUserID->setObjectName(QStringLiteral("txtUserID"));
    txtPassword = new QLineEdit(frame);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    chkSavePassword = new QCheckBox(QStringLiteral("保存口令"), frame);
    chkSavePassword->setObjectName(QStringLiteral("chkSavePassword"));
    chkSavePassword->setEnabled(data::SecretStoreAvailable());
    grid->addWidget(new QLabel(QStringLiteral("服务器类型:"), frame), 0, 0);
    grid->addWidget(cboServerType, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("服务器:"), frame), 1, 0);
    grid->addWidget(cboServer, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("数据库:"), frame), 2, 0);
    grid->addWidget(cboDB, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("登录User ID:"), frame), 3, 0);
    grid->addWidget(txtUserID, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("登录口令:"), frame), 4, 0);
    grid->addWidget(txtPassword, 4, 1);
    grid->addWidget(chkSavePassword, 5, 1);
    layout->addWidget(frame);
    auto* buttons = new QHBoxLayout;
    auto button = [&](QPushButton*& b, const char* name, const char* text) {
        b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromUtf8(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
    };
    button(cmdSQLDBList, "cmdSQLDBList", "显示记录...");
    button(cmdRemove, "cmdRemove", "移除记录");
    button(cmdSave, "cmdSave", "保存设置");
    button(cmdTest, "cmdTest", "测试连结...");
    button(cmdOK, "cmdOK", "确定");
    button(cmdCancel, "cmdCancel", "取消(&C)");
    layout->addLayout(buttons);
    cboServer->installEventFilter(this);
    connect(cmdSQLDBList, &QPushButton::clicked, this, [this] { cmdSQLDBList_Click(); });
    connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdTest, &QPushButton::clicked, this, [this] { cmdTest_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool FrmSelectADODB::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboServer && event->type() == QEvent::FocusOut)
        cboServer_Validate();
    return QDialog::eventFilter(watched, event);
}

data::Engine FrmSelectADODB::engine() const
{
    return cboServerType->currentIndex() == 1 ? data::Engine::PostgreSql : data::Engine::SqlServer;
}

data::ConnectionParams FrmSelectADODB::BoxParams() const
{
    return ServerParams(engine(), cboServer->currentText().trimmed(), cboDB->currentText().trimmed(),
                        txtUserID->text().trimmed(), txtPassword->text().trimmed());
}

QString FrmSelectADODB::SavedServer() const
{
    return SavedServerField(BoxParams());
}

void FrmSelectADODB::ShowSavedServer(const QString& saved)
{
    cboServerType->setCurrentIndex(ParamsOfSavedServer(saved).engine == data::Engine::PostgreSql ? 1 : 0);
    cboServer->setCurrentText(ShownServer(saved));
}

void FrmSelectADODB::FillPasswordFromStore()
{
    QString password;
    if (data::FindPassword(StoredPasswordKey(BoxParams()), password)) {
        txtPassword->setText(password);
        chkSavePassword->setChecked(true);
    }
}

void FrmSelectADODB::Form_Load()
{
    try {
        m_connParam = ConnParamPath();
        cboServer->clear();
        cboServer->setCurrentText(QString());
        const QStringList lines = ReadConnParamLines(m_connParam);
        SavedConnection first;
        if (!lines.isEmpty() && SplitConnParamLine(lines.first(), first)) {
            ShowSavedServer(first.server);
            cboDB->setCurrentText(first.database);
            txtUserID->setText(first.user);
            txtPassword->setText(first.password);
            FillPasswordFromStore();
        }
        QStringList servers;
        for (const QString& line : lines) {
            SavedConnection c;
            if (SplitConnParamLine(line, c) && !servers.contains(c.server, Qt::CaseSensitive))
                servers << c.server;
        }
        for (const QString& s : servers)
            cboServer->addItem(ShownServer(s));
        if (!servers.isEmpty()) {
            cboServer->setCurrentIndex(0);
            ShowSavedServer(servers.first());
        }
    } catch (...) {
        ErrorLog(QStringLiteral("frmSelectADODB_Form_Load"));
    }
}

void FrmSelectADODB::cboServer_Validate()
{
    cboDB->clear();
    cboDB->setCurrentText(QString());
    MousePointerKeeper hourglass(vbHourglass);
    try {
        const QString master = engine() == data::Engine::PostgreSql ? QStringLiteral("postgres") : QStringLiteral("master");
        data::Connection c;
        c.open(ServerParams(engine(), cboServer->currentText(), master, txtUserID->text().trimmed(),
                            txtPassword->text().trimmed()),
               5);
        for (const QString& name : c.databases())
            cboDB->addItem(name);
        cboDB->setCurrentText(QString());
    } catch (const data::DataError& e) {
        Err().Set(errInvalidCall, e.description());
        ErrorLog(QStringLiteral("frmSelectADODB_cboServer_Validate"));
    } catch (...) {
        ErrorLog(QStringLiteral("frmSelectADODB_cboServer_Validate"));
    }
}

void FrmSelectADODB::cmdTest_Click()
{
    try {
        data::Connection c;
        {
            MousePointerKeeper hourglass(vbHourglass);
            c.open(ServerParams(engine(), cboServer->currentText().trimmed(), cboDB->currentText().trimmed(),
                                txtUserID->text().trimmed(), txtPassword->text().trimmed()),
                   5);
        }
        MsgBox(c.ConnectionString(), vbOKOnly, QStringLiteral("联机属性"));
    } catch (const data::DataError& e) {
        Err().Set(errInvalidCall, e.description());
        ErrorLog(QStringLiteral("frmSelectADODB_cmdTest_Click"));
    } catch (...) {
        ErrorLog(QStringLiteral("frmSelectADODB_cmdTest_Click"));
    }
}

bool FrmSelectADODB::SaveConnParam(const SavedConnection& connection, bool remove, const QString& procName)
{
    try {
        UpdateConnParam(m_connParam, connection, remove);
        return true;
    } catch (const RuntimeError& e) {
        const QString reason = WriteFailureReason(e, m_connParam);
        ErrorLog(procName);
        ShowSaveFailure(m_connParam, windowTitle().isEmpty() ? AppTitle() : windowTitle(), reason);
    }
    return false;
}

void FrmSelectADODB::cmdSave_Click()
{
    try {
        const SavedConnection c{SavedServer(), cboDB->currentText().trimmed(), txtUserID->text().trimmed(), QString()};
        if (!SaveConnParam(c, false, QStringLiteral("frmSelectADODB_cmdSave_Click")))
            return;
        const QString key = StoredPasswordKey(BoxParams());
        if (chkSavePassword->isChecked() && !txtPassword->text().isEmpty())
            data::StorePassword(key, txtPassword->text().trimmed());
        else
            data::ForgetPassword(key);
    } catch (...) {
        ErrorLog(QStringLiteral("frmSelectADODB_cmdSave_Click"));
    }
}

void FrmSelectADODB::cmdRemove_Click()
{
    try {
        const SavedConnection c{SavedServer(), cboDB->currentText().trimmed(), txtUserID->text().trimmed(), QString()};
        if (!SaveConnParam(c, true, QStringLiteral("frmSelectADODB_cmdRemove_Click")))
            return; // the fields stay as they are, and the stored password with them
        data::ForgetPassword(StoredPasswordKey(BoxParams()));
        cboServer->setCurrentText(QString());
        cboDB->setCurrentText(QString());
        txtUserID->clear();
        txtPassword->clear();
    } catch (...) {
        ErrorLog(QStringLiteral("frmSelectADODB_cmdRemove_Click"));
    }
}

void FrmSelectADODB::cmdSQLDBList_Click()
{
    try {
        QStringList buffer(4);
        if (frmSQLDBList().ShowDialog(m_connParam, this, buffer)) {
            ShowSavedServer(buffer[0]);
            cboDB->setCurrentText(buffer[1]);
            txtUserID->setText(buffer[2]);
            txtPassword->setText(buffer[3]);
            FillPasswordFromStore();
        }
    } catch (...) {
        ErrorLog(QStringLiteral("frmSelectADODB_cmdSQLDBList_Click"));
    }
}

bool FrmSelectADODB::SetConnection(AdoConnection& pCnt)
{
    bool result = false;
    try {
        const bool ok = modal::execDialog(*this) == QDialog::Accepted;
        if (ok) {
            pCnt.Close();
            result = ConnectSQL(cboServer->currentText().trimmed(), cboDB->currentText().trimmed(),
                                txtUserID->text().trimmed(), txtPassword->text().trimmed(), pCnt, engine());
        }
    } catch (...) {
        ErrorLog(QStringLiteral("frmSelectADODB_SetConnection"));
    }
    UnloadForm<FrmSelectADODB>();
    SetMousePointer(vbDefault);
    return result;
}
