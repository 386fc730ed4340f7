#pragma once
// Runs slow work (library conversions, copies) on a worker thread while the interface thread
// turns its event loop, so windows keep painting. One task at a time: the library
// is never called from two threads at once through here. A failure thrown by the work is
// thrown again on the calling thread. The work must not touch widgets.
#include <functional>

void RunOnWorker(const std::function<void()>& work);
