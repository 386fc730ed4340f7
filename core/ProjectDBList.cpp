#include "core/ProjectDBList.h"

#include "core/FileGrid.h"
#include "batch/FileTypes.h"
#include "core/Err.h"
#include "core/FileUtil.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "database/Connection.h"
#include "database/frmDBConv.h"
#include "core/TextFile.h"
#include "platform/FlexGrid.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>

namespace {

const QChar kTab = QLatin1Char('\t');

} // namespace

void PrjLstDBSave(FlexGrid* grid, const QString& path)
{
    FrmDBConv& db = frmDBConv();
    QByteArray content;
    // Each line is taken on its own: a failing one is logged and the next one written.
    auto line = [&](auto makeText) {
        try {
            content += StrCodeLine(makeText());
        } catch (...) {
            ErrorLog(QStringLiteral("PrjLstDBSave"));
        }
    };
    const int count = grid->Rows() - 1;
    line([&] { return QStringLiteral("PrjFileName") + kTab + gvPrjFile; });
    line([&] { return QStringLiteral("CBOCodeConv") + kTab + QString::number(db.cbCodeConv->currentIndex()); });
    line([&] { return QStringLiteral("CBOPhraseConv") + kTab + QString::number(db.cbPhraseConv->currentIndex()); });
    line([&] { return QStringLiteral("CBODBTYPE") + kTab + QString::number(db.cboDBType->currentIndex()); });
    line([&] { return QStringLiteral("DBCOUNT") + kTab + QString::number(count); });
    if (count > 0) {
        line([&] { return QStringLiteral("MCNT") + kTab + db.mCnt.ConnectionString; });
        line([&] { return QStringLiteral("MVDB") + kTab + db.mvDB; });
        line([&] { return QStringLiteral("MVOUTDB") + kTab + db.mvOutDB; });
    }
    line([] { return QStringLiteral("--") + kTab + QStringLiteral("--"); });
    for (int r = 1; r <= count; ++r) {
        line([&] {
            const int n = grid->TextMatrix(r, 4).toInt();
            if (n < 1 || n > db.mcollTbl.size() || n > db.mcollOutTbl.size())
                Err().Raise(errSubscript);
            return QString::number(grid->RowData(r)) + kTab + db.mcollTbl[n - 1] + kTab + db.mcollOutTbl[n - 1];
        });
    }
    try {
        WriteWholeFile(path, content);
    } catch (...) {
        ErrorLog(QStringLiteral("PrjLstDBSave"));
    }
}

void PrjLstDBShow(FlexGrid* grid, const QString& path)
{
    FrmDBConv& db = frmDBConv();
    QFile file(path);
    bool redrawOff = false;
    try {
        // A missing side file reads as an empty one (it is not created).
        QByteArray bytes;
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);

        QString line;
        if (!ReadLine(buffer, line) || line.section(kTab, 0, 0) != QLatin1String("PrjFileName")) {
            MsgBox(LoadResString(1010) + path, vbCritical);
            return;
        }
        int count = 0;
        while (ReadLine(buffer, line)) {
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
                AdoConnection connection;
                if (!ConnectADO(value, connection))
                    return;
                db.mCnt = connection;
            } else if (key == QLatin1String("MVDB"))
                db.mvDB = value;
            else if (key == QLatin1String("MVOUTDB"))
                db.mvOutDB = value;
            else if (key == QLatin1String("--"))
                break;
        }
        grid->setRedraw(false);
        redrawOff = true;
        grid->setRows(1);
        QStringList sources;
        QStringList outputs;
        if (count >= 1) {
            while (ReadLine(buffer, line)) {
                const QStringList fields = line.split(kTab);
                if (fields.size() != 3)
                    break;
                sources << fields[1];
                outputs << fields[2];
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
    } catch (...) {
        ErrorLog(QStringLiteral("Utility_PrjLstDBShow"));
    }
    if (redrawOff)
        grid->setRedraw(true);
}
