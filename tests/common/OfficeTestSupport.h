#pragma once
// What the office tests share: the error log in a temporary folder, documents written as
// RTF (body, header, footer, text frame and drawing shape, each with its own text), and the
// fixture files kept with the tests.
#include "core/Log.h"
#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace office_tests {

// While alive, the error log is a file of its own in a temporary folder.
class ErrorLogFile {
public:
    ErrorLogFile() : m_old(gsErrFile) { gsErrFile = m_dir.filePath(QStringLiteral("tezdesk.ERR")); }
    ~ErrorLogFile() { gsErrFile = m_old; }
    // The records written, as the log holds them.
    QString records() const
    {
        QFile file(gsErrFile);
        return file.open(QIODevice::ReadOnly) ? FromSystemCodePage(file.readAll()) : QString();
    }
    // The procedure names of the records written, in order.
    QStringList procedures() const
    {
        const QString text = records();
        QStringList names;
        static const QRegularExpression record(QStringLiteral("处理程序: \\(([^)]*)\\)"));
        for (auto it = record.globalMatch(text); it.hasNext();)
            names << it.next().captured(1);
        return names;
    }

private:
    QTemporaryDir m_dir;
    QString m_old;
};

// RTF escapes for any text: \uN? for every character beyond ASCII.
inline QByteArray RtfText(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 0x80 && c != QLatin1Char('\\') && c != QLatin1Char('{') && c != QLatin1Char('}'))
            out += char(c.unicode());
        else
            out += "\\u" + QByteArray::number(qint16(c.unicode())) + "?";
    }
    return out;
}

struct DocumentTexts {
    QString body, header, footer, frame, shape;
    // A one-cell table after the body, and the document's title.
    QString table, title;
};

// An RTF document with each text in its place; an empty text leaves that part out.
inline QByteArray RtfDocument(const DocumentTexts& t)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\n";
    if (!t.title.isEmpty())
        rtf += "{\\info{\\title " + RtfText(t.title) + "}}\n";
    if (!t.header.isEmpty())
        rtf += "{\\header\\pard\\plain " + RtfText(t.header) + "\\par}\n";
    if (!t.footer.isEmpty())
        rtf += "{\\footer\\pard\\plain " + RtfText(t.footer) + "\\par}\n";
    rtf += "\\pard\\plain " + RtfText(t.body) + "\\par\n";
    if (!t.table.isEmpty())
        rtf += "\\trowd\\cellx4000\\pard\\intbl " + RtfText(t.table) + "\\cell\\row\n\\pard\n";
    if (!t.frame.isEmpty())
        rtf += "\\pard\\pvpara\\phmrg\\posx1000\\posy500\\absw3000\\abswrap2 " + RtfText(t.frame) + "\\par\n";
    if (!t.shape.isEmpty())
        rtf += "\\pard\\plain{\\shp{\\*\\shpinst\\shpleft500\\shptop2000\\shpright4000\\shpbottom3000\\shpwr3"
               "{\\sp{\\sn shapeType}{\\sv 1}}{\\shptxt \\pard " + RtfText(t.shape) + "\\par}}}\n";
    rtf += "\\par}\n";
    return rtf;
}

// An RTF document with a body only.
inline QByteArray RtfBody(const QString& body)
{
    DocumentTexts texts;
    texts.body = body;
    return RtfDocument(texts);
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A Word 97 document encrypted with a password, kept with the tests.
inline QString EncryptedDocFixture() { return QStringLiteral(TEZDESK_OFFICE_FIXTURES "/encrypted.doc"); }

// The five texts a test document carries, one in each place the office keeps text.
inline DocumentTexts FiveTexts()
{
    DocumentTexts t;
    t.body = QStringLiteral("正文軟件");
    t.header = QStringLiteral("頁首鼠標");
    t.footer = QStringLiteral("頁尾文字");
    t.frame = QStringLiteral("文字框內容");
    t.shape = QStringLiteral("圖形裡的字");
    return t;
}

// Texts as a comparable list: trimmed, empty ones dropped, sorted (the office gives the
// places of a document in no fixed order).
inline QStringList SortedTexts(QStringList texts)
{
    for (QString& t : texts)
        t = t.trimmed();
    texts.removeAll(QString());
    texts.sort();
    return texts;
}

inline QStringList SortedTexts(const DocumentTexts& t)
{
    return SortedTexts(QStringList{t.body, t.header, t.footer, t.frame, t.shape, t.table});
}

}  // namespace office_tests
