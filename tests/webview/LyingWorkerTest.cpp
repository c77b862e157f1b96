// The asking side believes nothing its worker says: a worker that floods,
// lies about sizes or never greets costs a bounded amount of memory and time
// and gives no image.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/foundation/Base64.h"
#include "platform/graphics/Image.h"
#include "platform/webview/WebView.h"

namespace {

size_t statusKilobytes(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::strtoull(line.c_str() + std::strlen(field), nullptr, 10);
    return 0;
}

// In a new process of this program (its own worker client, its own peak size):
// the exit status of the LyingWorkerChild test below, run against the fake worker.
int evaluateAgainst(const char* how, std::chrono::milliseconds within) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("AMPORA_THEME_WORKER", FAKE_WORKER, 1);
        ::setenv("AMPORA_FAKE_WORKER", how, 1);
        ::setenv("AMPORA_LYING_WITHIN_MS", std::to_string(within.count()).c_str(), 1);
        ::execl("/proc/self/exe", "webview_tests", "--gtest_filter=LyingWorkerChild.*", nullptr);
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
