#pragma once
// A small swatch of the picked color with its hex code below.

#include <memory>
#include <optional>

#include "platform/uikit/views/UILabel.h"

inline constexpr double kHRColorInfoViewLabelHeight = 18.0;
inline constexpr double kHRColorInfoViewCornerRadius = 3.0;

// What the picker asks of its info view; an owner may install any view offering it.
class HRColorInfoViewProtocol {
public:
    virtual ~HRColorInfoViewProtocol() = default;
    virtual std::shared_ptr<uikit::UIView> view() = 0;
    virtual std::optional<uikit::UIColor> color() const = 0;
    virtual void setColor(const uikit::UIColor& color) = 0;
};

class HRColorInfoView : public uikit::UIView, public HRColorInfoViewProtocol {
public:
    explicit HRColorInfoView(const uikit::CGRect& frame = uikit::CGRectZero);

    std::shared_ptr<uikit::UIView> view() override;
    std::optional<uikit::UIColor> color() const override { return _color; }
    void setColor(const uikit::UIColor& color) override;
    uikit::UIView* viewForBaselineLayout() const { return _hexColorLabel.get(); }
    const std::shared_ptr<uikit::UILabel>& hexColorLabel() const { return _hexColorLabel; }

protected:
    void layoutSubviews() override;
    void drawRect(const uikit::CGRect& rect) override;

private:
    std::optional<uikit::UIColor> _color;
    std::shared_ptr<uikit::UILabel> _hexColorLabel;
    uikit::CALayerPtr _borderLayer;
};
