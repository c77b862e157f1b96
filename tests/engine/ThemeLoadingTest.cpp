#include <gtest/gtest.h>

#include "engine/QVAXManager.h"
#include "tests/support/TempPreferences.h"

namespace {

const std::string kFive = themeScript("(c,g,l,m,e)");
const std::string kSeven = themeScript("(a, b ,c,d,\te,f,g)");

// An enabled engine whose primary theme is `theme`.
struct EnabledEngine {
    explicit EnabledEngine(const std::string& theme = "Ampora Connect") {
        prefs.writeSettings({{"enabled", true}, {"theme", theme}});
    }
    TempPreferences prefs;
};

}  // namespace

TEST(ThemeLoading, LoadsAndClassifiesTheSelectedTheme) {
    EnabledEngine env("Seven");
    env.prefs.writeTheme("Ampora Connect", kFive);
    env.prefs.writeTheme("Seven", kSeven);
    QVAXManager manager;
    EXPECT_TRUE(manager.enabled());
    EXPECT_EQ(manager.theme(), "Seven");
    EXPECT_EQ(manager.script(), kSeven);
    EXPECT_EQ(manager.themeType(), 2);
}

TEST(ThemeLoading, MissingOrUnusableThemeFallsBackToTheBuiltInName) {
    EnabledEngine env("Gone");
    env.prefs.writeTheme("Ampora Connect", kFive);
    env.prefs.writeTheme("Six", themeScript("(a,b,c,d,e,f)"));
    QVAXManager manager;
    EXPECT_TRUE(manager.enabled());
    EXPECT_EQ(manager.theme(), "Ampora Connect");
    EXPECT_EQ(manager.primaryTheme(), "Gone");  // tried again at the next reload
    EXPECT_EQ(manager.themeType(), 1);

    manager.setTheme("Six");
    EXPECT_TRUE(manager.enabled());
    EXPECT_EQ(manager.theme(), "Ampora Connect");
    EXPECT_EQ(manager.script(), kFive);
}

TEST(ThemeLoading, NoUsableBuiltInThemeSwitchesTheEngineOff) {
    {
        EnabledEngine env("Gone");
        QVAXManager manager;
        EXPECT_FALSE(manager.enabled());
    }
    {
        EnabledEngine env;
        env.prefs.writeTheme("Ampora Connect", themeScript("(a,b)"));
        QVAXManager manager;
        EXPECT_FALSE(manager.enabled());
    }
}

TEST(ThemeLoading, LengthRuleCountsUTF16UnitsWithoutFallback) {
    EnabledEngine env("Short");
    env.prefs.writeTheme("Ampora Connect", kFive);
    std::string body = "(c,g,l,m,e){return\"";
    std::string script = body + std::string(99 - body.size() - 2, 'x') + "\"}";
    ASSERT_EQ(script.size(), 99u);
    env.prefs.writeTheme("Short", script);
    QVAXManager manager;
    EXPECT_FALSE(manager.enabled()) << "99 characters disable, no fallback";
    EXPECT_EQ(manager.theme(), "Short");

    // 97 ASCII characters plus one four-byte character (two UTF-16 units) make 99 units.
    std::string astral = body + std::string(97 - body.size() - 2, 'x') + "\xF0\x9F\x94\x8B" + "\"}";
    env.prefs.writeTheme("Short", astral);
    manager.loadSettings();
    EXPECT_FALSE(manager.enabled());

    env.prefs.writeTheme("Short", body + std::string(100 - body.size() - 2, 'x') + "\"}");
    manager.loadSettings();
    EXPECT_TRUE(manager.enabled());
    EXPECT_EQ(manager.themeType(), 1);

    // No theme needs a mebibyte: a longer one is refused like a short one.
    env.prefs.writeTheme("Short", body + std::string((1 << 20) - body.size() + 1, 'x') + "\"}");
    manager.loadSettings();
    EXPECT_FALSE(manager.enabled());
}

TEST(ThemeLoading, InvalidUTF8DisablesWithoutFallback) {
    EnabledEngine env("Bytes");
    env.prefs.writeTheme("Ampora Connect", kFive);
    env.prefs.writeTheme("Bytes", kFive + "\xFF\xFE");
    QVAXManager manager;
    EXPECT_FALSE(manager.enabled());
    EXPECT_FALSE(manager.script());
}

TEST(ThemeLoading, DisabledEngineKeepsTheOldScript) {
    EnabledEngine env;
    env.prefs.writeTheme("Ampora Connect", kFive);
    env.prefs.writeTheme("Seven", kSeven);
    QVAXManager manager;
    manager.setEnabled(false);
    manager.setTheme("Seven");
    EXPECT_EQ(manager.theme(), "Seven");
    EXPECT_EQ(manager.script(), kFive);
    EXPECT_EQ(manager.themeType(), 1);
}
