#pragma once
// Command-line options of the subcommands: "--name value", "--name=value" and
// flags. "--" ends the options: everything after it is an argument.

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
    explicit Arguments(std::vector<std::string> args);

    bool wantsHelp() const;
    // A flag or option given twice is a UsageError that says so.
    bool flag(const std::string& name);
    std::optional<std::string> value(const std::string& name);
    // A plain decimal number ("12", "-0.5"; no hex, exponent or "inf") within [min, max].
    std::optional<double> number(const std::string& name, double min, double max);
    // What is left once the options were taken; an unknown option is a UsageError.
    // A negative number ("-7") is an argument, not an option.
    std::vector<std::string> positional();

private:
    std::vector<std::string> args_;      // before "--"
    std::vector<std::string> trailing_;  // after "--"
};

// "12", "-7", "0.25", ".5": digits with an optional sign and one decimal point.
bool isDecimalNumber(const std::string& text);

// "#" (optional) and 6 or 8 hex digits: RRGGBB or RRGGBBAA.
bool isHexColor(const std::string& text);

// Prints "ampora <command>: <message>" and the help to stderr; returns 2.
int usageFailure(const char* command, const std::string& message, const char* help);

}  // namespace tools
