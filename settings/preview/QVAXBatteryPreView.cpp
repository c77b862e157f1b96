#include "settings/preview/QVAXBatteryPreView.h"

#include "platform/uikit/views/UIScreen.h"
#include "settings/preview/PreviewQueue.h"
#include "settings/preview/QVAXBatteryRenderer.h"

using namespace uikit;

namespace {
constexpr double kBadgeSize = 16;
constexpr UIColor kBadgeColor = UIColor::rgb(1, 0.58, 0);  // the platform's orange
}  // namespace

QVAXBatteryPreView::QVAXBatteryPreView(const CGRect& frame, SharedRenderSettings settings)
    : UIView(frame), _batterySettings(std::move(settings)) {
    setupViews();
    if (_batterySettings) refreshBattery();
}

QVAXBatteryPreView::~QVAXBatteryPreView() { cancelRenders(); }

void QVAXBatteryPreView::setupViews() {
    layer()->setCornerRadius(8);
    layer()->setBorderColor(colors::blackColor);
    // A line 1.5 pixels wide.
    layer()->setBorderWidth(1.5 / UIScreen::mainScreen().scale());
    setClipsToBounds(true);
    lightView_ = std::make_shared<UIView>();
    lightView_->setBackgroundColor(colorWithWhite(0.95, 1));
    lightView_->setOpaque(true);
    darkView_ = std::make_shared<UIView>();
    darkView_->setBackgroundColor(colorWithWhite(0.15, 1));
    darkView_->setOpaque(true);
    // An icon wider than its half stays in it instead of painting over the other half.
    lightView_->setClipsToBounds(true);
    darkView_->setClipsToBounds(true);
    addSubview(lightView_);
    addSubview(darkView_);
    setLightBatteryView(std::make_shared<UIImageView>());
    setDarkBatteryView(std::make_shared<UIImageView>());
    // Where the halves meet: a theme that failed has left both empty.
    badge_ = std::make_shared<UILabel>(CGRectMake(0, 0, kBadgeSize, kBadgeSize));
    badge_->setText("!");
    badge_->setFont(UIFont::boldSystemFontOfSize(12));
    badge_->setTextColor(colors::whiteColor);
    badge_->setTextAlignment(NSTextAlignment::Center);
    badge_->setBackgroundColor(kBadgeColor);
    badge_->layer()->setCornerRadius(kBadgeSize / 2);
    badge_->setClipsToBounds(true);
    badge_->setHidden(true);
    addSubview(badge_);
    placeSubviews();
}

void QVAXBatteryPreView::setLightBatteryView(std::shared_ptr<UIImageView> v) {
    if (_lightBatteryView) _lightBatteryView->removeFromSuperview();
    _lightBatteryView = std::move(v);
    if (!_lightBatteryView) return;
    _lightBatteryView->setContentMode(UIViewContentMode::Center);
    lightView_->addSubview(_lightBatteryView);
}

void QVAXBatteryPreView::setDarkBatteryView(std::shared_ptr<UIImageView> v) {
    if (_darkBatteryView) _darkBatteryView->removeFromSuperview();
    _darkBatteryView = std::move(v);
    if (!_darkBatteryView) return;
    _darkBatteryView->setContentMode(UIViewContentMode::Center);
    darkView_->addSubview(_darkBatteryView);
}

namespace {

// Points kept clear beside an icon that had to be shrunk, so its ends stay off the box's edge.
constexpr double kShrunkIconMargin = 3;

// An icon too large for its half is shrunk to fit; any other keeps its own size, centred.
void fitIcon(UIImageView* view, const CGRect& row) {
    if (!view) return;
    const CGSize size = view->image() ? view->intrinsicContentSize() : CGSizeMake(0, 0);
    const bool tooLarge = size.width > row.size.width - 2 * kShrunkIconMargin || size.height > row.size.height;
    view->setContentMode(tooLarge ? UIViewContentMode::ScaleAspectFit : UIViewContentMode::Center);
    view->setFrame(tooLarge ? CGRectInset(row, kShrunkIconMargin, 0) : row);
}

}  // namespace

void QVAXBatteryPreView::placeSubviews() {
    const double w = bounds().size.width, h = bounds().size.height, icon = _batteryImageHeight;
    lightView_->setFrame(CGRectMake(0, 0, w / 2, h));
    darkView_->setFrame(CGRectMake(w / 2, 0, w / 2, h));
    // Centred on the height of this pass, not the one before it.
    const CGRect iconRow = CGRectMake(0, (h - icon) / 2, w / 2, icon);
    fitIcon(_lightBatteryView.get(), iconRow);
    fitIcon(_darkBatteryView.get(), iconRow);
    if (badge_) badge_->setCenter({w / 2, h / 2});
}

bool QVAXBatteryPreView::halfIsStale(const SharedRenderSettings& own, const std::optional<RenderSettings>& last) const {
    const SharedRenderSettings& used = own ? own : _batterySettings;
    if (!used) return last.has_value();
    if (!last) return true;
    RenderSettings wanted = *used;
    wanted.height = _batteryImageHeight;
    return !(wanted == *last);
}

void QVAXBatteryPreView::layoutSubviews() {
    placeSubviews();
    if (background_) return;  // the owner says when
    // Theme scripts are untrusted and slow: a pass that changed nothing keeps the images.
    if (halfIsStale(_lightSettings, lastLight_) || halfIsStale(_darkSettings, lastDark_)) refreshBattery();
}

void QVAXBatteryPreView::renderHalf(const SharedRenderSettings& own, int style, UIImageView& view,
                                    std::optional<RenderSettings>& last) {
    const SharedRenderSettings& used = own ? own : _batterySettings;
    if (!used) {
        view.setImage(nullptr);
        last.reset();
        return;
    }
    used->height = _batteryImageHeight;
    view.setImage(QVAXBatteryRenderer::renderBatteryImageWithSettings(*used, style));
    ++renderCount_;
    last = *used;
    // An empty script is a row with nothing to show, not a failure.
    if (!view.image() && !used->script.empty() && failure_.empty())
        failure_ = QVAXBatteryRenderer::failureOf(QVAXBatteryRenderer::lastEvaluation());
}

void QVAXBatteryPreView::cancelRenders() {
    for (const auto ticket : tickets_) PreviewQueue::shared().cancel(ticket);
    tickets_.clear();
    waiting_ = 0;
}

void QVAXBatteryPreView::releaseContents() {
    cancelRenders();
    for (auto* view : {_lightBatteryView.get(), _darkBatteryView.get()})
        if (view) view->setImage(nullptr);
    lastLight_.reset();
    lastDark_.reset();
    _lightSettings = _darkSettings = _batterySettings = nullptr;
    read_ = nullptr;
    failure_.clear();
    if (badge_) badge_->setHidden(true);
}

void QVAXBatteryPreView::renderHalfInBackground(const SharedRenderSettings& own,
                                                const std::shared_ptr<UIImageView>& view,
                                                std::optional<RenderSettings>& last) {
    if (view) view->setImage(nullptr);
    const SharedRenderSettings& used = own ? own : _batterySettings;
    if (!used) {
        last.reset();
        return;
    }
    used->height = _batteryImageHeight;
    last.reset();  // only layout passes compare with it, and they render nothing here
    ++waiting_;
    std::weak_ptr<uikit::UIResponder> weak = weak_from_this();
    std::weak_ptr<UIImageView> target = view;
    tickets_.push_back(PreviewQueue::shared().render(*used, [this, weak, target](graphics::Image image, const std::string& why) {
        // Cancelled renders never land, so the view is still the one that asked.
        if (!weak.lock()) return;
        if (auto half = target.lock()) half->setImage(image);
        ++renderCount_;
        if (!image && !why.empty() && failure_.empty()) failure_ = why;
        halfLanded();
    }, read_));
}

void QVAXBatteryPreView::halfLanded() {
    if (--waiting_ > 0) return;
    tickets_.clear();
    if (badge_) badge_->setHidden(failure_.empty());
    placeSubviews();
    if (rendered_) rendered_(*this);
}

void QVAXBatteryPreView::refreshBattery() {
    failure_.clear();
    if (background_) {
        cancelRenders();
        if (badge_) badge_->setHidden(true);
        renderHalfInBackground(_lightSettings, _lightBatteryView, lastLight_);
        renderHalfInBackground(_darkSettings, _darkBatteryView, lastDark_);
        placeSubviews();
        if (waiting_ == 0 && rendered_) rendered_(*this);
        return;
    }
    UIImageView scratch;  // stands in for a battery view a caller removed
    renderHalf(_lightSettings, 0, _lightBatteryView ? *_lightBatteryView : scratch, lastLight_);
    renderHalf(_darkSettings, 1, _darkBatteryView ? *_darkBatteryView : scratch, lastDark_);
    if (badge_) badge_->setHidden(failure_.empty());
    placeSubviews();  // the new icons may need shrinking, or no longer
}
