#include "office/OfficeFailure.h"

#include "core/Err.h"

void RaiseOfficeError(const office::OfficeError& error)
{
    using office::OfficeFailure;
    switch (error.failure()) {
    case OfficeFailure::StartFailed:
    case OfficeFailure::NotRunning:
        Err().Raise(errCannotCreateObject, error.message());
    case OfficeFailure::FileMissing:
        Err().Raise(errFileNotFound, error.message());
    case OfficeFailure::StoreFailed:
        Err().Raise(errPathFileAccess, error.message());
    case OfficeFailure::LoadFailed:
    case OfficeFailure::WrongFormat:
    case OfficeFailure::CallFailed:
    case OfficeFailure::TimedOut:
        break;
    }
    Err().Raise(errAutomation, error.message());
}
