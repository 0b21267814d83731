// A progress line for long jobs, shown on a terminal only.
#pragma once

#include <cstddef>
#include <string>

namespace vantor::host {

class Progress {
public:
    Progress(std::string verb, size_t total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Called before working on item `name`.
    void next(const std::string& name);

    // Prints one line of the job's output on stdout, keeping the progress
    // line out of its way.
    void report(const std::string& line);

private:
    void draw();
    void erase();

    std::string verb_;
    std::string current_;
    size_t total_;
    size_t done_ = 0;
    bool shown_;
};

}  // namespace vantor::host
