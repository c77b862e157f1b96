#pragma once
// One subcommand of the `ampora` tool.

#include <string>
#include <vector>

namespace tools {

// Exit codes: 0 done, 1 the work failed (the reason on stderr), 2 bad usage.
enum ExitCode { kSuccess = 0, kFailure = 1, kUsage = 2 };

int evalCommand(const std::vector<std::string>& args);
int renderCommand(const std::vector<std::string>& args);
int sheetCommand(const std::vector<std::string>& args);
int checkCommand(const std::vector<std::string>& args);
int themesCommand(const std::vector<std::string>& args);
int installThemesCommand(const std::vector<std::string>& args);
int getCommand(const std::vector<std::string>& args);
int setCommand(const std::vector<std::string>& args);
int notifyCommand(const std::vector<std::string>& args);
int previewCommand(const std::vector<std::string>& args);
int watchCommand(const std::vector<std::string>& args);

}  // namespace tools
