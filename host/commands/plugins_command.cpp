#include <cstdio>

#include "host/commands/commands.h"

namespace vantor::host {

int runPlugins(const Session& session) {
    const char* labels[] = {"kind", "description", "pattern", "format"};
    for (const Plugin& plugin : session.plugins) {
        std::printf("%s  %s\n", plugin.name().c_str(), plugin.path().string().c_str());
        for (int i = 0; i < 4; ++i) std::printf("  %-12s %s\n", labels[i], plugin.info(i).c_str());
    }
    for (const std::string& skipped : session.skipped)
        std::printf("skipped  %s\n", skipped.c_str());
    return 0;
}

}  // namespace vantor::host
