#include "platform/webview/CssFilter.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace webview {
namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80); }
bool isNameChar(char c) { return isNameStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '-'; }

// One component value of a function's arguments.
struct Token {
    enum class Type { Number, Percentage, Dimension, Ident, Hash, Function, Other } type = Type::Other;
    double value = 0;
    std::string unit;       // a dimension's unit, an ident or a function's name, lower case
    std::string_view text;  // as written, for colors
    bool closed = true;     // a function's ')' was there
};

class Scanner {
public:
    explicit Scanner(std::string_view text) : s_(text) {}

    bool atEnd() const { return i_ >= s_.size(); }
    char peek() const { return atEnd() ? '\0' : s_[i_]; }

    // Whitespace and comments; an unterminated comment runs to the end.
    void skipSpace() {
        for (;;) {
            while (!atEnd() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
            if (s_.substr(i_, 2) != "/*") return;
            const size_t end = s_.find("*/", i_ + 2);
            i_ = end == std::string_view::npos ? s_.size() : end + 2;
        }
    }

    std::optional<std::string> name() {
        size_t j = i_;
        if (j < s_.size() && s_[j] == '-') ++j;
        if (j >= s_.size() || !isNameStart(s_[j])) return std::nullopt;
        while (j < s_.size() && isNameChar(s_[j])) ++j;
        std::string out = lower(s_.substr(i_, j - i_));
        i_ = j;
        return out;
    }

    // A CSS number: digits with an optional fraction, or a fraction; then an optional exponent.
    std::optional<double> number() {
        size_t j = i_;
        if (j < s_.size() && (s_[j] == '+' || s_[j] == '-')) ++j;
        const size_t digits = j;
        while (j < s_.size() && std::isdigit(static_cast<unsigned char>(s_[j]))) ++j;
        bool any = j > digits;
        if (j + 1 < s_.size() && s_[j] == '.' && std::isdigit(static_cast<unsigned char>(s_[j + 1]))) {
            j += 2;
            while (j < s_.size() && std::isdigit(static_cast<unsigned char>(s_[j]))) ++j;
            any = true;
        }
        if (!any) return std::nullopt;
        if (j < s_.size() && (s_[j] == 'e' || s_[j] == 'E')) {
            size_t k = j + 1;
            if (k < s_.size() && (s_[k] == '+' || s_[k] == '-')) ++k;
            if (k < s_.size() && std::isdigit(static_cast<unsigned char>(s_[k]))) {
                while (k < s_.size() && std::isdigit(static_cast<unsigned char>(s_[k]))) ++k;
                j = k;
            }
        }
        size_t start = i_;
        if (s_[start] == '+') ++start;  // from_chars takes no plus sign
        double v = 0;
        const auto result = std::from_chars(s_.data() + start, s_.data() + j, v);
        if (result.ec != std::errc() || !std::isfinite(v)) return std::nullopt;
        i_ = j;
        return v;
    }

    // Skips to the ')' closing a function whose '(' is behind; false at the end of the text.
    bool skipBlock() {
        for (int depth = 1; !atEnd();) {
            const char c = s_[i_++];
            if (c == '(') ++depth;
            else if (c == ')' && --depth == 0) return true;
            else if (c == '"' || c == '\'') {
                while (!atEnd() && s_[i_] != c) i_ += s_[i_] == '\\' ? 2 : 1;
                if (!atEnd()) ++i_;
            }
        }
        i_ = s_.size();
        return false;
    }

    std::optional<Token> token() {
        Token t;
        const size_t start = i_;
        const char c = peek();
        if (c == '#') {
            ++i_;
            while (!atEnd() && isNameChar(s_[i_])) ++i_;
            if (i_ == start + 1) return std::nullopt;
            t.type = Token::Type::Hash;
        } else if (auto n = number()) {
            t.value = *n;
            if (peek() == '%') ++i_, t.type = Token::Type::Percentage;
            else if (auto unit = name()) t.type = Token::Type::Dimension, t.unit = *unit;
            else t.type = Token::Type::Number;
        } else if (auto ident = name()) {
            t.unit = *ident;
            if (peek() == '(') {
                ++i_;
                t.type = Token::Type::Function;
                t.closed = skipBlock();
            } else {
                t.type = Token::Type::Ident;
            }
        } else {
            return std::nullopt;
        }
        t.text = s_.substr(start, i_ - start);
        return t;
    }

    size_t position() const { return i_; }
    void seek(size_t i) { i_ = i; }

private:
    std::string_view s_;
    size_t i_ = 0;
};

bool isMath(const Token& t) {
    return t.type == Token::Type::Function &&
           (t.unit == "calc" || t.unit == "min" || t.unit == "max" || t.unit == "clamp");
}

// Unresolved: a value this canvas accepts but cannot work out (calc(), viewport units, ...).
enum class Length { Invalid, Resolved, Unresolved };

Length length(const Token& t, double fontSizePx, double& px) {
    if (isMath(t)) return Length::Unresolved;
    if (t.type == Token::Type::Number) {
        px = 0;
        return t.value == 0 ? Length::Resolved : Length::Invalid;
    }
    if (t.type != Token::Type::Dimension) return Length::Invalid;
    static const std::pair<const char*, double> absolute[] = {
        {"px", 1}, {"pt", 4.0 / 3}, {"pc", 16}, {"in", 96}, {"cm", 96 / 2.54}, {"mm", 96 / 25.4}, {"q", 96 / 101.6},
        {"rem", 16}};
    for (const auto& [unit, factor] : absolute)
        if (t.unit == unit) return px = t.value * factor, Length::Resolved;
    if (t.unit == "em") return px = t.value * fontSizePx, Length::Resolved;
    static const char* relative[] = {"ex", "ch", "ic", "cap", "lh", "rlh", "vw", "vh", "vi", "vb", "vmin", "vmax"};
    for (const char* unit : relative)
        if (t.unit == unit) return Length::Unresolved;
    return Length::Invalid;
}

struct Arguments {
    std::vector<Token> tokens;
};

// The function's arguments up to its ')' (or the end of the text).
std::optional<Arguments> arguments(Scanner& in) {
    Arguments args;
    for (;;) {
        in.skipSpace();
        if (in.atEnd()) return args;
        if (in.peek() == ')') {
            in.seek(in.position() + 1);
            return args;
        }
        auto t = in.token();
        if (!t) return std::nullopt;
        args.tokens.push_back(*t);
    }
}

enum class Result { Invalid, Draw, Skip };

// <number> or <percentage>, not negative, or nothing (`fallback`).
Result amount(const Arguments& args, double fallback, double& out) {
    if (args.tokens.empty()) return out = fallback, Result::Draw;
    if (args.tokens.size() != 1) return Result::Invalid;
    const Token& t = args.tokens[0];
    if (isMath(t)) return Result::Skip;
    if (t.type != Token::Type::Number && t.type != Token::Type::Percentage) return Result::Invalid;
    if (t.value < 0) return Result::Invalid;
    out = t.type == Token::Type::Percentage ? t.value / 100 : t.value;
    return Result::Draw;
}

Result angle(const Arguments& args) {
    if (args.tokens.empty()) return Result::Skip;
    if (args.tokens.size() != 1) return Result::Invalid;
    const Token& t = args.tokens[0];
    if (isMath(t) || (t.type == Token::Type::Number && t.value == 0)) return Result::Skip;
    if (t.type == Token::Type::Dimension &&
        (t.unit == "deg" || t.unit == "grad" || t.unit == "rad" || t.unit == "turn"))
        return Result::Skip;
    return Result::Invalid;
}

// <color>? && <offset-x> <offset-y> <blur-radius>?
Result dropShadow(const Arguments& args, double fontSizePx, FilterOp& op) {
    std::vector<const Token*> lengths;
    const Token* color = nullptr;
    bool lengthsDone = false;
    for (const Token& t : args.tokens) {
        double ignored = 0;
        if (length(t, fontSizePx, ignored) != Length::Invalid) {
            if (lengthsDone) return Result::Invalid;
            lengths.push_back(&t);
        } else {
            if (color) return Result::Invalid;
            color = &t;
            lengthsDone = !lengths.empty();
        }
    }
    if (lengths.size() < 2 || lengths.size() > 3) return Result::Invalid;
    bool unresolved = false;
    double values[3] = {0, 0, 0};
    for (size_t i = 0; i < lengths.size(); ++i)
        unresolved |= length(*lengths[i], fontSizePx, values[i]) == Length::Unresolved;
    if (values[2] < 0) return Result::Invalid;
    op.kind = FilterOp::Kind::DropShadow;
    op.dx = values[0], op.dy = values[1], op.stdDeviation = values[2];
    if (color) {
        if (color->type != Token::Type::Ident && color->type != Token::Type::Hash &&
            color->type != Token::Type::Function)
            return Result::Invalid;
        // A function the text ended inside of is closed, as CSS closes it.
        auto parsed = parseCssColor(std::string(color->text) + (color->closed ? "" : ")"));
        if (!parsed) return Result::Invalid;
        op.color = *parsed;
    }
    return unresolved ? Result::Skip : Result::Draw;
}

Result filterFunction(const std::string& name, const Arguments& args, double fontSizePx, FilterOp& op) {
    if (name == "blur") {
        op.kind = FilterOp::Kind::Blur;
        if (args.tokens.empty()) return op.stdDeviation = 0, Result::Draw;
        if (args.tokens.size() != 1) return Result::Invalid;
        switch (length(args.tokens[0], fontSizePx, op.stdDeviation)) {
        case Length::Invalid: return Result::Invalid;
        case Length::Unresolved: return Result::Skip;
        case Length::Resolved: return op.stdDeviation < 0 ? Result::Invalid : Result::Draw;
        }
    }
    if (name == "opacity") {
        op.kind = FilterOp::Kind::Opacity;
        const Result r = amount(args, 1, op.opacity);
        op.opacity = std::min(op.opacity, 1.0);
        return r;
    }
    if (name == "drop-shadow") return dropShadow(args, fontSizePx, op);
    if (name == "grayscale" || name == "sepia" || name == "invert" || name == "saturate" ||
        name == "brightness" || name == "contrast") {
        double ignored = 0;
        return amount(args, 1, ignored) == Result::Invalid ? Result::Invalid : Result::Skip;
    }
    if (name == "hue-rotate") return angle(args);
    return Result::Invalid;
}

}  // namespace

std::optional<std::vector<FilterOp>> parseCssFilter(std::string_view text, double fontSizePx) {
    Scanner in(text);
    std::vector<FilterOp> ops;
    in.skipSpace();
    if (in.atEnd()) return std::nullopt;
    bool first = true;
    while (!in.atEnd()) {
        auto name = in.name();
        if (!name) return std::nullopt;
        if (in.peek() != '(') {
            // "none" stands alone.
            in.skipSpace();
            if (*name == "none" && first && in.atEnd()) return ops;
            return std::nullopt;
        }
        in.seek(in.position() + 1);
        if (*name == "url") {
            in.skipBlock();
        } else {
            auto args = arguments(in);
            if (!args) return std::nullopt;
            FilterOp op;
            const Result r = filterFunction(*name, *args, fontSizePx, op);
            if (r == Result::Invalid) return std::nullopt;
            if (r == Result::Draw) ops.push_back(op);
        }
        first = false;
        in.skipSpace();
    }
    return ops;
}

}  // namespace webview
