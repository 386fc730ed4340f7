#include "core/WorkWindowTable.h"

#include "core/Err.h"

#include <QHash>

const std::vector<WorkWindowEntry>& WorkWindowTable()
{
    static const std::vector<WorkWindowEntry> table = {
        {1, "DocConv", "Word转换", "Word文档转换", ".doc .txt .rtf ...等文件转换", "frmDocConv", "IDM_WINDOW_DOCCONVERT"},
        {2, "XlsConv", "Excel转换", "Excel文件转换", ".xls .txt 文件转换", "frmXlsConv", "IDM_WINDOW_XLSCONVERT"},
        {3, "PptConv", "Power．转换", "PowerPoint文件转换", ".ppt  .txt 文件转换", "frmPptConv", "IDM_WINDOW_PPTCONVERT"},
        {4, "HtmlConv", "HTML转换", "网站文件转换", ".html .htm .asp ...等文件转换", "frmHtmlConv", "IDM_WINDOW_HTMLCONVERT"},
        {5, "PathConv", "路径转换", "路径转换", "路径转换", "frmPathConv", "IDM_WINDOW_PATHCONVERT"},
        {6, "DBConv", "数据库转换", "数据库转换", "ACCESS/SQL数据库转换", "frmDBConv", "IDM_WINDOW_DBCONVERT"},
        {7, "SpecConv", "文件转换", "文件转换", ".txt文件:Big5,GB,繁体Unicode,简体Unicode之互相转换", "frmSpecConv", "IDM_WINDOW_SPECCONVERT"},
        {8, "OnlineConv", "立即转换", "立即转换", "将文件拖曳、内容复制或剪贴至文字区", "frmOnlineConv", "IDM_WINDOW_ONLINECONVERT"},
        {9, "PhraseMgr", "词汇管理", "词汇管理", "添加、新增或汇入您个人化词汇", "frmPhraseMgr", "IDM_WINDOW_PHRASEMGR"},
        {10, "Schedule", "排程设置", "排程设置", "排程设置", "frmSchedule", "IDM_WINDOW_SCHEDULE"},
    };
    return table;
}

namespace {
template <class Pred>
const WorkWindowEntry* Find(Pred pred)
{
    for (const WorkWindowEntry& e : WorkWindowTable())
        if (pred(e))
            return &e;
    return nullptr;
}
} // namespace

const WorkWindowEntry* WorkWindowByKey(const QString& key)
{
    return Find([&](const WorkWindowEntry& e) { return key == QLatin1String(e.key); });
}

const WorkWindowEntry* WorkWindowByFormName(const QString& formName)
{
    return Find([&](const WorkWindowEntry& e) { return formName == QLatin1String(e.formName); });
}

const WorkWindowEntry* WorkWindowByCommand(const QString& command)
{
    return Find([&](const WorkWindowEntry& e) { return command == QLatin1String(e.menuCommand); });
}

namespace {
QHash<QString, WorkWindowAccessor>& Registry()
{
    static QHash<QString, WorkWindowAccessor> registry;
    return registry;
}
} // namespace

void RegisterWorkWindow(const QString& formName, WorkWindowAccessor form) { Registry().insert(formName, form); }

WorkWindow& WorkWindowForm(const WorkWindowEntry& entry)
{
    const WorkWindowAccessor form = Registry().value(QString::fromUtf8(entry.formName));
    if (!form)
        Err().Raise(errInvalidCall, QStringLiteral("No window registered as ") + QString::fromUtf8(entry.formName));
    return form();
}
