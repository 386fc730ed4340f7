#pragma once
// The one seam through which every modal interaction passes: message boxes, file and
// folder dialogs and the program's own dialogs. Normally it shows the real thing; a test
// installs a handler (see ModalScript.h) that answers from a script and records what
// was asked, so no test ever waits on a real modal loop.
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;

namespace modal {

enum class Kind { Message, OpenFile, SaveFile, Folder, Dialog };

struct Request {
    Kind kind = Kind::Message;
    QString text;        // message text
    QString title;       // window title
    int icon = 0;        // message box icon (vbCritical ...), 0 for none
    int buttons = 0;     // message box buttons (vbOKOnly ...)
    int defaultButton = 1; // 1-based position of the message box's default button
    // File dialogs
    QString filter;      // "description|pattern|..." form
    int filterIndex = 1; // 1-based
    QString initDir;
    QString defaultExt;
    QString fileName;    // proposed file name
    int flags = 0;
    // Own dialogs: the dialog's object name
    QString dialogName;
};

struct Answer {
    int button = 0;                            // message box answer (vbOK ...)
    QStringList files;                         // chosen files or folder; empty = cancelled
    int filterIndex = 0;                       // chosen filter (0: unchanged)
    std::function<void(QDialog&)> drive;       // acts on an own dialog (sets controls, clicks)
};

using Handler = std::function<Answer(const Request&)>;

// Installs a handler (an empty one restores the real user interface); returns the previous one.
Handler setHandler(Handler handler);
bool hasHandler();

// True while a modal interaction is in progress: a message box, a file or folder dialog or one
// of the program's own dialogs asked through this seam, or a modal Qt dialog or context menu
// shown directly. Timers that must not act inside a modal wait ask this.
bool isWaiting();

// Asks the installed handler, or shows the real dialog.
Answer ask(const Request& request);

// Runs one of the program's own dialogs modally through the seam; returns its result
// (QDialog::Accepted or Rejected).
int execDialog(QDialog& dialog);

} // namespace modal
