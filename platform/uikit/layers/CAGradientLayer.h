#pragma once
// A layer filled with a linear gradient between unit-space start and end points.

#include <vector>

#include "platform/uikit/layers/CALayer.h"

namespace uikit {

class CAGradientLayer : public CALayer {
public:
    static std::shared_ptr<CAGradientLayer> layer() { return std::make_shared<CAGradientLayer>(); }

    const std::vector<UIColor>& colors() const { return colors_; }
    void setColors(std::vector<UIColor> colors) { colors_ = std::move(colors); }
    // Stops 0..1, one per color; empty spreads the colors evenly.
    const std::vector<double>& locations() const { return locations_; }
    void setLocations(std::vector<double> locations) { locations_ = std::move(locations); }
    CGPoint startPoint() const { return startPoint_; }
    void setStartPoint(CGPoint p) { startPoint_ = p; }
    CGPoint endPoint() const { return endPoint_; }
    void setEndPoint(CGPoint p) { endPoint_ = p; }

protected:
    void drawInContext(cairo_t* cr) override;

private:
    std::vector<UIColor> colors_;
    std::vector<double> locations_;
    CGPoint startPoint_{0.5, 0};
    CGPoint endPoint_{0.5, 1};
};

}  // namespace uikit
