#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/Command.h"
#include "platform/foundation/ProgramVersion.h"

namespace {

const char* kUsage =
    "usage: ampora <command> [options]\n"
    "\n"
    "commands:\n"
    "  render          draw one battery icon through the engine\n"
    "  sheet           a contact sheet of a theme in every state\n"
    "  check           what a theme author needs to know about a theme\n"
    "  watch           draw a theme again on every save, and show it in the status bar\n"
    "  preview         the settings pane's light and dark preview box of a theme\n"
    "  themes          the installed themes and their types\n"
    "  install-themes  copy the shipped themes into the theme folder\n"
    "  get             print one setting or all, with the pages' defaults\n"
    "  set             write one setting and tell the status bar\n"
    "  notify          tell the status bar the settings changed\n"
    "  eval            evaluate JavaScript in a fresh page (a theme author's scratch pad)\n"
    "\n"
    "Run 'ampora <command> --help' for a command's options.\n";

}  // namespace

int main(int argc, char** argv) {
    if (foundation::answeredVersion(argc, argv, "ampora")) return 0;
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? tools::kUsage : tools::kSuccess;
    }
    const std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "eval") return tools::evalCommand(args);
    if (command == "render") return tools::renderCommand(args);
    if (command == "sheet") return tools::sheetCommand(args);
    if (command == "check") return tools::checkCommand(args);
    if (command == "watch") return tools::watchCommand(args);
    if (command == "preview") return tools::previewCommand(args);
    if (command == "themes") return tools::themesCommand(args);
    if (command == "install-themes") return tools::installThemesCommand(args);
    if (command == "get") return tools::getCommand(args);
    if (command == "set") return tools::setCommand(args);
    if (command == "notify") return tools::notifyCommand(args);
    std::fprintf(stderr, "ampora: unknown command '%s'\n\n%s", command.c_str(), kUsage);
    return tools::kUsage;
}
