#pragma once
// The native objects behind the page's canvases, contexts, gradients, patterns and images.

#include <JavaScriptCore/JavaScript.h>

#include <memory>

#include "platform/webview/CanvasElement.h"
#include "platform/webview/CanvasPath.h"
#include "platform/webview/CanvasStyles.h"
#include "platform/webview/ImageElement.h"

namespace webview::js {

enum class Kind { Canvas, Context, Gradient, Pattern, Image, Path };

struct Native {
    explicit Native(Kind k) : kind(k) {}
    virtual ~Native() = default;
    Kind kind;
};
struct CanvasNative : Native {
    CanvasNative(Kind k, std::shared_ptr<CanvasElement> c) : Native(k), canvas(std::move(c)) {}
    std::shared_ptr<CanvasElement> canvas;  // shared by the element and its context
};
struct GradientNative : Native {
    explicit GradientNative(std::shared_ptr<CanvasGradient> g) : Native(Kind::Gradient), gradient(std::move(g)) {}
    std::shared_ptr<CanvasGradient> gradient;
};
struct PatternNative : Native {
    explicit PatternNative(std::shared_ptr<CanvasPattern> p) : Native(Kind::Pattern), pattern(std::move(p)) {}
    std::shared_ptr<CanvasPattern> pattern;
};
struct PathNative : Native {
    PathNative() : Native(Kind::Path) {}
    CanvasPath path;  // in the path's own space
};
struct ImageNative : Native {
    ImageNative() : Native(Kind::Image), image(std::make_shared<ImageElement>()) {}
    std::shared_ptr<ImageElement> image;
};

// The native behind a value, when it is of that kind.
Native* nativeOf(JSContextRef ctx, JSValueRef value);
template <class T>
T* nativeOf(JSContextRef ctx, JSValueRef value, Kind kind) {
    Native* n = nativeOf(ctx, value);
    return n && n->kind == kind ? static_cast<T*>(n) : nullptr;
}
// Where a canvas or image has pixels to draw from (nullptr: nothing to draw).
cairo_surface_t* imageSourceOf(JSContextRef ctx, JSValueRef value, bool& isImageSource);

JSObjectRef makeCanvasObject(JSContextRef ctx);
JSObjectRef makeGradientObject(JSContextRef ctx, std::shared_ptr<CanvasGradient> gradient);
JSObjectRef makePatternObject(JSContextRef ctx, std::shared_ptr<CanvasPattern> pattern);
JSObjectRef makeImageConstructor(JSContextRef ctx);
JSObjectRef makePath2DConstructor(JSContextRef ctx);
// The path of a Path2D, or nullptr when `value` is none.
const CanvasPath* path2DOf(JSContextRef ctx, JSValueRef value);
// Classes; defined beside each binding.
JSClassRef canvasClass();
JSClassRef contextClass();
JSClassRef gradientClass();
JSClassRef patternClass();
JSClassRef imageClass();
JSClassRef path2DClass();
void finalizeNative(JSObjectRef object);

}  // namespace webview::js

extern "C" void JSReportExtraMemoryCost(JSContextRef ctx, size_t size);
