#include "platform/webview/PageGlobals.h"

#include <cctype>

#include "platform/foundation/Log.h"
#include "platform/webview/JSNatives.h"
#include "platform/webview/JSUtil.h"

namespace webview {
namespace {

constexpr size_t kMaxLogLine = 4096;
constexpr JSPropertyAttributes kHidden =
    kJSPropertyAttributeDontEnum | kJSPropertyAttributeReadOnly | kJSPropertyAttributeDontDelete;

std::function<void(const std::string&)>& consoleSink() {
    static std::function<void(const std::string&)> sink = [](const std::string& line) {
        foundation::logLine("AMPORA: " + line);
    };
    return sink;
}

JSValueRef undefinedResult(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t, const JSValueRef[], JSValueRef*) {
    return JSValueMakeUndefined(ctx);
}
JSValueRef nullResult(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t, const JSValueRef[], JSValueRef*) {
    return JSValueMakeNull(ctx);
}
JSValueRef emptyList(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t, const JSValueRef[], JSValueRef* exception) {
    return JSObjectMakeArray(ctx, 0, nullptr, exception);
}
JSValueRef firstArgument(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t argc, const JSValueRef argv[],
                         JSValueRef*) {
    return argc ? argv[0] : JSValueMakeUndefined(ctx);
}

// --- console ---

template <const char* Level>
JSValueRef log(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t argc, const JSValueRef argv[],
               JSValueRef* exception) {
    std::string line = std::string("console.") + Level + ":";
    for (size_t i = 0; i < argc && i < 64; ++i) {
        JSStringRef text = JSValueToStringCopy(ctx, argv[i], exception);
        if (!text) return JSValueMakeUndefined(ctx);
        // Only the start of a long value reaches the log.
        const bool tooLong = JSStringGetLength(text) > kMaxLogLine;
        line += " " + (tooLong ? std::string("(a string of ") + std::to_string(JSStringGetLength(text)) + " characters)"
                               : js::toUTF8(text));
        JSStringRelease(text);
        if (line.size() > kMaxLogLine) break;
    }
    consoleSink()(line.substr(0, kMaxLogLine));
    return JSValueMakeUndefined(ctx);
}
constexpr char kLog[] = "log", kInfo[] = "info", kDebug[] = "debug", kWarn[] = "warn", kError[] = "error";

const JSStaticFunction kConsoleFunctions[] = {
    {"log", log<kLog>, 0},     {"info", log<kInfo>, 0},   {"debug", log<kDebug>, 0},
    {"warn", log<kWarn>, 0},   {"error", log<kError>, 0}, {nullptr, nullptr, 0},
};

// --- elements other than <canvas>: inert ---

const JSStaticFunction kElementFunctions[] = {
    {"appendChild", firstArgument, 0},        {"removeChild", firstArgument, 0},
    {"insertBefore", firstArgument, 0},       {"setAttribute", undefinedResult, 0},
    {"getAttribute", nullResult, 0},          {"addEventListener", undefinedResult, 0},
    {"removeEventListener", undefinedResult, 0}, {nullptr, nullptr, 0},
};

JSClassRef elementClass() {
    static JSClassRef c = js::makeClass("HTMLElement", nullptr, kElementFunctions);
    return c;
}

JSObjectRef makeElement(JSContextRef ctx, std::string tag) {
    for (char& c : tag) c = char(std::toupper(static_cast<unsigned char>(c)));
    JSObjectRef element = JSObjectMake(ctx, elementClass(), nullptr);
    JSValueRef name = js::makeString(ctx, tag);
    js::setProperty(ctx, element, "tagName", name);
    js::setProperty(ctx, element, "nodeName", name);
    js::setProperty(ctx, element, "style", JSObjectMake(ctx, nullptr, nullptr));
    js::setProperty(ctx, element, "childNodes", JSObjectMakeArray(ctx, 0, nullptr, nullptr));
    return element;
}

// --- document ---

JSValueRef createElementNamed(JSContextRef ctx, JSValueRef tag, JSValueRef* exception) {
    const std::string name = js::toUTF8(ctx, tag, exception);
    if (exception && *exception) return JSValueMakeUndefined(ctx);
    std::string lower = name;
    for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
    return lower == "canvas" ? js::makeCanvasObject(ctx) : makeElement(ctx, name);
}

JSValueRef createElement(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t argc, const JSValueRef argv[],
                         JSValueRef* exception) {
    return createElementNamed(ctx, argc > 0 ? argv[0] : JSValueMakeUndefined(ctx), exception);
}

JSValueRef createElementNS(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t argc, const JSValueRef argv[],
                           JSValueRef* exception) {
    return createElementNamed(ctx, argc > 1 ? argv[1] : JSValueMakeUndefined(ctx), exception);
}

// body, head and documentElement are made on first use and then stay the same objects.
template <const char* Tag>
JSValueRef structuralElement(JSContextRef ctx, JSObjectRef document, JSStringRef, JSValueRef*) {
    const std::string slot = std::string("__amporaElement") + Tag;
    JSValueRef existing = js::property(ctx, document, slot.c_str());
    if (JSValueIsObject(ctx, existing)) return existing;
    JSObjectRef element = makeElement(ctx, Tag);
    js::setProperty(ctx, document, slot.c_str(), element, kHidden);
    return element;
}
constexpr char kBody[] = "body", kHead[] = "head", kHtml[] = "html";

JSValueRef readyState(JSContextRef ctx, JSObjectRef, JSStringRef, JSValueRef*) {
    return js::makeString(ctx, "complete");
}

const JSStaticValue kDocumentValues[] = {
    {"body", structuralElement<kBody>, nullptr, kJSPropertyAttributeDontDelete},
    {"head", structuralElement<kHead>, nullptr, kJSPropertyAttributeDontDelete},
    {"documentElement", structuralElement<kHtml>, nullptr, kJSPropertyAttributeDontDelete},
    {"readyState", readyState, nullptr, kJSPropertyAttributeReadOnly | kJSPropertyAttributeDontDelete},
    {nullptr, nullptr, nullptr, 0},
};
const JSStaticFunction kDocumentFunctions[] = {
    {"createElement", createElement, 0},   {"createElementNS", createElementNS, 0},
    {"getElementById", nullResult, 0},     {"getElementsByTagName", emptyList, 0},
    {"querySelector", nullResult, 0},      {"querySelectorAll", emptyList, 0},
    {"addEventListener", undefinedResult, 0}, {nullptr, nullptr, 0},
};

// --- DOMException: an Error with a DOM error name ---

JSObjectRef ownPrototype(JSContextRef ctx, JSObjectRef constructor) {
    JSValueRef prototype = js::property(ctx, constructor, "prototype");
    return JSValueIsObject(ctx, prototype) ? JSValueToObject(ctx, prototype, nullptr) : nullptr;
}

JSObjectRef constructDOMException(JSContextRef ctx, JSObjectRef constructor, size_t argc, const JSValueRef argv[],
                                  JSValueRef* exception) {
    auto given = [&](size_t i) { return i < argc && !JSValueIsUndefined(ctx, argv[i]); };
    JSValueRef message = given(0) ? argv[0] : js::makeString(ctx, "");
    JSValueRef name = given(1) ? argv[1] : js::makeString(ctx, "Error");
    JSStringRef messageText = JSValueToStringCopy(ctx, message, exception);
    if (!messageText) return nullptr;
    JSStringRef nameText = JSValueToStringCopy(ctx, name, exception);
    if (!nameText) return JSStringRelease(messageText), nullptr;
    JSValueRef arguments[] = {JSValueMakeString(ctx, messageText)};
    JSObjectRef error = JSObjectMakeError(ctx, 1, arguments, exception);
    if (error) {
        if (JSObjectRef prototype = ownPrototype(ctx, constructor)) JSObjectSetPrototype(ctx, error, prototype);
        js::setProperty(ctx, error, "name", JSValueMakeString(ctx, nameText), kJSPropertyAttributeDontEnum);
    }
    JSStringRelease(messageText);
    JSStringRelease(nameText);
    return error;
}

JSValueRef callDOMException(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t, const JSValueRef[],
                            JSValueRef* exception) {
    *exception = js::makeError(ctx, "TypeError",
                               "Failed to construct 'DOMException': Please use the 'new' operator, this DOM object "
                               "constructor cannot be called as a function.");
    return JSValueMakeUndefined(ctx);
}

bool isDOMException(JSContextRef ctx, JSObjectRef constructor, JSValueRef value, JSValueRef*) {
    JSObjectRef prototype = ownPrototype(ctx, constructor);
    if (!prototype || !JSValueIsObject(ctx, value)) return false;
    JSValueRef link = JSObjectGetPrototype(ctx, JSValueToObject(ctx, value, nullptr));
    for (int depth = 0; depth < 10000 && JSValueIsObject(ctx, link); ++depth) {
        if (JSValueIsStrictEqual(ctx, link, prototype)) return true;
        link = JSObjectGetPrototype(ctx, JSValueToObject(ctx, link, nullptr));
    }
    return false;
}

JSClassRef domExceptionClass() {
    static JSClassRef c = [] {
        JSClassDefinition definition = kJSClassDefinitionEmpty;
        definition.className = "DOMException";
        definition.callAsConstructor = constructDOMException;
        definition.callAsFunction = callDOMException;
        definition.hasInstance = isDOMException;
        return JSClassCreate(&definition);
    }();
    return c;
}

JSObjectRef makeDOMExceptionConstructor(JSContextRef ctx, JSObjectRef global) {
    JSObjectRef constructor = JSObjectMake(ctx, domExceptionClass(), nullptr);
    JSObjectRef prototype = JSObjectMake(ctx, nullptr, nullptr);
    JSValueRef error = js::property(ctx, global, "Error");
    if (JSValueIsObject(ctx, error))
        JSObjectSetPrototype(ctx, prototype, js::property(ctx, JSValueToObject(ctx, error, nullptr), "prototype"));
    js::setProperty(ctx, prototype, "constructor", constructor, kJSPropertyAttributeDontEnum);
    js::setProperty(ctx, constructor, "prototype", prototype, kHidden);
    return constructor;
}

JSClassRef documentClass() {
    static JSClassRef c = js::makeClass("HTMLDocument", kDocumentValues, kDocumentFunctions);
    return c;
}
JSClassRef consoleClass() {
    static JSClassRef c = js::makeClass("console", nullptr, kConsoleFunctions);
    return c;
}

}  // namespace

void setConsoleSink(std::function<void(const std::string&)> sink) { consoleSink() = std::move(sink); }

void installPage(JSGlobalContextRef page) {
    JSObjectRef global = JSContextGetGlobalObject(page);
    JSObjectRef document = JSObjectMake(page, documentClass(), nullptr);
    js::setProperty(page, document, "title", js::makeString(page, ""));
    const struct {
        const char* name;
        JSValueRef value;
    } globals[] = {
        {"document", document},
        {"window", global},
        {"self", global},
        {"console", JSObjectMake(page, consoleClass(), nullptr)},
        {"Image", js::makeImageConstructor(page)},
        {"Path2D", js::makePath2DConstructor(page)},
        {"DOMException", makeDOMExceptionConstructor(page, global)},
    };
    for (const auto& g : globals) js::setProperty(page, global, g.name, g.value, kJSPropertyAttributeDontEnum);
    JSStringRef wasm = JSStringCreateWithUTF8CString("WebAssembly");
    JSObjectDeleteProperty(page, global, wasm, nullptr);
    JSStringRelease(wasm);
}

}  // namespace webview
