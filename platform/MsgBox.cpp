#include "platform/MsgBox.h"

#include "platform/App.h"
#include "platform/Modal.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

int MsgBox(const QString& prompt, int style, const QString& title)
{
    modal::Request request;
    request.kind = modal::Kind::Message;
    request.text = prompt;
    request.title = title.isEmpty() ? AppTitle() : title;
    request.buttons = style & 0x0F;
    request.icon = style & 0x70;
    request.defaultButton = ((style & 0x300) >> 8) + 1;
    return modal::ask(request).button;
}

int SafeDefaultAnswer(int style)
{
    switch (style & 0x0F) {
    case vbOKOnly: return vbOK;
    case vbYesNo: return vbNo;
    case vbAbortRetryIgnore: return vbAbort;
    default: return vbCancel;
    }
}

void Beep() { QApplication::beep(); }

namespace {
// Platforms that draw into no screen a user could see (QT_QPA_PLATFORM=offscreen ...).
bool NoVisibleScreen()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}
} // namespace

int ShowRealMessageBox(const modal::Request& request)
{
    // Nobody could answer a box drawn into no screen: the message goes to the standard error
    // and gets the answer that loses nothing, instead of waiting for ever.
    if (NoVisibleScreen()) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(request.title), qUtf8Printable(request.text));
        return SafeDefaultAnswer(request.buttons);
    }
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(request.text);
    switch (request.icon) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct ButtonChoice { QString caption; int answer; QMessageBox::ButtonRole role; };
    QList<ButtonChoice> choices;
    switch (request.buttons) {
    case vbOKCancel: choices = {{"确定", vbOK, QMessageBox::AcceptRole}, {"取消", vbCancel, QMessageBox::RejectRole}}; break;
    case vbAbortRetryIgnore: choices = {{"中止", vbAbort, QMessageBox::RejectRole}, {"重试", vbRetry, QMessageBox::AcceptRole}, {"忽略", vbIgnore, QMessageBox::AcceptRole}}; break;
    case vbYesNoCancel: choices = {{"是", vbYes, QMessageBox::YesRole}, {"否", vbNo, QMessageBox::NoRole}, {"取消", vbCancel, QMessageBox::RejectRole}}; break;
    case vbYesNo: choices = {{"是", vbYes, QMessageBox::YesRole}, {"否", vbNo, QMessageBox::NoRole}}; break;
    case vbRetryCancel: choices = {{"重试", vbRetry, QMessageBox::AcceptRole}, {"取消", vbCancel, QMessageBox::RejectRole}}; break;
    default: choices = {{"确定", vbOK, QMessageBox::AcceptRole}}; break;
    }
    QList<QPair<QPushButton*, int>> answers;
    for (const auto& choice : choices)
        answers.append({box.addButton(choice.caption, choice.role), choice.answer});
    if (request.defaultButton >= 1 && request.defaultButton <= answers.size())
        box.setDefaultButton(answers[request.defaultButton - 1].first);
    box.exec();
    for (const auto& [button, answer] : answers)
        if (box.clickedButton() == button)
            return answer;
    return SafeDefaultAnswer(request.buttons);
}
