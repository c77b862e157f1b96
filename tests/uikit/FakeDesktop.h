#pragma once
// A fake desktop first on PATH for as long as it lives: `xdg-open` records
// each URL it is handed, one a line, and `xdg-mime` names a handler for the
// scheme handlers matched by `handlers`, a shell case pattern such as
// "x-scheme-handler/tweetbot|x-scheme-handler/twitter" (empty: none).

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

class FakeDesktop {
public:
    FakeDesktop(const std::string& folder, const std::string& handlers, bool withOpener = true)
        : bin_(folder + "/fake-desktop"), log_(bin_ + "/opened.txt") {
        std::filesystem::create_directories(bin_);
        if (withOpener) script("xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log_ + "'\n");
        script("xdg-mime", "#!/bin/sh\ncase \"$3\" in\n" + (handlers.empty() ? std::string("none-at-all") : handlers) +
                               ") echo handler.desktop;;\nesac\n");
        if (const char* path = std::getenv("PATH")) oldPath_ = path;
        // Only the fake: a real xdg-open in /usr/bin must not answer for it.
        ::setenv("PATH", bin_.c_str(), 1);
    }
    ~FakeDesktop() { ::setenv("PATH", oldPath_.c_str(), 1); }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    // The URLs opened so far, waiting a while for a detached opener to write `count` of them.
    std::vector<std::string> waitForOpened(size_t count = 1) const {
        std::vector<std::string> lines;
        for (int i = 0; i < 500; ++i) {
            lines = opened();
            if (lines.size() >= count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return lines;
    }
    std::vector<std::string> opened() const {
        std::ifstream in(log_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

private:
    void script(const std::string& name, const std::string& body) {
        std::ofstream(bin_ + "/" + name) << body;
        ::chmod((bin_ + "/" + name).c_str(), 0755);
    }

    std::string bin_, log_, oldPath_;
};
