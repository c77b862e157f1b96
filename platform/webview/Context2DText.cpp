// Text: laid out by pango, turned into a path and filled or stroked like any shape.
#include <cmath>

#include "platform/webview/Context2D.h"

namespace webview {
namespace {

struct LayoutOwner {
    PangoLayout* layout;
    ~LayoutOwner() { g_object_unref(layout); }
};

// A cairo context only for turning layouts into paths. Unbounded, because
// pango leaves out glyphs that fall outside the target's clip.
cairo_t* scratchCairo() {
    static cairo_t* cr = [] {
        cairo_surface_t* surface = cairo_recording_surface_create(CAIRO_CONTENT_ALPHA, nullptr);
        cairo_t* c = cairo_create(surface);
        cairo_surface_destroy(surface);
        return c;
    }();
    return cr;
}

}  // namespace

PangoLayout* Context2D::layoutFor(const std::string& text) {
    PangoLayout* shared = Fonts::shared().layout(state().font, text);
    const DrawingState& s = state();
    if (s.letterSpacing == 0 && s.wordSpacing == 0) return shared;
    // Spaced text gets a layout of its own. Pango spaces letters between
    // them; the browser also after the last, which spacingWidth adds.
    PangoLayout* spaced = pango_layout_copy(shared);
    g_object_unref(shared);
    const double k = Fonts::layoutScale(s.font);
    PangoAttrList* list = pango_attr_list_new();
    auto add = [&](double px, guint start, guint end) {
        PangoAttribute* a = pango_attr_letter_spacing_new(int(std::lround(px / k * PANGO_SCALE)));
        a->start_index = start, a->end_index = end;
        pango_attr_list_insert(list, a);
    };
    add(s.letterSpacing, 0, G_MAXUINT);
    const char* t = pango_layout_get_text(spaced);
    if (s.wordSpacing != 0)
        for (guint i = 0; t[i]; ++i)
            if (t[i] == ' ') add(s.letterSpacing + s.wordSpacing, i, i + 1);
    pango_layout_set_attributes(spaced, list);
    pango_attr_list_unref(list);
    return spaced;
}

double Context2D::spacingWidth(const std::string& text) const {
    const DrawingState& s = state();
    if (s.letterSpacing == 0 && s.wordSpacing == 0) return 0;
    const glong characters = g_utf8_strlen(text.c_str(), glong(text.size()));
    // Pango leaves the last letter's spacing out.
    return characters > 0 ? s.letterSpacing : 0;
}

namespace {

// The alphabetic baseline's distance below the y given to fillText.
double baselineOffset(const std::string& baseline, const FontMetrics& m) {
    if (baseline == "top") return m.topOffset;
    if (baseline == "middle") return m.middleOffset;
    if (baseline == "bottom") return m.bottomOffset;
    if (baseline == "hanging") return m.hangingOffset;
    if (baseline == "ideographic") return m.ideographicOffset;
    return 0;
}

double alignOffset(const std::string& align, const std::string& direction, double width) {
    const bool rtl = direction == "rtl";
    if (align == "center") return -width / 2;
    if (align == "right" || (align == "end" && !rtl) || (align == "start" && rtl)) return -width;
    return 0;
}

}  // namespace

CanvasPath Context2D::textPath(const std::string& text, double x, double y, std::optional<double> maxWidth) {
    if (!std::isfinite(x) || !std::isfinite(y)) return {};
    if (maxWidth && !(std::isfinite(*maxWidth) && *maxWidth > 0)) return {};
    if (!(state().font.sizePx > 0)) return {};
    LayoutOwner owner{layoutFor(text)};
    PangoRectangle logical;
    pango_layout_get_extents(owner.layout, nullptr, &logical);
    const double k = Fonts::layoutScale(state().font);
    const double width = k * logical.width / double(PANGO_SCALE) + spacingWidth(text);
    const double layoutBaseline = k * pango_layout_get_baseline(owner.layout) / double(PANGO_SCALE);
    const FontMetrics metrics = Fonts::shared().metrics(state().font);

    cairo_matrix_t m = state().transform;
    cairo_matrix_translate(&m, x, y);
    // Too wide for maxWidth: squeezed horizontally about the anchor point.
    if (maxWidth && *maxWidth < width) cairo_matrix_scale(&m, *maxWidth / width, 1);
    cairo_matrix_translate(&m, alignOffset(state().textAlign, state().direction, width),
                           baselineOffset(state().textBaseline, metrics) - layoutBaseline);
    cairo_matrix_scale(&m, k, k);

    cairo_t* cr = scratchCairo();
    cairo_new_path(cr);
    cairo_set_matrix(cr, &m);
    pango_cairo_layout_path(cr, owner.layout);
    cairo_identity_matrix(cr);
    cairo_path_t* path = cairo_copy_path(cr);
    CanvasPath result(path);
    cairo_path_destroy(path);
    cairo_new_path(cr);
    return result;
}

void Context2D::fillText(const std::string& text, double x, double y, std::optional<double> maxWidth) {
    if (!canDraw()) return;
    fillPath(textPath(text, x, y, maxWidth), CAIRO_FILL_RULE_WINDING);
}

void Context2D::strokeText(const std::string& text, double x, double y, std::optional<double> maxWidth) {
    if (!canDraw()) return;
    strokePath(textPath(text, x, y, maxWidth));
}

TextMetrics Context2D::measureText(const std::string& text) {
    LayoutOwner owner{layoutFor(text)};
    PangoRectangle ink, logical;
    pango_layout_get_extents(owner.layout, &ink, &logical);
    const double scale = PANGO_SCALE / Fonts::layoutScale(state().font);
    const double width = logical.width / scale + spacingWidth(text);
    const double layoutBaseline = pango_layout_get_baseline(owner.layout) / scale;
    const FontMetrics fm = Fonts::shared().metrics(state().font);
    const double o = baselineOffset(state().textBaseline, fm);
    const double dx = alignOffset(state().textAlign, state().direction, width);

    TextMetrics m;
    m.width = width;
    const bool noInk = ink.width == 0 || ink.height == 0;
    m.actualBoundingBoxLeft = noInk ? -dx : -(dx + ink.x / scale);
    m.actualBoundingBoxRight = noInk ? dx : dx + (ink.x + ink.width) / scale;
    m.actualBoundingBoxAscent = noInk ? -o : (layoutBaseline - ink.y / scale) - o;
    m.actualBoundingBoxDescent = noInk ? o : (ink.y + ink.height) / scale - layoutBaseline + o;
    m.fontBoundingBoxAscent = fm.ascent - o;
    m.fontBoundingBoxDescent = fm.descent + o;
    m.emHeightAscent = fm.topOffset - o;
    m.emHeightDescent = -fm.bottomOffset + o;
    m.alphabeticBaseline = -o;
    m.hangingBaseline = fm.hangingOffset - o;
    m.ideographicBaseline = fm.ideographicOffset - o;
    return m;
}

}  // namespace webview
