#include "platform/ModalScript.h"

#include "platform/MsgBox.h"

ModalScript::ModalScript()
{
    m_previous = modal::setHandler([this](const modal::Request& r) { return respond(r); });
}

ModalScript::~ModalScript() { modal::setHandler(std::move(m_previous)); }

ModalScript& ModalScript::answer(int button)
{
    m_answers.push_back(modal::Answer{button, {}, 0, {}});
    return *this;
}

ModalScript& ModalScript::answerFiles(const QStringList& files)
{
    m_answers.push_back(modal::Answer{0, files, 0, {}});
    return *this;
}

ModalScript& ModalScript::answerDialog(std::function<void(QDialog&)> drive)
{
    m_answers.push_back(modal::Answer{0, {}, 0, std::move(drive)});
    return *this;
}

QStringList ModalScript::messages() const
{
    QStringList texts;
    for (const auto& r : m_asked)
        if (r.kind == modal::Kind::Message)
            texts << r.text;
    return texts;
}

modal::Answer ModalScript::respond(const modal::Request& request)
{
    m_asked.append(request);
    if (m_answers.empty()) {
        ++m_unexpected;
        modal::Answer fallback;
        fallback.button = SafeDefaultAnswer(request.buttons);
        return fallback;
    }
    modal::Answer next = std::move(m_answers.front());
    m_answers.pop_front();
    return next;
}
