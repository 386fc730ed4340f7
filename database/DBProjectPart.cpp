#include "database/DBProjectPart.h"

#include "core/Err.h"
#include "core/FileGrid.h"
#include "core/FileTypes.h"
#include "core/ProjectFile.h"
#include "core/ProjectLine.h"
#include "core/SuspendedRedraw.h"
#include "database/Connection.h"
#include "database/frmDBConv.h"
#include "platform/FlexGrid.h"

#include <QComboBox>

namespace {

const QChar kTab = QLatin1Char('\t');

class DBProjectPartImpl : public ProjectPart {
public:
    void Save(ProjectWriter& file) override
    {
        if (!gbDBConvLoaded)
            return;
        const QString side = ProjectSideFilePath(file.Path());
        PrjLstDBSave(frmDBConv().lstTables, side);
        file.OptionLine({ProjectText(QStringLiteral("DBCONV")), ProjectText(side)});
    }

    void ShowOptions(ProjectReader& file) override
    {
        while (file.PeekKey() == QLatin1String("DBCONV"))
            PrjLstDBShow(frmDBConv().lstTables, file.Next().value(1));
    }

    // The user's connection itself is held, open, not its text: nothing connects again and
    // no password is asked for when it comes back.
    std::unique_ptr<KeptProjectPart> Keep() override
    {
        if (!gbDBConvLoaded)
            return nullptr;
        FrmDBConv& db = frmDBConv();
        return std::make_unique<KeptProjectPart>(
            [code = db.cbCodeConv->currentIndex(), phrase = db.cbPhraseConv->currentIndex(),
             type = db.cboDBType->currentIndex(), connection = db.mCnt, source = db.mvDB, output = db.mvOutDB,
             sources = db.mcollTbl, outputs = db.mcollOutTbl, rows = db.lstTables->TakeContent()] {
                FrmDBConv& window = frmDBConv();
                window.cbCodeConv->setCurrentIndex(code);
                window.cbPhraseConv->setCurrentIndex(phrase);
                window.cboDBType->setCurrentIndex(type);
                window.mCnt = connection;
                window.mvDB = source;
                window.mvOutDB = output;
                window.mcollTbl = sources;
                window.mcollOutTbl = outputs;
                window.lstTables->PutContent(rows);
            });
    }

    // The window's reference to its connection is dropped, not the connection: a kept one
    // stays open for its owner.
    void Empty() override
    {
        if (!gbDBConvLoaded)
            return;
        FrmDBConv& db = frmDBConv();
        db.mCnt = AdoConnection();
        db.mvDB.clear();
        db.mvOutDB.clear();
        db.mcollTbl.clear();
        db.mcollOutTbl.clear();
        ClearFG(db.lstTables);
    }
};

class DBSideFilePartImpl : public ProjectSideFilePart {
public:
    void Save(FlexGrid* grid, SideFileWriter& file) override
    {
        FrmDBConv& db = frmDBConv();
        const int count = grid->Rows() - 1;
        file.Line([&] { return QStringLiteral("CBOCodeConv") + kTab + QString::number(db.cbCodeConv->currentIndex()); });
        file.Line([&] { return QStringLiteral("CBOPhraseConv") + kTab + QString::number(db.cbPhraseConv->currentIndex()); });
        file.Line([&] { return QStringLiteral("CBODBTYPE") + kTab + QString::number(db.cboDBType->currentIndex()); });
        file.Line([&] { return QStringLiteral("DBCOUNT") + kTab + QString::number(count); });
        if (count > 0) {
            file.Line([&] { return QStringLiteral("MCNT") + kTab + db.mCnt.ConnectionString; });
            file.Line([&] { return QStringLiteral("MVDB") + kTab + db.mvDB; });
            file.Line([&] { return QStringLiteral("MVOUTDB") + kTab + db.mvOutDB; });
        }
        file.Line([] { return QStringLiteral("--") + kTab + QStringLiteral("--"); });
        for (int r = 1; r <= count; ++r) {
            file.Line([&] {
                const int n = grid->TextMatrix(r, 4).toInt();
                if (n < 1 || n > db.mcollTbl.size() || n > db.mcollOutTbl.size())
                    Err().Raise(errSubscript);
                return QString::number(grid->RowData(r)) + kTab + db.mcollTbl[n - 1].text() + kTab
                    + db.mcollOutTbl[n - 1].text();
            });
        }
    }

    void Show(FlexGrid* grid, SideFileReader& file) override
    {
        FrmDBConv& db = frmDBConv();
        QString line;
        int count = 0;
        while (file.ReadLine(line)) {
            const int tab = line.indexOf(kTab);
            const QString key = (tab < 0 ? line : line.left(tab)).toUpper();
            const QString value = tab < 0 ? QString() : line.mid(tab + 1);
            if (key == QLatin1String("CBOCODECONV"))
                db.cbCodeConv->setCurrentIndex(value.toInt());
            else if (key == QLatin1String("CBOPHRASECONV"))
                db.cbPhraseConv->setCurrentIndex(value.toInt());
            else if (key == QLatin1String("CBODBTYPE"))
                db.cboDBType->setCurrentIndex(value.toInt());
            else if (key == QLatin1String("DBCOUNT"))
                count = value.toInt();
            else if (key == QLatin1String("MCNT")) {
                // No server is reached until a run or a viewer needs the connection.
                db.mCnt = AdoConnection();
                db.mCnt.ConnectionString = value;
            } else if (key == QLatin1String("MVDB"))
                db.mvDB = value;
            else if (key == QLatin1String("MVOUTDB"))
                db.mvOutDB = value;
            else if (key == QLatin1String("--"))
                break;
        }
        SuspendedRedraw redrawOff(grid);
        grid->setRows(1);
        TableEntries sources;
        TableEntries outputs;
        if (count >= 1) {
            while (file.ReadLine(line)) {
                const QStringList fields = line.split(kTab);
                if (fields.size() != 3)
                    break;
                sources << TableEntryFromText(fields[1], db.mvDB);
                outputs << TableEntryFromText(fields[2], db.mvOutDB);
                const int n = sources.size();
                grid->AddItem(QStringLiteral("\t\t") + fields[1] + kTab + fields[2] + kTab + QString::number(n));
                const int row = grid->Rows() - 1;
                grid->setRowData(row, static_cast<int32_t>(fields[0].toLongLong()) | 0x20);
                SetCellPicture(grid, row, 1, gPicTypeTxt);
            }
            if (grid->Rows() > 1)
                grid->setFixedRows(1);
        }
        db.mcollTbl = sources;
        db.mcollOutTbl = outputs;
    }
};

} // namespace

std::unique_ptr<ProjectPart> DBProjectPart() { return std::make_unique<DBProjectPartImpl>(); }

ProjectSideFilePart& DBSideFilePart()
{
    static DBSideFilePartImpl part;
    return part;
}
