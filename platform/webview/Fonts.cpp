#include "platform/webview/Fonts.h"

#include "platform/graphics/FontConfiguration.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace webview {
namespace {

std::string key(const FontSpec& f) { return serializeFont(f); }

// Normalised OS/2 and hhea figures of one font file.
struct FaceFigures {
    double typoAscender = 0.8, typoDescender = 0.2;  // per em, descender positive
    double hheaAscender = 0.9, hheaDescender = 0.2;
};

FaceFigures readFigures(const std::string& file, int index) {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        FT_Init_FreeType(&l);
        return l;
    }();
    FaceFigures figures;
    FT_Face face = nullptr;
    if (!library || FT_New_Face(library, file.c_str(), index, &face) != 0) return figures;
    const double em = face->units_per_EM ? face->units_per_EM : 1000;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        double asc = os2->sTypoAscender, desc = -os2->sTypoDescender;
        if (asc + desc > 0) figures.typoAscender = asc / em, figures.typoDescender = desc / em;
    }
    if (auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA))) {
        figures.hheaAscender = hhea->Ascender / em;
        figures.hheaDescender = -hhea->Descender / em;
    } else {
        figures.hheaAscender = face->ascender / em;
        figures.hheaDescender = -face->descender / em;
    }
    FT_Done_Face(face);
    return figures;
}

double round64(double v) { return std::round(v * 64) / 64; }

}  // namespace

Fonts& Fonts::shared() {
    static Fonts* fonts = new Fonts();
    return *fonts;
}

Fonts::Fonts() {
    map_ = graphics::sharedFontMap();
    context_ = pango_font_map_create_context(map_);
    // Unhinted metrics and unrounded positions, or text widths snap to whole pixels.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context_, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context_, FALSE);
}

const PangoFontDescription* Fonts::description(const FontSpec& font) {
    static std::map<std::string, PangoFontDescription*> cache;
    auto& slot = cache[key(font)];
    if (!slot) {
        slot = pango_font_description_new();
        std::string families;
        for (const auto& f : font.families) families += (families.empty() ? "" : ",") + f;
        pango_font_description_set_family(slot, families.c_str());
        pango_font_description_set_style(slot, font.style == "italic"    ? PANGO_STYLE_ITALIC
                                               : font.style == "oblique" ? PANGO_STYLE_OBLIQUE
                                                                         : PANGO_STYLE_NORMAL);
        pango_font_description_set_variant(slot, font.variant == "small-caps" ? PANGO_VARIANT_SMALL_CAPS
                                                                               : PANGO_VARIANT_NORMAL);
        pango_font_description_set_weight(slot, static_cast<PangoWeight>(font.weight));
        pango_font_description_set_absolute_size(slot, std::clamp(font.sizePx, 0.0, kMaxLayoutSize) * PANGO_SCALE);
    }
    return slot;
}

FontMetrics Fonts::metrics(const FontSpec& font) {
    static std::map<std::string, FontMetrics> byFont;
    const std::string fontKey = key(font);
    if (auto it = byFont.find(fontKey); it != byFont.end()) return it->second;
    static std::map<std::string, FaceFigures> figuresByFace;
    const PangoFontDescription* desc = description(font);
    FaceFigures figures;
    {
            PangoFont* loaded = pango_font_map_load_font(map_, context_, desc);
        std::string file;
        int index = 0;
        if (loaded && PANGO_IS_FC_FONT(loaded)) {
            FcPattern* pattern = pango_fc_font_get_pattern(PANGO_FC_FONT(loaded));
            FcChar8* path = nullptr;
            if (FcPatternGetString(pattern, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<char*>(path);
            FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
        }
        if (loaded) g_object_unref(loaded);
        auto it = figuresByFace.find(file + "#" + std::to_string(index));
        if (it == figuresByFace.end())
            it = figuresByFace.emplace(file + "#" + std::to_string(index), readFigures(file, index)).first;
        figures = it->second;
    }
    const double size = font.sizePx;
    const double total = figures.typoAscender + figures.typoDescender;
    const double na = figures.typoAscender / total, nd = figures.typoDescender / total;
    FontMetrics m;
    m.topOffset = round64(na * size);
    m.middleOffset = round64((na - nd) / 2 * size);
    m.bottomOffset = round64(-nd * size);
    m.ascent = std::round(figures.hheaAscender * size);
    m.descent = std::round(figures.hheaDescender * size);
    m.hangingOffset = 0.8 * m.ascent;
    m.ideographicOffset = -m.descent;
    return byFont[fontKey] = m;
}

PangoLayout* Fonts::layout(const FontSpec& font, const std::string& text) {
    const std::string cacheKey = key(font) + '\n' + text;
    if (auto it = layouts_.find(cacheKey); it != layouts_.end()) {
        recency_.splice(recency_.begin(), recency_, it->second.recency);
        return PANGO_LAYOUT(g_object_ref(it->second.layout));
    }
    // The canvas draws white space characters as plain spaces, on one line.
    gchar* valid = g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size()));
    for (gchar* p = valid; *p; ++p)
        if (*p == '\n' || *p == '\r' || *p == '\t' || *p == '\f') *p = ' ';
    PangoLayout* made = pango_layout_new(context_);
    pango_layout_set_font_description(made, description(font));
    pango_layout_set_text(made, valid, -1);
    g_free(valid);
    constexpr size_t kKept = 512;
    if (layouts_.size() == kKept) {
        auto oldest = layouts_.find(recency_.back());
        g_object_unref(oldest->second.layout);
        layouts_.erase(oldest);
        recency_.pop_back();
    }
    recency_.push_front(cacheKey);
    layouts_.emplace(cacheKey, CachedLayout{made, recency_.begin()});
    return PANGO_LAYOUT(g_object_ref(made));
}

std::string Fonts::resolvedFamily(const std::string& family) {
    FontSpec font;
    font.families = {family};
    PangoFontDescription* desc = pango_font_description_copy(description(font));
    PangoFont* loaded = pango_font_map_load_font(map_, context_, desc);
    std::string name;
    if (loaded) {
        PangoFontDescription* actual = pango_font_describe(loaded);
        if (const char* f = pango_font_description_get_family(actual)) name = f;
        pango_font_description_free(actual);
        g_object_unref(loaded);
    }
    pango_font_description_free(desc);
    return name;
}

}  // namespace webview
