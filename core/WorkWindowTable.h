#pragma once
// The ten work windows of the main window, in the order of the function toolbar: the number
// SelectWindow gets, the toolbar button (key, caption, description, tooltip), the form name,
// the Window-menu command that selects it, and the accessor that loads it on first use.
#include <QString>
#include <vector>

class WorkWindow;

struct WorkWindowEntry {
    int number;
    const char* key;
    const char* caption;
    const char* description;
    const char* tooltip;
    const char* formName;
    const char* menuCommand;
};

const std::vector<WorkWindowEntry>& WorkWindowTable();

// The entry with this toolbar key, form name or Window-menu command; nullptr when none.
const WorkWindowEntry* WorkWindowByKey(const QString& key);
const WorkWindowEntry* WorkWindowByFormName(const QString& formName);
const WorkWindowEntry* WorkWindowByCommand(const QString& command);

// The accessor of a work window: loads it on first use.
using WorkWindowAccessor = WorkWindow& (*)();
// Registers the window shown for the table entry with this form name.
void RegisterWorkWindow(const QString& formName, WorkWindowAccessor form);
// The entry's window, loaded on first use; a run-time failure when none was registered.
WorkWindow& WorkWindowForm(const WorkWindowEntry& entry);
