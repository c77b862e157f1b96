// A fixture for tests that run the ampora-settings process on a temporary
// preferences root: no display, so the process never opens a window, and a
// notification folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/foundation/Paths.h"

#include "tests/support/TempPreferences.h"

class SettingsProcessTest : public ::testing::Test {
protected:
    TempPreferences prefs;

    void SetUp() override {
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::setenv("AMPORA_NOTIFY_DIR", (prefs.root() + "/notify").c_str(), 1);
    }
    void TearDown() override { ::unsetenv("AMPORA_NOTIFY_DIR"); }

    std::string file(const std::string& name) { return prefs.root() + "/" + name; }
    // Every theme of `folder` into the root's theme folder, where the pages list them.
    void copyThemesFrom(const std::string& folder) {
        for (const auto& theme : std::filesystem::directory_iterator(folder))
            std::filesystem::copy_file(theme.path(), foundation::themeFolderPath() + theme.path().filename().string());
    }
    // Writes the steps beside the root and gives the options that run them
    // from the "Settings" page, whose "Ampora" row the steps start with.
    std::string script(const std::string& steps) {
        prefs.writeFile(file("steps.txt"), steps);
        return "--settings-root --script '" + file("steps.txt") + "'";
    }
};
