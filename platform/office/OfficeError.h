#pragma once
// Failures of the office layer. Every call that cannot do its job throws an OfficeError;
// none reports success for work it did not do.
#include <QString>

#include <stdexcept>

namespace office {

enum class OfficeFailure {
    StartFailed,   // the office process could not be started or did not answer
    NotRunning,    // a call needs a running office and there is none
    FileMissing,   // the document to load does not exist
    LoadFailed,    // the office could not load the document (corrupt, encrypted, unreadable)
    WrongFormat,   // the document loaded as something other than what was asked for
    StoreFailed,   // the document could not be written
    CallFailed,    // any other failure the office reported
    TimedOut,      // the office did not answer in time and was ended
};

class OfficeError : public std::runtime_error {
public:
    OfficeError(OfficeFailure failure, const QString& message)
        : std::runtime_error(message.toStdString()), m_failure(failure), m_message(message)
    {
    }
    OfficeFailure failure() const { return m_failure; }
    QString message() const { return m_message; }

private:
    OfficeFailure m_failure;
    QString m_message;
};

}  // namespace office
