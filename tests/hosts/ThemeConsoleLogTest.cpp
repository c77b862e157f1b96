#include <gtest/gtest.h>

#include "hosts/statusbar/ThemeConsoleLog.h"
#include "platform/foundation/Paths.h"
#include "tests/support/TempPreferences.h"

using statusbar::ThemeConsoleLog;

TEST(ThemeConsoleLog, TwentyLinesPerThemePerMinute) {
    ThemeConsoleLog log;
    const auto t0 = ThemeConsoleLog::Clock::now();
    const std::vector<std::string> burst(15, "console.log: tick");
    auto first = log.admit("Loud", burst, t0);
    ASSERT_EQ(first.size(), 15u);
    EXPECT_EQ(first[0], "AMPORA: theme 'Loud' console.log: tick");
    // Five more, then one notice, then nothing for the rest of the minute.
    auto second = log.admit("Loud", burst, t0 + std::chrono::seconds(10));
    ASSERT_EQ(second.size(), 6u);
    EXPECT_NE(second.back().find("more than 20 lines a minute"), std::string::npos);
    EXPECT_TRUE(log.admit("Loud", burst, t0 + std::chrono::seconds(59)).empty());
    // Another theme has its own allowance; a new minute gives a new one.
    EXPECT_EQ(log.admit("Quiet", {"console.warn: once"}, t0 + std::chrono::seconds(30)).size(), 1u);
    EXPECT_EQ(log.admit("Loud", burst, t0 + std::chrono::seconds(61)).size(), 15u);
}

TEST(ThemeConsoleLog, NamesTheInstalledThemeByItsText) {
    TempPreferences prefs;
    const std::string text = "(c,g,l,m,e){ console.log(g); return ''; /* a theme of its own text */ }";
    prefs.writeTheme("Mine", text);
    prefs.writeTheme("Other", "(c,g,l,m,e){ return 'other'; }");
    ThemeConsoleLog log;
    EXPECT_EQ(log.themeNameOf("(function" + text + ")(40,57,!!0,!!0,[255,255,255])"), "Mine");
    EXPECT_EQ(log.themeNameOf("(function(a){})(1)"), "an unknown theme");
}
