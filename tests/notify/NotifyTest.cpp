#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <thread>
#include <string>

#include "platform/notify/NotifyCenter.h"
#include "platform/notify/RunLoop.h"

namespace {

// A private notification folder per test, shared with the processes it starts.
struct NotifyFolder {
    NotifyFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ampora-notify-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        ::setenv("AMPORA_NOTIFY_DIR", path.c_str(), 1);
    }
    ~NotifyFolder() {
        std::filesystem::remove_all(path);
        ::unsetenv("AMPORA_NOTIFY_DIR");
    }
    std::string path;
};

// Starts an observing process, waits until it listens, runs `then`, returns its count.
int observedInAnotherProcess(const std::string& name, int milliseconds, const std::function<void()>& then) {
    const std::string command = std::string("'") + NOTIFY_PROBE + "' observe '" + name + "' " + std::to_string(milliseconds);
    FILE* observer = ::popen(command.c_str(), "r");
    std::array<char, 64> line{};
    if (!std::fgets(line.data(), line.size(), observer) || std::string(line.data()) != "ready\n") {
        ::pclose(observer);
        return -1;
    }
    then();
    int heard = -1;
    if (std::fgets(line.data(), line.size(), observer)) heard = std::atoi(line.data());
    ::pclose(observer);
    return heard;
}

int post(const std::string& name, int count) {
    return std::system((std::string("'") + NOTIFY_PROBE + "' post '" + name + "' " + std::to_string(count)).c_str());
}

}  // namespace

TEST(NotifyAcrossProcesses, APostReachesAnObserverElsewhere) {
    NotifyFolder folder;
    EXPECT_EQ(observedInAnotherProcess("com.kelvary.ampora.settingsChanged", 1500,
                                       [] { EXPECT_EQ(post("com.kelvary.ampora.settingsChanged", 1), 0); }),
              1);
}

TEST(NotifyAcrossProcesses, ABurstCoalescesAndOtherNamesAreNotHeard) {
    NotifyFolder folder;
    const int burst = observedInAnotherProcess("burst/with slash", 1500, [] { post("burst/with slash", 100); });
    EXPECT_GE(burst, 1);
    EXPECT_LE(burst, 5);
    EXPECT_EQ(observedInAnotherProcess("quiet", 500, [] { post("loud", 3); }), 0);
}

TEST(NotifyCenter, ObserversRunOnTheMainRunLoopInThisProcessToo) {
    NotifyFolder folder;
    auto& center = notify::DarwinNotifyCenter::shared();
    int heard = 0;
    const int token = center.addObserver("local", [&](const std::string&) { ++heard; });
    ASSERT_NE(token, 0);
    ASSERT_TRUE(center.post("local"));
    EXPECT_EQ(heard, 0) << "not called from inside post";
    notify::RunLoop::main().runUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(200));
    EXPECT_EQ(heard, 1);
    center.removeObserver(token);
}

TEST(NotifyCenter, RemovedObserversHearNothingAndNamesKeepTheirCharacters) {
    NotifyFolder folder;
    auto& center = notify::DarwinNotifyCenter::shared();
    std::vector<std::string> heard;
    const int gone = center.addObserver("a/b%2Fc", [&](const std::string& name) { heard.push_back("gone " + name); });
    const int kept = center.addObserver("a/b%2Fc", [&](const std::string& name) { heard.push_back(name); });
    center.removeObserver(gone);
    center.addObserver("..", [&](const std::string& name) { heard.push_back(name); });
    ASSERT_TRUE(center.post("a/b%2Fc"));
    ASSERT_TRUE(center.post(".."));
    notify::RunLoop::main().runUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(200));
    std::sort(heard.begin(), heard.end());
    EXPECT_EQ(heard, (std::vector<std::string>{"..", "a/b%2Fc"}));
    center.removeObserver(kept);
}

TEST(NotifyCenter, RefusesAFolderOthersCouldWriteTo) {
    NotifyFolder folder;
    ::chmod(folder.path.c_str(), 0777);
    EXPECT_FALSE(notify::DarwinNotifyCenter::shared().post("anything"));
}

TEST(RunLoop, TimersAndQueuedBlocks) {
    notify::RunLoop loop;
    std::vector<std::string> order;
    loop.addTimer(std::chrono::milliseconds(30), false, [&] { order.push_back("timer"); });
    const int repeating = loop.addTimer(std::chrono::milliseconds(10), true, [&] { order.push_back("tick"); });
    std::thread([&] { loop.dispatchAsync([&] { order.push_back("block"); }); }).join();
    loop.addTimer(std::chrono::milliseconds(45), false, [&] {
        loop.cancelTimer(repeating);
        loop.stop();
    });
    loop.run();
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), "block");
    EXPECT_NE(std::find(order.begin(), order.end(), "timer"), order.end());
    EXPECT_GE(std::count(order.begin(), order.end(), "tick"), 2);
}
