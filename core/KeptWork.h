#pragma once
// The user's work in the windows (options, lists, the database window's connection) held
// while scheduled projects are read into the same windows and run, and put back afterwards.
#include "core/ProjectPart.h"

#include <memory>
#include <vector>

class UserWorkKept {
public:
    // Keeps what every project part shows now.
    UserWorkKept();
    // Empties the windows and shows the kept work again, in the parts' order.
    void PutBack();

private:
    std::vector<std::unique_ptr<KeptProjectPart>> m_parts;
};

// Empties every list a project is read into, and the database window's source, so that the
// project read next converts exactly what it holds.
void EmptyProjectLists();
