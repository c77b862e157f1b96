#include <gtest/gtest.h>

#include <cstring>

#include "hosts/statusbar/BatterySummary.h"
#include "hosts/statusbar/TrayPixmap.h"

using namespace statusbar;

namespace {

graphics::Image solid(int width, int height, uint32_t premultipliedARGB) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_surface_flush(s);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            std::memcpy(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + x * 4,
                        &premultipliedARGB, 4);
    cairo_surface_mark_dirty(s);
    return std::make_shared<graphics::UIImage>(s, 2);
}

}  // namespace

TEST(TrayPixmap, StraightAlphaInNetworkByteOrder) {
    // Half-transparent: 0x40 premultiplied at alpha 0x80 is 0x80 straight, as a PNG stores it.
    const auto pixmaps = trayPixmaps(solid(3, 2, 0x80402000u));
    ASSERT_EQ(pixmaps.size(), 1u) << "no half-size copy of a tiny image";
    EXPECT_EQ(pixmaps[0].width, 3);
    EXPECT_EQ(pixmaps[0].height, 2);
    ASSERT_EQ(pixmaps[0].argb.size(), 3u * 2 * 4);
    EXPECT_EQ(pixmaps[0].argb[0], 0x80);
    EXPECT_EQ(pixmaps[0].argb[1], 0x80);
    EXPECT_EQ(pixmaps[0].argb[2], 0x40);
    EXPECT_EQ(pixmaps[0].argb[3], 0x00);

    const auto clear = trayPixmaps(solid(1, 1, 0));
    EXPECT_EQ(clear[0].argb, std::vector<uint8_t>(4, 0));
}

TEST(TrayPixmap, HalfSizeCopyForSmallTrays) {
    const auto pixmaps = trayPixmaps(solid(61, 40, 0xffff0000u));
    ASSERT_EQ(pixmaps.size(), 2u);
    EXPECT_EQ(pixmaps[1].width, 31);
    EXPECT_EQ(pixmaps[1].height, 20);
    // An inner pixel of an opaque red image stays opaque red.
    const size_t inner = (size_t(10) * 31 + 10) * 4;
    EXPECT_EQ(std::vector<uint8_t>(pixmaps[1].argb.begin() + inner, pixmaps[1].argb.begin() + inner + 4),
              (std::vector<uint8_t>{0xff, 0xff, 0, 0}));
    EXPECT_EQ(trayPixmaps(solid(30, 30, 0xffffffffu)).size(), 1u) << "15 pixels high would be too small";
    EXPECT_TRUE(trayPixmaps(nullptr).empty());
}

TEST(BatterySummary, WordsForTheTooltip) {
    EXPECT_EQ(batteryDescription({57, 1, false}), "57 %, charging");
    EXPECT_EQ(batteryDescription({100, 2, false}), "100 %, full");
    EXPECT_EQ(batteryDescription({12, 0, true}), "12 %, on battery, low power mode");
    EXPECT_TRUE(batteryIsLow({20, 0, false}));
    EXPECT_FALSE(batteryIsLow({21, 0, false}));
    EXPECT_FALSE(batteryIsLow({5, 1, false})) << "charging is not an alarm";
}

TEST(BatterySummary, WaybarLines) {
    EXPECT_EQ(waybarLine({57, 1, false}),
              R"({"text": "57%", "tooltip": "Battery 57 %, charging", "class": ["charging"], "percentage": 57})");
    EXPECT_EQ(waybarLine({9, 0, true}),
              R"({"text": "9%", "tooltip": "Battery 9 %, on battery, low power mode", "class": ["discharging", "low", "low-power"], "percentage": 9})");
}
