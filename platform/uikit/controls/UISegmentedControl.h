#pragma once
// A row of segments in the tint color; tapping one selects it and sends a value change.

#include <string>
#include <vector>

#include "platform/uikit/controls/UIControl.h"
#include "platform/uikit/views/UILabel.h"

namespace uikit {

class UISegmentedControl : public UIControl {
public:
    static constexpr long kNoSegment = -1;

    explicit UISegmentedControl(std::vector<std::string> items = {});

    long numberOfSegments() const { return long(labels_.size()); }
    std::string titleForSegmentAtIndex(long index) const;
    long selectedSegmentIndex() const { return selected_; }
    // Out of range selects none; sends nothing.
    void setSelectedSegmentIndex(long index);

    // Left and Right pick the neighbouring segment of a focused control.
    bool canBecomeFocused() const override { return isEnabled() && numberOfSegments() > 0; }
    bool pressFocusedKey(UIKey key) override;
    CGSize sizeThatFits(CGSize size) const override { return {size.width > 0 ? size.width : 60.0 * labels_.size(), 29}; }

protected:
    void drawRect(const CGRect& rect) override;
    void layoutSubviews() override;
    void tintColorDidChange() override;
    void endTrackingWithTouch(const UITouch* touch, const UIEvent* event) override;

private:
    void restyle();

    std::vector<std::shared_ptr<UILabel>> labels_;
    long selected_ = kNoSegment;
};

}  // namespace uikit
