#pragma once
// The office applications a folder-tree run holds: each is started at the first file of its
// kind and quit once, when the run ends, so one office serves every document of the run (the
// office layer itself replaces an office that died, and one that has served its share of
// documents).
#include <functional>

class OfficeRunHolds {
public:
    enum Kind { Word, Excel, PowerPoint, KindCount };

    OfficeRunHolds() = default;
    // Quits the applications held.
    ~OfficeRunHolds();
    OfficeRunHolds(const OfficeRunHolds&) = delete;
    OfficeRunHolds& operator=(const OfficeRunHolds&) = delete;

    // Starts the kind's application unless the run holds it already; false when it cannot be
    // started (a later file of the kind tries again).
    bool Hold(Kind kind);
    // As Hold, but tried once per run only: for a kind whose documents can do without a hold.
    void HoldOnce(Kind kind);

private:
    std::function<void()> m_exits[KindCount];
    bool m_tried[KindCount] = {};
};
