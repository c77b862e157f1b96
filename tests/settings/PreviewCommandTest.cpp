// ampora preview, as a theme author runs it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "platform/foundation/Text.h"
#include "tests/support/CommandRun.h"
#include "tests/support/TempPreferences.h"
#include "tests/uikit/UIKitTestSupport.h"

using namespace uikit;
using namespace uikit::test;

namespace {

int ampora(const std::string& arguments, std::string* output = nullptr) {
    CommandRun run = runCommand(AMPORA_BINARY, arguments);
    if (output) *output = run.output;
    return run.status;
}

UIImagePtr readPNG(const TempPreferences& prefs, const std::string& path) {
    return UIImage::imageWithData(prefs.readFile(path), 2);
}

// Columns of a half whose pixels differ from its background, between the borders.
std::pair<int, int> iconColumns(const UIImage& image, int from, int to, const RGBA& background) {
    int first = -1, last = -1;
    for (int x = from; x < to; ++x)
        for (int y = 20; y < image.pixelHeight() - 20; ++y)  // clear of the rounded corners
            if (pixelAt(image, x, y) != background) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    return {first, last};
}

}  // namespace

TEST(PreviewCommand, ShowsTheInstalledThemeOnBothBackgrounds) {
    TempPreferences prefs;
    ASSERT_EQ(ampora("install-themes"), 0);
    const std::string out = prefs.root() + "/p.png";
    ASSERT_EQ(ampora("preview --theme 'Ampora Connect' -o '" + out + "'"), 0);
    auto image = readPNG(prefs, out);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 220);
    EXPECT_EQ(image->pixelHeight(), 88);
    EXPECT_RGBA_NEAR(pixelAt(*image, 20, 8), 242, 242, 242, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 200, 8), 38, 38, 38, 255, 0);
    EXPECT_EQ(pixelAt(*image, 0, 0)[3], 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 60, 0), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 219, 44), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 0, 30), 0, 0, 0, 255, 0);
    EXPECT_NEAR(pixelAt(*image, 1, 30)[0], 121, 10);  // the half pixel of the 1.5-pixel border
    EXPECT_RGBA_NEAR(pixelAt(*image, 60, 87), 0, 0, 0, 255, 0);
}

TEST(PreviewCommand, SmallIconsSitInTheMiddleOfEachHalf) {
    TempPreferences prefs;
    ASSERT_EQ(ampora("install-themes"), 0);
    const std::string out = prefs.root() + "/p.png";
    ASSERT_EQ(ampora("preview --theme 'Ampora Connect' --height 12 -o '" + out + "'"), 0);
    auto image = readPNG(prefs, out);
    ASSERT_TRUE(image);
    const auto [l0, l1] = iconColumns(*image, 3, 108, {242, 242, 242, 255});
    const auto [d0, d1] = iconColumns(*image, 112, 217, {38, 38, 38, 255});
    ASSERT_GE(l0, 0);
    ASSERT_GE(d0, 0);
    EXPECT_NEAR((l0 + l1) / 2.0, 55, 1.5);
    EXPECT_NEAR((d0 + d1) / 2.0, 165, 1.5);
}

TEST(PreviewCommand, AnEmptyResultOrAnEndlessLoopShowsOnlyTheBackgrounds) {
    TempPreferences prefs;
    for (const char* script : {"empty.js", "loop.js"}) {
        const std::string out = prefs.root() + "/" + script + ".png";
        std::string said;
        ASSERT_EQ(ampora(std::string("preview --script '") + AMPORA_SOURCE_DIR + "/tests/fixtures/" + script + "' -o '" + out + "'",
                         &said),
                  0)
            << said;
        EXPECT_NE(said.find("only the backgrounds show"), std::string::npos);
        auto image = readPNG(prefs, out);
        ASSERT_TRUE(image);
        // Where the halves meet, the small "!" of a theme that gave nothing; no icon anywhere else.
        for (int x = 4; x < 90; x += 6) EXPECT_RGBA_NEAR(pixelAt(*image, x, 44), 242, 242, 242, 255, 0);
        for (int x = 132; x < 216; x += 6) EXPECT_RGBA_NEAR(pixelAt(*image, x, 44), 38, 38, 38, 255, 0);
        // An empty result is no image either.
        EXPECT_TRUE(pixelAt(*image, 110, 34)[1] > 100 && pixelAt(*image, 110, 34)[2] < 60) << "the orange \"!\"";
    }
}

TEST(PreviewCommand, BadOptionsAreUsageErrors) {
    TempPreferences prefs;
    std::string said;
    EXPECT_EQ(ampora("preview --size 10 -o x.png", &said), 2);
    EXPECT_NE(said.find("--size takes WIDTHxHEIGHT"), std::string::npos);
    EXPECT_EQ(ampora("preview --theme Nope -o x.png", &said), 2);
    EXPECT_EQ(ampora("preview", &said), 2);
}
