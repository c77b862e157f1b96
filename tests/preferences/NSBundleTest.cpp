#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/foundation/PlistFile.h"
#include "platform/preferences/NSBundle.h"
#include "tests/support/TempPreferences.h"

using preferences::NSBundle;
namespace fs = std::filesystem;

namespace {

// A bundle folder of our own making under a temporary root.
struct BundleFolder {
    TempPreferences temp;
    std::string path = temp.root() + "/Test.bundle";

    BundleFolder() {
        fs::create_directories(path + "/en.lproj");
        foundation::writeDictionaryToFile({{"CFBundleIdentifier", "com.example.test"},
                                           {"NSPrincipalClass", "FirstPage"},
                                           {"CFBundleExecutable", "../escape.so"}},
                                          path + "/Info.plist");
        foundation::writeDictionaryToFile({{"HELLO", "Hello"}, {"NUMBER", std::int64_t{3}}},
                                          path + "/en.lproj/Localizable.strings");
    }
    void writePNG(const std::string& name, int pixels) const {
        graphics::BitmapContext ctx(pixels, pixels, 1);
        ctx.image()->writePNG(path + "/" + name);
    }
};

}  // namespace

TEST(NSBundle, ReadsItsInfoAndRefusesFoldersWithout) {
    BundleFolder f;
    auto bundle = NSBundle::bundleWithPath(f.path);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->bundleIdentifier(), "com.example.test");
    EXPECT_EQ(bundle->principalClassName(), "FirstPage");
    EXPECT_FALSE(NSBundle::bundleWithPath(f.temp.root()));
    // An executable outside the bundle folder is never loaded.
    EXPECT_FALSE(bundle->load());
}

TEST(NSBundle, LocalizedStringsFallBackToValueThenKey) {
    BundleFolder f;
    auto bundle = NSBundle::bundleWithPath(f.path);
    EXPECT_EQ(bundle->localizedStringForKey("HELLO", "HELLO"), "Hello");
    EXPECT_EQ(bundle->localizedStringForKey("MISSING", "Shown"), "Shown");
    EXPECT_EQ(bundle->localizedStringForKey("MISSING"), "MISSING");
    EXPECT_EQ(bundle->localizedStringForKey("NUMBER"), "NUMBER");  // not a string: no text
    EXPECT_EQ(bundle->localizedStringForKey("HELLO", "", "Other"), "HELLO");
    EXPECT_EQ(bundle->localizedStringForKey("HELLO", "", "../Localizable"), "HELLO");
}

TEST(NSBundle, ImagesPreferTheScreensScaleAndKeepTheirOwn) {
    BundleFolder f;
    f.writePNG("only@3x.png", 30);
    f.writePNG("both@2x.png", 20);
    f.writePNG("both@3x.png", 30);
    f.writePNG("plain.png", 10);
    graphics::setMainScreenScale(2);
    auto bundle = NSBundle::bundleWithPath(f.path);

    auto both = bundle->imageNamed("both.png");
    ASSERT_TRUE(both);
    EXPECT_EQ(both->scale(), 2);
    EXPECT_EQ(both->width(), 10);
    auto only = bundle->imageNamed("only");
    ASSERT_TRUE(only);
    EXPECT_EQ(only->scale(), 3);
    EXPECT_EQ(only->width(), 10);
    EXPECT_EQ(bundle->imageNamed("plain")->scale(), 1);
    EXPECT_FALSE(bundle->imageNamed("absent"));
    EXPECT_FALSE(bundle->imageNamed("../Test.bundle/plain"));
}

TEST(NSBundle, TheShippedBundleHasEveryPictureAndText) {
    auto bundle = NSBundle::bundleWithPath(AMPORA_SOURCE_DIR "/settings/bundle");
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->principalClassName(), "QVAXSettingsMainController");
    for (const char* name : {"amporaHeader", "kelvaryLogoSmall.png", "heart.png", "KelvaryLarge.png", "Twitter.png",
                             "enabled.png", "settings.png", "makers.png", "support.png"})
        EXPECT_TRUE(bundle->imageNamed(name)) << name;
    for (const char* key : {"ENABLED", "THEME", "PROFILES", "COLOR_OPTIONS", "OTHER_OPTIONS", "CREATOR", "OK_SWEET",
                            "PROFILE_BAD_POPUP", "MORE_CHOICES", "DEV_SOLE", "Choices..."})
        EXPECT_NE(bundle->localizedStringForKey(key), key) << key;
}
