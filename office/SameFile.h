#pragma once
#include <QString>

// Whether two paths name one file: the same device and inode when both exist, otherwise the
// same absolute, cleaned path.
bool IsSameFile(const QString& a, const QString& b);
