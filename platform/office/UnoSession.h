#pragma once
// Inside the office layer only: the UNO side of the suite and of its documents.
#include "platform/office/OfficeDocument.h"
#include "platform/office/OfficeError.h"
#include "platform/office/OfficeProcess.h"
#include "platform/office/OfficeSuite.h"
#include "platform/office/Watchdog.h"

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XReplaceDescriptor.hpp>
#include <rtl/ustring.hxx>

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace office {

namespace css = com::sun::star;
using css::uno::Reference;

inline rtl::OUString ToOUString(const QString& s)
{
    return rtl::OUString(reinterpret_cast<const sal_Unicode*>(s.utf16()), s.size());
}
inline QString ToQString(const rtl::OUString& s)
{
    return QString(reinterpret_cast<const QChar*>(s.getStr()), s.getLength());
}

// The Office type code of a drawing shape, from its UNO shape type (read from the shape, or
// given as read already).
int TypeCodeOf(const Reference<css::uno::XInterface>& shape);
int TypeCodeOfShapeType(const QString& type, const Reference<css::uno::XInterface>& shape);
// Gives a text (a shape, a cell, a range) the font, Western and Asian.
void SetFont(const Reference<css::uno::XInterface>& object, const QString& fontName);

struct OfficeSuite::Impl {
    explicit Impl(OfficeSettings s) : settings(std::move(s)) {}

    // Runs one call into the office under the watchdog. UNO failures become OfficeError with
    // the given failure (TimedOut when the watchdog ended the office meanwhile).
    template <class F>
    auto Call(OfficeFailure failure, const QString& what, F&& f, std::chrono::milliseconds limit = {})
        -> decltype(f());

    void Start();
    void Connect();
    void Stop();
    bool IsRunning();
    QString ProfileDir();
    void ReadProductName();

    OfficeSettings settings;
    OfficeProcess process;
    Watchdog watchdog{[this] { process.KillAsync(); }};
    std::unique_ptr<QTemporaryDir> ownProfile;
    QString pipeName;
    Reference<css::uno::XComponentContext> remoteContext;
    Reference<css::frame::XDesktop2> desktop;
    // Counts the office processes started, so that a document knows whether its office is
    // still the one it was loaded in.
    int generation = 0;
    int documentsLoaded = 0;
    QString productName;
    CallStatistics statistics;
};

struct Stories;
struct PresentationPages;
struct WorkbookSheets;

struct OfficeDocument::Impl {
    std::shared_ptr<OfficeSuite::Impl> suite;
    // A text document's stories, found once: editing their texts adds or removes none.
    std::shared_ptr<const Stories> stories;
    // A presentation's pages, found once: converting its texts adds or removes none.
    std::shared_ptr<PresentationPages> presentationPages;
    // A workbook's sheets and their drawing pages' shapes, found once.
    std::shared_ptr<WorkbookSheets> sheets;
    int generation = 0;
    Reference<css::lang::XComponent> component;
    QString path;
    QString filterName;
    DocumentKind kind = DocumentKind::Text;
    Reference<css::util::XReplaceDescriptor> replaceDescriptor;
    bool replaceMatchCase = false;
    // A workbook's open change of cells: whether one is open, whether its cells' layout is
    // held (undo and row heights off) and the settings to give back when it ends.
    bool cellChangesOpen = false;
    bool cellLayoutHeld = false;
    css::uno::Any heldUndo;
    css::uno::Any heldAdjustHeight;
};

template <class F>
auto OfficeSuite::Impl::Call(OfficeFailure failure, const QString& what, F&& f, std::chrono::milliseconds limit)
    -> decltype(f())
{
    if (!desktop.is() || !process.IsAlive())
        throw OfficeError(OfficeFailure::NotRunning, what + QStringLiteral(": the office is not running"));
    struct Timed {
        CallStatistics& statistics;
        std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
        ~Timed()
        {
            ++statistics.calls;
            statistics.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
    };
    try {
        WatchedCall watched(watchdog, limit.count() > 0 ? limit : settings.callTimeout);
        Timed timed{statistics};
        return f();
    } catch (const css::lang::DisposedException& e) {
        // Either the object was disposed (a closed document) or the bridge is gone because
        // the office is ending: give it a moment to end, so that the caller knows which.
        if (!watchdog.Expired() && process.WaitForExit(500))
            throw OfficeError(failure, what + QStringLiteral(": the office ended with code %1 (%2)")
                                                  .arg(process.ExitCode())
                                                  .arg(ToQString(e.Message)));
        if (!watchdog.Expired())
            throw OfficeError(failure, what + QStringLiteral(": ") + ToQString(e.Message));
        process.Kill();
        throw OfficeError(OfficeFailure::TimedOut, what + QStringLiteral(": the office did not answer in time"));
    } catch (const css::uno::Exception& e) {
        if (watchdog.Expired()) {
            process.Kill();
            throw OfficeError(OfficeFailure::TimedOut, what + QStringLiteral(": the office did not answer in time"));
        }
        if (!process.IsAlive())
            throw OfficeError(failure, what + QStringLiteral(": the office ended with code %1 (%2)")
                                               .arg(process.ExitCode())
                                               .arg(ToQString(e.Message)));
        throw OfficeError(failure, what + QStringLiteral(": ") + ToQString(e.Message));
    }
}

}  // namespace office
