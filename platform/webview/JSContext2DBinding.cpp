// CanvasRenderingContext2D for scripts: converts arguments as WebIDL does and
// calls the plain C++ context.
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/webview/Context2D.h"
#include "platform/webview/DOMException.h"
#include "platform/webview/JSNatives.h"
#include "platform/webview/JSPathMethods.h"
#include "platform/webview/JSUtil.h"

namespace webview::js {
namespace {

using Body = JSValueRef (*)(Call&, Context2D&);

Context2D* contextOf(JSContextRef ctx, JSObjectRef self) {
    if (!self || !JSValueIsObjectOfClass(ctx, self, contextClass())) return nullptr;
    auto* n = static_cast<CanvasNative*>(JSObjectGetPrivate(self));
    return n ? &n->canvas->context2d() : nullptr;
}

JSValueRef number(Call& c, double v) { return JSValueMakeNumber(c.ctx, v); }

std::optional<cairo_fill_rule_t> fillRule(Call& c, size_t i) {
    if (!c.has(i)) return CAIRO_FILL_RULE_WINDING;
    const std::string rule = c.string(i);
    if (c.failed()) return std::nullopt;
    if (rule == "nonzero") return CAIRO_FILL_RULE_WINDING;
    if (rule == "evenodd") return CAIRO_FILL_RULE_EVEN_ODD;
    c.typeError("Failed to execute '" + std::string(c.method) + "' on 'CanvasRenderingContext2D': The provided value '" +
                rule + "' is not a valid enum value of type CanvasFillRule.");
    return std::nullopt;
}

JSObjectRef makeImageData(Call& c, const ImageDataBytes& bytes) {
    JSObjectRef object = JSObjectMake(c.ctx, nullptr, nullptr);
    JSObjectRef data = JSObjectMakeTypedArray(c.ctx, kJSTypedArrayTypeUint8ClampedArray, bytes.rgba.size(), c.exception);
    if (!data) return object;
    if (!bytes.rgba.empty())
        std::memcpy(JSObjectGetTypedArrayBytesPtr(c.ctx, data, nullptr), bytes.rgba.data(), bytes.rgba.size());
    setProperty(c.ctx, object, "width", JSValueMakeNumber(c.ctx, bytes.width), kJSPropertyAttributeReadOnly);
    setProperty(c.ctx, object, "height", JSValueMakeNumber(c.ctx, bytes.height), kJSPropertyAttributeReadOnly);
    setProperty(c.ctx, object, "data", data, kJSPropertyAttributeReadOnly);
    return object;
}

std::optional<ImageDataBytes> readImageData(Call& c, size_t i) {
    const char* notImageData = "parameter 1 is not of type 'ImageData'.";
    if (!JSValueIsObject(c.ctx, c.arg(i))) {
        c.typeError(std::string("Failed to execute '") + c.method + "' on 'CanvasRenderingContext2D': " + notImageData);
        return std::nullopt;
    }
    JSObjectRef object = JSValueToObject(c.ctx, c.arg(i), nullptr);
    const double w = JSValueToNumber(c.ctx, property(c.ctx, object, "width", c.exception), c.exception);
    const double h = JSValueToNumber(c.ctx, property(c.ctx, object, "height", c.exception), c.exception);
    JSValueRef data = property(c.ctx, object, "data", c.exception);
    if (c.failed()) return std::nullopt;
    if (!std::isfinite(w) || !std::isfinite(h) || w < 0 || h < 0 ||
        JSValueGetTypedArrayType(c.ctx, data, nullptr) != kJSTypedArrayTypeUint8ClampedArray) {
        c.typeError(std::string("Failed to execute '") + c.method + "' on 'CanvasRenderingContext2D': " + notImageData);
        return std::nullopt;
    }
    JSObjectRef array = JSValueToObject(c.ctx, data, nullptr);
    const size_t length = JSObjectGetTypedArrayByteLength(c.ctx, array, nullptr);
    ImageDataBytes bytes;
    bytes.width = unsigned(w);
    bytes.height = unsigned(h);
    if (double(length) != w * h * 4) {
        c.domError("InvalidStateError", "The ImageData's data does not match its size.");
        return std::nullopt;
    }
    const auto* p = static_cast<const unsigned char*>(JSObjectGetTypedArrayBytesPtr(c.ctx, array, nullptr));
    bytes.rgba.assign(p, p + length);
    return bytes;
}

std::optional<CanvasStyle> styleFromObject(JSContextRef ctx, JSValueRef value) {
    if (auto* g = nativeOf<GradientNative>(ctx, value, Kind::Gradient)) return CanvasStyle(g->gradient);
    if (auto* p = nativeOf<PatternNative>(ctx, value, Kind::Pattern)) return CanvasStyle(p->pattern);
    return std::nullopt;
}

JSValueRef styleValue(JSContextRef ctx, const CanvasStyle& style) {
    if (auto color = std::get_if<RGBA8>(&style)) return makeString(ctx, serializeCanvasColor(*color));
    if (auto g = std::get_if<std::shared_ptr<CanvasGradient>>(&style)) return makeGradientObject(ctx, *g);
    return makePatternObject(ctx, std::get<std::shared_ptr<CanvasPattern>>(style));
}

struct MethodSpec {
    const char* name;
    size_t required;
    Body body;
};

constexpr MethodSpec kMethods[] = {
    {"save", 0, [](Call&, Context2D& x) -> JSValueRef { x.save(); return nullptr; }},
    {"restore", 0, [](Call&, Context2D& x) -> JSValueRef { x.restore(); return nullptr; }},
    {"scale", 2, [](Call& c, Context2D& x) -> JSValueRef {
         if (auto v = finiteNumbers<2>(c)) x.scale((*v)[0], (*v)[1]);
         return nullptr;
     }},
    {"rotate", 1, [](Call& c, Context2D& x) -> JSValueRef {
         if (auto v = finiteNumbers<1>(c)) x.rotate((*v)[0]);
         return nullptr;
     }},
    {"translate", 2, [](Call& c, Context2D& x) -> JSValueRef {
         if (auto v = finiteNumbers<2>(c)) x.translate((*v)[0], (*v)[1]);
         return nullptr;
     }},
    {"transform", 6, [](Call& c, Context2D& x) -> JSValueRef {
         if (auto v = finiteNumbers<6>(c)) x.transform((*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], (*v)[5]);
         return nullptr;
     }},
    {"setTransform", 0, [](Call& c, Context2D& x) -> JSValueRef {
         if (c.argc >= 6) {
             if (auto v = finiteNumbers<6>(c)) x.setTransform((*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], (*v)[5]);
         } else if (c.argc == 0 || JSValueIsUndefined(c.ctx, c.arg(0)) || JSValueIsNull(c.ctx, c.arg(0))) {
             x.resetTransform();
         } else if (JSValueIsObject(c.ctx, c.arg(0))) {
             if (auto m = matrixInit(c, 0)) x.setTransform(m->xx, m->yx, m->xy, m->yy, m->x0, m->y0);
         } else {
             return c.typeError("Failed to execute 'setTransform' on 'CanvasRenderingContext2D': The provided value is not of type 'DOMMatrix2DInit'.");
         }
         return nullptr;
     }},
    {"resetTransform", 0, [](Call&, Context2D& x) -> JSValueRef { x.resetTransform(); return nullptr; }},
    {"getTransform", 0, [](Call& c, Context2D& x) -> JSValueRef {
         const cairo_matrix_t& m = x.state().transform;
         JSObjectRef object = JSObjectMake(c.ctx, nullptr, nullptr);
         const std::pair<const char*, double> members[] = {{"a", m.xx}, {"b", m.yx}, {"c", m.xy},
                                                           {"d", m.yy}, {"e", m.x0}, {"f", m.y0}};
         for (const auto& [name, value] : members) setProperty(c.ctx, object, name, number(c, value));
         return object;
     }},
    {"createLinearGradient", 4, [](Call& c, Context2D&) -> JSValueRef {
         double v[4];
         if (!c.numbers(0, 4, v)) return nullptr;
         for (double d : v)
             if (!std::isfinite(d)) return c.typeError("Failed to execute 'createLinearGradient' on 'CanvasRenderingContext2D': The provided double value is non-finite.");
         auto g = std::make_shared<CanvasGradient>();
         g->x0 = v[0], g->y0 = v[1], g->x1 = v[2], g->y1 = v[3];
         return makeGradientObject(c.ctx, g);
     }},
    {"createRadialGradient", 6, [](Call& c, Context2D&) -> JSValueRef {
         double v[6];
         if (!c.numbers(0, 6, v)) return nullptr;
         for (double d : v)
             if (!std::isfinite(d)) return c.typeError("Failed to execute 'createRadialGradient' on 'CanvasRenderingContext2D': The provided double value is non-finite.");
         if (v[2] < 0 || v[5] < 0) return c.domError("IndexSizeError", "The radius provided is negative.");
         auto g = std::make_shared<CanvasGradient>();
         g->kind = CanvasGradient::Kind::Radial;
         g->x0 = v[0], g->y0 = v[1], g->r0 = v[2], g->x1 = v[3], g->y1 = v[4], g->r1 = v[5];
         return makeGradientObject(c.ctx, g);
     }},
    {"createConicGradient", 3, [](Call& c, Context2D&) -> JSValueRef {
         double v[3];
         if (!c.numbers(0, 3, v)) return nullptr;
         for (double d : v)
             if (!std::isfinite(d)) return c.typeError("Failed to execute 'createConicGradient' on 'CanvasRenderingContext2D': The provided double value is non-finite.");
         auto g = std::make_shared<CanvasGradient>();
         g->kind = CanvasGradient::Kind::Conic;
         g->startAngle = v[0], g->x0 = v[1], g->y0 = v[2];
         return makeGradientObject(c.ctx, g);
     }},
    {"createPattern", 2, [](Call& c, Context2D&) -> JSValueRef {
         bool isSource = false;
         cairo_surface_t* source = imageSourceOf(c.ctx, c.arg(0), isSource);
         if (!isSource) return c.typeError("Failed to execute 'createPattern' on 'CanvasRenderingContext2D': The provided value is not of type '(HTMLCanvasElement or HTMLImageElement)'.");
         std::string repetition = JSValueIsNull(c.ctx, c.arg(1)) ? "" : c.string(1);
         if (c.failed()) return nullptr;
         if (repetition.empty()) repetition = "repeat";
         if (repetition != "repeat" && repetition != "repeat-x" && repetition != "repeat-y" && repetition != "no-repeat")
             return c.domError("SyntaxError", "The provided type ('" + repetition + "') is not one of 'repeat', 'no-repeat', 'repeat-x', or 'repeat-y'.");
         if (!source) {
             if (nativeOf<CanvasNative>(c.ctx, c.arg(0), Kind::Canvas))
                 return c.domError("InvalidStateError", "The image argument is a canvas element with a width or height of 0.");
             return JSValueMakeNull(c.ctx);
         }
         // A snapshot: later drawing on the source canvas does not change the pattern.
         cairo_surface_t* copy = cairo_surface_create_similar_image(source, CAIRO_FORMAT_ARGB32,
                                                                    cairo_image_surface_get_width(source),
                                                                    cairo_image_surface_get_height(source));
         cairo_t* cr = cairo_create(copy);
         cairo_set_source_surface(cr, source, 0, 0);
         cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
         cairo_paint(cr);
         cairo_destroy(cr);
         return makePatternObject(c.ctx, std::make_shared<CanvasPattern>(copy, repetition));
     }},
    {"clearRect", 4, [](Call& c, Context2D& x) -> JSValueRef {
         if (auto v = finiteNumbers<4>(c)) x.clearRect((*v)[0], (*v)[1], (*v)[2], (*v)[3]);
         return nullptr;
     }},
    {"fillRect", 4, [](Call& c, Context2D& x) -> JSValueRef {
         if (auto v = finiteNumbers<4>(c)) x.fillRect((*v)[0], (*v)[1], (*v)[2], (*v)[3]);
         return nullptr;
     }},
    {"strokeRect", 4, [](Call& c, Context2D& x) -> JSValueRef {
         if (auto v = finiteNumbers<4>(c)) x.strokeRect((*v)[0], (*v)[1], (*v)[2], (*v)[3]);
         return nullptr;
     }},
    {"beginPath", 0, [](Call&, Context2D& x) -> JSValueRef { x.beginPath(); return nullptr; }},
    {"fill", 0, [](Call& c, Context2D& x) -> JSValueRef {
         const CanvasPath* path = path2DOf(c.ctx, c.arg(0));
         if (auto rule = fillRule(c, path ? 1 : 0)) path ? x.fill(*path, *rule) : x.fill(*rule);
         return nullptr;
     }},
    {"stroke", 0, [](Call& c, Context2D& x) -> JSValueRef {
         if (const CanvasPath* path = path2DOf(c.ctx, c.arg(0))) x.stroke(*path);
         else x.stroke();
         return nullptr;
     }},
    {"clip", 0, [](Call& c, Context2D& x) -> JSValueRef {
         const CanvasPath* path = path2DOf(c.ctx, c.arg(0));
         if (auto rule = fillRule(c, path ? 1 : 0)) path ? x.clip(*path, *rule) : x.clip(*rule);
         return nullptr;
     }},
    {"isPointInPath", 2, [](Call& c, Context2D& x) -> JSValueRef {
         const CanvasPath* path = path2DOf(c.ctx, c.arg(0));
         const size_t first = path ? 1 : 0;
         if (path && !c.require(3)) return nullptr;
         double v[2];
         if (!c.numbers(first, 2, v)) return nullptr;
         auto rule = fillRule(c, first + 2);
         if (!rule) return nullptr;
         return JSValueMakeBoolean(c.ctx, path ? x.isPointInPath(*path, v[0], v[1], *rule)
                                               : x.isPointInPath(v[0], v[1], *rule));
     }},
    {"isPointInStroke", 2, [](Call& c, Context2D& x) -> JSValueRef {
         const CanvasPath* path = path2DOf(c.ctx, c.arg(0));
         if (path && !c.require(3)) return nullptr;
         double v[2];
         if (!c.numbers(path ? 1 : 0, 2, v)) return nullptr;
         return JSValueMakeBoolean(c.ctx, path ? x.isPointInStroke(*path, v[0], v[1]) : x.isPointInStroke(v[0], v[1]));
     }},
    {"fillText", 3, [](Call& c, Context2D& x) -> JSValueRef {
         const std::string text = c.string(0);
         auto v = finiteNumbers<2>(c, 1);
         std::optional<double> maxWidth;
         if (c.has(3)) maxWidth = c.number(3);
         if (v && !c.failed()) x.fillText(text, (*v)[0], (*v)[1], maxWidth);
         return nullptr;
     }},
    {"strokeText", 3, [](Call& c, Context2D& x) -> JSValueRef {
         const std::string text = c.string(0);
         auto v = finiteNumbers<2>(c, 1);
         std::optional<double> maxWidth;
         if (c.has(3)) maxWidth = c.number(3);
         if (v && !c.failed()) x.strokeText(text, (*v)[0], (*v)[1], maxWidth);
         return nullptr;
     }},
    {"measureText", 1, [](Call& c, Context2D& x) -> JSValueRef {
         const std::string text = c.string(0);
         if (c.failed()) return nullptr;
         const TextMetrics m = x.measureText(text);
         JSObjectRef object = JSObjectMake(c.ctx, nullptr, nullptr);
         const std::pair<const char*, double> members[] = {
             {"width", m.width},
             {"actualBoundingBoxLeft", m.actualBoundingBoxLeft},
             {"actualBoundingBoxRight", m.actualBoundingBoxRight},
             {"actualBoundingBoxAscent", m.actualBoundingBoxAscent},
             {"actualBoundingBoxDescent", m.actualBoundingBoxDescent},
             {"fontBoundingBoxAscent", m.fontBoundingBoxAscent},
             {"fontBoundingBoxDescent", m.fontBoundingBoxDescent},
             {"emHeightAscent", m.emHeightAscent},
             {"emHeightDescent", m.emHeightDescent},
             {"alphabeticBaseline", m.alphabeticBaseline},
             {"hangingBaseline", m.hangingBaseline},
             {"ideographicBaseline", m.ideographicBaseline},
         };
         for (const auto& [name, value] : members) setProperty(c.ctx, object, name, number(c, value));
         return object;
     }},
    {"drawImage", 3, [](Call& c, Context2D& x) -> JSValueRef {
         if (c.argc != 3 && c.argc != 5 && c.argc != 9)
             return c.typeError("Failed to execute 'drawImage' on 'CanvasRenderingContext2D': Valid arities are: [3, 5, 9], but " +
                                std::to_string(c.argc) + " arguments provided.");
         bool isSource = false;
         cairo_surface_t* image = imageSourceOf(c.ctx, c.arg(0), isSource);
         if (!isSource)
             return c.typeError("Failed to execute 'drawImage' on 'CanvasRenderingContext2D': The provided value is not of type '(HTMLCanvasElement or HTMLImageElement)'.");
         double v[8];
         if (!c.numbers(1, c.argc - 1, v)) return nullptr;
         if (!image) {
             if (nativeOf<CanvasNative>(c.ctx, c.arg(0), Kind::Canvas))
                 return c.domError("InvalidStateError", "The image argument is a canvas element with a width or height of 0.");
             return nullptr;  // an image that has not loaded draws nothing
         }
         const double iw = cairo_image_surface_get_width(image), ih = cairo_image_surface_get_height(image);
         // Drawing a canvas onto itself reads from a copy.
         cairo_surface_t* own = x.canvas().surface();
         cairo_surface_t* copy = image == own ? x.snapshot() : nullptr;
         cairo_surface_t* source = copy ? copy : image;
         if (c.argc == 3) x.drawImage(source, 0, 0, iw, ih, v[0], v[1], iw, ih);
         else if (c.argc == 5) x.drawImage(source, 0, 0, iw, ih, v[0], v[1], v[2], v[3]);
         else x.drawImage(source, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
         if (copy) cairo_surface_destroy(copy);
         return nullptr;
     }},
    {"createImageData", 1, [](Call& c, Context2D&) -> JSValueRef {
         ImageDataBytes bytes;
         if (c.argc == 1) {
             auto other = readImageData(c, 0);
             if (!other) return nullptr;
             bytes.width = other->width, bytes.height = other->height;
         } else {
             double v[2];
             if (!c.numbers(0, 2, v)) return nullptr;
             if (!std::isfinite(v[0]) || !std::isfinite(v[1]))
                 return c.typeError("Failed to execute 'createImageData' on 'CanvasRenderingContext2D': The provided double value is non-finite.");
             const double w = std::abs(std::trunc(v[0])), h = std::abs(std::trunc(v[1]));
             if (w == 0) return c.domError("IndexSizeError", "The source width is 0.");
             if (h == 0) return c.domError("IndexSizeError", "The source height is 0.");
             if (w * h > CanvasElement::kMaxArea * 4) return c.rangeError("Out of memory at ImageData creation");
             bytes.width = unsigned(w), bytes.height = unsigned(h);
         }
         bytes.rgba.assign(size_t(bytes.width) * bytes.height * 4, 0);
         return makeImageData(c, bytes);
     }},
    {"getImageData", 4, [](Call& c, Context2D& x) -> JSValueRef {
         double v[4];
         if (!c.numbers(0, 4, v)) return nullptr;
         return makeImageData(c, x.getImageData(v[0], v[1], v[2], v[3]));
     }},
    {"putImageData", 3, [](Call& c, Context2D& x) -> JSValueRef {
         if (c.argc != 3 && c.argc < 7)
             return c.typeError("Failed to execute 'putImageData' on 'CanvasRenderingContext2D': Valid arities are: [3, 7], but " +
                                std::to_string(c.argc) + " arguments provided.");
         auto image = readImageData(c, 0);
         if (!image) return nullptr;
         double v[6] = {0, 0, 0, 0, double(image->width), double(image->height)};
         if (!c.numbers(1, c.argc >= 7 ? 6 : 2, v)) return nullptr;
         x.putImageData(*image, v[0], v[1], v[2], v[3], v[4], v[5]);
         return nullptr;
     }},
    {"setLineDash", 1, [](Call& c, Context2D& x) -> JSValueRef {
         if (!JSValueIsObject(c.ctx, c.arg(0)))
             return c.typeError("Failed to execute 'setLineDash' on 'CanvasRenderingContext2D': The provided value cannot be converted to a sequence.");
         JSObjectRef list = JSValueToObject(c.ctx, c.arg(0), nullptr);
         const double n = JSValueToNumber(c.ctx, property(c.ctx, list, "length", c.exception), c.exception);
         std::vector<double> dash;
         for (unsigned i = 0; i < n && i < 1024 && !c.failed(); ++i)
             dash.push_back(JSValueToNumber(c.ctx, JSObjectGetPropertyAtIndex(c.ctx, list, i, c.exception), c.exception));
         if (!c.failed()) x.setLineDash(dash);
         return nullptr;
     }},
    {"getLineDash", 0, [](Call& c, Context2D& x) -> JSValueRef {
         std::vector<JSValueRef> values;
         for (double d : x.lineDash()) values.push_back(number(c, d));
         return JSObjectMakeArray(c.ctx, values.size(), values.data(), c.exception);
     }},
};

template <size_t I>
JSValueRef invoke(JSContextRef ctx, JSObjectRef, JSObjectRef self, size_t argc, const JSValueRef argv[],
                  JSValueRef* exception) {
    const MethodSpec& method = kMethods[I];
    Call call{ctx, self, argc, argv, exception, "CanvasRenderingContext2D", method.name};
    Context2D* context = contextOf(ctx, self);
    if (!context) return call.typeError("Illegal invocation");
    if (!call.require(method.required)) return call.undefined();
    try {
        JSValueRef result = method.body(call, *context);
        return result ? result : call.undefined();
    } catch (const DOMException& e) {
        return call.domError(e.name, e.what());
    } catch (const std::bad_alloc&) {
        return call.rangeError("Out of memory");
    }
}

template <size_t I>
JSValueRef invokePath(JSContextRef ctx, JSObjectRef, JSObjectRef self, size_t argc, const JSValueRef argv[],
                      JSValueRef* exception) {
    Call call{ctx, self, argc, argv, exception, "CanvasRenderingContext2D", kPathMethods[I].name};
    Context2D* context = contextOf(ctx, self);
    if (!context) return call.typeError("Illegal invocation");
    PathBuilder builder = context->path();
    return callPathMethod(kPathMethods[I], builder, call);
}

template <size_t... I, size_t... P>
constexpr std::array<JSStaticFunction, sizeof...(I) + sizeof...(P) + 1> functionTable(std::index_sequence<I...>,
                                                                                      std::index_sequence<P...>) {
    return {{{kMethods[I].name, invoke<I>, kJSPropertyAttributeDontDelete}...,
             {kPathMethods[P].name, invokePath<P>, kJSPropertyAttributeDontDelete}...,
             {nullptr, nullptr, 0}}};
}
const auto kFunctions = functionTable(std::make_index_sequence<std::size(kMethods)>(),
                                      std::make_index_sequence<std::size(kPathMethods)>());

// Attributes: a getter and a setter that ignores what a browser ignores.
struct PropertySpec {
    const char* name;
    JSValueRef (*get)(JSContextRef, Context2D&);
    void (*set)(Call&, Context2D&);
};

double numberArg(Call& c) { return c.number(0); }

constexpr PropertySpec kProperties[] = {
    {"globalAlpha", [](JSContextRef ctx, Context2D& x) { return JSValueMakeNumber(ctx, x.state().globalAlpha); },
     [](Call& c, Context2D& x) { x.setGlobalAlpha(numberArg(c)); }},
    {"globalCompositeOperation",
     [](JSContextRef ctx, Context2D& x) { return makeString(ctx, x.state().globalCompositeOperation); },
     [](Call& c, Context2D& x) { x.setGlobalCompositeOperation(c.string(0)); }},
    {"fillStyle", [](JSContextRef ctx, Context2D& x) { return styleValue(ctx, x.state().fillStyle); },
     [](Call& c, Context2D& x) {
         if (auto style = styleFromObject(c.ctx, c.arg(0))) x.state().fillStyle = *style;
         else x.setFillColor(c.string(0));
     }},
    {"strokeStyle", [](JSContextRef ctx, Context2D& x) { return styleValue(ctx, x.state().strokeStyle); },
     [](Call& c, Context2D& x) {
         if (auto style = styleFromObject(c.ctx, c.arg(0))) x.state().strokeStyle = *style;
         else x.setStrokeColor(c.string(0));
     }},
    {"lineWidth", [](JSContextRef ctx, Context2D& x) { return JSValueMakeNumber(ctx, x.state().lineWidth); },
     [](Call& c, Context2D& x) { x.setLineWidth(numberArg(c)); }},
    {"lineCap", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, x.lineCap()); },
     [](Call& c, Context2D& x) { x.setLineCap(c.string(0)); }},
    {"lineJoin", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, x.lineJoin()); },
     [](Call& c, Context2D& x) { x.setLineJoin(c.string(0)); }},
    {"miterLimit", [](JSContextRef ctx, Context2D& x) { return JSValueMakeNumber(ctx, x.state().miterLimit); },
     [](Call& c, Context2D& x) { x.setMiterLimit(numberArg(c)); }},
    {"lineDashOffset", [](JSContextRef ctx, Context2D& x) { return JSValueMakeNumber(ctx, x.state().lineDashOffset); },
     [](Call& c, Context2D& x) {
         const double v = numberArg(c);
         if (std::isfinite(v)) x.state().lineDashOffset = v;
     }},
    {"shadowColor", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, serializeCanvasColor(x.state().shadowColor)); },
     [](Call& c, Context2D& x) { x.setShadowColor(c.string(0)); }},
    {"shadowBlur", [](JSContextRef ctx, Context2D& x) { return JSValueMakeNumber(ctx, x.state().shadowBlur); },
     [](Call& c, Context2D& x) {
         const double v = numberArg(c);
         if (std::isfinite(v) && v >= 0) x.state().shadowBlur = v;
     }},
    {"shadowOffsetX", [](JSContextRef ctx, Context2D& x) { return JSValueMakeNumber(ctx, x.state().shadowOffsetX); },
     [](Call& c, Context2D& x) {
         const double v = numberArg(c);
         if (std::isfinite(v)) x.state().shadowOffsetX = v;
     }},
    {"shadowOffsetY", [](JSContextRef ctx, Context2D& x) { return JSValueMakeNumber(ctx, x.state().shadowOffsetY); },
     [](Call& c, Context2D& x) {
         const double v = numberArg(c);
         if (std::isfinite(v)) x.state().shadowOffsetY = v;
     }},
    {"font", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, serializeFont(x.state().font)); },
     [](Call& c, Context2D& x) { x.setFont(c.string(0)); }},
    {"textAlign", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, x.state().textAlign); },
     [](Call& c, Context2D& x) { x.setTextAlign(c.string(0)); }},
    {"textBaseline", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, x.state().textBaseline); },
     [](Call& c, Context2D& x) { x.setTextBaseline(c.string(0)); }},
    {"direction", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, x.state().direction); },
     [](Call& c, Context2D& x) { x.setDirection(c.string(0)); }},
    {"letterSpacing", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, x.state().letterSpacingText); },
     [](Call& c, Context2D& x) { x.setLetterSpacing(c.string(0)); }},
    {"wordSpacing", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, x.state().wordSpacingText); },
     [](Call& c, Context2D& x) { x.setWordSpacing(c.string(0)); }},
    {"filter", [](JSContextRef ctx, Context2D& x) { return makeString(ctx, x.filter()); },
     [](Call& c, Context2D& x) { x.setFilter(c.string(0)); }},
    {"imageSmoothingEnabled",
     [](JSContextRef ctx, Context2D& x) { return JSValueMakeBoolean(ctx, x.state().imageSmoothingEnabled); },
     [](Call& c, Context2D& x) { x.state().imageSmoothingEnabled = c.boolean(0); }},
};

template <size_t I>
JSValueRef getProperty(JSContextRef ctx, JSObjectRef self, JSStringRef, JSValueRef*) {
    Context2D* context = contextOf(ctx, self);
    return context ? kProperties[I].get(ctx, *context) : JSValueMakeUndefined(ctx);
}

template <size_t I>
bool setProperty(JSContextRef ctx, JSObjectRef self, JSStringRef, JSValueRef value, JSValueRef* exception) {
    Context2D* context = contextOf(ctx, self);
    if (!context) return false;
    Call call{ctx, self, 1, &value, exception, "CanvasRenderingContext2D", kProperties[I].name};
    kProperties[I].set(call, *context);
    return true;
}

template <size_t... I>
constexpr std::array<JSStaticValue, sizeof...(I) + 1> valueTable(std::index_sequence<I...>) {
    return {{{kProperties[I].name, getProperty<I>, setProperty<I>, kJSPropertyAttributeDontDelete}...,
             {nullptr, nullptr, nullptr, 0}}};
}
const auto kValues = valueTable(std::make_index_sequence<std::size(kProperties)>());

}  // namespace

JSClassRef contextClass() {
    static JSClassRef c = makeClass("CanvasRenderingContext2D", kValues.data(), kFunctions.data(), finalizeNative);
    return c;
}

}  // namespace webview::js
