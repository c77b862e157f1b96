#pragma once
// The path methods a context and a Path2D share, converted as WebIDL does.

#include <cairo.h>

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "platform/webview/CanvasPath.h"
#include "platform/webview/JSUtil.h"

namespace webview::js {

// The numbers of a call, all finite, or nothing: non-finite makes the call a no-op.
template <size_t N>
std::optional<std::array<double, N>> finiteNumbers(Call& c, size_t first = 0) {
    std::array<double, N> v{};
    if (!c.numbers(first, N, v.data())) return std::nullopt;
    for (double d : v)
        if (!std::isfinite(d)) return std::nullopt;
    return v;
}

// A DOMMatrix2DInit (a..f or m11..m42; what is missing keeps the identity's
// value). Nothing when it threw or was refused; undefined and null are the identity.
std::optional<cairo_matrix_t> matrixInit(Call& c, size_t i);

struct PathMethodSpec {
    const char* name;
    size_t required;
    void (*body)(Call&, PathBuilder&);
};

inline constexpr PathMethodSpec kPathMethods[] = {
    {"closePath", 0, [](Call&, PathBuilder& p) { p.closePath(); }},
    {"moveTo", 2, [](Call& c, PathBuilder& p) {
         if (auto v = finiteNumbers<2>(c)) p.moveTo((*v)[0], (*v)[1]);
     }},
    {"lineTo", 2, [](Call& c, PathBuilder& p) {
         if (auto v = finiteNumbers<2>(c)) p.lineTo((*v)[0], (*v)[1]);
     }},
    {"quadraticCurveTo", 4, [](Call& c, PathBuilder& p) {
         if (auto v = finiteNumbers<4>(c)) p.quadraticCurveTo((*v)[0], (*v)[1], (*v)[2], (*v)[3]);
     }},
    {"bezierCurveTo", 6, [](Call& c, PathBuilder& p) {
         if (auto v = finiteNumbers<6>(c)) p.bezierCurveTo((*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], (*v)[5]);
     }},
    {"arc", 5, [](Call& c, PathBuilder& p) {
         if (auto v = finiteNumbers<5>(c)) p.arc((*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], c.boolean(5));
     }},
    {"arcTo", 5, [](Call& c, PathBuilder& p) {
         if (auto v = finiteNumbers<5>(c)) p.arcTo((*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4]);
     }},
    {"ellipse", 7, [](Call& c, PathBuilder& p) {
         if (auto v = finiteNumbers<7>(c))
             p.ellipse((*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], (*v)[5], (*v)[6], c.boolean(7));
     }},
    {"rect", 4, [](Call& c, PathBuilder& p) {
         if (auto v = finiteNumbers<4>(c)) p.rect((*v)[0], (*v)[1], (*v)[2], (*v)[3]);
     }},
    {"roundRect", 4, [](Call& c, PathBuilder& p) {
         auto v = finiteNumbers<4>(c);
         if (c.failed()) return;
         std::vector<double> radii;
         auto radius = [&](JSValueRef r) {
             // A DOMPointInit counts by its x.
             if (JSValueIsObject(c.ctx, r)) r = property(c.ctx, JSValueToObject(c.ctx, r, nullptr), "x", c.exception);
             radii.push_back(c.failed() ? 0 : JSValueToNumber(c.ctx, r, c.exception));
         };
         JSValueRef arg = c.arg(4);
         if (!c.has(4)) radii.push_back(0);
         else if (JSValueIsArray(c.ctx, arg)) {
             JSObjectRef list = JSValueToObject(c.ctx, arg, nullptr);
             const double n = JSValueToNumber(c.ctx, property(c.ctx, list, "length"), nullptr);
             for (unsigned i = 0; i < n && i < 5 && !c.failed(); ++i) radius(JSObjectGetPropertyAtIndex(c.ctx, list, i, c.exception));
         } else radius(arg);
         if (c.failed() || !v) return;
         p.roundRect((*v)[0], (*v)[1], (*v)[2], (*v)[3], radii);
     }},
};

// Checks the argument count, runs the method and turns its DOMException into the script's.
JSValueRef callPathMethod(const PathMethodSpec& method, PathBuilder& path, Call& call);

}  // namespace webview::js
