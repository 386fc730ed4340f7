#include "platform/office/OfficeSuite.h"

#include "platform/office/OfficeProfile.h"
#include "platform/office/UserOffice.h"
#include "platform/office/UnoSession.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/bootstrap.hxx>

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <QUrl>

#include <csignal>
#include <cstdlib>
#include <mutex>

#include <unistd.h>

namespace office {

namespace {

using css::beans::PropertyValue;
using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// The first start on a fresh profile sets the profile up and ends with this code.
constexpr int kFirstStartExitCode = 81;

rtl::OUString FileUrl(const QString& path)
{
    return ToOUString(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded));
}

// The program's own end of the UNO bridge, set up once per process. The office's own API
// types are added to the core types (otherwise the first remote proxy cannot be built).
Reference<css::uno::XComponentContext> LocalContext(const QString& programDir)
{
    static std::mutex mutex;
    static Reference<css::uno::XComponentContext> context;
    std::lock_guard lock(mutex);
    if (!context.is()) {
        const QString moreTypes =
            QStringLiteral("<%1>*").arg(QUrl::fromLocalFile(QDir(programDir).filePath(QStringLiteral("types"))).toString());
        setenv("URE_MORE_TYPES", moreTypes.toLocal8Bit().constData(), 1);
        try {
            context = cppu::defaultBootstrap_InitialComponentContext();
        } catch (const cppu::BootstrapException& e) {
            throw OfficeError(OfficeFailure::StartFailed,
                              QStringLiteral("Cannot set up the office bridge: ") + ToQString(e.getMessage()));
        } catch (const css::uno::Exception& e) {
            throw OfficeError(OfficeFailure::StartFailed,
                              QStringLiteral("Cannot set up the office bridge: ") + ToQString(e.Message));
        }
    }
    return context;
}

QString NewPipeName()
{
    static QAtomicInt counter;
    return OwnPipePrefix() + QStringLiteral("%1-%2").arg(getpid()).arg(counter.fetchAndAddRelaxed(1));
}

const char* DocumentService(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Text:
        return "com.sun.star.text.TextDocument";
    case DocumentKind::Spreadsheet:
        return "com.sun.star.sheet.SpreadsheetDocument";
    case DocumentKind::Presentation:
        return "com.sun.star.presentation.PresentationDocument";
    }
    return "";
}

bool IsOfKind(const Reference<css::uno::XInterface>& component, DocumentKind kind)
{
    Reference<css::lang::XServiceInfo> info(component, UNO_QUERY);
    return info.is() && info->supportsService(rtl::OUString::createFromAscii(DocumentService(kind)));
}

PropertyValue Property(const char* name, const Any& value)
{
    PropertyValue p;
    p.Name = rtl::OUString::createFromAscii(name);
    p.Value = value;
    return p;
}

QString LoadedFilterName(const Reference<css::lang::XComponent>& component)
{
    Reference<css::frame::XModel> model(component, UNO_QUERY);
    if (!model.is())
        return QString();
    const Sequence<PropertyValue> args = model->getArgs();
    for (const PropertyValue& p : args) {
        if (p.Name == "FilterName") {
            rtl::OUString name;
            p.Value >>= name;
            return ToQString(name);
        }
    }
    return QString();
}

void CloseComponent(const Reference<css::uno::XInterface>& component)
{
    Reference<css::util::XCloseable> closeable(component, UNO_QUERY);
    if (closeable.is()) {
        closeable->close(true);
        return;
    }
    Reference<css::lang::XComponent> disposable(component, UNO_QUERY);
    if (disposable.is())
        disposable->dispose();
}

}  // namespace

OfficeSettings DefaultOfficeSettings()
{
    OfficeSettings settings;
    settings.programDir = QStringLiteral(TEZDESK_OFFICE_PROGRAM_DIR);
    return settings;
}

QString OfficeSuite::Impl::ProfileDir()
{
    if (!settings.profileDir.isEmpty())
        return settings.profileDir;
    if (!ownProfile) {
        ownProfile = std::make_unique<QTemporaryDir>(QDir(QDir::tempPath()).filePath(QStringLiteral("tezdesk-office-XXXXXX")));
        if (!ownProfile->isValid())
            throw OfficeError(OfficeFailure::StartFailed, QStringLiteral("Cannot create the office's profile folder"));
    }
    return ownProfile->path();
}

bool OfficeSuite::Impl::IsRunning()
{
    return desktop.is() && process.IsAlive();
}

void OfficeSuite::Impl::Start()
{
    if (IsRunning())
        return;
    Stop();
    const QString program = QDir(settings.programDir).filePath(QStringLiteral("soffice.bin"));
    if (!QFileInfo(program).isExecutable())
        throw OfficeError(OfficeFailure::StartFailed, QStringLiteral("The office is not installed: ") + program);
    const QString profile = ProfileDir();
    if (!PrepareOfficeProfile(profile))
        throw OfficeError(OfficeFailure::StartFailed, QStringLiteral("Cannot write the office's profile: ") + profile);
    LocalContext(settings.programDir);
    // A write to the pipe of an office that has just ended must fail, not end the program.
    signal(SIGPIPE, SIG_IGN);

    pipeName = NewPipeName();
    const QStringList arguments{
        QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--norestore"),
        QStringLiteral("--nologo"), QStringLiteral("--nodefault"), QStringLiteral("--nolockcheck"),
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(QUrl::FullyEncoded),
        QStringLiteral("--accept=pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipeName)};
    const QStringList drop{QStringLiteral("URE_MORE_TYPES"), QStringLiteral("URE_BOOTSTRAP")};
    const QStringList set{QStringLiteral("LC_ALL=C.UTF-8"), QStringLiteral("SAL_USE_VCLPLUGIN=svp")};

    QElapsedTimer timer;
    timer.start();
    int firstStarts = 0;
    process.Start(program, arguments, drop, set);
    ++generation;
    for (;;) {
        if (!process.IsAlive()) {
            if (process.ExitCode() == kFirstStartExitCode && firstStarts++ < 2) {
                process.Start(program, arguments, drop, set);
                continue;
            }
            throw OfficeError(OfficeFailure::StartFailed,
                              QStringLiteral("The office ended at its start (exit code %1)").arg(process.ExitCode()));
        }
        try {
            Connect();
            break;
        } catch (const css::connection::NoConnectException&) {
        } catch (const css::uno::Exception& e) {
            if (timer.elapsed() >= settings.startTimeout.count()) {
                process.Kill();
                throw OfficeError(OfficeFailure::StartFailed, QStringLiteral("The office does not answer: ") + ToQString(e.Message));
            }
        }
        if (timer.elapsed() >= settings.startTimeout.count()) {
            process.Kill();
            throw OfficeError(OfficeFailure::StartFailed, QStringLiteral("The office did not answer in time"));
        }
        QThread::msleep(50);
    }
    documentsLoaded = 0;
    ReadProductName();
}

void OfficeSuite::Impl::Connect()
{
    const Reference<css::uno::XComponentContext> local = LocalContext(settings.programDir);
    WatchedCall watched(watchdog, settings.startTimeout);
    Reference<css::bridge::XUnoUrlResolver> resolver = css::bridge::UnoUrlResolver::create(local);
    Reference<css::uno::XInterface> remote =
        resolver->resolve(ToOUString(QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipeName)));
    Reference<css::uno::XComponentContext> context(remote, UNO_QUERY_THROW);
    Reference<css::frame::XDesktop2> newDesktop = css::frame::Desktop::create(context);
    remoteContext = context;
    desktop = newDesktop;
}

void OfficeSuite::Impl::ReadProductName()
{
    try {
        productName = Call(OfficeFailure::CallFailed, QStringLiteral("ProductName"), [&] {
            Reference<css::lang::XMultiServiceFactory> provider = css::configuration::theDefaultProvider::get(remoteContext);
            const Any node(Property("nodepath", Any(rtl::OUString("/org.openoffice.Setup/Product"))));
            Reference<css::container::XNameAccess> product(
                provider->createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess",
                                                      Sequence<Any>(&node, 1)),
                UNO_QUERY_THROW);
            rtl::OUString name, version;
            product->getByName("ooName") >>= name;
            product->getByName("ooSetupVersion") >>= version;
            return ToQString(name) + QLatin1Char(' ') + ToQString(version);
        }, settings.startTimeout);
    } catch (const OfficeError&) {
        productName.clear();
    }
}

void OfficeSuite::Impl::Stop()
{
    bool asked = false;
    if (desktop.is() && process.IsAlive()) {
        try {
            WatchedCall watched(watchdog, std::chrono::seconds(10));
            asked = desktop->terminate();
        } catch (const css::uno::Exception&) {
        }
    }
    desktop.clear();
    remoteContext.clear();
    // An office that was not asked, or refused, to end is ended.
    if (!asked || !process.WaitForExit(10000))
        process.Kill();
}

OfficeSuite::OfficeSuite(OfficeSettings settings) : m_impl(std::make_shared<Impl>(std::move(settings))) {}

OfficeSuite::~OfficeSuite()
{
    m_impl->process.Kill();
    m_impl->desktop.clear();
    m_impl->remoteContext.clear();
}

void OfficeSuite::Start() { m_impl->Start(); }

void OfficeSuite::Stop() { m_impl->Stop(); }

bool OfficeSuite::IsRunning() const { return m_impl->IsRunning(); }

long OfficeSuite::ProcessId() const { return m_impl->process.IsAlive() ? long(m_impl->process.Pid()) : 0; }

QString OfficeSuite::ProductName() const { return m_impl->productName; }

int OfficeSuite::DocumentsLoaded() const { return m_impl->documentsLoaded; }

int OfficeSuite::Starts() const { return m_impl->generation; }

CallStatistics OfficeSuite::Statistics() const { return m_impl->statistics; }

void OfficeSuite::SetCallTimeout(std::chrono::milliseconds limit) { m_impl->settings.callTimeout = limit; }

OfficeDocument OfficeSuite::Load(const QString& path, DocumentKind kind)
{
    Impl& s = *m_impl;
    const QFileInfo info(path);
    if (!info.isFile())
        throw OfficeError(OfficeFailure::FileMissing, QStringLiteral("File not found: ") + path);
    bool freshOffice = false;
    if (!s.IsRunning() || s.documentsLoaded >= s.settings.documentsPerProcess) {
        s.Stop();
        s.Start();
        freshOffice = true;
    }
    try {
        return LoadInto(path, kind);
    } catch (const OfficeError& e) {
        // A fresh office may still end once to finish setting up its profile; the document
        // gets a second office then.
        if (!freshOffice || e.failure() == OfficeFailure::TimedOut || s.IsRunning())
            throw;
        s.Stop();
        s.Start();
        return LoadInto(path, kind);
    }
}

OfficeDocument OfficeSuite::LoadInto(const QString& path, DocumentKind kind)
{
    Impl& s = *m_impl;
    ++s.documentsLoaded;
    const Sequence<PropertyValue> props = [] {
        const PropertyValue values[] = {
            Property("Hidden", Any(true)),
            Property("ReadOnly", Any(false)),
            Property("MacroExecutionMode", Any(css::document::MacroExecMode::NEVER_EXECUTE)),
            Property("UpdateDocMode", Any(css::document::UpdateDocMode::NO_UPDATE)),
            Property("Password", Any(rtl::OUString())),
        };
        return Sequence<PropertyValue>(values, std::size(values));
    }();
    Reference<css::lang::XComponent> component = s.Call(OfficeFailure::LoadFailed, QStringLiteral("Load ") + path, [&] {
        Reference<css::frame::XComponentLoader> loader(s.desktop, UNO_QUERY_THROW);
        return loader->loadComponentFromURL(FileUrl(path), "_blank", 0, props);
    });
    if (!component.is())
        throw OfficeError(OfficeFailure::LoadFailed, QStringLiteral("The office cannot open ") + path);

    auto impl = std::make_unique<OfficeDocument::Impl>();
    impl->suite = m_impl;
    impl->generation = s.generation;
    impl->component = component;
    impl->path = QFileInfo(path).absoluteFilePath();
    impl->kind = kind;
    OfficeDocument document(std::move(impl));
    const auto [filter, ofKind] = s.Call(OfficeFailure::LoadFailed, QStringLiteral("Load ") + path, [&] {
        return std::make_pair(LoadedFilterName(component), IsOfKind(component, kind));
    });
    if (!ofKind || !FilterIsOfKind(filter, kind))
        throw OfficeError(OfficeFailure::WrongFormat,
                          QStringLiteral("%1 is not a document of the expected kind (read as \"%2\")").arg(path, filter));
    document.m_impl->filterName = filter;
    return document;
}

int OfficeSuite::CloseAll(DocumentKind kind)
{
    Impl& s = *m_impl;
    if (!s.IsRunning())
        return 0;
    return s.Call(OfficeFailure::CallFailed, QStringLiteral("CloseAll"), [&] {
        Reference<css::container::XEnumerationAccess> components(s.desktop->getComponents(), UNO_QUERY_THROW);
        Reference<css::container::XEnumeration> e = components->createEnumeration();
        std::vector<Reference<css::uno::XInterface>> ofKind;
        while (e->hasMoreElements()) {
            Reference<css::uno::XInterface> component(e->nextElement(), UNO_QUERY);
            if (IsOfKind(component, kind))
                ofKind.push_back(component);
        }
        for (const auto& component : ofKind)
            CloseComponent(component);
        return int(ofKind.size());
    });
}

}  // namespace office
