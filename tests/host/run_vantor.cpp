#include "tests/host/run_vantor.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vantor::test {

namespace {

std::string quoted(const std::string& word) {
    std::string out = "'";
    for (char c : word) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

Run runVantor(const std::vector<std::string>& args, const std::filesystem::path& cwd,
              const std::vector<std::string>& environment, const std::string& program) {
    // Test programs run in parallel: each run gets capture files of its own.
    static int runs = 0;
    const std::string tag = std::to_string(getpid()) + "-" + std::to_string(++runs);
    const auto out = std::filesystem::temp_directory_path() / ("vantor-run-" + tag + ".out");
    const auto err = std::filesystem::temp_directory_path() / ("vantor-run-" + tag + ".err");
    std::string command = "cd " + quoted(cwd.string()) + " && env -u VANTOR_PLUGIN_DIR";
    for (const std::string& setting : environment) command += " " + quoted(setting);
    command += " " + quoted(program);
    for (const std::string& arg : args) command += " " + quoted(arg);
    command += " >" + quoted(out.string()) + " 2>" + quoted(err.string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    Run run{status, slurp(out), slurp(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

}  // namespace vantor::test
