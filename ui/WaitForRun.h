#pragma once
// A command that may run for minutes, waited for on the user-interface thread
// without leaving the windows unpainted or marked as not responding.
#include <functional>

namespace permora {

// Runs `work` on a worker thread and returns its result once it has finished.
// Meanwhile the thread's windows keep painting and answering sent messages,
// show the wait cursor and take no input: keys and clicks are dropped.
int WaitForRun(const std::function<int()>& work);

// True while WaitForRun waits: windows show the wait cursor.
bool RunInProgress();

}  // namespace permora
