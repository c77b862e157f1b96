#include <gtest/gtest.h>

#include <cstring>

#include "common/ColorParsing.h"
#include "settings/preview/DefaultThemeScript.h"
#include "settings/preview/QVAXBatteryRenderer.h"
#include "settings/preview/RenderSettings.h"
#include "tests/support/TempPreferences.h"

using foundation::PlistDictionary;

namespace {

std::string hex(const graphics::Color& c) { return *ColorParsing::hexStringFromColor(c, true, true); }

// A theme that answers with a 1 × 1 PNG only when called with `count` arguments.
std::string argumentCounter(const std::string& list, int count) {
    return list + "{if(arguments.length!==" + std::to_string(count) +
           ")return 1;var f=document.createElement('canvas');f.width=4;f.height=2;"
           "f.getContext('2d').fillRect(0,0,4,1);return f.toDataURL('image/png')}";
}

struct SecondaryFlag {
    explicit SecondaryFlag(bool on) { useSecondarySettings = on; }
    ~SecondaryFlag() { useSecondarySettings = false; }
};

}  // namespace

TEST(RenderSettings, DefaultsWithoutASettingsFile) {
    TempPreferences prefs;
    auto bundle = getBatteryRenderSettings();
    EXPECT_EQ(hex(bundle.darkSettings->color), "#ffffffff");
    EXPECT_EQ(hex(bundle.darkSettings->baseColor), "#ffffff55");
    EXPECT_EQ(hex(bundle.lightSettings->color), "#000000ff");
    EXPECT_EQ(hex(bundle.lightSettings->baseColor), "#00000055");
    for (const auto& s : {bundle.darkSettings, bundle.lightSettings}) {
        EXPECT_EQ(s->level, 55);
        EXPECT_DOUBLE_EQ(s->height, 26);
        EXPECT_EQ(s->script, defaultThemeScript());
        EXPECT_FALSE(s->shareAlpha);
    }
    bundle.lightSettings->color = graphics::Color::rgb(1, 0, 0);
    EXPECT_EQ(hex(bundle.darkSettings->color), "#ffffffff") << "the two halves are separate";
}

TEST(RenderSettings, SharingAndTheSelectedThemesScript) {
    TempPreferences prefs;
    prefs.writeTheme("Mine", "(c,g,l,m,e){/* mine */}");
    prefs.writeSettings({{"theme", "Mine"}, {"shareMainColorEnabled", true}, {"lightColor", "#102030"}});
    auto bundle = getBatteryRenderSettings();
    EXPECT_EQ(bundle.darkSettings->script, "(c,g,l,m,e){/* mine */}");
    EXPECT_EQ(bundle.darkSettings->shareAlpha, 0.3);
    EXPECT_EQ(bundle.darkSettings->baseColor, bundle.darkSettings->color.withAlpha(0.3));
    EXPECT_EQ(bundle.lightSettings->shareAlpha, 0.3);
}

TEST(RenderSettings, SecondaryFlipsOnlyWhileTheSecondaryListIsShown) {
    TempPreferences prefs;
    prefs.writeSettings({{"flipY", false}, {"flipYSecondary", true}});
    EXPECT_FALSE(getBatteryRenderSettings().darkSettings->flipY);
    SecondaryFlag on(true);
    EXPECT_TRUE(getBatteryRenderSettings().darkSettings->flipY);
    EXPECT_TRUE(getBatteryRenderSettings().lightSettings->flipY);
    EXPECT_FALSE(getBatteryRenderSettingsForProfile({{"flipYSecondary", true}}).darkSettings->flipY);
}

TEST(RenderSettings, ProfileWithoutThemeUsesTheSettingsFilesTheme) {
    TempPreferences prefs;
    prefs.writeTheme("FromFile", "(c,g,l,m,e){/* file */}");
    prefs.writeTheme("FromProfile", "(c,g,l,m,e){/* profile */}");
    prefs.writeSettings({{"theme", "FromFile"}, {"lightColor", "#111111"}});
    auto colorsOnly = getBatteryRenderSettingsForProfile({{"lightColor", "#222222"}});
    EXPECT_EQ(colorsOnly.darkSettings->script, "(c,g,l,m,e){/* file */}");
    EXPECT_EQ(hex(colorsOnly.darkSettings->color), "#222222ff") << "colors come from the profile";
    auto complete = getBatteryRenderSettingsForProfile({{"theme", "FromProfile"}});
    EXPECT_EQ(complete.darkSettings->script, "(c,g,l,m,e){/* profile */}");
}

TEST(PreviewRenderer, ClassifiesMoreLooselyThanTheEngine) {
    RenderSettings s;
    s.script = argumentCounter("(a,b,c,d,e,f)", 5);
    EXPECT_TRUE(QVAXBatteryRenderer::renderBatteryImageWithSettings(s, 0)) << "six names: five arguments";
    s.script = argumentCounter("(a,b,c,d,e,f,g,h)", 7);
    EXPECT_TRUE(QVAXBatteryRenderer::renderBatteryImageWithSettings(s, 1)) << "eight names: seven arguments";
    s.script = "(){return 1}";
    EXPECT_FALSE(QVAXBatteryRenderer::renderBatteryImageWithSettings(s, 0)) << "no list: no image";
}

TEST(PreviewRenderer, BuiltInScriptAndMirroring) {
    RenderSettings s;
    s.script = defaultThemeScript();
    auto image = QVAXBatteryRenderer::renderBatteryImageWithSettings(s, 0);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 41) << "height 26 on a 2x screen: the theme gets 52";
    EXPECT_EQ(image->pixelHeight(), 41);

    s.script = argumentCounter("(c,g,l,m,e)", 5);  // the top row is drawn
    s.flipX = true;
    auto flipped = QVAXBatteryRenderer::renderBatteryImageWithSettings(s, 0);
    ASSERT_TRUE(flipped);
    uint32_t top, bottom;
    const unsigned char* data = cairo_image_surface_get_data(flipped->surface());
    std::memcpy(&top, data, 4);
    std::memcpy(&bottom, data + cairo_image_surface_get_stride(flipped->surface()), 4);
    EXPECT_EQ(top, 0u) << "flipX alone turns the preview upside down";
    EXPECT_EQ(bottom >> 24, 0xFFu);
}
