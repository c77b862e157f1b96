#include "platform/webview/PagePrelude.h"

#include "platform/foundation/Log.h"
#include "platform/webview/JSNatives.h"
#include "platform/webview/JSUtil.h"

namespace webview {
namespace {

// The page's document and globals, written in the page's own language. The
// functions it keeps (Reflect.ownKeys and friends) are taken before any theme
// runs, so a script that replaces them cannot break the reset.
constexpr const char* kPrelude = R"JS((function (native) {
  "use strict";
  const g = globalThis;
  const defineProperty = Object.defineProperty, describe = Object.getOwnPropertyDescriptor;
  const ownKeys = Reflect.ownKeys, deleteProperty = Reflect.deleteProperty, create = Object.create;

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
  const baseline = create(null);
  const baseKeys = ownKeys(g);
  for (let i = 0; i < baseKeys.length; i++) baseline[baseKeys[i]] = describe(g, baseKeys[i]);

  return function reset() {
    let clean = true;
    const now = ownKeys(g);
    if (now.length !== baseKeys.length)
      for (let i = 0; i < now.length; i++)
        if (!(now[i] in baseline) && !deleteProperty(g, now[i])) clean = false;
    // Comparing values is enough to catch a replaced global; descriptors are
    // only looked at for what changed.
    for (let i = 0; i < baseKeys.length; i++) {
      const key = baseKeys[i], was = baseline[key];
      if (("value" in was) ? g[key] !== was.value || !(key in g) : describe(g, key) === undefined) {
        try { defineProperty(g, key, was); } catch (e) { clean = false; }
      }
    }
    // A fresh document and console: a script may have changed the old ones.
    install();
    for (let i = 0; i < names.length; i++) baseline[names[i]] = describe(g, names[i]);
    return clean;
  };
}))JS";

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
        line += " " + js::toUTF8(ctx, JSObjectGetPropertyAtIndex(ctx, arguments, i, nullptr), exception);
        if (exception && *exception) return JSValueMakeUndefined(ctx);
    }
    foundation::logLine(line.substr(0, 4096));
    return JSValueMakeUndefined(ctx);
}

JSObjectRef function(JSContextRef ctx, const char* name, JSObjectCallAsFunctionCallback callback) {
    JSStringRef js = JSStringCreateWithUTF8CString(name);
    JSObjectRef f = JSObjectMakeFunctionWithCallback(ctx, js, callback);
    JSStringRelease(js);
    return f;
}

}  // namespace

JSObjectRef installPage(JSGlobalContextRef page) {
    JSObjectRef native = JSObjectMake(page, nullptr, nullptr);
    js::setProperty(page, native, "createCanvas", function(page, "createElement", nativeCreateCanvas));
    js::setProperty(page, native, "log", function(page, "log", nativeLog));
    js::setProperty(page, native, "Image", js::makeImageConstructor(page));

    JSStringRef source = JSStringCreateWithUTF8CString(kPrelude);
    JSValueRef exception = nullptr;
    JSValueRef prelude = JSEvaluateScript(page, source, nullptr, nullptr, 1, &exception);
    JSStringRelease(source);
    if (!prelude || exception || !JSValueIsObject(page, prelude)) return nullptr;
    JSValueRef arguments[] = {native};
    JSValueRef reset = JSObjectCallAsFunction(page, JSValueToObject(page, prelude, nullptr), nullptr, 1, arguments,
                                              &exception);
    if (!reset || exception || !JSValueIsObject(page, reset)) return nullptr;
    return JSValueToObject(page, reset, nullptr);
}

}  // namespace webview
