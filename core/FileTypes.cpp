#include "core/FileTypes.h"

#include "core/Err.h"
#include "platform/office/OfficeFormats.h"
#include "resources/Pictures.h"

#include <QFileInfo>

QStringList gcolHtmlExt;
QStringList gcolTextExt;
QStringList gcolWordExt;
QStringList gcolXlsExt;
QStringList gcolPptExt;
QStringList gcolNoExt;

GridPicture gPicFailed;
GridPicture gPicTypeTxt;
GridPicture gPicTypeDoc;
GridPicture gPicTypeXls;
GridPicture gPicTypePpt;
GridPicture gPicTypeOther;

namespace {

constexpr int errResourceNotFound = 326;

QPixmap LoadPicture(int id)
{
    QPixmap picture = LoadResPicture(id);
    if (picture.isNull())
        Err().Raise(errResourceNotFound, QStringLiteral("Resource with identifier '%1' not found").arg(id));
    return picture;
}

bool IsExtSeparator(QChar c)
{
    return c == QLatin1Char(';') || c == QLatin1Char(',') || c == QLatin1Char(' ') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r');
}

QString ExtensionOfToken(const QString& token)
{
    const int star = token.indexOf(QLatin1String("*."));
    return star >= 0 ? token.mid(star + 2) : token.mid(1);
}

} // namespace

void InitFileTypes()
{
    gcolHtmlExt = QStringList { QStringLiteral("htm"), QStringLiteral("html") };
    gcolTextExt = QStringList { QStringLiteral("txt") };
    gcolWordExt = QStringList { QStringLiteral("doc"), QStringLiteral("rtf"), QStringLiteral("pab"),
        QStringLiteral("olk"), QStringLiteral("scd"), QStringLiteral("wk1"), QStringLiteral("wk3"),
        QStringLiteral("wk4"), QStringLiteral("sam"), QStringLiteral("mcw"), QStringLiteral("wri"),
        QStringLiteral("cwi") };
    gcolXlsExt = QStringList { QStringLiteral("xls") };
    gcolPptExt = QStringList { QStringLiteral("ppt") };
    gcolNoExt.clear();
    for (const office::OfficeFormat& format : office::kOfficeXmlFormats) {
        QStringList& list = format.kind == office::DocumentKind::Text ? gcolWordExt
            : format.kind == office::DocumentKind::Spreadsheet         ? gcolXlsExt
                                                                       : gcolPptExt;
        list << QString::fromLatin1(format.extension);
    }

    gPicTypeTxt = LoadPicture(ResPicTypeTxt);
    gPicTypeDoc = gPicTypeXls = gPicTypePpt = LoadPicture(ResPicTypeOffice);
    gPicTypeOther = LoadPicture(ResPicTypeOther);
    gPicFailed = LoadPicture(ResPicFailed);
}

void ParseExtList(QStringList& list, const QString& text)
{
    list.clear();
    if (text.isEmpty())
        return;
    if (IsExtSeparator(text.front()))
        list << ExtensionOfToken(QString());
    int start = -1;
    for (int i = 0; i <= text.size(); ++i) {
        const bool separator = i == text.size() || IsExtSeparator(text.at(i));
        if (!separator && start < 0)
            start = i;
        if (separator && start >= 0) {
            list << ExtensionOfToken(text.mid(start, i - start));
            start = -1;
        }
    }
}

bool IsExtInList(const QString& name, const QStringList& list, bool lookUp)
{
    QString s = name;
    if (lookUp) {
        const QFileInfo info(name);
        s = !name.isEmpty() && info.isFile() ? info.fileName() : QString();
    }
    if (s.isEmpty())
        return false;
    const int dot = s.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    return list.contains(s.mid(dot + 1), Qt::CaseInsensitive);
}
