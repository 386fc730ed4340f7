#pragma once
// Message boxes with the classic style word: buttons + icon, and numeric answers.
#include <QString>

constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;

constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;

constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;

constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

namespace modal { struct Request; }

// Shows a message box through the modal seam. An empty title means the program title.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());

// The answer that loses nothing and commits to nothing for a style: OK for an OK box,
// otherwise Cancel, or No where there is no Cancel.
int SafeDefaultAnswer(int style);

// A short system beep.
void Beep();

// Shows a real message box for a request (used by the seam when no handler is installed).
int ShowRealMessageBox(const modal::Request& request);
