#pragma once
#include <QString>

// Creates the folder path with every missing parent. Trailing "/" are ignored; an existing
// entry of that name (folder or file) is left alone. A folder that cannot be made gives one
// error-log record under "MakeDir" and nothing else: the caller goes on.
void MakeDir(const QString& path);
