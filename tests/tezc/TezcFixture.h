#pragma once
// The conversion library opened on the generated tables (TEZDESK_DATA_DIR), with helpers
// that convert QStrings through its entries and make small vocabulary tables.
#include "TezC.h"
#include "common/GeneratedTables.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

namespace tezc_test {

using namespace generated_tables;

inline QByteArray gb(const QString& s) { return QStringEncoder("GB18030").encode(s); }
inline QString fromGb(const QByteArray& b) { return QStringDecoder("GB18030").decode(b); }
inline QByteArray big5(const QString& s) { return QStringEncoder("Big5").encode(s); }
inline QString fromBig5(const QByteArray& b) { return QStringDecoder("Big5").decode(b); }
inline const char16_t* u16(const QString& s) { return reinterpret_cast<const char16_t*>(s.utf16()); }

struct Item {
    QString trad, simp;
    int32_t status = 1;
};

class Library {
public:
    // tables: indexes to load (all ten by default); list: load PCTS.LST from the data folder.
    explicit Library(QList<int> tables = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, bool list = true)
    {
        _TezCreateEnv(&env);
        _TezCreateStmt(env, &stmt, 1000);
        for (int i : tables)
            loadRc[i] = _TezLoadCCT(env, i, tablePath(i).toUtf8().constData(), 0, 0);
        if (list) listRc = _TezLoadLST(stmt, QDir(dataDir()).filePath("PCTS.LST").toUtf8().constData());
    }
    ~Library() { _TezUnloadLST(stmt); }

    QString folder() const { return dir.path(); }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    QString uu(const QString& text, int mode, int flag, int32_t* rc = nullptr)
    {
        int32_t res = 0;
        const int32_t r = _TezConvertStringUU(stmt, u16(text), int32_t(text.size()), mode, flag, &res);
        if (rc) *rc = r;
        if (r != 0) return QStringLiteral("<error %1>").arg(r);
        QString out(_TezGetUniLen(res), QChar(0));
        _TezGetUniStr(res, reinterpret_cast<char16_t*>(out.data()), int32_t(out.size()));
        return out;
    }
    QByteArray dbResult()
    {
        QByteArray out(_TezGetDBLen(lastResult), '\0');
        _TezGetDBStr(lastResult, out.data(), int32_t(out.size()));
        return out;
    }
    QByteArray dd(const QByteArray& text, int mode, int flag)
    {
        if (_TezConvertStringDD(stmt, text.constData(), int32_t(text.size()), mode, flag, &lastResult) != 0)
            return "<error>";
        return dbResult();
    }
    QByteArray ud(const QString& text, int mode, int flag)
    {
        if (_TezConvertStringUD(stmt, u16(text), int32_t(text.size()), mode, flag, &lastResult) != 0)
            return "<error>";
        return dbResult();
    }
    QString du(const QByteArray& text, int mode, int flag)
    {
        if (_TezConvertStringDU(stmt, text.constData(), int32_t(text.size()), mode, flag, &lastResult) != 0)
            return QStringLiteral("<error>");
        QString out(_TezGetUniLen(lastResult), QChar(0));
        _TezGetUniStr(lastResult, reinterpret_cast<char16_t*>(out.data()), int32_t(out.size()));
        return out;
    }

    // Writes a vocabulary table file through the library and returns its path.
    QString makeTable(const QString& name, const QList<Item>& items)
    {
        const QByteArray p = gb(path(name));
        int32_t h = 0;
        _TezNewPCT(stmt, p.constData(), &h);
        for (int i = 0; i < items.size(); ++i)
            _TezPCTInsertItem(h, i, gb(items[i].trad).constData(), gb(items[i].simp).constData(), items[i].status);
        _TezSavePCT(h, p.constData(), 0);
        _TezUnloadPCT(stmt, h);
        return path(name);
    }
    // Loads a table into the list with a status; returns its handle.
    int32_t addTable(const QString& file, int32_t status)
    {
        int32_t h = 0;
        _TezLoadPCT(stmt, gb(file).constData(), &h);
        _TezSetPCTStatus(h, status);
        return h;
    }

    int32_t env = 0, stmt = 0, lastResult = 0;
    int32_t loadRc[10] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    int32_t listRc = 1;
    QTemporaryDir dir;
};

}  // namespace tezc_test
