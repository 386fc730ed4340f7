#include "resources/StringTable.h"

#include <QHash>

namespace {

struct StringEntry {
    int id;
    const char16_t* text;
};

// The string table. Blanks at either end and full-width punctuation belong to the texts:
// callers put paths, numbers and line breaks right against them.
constexpr StringEntry kStrings[] = {
    // Errors
    {1001, u"Velmora已运行"},
    {1002, u"不是合法的文件"},
    {1003, u"超过客户自定 PCT 文件数目限制。"},
    {1004, u"有些 PCT 文件 不是合法的文件或不存在"},
    {1005, u"没有内容可存。"},
    {1006, u"已开启"},
    {1007, u"保存词汇表错误。"},
    {1008, u"新增词汇表错误。"},
    {1009, u"输入信息夹是空的，请先输入信息夹。"},
    {1010, u"专案档格式错误 - "},  // the path follows
    {1011, u"无法启用Excel程序"},
    {1012, u"无法启用PowerPoint程序"},
    {1013, u"无法启用Word程序"},
    {1014, u"转换失败: "},  // the last-run time follows
    {1050, u"无法保存文件（磁盘已满或不能写入），原有文件未被更改："},  // the path follows
    // Start-up failures the program reports itself
    {1051, u"无法载入转换程序库 "},  // the library's name and the reason follow
    {1052, u"无法写入程序文件夹 "},  // the folder follows

    // Vocabulary table list and table files (%1, %2: filled in by the caller)
    {1101, u"词汇表清单 %1 中有 %2 行无法读取，这些行已原样保留。"},  // list path, line count
    {1102, u"无法读取词汇表清单 %1。"},                                // list path
    {1103, u"词汇表 %1 中有 %2 行无法读取，这些行将原样保留。"},      // table path, line count
    {1104, u"无法保存词汇表：\n%1\n改动仍保留，下次离开词汇管理或退出时将再次保存。"},  // table paths
    {1105, u"汇入文件 %1 的内容无法以任何支持的编码读取，未汇入任何项目。"},  // file path

    // Questions and warnings
    {2001, u"立即转换内容已被更改，您要保存吗？"},
    {2002, u"内容已被更改，您要保存吗？"},
    {2003, u"已存在，您确定吗？"},
    {2004, u"是否要将当前转换内容存入专案档 - "},  // the project path and "?" follow
    {2005, u"Word程序正在运行，请先关闭再进行转档。"},
    {2006, u"Excel程序正在运行，请先关闭再进行转档。"},
    {2007, u"PowerPoint程序正在运行，请先关闭再进行转档。"},
    {2008, u"需先与数据库连结"},

    // The two base conversion table file names
    {3001, u"big5-gb.cct"},
    {3002, u"gb-big5.cct"},

    // Prompts, file filters, dialog titles and run summaries
    {4001, u"请选择文件。"},
    {4002, u"请输入信息夹。"},
    {4003, u"不是合法信息夹。"},
    {4004, u"请输入附加档名。"},
    {4005, u"请先从现有的词汇表列示中选择。"},
    {4006, u"请输入新的词汇表名称。"},
    {4007, u"词汇表名称已使用。请输入新的名称。"},
    {4008, u"请先从新组合列示中选择。"},
    {4009, u"请输入词汇表名称。"},
    {4010, u"已存在，请输入其他词汇表名称。"},
    {4011, u"您必须填入原文字段。"},
    {4012, u"无法替换。"},
    {4013, u"找不到欲搜寻的目标。"},
    {4014, u"搜寻退出。"},
    {4015, u"替换..."},
    {4016, u"Text Files (*.txt)|*.txt|All Files (*.*)|*.*"},
    {4017, u"信息夹:"},
    {4018, u"tmp"},
    {4019, u"项目次序："},
    {4020, u"词汇表次序："},
    {4021, u"All Files (*.*)|*.*|PCT Files (*.pct)|*.pct"},
    {4022, u"删除中，请稍候..."},
    {4023, u"删除完成"},
    {4024, u"请先复制项目。"},
    {4025, u"运行退出！"},
    {4026, u"请输入新的专案档名称。"},
    {4027, u"请选择转换专案档名称。"},
    {4028, u"选择数据库文件"},
    {4029, u"选择输出数据库文件"},
    {4030, u"选择信息夹"},
    {4031, u"HTML文件转换"},
    {4032, u"DOC文件转换"},
    {4033, u"XLS文件转换"},
    {4034, u"PPT文件转换"},
    {4035, u"路径转换"},
    {4036, u"MDB文件转换"},
    {4037, u"MSSQL文件转换"},
    {4038, u"排程转换"},
    {4039, u"文件转换"},

    // Grid column headers
    {5001, u"使用状态"},
    {5002, u"次序"},
    {5003, u"繁体用词"},
    {5004, u"简体用词"},
    {5005, u"词汇表"},
    {5006, u"繁体字型"},
    {5007, u"简体字型"},
    {5008, u"转换状态"},
    {5009, u"转换型态"},
    {5010, u"输入文件"},
    {5011, u"输出文件"},
    {5012, u"文件名"},
    {5013, u"输入文件路径"},
    {5014, u"输出文件路径"},
    {5015, u"专案名称"},
    {5016, u"每周运行日期"},
    {5017, u"运行时间"},
    {5018, u"终止日期"},
    {5019, u"上次作业时间"},
    {5020, u"状态"},

    // Combo items
    {6001, u"转码与转词"},
    {6002, u"只转码"},
    {6003, u"繁体用词最佳化"},
    {6004, u"简体用词最佳化"},
    {6005, u"繁体 转 简体"},
    {6006, u"简体 转 繁体"},
    {6007, u"繁体文件"},
    {6008, u"简体文件"},
    {6009, u"只转词"},
    {6010, u"繁体Big5"},
    {6011, u"繁体Unicode"},
    {6012, u"简体GB"},
    {6013, u"简体Unicode"},
    {6101, u"ACCESS数据库转换"},
    {6102, u"SQL数据库转换"},

    // Program title and window names
    {8001, u"Velmora"},
    {8002, u"立即转换"},
    {8003, u"替换"},
    {8004, u"替换词汇"},
    {8005, u"添加文件(&N)..."},
    {8006, u"Word转换"},
    {8007, u"HTML转换"},
    {8008, u"添加文件(&O)..."},
    {8009, u"词汇管理"},
    {8010, u"添加词汇表(&O)..."},
    {8011, u"Excel转换"},
    {8012, u"PowerPoint转换"},
    {8013, u"路径转换"},
    {8014, u"时程设置"},
    {8015, u"数据库转换"},
    {8016, u"文件转换"},
};

} // namespace

QString LoadResString(int id)
{
    static const QHash<int, QString> table = [] {
        QHash<int, QString> t;
        for (const StringEntry& e : kStrings)
            t.insert(e.id, QString::fromUtf16(e.text));
        return t;
    }();
    return table.value(id);
}
