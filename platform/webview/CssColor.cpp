#include "platform/webview/CssColor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace webview {
namespace {

struct Named {
    const char* name;
    std::uint32_t rgb;
};

// CSS Color Module named colors.
constexpr Named kNamed[] = {
    {"aliceblue", 0xf0f8ff}, {"antiquewhite", 0xfaebd7}, {"aqua", 0x00ffff}, {"aquamarine", 0x7fffd4},
    {"azure", 0xf0ffff}, {"beige", 0xf5f5dc}, {"bisque", 0xffe4c4}, {"black", 0x000000},
    {"blanchedalmond", 0xffebcd}, {"blue", 0x0000ff}, {"blueviolet", 0x8a2be2}, {"brown", 0xa52a2a},
    {"burlywood", 0xdeb887}, {"cadetblue", 0x5f9ea0}, {"chartreuse", 0x7fff00}, {"chocolate", 0xd2691e},
    {"coral", 0xff7f50}, {"cornflowerblue", 0x6495ed}, {"cornsilk", 0xfff8dc}, {"crimson", 0xdc143c},
    {"cyan", 0x00ffff}, {"darkblue", 0x00008b}, {"darkcyan", 0x008b8b}, {"darkgoldenrod", 0xb8860b},
    {"darkgray", 0xa9a9a9}, {"darkgreen", 0x006400}, {"darkgrey", 0xa9a9a9}, {"darkkhaki", 0xbdb76b},
    {"darkmagenta", 0x8b008b}, {"darkolivegreen", 0x556b2f}, {"darkorange", 0xff8c00}, {"darkorchid", 0x9932cc},
    {"darkred", 0x8b0000}, {"darksalmon", 0xe9967a}, {"darkseagreen", 0x8fbc8f}, {"darkslateblue", 0x483d8b},
    {"darkslategray", 0x2f4f4f}, {"darkslategrey", 0x2f4f4f}, {"darkturquoise", 0x00ced1},
    {"darkviolet", 0x9400d3}, {"deeppink", 0xff1493}, {"deepskyblue", 0x00bfff}, {"dimgray", 0x696969},
    {"dimgrey", 0x696969}, {"dodgerblue", 0x1e90ff}, {"firebrick", 0xb22222}, {"floralwhite", 0xfffaf0},
    {"forestgreen", 0x228b22}, {"fuchsia", 0xff00ff}, {"gainsboro", 0xdcdcdc}, {"ghostwhite", 0xf8f8ff},
    {"gold", 0xffd700}, {"goldenrod", 0xdaa520}, {"gray", 0x808080}, {"green", 0x008000},
    {"greenyellow", 0xadff2f}, {"grey", 0x808080}, {"honeydew", 0xf0fff0}, {"hotpink", 0xff69b4},
    {"indianred", 0xcd5c5c}, {"indigo", 0x4b0082}, {"ivory", 0xfffff0}, {"khaki", 0xf0e68c},
    {"lavender", 0xe6e6fa}, {"lavenderblush", 0xfff0f5}, {"lawngreen", 0x7cfc00}, {"lemonchiffon", 0xfffacd},
    {"lightblue", 0xadd8e6}, {"lightcoral", 0xf08080}, {"lightcyan", 0xe0ffff},
    {"lightgoldenrodyellow", 0xfafad2}, {"lightgray", 0xd3d3d3}, {"lightgreen", 0x90ee90},
    {"lightgrey", 0xd3d3d3}, {"lightpink", 0xffb6c1}, {"lightsalmon", 0xffa07a}, {"lightseagreen", 0x20b2aa},
    {"lightskyblue", 0x87cefa}, {"lightslategray", 0x778899}, {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xb0c4de}, {"lightyellow", 0xffffe0}, {"lime", 0x00ff00}, {"limegreen", 0x32cd32},
    {"linen", 0xfaf0e6}, {"magenta", 0xff00ff}, {"maroon", 0x800000}, {"mediumaquamarine", 0x66cdaa},
    {"mediumblue", 0x0000cd}, {"mediumorchid", 0xba55d3}, {"mediumpurple", 0x9370db},
    {"mediumseagreen", 0x3cb371}, {"mediumslateblue", 0x7b68ee}, {"mediumspringgreen", 0x00fa9a},
    {"mediumturquoise", 0x48d1cc}, {"mediumvioletred", 0xc71585}, {"midnightblue", 0x191970},
    {"mintcream", 0xf5fffa}, {"mistyrose", 0xffe4e1}, {"moccasin", 0xffe4b5}, {"navajowhite", 0xffdead},
    {"navy", 0x000080}, {"oldlace", 0xfdf5e6}, {"olive", 0x808000}, {"olivedrab", 0x6b8e23},
    {"orange", 0xffa500}, {"orangered", 0xff4500}, {"orchid", 0xda70d6}, {"palegoldenrod", 0xeee8aa},
    {"palegreen", 0x98fb98}, {"paleturquoise", 0xafeeee}, {"palevioletred", 0xdb7093},
    {"papayawhip", 0xffefd5}, {"peachpuff", 0xffdab9}, {"peru", 0xcd853f}, {"pink", 0xffc0cb},
    {"plum", 0xdda0dd}, {"powderblue", 0xb0e0e6}, {"purple", 0x800080}, {"rebeccapurple", 0x663399},
    {"red", 0xff0000}, {"rosybrown", 0xbc8f8f}, {"royalblue", 0x4169e1}, {"saddlebrown", 0x8b4513},
    {"salmon", 0xfa8072}, {"sandybrown", 0xf4a460}, {"seagreen", 0x2e8b57}, {"seashell", 0xfff5ee},
    {"sienna", 0xa0522d}, {"silver", 0xc0c0c0}, {"skyblue", 0x87ceeb}, {"slateblue", 0x6a5acd},
    {"slategray", 0x708090}, {"slategrey", 0x708090}, {"snow", 0xfffafa}, {"springgreen", 0x00ff7f},
    {"steelblue", 0x4682b4}, {"tan", 0xd2b48c}, {"teal", 0x008080}, {"thistle", 0xd8bfd8},
    {"tomato", 0xff6347}, {"turquoise", 0x40e0d0}, {"violet", 0xee82ee}, {"wheat", 0xf5deb3},
    {"white", 0xffffff}, {"whitesmoke", 0xf5f5f5}, {"yellow", 0xffff00}, {"yellowgreen", 0x9acd32},
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string lowerTrimmed(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && isSpace(s[b])) ++b;
    while (e > b && isSpace(s[e - 1])) --e;
    std::string out(s.substr(b, e - b));
    for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<RGBA8> parseHex(const std::string& s) {
    const size_t n = s.size() - 1;
    if (n != 3 && n != 4 && n != 6 && n != 8) return std::nullopt;
    int d[8];
    for (size_t i = 0; i < n; ++i)
        if ((d[i] = hexValue(s[i + 1])) < 0) return std::nullopt;
    auto u8 = [](int v) { return static_cast<std::uint8_t>(v); };
    if (n <= 4) return RGBA8{u8(d[0] * 17), u8(d[1] * 17), u8(d[2] * 17), u8(n == 4 ? d[3] * 17 : 255)};
    return RGBA8{u8(d[0] * 16 + d[1]), u8(d[2] * 16 + d[3]), u8(d[4] * 16 + d[5]),
                 u8(n == 8 ? d[6] * 16 + d[7] : 255)};
}

// One component of a functional color: a number with an optional unit suffix.
struct Component {
    double value = 0;
    std::string unit;  // "", "%", "deg", "rad", "grad", "turn"
};

std::optional<Component> parseComponent(const std::string& token) {
    if (token.empty()) return std::nullopt;
    const char* begin = token.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v)) return std::nullopt;
    // strtod accepts forms CSS does not.
    for (const char* p = begin; p < end; ++p)
        if (!(std::isdigit(static_cast<unsigned char>(*p)) || *p == '.' || *p == '-' || *p == '+' || *p == 'e'))
            return std::nullopt;
    Component c{v, std::string(end)};
    if (c.unit.empty() || c.unit == "%" || c.unit == "deg" || c.unit == "rad" || c.unit == "grad" || c.unit == "turn")
        return c;
    return std::nullopt;
}

// Splits "a, b, c[, d]" or "a b c[ / d]" into three components and an optional alpha.
bool splitArguments(const std::string& inner, std::vector<std::string>& parts, std::optional<std::string>& alpha) {
    std::vector<std::string> tokens;
    if (inner.find(',') != std::string::npos) {
        size_t start = 0;
        for (;;) {
            size_t comma = inner.find(',', start);
            std::string piece = lowerTrimmed(inner.substr(start, comma == std::string::npos ? std::string::npos
                                                                                            : comma - start));
            if (piece.empty() || piece.find_first_of(" \t\n\r\f/") != std::string::npos) return false;
            tokens.push_back(piece);
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        if (tokens.size() == 4) alpha = tokens[3], tokens.pop_back();
    } else {
        std::string current;
        for (char c : inner + " ") {
            if (isSpace(c) || c == '/') {
                if (!current.empty()) tokens.push_back(current), current.clear();
                if (c == '/') tokens.push_back("/");
            } else {
                current += c;
            }
        }
        if (tokens.size() == 5 && tokens[3] == "/") alpha = tokens[4], tokens.resize(3);
    }
    parts = tokens;
    if (parts.size() != 3) return false;
    for (const auto& p : parts)
        if (p == "/") return false;
    return true;
}

std::uint8_t clampByte(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0))); }

std::optional<std::uint8_t> parseAlpha(const std::optional<std::string>& token) {
    if (!token) return 255;
    auto c = parseComponent(*token);
    if (!c || !(c->unit.empty() || c->unit == "%")) return std::nullopt;
    double a = c->unit == "%" ? c->value / 100 : c->value;
    return clampByte(std::clamp(a, 0.0, 1.0) * 255);
}

std::optional<RGBA8> parseRgb(const std::string& inner) {
    std::vector<std::string> parts;
    std::optional<std::string> alphaToken;
    if (!splitArguments(inner, parts, alphaToken)) return std::nullopt;
    double v[3];
    bool percent = false;
    for (int i = 0; i < 3; ++i) {
        auto c = parseComponent(parts[i]);
        if (!c || !(c->unit.empty() || c->unit == "%")) return std::nullopt;
        if (i == 0) percent = c->unit == "%";
        else if (percent != (c->unit == "%")) return std::nullopt;
        v[i] = percent ? c->value * 255 / 100 : c->value;
    }
    auto alpha = parseAlpha(alphaToken);
    if (!alpha) return std::nullopt;
    return RGBA8{clampByte(v[0]), clampByte(v[1]), clampByte(v[2]), *alpha};
}

std::optional<RGBA8> parseHsl(const std::string& inner) {
    std::vector<std::string> parts;
    std::optional<std::string> alphaToken;
    if (!splitArguments(inner, parts, alphaToken)) return std::nullopt;
    auto h = parseComponent(parts[0]);
    auto s = parseComponent(parts[1]);
    auto l = parseComponent(parts[2]);
    if (!h || !s || !l || h->unit == "%" || s->unit != "%" || l->unit != "%") return std::nullopt;
    double hue = h->value;
    if (h->unit == "rad") hue = hue * 180 / M_PI;
    else if (h->unit == "grad") hue = hue * 0.9;
    else if (h->unit == "turn") hue = hue * 360;
    hue = std::fmod(std::fmod(hue, 360) + 360, 360) / 360;
    const double sat = std::clamp(s->value / 100, 0.0, 1.0), light = std::clamp(l->value / 100, 0.0, 1.0);
    const double q = light <= 0.5 ? light * (1 + sat) : light + sat - light * sat, p = 2 * light - q;
    auto channel = [&](double t) {
        t = t < 0 ? t + 1 : t > 1 ? t - 1 : t;
        if (t < 1.0 / 6) return p + (q - p) * 6 * t;
        if (t < 0.5) return q;
        if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
        return p;
    };
    auto alpha = parseAlpha(alphaToken);
    if (!alpha) return std::nullopt;
    return RGBA8{clampByte(channel(hue + 1.0 / 3) * 255), clampByte(channel(hue) * 255),
                 clampByte(channel(hue - 1.0 / 3) * 255), *alpha};
}

}  // namespace

std::optional<RGBA8> parseCssColor(std::string_view text) {
    const std::string s = lowerTrimmed(text);
    if (s.empty()) return std::nullopt;
    if (s[0] == '#') return parseHex(s);
    if (s == "transparent") return RGBA8{0, 0, 0, 0};
    if (s == "currentcolor") return RGBA8{0, 0, 0, 255};
    const auto open = s.find('(');
    if (open != std::string::npos) {
        if (s.back() != ')') return std::nullopt;
        const std::string name = s.substr(0, open), inner = s.substr(open + 1, s.size() - open - 2);
        if (name == "rgb" || name == "rgba") return parseRgb(inner);
        if (name == "hsl" || name == "hsla") return parseHsl(inner);
        return std::nullopt;
    }
    for (const auto& named : kNamed)
        if (s == named.name)
            return RGBA8{std::uint8_t(named.rgb >> 16), std::uint8_t(named.rgb >> 8), std::uint8_t(named.rgb), 255};
    return std::nullopt;
}

std::string serializeCanvasColor(const RGBA8& c) {
    char buffer[64];
    if (c.a == 255) {
        std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
        return buffer;
    }
    // The shortest decimal that maps back to the same 8-bit alpha.
    std::string alpha;
    for (int digits = 1; digits <= 4; ++digits) {
        char a[16];
        std::snprintf(a, sizeof a, "%.*f", digits, c.a / 255.0);
        if (clampByte(std::strtod(a, nullptr) * 255) == c.a || digits == 4) {
            alpha = a;
            break;
        }
    }
    while (alpha.size() > 1 && alpha.back() == '0') alpha.pop_back();
    if (alpha.back() == '.') alpha.pop_back();
    std::snprintf(buffer, sizeof buffer, "rgba(%d, %d, %d, %s)", c.r, c.g, c.b, alpha.c_str());
    return buffer;
}

}  // namespace webview
