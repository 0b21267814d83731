// The one way the host reports a problem: a file and what is wrong with it,
// printed as one line by main.
#pragma once

#include <stdexcept>
#include <string>

namespace vantor::host {

class Failure : public std::runtime_error {
public:
    Failure(std::string file, const std::string& problem)
        : std::runtime_error(file.empty() ? problem : file + ": " + problem),
          file_(std::move(file)) {}
    const std::string& file() const { return file_; }

private:
    std::string file_;
};

}  // namespace vantor::host
