// <canvas>, <img>, gradients and patterns as the page's scripts see them.
#include <cmath>
#include <string>

#include "platform/webview/Context2D.h"
#include "platform/webview/DOMException.h"
#include "platform/webview/JSNatives.h"
#include "platform/webview/JSUtil.h"

namespace webview::js {
namespace {

constexpr JSPropertyAttributes kHidden =
    kJSPropertyAttributeDontEnum | kJSPropertyAttributeReadOnly | kJSPropertyAttributeDontDelete;

CanvasNative* canvasOf(JSObjectRef object) {
    auto* n = static_cast<Native*>(JSObjectGetPrivate(object));
    return n && n->kind == Kind::Canvas ? static_cast<CanvasNative*>(n) : nullptr;
}

ImageNative* imageOf(JSObjectRef object) {
    auto* n = static_cast<Native*>(JSObjectGetPrivate(object));
    return n && n->kind == Kind::Image ? static_cast<ImageNative*>(n) : nullptr;
}

// WebIDL unsigned long, then the reflection rule: values past 2^31 - 1 give the default.
std::optional<unsigned> canvasDimension(JSContextRef ctx, JSValueRef value, unsigned fallback, JSValueRef* exception) {
    double d = JSValueToNumber(ctx, value, exception);
    if (exception && *exception) return std::nullopt;
    if (!std::isfinite(d)) return 0u;
    double m = std::fmod(std::trunc(d), 4294967296.0);
    if (m < 0) m += 4294967296.0;
    return m > 2147483647.0 ? fallback : unsigned(m);
}

JSValueRef getWidth(JSContextRef ctx, JSObjectRef object, JSStringRef, JSValueRef*) {
    auto* c = canvasOf(object);
    return c ? JSValueMakeNumber(ctx, c->canvas->width()) : JSValueMakeUndefined(ctx);
}
JSValueRef getHeight(JSContextRef ctx, JSObjectRef object, JSStringRef, JSValueRef*) {
    auto* c = canvasOf(object);
    return c ? JSValueMakeNumber(ctx, c->canvas->height()) : JSValueMakeUndefined(ctx);
}
bool setWidth(JSContextRef ctx, JSObjectRef object, JSStringRef, JSValueRef value, JSValueRef* exception) {
    auto* c = canvasOf(object);
    if (!c) return false;
    if (auto w = canvasDimension(ctx, value, 300, exception)) c->canvas->setWidth(*w);
    return true;
}
bool setHeight(JSContextRef ctx, JSObjectRef object, JSStringRef, JSValueRef value, JSValueRef* exception) {
    auto* c = canvasOf(object);
    if (!c) return false;
    if (auto h = canvasDimension(ctx, value, 150, exception)) c->canvas->setHeight(*h);
    return true;
}

JSValueRef getContext(JSContextRef ctx, JSObjectRef fn, JSObjectRef self, size_t argc, const JSValueRef argv[],
                      JSValueRef* exception) {
    Call call{ctx, self, argc, argv, exception, "HTMLCanvasElement", "getContext"};
    auto* c = canvasOf(self);
    if (!c) return call.typeError("Illegal invocation");
    (void)fn;
    if (!call.require(1)) return call.undefined();
    const std::string kind = call.string(0);
    if (call.failed()) return call.undefined();
    if (kind != "2d") return JSValueMakeNull(ctx);
    // The same context object each time, kept alive by the canvas.
    JSValueRef existing = property(ctx, self, "__amporaContext2d");
    if (JSValueIsObject(ctx, existing)) return existing;
    c->canvas->context2d();
    JSObjectRef context = JSObjectMake(ctx, contextClass(), new CanvasNative(Kind::Context, c->canvas));
    setProperty(ctx, context, "canvas", self, kJSPropertyAttributeReadOnly | kJSPropertyAttributeDontDelete);
    setProperty(ctx, self, "__amporaContext2d", context, kHidden);
    return context;
}

JSValueRef toDataURL(JSContextRef ctx, JSObjectRef, JSObjectRef self, size_t argc, const JSValueRef argv[],
                     JSValueRef* exception) {
    Call call{ctx, self, argc, argv, exception, "HTMLCanvasElement", "toDataURL"};
    auto* c = canvasOf(self);
    if (!c) return call.typeError("Illegal invocation");
    const std::string type = call.has(0) ? call.string(0) : "image/png";
    if (call.failed()) return call.undefined();
    return makeString(ctx, c->canvas->toDataURL(type));
}

const JSStaticValue kCanvasValues[] = {
    {"width", getWidth, setWidth, kJSPropertyAttributeDontDelete},
    {"height", getHeight, setHeight, kJSPropertyAttributeDontDelete},
    {nullptr, nullptr, nullptr, 0},
};
const JSStaticFunction kCanvasFunctions[] = {
    {"getContext", getContext, kJSPropertyAttributeDontDelete},
    {"toDataURL", toDataURL, kJSPropertyAttributeDontDelete},
    {nullptr, nullptr, 0},
};

JSValueRef addColorStop(JSContextRef ctx, JSObjectRef, JSObjectRef self, size_t argc, const JSValueRef argv[],
                        JSValueRef* exception) {
    Call call{ctx, self, argc, argv, exception, "CanvasGradient", "addColorStop"};
    auto* g = nativeOf<GradientNative>(ctx, self, Kind::Gradient);
    if (!g) return call.typeError("Illegal invocation");
    if (!call.require(2)) return call.undefined();
    const double offset = call.number(0);
    const std::string color = call.string(1);
    if (call.failed()) return call.undefined();
    if (!std::isfinite(offset)) return call.typeError("Failed to execute 'addColorStop' on 'CanvasGradient': The provided double value is non-finite.");
    try {
        g->gradient->addColorStop(offset, color);
    } catch (const DOMException& e) {
        return call.domError(e.name, e.what());
    }
    return call.undefined();
}

const JSStaticFunction kGradientFunctions[] = {
    {"addColorStop", addColorStop, kJSPropertyAttributeDontDelete},
    {nullptr, nullptr, 0},
};

JSValueRef getSrc(JSContextRef ctx, JSObjectRef object, JSStringRef, JSValueRef*) {
    auto* i = imageOf(object);
    return i ? makeString(ctx, i->image->src()) : JSValueMakeUndefined(ctx);
}
bool setSrc(JSContextRef ctx, JSObjectRef object, JSStringRef, JSValueRef value, JSValueRef* exception) {
    auto* i = imageOf(object);
    if (!i) return false;
    Call call{ctx, object, 1, &value, exception, "HTMLImageElement", "src"};
    const std::string src = call.string(0);
    if (call.failed()) return true;
    i->image->setSrc(src);
    return true;
}
JSValueRef getNaturalWidth(JSContextRef ctx, JSObjectRef object, JSStringRef, JSValueRef*) {
    auto* i = imageOf(object);
    return JSValueMakeNumber(ctx, i ? i->image->naturalWidth() : 0);
}
JSValueRef getNaturalHeight(JSContextRef ctx, JSObjectRef object, JSStringRef, JSValueRef*) {
    auto* i = imageOf(object);
    return JSValueMakeNumber(ctx, i ? i->image->naturalHeight() : 0);
}
JSValueRef getComplete(JSContextRef ctx, JSObjectRef, JSStringRef, JSValueRef*) { return JSValueMakeBoolean(ctx, true); }

const JSStaticValue kImageValues[] = {
    {"src", getSrc, setSrc, kJSPropertyAttributeDontDelete},
    {"width", getNaturalWidth, nullptr, kJSPropertyAttributeDontDelete},
    {"height", getNaturalHeight, nullptr, kJSPropertyAttributeDontDelete},
    {"naturalWidth", getNaturalWidth, nullptr, kJSPropertyAttributeReadOnly | kJSPropertyAttributeDontDelete},
    {"naturalHeight", getNaturalHeight, nullptr, kJSPropertyAttributeReadOnly | kJSPropertyAttributeDontDelete},
    {"complete", getComplete, nullptr, kJSPropertyAttributeReadOnly | kJSPropertyAttributeDontDelete},
    {nullptr, nullptr, nullptr, 0},
};

JSObjectRef constructImage(JSContextRef ctx, JSObjectRef, size_t, const JSValueRef[], JSValueRef*) {
    return JSObjectMake(ctx, imageClass(), new ImageNative());
}

}  // namespace

void finalizeNative(JSObjectRef object) { delete static_cast<Native*>(JSObjectGetPrivate(object)); }

JSClassRef canvasClass() {
    static JSClassRef c = makeClass("HTMLCanvasElement", kCanvasValues, kCanvasFunctions, finalizeNative);
    return c;
}
JSClassRef gradientClass() {
    static JSClassRef c = makeClass("CanvasGradient", nullptr, kGradientFunctions, finalizeNative);
    return c;
}
JSClassRef patternClass() {
    static JSClassRef c = makeClass("CanvasPattern", nullptr, nullptr, finalizeNative);
    return c;
}
JSClassRef imageClass() {
    static JSClassRef c = makeClass("HTMLImageElement", kImageValues, nullptr, finalizeNative);
    return c;
}

Native* nativeOf(JSContextRef ctx, JSValueRef value) {
    if (!value || !JSValueIsObject(ctx, value)) return nullptr;
    JSObjectRef object = JSValueToObject(ctx, value, nullptr);
    if (!(JSValueIsObjectOfClass(ctx, object, canvasClass()) || JSValueIsObjectOfClass(ctx, object, contextClass()) ||
          JSValueIsObjectOfClass(ctx, object, gradientClass()) || JSValueIsObjectOfClass(ctx, object, patternClass()) ||
          JSValueIsObjectOfClass(ctx, object, imageClass()) || JSValueIsObjectOfClass(ctx, object, path2DClass())))
        return nullptr;
    return static_cast<Native*>(JSObjectGetPrivate(object));
}

cairo_surface_t* imageSourceOf(JSContextRef ctx, JSValueRef value, bool& isImageSource) {
    isImageSource = false;
    if (auto* c = nativeOf<CanvasNative>(ctx, value, Kind::Canvas)) {
        isImageSource = true;
        if (c->canvas->surface()) cairo_surface_flush(c->canvas->surface());
        return c->canvas->surface();
    }
    if (auto* i = nativeOf<ImageNative>(ctx, value, Kind::Image)) {
        isImageSource = true;
        return i->image->surface();
    }
    return nullptr;
}

JSObjectRef makeCanvasObject(JSContextRef ctx) {
    auto canvas = std::make_shared<CanvasElement>();
    JSObjectRef object = JSObjectMake(ctx, canvasClass(), new CanvasNative(Kind::Canvas, canvas));
    // Bitmaps live outside the script heap; telling the collector keeps many
    // short-lived canvases from piling up between collections.
    JSGlobalContextRef page = JSContextGetGlobalContext(ctx);
    canvas->setAllocationObserver([page](size_t bytes) { JSReportExtraMemoryCost(page, bytes); });
    setProperty(ctx, object, "tagName", makeString(ctx, "CANVAS"), kJSPropertyAttributeReadOnly);
    setProperty(ctx, object, "nodeName", makeString(ctx, "CANVAS"), kJSPropertyAttributeReadOnly);
    setProperty(ctx, object, "style", JSObjectMake(ctx, nullptr, nullptr));
    return object;
}

JSObjectRef makeGradientObject(JSContextRef ctx, std::shared_ptr<CanvasGradient> gradient) {
    return JSObjectMake(ctx, gradientClass(), new GradientNative(std::move(gradient)));
}

JSObjectRef makePatternObject(JSContextRef ctx, std::shared_ptr<CanvasPattern> pattern) {
    return JSObjectMake(ctx, patternClass(), new PatternNative(std::move(pattern)));
}

JSObjectRef makeImageConstructor(JSContextRef ctx) { return JSObjectMakeConstructor(ctx, imageClass(), constructImage); }

}  // namespace webview::js
