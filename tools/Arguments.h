#pragma once
// Command-line options of the subcommands: "--name value", "--name=value" and flags.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tools {

// Bad usage: the message is shown with the command's help, and the exit code is 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Arguments {
public:
    explicit Arguments(std::vector<std::string> args) : args_(std::move(args)) {}

    bool wantsHelp() const;
    bool flag(const std::string& name);
    std::optional<std::string> value(const std::string& name);
    std::optional<double> number(const std::string& name, double min, double max);
    // What is left once the options were taken; an unknown option is a UsageError.
    std::vector<std::string> positional();

private:
    std::vector<std::string> args_;
};

// Prints "ampora <command>: <message>" and the help to stderr; returns 2.
int usageFailure(const char* command, const std::string& message, const char* help);

}  // namespace tools
