#include <gtest/gtest.h>

#include <cstring>

#include "engine/QVAXManager.h"
#include "tests/support/TempPreferences.h"

using foundation::PlistDictionary;
using graphics::Color;

namespace {

// A theme that is level + 1 pixels wide, height pixels tall, with the main color in
// its top-left quarter (or, with `corner` "br", its bottom-right one).
std::string markerTheme(const std::string& corner = "tl", const std::string& tail = "f.toDataURL('image/png')") {
    const std::string x = corner == "tl" ? "0" : "f.width/2", y = corner == "tl" ? "0" : "c/2";
    return "(c,g,l,m,e){var f=document.createElement('canvas');f.width=g+1;f.height=c;var a=f.getContext('2d');"
           "a.fillStyle='rgb('+e.join()+')';a.fillRect(" + x + "," + y + ",f.width/2,c/2);return " + tail + "}";
}

uint32_t pixel(const graphics::Image& image, int x, int y) {
    uint32_t p;
    cairo_surface_flush(image->surface());
    std::memcpy(&p, cairo_image_surface_get_data(image->surface()) + y * cairo_image_surface_get_stride(image->surface()) + x * 4, 4);
    return p;
}

struct Engine {
    explicit Engine(PlistDictionary settings, const std::string& primary = markerTheme()) {
        settings.emplace("enabled", true);
        prefs.writeTheme("Ampora Connect", primary);
        prefs.writeSettings(settings);
        manager = std::make_unique<QVAXManager>();
    }
    graphics::Image draw(int level, bool charging = false, bool lpm = false) {
        return manager->batteryImageWithForegoundColor(Color::grey(1), 40, level, charging, lpm);
    }
    TempPreferences prefs;
    std::unique_ptr<QVAXManager> manager;
};

}  // namespace

TEST(ImageProduction, ThemeDrawingBecomesAnImageAtScreenScale) {
    Engine engine({});
    auto image = engine.draw(57);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 58);
    EXPECT_EQ(image->pixelHeight(), 40);
    EXPECT_DOUBLE_EQ(image->scale(), graphics::mainScreenScale());
    EXPECT_DOUBLE_EQ(image->height(), 20);
    EXPECT_EQ(pixel(image, 0, 0), 0xFFFFFFFFu);
}

TEST(ImageProduction, CustomLevelDecidesColorAndLevel) {
    Engine engine({{"cpe", true}, {"customLevel", 100}});
    auto image = engine.draw(12, true);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 101);
    EXPECT_EQ(pixel(image, 0, 0), 0xFF00CCFFu) << "full-while-charging color";
}

TEST(ImageProduction, SecondaryThemeTakesOverAtItsLimit) {
    Engine engine({{"useSecondTheme", true}, {"secondThemeLimit", 10}, {"secondTheme", "Low"}, {"flipXSecondary", true}});
    engine.prefs.writeTheme("Low", markerTheme("br"));
    engine.manager->loadSettings();

    auto primary = engine.draw(11);
    EXPECT_EQ(pixel(primary, 0, 0) >> 24, 0xFFu) << "the primary's top-left mark";
    EXPECT_FALSE(engine.manager->usingSecondary());

    auto secondary = engine.draw(10);
    EXPECT_TRUE(engine.manager->usingSecondary());
    EXPECT_EQ(engine.manager->theme(), "Low");
    // The secondary's bottom-right mark, turned upside down by its own flip: top right.
    EXPECT_EQ(pixel(secondary, 10, 0), 0xFFFF0000u) << "low color, mirrored top to bottom";
    EXPECT_EQ(pixel(secondary, 10, 39), 0u);

    auto back = engine.draw(11);
    EXPECT_FALSE(engine.manager->usingSecondary());
    EXPECT_FALSE(engine.manager->flipX()) << "primary flips read back from the snapshot";
    EXPECT_EQ(pixel(back, 0, 0) >> 24, 0xFFu);
}

TEST(ImageProduction, ResultsThatAreNoImage) {
    const char* tails[] = {
        "f.toDataURL().replace(/^(.{40})/, '$1\\n')",  // a line break inside the base64 text
        "42",                                            // a number, not a string
        "'no marker here'",                              // no "base64,"
        "'data:image/png;base64,AAAA'",                  // base64, but not an image
        "f.toDataURL() + '!'",                           // a character outside the alphabet
    };
    for (const char* tail : tails) {
        Engine engine({}, markerTheme("tl", tail));
        EXPECT_FALSE(engine.draw(50)) << tail;
    }
}

TEST(ImageProduction, PaddingForTheChargingSymbolOnlyWhileCharging) {
    Engine engine({{"chargeSym", true}});
    EXPECT_DOUBLE_EQ(engine.draw(50, true)->width(), 51 / 2.0 + 7);
    EXPECT_DOUBLE_EQ(engine.draw(50, false)->width(), 51 / 2.0);
    Engine without({});
    EXPECT_DOUBLE_EQ(without.draw(50, true)->width(), 51 / 2.0);
}

TEST(ImageProduction, MirroringFollowsTheSettings) {
    Engine engine({{"flipY", true}});
    auto image = engine.draw(19);  // 20 px wide, mark in the top-left 10 × 20
    EXPECT_EQ(pixel(image, 19, 0) >> 24, 0xFFu);
    EXPECT_EQ(pixel(image, 0, 0), 0u);
}
