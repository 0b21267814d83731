// Test support for the robustness tests: one plug-in call made the way a host
// makes it, reduced to what the host sees (the result, and whether anything
// was handed out), with the platform's allocation-failure hook and live-block
// count found through the plug-in's handle.
#pragma once

#include <functional>

#include "frame/platform/allocation_test_hooks.h"
#include "tests/support/loaded_plugin.h"

namespace vantor::test {

struct CallOutcome {
    int result;
    bool handedOut;  // a handle or a file reached the host
};

// Makes the call and releases whatever it handed out.
using PluginCall = std::function<CallOutcome()>;

class AllocationHooks {
public:
    explicit AllocationHooks(const LoadedPlugin& plugin)
        : failAfter_(plugin.get<VantorFailAllocationAfterFn>("VantorFailAllocationAfter")),
          failed_(plugin.get<VantorAllocationFailureHappenedFn>("VantorAllocationFailureHappened")),
          live_(plugin.get<VantorLiveBlockCountFn>("VantorLiveBlockCount")) {}
    ~AllocationHooks() { failAfter_(-1); }

    void failAfter(int n) const { failAfter_(n); }
    bool failureHappened() const { return failed_() != 0; }
    long liveBlocks() const { return live_(); }

private:
    VantorFailAllocationAfterFn failAfter_;
    VantorAllocationFailureHappenedFn failed_;
    VantorLiveBlockCountFn live_;
};

// GetPicture's handles back from the host's side: both released when handed
// out, `handedOut` when either was written.
CallOutcome takePicture(const LoadedPlugin& plugin, GetPictureFn getPicture, const char* buf,
                        intptr_t len, unsigned flag);

}  // namespace vantor::test
