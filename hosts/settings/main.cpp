#include <iostream>

#include "hosts/settings/SettingsApp.h"

int main(int argc, char** argv) {
    return settingshost::runSettingsHost(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
