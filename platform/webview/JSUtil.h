#pragma once
// Converting between JavaScript values and C++ the way WebIDL does.

#include <JavaScriptCore/JavaScript.h>

#include <optional>
#include <string>
#include <vector>

namespace webview::js {

// No string argument a canvas takes needs more; a longer one is refused like an
// invalid value.
constexpr size_t kMaxStringArgument = size_t(8) << 20;

// Conversions with a fast path for ASCII, which theme scripts and data URLs are.
JSStringRef createString(const std::string& utf8);
std::string toUTF8(JSStringRef s);
std::string toUTF8(JSContextRef ctx, JSValueRef v, JSValueRef* exception);
JSValueRef makeString(JSContextRef ctx, const std::string& s);
// A class of page objects, made once by its caller and kept for the process.
JSClassRef makeClass(const char* name, const JSStaticValue* values, const JSStaticFunction* functions,
                     JSObjectFinalizeCallback finalize = nullptr);
JSValueRef property(JSContextRef ctx, JSObjectRef object, const char* name, JSValueRef* exception = nullptr);
void setProperty(JSContextRef ctx, JSObjectRef object, const char* name, JSValueRef value,
                 JSPropertyAttributes attributes = kJSPropertyAttributeNone);

// An error object of the global constructor `name` ("TypeError", "RangeError",
// or "DOMException" with a DOM error name).
JSValueRef makeError(JSContextRef ctx, const std::string& constructor, const std::string& message,
                     const std::string& domName = "");

// One native call: arguments, receiver and the exception slot.
struct Call {
    JSContextRef ctx;
    JSObjectRef self;
    size_t argc;
    const JSValueRef* argv;
    JSValueRef* exception;
    const char* interface;
    const char* method;

    // Set when an argument was refused (a string past kMaxStringArgument): the
    // call does nothing, as for other invalid values.
    bool refused = false;

    bool failed() const { return refused || (exception && *exception); }
    // TypeError "Failed to execute 'm' on 'I': n arguments required, but only k present."
    bool require(size_t count);
    JSValueRef typeError(const std::string& message);
    JSValueRef rangeError(const std::string& message);
    JSValueRef domError(const std::string& name, const std::string& message);
    JSValueRef undefined() const { return JSValueMakeUndefined(ctx); }

    JSValueRef arg(size_t i) const { return i < argc ? argv[i] : JSValueMakeUndefined(ctx); }
    bool has(size_t i) const { return i < argc && !JSValueIsUndefined(ctx, argv[i]); }
    // ToNumber; check failed() after, a throwing valueOf leaves its exception.
    double number(size_t i);
    bool numbers(size_t first, size_t count, double* out);  // false when one threw
    std::string string(size_t i);
    bool boolean(size_t i) const { return i < argc && JSValueToBoolean(ctx, argv[i]); }
};

}  // namespace webview::js
