#include "core/KeptWork.h"

#include "core/Log.h"

UserWorkKept::UserWorkKept()
{
    for (const auto& part : ProjectParts())
        m_parts.push_back(part->Keep());
}

void UserWorkKept::PutBack()
{
    EmptyProjectLists();
    for (const auto& kept : m_parts) {
        if (!kept)
            continue;
        try {
            kept->PutBack(); // one part that fails leaves the others to come back
        } catch (...) {
            ErrorLogQuiet(QStringLiteral("UserWorkKept"));
        }
    }
}

void EmptyProjectLists()
{
    for (const auto& part : ProjectParts())
        part->Empty();
}
