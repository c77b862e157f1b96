#pragma once
// The hue and saturation field of the color picker: square tiles, hue from
// left to right, saturation falling from top to bottom. The map is drawn once,
// off the main thread, and shown over black at the brightness's opacity, so
// brightness changes never redraw.

#include <memory>
#include <optional>

#include "platform/uikit/controls/UIControl.h"
#include "settings/picker/ColorMapQueue.h"
#include "settings/picker/HRColorCursor.h"

// What the picker asks of its color map; an owner may install any control offering it.
class HRColorMapViewProtocol {
public:
    virtual ~HRColorMapViewProtocol() = default;
    virtual std::shared_ptr<uikit::UIControl> control() = 0;
    virtual std::optional<uikit::UIColor> color() const = 0;
    virtual void setColor(const uikit::UIColor& color) = 0;
    virtual double brightness() const = 0;
    virtual void setBrightness(double brightness) = 0;
};

class HRColorMapView : public uikit::UIControl, public HRColorMapViewProtocol {
public:
    static std::shared_ptr<HRColorMapView> colorMapWithFrame(const uikit::CGRect& frame,
                                                             double saturationUpperLimit = 0.95);
    // One fill per column and one per row; nullptr when not even one tile fits.
    // `scale` 0 is the main screen's.
    static uikit::UIImagePtr colorMapImageWithSize(uikit::CGSize size, double tileSize, double saturationUpperLimit,
                                                   double scale = 0);
    // Solid black over the tiles' area.
    static uikit::UIImagePtr backgroundImageWithSize(uikit::CGSize size, double tileSize, double scale = 0);

    explicit HRColorMapView(const uikit::CGRect& frame = uikit::CGRectZero,
                            std::optional<double> saturationUpperLimit = 0.95);

    std::shared_ptr<uikit::UIControl> control() override;
    std::optional<uikit::UIColor> color() const override { return _color; }
    // Moves the cursor and sends value changed, also when code sets it.
    void setColor(const uikit::UIColor& color) override;
    double brightness() const override { return _brightness; }
    // Only the map's opacity changes; the color keeps its brightness.
    void setBrightness(double brightness) override;
    std::optional<double> saturationUpperLimit() const { return _saturationUpperLimit; }
    void setSaturationUpperLimit(std::optional<double> limit);
    std::optional<double> tileSize() const { return _tileSize; }
    void setTileSize(std::optional<double> tileSize);

    uikit::UIImagePtr colorMapImage() const { return _colorMapImage; }
    uikit::UIImagePtr backgroundImage() const { return _backgroundImage; }
    const uikit::CALayerPtr& colorMapLayer() const { return _colorMapLayer; }
    const uikit::CALayerPtr& colorMapBackgroundLayer() const { return _colorMapBackgroundLayer; }
    const std::shared_ptr<HRColorCursor>& colorCursor() const { return _colorCursor; }
    const ColorMapQueue& initializeQueue() const { return _initializeQueue; }

    uikit::CGSize intrinsicContentSize() const override;
    bool isAbleToCreateColorMap() const;
    // Picks the tile under `point`; points outside (0, 0, W, H + 1) are ignored.
    void update(uikit::CGPoint point);

protected:
    void layoutSubviews() override;

private:
    struct Grid {
        int columns = 0, rows = 0;
        double tile = 0;
    };
    Grid grid() const;
    void handleTap(uikit::UIGestureRecognizer& recognizer);
    void handlePan(uikit::UIGestureRecognizer& recognizer);
    void updateColorCursor();
    void releaseQueueIfAble();
    // `generation` is the request's: a map for a size the view no longer has is dropped.
    void installColorMap(uikit::UIImagePtr map, uikit::UIImagePtr background, int generation);

    std::optional<uikit::UIColor> _color;
    double _brightness = 0.5;
    std::optional<double> _saturationUpperLimit;
    std::shared_ptr<HRColorCursor> _colorCursor;
    bool _didLayoutSubview = false;
    bool mapRequested_ = false;
    uikit::CGSize requestedSize_{};  // what the last map request was drawn for
    int generation_ = 0;
    uikit::CALayerPtr _lineLayer;
    std::optional<double> _tileSize;
    uikit::CALayerPtr _colorMapLayer, _colorMapBackgroundLayer;
    uikit::UIImagePtr _colorMapImage, _backgroundImage;
    // Last, so the worker is joined before anything else of the view goes.
    ColorMapQueue _initializeQueue;
};
