#include "platform/MousePointer.h"

#include <QApplication>
#include <QCursor>

namespace {
int& current()
{
    static int code = vbDefault;
    return code;
}
} // namespace

int MousePointer() { return current(); }

void SetMousePointer(int code)
{
    if (current() != vbDefault)
        QApplication::restoreOverrideCursor();
    current() = code;
    if (code == vbHourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (code != vbDefault)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
}
