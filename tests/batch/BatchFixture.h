#pragma once
// A small world for the batch tests: a temporary program folder (TEZDESK_HOME), an error log
// inside it, the file type lists and grid pictures loaded, files made on demand, and file
// grids shaped as the windows make them.
#include "core/FileTypes.h"
#include "batch/frmOutputSetting.h"
#include "core/GridPictures.h"
#include "core/Log.h"
#include "platform/FlexGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class BatchFixture {
public:
    BatchFixture()
    {
        m_oldHome = qgetenv("TEZDESK_HOME");
        m_oldCurrent = QDir::currentPath();
        QDir().mkpath(path(QStringLiteral("home")));
        qputenv("TEZDESK_HOME", QFile::encodeName(path(QStringLiteral("home"))));
        gsErrFile = path(QStringLiteral("home/tezdesk.ERR"));
        InitFileTypes();
        LoadGridPictures();
        FrmOutputSetting& settings = frmOutputSetting();
        settings.opSelectDir = true;
        settings.strDir = path(QStringLiteral("out"));
    }
    ~BatchFixture()
    {
        QDir::setCurrent(m_oldCurrent);
        qputenv("TEZDESK_HOME", m_oldHome);
        gsErrFile.clear();
    }

    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    // Makes a file (and its folders) under the root; returns its full path.
    QString makeFile(const QString& relative, const QByteArray& bytes = "x") const
    {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return full;
    }
    QString makeFolder(const QString& relative) const
    {
        QDir().mkpath(path(relative));
        return path(relative);
    }

    // Own-folder setting (false) or the output folder (true, with folder).
    static void setOutput(bool toFolder, const QString& folder = QString())
    {
        frmOutputSetting().opSelectDir = toFolder;
        frmOutputSetting().strDir = toFolder ? folder : QString();
    }

    // The error log's records under a procedure name.
    int errorRecords(const QString& procName) const
    {
        QFile err(gsErrFile);
        if (!err.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray text = err.readAll();
        const QByteArray mark = "(" + procName.toUtf8() + ")";
        return static_cast<int>(text.count(mark));
    }
    QByteArray errorLog() const
    {
        QFile err(gsErrFile);
        return err.open(QIODevice::ReadOnly) ? err.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QString m_oldCurrent;
};

// An empty file grid as the windows make it: four columns, the header row only, no fixed row.
inline std::unique_ptr<FlexGrid> MakeEmptyFileGrid(const QString& name = QStringLiteral("lstDoc"))
{
    auto grid = std::make_unique<FlexGrid>();
    grid->setObjectName(name);
    grid->setCols(4);
    grid->setRows(1);
    grid->setFixedRows(0);
    grid->setTextMatrix(0, 2, QStringLiteral("输入文件"));
    grid->setTextMatrix(0, 3, QStringLiteral("输出文件"));
    return grid;
}

// The rows of a grid as "input -> output" texts, and their words.
inline QStringList RowTexts(const FlexGrid& grid)
{
    QStringList rows;
    for (int r = 1; r < grid.Rows(); ++r)
        rows << grid.TextMatrix(r, 2) + QStringLiteral(" -> ") + grid.TextMatrix(r, 3);
    return rows;
}
inline QList<int> RowWords(const FlexGrid& grid)
{
    QList<int> words;
    for (int r = 1; r < grid.Rows(); ++r)
        words << grid.RowData(r);
    return words;
}

// The picture in a cell, by name: "txt", "office", "other", "done", "failed" or "" for none.
inline QString CellPictureName(FlexGrid& grid, int row, int col)
{
    grid.setRow(row);
    grid.setCol(col);
    const qint64 key = grid.CellPicture().cacheKey();
    if (grid.CellPicture().isNull())
        return QString();
    const std::pair<const GridPicture*, const char*> names[] = { { &gPicTypeTxt, "txt" },
        { &gPicTypeDoc, "office" }, { &gPicTypeOther, "other" }, { &gPicDone, "done" }, { &gPicFailed, "failed" } };
    for (const auto& [picture, name] : names)
        if (picture->pixmap().cacheKey() == key)
            return QString::fromLatin1(name);
    return QStringLiteral("?");
}
