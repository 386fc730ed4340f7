#pragma once
#include <QString>

// The login name of the user running the program.
QString LoginUserName();
// This computer's name.
QString ComputerName();
