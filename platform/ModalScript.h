#pragma once
// Scripts the modal seam for a test: each expected interaction is answered in order,
// every request is recorded, and a request with no answer left is answered with the
// safe default and counted as unexpected. Restores the previous handler when destroyed.
#include "platform/Modal.h"

#include <QList>
#include <functional>
#include <deque>

class ModalScript {
public:
    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The next message box is answered with this button (vbYes ...).
    ModalScript& answer(int button);
    // The next file dialog returns these files (none: cancelled); the next folder dialog the first.
    ModalScript& answerFiles(const QStringList& files);
    ModalScript& answerFile(const QString& file) { return answerFiles(file.isEmpty() ? QStringList() : QStringList{file}); }
    ModalScript& cancelFile() { return answerFiles({}); }
    // The next own dialog is driven by this function (set its controls, click its buttons).
    ModalScript& answerDialog(std::function<void(QDialog&)> drive);

    const QList<modal::Request>& asked() const { return m_asked; }
    // Requests that came when no scripted answer was left.
    int unexpected() const { return m_unexpected; }
    // Scripted answers never asked for.
    int pending() const { return static_cast<int>(m_answers.size()); }
    // The texts of the message boxes asked, in order.
    QStringList messages() const;

private:
    modal::Answer respond(const modal::Request& request);

    std::deque<modal::Answer> m_answers;
    QList<modal::Request> m_asked;
    int m_unexpected = 0;
    modal::Handler m_previous;
};
