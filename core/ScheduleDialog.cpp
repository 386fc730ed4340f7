#include "core/ScheduleDialog.h"

#include "core/frmMain.h"
#include "platform/Twips.h"

#include <QTimer>
#include <QWidget>

namespace {
ScheduleDialogAccessor& Accessor()
{
    static ScheduleDialogAccessor accessor = nullptr;
    return accessor;
}
} // namespace

void RegisterScheduleDialog(ScheduleDialogAccessor dialog) { Accessor() = dialog; }

ScheduleDialog* TheScheduleDialog() { return Accessor() ? &Accessor()() : nullptr; }

void ShowScheduleDialogOverMainWindow()
{
    ScheduleDialog* dialog = TheScheduleDialog();
    if (!dialog)
        return;
    FrmMain& main = frmMain();
    const bool timerWasOn = main.Timer1->isActive();
    main.Timer1->stop();
    QWidget& window = dialog->DialogWindow();
    const QRect frame = main.frameGeometry();
    const int clientTop = main.frmClient->mapTo(&main, QPoint(0, 0)).y();
    window.setGeometry(frame.left(), frame.top() + clientTop + TwipsToPixels(600), frame.width(),
                       main.frmClient->height() + TwipsToPixels(400));
    struct TimerBack {
        QTimer* timer;
        bool on;
        ~TimerBack()
        {
            if (on)
                timer->start();
        }
    } timerBack{main.Timer1, timerWasOn};
    dialog->ShowDlg();
}
