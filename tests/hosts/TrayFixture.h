#pragma once
// What every tray test starts from: a private session bus, a preferences root
// holding the shipped themes, a battery file at 57 % and a notify folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/hosts/TrayTestSupport.h"
#include "tests/support/TempPreferences.h"

class TrayFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("AMPORA_NOTIFY_DIR", (prefs.root() + "/notify").c_str(), 1);
        for (const auto& theme : std::filesystem::directory_iterator(AMPORA_SHIPPED_THEMES))
            std::filesystem::copy_file(theme.path(), prefs.root() + "/Ampora/" + theme.path().filename().string());
        prefs.writeFile(batteryFile, "57");
    }
    void TearDown() override { ::unsetenv("AMPORA_NOTIFY_DIR"); }

    std::vector<std::string> trayArguments() const {
        return {"--tray", "--battery-file", batteryFile, "--png", png, "--verbose"};
    }
    static std::string itemName(const HostProcess& host) {
        return "org.kde.StatusNotifierItem-" + std::to_string(host.pid()) + "-1";
    }
    // Until the tray has the item and the first frame is written; false when they never came.
    bool shownIn(TestWatcher& watcher) const {
        return watcher.waitUntil([&] { return !watcher.registrations().empty() && std::filesystem::exists(png); });
    }
    static int ampora(const std::string& arguments) {
        return shell(std::string("'") + AMPORA_BINARY + "' " + arguments + " > /dev/null");
    }

    TempPreferences prefs;
    PrivateSessionBus bus;
    const std::string batteryFile = prefs.root() + "/battery", png = prefs.root() + "/battery.png";
};
