#include "core/ProjectPart.h"

#include "core/ProjectLine.h"

namespace {
std::vector<std::unique_ptr<ProjectPart>>& Parts()
{
    static std::vector<std::unique_ptr<ProjectPart>> parts;
    return parts;
}
} // namespace

void RegisterProjectPart(std::unique_ptr<ProjectPart> part) { Parts().push_back(std::move(part)); }

const std::vector<std::unique_ptr<ProjectPart>>& ProjectParts() { return Parts(); }

void ProjectWriter::HeaderCount(qint64 count) { m_header << ProjectNumber(count); }

void ProjectWriter::OptionLine(const QStringList& fields) { m_options << fields; }

void ProjectWriter::AppendToOptionLine(const QStringList& fields)
{
    if (m_options.isEmpty())
        m_options << QStringList();
    m_options.last() << fields;
}

void ProjectWriter::TableLine(const QString& line) { m_tables << line; }

QString ProjectWriter::Text() const
{
    QStringList lines;
    lines << ProjectLine(QStringList{ProjectText(m_folderLayout ? QStringLiteral("Header:WSP") : QStringLiteral("Header"))}
                         + m_header);
    for (const QStringList& option : m_options)
        lines << ProjectLine(option);
    lines << ProjectLine({ProjectText(QStringLiteral("-")), ProjectNumber(9)});
    lines << m_tables;
    lines << QStringLiteral("0,\"-\",\"-\",99");
    lines << m_rows;
    const QString crLf = QStringLiteral("\r\n");
    return lines.join(crLf) + crLf;
}
