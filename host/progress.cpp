#include "host/progress.h"

#include <cstdio>

#if defined(_WIN32)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace vantor::host {

Progress::Progress(std::string verb, size_t total)
    : verb_(std::move(verb)), total_(total), shown_(total > 1 && isatty(fileno(stderr))) {}

Progress::~Progress() { erase(); }

void Progress::next(const std::string& name) {
    ++done_;
    current_ = name;
    draw();
}

void Progress::report(const std::string& line) {
    erase();
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    draw();
}

void Progress::draw() {
    if (!shown_) return;
    std::fprintf(stderr, "\r\033[K%s %zu/%zu %s", verb_.c_str(), done_, total_, current_.c_str());
    std::fflush(stderr);
}

void Progress::erase() {
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}

}  // namespace vantor::host
