// A second process for the notification tests:
//   notify_probe observe NAME MILLISECONDS   prints "ready", then the number of callbacks
//   notify_probe post NAME COUNT
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/notify/NotifyCenter.h"
#include "platform/notify/RunLoop.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const std::string mode = argv[1], name = argv[2];
    const int number = std::atoi(argv[3]);
    auto& center = notify::DarwinNotifyCenter::shared();
    if (mode == "post") {
        for (int i = 0; i < number; ++i)
            if (!center.post(name)) return 1;
        return 0;
    }
    int heard = 0;
    if (!center.addObserver(name, [&](const std::string&) { ++heard; })) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    notify::RunLoop::main().runUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(number));
    std::printf("%d\n", heard);
    return 0;
}
