#include "platform/office/OfficeDocument.h"

#include "platform/office/UnoSession.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextFramesSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XReplaceable.hpp>
#include <com/sun/star/util/XSearchDescriptor.hpp>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUrl>

#include <sys/stat.h>

#include <cstdio>

namespace office {

namespace {

using css::beans::PropertyValue;
using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

bool StartsWithAny(const QString& name, std::initializer_list<const char*> prefixes)
{
    for (const char* prefix : prefixes)
        if (name.startsWith(QLatin1String(prefix)))
            return true;
    return false;
}

bool IsAny(const QString& name, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        if (name == QLatin1String(n))
            return true;
    return false;
}

QString TextOf(const Reference<css::uno::XInterface>& object)
{
    Reference<css::text::XText> text(object, UNO_QUERY);
    return text.is() ? ToQString(text->getString()) : QString();
}

}  // namespace

bool FilterIsOfKind(const QString& filterName, DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Text:
        return StartsWithAny(filterName, {"MS Word ", "MS WinWord ", "Office Open XML Text"}) ||
               IsAny(filterName, {"Rich Text Format", "writer8", "writer8_template", "StarOffice XML (Writer)"});
    case DocumentKind::Spreadsheet:
        return StartsWithAny(filterName, {"MS Excel ", "Calc MS Excel ", "Calc Office Open XML"}) ||
               IsAny(filterName, {"calc8", "calc8_template", "StarOffice XML (Calc)", "OpenDocument Spreadsheet Flat XML"});
    case DocumentKind::Presentation:
        return StartsWithAny(filterName, {"MS PowerPoint ", "Impress MS PowerPoint ", "Impress Office Open XML"}) ||
               IsAny(filterName, {"impress8", "impress8_template", "StarOffice XML (Impress)", "OpenDocument Presentation Flat XML"});
    }
    return false;
}

OfficeDocument::OfficeDocument(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
OfficeDocument::OfficeDocument(OfficeDocument&&) noexcept = default;
OfficeDocument& OfficeDocument::operator=(OfficeDocument&& other) noexcept
{
    if (this != &other) {
        Close();
        m_impl = std::move(other.m_impl);
    }
    return *this;
}

OfficeDocument::~OfficeDocument() { Close(); }

QString OfficeDocument::Path() const { return m_impl ? m_impl->path : QString(); }

QString OfficeDocument::FilterName() const { return m_impl ? m_impl->filterName : QString(); }

bool OfficeDocument::IsOpen() const
{
    return m_impl && m_impl->component.is() && m_impl->suite->generation == m_impl->generation &&
           m_impl->suite->IsRunning();
}

void OfficeDocument::Close()
{
    if (!m_impl || !m_impl->component.is())
        return;
    if (IsOpen()) {
        try {
            m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral("Close"), [&] {
                Reference<css::util::XCloseable> closeable(m_impl->component, UNO_QUERY);
                if (closeable.is())
                    closeable->close(true);
                else
                    m_impl->component->dispose();
            }, std::chrono::seconds(30));
        } catch (const OfficeError&) {
        }
    }
    // What was found in the document goes with it.
    m_impl->stories.reset();
    m_impl->presentationPages.reset();
    m_impl->sheets.reset();
    m_impl->replaceDescriptor.clear();
    m_impl->component.clear();
}

namespace {

// A stored document gets the permissions of the file it replaces, or those a new file of cp
// gets (0666 less the umask), not the private ones of its temporary file.
bool GiveOutputMode(const QString& temporary, const QString& target)
{
    struct stat old {};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ::chmod(QFile::encodeName(temporary).constData(), mode) == 0;
}

} // namespace

void OfficeDocument::StoreAs(const QString& path, const QString& filterName)
{
    if (!IsOpen())
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path());
    const QFileInfo target(path);
    QTemporaryFile temporary(QDir(target.absolutePath()).filePath(QStringLiteral(".%1.XXXXXX.tmp").arg(target.fileName())));
    temporary.setAutoRemove(false);
    if (!temporary.open())
        throw OfficeError(OfficeFailure::StoreFailed, QStringLiteral("Cannot write into the folder of ") + path);
    const QString temporaryPath = temporary.fileName();
    temporary.close();
    try {
        m_impl->suite->Call(OfficeFailure::StoreFailed, QStringLiteral("Store ") + path, [&] {
            Reference<css::frame::XStorable> storable(m_impl->component, UNO_QUERY_THROW);
            PropertyValue values[2];
            values[0].Name = "FilterName";
            values[0].Value <<= ToOUString(filterName);
            values[1].Name = "Overwrite";
            values[1].Value <<= true;
            storable->storeToURL(
                ToOUString(QUrl::fromLocalFile(temporaryPath).toString(QUrl::FullyEncoded)),
                Sequence<PropertyValue>(values, 2));
        });
    } catch (...) {
        QFile::remove(temporaryPath);
        throw;
    }
    if (QFileInfo(temporaryPath).size() == 0 || !GiveOutputMode(temporaryPath, target.absoluteFilePath()) ||
        std::rename(QFile::encodeName(temporaryPath).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(temporaryPath);
        throw OfficeError(OfficeFailure::StoreFailed, QStringLiteral("Cannot write ") + path);
    }
}

void OfficeDocument::Store() { StoreAs(Path(), FilterName()); }

int OfficeDocument::ReplaceAll(const QString& search, const QString& replacement, bool matchCase)
{
    if (!IsOpen())
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path());
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral("Replace in ") + Path(), [&] {
        Reference<css::util::XReplaceable> replaceable(m_impl->component, UNO_QUERY_THROW);
        Reference<css::util::XReplaceDescriptor>& descriptor = m_impl->replaceDescriptor;
        if (!descriptor.is()) {
            descriptor = replaceable->createReplaceDescriptor();
            m_impl->replaceMatchCase = !matchCase;
        }
        if (m_impl->replaceMatchCase != matchCase) {
            Reference<css::beans::XPropertySet>(descriptor, UNO_QUERY_THROW)
                ->setPropertyValue("SearchCaseSensitive", Any(matchCase));
            m_impl->replaceMatchCase = matchCase;
        }
        descriptor->setSearchString(ToOUString(search));
        descriptor->setReplaceString(ToOUString(replacement));
        return int(replaceable->replaceAll(Reference<css::util::XSearchDescriptor>(descriptor, UNO_QUERY_THROW)));
    });
}

QStringList OfficeDocument::Texts() const
{
    if (!IsOpen())
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path());
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral("Texts of ") + Path(), [&] {
        QStringList texts;
        const Reference<css::lang::XComponent>& component = m_impl->component;
        Reference<css::text::XTextDocument> document(component, UNO_QUERY_THROW);
        texts.append(ToQString(document->getText()->getString()));

        Reference<css::style::XStyleFamiliesSupplier> families(component, UNO_QUERY_THROW);
        Reference<css::container::XNameAccess> pageStyles(families->getStyleFamilies()->getByName("PageStyles"), UNO_QUERY_THROW);
        for (const rtl::OUString& name : pageStyles->getElementNames()) {
            Reference<css::beans::XPropertySet> style(pageStyles->getByName(name), UNO_QUERY_THROW);
            for (const auto& [on, text] : {std::pair("HeaderIsOn", "HeaderText"), std::pair("FooterIsOn", "FooterText")}) {
                bool isOn = false;
                style->getPropertyValue(rtl::OUString::createFromAscii(on)) >>= isOn;
                if (isOn)
                    texts.append(TextOf(Reference<css::uno::XInterface>(
                        style->getPropertyValue(rtl::OUString::createFromAscii(text)), UNO_QUERY)));
            }
        }

        Reference<css::text::XTextFramesSupplier> framesSupplier(component, UNO_QUERY_THROW);
        Reference<css::container::XNameAccess> frames = framesSupplier->getTextFrames();
        for (const rtl::OUString& name : frames->getElementNames())
            texts.append(TextOf(Reference<css::uno::XInterface>(frames->getByName(name), UNO_QUERY)));

        // A text document's one drawing page holds its shapes (the interface is marked
        // deprecated for drawings, not for text documents).
        Reference<css::drawing::XDrawPageSupplier> pageSupplier(component, UNO_QUERY_THROW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        Reference<css::container::XIndexAccess> shapes(pageSupplier->getDrawPage(), UNO_QUERY_THROW);
#pragma GCC diagnostic pop
        for (sal_Int32 i = 0, n = shapes->getCount(); i < n; ++i) {
            Reference<css::lang::XServiceInfo> shape(shapes->getByIndex(i), UNO_QUERY);
            if (shape.is() && !shape->supportsService("com.sun.star.text.TextFrame"))
                texts.append(TextOf(shape));
        }
        return texts;
    });
}

}  // namespace office
