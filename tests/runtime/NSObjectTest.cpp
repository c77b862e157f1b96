#include <gtest/gtest.h>

#include "platform/runtime/NSObject.h"

using runtime::Class;
using runtime::NSObject;

namespace {

// A page that names its methods, and a cell that is no page.
class TestPage : public NSObject {
public:
    static Class* staticClass() {
        static Class* cls = [] {
            Class& c = runtime::defineClass<TestPage>("TestPage", NSObject::staticClass());
            c.addMethod("openDonate", +[](NSObject* self) { static_cast<TestPage*>(self)->taps++; });
            c.addMethod("themeTitles:", +[](NSObject*, std::string key) { return std::vector<std::string>{key, "B"}; });
            return &c;
        }();
        return cls;
    }
    Class* objcClass() const override { return staticClass(); }
    int taps = 0;
};

class TestSubPage : public TestPage {
public:
    static Class* staticClass() {
        static Class* cls = &runtime::defineClass<TestSubPage>("TestSubPage", TestPage::staticClass());
        return cls;
    }
    Class* objcClass() const override { return staticClass(); }
};

class TestCell : public NSObject {
public:
    explicit TestCell(int) {}
    static Class* staticClass() {
        static Class* cls = &runtime::defineClass<TestCell>("TestCell", NSObject::staticClass());
        return cls;
    }
    Class* objcClass() const override { return staticClass(); }
};

}  // namespace

TEST(NSObject, ClassesAreFoundByNameAndMadeWhenTheyCanBe) {
    TestSubPage::staticClass();
    TestCell::staticClass();
    Class* sub = runtime::NSClassFromString("TestSubPage");
    ASSERT_TRUE(sub);
    auto made = runtime::makeInstance(sub);
    ASSERT_TRUE(made);
    EXPECT_TRUE(made->isKindOfClass(runtime::NSClassFromString("TestPage")));
    EXPECT_FALSE(made->isKindOfClass(TestCell::staticClass()));
    EXPECT_TRUE(dynamic_cast<TestSubPage*>(made.get()));
    // A class without a default constructor is found but not made from its name.
    EXPECT_FALSE(runtime::makeInstance(runtime::NSClassFromString("TestCell")));
    EXPECT_FALSE(runtime::makeInstance(nullptr));
}

TEST(NSObject, OnlyCheckedMessagesAreSent) {
    TestSubPage page;
    EXPECT_TRUE(page.respondsToSelector("openDonate"));  // inherited
    EXPECT_TRUE(runtime::sendChecked<void>(&page, "openDonate"));
    EXPECT_EQ(page.taps, 1);

    auto titles = runtime::sendChecked<std::vector<std::string>>(&page, "themeTitles:", std::string("A"));
    ASSERT_TRUE(titles);
    EXPECT_EQ(*titles, (std::vector<std::string>{"A", "B"}));

    // Missing, mistyped and receiverless sends do nothing and do not throw.
    EXPECT_FALSE(runtime::sendChecked<void>(&page, "showSupportDialog"));
    EXPECT_FALSE(runtime::sendChecked<int>(&page, "openDonate"));
    EXPECT_FALSE(runtime::sendChecked<void>(&page, "themeTitles:", 5));
    EXPECT_FALSE(runtime::sendChecked<void>(nullptr, "openDonate"));
    EXPECT_EQ(page.taps, 1);
}
