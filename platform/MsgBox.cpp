#include "platform/MsgBox.h"

#include "platform/App.h"
#include "platform/Modal.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

int MsgBox(const QString& prompt, int style, const QString& title)
{
    modal::Request request;
    request.kind = modal::Kind::Message;
    request.text = prompt;
    request.title = title.isEmpty() ? AppTitle() : title;
    request.buttons = style & 0x0F;
    request.icon = style & 0x70;
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

int ShowRealMessageBox(const modal::Request& request)
{
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
    struct ButtonSpec { QString caption; int answer; QMessageBox::ButtonRole role; };
    QList<ButtonSpec> specs;
    switch (request.buttons) {
    case vbOKCancel: specs = {{"确定", vbOK, QMessageBox::AcceptRole}, {"取消", vbCancel, QMessageBox::RejectRole}}; break;
    case vbAbortRetryIgnore: specs = {{"中止", vbAbort, QMessageBox::RejectRole}, {"重试", vbRetry, QMessageBox::AcceptRole}, {"忽略", vbIgnore, QMessageBox::AcceptRole}}; break;
    case vbYesNoCancel: specs = {{"是", vbYes, QMessageBox::YesRole}, {"否", vbNo, QMessageBox::NoRole}, {"取消", vbCancel, QMessageBox::RejectRole}}; break;
    case vbYesNo: specs = {{"是", vbYes, QMessageBox::YesRole}, {"否", vbNo, QMessageBox::NoRole}}; break;
    case vbRetryCancel: specs = {{"重试", vbRetry, QMessageBox::AcceptRole}, {"取消", vbCancel, QMessageBox::RejectRole}}; break;
    default: specs = {{"确定", vbOK, QMessageBox::AcceptRole}}; break;
    }
    QList<QPair<QAbstractButton*, int>> answers;
    for (const auto& spec : specs)
        answers.append({box.addButton(spec.caption, spec.role), spec.answer});
    box.exec();
    for (const auto& [button, answer] : answers)
        if (box.clickedButton() == button)
            return answer;
    return SafeDefaultAnswer(request.buttons);
}
