#include "platform/webview/PagePrelude.h"

#include "platform/foundation/Log.h"
#include "platform/webview/JSNatives.h"
#include "platform/webview/JSUtil.h"

namespace webview {
namespace {

// The page's document and globals, written in the page's own language. It runs
// once per page, before any theme script.
constexpr const char* kPrelude = R"JS((function (native) {
  "use strict";
  const g = globalThis;
  const defineProperty = Object.defineProperty;

  class DOMException extends Error {
    constructor(message, name) {
      super(message === undefined ? "" : String(message));
      defineProperty(this, "name", { value: name === undefined ? "Error" : String(name), configurable: true, writable: true });
    }
  }
  const log = (level) => function () { native.log(level, arguments); };

  class Element {
    constructor(tag) { this.tagName = this.nodeName = String(tag).toUpperCase(); this.style = {}; this.childNodes = []; }
    appendChild(child) { return child; }
    removeChild(child) { return child; }
    insertBefore(child) { return child; }
    setAttribute() {}
    getAttribute() { return null; }
    addEventListener() {}
    removeEventListener() {}
  }

  const names = ["document", "window", "self", "console", "Image", "DOMException"];
  function install() {
    const document = {
      createElement(tag) {
        const name = String(tag);
        return name.toLowerCase() === "canvas" ? native.createCanvas() : new Element(name);
      },
      createElementNS(namespace, tag) { return document.createElement(tag); },
      getElementById() { return null; },
      getElementsByTagName() { return []; },
      querySelector() { return null; },
      querySelectorAll() { return []; },
      addEventListener() {},
      body: new Element("body"),
      head: new Element("head"),
      documentElement: new Element("html"),
      readyState: "complete",
      title: "",
    };
    const values = [document, g, g,
      { log: log("log"), info: log("info"), debug: log("debug"), warn: log("warn"), error: log("error") },
      native.Image, DOMException];
    for (let i = 0; i < names.length; i++)
      defineProperty(g, names[i], { value: values[i], writable: true, enumerable: false, configurable: true });
  }

  install();
  delete g.WebAssembly;
}))JS";

constexpr size_t kMaxLogLine = 4096;

std::function<void(const std::string&)>& consoleSink() {
    static std::function<void(const std::string&)> sink = foundation::logLine;
    return sink;
}

JSValueRef nativeCreateCanvas(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t, const JSValueRef[], JSValueRef*) {
    return js::makeCanvasObject(ctx);
}

JSValueRef nativeLog(JSContextRef ctx, JSObjectRef, JSObjectRef, size_t argc, const JSValueRef argv[],
                     JSValueRef* exception) {
    if (argc < 2 || !JSValueIsObject(ctx, argv[1])) return JSValueMakeUndefined(ctx);
    const std::string level = js::toUTF8(ctx, argv[0], nullptr);
    JSObjectRef arguments = JSValueToObject(ctx, argv[1], nullptr);
    const double count = JSValueToNumber(ctx, js::property(ctx, arguments, "length"), nullptr);
    std::string line = "AMPORA: console." + level + ":";
    for (unsigned i = 0; i < count && i < 64; ++i) {
        JSValueRef item = JSObjectGetPropertyAtIndex(ctx, arguments, i, nullptr);
        JSStringRef text = JSValueToStringCopy(ctx, item, exception);
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

JSObjectRef function(JSContextRef ctx, const char* name, JSObjectCallAsFunctionCallback callback) {
    JSStringRef js = JSStringCreateWithUTF8CString(name);
    JSObjectRef f = JSObjectMakeFunctionWithCallback(ctx, js, callback);
    JSStringRelease(js);
    return f;
}

}  // namespace

void setConsoleSink(std::function<void(const std::string&)> sink) { consoleSink() = std::move(sink); }

void installPage(JSGlobalContextRef page) {
    JSObjectRef native = JSObjectMake(page, nullptr, nullptr);
    js::setProperty(page, native, "createCanvas", function(page, "createElement", nativeCreateCanvas));
    js::setProperty(page, native, "log", function(page, "log", nativeLog));
    js::setProperty(page, native, "Image", js::makeImageConstructor(page));

    // Made once: every page is built from the same text.
    static JSStringRef source = JSStringCreateWithUTF8CString(kPrelude);
    JSValueRef exception = nullptr;
    JSValueRef prelude = JSEvaluateScript(page, source, nullptr, nullptr, 1, &exception);
    if (!prelude || exception || !JSValueIsObject(page, prelude)) return;
    JSValueRef arguments[] = {native};
    JSObjectCallAsFunction(page, JSValueToObject(page, prelude, nullptr), nullptr, 1, arguments, &exception);
}

}  // namespace webview
