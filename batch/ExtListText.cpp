#include "batch/ExtListText.h"

#include "core/FileTypes.h"

#include <QStringList>

bool ExtTextHasExtension(const QString& text)
{
    QStringList extensions;
    ParseExtList(extensions, text);
    for (const QString& ext : extensions)
        if (!ext.isEmpty())
            return true;
    return false;
}
