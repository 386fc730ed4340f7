#include "database/frmTableView.h"

#include "core/Err.h"
#include "core/Log.h"
#include "platform/Modal.h"
#include "platform/Twips.h"

#include <QHeaderView>
#include <QSqlError>
#include <QSqlTableModel>
#include <QTableView>

namespace {

// A table model that reads its table with the dialect's own quoting.
class QuotedTableModel : public QSqlTableModel {
public:
    QuotedTableModel(QSqlDatabase db, QString select) : QSqlTableModel(nullptr, db), m_select(std::move(select)) {}
    QString selectStatement() const override { return m_select; }

private:
    QString m_select;
};

} // namespace

FrmTableView& frmTableView()
{
    return LoadForm<FrmTableView>();
}

FrmTableView::FrmTableView()
{
    setObjectName(QStringLiteral("frmTableView"));
    setWindowTitle(QStringLiteral("数据库文件浏览"));
    fg1 = new QTableView(this);
    fg1->setObjectName(QStringLiteral("fg1"));
    fg1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fg1->move(0, 0);
    resize(640, 420);
}

void FrmTableView::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int margin = TwipsToPixels(50);
    if (width() > margin && height() > margin)
        fg1->resize(width() - margin, height() - margin);
}

void FrmTableView::ShowTable(AdoConnection& pCnt, const QString& pvTable)
{
    try {
        data::Connection& c = pCnt.get();
        QList<data::Column> columns;
        try {
            columns = c.columns(pvTable);
        } catch (const std::exception& e) {
            Err().Raise(errInvalidCall, QString::fromUtf8(e.what()));
        }
        auto* model = new QuotedTableModel(c.database(), c.dialect().selectAll(pvTable, columns));
        model->setEditStrategy(QSqlTableModel::OnManualSubmit);
        model->setTable(pvTable);
        if (!model->select()) {
            const QString why = c.scrub(model->lastError().text());
            delete model;
            Err().Raise(errInvalidCall, why);
        }
        for (int i = 0; i < columns.size(); ++i)
            model->setHeaderData(i, Qt::Horizontal, columns[i].name);
        if (model->rowCount() == 0) {
            delete model;
            return;
        }
        QAbstractItemModel* old = fg1->model();
        fg1->setModel(model);
        delete old;
        modal::execDialog(*this);
        fg1->setModel(nullptr);
        delete model;
        UnloadForm<FrmTableView>();
    } catch (...) {
        ErrorLog(QStringLiteral("frmTableView_ShowTable"));
    }
}
