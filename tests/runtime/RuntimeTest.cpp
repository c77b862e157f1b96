#include <gtest/gtest.h>

#include "platform/runtime/Runtime.h"

using namespace runtime;

namespace {

int baseValue(Object*, int x) { return x + 1; }
int firstHook(Object* self, int x);
int secondHook(Object* self, int x);
int (*beforeFirst)(Object*, int) = nullptr;
int (*beforeSecond)(Object*, int) = nullptr;
int firstHook(Object* self, int x) { return beforeFirst(self, x) * 10; }
int secondHook(Object* self, int x) { return beforeSecond(self, x) + 5; }

std::string describe(Class* cls) { return "class " + cls->name(); }

}  // namespace

TEST(Runtime, ClassesByNameAndMethodsThroughTheSuperclass) {
    Class& base = registerClass("RTBase");
    base.addMethod("value:", baseValue);
    base.addClassMethod("describe", describe);
    Class& derived = registerClass("RTDerived", &base);
    EXPECT_EQ(objc_getClass("RTDerived"), &derived);
    EXPECT_EQ(NSClassFromString("RTBase"), &base);
    EXPECT_EQ(objc_getClass("RTMissing"), nullptr);
    EXPECT_EQ(&registerClass("RTBase"), &base) << "registering again gives the same class";

    Object object(&derived);
    EXPECT_TRUE(object.respondsToSelector("value:"));
    EXPECT_FALSE(object.respondsToSelector("other"));
    EXPECT_EQ(msgSend<int>(&object, "value:", 4), 5);
    EXPECT_EQ(msgSendClass<std::string>(&derived, "describe"), "class RTDerived");
    EXPECT_THROW(msgSend<int>(&object, "other"), MessageError);
    EXPECT_THROW(msgSend<int>(&object, "value:", 4.0), MessageError) << "a double where the method takes an int";
}

TEST(Runtime, ReplacementChainsAndKeepsTheSignature) {
    Class& base = registerClass("RTHookBase");
    base.addMethod("value:", baseValue);
    Class& view = registerClass("RTHookView", &base);
    Object object(&view);

    MSHookMessageEx(&view, "value:", firstHook, &beforeFirst);
    EXPECT_EQ(beforeFirst, &baseValue) << "the inherited implementation is handed back";
    EXPECT_EQ(msgSend<int>(&object, "value:", 1), 20);
    MSHookMessageEx(&view, "value:", secondHook, &beforeSecond);
    EXPECT_EQ(msgSend<int>(&object, "value:", 1), 25) << "the second replacement calls the first";
    Object plain(&base);
    EXPECT_EQ(msgSend<int>(&plain, "value:", 1), 2) << "the superclass keeps its own";

    bool (*wrong)(Object*) = nullptr;
    EXPECT_THROW(MSHookMessageEx(&view, "value:", +[](Object*) { return true; }, &wrong), MessageError);
}

TEST(Runtime, InstanceVariablesByNameAndOffset) {
    Class& cls = registerClass("RTIvars");
    cls.addIvar<int>("_capacity");
    cls.addIvar<double>("_height");
    cls.addIvar<int>("_state");
    Class& sub = registerClass("RTIvarsSub", &cls);
    sub.addIvar<char>("_flag");
    auto object = std::make_shared<Object>(&sub);
    object->ivar<int>("_capacity") = 57;
    object->ivar<int>("_state") = 2;
    object->ivar<double>("_height") = 20.5;

    const Ivar* state = class_getInstanceVariable(&sub, "_state");
    ASSERT_TRUE(state);
    EXPECT_EQ(*reinterpret_cast<int*>(object->ivarBase() + ivar_getOffset(state)), 2);
    const Ivar* height = class_getInstanceVariable(&sub, "_height");
    EXPECT_EQ(ivar_getOffset(height) % alignof(double), 0);
    EXPECT_EQ(*reinterpret_cast<double*>(object->ivarBase() + ivar_getOffset(height)), 20.5);
    EXPECT_EQ(class_getInstanceVariable(&sub, "_missing"), nullptr);
    EXPECT_THROW(object->ivar<double>("_capacity"), MessageError) << "the wrong type is refused";
}
