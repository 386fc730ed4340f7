#pragma once
// Run-time failures. Layers and procedures throw RuntimeError with a number and a
// description; a procedure that traps failures catches them and calls an error-log writer,
// which reads the failure in flight (or the last one raised) from Err().
#include <QString>
#include <stdexcept>

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& description);
    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

// Classic run-time error numbers the program raises.
constexpr int errInvalidCall = 5;
constexpr int errOutOfMemory = 7;
constexpr int errSubscript = 9;
constexpr int errBadFileName = 52;
constexpr int errFileNotFound = 53;
constexpr int errFileExists = 58;
constexpr int errDiskFull = 61;
constexpr int errPermissionDenied = 70;
constexpr int errPathFileAccess = 75;
constexpr int errPathNotFound = 76;
constexpr int errDllLoad = 48;
constexpr int errDllEntry = 453;

// The last failure: number and description.
struct ErrObject {
    int Number = 0;
    QString Description;
    void Clear() { Number = 0; Description.clear(); }
    // Records a failure without throwing; an empty description is the number's standard one.
    void Set(int number, const QString& description = QString());
    // Throws a RuntimeError with this number and description.
    [[noreturn]] void Raise(int number, const QString& description = QString());
};

ErrObject& Err();

// Takes the exception in flight (when called inside a catch block) into Err().
void CaptureCurrentException();

// The standard description of a classic error number ("File not found" ...).
QString ErrorDescription(int number);
