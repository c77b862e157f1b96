// The asking side believes nothing its worker says: a worker that floods,
// lies about sizes or never greets costs a bounded amount of memory and time
// and gives no image.
#include <gtest/gtest.h>

#include <optional>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/foundation/Base64.h"
#include "platform/graphics/Image.h"
#include "platform/notify/NotifyCenter.h"
#include "platform/notify/RunLoop.h"
#include "platform/webview/WebView.h"
#include "tests/support/TempPreferences.h"

namespace {

size_t statusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::strtoull(line.c_str() + std::strlen(field), nullptr, 10);
    return 0;
}

// In a new process of this program (its own worker client, its own peak size):
// the exit status of a child test below, run against the fake worker that lies
// as `how` says (or the real worker, for "").
int evaluateAgainst(const char* how, std::chrono::milliseconds within, const char* test = "LyingWorkerChild.Evaluate") {
    TempPreferences notices;  // where the child's notifications go
    const pid_t child = ::fork();
    if (child == 0) {
        if (*how) ::setenv("AMPORA_THEME_WORKER", FAKE_WORKER, 1);
        ::setenv("AMPORA_FAKE_WORKER", how, 1);
        ::setenv("AMPORA_LYING_WITHIN_MS", std::to_string(within.count()).c_str(), 1);
        ::setenv("AMPORA_NOTIFY_DIR", notices.root().c_str(), 1);
        const std::string filter = std::string("--gtest_filter=") + test;
        ::execl("/proc/self/exe", "webview_tests", filter.c_str(), nullptr);
        ::_exit(99);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

TEST(LyingWorker, FloodsAndFalseSizesAreCutOffWithoutImage) {
    using namespace std::chrono_literals;
    EXPECT_EQ(evaluateAgainst("flood", 1500ms), 0) << "1 image, 2 too slow, 3 too much memory";
    EXPECT_EQ(evaluateAgainst("size", 1500ms), 0) << "1 image, 2 too slow, 3 too much memory";
}

// Exits 0 when one evaluation gave no image (or, against "pixels", the PNG's
// own 1 x 1), took under the time given and grew this process by under 64 MB.
TEST(LyingWorkerChild, Evaluate) {
    const char* within = std::getenv("AMPORA_LYING_WITHIN_MS");
    if (!within) GTEST_SKIP() << "run by the LyingWorker tests";
    const bool pixels = std::string(std::getenv("AMPORA_FAKE_WORKER")) == "pixels";
    const size_t before = statusKilobytes("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    webview::UIWebView page;
    const std::string value = page.stringByEvaluatingJavaScriptFromString("'x'");
    const auto took = std::chrono::steady_clock::now() - start;
    const size_t grew = statusKilobytes("VmHWM:") - before;
    auto png = foundation::base64PayloadOf(value);
    auto image = png ? graphics::UIImage::imageWithData(*png, 1) : nullptr;
    const bool wrong = pixels ? !image || image->pixelWidth() != 1 || image->pixelHeight() != 1 : !value.empty();
    ::_exit(wrong ? 1 : took > std::chrono::milliseconds(std::atoi(within)) ? 2 : grew > (64 << 10) ? 3 : 0);
}

TEST(LyingWorker, SharedPixelsThatDisagreeWithThePngAreNotBelieved) {
    using namespace std::chrono_literals;
    EXPECT_EQ(evaluateAgainst("pixels", 1500ms), 0) << "the PNG's own 1 x 1 is what counts";
}

TEST(LyingWorker, AWorkerThatNeverGreetsIsGivenUpOnInTwoSeconds) {
    using namespace std::chrono_literals;
    EXPECT_EQ(evaluateAgainst("stall", 2500ms), 0) << "1 image, 2 too slow, 3 too much memory";
}

// A process answering its events from its run loop, as the status bar does, while
// its worker stalls before greeting (and its replacement stalls too): each
// settings change is answered at once, with no image, and nothing grows.
TEST(LyingWorker, AStallingStartLeavesTheAskingProcessAnswering) {
    using namespace std::chrono_literals;
    EXPECT_EQ(evaluateAgainst("stall", 1500ms, "LyingWorkerChild.AnswersWhileTheWorkerStalls"), 0)
        << "1 image, 2 an answer too slow, 3 too much memory, 4 a notice unanswered, 5 told of a ready worker";
}

TEST(LyingWorkerChild, AnswersWhileTheWorkerStalls) {
    const char* within = std::getenv("AMPORA_LYING_WITHIN_MS");
    if (!within) GTEST_SKIP() << "run by the LyingWorker tests";
    using Clock = std::chrono::steady_clock;
    using namespace std::chrono_literals;
    const size_t before = statusKilobytes("VmRSS:");
    notify::RunLoop& loop = notify::RunLoop::main();
    notify::DarwinNotifyCenter& center = notify::DarwinNotifyCenter::shared();
    int toldReady = 0;
    webview::UIWebView::setReadyObserver([&] { ++toldReady; });
    webview::UIWebView page;  // starts the worker
    bool image = false;
    Clock::time_point posted;
    std::vector<std::chrono::milliseconds> answers;
    const char* name = "com.ampora.test.settingschanged";
    center.addObserver(name, [&](const std::string&) {
        page.loadHTMLString("");
        image |= !page.stringByEvaluatingJavaScriptFromString("'x'").empty();
        answers.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - posted));
    });
    // Early in the first worker's stall, late in it, and in its replacement's.
    for (auto at : {300ms, 1700ms, 2600ms})
        loop.addTimer(at, false, [&] {
            posted = Clock::now();
            center.post(name);
        });
    loop.addTimer(3200ms, false, [&] { loop.stop(); });
    loop.run();
    auto slowest = 0ms;
    for (auto took : answers) {
        std::printf("settings change answered during the worker's stall in %lld ms\n", (long long)took.count());
        slowest = std::max(slowest, took);
    }
    std::fflush(stdout);
    const size_t grew = statusKilobytes("VmHWM:") - before;
    ::_exit(image                                          ? 1
            : slowest > std::chrono::milliseconds(std::atoi(within)) ? 2
            : grew > (64 << 10)                            ? 3
            : answers.size() != 3                          ? 4
            : toldReady != 0                               ? 5
                                                           : 0);
}

// The real worker: an evaluation made in the loop while it starts gives no
// image at once, and the process is told when it may draw.
TEST(LyingWorker, AnEvaluationAskedWhileTheWorkerStartsIsOwedARedraw) {
    using namespace std::chrono_literals;
    EXPECT_EQ(evaluateAgainst("", 1500ms, "LyingWorkerChild.RedrawsWhenTheWorkerIsReady"), 0)
        << "1 an image before the worker was ready, 2 no word of it, 3 no image once it was";
}

TEST(LyingWorkerChild, RedrawsWhenTheWorkerIsReady) {
    if (!std::getenv("AMPORA_LYING_WITHIN_MS")) GTEST_SKIP() << "run by the LyingWorker tests";
    using namespace std::chrono_literals;
    notify::RunLoop& loop = notify::RunLoop::main();
    const std::string script =
        "var c=document.createElement('canvas');c.width=c.height=4;c.getContext('2d').fillRect(0,0,2,2);"
        "c.toDataURL('image/png')";
    std::optional<webview::UIWebView> page;
    std::string first, redrawn;
    bool told = false;
    webview::UIWebView::setReadyObserver([&] {
        told = true;
        page->loadHTMLString("");
        redrawn = page->stringByEvaluatingJavaScriptFromString(script);
        loop.stop();
    });
    // The page (which starts the worker) and the first evaluation in one turn
    // of the loop: however slow this process is, the worker cannot be ready yet.
    loop.dispatchAsync([&] {
        page.emplace();
        first = page->stringByEvaluatingJavaScriptFromString(script);
    });
    loop.addTimer(5000ms, false, [&] { loop.stop(); });
    loop.run();
    ::_exit(!first.empty() ? 1 : !told ? 2 : redrawn.rfind("data:image/png;base64,", 0) != 0 ? 3 : 0);
}
