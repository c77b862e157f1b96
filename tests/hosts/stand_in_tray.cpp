// A stand-in tray on the session bus: it owns the watcher name as a panel
// does and appends each item that registers to FILE, until it is killed.
//   stand_in_tray record FILE
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/hosts/TrayTestSupport.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::string(argv[1]) != "record")
        return std::fprintf(stderr, "usage: stand_in_tray record FILE\n"), 2;
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!address) return std::fprintf(stderr, "stand_in_tray: no session bus\n"), 1;
    TestWatcher tray(address);
    size_t written = 0;
    for (;;) {
        tray.waitUntil([&] { return tray.registrations().size() > written; }, std::chrono::seconds(60));
        std::FILE* f = std::fopen(argv[2], "a");
        if (!f) return std::fprintf(stderr, "stand_in_tray: cannot write %s\n", argv[2]), 1;
        for (; written < tray.registrations().size(); ++written)
            std::fprintf(f, "%s\n", tray.registrations()[written].c_str());
        std::fclose(f);
    }
}
