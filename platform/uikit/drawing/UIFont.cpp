#include "platform/uikit/drawing/UIFont.h"

#include <pango/pangocairo.h>

#include <cctype>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/graphics/FontConfiguration.h"

namespace uikit {
namespace {

struct Style {
    const char* word;
    int weight;
    bool italic;
};

// Longest first, so "UltraLight" is not read as "Light".
const std::vector<Style>& styles() {
    static const std::vector<Style> list = {
        {"UltraLightItalic", 200, true}, {"LightItalic", 300, true}, {"BoldItalic", 700, true},
        {"MediumItalic", 500, true},     {"ThinItalic", 100, true},  {"UltraLight", 200, false},
        {"Semibold", 600, false},        {"SemiBold", 600, false},   {"CondensedBold", 700, false},
        {"Medium", 500, false},          {"Light", 300, false},      {"Thin", 100, false},
        {"Bold", 700, false},            {"Heavy", 800, false},      {"Black", 900, false},
        {"Italic", 400, true},           {"Oblique", 400, true},     {"Regular", 400, false},
        {"Roman", 400, false},
    };
    return list;
}

const Style* styleNamed(const std::string& word) {
    for (const auto& s : styles())
        if (word == s.word) return &s;
    return nullptr;
}

// "HelveticaNeue" -> "Helvetica Neue"; names that already hold spaces stay.
std::string spacedFamily(const std::string& name) {
    if (name.find(' ') != std::string::npos) return name;
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        const bool upper = std::isupper(static_cast<unsigned char>(name[i]));
        if (upper && i > 0 && std::islower(static_cast<unsigned char>(name[i - 1]))) out += ' ';
        out += name[i];
    }
    return out;
}

}  // namespace

std::shared_ptr<UIFont> UIFont::fontWithName(const std::string& name, double size) {
    std::string family = name;
    const Style* style = nullptr;
    if (auto dash = name.find('-'); dash != std::string::npos && dash > 0) {
        family = name.substr(0, dash);
        style = styleNamed(name.substr(dash + 1));
    } else if (auto space = name.rfind(' '); space != std::string::npos) {
        if ((style = styleNamed(name.substr(space + 1)))) family = name.substr(0, space);
    }
    return std::make_shared<UIFont>(name, spacedFamily(family), style ? style->weight : 400, style && style->italic,
                                    size);
}

std::shared_ptr<UIFont> UIFont::systemFontOfSize(double size) {
    return std::make_shared<UIFont>("HelveticaNeue", "Helvetica Neue", 400, false, size);
}

std::shared_ptr<UIFont> UIFont::boldSystemFontOfSize(double size) {
    return std::make_shared<UIFont>("HelveticaNeue-Bold", "Helvetica Neue", 700, false, size);
}

std::shared_ptr<UIFont> UIFont::fontWithSize(double size) const {
    return std::make_shared<UIFont>(fontName_, familyName_, weight_, italic_, size);
}

UIFont::UIFont(std::string fontName, std::string familyName, int weight, bool italic, double size)
    : fontName_(std::move(fontName)),
      familyName_(std::move(familyName)),
      weight_(weight),
      italic_(italic),
      size_(std::isfinite(size) && size > 0 ? size : 17),
      description_(pango_font_description_new()) {
    pango_font_description_set_family(description_, familyName_.c_str());
    pango_font_description_set_weight(description_, static_cast<PangoWeight>(weight_));
    pango_font_description_set_style(description_, italic_ ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(description_, size_ * PANGO_SCALE);
}

UIFont::~UIFont() { pango_font_description_free(description_); }

PangoContext* UIFont::pangoContext() {
    static PangoContext* context = [] {
        PangoContext* made = pango_font_map_create_context(graphics::sharedFontMap());
        // Positions independent of the scale a view is drawn at.
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(made, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(made, FALSE);
        return made;
    }();
    return context;
}

void UIFont::loadMetrics() const {
    if (ascender_ >= 0) return;
    PangoFontMetrics* metrics = pango_context_get_metrics(pangoContext(), description_, nullptr);
    ascender_ = pango_font_metrics_get_ascent(metrics) / double(PANGO_SCALE);
    descender_ = -pango_font_metrics_get_descent(metrics) / double(PANGO_SCALE);
    pango_font_metrics_unref(metrics);
}

double UIFont::ascender() const { return loadMetrics(), ascender_; }
double UIFont::descender() const { return loadMetrics(), descender_; }
double UIFont::lineHeight() const { return loadMetrics(), ascender_ - descender_; }

}  // namespace uikit
