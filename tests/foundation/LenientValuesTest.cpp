#include <gtest/gtest.h>

#include "platform/foundation/LenientValues.h"

using namespace foundation;

TEST(LenientValues, BooleanInterpretation) {
    const PlistValue yes[] = {true, 1, -3, 0.5, "YES", "yes", "  true", "T", "1", "9 lives", "\tY"};
    for (const auto& v : yes) EXPECT_TRUE(boolValue(&v));
    const PlistValue no[] = {false, 0, 0.0, "NO", "false", "0", "", "   ", "-1", "on", PlistArray{1},
                             PlistDictionary{{"a", true}}};
    for (const auto& v : no) EXPECT_FALSE(boolValue(&v));
    EXPECT_FALSE(boolValue(nullptr));
}

TEST(LenientValues, IntegerInterpretation) {
    EXPECT_EQ(intValue(nullptr), 0);
    PlistValue v = 42.9;
    EXPECT_EQ(intValue(&v), 42);
    v = -42.9;
    EXPECT_EQ(intValue(&v), -42);
    v = " 17abc";
    EXPECT_EQ(intValue(&v), 17);
    v = "-5";
    EXPECT_EQ(intValue(&v), -5);
    v = "12.75";
    EXPECT_EQ(intValue(&v), 12);
    v = "abc";
    EXPECT_EQ(intValue(&v), 0);
    v = true;
    EXPECT_EQ(intValue(&v), 1);
    v = "99999999999";
    EXPECT_EQ(intValue(&v), 2147483647);
    v = 1e300;
    EXPECT_EQ(intValue(&v), 2147483647);
}

TEST(LenientValues, DefaultAppliesOnlyToAnAbsentKey) {
    PlistDictionary settings{{"limit", "many"}, {"alpha", "0.5"}, {"empty", ""}};
    EXPECT_EQ(intForKey(&settings, "limit", 10), 0);
    EXPECT_EQ(intForKey(&settings, "missing", 10), 10);
    EXPECT_EQ(intForKey(nullptr, "missing", 10), 10);
    EXPECT_DOUBLE_EQ(doubleForKey(&settings, "alpha", 0.3), 0.5);
    EXPECT_DOUBLE_EQ(doubleForKey(&settings, "empty", 0.3), 0.0);
    EXPECT_DOUBLE_EQ(doubleForKey(&settings, "missing", 0.3), 0.3);
    EXPECT_FALSE(boolForKey(&settings, "missing"));
    EXPECT_EQ(stringForKey(&settings, "alpha"), "0.5");
    EXPECT_EQ(stringForKey(&settings, "missing"), std::nullopt);
}
