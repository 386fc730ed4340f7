#include "platform/App.h"

namespace {
QString& title()
{
    static QString value = QStringLiteral("tezdesk");
    return value;
}
} // namespace

QString AppTitle() { return title(); }
void SetAppTitle(const QString& value) { title() = value; }
QString AppExeName() { return QStringLiteral("tezdesk"); }
