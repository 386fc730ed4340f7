#include "core/Err.h"

#include <exception>

RuntimeError::RuntimeError(int number, const QString& description)
    : std::runtime_error(description.toStdString())
    , m_number(number)
    , m_description(description.isEmpty() ? ErrorDescription(number) : description)
{
}

ErrObject& Err()
{
    static ErrObject err;
    return err;
}

void ErrObject::Set(int number, const QString& description)
{
    Number = number;
    Description = description.isEmpty() ? ErrorDescription(number) : description;
}

void ErrObject::Raise(int number, const QString& description)
{
    Set(number, description);
    throw RuntimeError(Number, Description);
}

void CaptureCurrentException()
{
    std::exception_ptr current = std::current_exception();
    if (!current)
        return;
    try {
        std::rethrow_exception(current);
    } catch (const RuntimeError& e) {
        Err().Set(e.number(), e.description());
    } catch (const std::bad_alloc&) {
        Err().Set(errOutOfMemory);
    } catch (const std::exception& e) {
        Err().Set(errInvalidCall, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        Err().Set(errInvalidCall);
    }
}

QString ErrorDescription(int number)
{
    switch (number) {
    case errInvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case errOutOfMemory: return QStringLiteral("Out of memory");
    case errSubscript: return QStringLiteral("Subscript out of range");
    case errDllLoad: return QStringLiteral("Error in loading DLL");
    case errBadFileName: return QStringLiteral("Bad file name or number");
    case errFileNotFound: return QStringLiteral("File not found");
    case errFileExists: return QStringLiteral("File already exists");
    case errDiskFull: return QStringLiteral("Disk full");
    case errPermissionDenied: return QStringLiteral("Permission denied");
    case errPathFileAccess: return QStringLiteral("Path/File access error");
    case errPathNotFound: return QStringLiteral("Path not found");
    case errDllEntry: return QStringLiteral("Can't find DLL entry point");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}
