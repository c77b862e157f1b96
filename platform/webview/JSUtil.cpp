#include "platform/webview/JSUtil.h"

#include <cmath>
#include <memory>
#include <vector>

namespace webview::js {

JSStringRef createString(const std::string& utf8) {
    for (unsigned char c : utf8)
        if (c >= 0x80 || c == 0) return JSStringCreateWithUTF8CString(utf8.c_str());
    std::vector<JSChar> wide(utf8.begin(), utf8.end());
    return JSStringCreateWithCharacters(wide.data(), wide.size());
}

std::string toUTF8(JSStringRef s) {
    const size_t length = JSStringGetLength(s);
    const JSChar* characters = JSStringGetCharactersPtr(s);
    std::string narrow(length, '\0');
    bool ascii = true;
    for (size_t i = 0; i < length && ascii; ++i) {
        ascii = characters[i] < 0x80;
        narrow[i] = char(characters[i]);
    }
    if (ascii) return narrow;
    const size_t max = JSStringGetMaximumUTF8CStringSize(s);
    std::unique_ptr<char[]> buffer(new char[max]);
    const size_t written = JSStringGetUTF8CString(s, buffer.get(), max);
    return std::string(buffer.get(), written ? written - 1 : 0);
}

std::string toUTF8(JSContextRef ctx, JSValueRef v, JSValueRef* exception) {
    JSStringRef s = JSValueToStringCopy(ctx, v, exception);
    if (!s) return {};
    std::string out = toUTF8(s);
    JSStringRelease(s);
    return out;
}

JSValueRef makeString(JSContextRef ctx, const std::string& s) {
    JSStringRef js = createString(s);
    JSValueRef v = JSValueMakeString(ctx, js);
    JSStringRelease(js);
    return v;
}

JSValueRef property(JSContextRef ctx, JSObjectRef object, const char* name, JSValueRef* exception) {
    JSStringRef js = JSStringCreateWithUTF8CString(name);
    JSValueRef v = JSObjectGetProperty(ctx, object, js, exception);
    JSStringRelease(js);
    return v;
}

void setProperty(JSContextRef ctx, JSObjectRef object, const char* name, JSValueRef value,
                 JSPropertyAttributes attributes) {
    JSStringRef js = JSStringCreateWithUTF8CString(name);
    JSObjectSetProperty(ctx, object, js, value, attributes, nullptr);
    JSStringRelease(js);
}

JSValueRef makeError(JSContextRef ctx, const std::string& constructor, const std::string& message,
                     const std::string& domName) {
    JSObjectRef global = JSContextGetGlobalObject(ctx);
    JSValueRef ctor = property(ctx, global, constructor.c_str());
    JSValueRef arguments[2] = {makeString(ctx, message), makeString(ctx, domName)};
    if (ctor && JSValueIsObject(ctx, ctor)) {
        JSValueRef exception = nullptr;
        JSObjectRef error = JSObjectCallAsConstructor(ctx, JSValueToObject(ctx, ctor, nullptr),
                                                      domName.empty() ? 1 : 2, arguments, &exception);
        if (error && !exception) return error;
    }
    // The script replaced the constructor: a plain Error still carries the message.
    return JSObjectMakeError(ctx, 1, arguments, nullptr);
}

bool Call::require(size_t count) {
    if (argc >= count) return true;
    typeError("Failed to execute '" + std::string(method) + "' on '" + interface + "': " + std::to_string(count) +
              " argument" + (count == 1 ? "" : "s") + " required, but only " + std::to_string(argc) + " present.");
    return false;
}

JSValueRef Call::typeError(const std::string& message) {
    if (exception) *exception = makeError(ctx, "TypeError", message);
    return undefined();
}

JSValueRef Call::rangeError(const std::string& message) {
    if (exception) *exception = makeError(ctx, "RangeError", message);
    return undefined();
}

JSValueRef Call::domError(const std::string& name, const std::string& message) {
    if (name == "TypeError") return typeError(message);
    if (name == "RangeError") return rangeError(message);
    if (exception)
        *exception = makeError(ctx, "DOMException",
                               "Failed to execute '" + std::string(method) + "' on '" + interface + "': " + message,
                               name);
    return undefined();
}

double Call::number(size_t i) {
    if (failed()) return NAN;
    return JSValueToNumber(ctx, arg(i), exception);
}

bool Call::numbers(size_t first, size_t count, double* out) {
    for (size_t k = 0; k < count; ++k) {
        out[k] = number(first + k);
        if (failed()) return false;
    }
    return true;
}

std::string Call::string(size_t i) {
    if (failed()) return {};
    JSStringRef s = JSValueToStringCopy(ctx, arg(i), exception);
    if (!s) return {};
    refused = JSStringGetLength(s) > kMaxStringArgument;
    std::string out = refused ? std::string() : toUTF8(s);
    JSStringRelease(s);
    return out;
}

JSClassRef makeClass(const char* name, const JSStaticValue* values, const JSStaticFunction* functions,
                     JSObjectFinalizeCallback finalize) {
    JSClassDefinition definition = kJSClassDefinitionEmpty;
    definition.className = name;
    definition.staticValues = values;
    definition.staticFunctions = functions;
    definition.finalize = finalize;
    return JSClassCreate(&definition);
}

}  // namespace webview::js
