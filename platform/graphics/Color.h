#pragma once
// The platform color: RGB with alpha, or a grey level with alpha. Channels 0..1.

namespace graphics {

class Color {
public:
    enum class Space { RGB, Grey };

    static constexpr Color rgb(double r, double g, double b, double a = 1) { return Color(Space::RGB, r, g, b, a); }
    static constexpr Color grey(double white, double a = 1) { return Color(Space::Grey, white, white, white, a); }

    constexpr Space space() const { return space_; }
    constexpr bool isGrey() const { return space_ == Space::Grey; }
    // A grey color answers with its grey level on every channel.
    constexpr double red() const { return r_; }
    constexpr double green() const { return g_; }
    constexpr double blue() const { return b_; }
    constexpr double alpha() const { return a_; }
    constexpr double greyLevel() const { return isGrey() ? r_ : (r_ + g_ + b_) / 3; }

    constexpr Color withAlpha(double a) const { return Color(space_, r_, g_, b_, a); }

    constexpr bool operator==(const Color&) const = default;

private:
    constexpr Color(Space s, double r, double g, double b, double a) : space_(s), r_(r), g_(g), b_(b), a_(a) {}
    Space space_;
    double r_, g_, b_, a_;
};

}  // namespace graphics
