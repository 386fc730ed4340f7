#pragma once
// Runs slow work (library conversions, copies) on a worker thread while the interface thread
// turns its event loop, so windows keep painting; called from any other thread, the work runs
// on that thread. The library orders calls on one statement itself. A failure thrown by the
// work is thrown again on the calling thread. The work must not touch widgets.
#include <functional>

void RunOnWorker(const std::function<void()>& work);
