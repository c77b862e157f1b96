#include "platform/webview/CssFont.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace webview {
namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool isIdentifier(const std::string& s) {
    if (s.empty()) return false;
    size_t i = s[0] == '-' ? 1 : 0;
    if (i >= s.size()) return false;
    auto c0 = static_cast<unsigned char>(s[i]);
    if (!(std::isalpha(c0) || c0 == '_' || c0 >= 0x80 || (c0 == '-' && i == 1))) return false;
    for (unsigned char c : s)
        if (!(std::isalnum(c) || c == '-' || c == '_' || c >= 0x80)) return false;
    return true;
}

// A size such as "12px", "1.5em", "120%", or a keyword; in px.
std::optional<double> parseSize(const std::string& token, double parent) {
    static const struct {
        const char* name;
        double px;
    } keywords[] = {{"xx-small", 9}, {"x-small", 10}, {"small", 13},  {"medium", 16},
                    {"large", 18},   {"x-large", 24}, {"xx-large", 32}, {"xxx-large", 48}};
    const std::string t = lower(token);
    for (const auto& k : keywords)
        if (t == k.name) return k.px;
    if (t == "larger") return parent * 1.2;
    if (t == "smaller") return parent / 1.2;
    const char* begin = t.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v) || v < 0 || !(std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '.' || *begin == '+'))
        return std::nullopt;
    const std::string unit(end);
    if (unit == "px") return v;
    if (unit == "pt") return v * 4 / 3;
    if (unit == "pc") return v * 16;
    if (unit == "in") return v * 96;
    if (unit == "cm") return v * 96 / 2.54;
    if (unit == "mm") return v * 96 / 25.4;
    if (unit == "q") return v * 96 / 101.6;
    if (unit == "em" || unit == "rem") return v * parent;
    if (unit == "%") return v * parent / 100;
    if (unit.empty() && v == 0) return 0.0;
    return std::nullopt;
}

bool parseLineHeight(const std::string& token) {
    const std::string t = lower(token);
    if (t == "normal") return true;
    const char* begin = t.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(v) || v < 0) return false;
    const std::string unit(end);
    return unit.empty() || unit == "px" || unit == "pt" || unit == "em" || unit == "rem" || unit == "%" ||
           unit == "pc" || unit == "in" || unit == "cm" || unit == "mm";
}

// The family list: quoted strings or runs of identifiers, separated by commas.
std::optional<std::vector<std::string>> parseFamilies(std::string_view s) {
    std::vector<std::string> families;
    size_t i = 0;
    for (;;) {
        while (i < s.size() && isSpace(s[i])) ++i;
        if (i >= s.size()) return std::nullopt;
        std::string family;
        if (s[i] == '"' || s[i] == '\'') {
            const char quote = s[i++];
            size_t close = s.find(quote, i);
            if (close == std::string_view::npos) return std::nullopt;
            family = std::string(s.substr(i, close - i));
            i = close + 1;
        } else {
            std::vector<std::string> words;
            while (i < s.size() && s[i] != ',') {
                size_t start = i;
                while (i < s.size() && !isSpace(s[i]) && s[i] != ',') ++i;
                std::string word(s.substr(start, i - start));
                if (!isIdentifier(word)) return std::nullopt;
                words.push_back(word);
                while (i < s.size() && isSpace(s[i])) ++i;
            }
            if (words.empty()) return std::nullopt;
            static const char* reserved[] = {"inherit", "initial", "unset", "default", "revert"};
            if (words.size() == 1)
                for (const char* r : reserved)
                    if (lower(words[0]) == r) return std::nullopt;
            for (size_t w = 0; w < words.size(); ++w) family += (w ? " " : "") + words[w];
        }
        families.push_back(family);
        while (i < s.size() && isSpace(s[i])) ++i;
        if (i >= s.size()) return families;
        if (s[i] != ',') return std::nullopt;
        ++i;
    }
}

bool isGeneric(const std::string& family) {
    static const char* generics[] = {"serif", "sans-serif", "monospace", "cursive", "fantasy", "system-ui"};
    for (const char* g : generics)
        if (family == g) return true;
    return false;
}

}  // namespace

std::string formatCssNumber(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    std::string s = buffer;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::optional<FontSpec> parseCssFont(std::string_view text, double parentSizePx) {
    FontSpec font;
    size_t i = 0;
    bool seenStyle = false, seenVariant = false, seenWeight = false, seenStretch = false;
    int normals = 0;
    // Leading keywords, then the size.
    for (;;) {
        while (i < text.size() && isSpace(text[i])) ++i;
        size_t start = i;
        while (i < text.size() && !isSpace(text[i]) && text[i] != '/' && text[i] != ',') ++i;
        if (start == i) return std::nullopt;
        const std::string raw(text.substr(start, i - start));
        const std::string word = lower(raw);
        if (word == "normal" && normals + seenStyle + seenVariant + seenWeight + seenStretch < 4) {
            ++normals;
            continue;
        }
        if (!seenStyle && (word == "italic" || word == "oblique")) {
            font.style = word, seenStyle = true;
            continue;
        }
        if (!seenVariant && word == "small-caps") {
            font.variant = word, seenVariant = true;
            continue;
        }
        if (!seenWeight && (word == "bold" || word == "bolder" || word == "lighter")) {
            font.weight = word == "bold" ? 700 : word == "bolder" ? 700 : 100;
            seenWeight = true;
            continue;
        }
        if (!seenWeight && !word.empty() && std::isdigit(static_cast<unsigned char>(word[0])) &&
            word.find_first_not_of("0123456789.") == std::string::npos) {
            double w = std::strtod(word.c_str(), nullptr);
            if (w < 1 || w > 1000) return std::nullopt;
            font.weight = static_cast<int>(w);
            seenWeight = true;
            continue;
        }
        static const char* stretches[] = {"ultra-condensed", "extra-condensed", "condensed", "semi-condensed",
                                          "semi-expanded", "expanded", "extra-expanded", "ultra-expanded"};
        bool stretch = false;
        for (const char* st : stretches) stretch = stretch || word == st;
        if (!seenStretch && stretch) {
            font.stretch = word, seenStretch = true;
            continue;
        }
        auto size = parseSize(raw, parentSizePx);
        if (!size) return std::nullopt;
        font.sizePx = *size;
        break;
    }
    // Optional "/line-height", with or without spaces around the slash.
    size_t j = i;
    while (j < text.size() && isSpace(text[j])) ++j;
    if (j < text.size() && text[j] == '/') {
        ++j;
        while (j < text.size() && isSpace(text[j])) ++j;
        size_t start = j;
        while (j < text.size() && !isSpace(text[j]) && text[j] != ',') ++j;
        if (!parseLineHeight(std::string(text.substr(start, j - start)))) return std::nullopt;
        i = j;
    }
    if (i >= text.size() || !isSpace(text[i])) return std::nullopt;
    auto families = parseFamilies(text.substr(i));
    if (!families) return std::nullopt;
    font.families = *families;
    return font;
}

std::string serializeFont(const FontSpec& font) {
    std::string out;
    if (font.style != "normal") out += font.style + " ";
    if (font.variant != "normal") out += font.variant + " ";
    if (font.weight == 700) out += "bold ";
    else if (font.weight != 400) out += std::to_string(font.weight) + " ";
    if (font.stretch != "normal") out += font.stretch + " ";
    out += formatCssNumber(font.sizePx) + "px ";
    for (size_t i = 0; i < font.families.size(); ++i) {
        const std::string& f = font.families[i];
        if (i) out += ", ";
        bool plain = isGeneric(f) || f.find(' ') == std::string::npos;
        out += plain ? f : "\"" + f + "\"";
    }
    return out;
}

}  // namespace webview
