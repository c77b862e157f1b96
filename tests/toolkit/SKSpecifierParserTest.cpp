#include <gtest/gtest.h>

#include "platform/preferences/NSBundle.h"
#include "settings/toolkit/SKSpecifierParser.h"
#include "settings/toolkit/SKTintHooks.h"

using foundation::PlistValue;
using preferences::PSSpecifier;
using preferences::SpecifierDictionary;

namespace {

// A page offering one or both icon colors.
class ParserTestPage : public runtime::NSObject, public SKTintHooks {
public:
    std::optional<graphics::Color> icon, tint;
    static runtime::Class* staticClass() {
        static runtime::Class* cls = &runtime::defineClass<ParserTestPage>("ParserTestPage", NSObject::staticClass());
        return cls;
    }
    runtime::Class* objcClass() const override { return staticClass(); }
    std::optional<graphics::Color> iconColor() const override { return icon; }
    std::optional<graphics::Color> tintColor() const override { return tint; }
};

class ParserTestDetail : public runtime::NSObject {
public:
    static runtime::Class* staticClass() {
        static runtime::Class* cls = &runtime::defineClass<ParserTestDetail>("ParserTestDetail", NSObject::staticClass());
        return cls;
    }
    runtime::Class* objcClass() const override { return staticClass(); }
};

// The toolkit's pictures come from the shipped bundle.
struct ToolkitBundle {
    ToolkitBundle() {
        preferences::NSBundle::setBundleForClass(
            "SKSpecifierParser", preferences::NSBundle::bundleWithPath(AMPORA_SOURCE_DIR "/settings/bundle"));
    }
};

std::array<int, 4> centrePixel(const graphics::Image& image) {
    auto* data = cairo_image_surface_get_data(image->surface());
    const int stride = cairo_image_surface_get_stride(image->surface());
    cairo_surface_flush(image->surface());
    // Find the first pixel with ink and report it (ARGB32, premultiplied).
    for (int y = 0; y < image->pixelHeight(); ++y)
        for (int x = 0; x < image->pixelWidth(); ++x) {
            const uint32_t p = *reinterpret_cast<uint32_t*>(data + y * stride + x * 4);
            if ((p >> 24) == 255) return {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255), 255};
        }
    return {0, 0, 0, 0};
}

}  // namespace

TEST(SKSpecifierParser, CellStringsAndGroups) {
    EXPECT_EQ(SKSpecifierParser::PSCellTypeFromString("PSSwitchCell"), preferences::PSSwitchCell);
    EXPECT_EQ(SKSpecifierParser::PSCellTypeFromString("PSEditTextViewCell"), 14);
    EXPECT_EQ(SKSpecifierParser::PSCellTypeFromString("PSSwitchcell"), 0);
    EXPECT_EQ(SKSpecifierParser::PSCellTypeFromString(std::nullopt), 0);

    auto page = std::make_shared<ParserTestPage>();
    const std::vector<SpecifierDictionary> rows = {
        {{"cell", PlistValue("PSGropCell")}, {"label", PlistValue("HEAD")}, {"key", PlistValue("enabled")},
         {"footerText", PlistValue("FOOT")}, {"action", PlistValue("openDonate")}},
        {},
    };
    auto specs = SKSpecifierParser::specifiersFromArray(rows, page);
    ASSERT_EQ(specs.size(), 2u);
    EXPECT_EQ(specs[0]->cellType(), 0);
    EXPECT_EQ(specs[0]->name(), "HEAD");
    EXPECT_EQ(specs[0]->stringPropertyForKey("cell"), "PSGroupCell");
    EXPECT_EQ(specs[0]->stringPropertyForKey("footerText"), "FOOT");
    EXPECT_EQ(specs[0]->stringPropertyForKey("id"), "HEAD");
    EXPECT_FALSE(specs[0]->propertyForKey("key"));
    EXPECT_EQ(specs[0]->action(), "");
    EXPECT_EQ(specs[0]->target(), page);  // groups get the target too
    EXPECT_EQ(specs[1]->name(), "");
    EXPECT_TRUE(SKSpecifierParser::specifiersFromArray({}, page).empty());
}

TEST(SKSpecifierParser, ValueRowsKeepEveryKeyAndResolveNames) {
    ParserTestDetail::staticClass();
    auto page = std::make_shared<ParserTestPage>();
    const std::vector<SpecifierDictionary> rows = {
        {{"cell", PlistValue("PSLinkListCell")}, {"label", PlistValue("THEME")}, {"key", PlistValue("theme")},
         {"detail", PlistValue("ParserTestDetail")}, {"cellClass", PlistValue("NoSuchCellClass")},
         {"validValues", PlistValue(foundation::PlistArray{PlistValue("a"), PlistValue("b")})},
         {"validTitles", PlistValue(foundation::PlistArray{PlistValue("A"), PlistValue("B")})},
         {"default", PlistValue(false)}},
        {{"cell", PlistValue("PSSwitchCell")}, {"get", PlistValue("customGet:")}, {"action", PlistValue("tapped")},
         {"validTitles", PlistValue(foundation::PlistArray{PlistValue("A")})},
         {"cellClass", PlistValue("ParserTestDetail")}},
    };
    auto specs = SKSpecifierParser::specifiersFromArray(rows, page);
    const auto& list = *specs[0];
    EXPECT_EQ(list.cellType(), preferences::PSLinkListCell);
    EXPECT_EQ(list.detailControllerClass(), ParserTestDetail::staticClass());
    EXPECT_EQ(list.setter(), "setPreferenceValue:specifier:");
    EXPECT_EQ(list.getter(), "readPreferenceValue:");
    EXPECT_FALSE(list.propertyForKey("cellClass"));  // no such class: the default cell
    EXPECT_EQ(list.stringPropertyForKey("detail"), "ParserTestDetail");
    EXPECT_EQ(list.titleForValue(PlistValue("b")), "B");
    EXPECT_FALSE(list.propertyForKey("validValues"));
    EXPECT_EQ(*list.plistPropertyForKey("default"), PlistValue(false));
    EXPECT_EQ(list.stringPropertyForKey("id"), "THEME");

    const auto& sw = *specs[1];
    EXPECT_EQ(sw.getter(), "customGet:");
    EXPECT_EQ(sw.action(), "tapped");
    EXPECT_TRUE(sw.values().empty());  // titles without values: neither
    EXPECT_EQ(std::get<runtime::Class*>(*sw.propertyForKey("cellClass")), ParserTestDetail::staticClass());
    EXPECT_FALSE(sw.propertyForKey("id"));
    EXPECT_TRUE(sw.target() == page);
    page.reset();
    EXPECT_FALSE(sw.target());  // held weakly
}

TEST(SKSpecifierParser, IconsComeFromEitherBundleTintedByIconColorFirst) {
    ToolkitBundle toolkit;
    auto page = std::make_shared<ParserTestPage>();
    page->icon = graphics::Color::rgb(1, 0, 0);
    page->tint = graphics::Color::rgb(0, 0, 1);
    auto specs = SKSpecifierParser::specifiersFromArray(
        {{{"cell", PlistValue("PSLinkCell")}, {"icon", PlistValue("support.png")}, {"leftImage", PlistValue("heart.png")},
          {"rightImage", PlistValue("absent.png")}},
         {{"cell", PlistValue("PSLinkCell")}, {"icon", PlistValue("absent.png")}}},
        page);
    const auto* icon = specs[0]->propertyForKey("iconImage");
    ASSERT_TRUE(icon);
    EXPECT_EQ(centrePixel(std::get<graphics::Image>(*icon)), (std::array<int, 4>{255, 0, 0, 255}));
    EXPECT_EQ(specs[0]->stringPropertyForKey("icon"), "support.png");
    EXPECT_TRUE(std::get_if<graphics::Image>(specs[0]->propertyForKey("leftImage")));
    EXPECT_FALSE(specs[0]->propertyForKey("rightImage"));
    EXPECT_FALSE(specs[1]->propertyForKey("iconImage"));

    page->icon.reset();
    specs = SKSpecifierParser::specifiersFromArray({{{"cell", PlistValue("PSLinkCell")}, {"icon", PlistValue("support.png")}}}, page);
    EXPECT_EQ(centrePixel(std::get<graphics::Image>(*specs[0]->propertyForKey("iconImage"))),
              (std::array<int, 4>{0, 0, 255, 255}));
}
