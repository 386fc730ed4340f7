#pragma once
// A temporary program folder with small vocabulary tables made through the conversion
// library, loaded and entered in the program's table list as start-up would: what the
// search, detection and merge dialog tests run against.
#include "common/FileBytes.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"
#include "core/LoadedTableList.h"
#include "vocabulary/frmPhraseMgr.h"
#include "test_library_fixture.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

namespace dialog_fixture {

struct FixtureItem {
    QString trad;
    QString simp;
    int32_t status = 1;
};

class VocabFixture {
public:
    VocabFixture()
    {
        qputenv("TEZDESK_HOME", m_home.path().toUtf8());
        // A statement of its own: searches and detections see only this fixture's tables.
        m_savedStmt = ghStmt;
        ghStmt = OwnStatement();
        // The dialogs open over the vocabulary manager; it stands here without loading the
        // program around it.
        if (!IsFormLoaded<FrmPhraseMgr>()) {
            FormSlot<FrmPhraseMgr>() = new FrmPhraseMgr;
            m_plantedManager = true;
        }
        ClearLoadedTables();
    }

    ~VocabFixture()
    {
        for (int32_t i = 0; i < glPCTCount; ++i)
            _TezUnloadPCT(ghStmt, ghPCT[static_cast<std::size_t>(i)]);
        ClearLoadedTables();
        if (m_plantedManager)
            delete FormSlot<FrmPhraseMgr>().data();
        ghStmt = m_savedStmt;
    }

    QString home() const { return m_home.path(); }
    QString pathOf(const QString& name) const { return QDir(m_home.path()).filePath(name); }

    // Creates name in the program folder with the items, saves it, and enters it loaded at
    // the end of the table list with the given table status. Returns the table's handle.
    int32_t addTable(const QString& name, const QList<FixtureItem>& items, int32_t tableStatus = 1)
    {
        const int32_t h = NewTableWithItems(pathOf(name), items);
        if (h == 0)
            return 0;
        _TezSetPCTStatus(h, tableStatus);
        _TezSavePCT(h, ToSystemCodePage(pathOf(name)).constData(), 0);
        ReDimPreserveTables(glPCTCount + 1);
        ghPCT[static_cast<std::size_t>(glPCTCount)] = h;
        glPCTStatus[static_cast<std::size_t>(glPCTCount)] = tableStatus;
        ++glPCTCount;
        return h;
    }

    static QList<RawItem> items(int32_t h) { return TableItems(h); }

    // Items read back as text: "Traditional|Simplified|status".
    static QStringList itemTexts(int32_t h)
    {
        QStringList out;
        for (const RawItem& item : items(h))
            out << FromSystemCodePage(item.trad) + QLatin1Char('|') + FromSystemCodePage(item.simp) + QLatin1Char('|')
                    + QString::number(item.status & 1);
        return out;
    }

    // Writes every loaded table to its own file, as the manager does when it saves.
    void saveAll(const QStringList& names)
    {
        for (int32_t i = 0; i < glPCTCount && i < names.size(); ++i)
            _TezSavePCT(ghPCT[static_cast<std::size_t>(i)], ToSystemCodePage(pathOf(names[i])).constData(), 0);
    }

private:
    static int32_t OwnStatement()
    {
        static int32_t stmt = 0;
        if (stmt != 0)
            return stmt;
        int32_t env = 0;
        _TezCreateEnv(&env);
        _TezCreateStmt(env, &stmt, 1000);
        LoadGeneratedTables(env);
        return stmt;
    }

    QTemporaryDir m_home;
    int32_t m_savedStmt = 0;
    bool m_plantedManager = false;
};

} // namespace dialog_fixture

using dialog_fixture::FixtureItem;
using dialog_fixture::VocabFixture;
