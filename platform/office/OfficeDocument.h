#pragma once
// A document open in the program's office. It is closed when the object goes (or by Close).
#include <QString>
#include <QStringList>

#include <memory>

namespace office {

enum class DocumentKind { Text, Spreadsheet, Presentation };

// Store filters by the formats the program writes.
inline constexpr const char* kFilterWord97 = "MS Word 97";
inline constexpr const char* kFilterRtf = "Rich Text Format";
inline constexpr const char* kFilterExcel97 = "MS Excel 97";
inline constexpr const char* kFilterPowerPoint97 = "MS PowerPoint 97";

// Whether a load filter belongs to documents of the kind (the word-processor, spreadsheet or
// presentation formats the program converts).
bool FilterIsOfKind(const QString& filterName, DocumentKind kind);

class OfficeDocument {
public:
    struct Impl;
    explicit OfficeDocument(std::unique_ptr<Impl> impl);
    OfficeDocument(OfficeDocument&&) noexcept;
    OfficeDocument& operator=(OfficeDocument&&) noexcept;
    ~OfficeDocument();

    // The path it was loaded from and the filter the office loaded it with.
    QString Path() const;
    QString FilterName() const;

    // Writes the document to path in the filter: first into a temporary file beside path,
    // which then replaces path, so a failed store leaves path as it was. Throws
    // OfficeError(StoreFailed / TimedOut).
    void StoreAs(const QString& path, const QString& filterName);
    // Writes the document back to its own path in the format it was loaded in.
    void Store();

    // Text documents: replaces every occurrence of search (case matched or not) in the
    // whole document; returns the number of replacements.
    int ReplaceAll(const QString& search, const QString& replacement, bool matchCase);
    // Text documents: the texts of the body, every page style's headers and footers, the
    // text frames and the drawing shapes, each as one string.
    QStringList Texts() const;

    // Closes the document without saving; never throws. Also done by the destructor.
    void Close();
    bool IsOpen() const;

private:
    friend class OfficeSuite;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace office
