#include "platform/webview/SvgPathParser.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace webview {
namespace {

class Reader {
public:
    explicit Reader(std::string_view s) : s_(s) {}

    bool atEnd() const { return i_ >= s_.size(); }
    char peek() const { return atEnd() ? '\0' : s_[i_]; }
    char take() { return s_[i_++]; }

    void skipSpace() {
        while (!atEnd() && isSpace(s_[i_])) ++i_;
    }
    // Space, at most one comma, space: what may follow a number or a flag.
    void skipSeparator() {
        skipSpace();
        if (peek() == ',') {
            ++i_;
            skipSpace();
        }
    }
    bool startsNumber() const {
        const char c = peek();
        return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    }

    std::optional<double> number() {
        const size_t start = i_;
        if (peek() == '+' || peek() == '-') ++i_;
        const size_t digits = countDigits();
        if (peek() == '.') {
            ++i_;
            // "5." is not a number here, ".5" is.
            if (countDigits() == 0) return std::nullopt;
        } else if (digits == 0) {
            return std::nullopt;
        }
        // An exponent only when digits follow it.
        if (peek() == 'e' || peek() == 'E') {
            size_t j = i_ + 1;
            if (j < s_.size() && (s_[j] == '+' || s_[j] == '-')) ++j;
            if (j < s_.size() && s_[j] >= '0' && s_[j] <= '9') {
                i_ = j;
                countDigits();
            }
        }
        const double v = std::strtod(std::string(s_.substr(start, i_ - start)).c_str(), nullptr);
        if (!std::isfinite(v)) return std::nullopt;
        skipSeparator();
        return v;
    }

    std::optional<bool> flag() {
        if (peek() != '0' && peek() != '1') return std::nullopt;
        const bool v = take() == '1';
        skipSeparator();
        return v;
    }

private:
    static bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
    size_t countDigits() {
        const size_t start = i_;
        while (!atEnd() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
        return i_ - start;
    }

    std::string_view s_;
    size_t i_ = 0;
};

// The endpoint form of an elliptical arc, turned into its centre form.
void addEndpointArc(PathBuilder& to, Point from, double rx, double ry, double degrees, bool large, bool sweep,
                    Point end) {
    if (from.x == end.x && from.y == end.y) return;
    rx = std::abs(rx), ry = std::abs(ry);
    if (rx == 0 || ry == 0) return to.lineTo(end.x, end.y);
    const double phi = std::fmod(degrees, 360) * M_PI / 180, c = std::cos(phi), s = std::sin(phi);
    const double hx = (from.x - end.x) / 2, hy = (from.y - end.y) / 2;
    const double x1 = c * hx + s * hy, y1 = -s * hx + c * hy;
    // Radii too small to reach are scaled up just enough.
    const double lambda = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
    if (lambda > 1) rx *= std::sqrt(lambda), ry *= std::sqrt(lambda);
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double k = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
    if (large == sweep) k = -k;
    const double cx1 = k * rx * y1 / ry, cy1 = -k * ry * x1 / rx;
    const double cx = c * cx1 - s * cy1 + (from.x + end.x) / 2, cy = s * cx1 + c * cy1 + (from.y + end.y) / 2;
    const double start = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
    double delta = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx) - start;
    if (sweep && delta < 0) delta += 2 * M_PI;
    if (!sweep && delta > 0) delta -= 2 * M_PI;
    to.ellipse(cx, cy, rx, ry, phi, start, start + delta, !sweep);
}

}  // namespace

bool addSvgPath(std::string_view data, PathBuilder& to) {
    Reader in(data);
    Point current, subpathStart, lastCubic, lastQuad;
    char previous = 0;
    in.skipSpace();
    while (!in.atEnd()) {
        char command;
        if (in.startsNumber() && previous && previous != 'Z' && previous != 'z') {
            // More arguments repeat the command; after a move they are lines.
            command = previous == 'M' ? 'L' : previous == 'm' ? 'l' : previous;
        } else {
            command = in.take();
            in.skipSpace();
        }
        const char upper = char(command & ~0x20);
        if (!previous && upper != 'M') return false;
        const bool relative = command >= 'a';
        const Point origin = relative ? current : Point{};

        // Reads `n` numbers, or fails and adds nothing of this segment.
        double v[7];
        auto numbers = [&](int n) {
            for (int i = 0; i < n; ++i) {
                auto d = in.number();
                if (!d) return false;
                v[i] = *d;
            }
            return true;
        };
        auto at = [&](int i) { return Point{origin.x + v[i], origin.y + v[i + 1]}; };

        Point cubic = current, quad = current;
        switch (upper) {
        case 'M':
            if (!numbers(2)) return false;
            current = subpathStart = at(0);
            to.moveTo(current.x, current.y);
            break;
        case 'L':
            if (!numbers(2)) return false;
            current = at(0);
            to.lineTo(current.x, current.y);
            break;
        case 'H':
            if (!numbers(1)) return false;
            current.x = origin.x + v[0];
            to.lineTo(current.x, current.y);
            break;
        case 'V':
            if (!numbers(1)) return false;
            current.y = origin.y + v[0];
            to.lineTo(current.x, current.y);
            break;
        case 'C':
        case 'S': {
            Point c1;
            if (upper == 'C') {
                if (!numbers(6)) return false;
                c1 = at(0), cubic = at(2), current = at(4);
            } else {
                if (!numbers(4)) return false;
                const char p = char(previous & ~0x20);
                c1 = (p == 'C' || p == 'S') ? Point{2 * current.x - lastCubic.x, 2 * current.y - lastCubic.y} : current;
                cubic = at(0), current = at(2);
            }
            to.bezierCurveTo(c1.x, c1.y, cubic.x, cubic.y, current.x, current.y);
            break;
        }
        case 'Q':
        case 'T':
            if (upper == 'Q') {
                if (!numbers(4)) return false;
                quad = at(0), current = at(2);
            } else {
                if (!numbers(2)) return false;
                const char p = char(previous & ~0x20);
                quad = (p == 'Q' || p == 'T') ? Point{2 * current.x - lastQuad.x, 2 * current.y - lastQuad.y} : current;
                current = at(0);
            }
            to.quadraticCurveTo(quad.x, quad.y, current.x, current.y);
            break;
        case 'A': {
            if (!numbers(3)) return false;
            const double rx = v[0], ry = v[1], rotation = v[2];
            auto large = in.flag();
            if (!large) return false;
            auto sweep = in.flag();
            if (!sweep || !numbers(2)) return false;
            addEndpointArc(to, current, rx, ry, rotation, *large, *sweep, at(0));
            current = at(0);
            break;
        }
        case 'Z':
            to.closePath();
            current = subpathStart;
            break;
        default: return false;
        }
        lastCubic = cubic, lastQuad = quad;
        previous = command;
    }
    return true;
}

}  // namespace webview
