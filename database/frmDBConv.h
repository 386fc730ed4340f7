#pragma once
// The database conversion window: the tables of a source database with the names of the
// tables a conversion writes. Until the data layer exists it shows its list and options,
// sets the main window's menus, and carries out only the list commands.
#include "core/WorkWindow.h"
#include "database/Connection.h"

#include <QHash>
#include <QStringList>

class FlexGrid;
class QAction;
class QComboBox;
class QToolBar;

// Set when the database window is first loaded; the project then carries its side file.
extern bool gbDBConvLoaded;

class FrmDBConv : public WorkWindow {
    Q_OBJECT
public:
    FrmDBConv();
    void Form_Load() override;
    void ShowMenu() override;
    void MenuProc(const QString& cmd) override;
    QString formName() const override { return QStringLiteral("frmDBConv"); }
    void EnableMenu();

    // The source connection, the source and output database, and the source and output
    // names of the listed tables (column 4 of a row is its 1-based position in both).
    AdoConnection mCnt;
    QString mvDB;
    QString mvOutDB;
    QStringList mcollTbl;
    QStringList mcollOutTbl;

    QToolBar* tbSQL = nullptr;
    QComboBox* cbCodeConv = nullptr;
    QComboBox* cbPhraseConv = nullptr;
    QComboBox* cboDBType = nullptr;
    FlexGrid* lstTables = nullptr;

    void cbCodeConv_Click();
    void cboDBType_Click();
    QAction* ToolbarButton(const QString& key) const { return m_buttons.value(key); }

private:
    QHash<QString, QAction*> m_buttons;
};

FrmDBConv& frmDBConv();
