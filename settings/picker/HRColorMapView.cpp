#include "settings/picker/HRColorMapView.h"

#include <algorithm>
#include <cmath>

#include "platform/notify/RunLoop.h"
#include "platform/uikit/events/UIPanGestureRecognizer.h"
#include "platform/uikit/events/UITapGestureRecognizer.h"
#include "platform/uikit/layers/CATransaction.h"
#include "platform/uikit/views/UIScreen.h"
#include "settings/picker/CoreGraphicsImages.h"
#include "settings/picker/HSVColor.h"

using namespace uikit;

namespace {

int tilesAlong(double length, double tile) {
    const double n = std::trunc(length / tile);
    return std::isfinite(n) && n > 0 ? int(std::min(n, 1e6)) : 0;
}

// Counts the map's generation as the main loop's background work from the
// moment it is queued until its result has landed, or it was dropped.
struct MapInFlight {
    MapInFlight() { notify::RunLoop::main().beginBackgroundWork(); }
    ~MapInFlight() { notify::RunLoop::main().endBackgroundWork(); }
    MapInFlight(const MapInFlight&) = delete;
    MapInFlight& operator=(const MapInFlight&) = delete;
};

void withoutActions(const std::function<void()>& changes) {
    CATransaction::begin();
    CATransaction::setDisableActions(true);
    changes();
    CATransaction::commit();
}

}  // namespace

std::shared_ptr<HRColorMapView> HRColorMapView::colorMapWithFrame(const CGRect& frame, double saturationUpperLimit) {
    return std::make_shared<HRColorMapView>(frame, saturationUpperLimit);
}

UIImagePtr HRColorMapView::colorMapImageWithSize(CGSize size, double t, double limit, double scale) {
    const int columns = tilesAlong(size.width, t), rows = tilesAlong(size.height, t);
    if (columns == 0 || rows == 0) return nullptr;
    const CGSize imageSize{columns * t, rows * t};
    return CoreGraphics::hr_imageWithSize(
        imageSize, false,
        [&](cairo_t* cr, const CGRect&) {
            for (int i = 0; i < columns; ++i) {
                setSourceColor(cr, colorFromHSV(double(i) / columns, 1, 1));
                cairo_rectangle(cr, i * t, 0, t, imageSize.height);
                cairo_fill(cr);
            }
            // White at rising alpha over the hues lowers the saturation row by row.
            if (rows < 2) return;
            for (int j = 0; j < rows; ++j) {
                const double alpha = double(j) / (rows - 1) * limit;
                setSourceColor(cr, colorWithWhite(1, std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 0));
                cairo_rectangle(cr, 0, j * t, imageSize.width, t);
                cairo_fill(cr);
            }
        },
        scale);
}

UIImagePtr HRColorMapView::backgroundImageWithSize(CGSize size, double t, double scale) {
    const int columns = tilesAlong(size.width, t), rows = tilesAlong(size.height, t);
    if (columns == 0 || rows == 0) return nullptr;
    // Black tiles side by side cover the area: one fill draws the same pixels as one per tile.
    return CoreGraphics::hr_imageWithSize(
        {columns * t, rows * t}, false,
        [](cairo_t* cr, const CGRect& rect) {
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_rectangle(cr, rect.origin.x, rect.origin.y, rect.size.width, rect.size.height);
            cairo_fill(cr);
        },
        scale);
}

HRColorMapView::HRColorMapView(const CGRect& frame, std::optional<double> saturationUpperLimit) : UIControl(frame) {
    setSaturationUpperLimit(saturationUpperLimit);
    // Shown once its map exists.
    setAlpha(0);
    setBrightness(0.5);
    setBackgroundColor(colors::whiteColor);

    // A hairline one pixel above the top edge, as wide as the view is now.
    const double scale = UIScreen::mainScreen().scale();
    _lineLayer = CALayer::layer();
    _lineLayer->setBackgroundColor(colorWithWhite(0.7, 1));
    _lineLayer->setFrame(CGRectMake(0, -1 / scale, frame.size.width, 1 / scale));
    layer()->addSublayer(_lineLayer);

    const CGSize cursor = HRColorCursor::cursorSize();
    const double t = _tileSize.value_or(0);
    _colorCursor = HRColorCursor::colorCursorWithPoint({(cursor.width - t) * -0.5, (cursor.height - t) * -0.5});
    addSubview(_colorCursor);

    // The view owns its recognizers, so they never outlive it.
    addGestureRecognizer(std::make_shared<UITapGestureRecognizer>([this](UIGestureRecognizer& r) { handleTap(r); }));
    addGestureRecognizer(std::make_shared<UIPanGestureRecognizer>([this](UIGestureRecognizer& r) { handlePan(r); }));
}

std::shared_ptr<UIControl> HRColorMapView::control() {
    return std::static_pointer_cast<UIControl>(weak_from_this().lock());
}

HRColorMapView::Grid HRColorMapView::grid() const {
    const double t = _tileSize.value_or(0);
    if (!(t > 0) || !std::isfinite(t)) return {};
    const CGSize size = frame().size;
    return {tilesAlong(size.width, t), tilesAlong(size.height, t), t};
}

bool HRColorMapView::isAbleToCreateColorMap() const {
    const CGRect f = frame();
    return _didLayoutSubview && !CGRectIsNull(f) && !CGRectIsEmpty(f) && !CGRectIsZero(f) &&
           _saturationUpperLimit.has_value() && _tileSize.has_value();
}

void HRColorMapView::releaseQueueIfAble() {
    const bool able = isAbleToCreateColorMap();
    const CGSize size = frame().size;
    // A new size (the picker turned, the window changed) needs a map of its own.
    const bool resized = mapRequested_ && (size.width != requestedSize_.width || size.height != requestedSize_.height);
    if (able && (!mapRequested_ || resized)) {
        // What the worker draws is fixed here, on the main thread; it never reads the view,
        // which may be gone by the time the map is ready.
        mapRequested_ = true;
        requestedSize_ = size;
        const int generation = ++generation_;
        const double t = *_tileSize, limit = float(*_saturationUpperLimit);
        const double scale = UIScreen::mainScreen().scale();
        std::weak_ptr<HRColorMapView> weak = std::static_pointer_cast<HRColorMapView>(weak_from_this().lock());
        _initializeQueue.addOperation([size, t, limit, scale, weak, generation, inFlight = std::make_shared<MapInFlight>()] {
            auto map = colorMapImageWithSize(size, t, limit, scale);
            auto background = backgroundImageWithSize(size, t, scale);
            notify::RunLoop::main().dispatchAsync([weak, map, background, generation, inFlight] {
                if (auto view = weak.lock()) view->installColorMap(map, background, generation);
            });
        });
        // Until then the old map is stretched over the new grid: what shows under
        // a finger is what a tap picks, and nothing spills past the view.
        const Grid g = grid();
        if (_colorMapLayer && g.tile > 0)
            withoutActions([&] {
                const CGRect area = CGRectMake(0, 0, g.columns * g.tile, g.rows * g.tile);
                _colorMapLayer->setFrame(area);
                _colorMapBackgroundLayer->setFrame(area);
            });
    }
    _initializeQueue.setSuspended(!able);
}

void HRColorMapView::installColorMap(UIImagePtr map, UIImagePtr background, int generation) {
    if (generation != generation_ || !map || !background) return;
    const bool first = !_colorMapLayer;
    if (_colorMapLayer) _colorMapLayer->removeFromSuperlayer();
    if (_colorMapBackgroundLayer) _colorMapBackgroundLayer->removeFromSuperlayer();
    _colorMapImage = std::move(map);
    _backgroundImage = std::move(background);
    withoutActions([&] {
        _colorMapLayer = CALayer::layer();
        _colorMapLayer->setFrame(CGRectMake(0, 0, _colorMapImage->width(), _colorMapImage->height()));
        _colorMapLayer->setContents(_colorMapImage);
        _colorMapBackgroundLayer = CALayer::layer();
        _colorMapBackgroundLayer->setFrame(CGRectMake(0, 0, _backgroundImage->width(), _backgroundImage->height()));
        _colorMapBackgroundLayer->setContents(_backgroundImage);
    });
    // Below the hairline and the cursor.
    layer()->insertSublayerAtIndex(_colorMapBackgroundLayer, 0);
    layer()->insertSublayerAtIndex(_colorMapLayer, 1);
    _colorMapLayer->setOpacity(float(_brightness));
    if (first) UIView::animateWithDuration(0.2, [this] { setAlpha(1); });
}

void HRColorMapView::setSaturationUpperLimit(std::optional<double> limit) {
    _saturationUpperLimit = limit;
    releaseQueueIfAble();
}

void HRColorMapView::setTileSize(std::optional<double> tileSize) {
    _tileSize = tileSize;
    releaseQueueIfAble();
    // The cursor's untransformed frame stays centred on the first tile.
    const double t = _tileSize.value_or(0);
    _colorCursor->setCenter({t / 2, t / 2});
}

void HRColorMapView::setBrightness(double brightness) {
    _brightness = std::isfinite(brightness) ? std::clamp(brightness, 0.0, 1.0) : 0;
    if (_colorMapLayer) withoutActions([&] { _colorMapLayer->setOpacity(_brightness); });
}

void HRColorMapView::setColor(const UIColor& color) {
    _color = color;
    updateColorCursor();
    sendActionsForControlEvents(UIControlEventValueChanged);
}

CGSize HRColorMapView::intrinsicContentSize() const {
    const Grid g = grid();
    if (g.tile == 0) return UIView::intrinsicContentSize();
    return {g.tile * g.columns, g.tile * g.rows};
}

void HRColorMapView::layoutSubviews() {
    UIControl::layoutSubviews();
    withoutActions([&] {
        const double scale = UIScreen::mainScreen().scale();
        _lineLayer->setFrame(CGRectMake(0, -1 / scale, frame().size.width, 1 / scale));
    });
    updateColorCursor();
    _didLayoutSubview = true;
    releaseQueueIfAble();
}

void HRColorMapView::handleTap(UIGestureRecognizer& recognizer) {
    if (recognizer.state() != UIGestureRecognizerState::Ended) return;
    update(recognizer.locationInView(this));
}

void HRColorMapView::handlePan(UIGestureRecognizer& recognizer) {
    const auto state = recognizer.state();
    if (state != UIGestureRecognizerState::Changed && state != UIGestureRecognizerState::Ended) return;
    if (recognizer.numberOfTouches() > 0) {
        CGPoint p = recognizer.locationOfTouch(0, this);
        p.y = std::clamp(p.y, 0.0, frame().size.height);
        update(p);
        _colorCursor->setEditing(true);
    } else {
        _colorCursor->setEditing(false);
    }
}

void HRColorMapView::update(CGPoint point) {
    const CGSize size = frame().size;
    if (!CGRectContainsPoint(CGRectMake(0, 0, size.width, size.height + 1), point)) return;
    const Grid g = grid();
    if (g.tile == 0) return;
    const double limit = _saturationUpperLimit.value_or(0);
    const double hue = g.columns > 0 ? std::trunc(point.x / g.tile) / g.columns : 0;
    // One row has no saturation range to spread.
    const double saturation = g.rows > 1 ? 1 - std::trunc(point.y / g.tile) / (g.rows - 1) * limit : 1;
    _color = colorFromHSV(hue, saturation, _brightness);
    updateColorCursor();
    sendActionsForControlEvents(UIControlEventValueChanged);
}

void HRColorMapView::updateColorCursor() {
    const Grid g = grid();
    if (!_color || g.tile == 0) return;
    HSVComponents hsv;
    HSVColorFromUIColor(*_color, &hsv);
    const double t = g.tile;
    const double hue = hsv.h >= 1 ? 0 : hsv.h;
    int column = int(std::trunc((g.columns * hue * t + t / 2) / t));
    // The nearest column of a hue just below 1 is the first one again: the hue circle closes.
    if (column >= g.columns) column = 0;
    int row = 0;
    const float limit = float(_saturationUpperLimit.value_or(0));
    if (g.rows > 1 && limit > 0) {
        const double r = std::trunc(((g.rows - 1) * (1 - hsv.s) * (1 / limit) * t + t / 2) / t);
        row = std::isfinite(r) ? int(std::clamp(r, 0.0, double(g.rows - 1))) : 0;
    }
    _colorCursor->setColor(*_color);
    _colorCursor->setTransform(CGAffineTransformMakeTranslation(float(column * t), float(row * t)));
}
