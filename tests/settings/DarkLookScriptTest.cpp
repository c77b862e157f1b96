// The pages in the dark look, in the real ampora-settings process: the phone's
// dark table colors, the pane's purple and the previews' halves kept, and a
// window switched while open drawn exactly as one that started dark.
#include <gtest/gtest.h>

#include <cairo.h>

#include <array>
#include <memory>

#include "platform/graphics/PNG.h"
#include "tests/support/CommandRun.h"
#include "tests/support/SettingsProcessTest.h"

namespace {

using RGB = std::array<int, 3>;

struct Shot {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface{nullptr, cairo_surface_destroy};
    explicit Shot(const std::string& bytes) : surface(graphics::asARGB32(graphics::decodePNG(bytes)), cairo_surface_destroy) {}
    bool ok() const { return surface && cairo_image_surface_get_width(surface.get()) > 0; }
    int width() const { return cairo_image_surface_get_width(surface.get()); }
    int height() const { return cairo_image_surface_get_height(surface.get()); }
    RGB at(int x, int y) const {
        const unsigned char* row = cairo_image_surface_get_data(surface.get()) + y * cairo_image_surface_get_stride(surface.get());
        const uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];
        return {int(p >> 16 & 0xff), int(p >> 8 & 0xff), int(p & 0xff)};
    }
    long count(RGB color) const {
        long n = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) n += at(x, y) == color;
        return n;
    }
    bool samePixels(const Shot& other) const {
        if (width() != other.width() || height() != other.height()) return false;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (at(x, y) != other.at(x, y)) return false;
        return true;
    }
};

constexpr RGB kPane{0x8f, 0x00, 0xff};
constexpr RGB kLightGrouped{239, 239, 244}, kDarkGrouped{0, 0, 0};
constexpr RGB kDarkRow{0x1c, 0x1c, 0x1e};
// The preview box's own halves: what a light and a dark status bar look like.
constexpr RGB kPreviewLight{242, 242, 242}, kPreviewDark{38, 38, 38};

class DarkLookScript : public SettingsProcessTest {
protected:
    void SetUp() override {
        SettingsProcessTest::SetUp();
        copyThemesFrom(AMPORA_SHIPPED_THEMES);
    }
    Shot shot(const std::string& name) { return Shot(prefs.readFile(file(name))); }
    CommandRun settings(const std::string& options) {
        return runCommand(SETTINGS_BINARY, "--page QVAXSettingsMainController --scale 1 " + options);
    }
};

TEST_F(DarkLookScript, TheMainPageSwitchedWhileOpenIsDrawnAsOneThatStartedDark) {
    // Every step moves the UI clock on alike, so the runs' third and fifth shots
    // show the same moment of the page (the title fades in meanwhile).
    auto runSteps = [&](const std::string& options, const std::string& steps) {
        prefs.writeFile(file("steps.txt"), steps);
        CommandRun run = settings(options + " --script '" + file("steps.txt") + "'");
        EXPECT_EQ(run.status, 0) << run.output;
    };
    runSteps("", "shot " + file("light.png") + "\nappearance dark\nshot " + file("switched.png") +
                     "\nappearance light\nshot " + file("back.png") + "\n");
    runSteps("--dark", "wait 0\nwait 0\nshot " + file("dark.png") + "\n");
    runSteps("--light", "wait 0\nwait 0\nshot " + file("light-then.png") + "\nwait 0\nshot " + file("light-later.png") + "\n");

    const Shot light = shot("light.png"), switched = shot("switched.png"), dark = shot("dark.png"),
               back = shot("back.png"), lightThen = shot("light-then.png"), lightLater = shot("light-later.png");
    ASSERT_TRUE(light.ok() && switched.ok() && dark.ok() && back.ok() && lightThen.ok() && lightLater.ok());
    // Between the bar and the header, then the "Enabled" row.
    EXPECT_EQ(light.at(5, 100), kLightGrouped);
    EXPECT_EQ(dark.at(5, 100), kDarkGrouped);
    EXPECT_EQ(light.at(200, 345), (RGB{255, 255, 255}));
    EXPECT_EQ(dark.at(200, 345), kDarkRow);
    EXPECT_GT(dark.count(kPane), 50) << "the heart and the title keep the pane's purple";
    EXPECT_EQ(dark.count(kPane), lightThen.count(kPane));
    EXPECT_TRUE(switched.samePixels(dark)) << "a switch leaves nothing of the light look behind";
    EXPECT_TRUE(back.samePixels(lightLater));
}

TEST_F(DarkLookScript, ThemePreviewsKeepTheirOwnHalvesOnDarkPages) {
    prefs.writeFile(file("steps.txt"), "appearance dark\ntap-text Theme\nwait 2000\ntap-text Ok Sweet!\nshot " + file("themes.png") + "\n");
    CommandRun run = settings("--script '" + file("steps.txt") + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    const Shot themes = shot("themes.png");
    ASSERT_TRUE(themes.ok());
    EXPECT_GT(themes.count(kDarkRow), themes.width() * 100L) << "dark rows";
    EXPECT_GT(themes.count(kPreviewLight), 500) << "each preview keeps its light half";
    EXPECT_GT(themes.count(kPreviewDark), 500) << "and its dark half";
}

TEST_F(DarkLookScript, TheLookIsOneOfTwoAndGivenOnce) {
    CommandRun run = settings("--dark --light --screenshot '" + file("x.png") + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find("--dark and --light cannot both be given"), std::string::npos) << run.output;
    prefs.writeFile(file("steps.txt"), "appearance dim\n");
    run = settings("--script '" + file("steps.txt") + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("line 1: usage: appearance dark|light"), std::string::npos) << run.output;
}

}  // namespace
