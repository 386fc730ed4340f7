#include "core/UnattendedRun.h"

#include "core/Globals.h"
#include "core/Log.h"
#include "platform/MsgBox.h"

namespace {
QString KindName(modal::Kind kind)
{
    switch (kind) {
    case modal::Kind::Message: return QStringLiteral("message");
    case modal::Kind::OpenFile: return QStringLiteral("open dialog");
    case modal::Kind::SaveFile: return QStringLiteral("save dialog");
    case modal::Kind::Folder: return QStringLiteral("folder dialog");
    case modal::Kind::Dialog: return QStringLiteral("dialog");
    }
    return QString();
}
} // namespace

modal::Answer AnswerUnattended(const modal::Request& request)
{
    modal::Answer answer;
    if (request.kind == modal::Kind::Message)
        answer.button = SafeDefaultAnswer(request.buttons);
    // The run log records it whether or not the run-log switch is on: nobody saw it.
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString what = request.kind == modal::Kind::Dialog ? request.dialogName : text;
    const QString line = TimeStamped(QStringLiteral("Unattended run, ") + KindName(request.kind)
        + QStringLiteral(" not shown: [") + request.title + QStringLiteral("] ") + what
        + (request.kind == modal::Kind::Message ? QStringLiteral(" -> answer ") + QString::number(answer.button)
                                                : QStringLiteral(" -> cancelled")));
    if (!gsLogFile.isEmpty())
        WriteTEXT(line, gsLogFile);
    return answer;
}

UnattendedRun::UnattendedRun()
    : m_wasSchedRun(gbSchedRun)
{
    gbSchedRun = true;
    m_previous = modal::setHandler([](const modal::Request& r) { return AnswerUnattended(r); });
}

UnattendedRun::~UnattendedRun()
{
    modal::setHandler(std::move(m_previous));
    gbSchedRun = m_wasSchedRun;
}
