#include <iostream>

#include "hosts/settings/SettingsApp.h"
#include "platform/foundation/ProgramVersion.h"

int main(int argc, char** argv) {
    if (foundation::answeredVersion(argc, argv, "ampora-settings")) return 0;
    return settingshost::runSettingsHost(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
