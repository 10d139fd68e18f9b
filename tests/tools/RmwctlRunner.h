#pragma once
// Runs the rmwctl program against a machine folder and collects what it printed.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/TestMachine.h"

namespace testsupport {

struct RmwctlOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

class RmwctlRunner {
  public:
    explicit RmwctlRunner(std::filesystem::path machineFolder)
        : machineFolder_(std::move(machineFolder)) {}

    // Runs rmwctl with ARGUMENTS, each passed as one word.
    RmwctlOutcome run(const std::vector<std::string>& arguments) const {
        return runWithOutputTo(output_.path() / "stdout", arguments);
    }

    // Runs rmwctl with its standard output sent to OUT (a file or a device).
    RmwctlOutcome runWithOutputTo(const std::filesystem::path& out,
                                  const std::vector<std::string>& arguments) const {
        return runCommand("", out, arguments);
    }

    // Runs rmwctl where no file may grow past BLOCKS blocks of the shell's "ulimit -f"
    // (512 or 1024 bytes): a write beyond it kills the program, as a full disk or a
    // crash would stop it halfway.
    RmwctlOutcome runWithFileSizeLimit(int blocks, const std::vector<std::string>& arguments) const {
        return runCommand("ulimit -f " + std::to_string(blocks) + "; ", output_.path() / "stdout",
                          arguments);
    }

    // Runs rmwctl as the user nobody, for whom file permissions hold (they do not for
    // root). The machine folder and the files named must be open to that user.
    RmwctlOutcome runUnprivileged(const std::vector<std::string>& arguments) const {
        const std::string prefix =
            ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups env " : "";
        return runCommand(prefix, output_.path() / "stdout", arguments);
    }

  private:
    RmwctlOutcome runCommand(const std::string& prefix, const std::filesystem::path& out,
                             const std::vector<std::string>& arguments) const {
        const char* bin = std::getenv("ROAMWISE_TEST_BIN");
        EXPECT_NE(bin, nullptr) << "ROAMWISE_TEST_BIN names the folder of rmwctl";
        if (bin == nullptr) return {};
        const auto err = output_.path() / "stderr";
        std::string command = prefix + "ROAMWISE_MACHINE=" + quoted(machineFolder_.string()) +
                              " " + quoted(std::string(bin) + "/rmwctl");
        for (const auto& argument : arguments) command += " " + quoted(argument);
        command += " >" + quoted(out.string()) + " 2>" + quoted(err.string()) + " </dev/null";
        const int raw = std::system(command.c_str());
        // A device such as /dev/full is not read back: it may never end.
        const std::string printed = std::filesystem::is_regular_file(out) ? contents(out) : "";
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, printed, contents(err)};
    }

    static std::string quoted(const std::string& text) {
        std::string result = "'";
        for (char c : text) result += (c == '\'') ? std::string("'\\''") : std::string(1, c);
        return result + "'";
    }
    static std::string contents(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path machineFolder_;
    TempFolder output_;
};

}  // namespace testsupport
