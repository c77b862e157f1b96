// Path2D for scripts: the context's path methods on a path of its own, built
// from nothing, from another Path2D or from SVG path data.
#include <array>
#include <cmath>
#include <memory>
#include <utility>

#include "platform/webview/DOMException.h"
#include "platform/webview/JSNatives.h"
#include "platform/webview/JSPathMethods.h"
#include "platform/webview/SvgPathParser.h"

namespace webview::js {

std::optional<cairo_matrix_t> matrixInit(Call& c, size_t i) {
    cairo_matrix_t m;
    cairo_matrix_init_identity(&m);
    if (!c.has(i) || JSValueIsNull(c.ctx, c.arg(i))) return m;
    if (!JSValueIsObject(c.ctx, c.arg(i))) {
        c.typeError(std::string("Failed to execute '") + c.method + "' on '" + c.interface +
                    "': The provided value is not of type 'DOMMatrix2DInit'.");
        return std::nullopt;
    }
    JSObjectRef object = JSValueToObject(c.ctx, c.arg(i), nullptr);
    // Each member has a short and a 4x4 name; given both, they must agree.
    const char* names[6][2] = {{"a", "m11"}, {"b", "m12"}, {"c", "m21"}, {"d", "m22"}, {"e", "m41"}, {"f", "m42"}};
    const double identity[6] = {1, 0, 0, 1, 0, 0};
    double v[6];
    for (int k = 0; k < 6; ++k) {
        std::optional<double> given[2];
        for (int n = 0; n < 2; ++n) {
            JSValueRef member = property(c.ctx, object, names[k][n], c.exception);
            if (c.failed()) return std::nullopt;
            if (!JSValueIsUndefined(c.ctx, member)) given[n] = JSValueToNumber(c.ctx, member, c.exception);
            if (c.failed()) return std::nullopt;
        }
        if (given[0] && given[1] && !(*given[0] == *given[1] || (std::isnan(*given[0]) && std::isnan(*given[1])))) {
            c.typeError(std::string("Failed to execute '") + c.method + "' on '" + c.interface + "': The '" +
                        names[k][0] + "' property should equal the '" + names[k][1] + "' property.");
            return std::nullopt;
        }
        v[k] = given[1] ? *given[1] : given[0] ? *given[0] : identity[k];
    }
    cairo_matrix_init(&m, v[0], v[1], v[2], v[3], v[4], v[5]);
    return m;
}

JSValueRef callPathMethod(const PathMethodSpec& method, PathBuilder& path, Call& call) {
    if (!call.require(method.required)) return call.undefined();
    try {
        method.body(call, path);
    } catch (const DOMException& e) {
        return call.domError(e.name, e.what());
    }
    return call.undefined();
}

namespace {

PathNative* pathOf(JSContextRef ctx, JSValueRef value) { return nativeOf<PathNative>(ctx, value, Kind::Path); }

template <size_t I>
JSValueRef invoke(JSContextRef ctx, JSObjectRef, JSObjectRef self, size_t argc, const JSValueRef argv[],
                  JSValueRef* exception) {
    Call call{ctx, self, argc, argv, exception, "Path2D", kPathMethods[I].name};
    PathNative* native = pathOf(ctx, self);
    if (!native) return call.typeError("Illegal invocation");
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    PathBuilder builder(native->path, identity);
    return callPathMethod(kPathMethods[I], builder, call);
}

JSValueRef addPath(JSContextRef ctx, JSObjectRef, JSObjectRef self, size_t argc, const JSValueRef argv[],
                   JSValueRef* exception) {
    Call call{ctx, self, argc, argv, exception, "Path2D", "addPath"};
    PathNative* native = pathOf(ctx, self);
    if (!native) return call.typeError("Illegal invocation");
    if (!call.require(1)) return call.undefined();
    PathNative* other = pathOf(ctx, call.arg(0));
    if (!other) return call.typeError("Failed to execute 'addPath' on 'Path2D': parameter 1 is not of type 'Path2D'.");
    auto m = matrixInit(call, 1);
    if (!m) return call.undefined();
    for (double d : {m->xx, m->yx, m->xy, m->yy, m->x0, m->y0})
        if (!std::isfinite(d)) return call.undefined();
    // A copy first: a path may be added to itself.
    const CanvasPath added = other->path;
    native->path.append(added, *m);
    return call.undefined();
}

template <size_t... I>
constexpr std::array<JSStaticFunction, sizeof...(I) + 2> functionTable(std::index_sequence<I...>) {
    return {{{kPathMethods[I].name, invoke<I>, kJSPropertyAttributeDontDelete}...,
             {"addPath", addPath, kJSPropertyAttributeDontDelete},
             {nullptr, nullptr, 0}}};
}
const auto kFunctions = functionTable(std::make_index_sequence<std::size(kPathMethods)>());

JSObjectRef constructPath2D(JSContextRef ctx, JSObjectRef, size_t argc, const JSValueRef argv[],
                            JSValueRef* exception) {
    Call call{ctx, nullptr, argc, argv, exception, "Path2D", "constructor"};
    auto native = std::make_unique<PathNative>();
    if (PathNative* other = pathOf(ctx, call.arg(0))) {
        native->path = other->path;
    } else if (call.has(0)) {
        const std::string data = call.string(0);
        if (call.failed()) return nullptr;
        cairo_matrix_t identity;
        cairo_matrix_init_identity(&identity);
        PathBuilder builder(native->path, identity);
        addSvgPath(data, builder);
    }
    return JSObjectMake(ctx, path2DClass(), native.release());
}

}  // namespace

const CanvasPath* path2DOf(JSContextRef ctx, JSValueRef value) {
    PathNative* native = pathOf(ctx, value);
    return native ? &native->path : nullptr;
}

JSClassRef path2DClass() {
    static JSClassRef c = makeClass("Path2D", nullptr, kFunctions.data(), finalizeNative);
    return c;
}

JSObjectRef makePath2DConstructor(JSContextRef ctx) { return JSObjectMakeConstructor(ctx, path2DClass(), constructPath2D); }

}  // namespace webview::js
