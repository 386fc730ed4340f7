#pragma once
// Whether the user runs an office suite of their own: a process of the same user whose
// program is the office's ("soffice.bin" or "soffice"), leaving out the offices this
// program starts (they listen on pipes named OwnPipePrefix()).
#include <QString>

namespace office {

bool UserOfficeRunning();

// The start of the pipe names of the program's own office processes.
QString OwnPipePrefix();

}  // namespace office
