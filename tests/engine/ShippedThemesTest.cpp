// The shipped themes, drawn through the engine as the status bar gets them: what
// each must show in each state, not what its pixels happen to be today.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/QVAXManager.h"
#include "platform/foundation/Text.h"
#include "tests/support/CommandRun.h"
#include "tests/support/TempPreferences.h"

namespace fs = std::filesystem;
using foundation::PlistDictionary;

namespace {

struct Shipped {
    const char* name;
    std::int64_t type;
    bool square;
};
// Every theme the package installs; a theme added or dropped must show up here.
const Shipped kShipped[] = {
    {"Ampora Bar", 2, false},   {"Ampora Cell", 1, false}, {"Ampora Connect", 1, false},
    {"Ampora Dots", 1, false},  {"Ampora Gauge", 2, false}, {"Ampora LBI", 2, false},
    {"Ampora Needle", 1, false}, {"Ampora Pie", 2, true},   {"Ampora Ring", 2, true},
    {"Ampora Text", 1, false},
};

std::string shippedPath(const std::string& name) { return std::string(AMPORA_SHIPPED_THEMES) + "/" + name + ".js"; }

// Straight (not premultiplied) RGBA of one pixel of an ARGB32 image.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::array<int, 4>> px;

    explicit Picture(const graphics::Image& image) {
        if (!image) return;
        cairo_surface_t* s = image->surface();
        cairo_surface_flush(s);
        width = image->pixelWidth(), height = image->pixelHeight();
        const unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint32_t p;
                std::memcpy(&p, data + y * stride + x * 4, 4);
                const int a = p >> 24;
                auto un = [a](int c) { return a ? std::min(255, c * 255 / a) : 0; };
                px.push_back({un((p >> 16) & 255), un((p >> 8) & 255), un(p & 255), a});
            }
    }
    const std::array<int, 4>& at(int x, int y) const { return px[y * width + x]; }
    int alpha(int x, int y) const { return at(x, y)[3]; }
    bool empty() const { return width == 0; }
    // Opaque enough pixels whose colour is within `tolerance` of (r, g, b).
    int count(int r, int g, int b, int tolerance = 40) const {
        return int(std::count_if(px.begin(), px.end(), [&](const auto& p) {
            return p[3] >= 200 && std::abs(p[0] - r) <= tolerance && std::abs(p[1] - g) <= tolerance &&
                   std::abs(p[2] - b) <= tolerance;
        }));
    }
};

// The engine with every shipped theme in its folder and one of them selected.
struct Engine {
    explicit Engine(const std::string& theme, PlistDictionary settings = {}) {
        for (const auto& t : kShipped) prefs.writeTheme(t.name, *foundation::readUTF8File(shippedPath(t.name)));
        settings.emplace("enabled", true);
        settings.emplace("theme", theme);
        prefs.writeSettings(settings);
        manager = std::make_unique<QVAXManager>();
    }
    // White status-bar text: the light keys apply.
    Picture draw(int level, bool charging = false, bool lowPower = false, double height = 40) {
        return Picture(manager->batteryImageWithForegoundColor(graphics::Color::grey(1), height, level, charging, lowPower));
    }
    TempPreferences prefs;
    std::unique_ptr<QVAXManager> manager;
};

// Pixels whose alpha differs by more than half between two pictures laid over each
// other from the top left; room one of them adds but leaves empty does not count.
int shapeDifference(const Picture& a, const Picture& b) {
    auto alpha = [](const Picture& p, int x, int y) { return x < p.width && y < p.height ? p.alpha(x, y) : 0; };
    int n = 0;
    for (int y = 0; y < std::max(a.height, b.height); ++y)
        for (int x = 0; x < std::max(a.width, b.width); ++x) n += std::abs(alpha(a, x, y) - alpha(b, x, y)) > 128;
    return n;
}

struct State {
    const char* label;
    int level;
    bool charging, lowPower;
};
const State kStates[] = {{"normal", 57, false, false}, {"charging", 57, true, false}, {"full", 100, true, false},
                         {"low", 10, false, false},    {"low power", 57, false, true}, {"empty", 0, false, false}};

}  // namespace

TEST(ShippedThemes, EveryOneIsInstalledAndPassesTheChecks) {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(AMPORA_SHIPPED_THEMES))
        if (entry.path().extension() == ".js") files.push_back(entry.path().stem().string());
    std::sort(files.begin(), files.end());
    std::vector<std::string> listed;
    for (const auto& t : kShipped) listed.push_back(t.name);
    EXPECT_EQ(files, listed);

    for (const auto& t : kShipped) {
        const auto script = foundation::readUTF8File(shippedPath(t.name));
        ASSERT_TRUE(script) << t.name;
        EXPECT_GE(foundation::utf16Length(*script), 100u) << t.name;
        EXPECT_EQ(script->front(), '(') << t.name << ": the parameter list leads";
        EXPECT_EQ(QVAXManager::typeForScript(*script), t.type) << t.name;
        const CommandRun check = runCommand(AMPORA_BINARY, "check '" + shippedPath(t.name) + "'");
        EXPECT_EQ(check.status, 0) << t.name << "\n" << check.output;
        EXPECT_EQ(check.output.find("warning"), std::string::npos) << t.name << "\n" << check.output;
    }
}

TEST(ShippedThemes, ImagesAreAsTallAsAskedAndNoInkIsCutAtTheEdge) {
    for (const auto& t : kShipped) {
        Engine engine(t.name);
        for (double height : {16.0, 24.0, 40.0, 60.0}) {
            for (const auto& s : kStates) {
                const Picture p = engine.draw(s.level, s.charging, s.lowPower, height);
                SCOPED_TRACE(std::string(t.name) + ", " + s.label + ", " + std::to_string(int(height)) + " px");
                ASSERT_FALSE(p.empty());
                EXPECT_EQ(p.height, int(height));
                if (t.square) {
                    EXPECT_EQ(p.width, p.height);
                }
                // A shape that runs up to or past the canvas leaves solid ink on its
                // border; a shape inside it leaves at most an anti-aliased fringe there.
                std::string solid;
                for (int y = 0; y < p.height; ++y)
                    for (int x = 0; x < p.width; ++x)
                        if ((x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1) && p.alpha(x, y) >= 250)
                            solid += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
                EXPECT_EQ(solid, "") << p.width << " x " << p.height;
                EXPECT_TRUE(std::any_of(p.px.begin(), p.px.end(), [](const auto& q) { return q[3] > 0; })) << "draws something";
            }
        }
    }
}

TEST(ShippedThemes, ChargingAddsAMarkEvenInTheSameColour) {
    for (const auto& t : kShipped) {
        // Charging drawn in the normal colour: only the mark can tell them apart.
        Engine engine(t.name, {{"useCustomCharge", true}, {"chargeColor", "#FFFFFF"},
                               {"useCustomCC", true}, {"chargeCColor", "#FFFFFF"}});
        for (int level : {0, 5, 57, 100}) {
            SCOPED_TRACE(std::string(t.name) + " at " + std::to_string(level) + " %");
            const Picture plain = engine.draw(level), charging = engine.draw(level, true);
            EXPECT_GE(shapeDifference(plain, charging), 20);
            EXPECT_EQ(shapeDifference(plain, engine.draw(level)), 0) << "the same state draws the same";
        }
    }
}

TEST(ShippedThemes, StateColoursComeFromTheSettings) {
    for (const auto& t : kShipped) {
        SCOPED_TRACE(t.name);
        Engine engine(t.name);
        // Defaults: white when normal, red when low, yellow in low-power mode, green charging.
        EXPECT_EQ(engine.draw(57).count(255, 0, 0), 0);
        EXPECT_GT(engine.draw(57).count(255, 255, 255), 10);
        const Picture low = engine.draw(10);
        EXPECT_GT(low.count(255, 0, 0), 10) << "the low colour when low";
        EXPECT_EQ(low.count(255, 255, 255), 0) << "and not the normal one";
        EXPECT_EQ(engine.draw(10, false, true).count(255, 0, 0), 0) << "low-power mode wins over low";
        EXPECT_GT(engine.draw(10, false, true).count(255, 204, 0), 10);
        EXPECT_GT(engine.draw(10, true).count(0, 255, 0), 10);
        EXPECT_EQ(engine.draw(10, true).count(255, 0, 0), 0) << "charging wins over low";

        Engine custom(t.name, {{"useCustomLow", true}, {"lowColor", "#3366FF"}, {"lowLevel", 30}});
        EXPECT_GT(custom.draw(25).count(0x33, 0x66, 0xFF), 10) << "the user's low colour and threshold";
        EXPECT_EQ(custom.draw(31).count(0x33, 0x66, 0xFF), 0);
    }
}

// A tray draws its items into squares of 16 to 32 px: the ring's digits must be
// readable there, the pie tells the level by its slice.
TEST(ShippedThemes, RingAndPieReadAtTraySizes) {
    // A clear track and level 0 leave only the digit on the ring's canvas.
    Engine ring("Ampora Ring", {{"baseLightColor", "#FFFFFF00"}});
    for (double size : {16.0, 22.0, 24.0, 32.0}) {
        const Picture p = ring.draw(0, false, false, size);
        int top = p.height, bottom = -1;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (p.alpha(x, y) > 100) top = std::min(top, y), bottom = std::max(bottom, y);
        ASSERT_GE(bottom, top) << size;
        const int digit = bottom - top + 1;
        EXPECT_GE(digit, std::floor(size / 3)) << size << " px: digits " << digit << " px tall";
        EXPECT_NEAR((top + bottom + 1) / 2.0, size / 2, 1.0) << "centred";
    }

    // No level is low here, so that every picture is in the one normal colour.
    Engine pie("Ampora Pie", {{"lowLevel", -1}});
    for (double size : {16.0, 24.0, 32.0}) {
        SCOPED_TRACE(size);
        // The rim is lit at every level; the slice is what grows.
        const int rim = pie.draw(0, false, false, size).count(255, 255, 255);
        const int whole = pie.draw(100, false, false, size).count(255, 255, 255) - rim;
        int previous = -1;
        for (int level : {25, 50, 75}) {
            const int lit = pie.draw(level, false, false, size).count(255, 255, 255) - rim;
            EXPECT_GT(lit, previous);
            EXPECT_NEAR(double(lit) / whole, level / 100.0, 0.1) << level << " %";
            previous = lit;
        }
        // Half full: the right half is the slice, the left half the track.
        const Picture half = pie.draw(50, false, false, size);
        const int c = int(size) / 2;
        EXPECT_EQ(half.at(c + c / 2, c)[0], 255);
        EXPECT_LT(half.alpha(c - c / 2, c), 200);
    }
}

// Where the fill covers the level's digits they are cut through it to the status
// bar, so they read in any colour; the translucent track must not be what cuts.
TEST(ShippedThemes, DigitsAreCutThroughAFullFill) {
    for (const char* name : {"Ampora Bar", "Ampora LBI"}) {
        Engine engine(name);
        const Picture p = engine.draw(100);
        int holes = 0;
        for (int y = p.height * 2 / 5; y < p.height * 3 / 5; ++y)
            for (int x = p.width * 11 / 20; x < p.width * 19 / 20; ++x) holes += p.alpha(x, y) < 64;
        EXPECT_GE(holes, 10) << name;
    }
}
