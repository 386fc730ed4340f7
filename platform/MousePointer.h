#pragma once
// The program's mouse pointer by its classic codes.
constexpr int vbDefault = 0;
constexpr int vbArrow = 1;
constexpr int vbHourglass = 11;

int MousePointer();
void SetMousePointer(int code);

// Shows a pointer while alive and restores the pointer it found.
class MousePointerKeeper {
public:
    explicit MousePointerKeeper(int code = vbHourglass) : m_saved(MousePointer()) { SetMousePointer(code); }
    ~MousePointerKeeper() { SetMousePointer(m_saved); }
    MousePointerKeeper(const MousePointerKeeper&) = delete;
    MousePointerKeeper& operator=(const MousePointerKeeper&) = delete;

private:
    int m_saved;
};
