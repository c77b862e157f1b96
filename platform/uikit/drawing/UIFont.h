#pragma once
// Fonts by PostScript or family name ("HelveticaNeue-Light", "Helvetica Light")
// or as the system font, resolved through the platform's one font map.

#include <pango/pango.h>

#include <memory>
#include <string>

namespace uikit {

class UIFont {
public:
    // Any name gives a font: an unknown family falls back as fontconfig decides.
    static std::shared_ptr<UIFont> fontWithName(const std::string& name, double size);
    static std::shared_ptr<UIFont> systemFontOfSize(double size);
    static std::shared_ptr<UIFont> boldSystemFontOfSize(double size);
    std::shared_ptr<UIFont> fontWithSize(double size) const;

    UIFont(std::string fontName, std::string familyName, int weight, bool italic, double size);
    ~UIFont();
    UIFont(const UIFont&) = delete;
    UIFont& operator=(const UIFont&) = delete;

    const std::string& fontName() const { return fontName_; }
    const std::string& familyName() const { return familyName_; }
    int weight() const { return weight_; }  // 100..900, 400 regular
    bool italic() const { return italic_; }
    double pointSize() const { return size_; }
    double ascender() const;   // points above the baseline
    double descender() const;  // negative: below the baseline
    double lineHeight() const;

    const PangoFontDescription* description() const { return description_; }
    // The context every view lays its text out in.
    static PangoContext* pangoContext();

private:
    void loadMetrics() const;

    std::string fontName_;
    std::string familyName_;
    int weight_ = 400;
    bool italic_ = false;
    double size_ = 17;
    PangoFontDescription* description_ = nullptr;
    mutable double ascender_ = -1, descender_ = 0;
};

using UIFontPtr = std::shared_ptr<UIFont>;

}  // namespace uikit
