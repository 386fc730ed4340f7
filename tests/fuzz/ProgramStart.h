#pragma once
// The whole program started once, in a temporary program folder, for the readers that fill
// its windows. Message boxes are answered with their safe default.
#include "ProgramFuzz.h"

#include "common/ProgramFolderFixture.h"
#include "platform/ModalScript.h"

namespace fuzz {

inline ProgramFolderFixture& program() {
    static ProgramFolderFixture* fx = [] {
        application();
        auto* f = new ProgramFolderFixture;
        ModalScript script;
        f->start();
        return f;
    }();
    return *fx;
}

}  // namespace fuzz
