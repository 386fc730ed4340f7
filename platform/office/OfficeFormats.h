#pragma once
// The document formats the office writes in their own format: extension, kind of document and
// the store filter. File-list rows take their route from this table and documents are stored
// back with its filter, so a .docx never comes out as a Word 97 file.
#include "platform/office/OfficeDocument.h"

#include <QFileInfo>
#include <QString>

#include <array>

namespace office {

struct OfficeFormat {
    const char* extension; // bare, lower case
    DocumentKind kind;
    const char* storeFilter;
};

inline constexpr std::array<OfficeFormat, 8> kOfficeXmlFormats { {
    { "docx", DocumentKind::Text, "MS Word 2007 XML" },
    { "docm", DocumentKind::Text, "MS Word 2007 XML VBA" },
    { "dotx", DocumentKind::Text, "MS Word 2007 XML Template" },
    { "xlsx", DocumentKind::Spreadsheet, "Calc MS Excel 2007 XML" },
    { "xlsm", DocumentKind::Spreadsheet, "Calc MS Excel 2007 VBA XML" },
    { "pptx", DocumentKind::Presentation, "Impress MS PowerPoint 2007 XML" },
    { "pptm", DocumentKind::Presentation, "Impress MS PowerPoint 2007 XML VBA" },
    { "ppsx", DocumentKind::Presentation, "Impress MS PowerPoint 2007 XML AutoPlay" },
} };

// The table's row for the extension of path (case ignored), or nullptr.
inline const OfficeFormat* OfficeXmlFormatOf(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    for (const OfficeFormat& format : kOfficeXmlFormats)
        if (ext == QLatin1String(format.extension))
            return &format;
    return nullptr;
}

// The store filter for path: the table's filter for its extension, or fallback.
inline QString StoreFilterFor(const QString& path, const QString& fallback)
{
    const OfficeFormat* format = OfficeXmlFormatOf(path);
    return format ? QString::fromLatin1(format->storeFilter) : fallback;
}

inline QString StoreFilterFor(const QString& path, const char* fallback)
{
    return StoreFilterFor(path, QString::fromLatin1(fallback));
}

} // namespace office
