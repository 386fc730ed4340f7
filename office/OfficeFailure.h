#pragma once
// The office layer's failures as the program's run-time errors.
#include "platform/office/OfficeError.h"

// Error numbers of the office operations: the office cannot be started or reached; an office
// call failed (a document that does not open, has the wrong format, or cannot be changed).
constexpr int errCannotCreateObject = 429;
constexpr int errAutomation = 440;

// Throws the RuntimeError that stands for the office failure.
[[noreturn]] void RaiseOfficeError(const office::OfficeError& error);
