#include "platform/Modal.h"

#include "platform/MsgBox.h"
#include "platform/CommonDialogUi.h"

#include <QApplication>
#include <QDialog>

namespace modal {
namespace {
Handler& installed()
{
    static Handler handler;
    return handler;
}

// How many interactions through the seam are open (a box can open another).
int g_waiting = 0;

struct Waiting {
    Waiting() { ++g_waiting; }
    ~Waiting() { --g_waiting; }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;
};
} // namespace

Handler setHandler(Handler handler)
{
    Handler previous = std::move(installed());
    installed() = std::move(handler);
    return previous;
}

bool hasHandler() { return static_cast<bool>(installed()); }

bool isWaiting()
{
    return g_waiting > 0 || QApplication::activeModalWidget() || QApplication::activePopupWidget();
}

Answer ask(const Request& request)
{
    const Waiting waiting;
    if (installed())
        return installed()(request);
    switch (request.kind) {
    case Kind::Message:
        return Answer{ShowRealMessageBox(request), {}, 0, {}};
    case Kind::OpenFile:
    case Kind::SaveFile:
    case Kind::Folder:
        return ShowRealFileDialog(request);
    case Kind::Dialog:
        break;
    }
    return {};
}

int execDialog(QDialog& dialog)
{
    const Waiting waiting;
    if (!installed())
        return dialog.exec();
    Request request;
    request.kind = Kind::Dialog;
    request.dialogName = dialog.objectName();
    request.title = dialog.windowTitle();
    Answer answer = installed()(request);
    dialog.setResult(QDialog::Rejected);
    if (answer.drive)
        answer.drive(dialog);
    return dialog.result();
}

} // namespace modal
