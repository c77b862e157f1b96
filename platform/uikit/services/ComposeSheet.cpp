#include "platform/uikit/services/ComposeSheet.h"

#include <algorithm>
#include <cmath>

#include "platform/uikit/controls/UITextField.h"
#include "platform/uikit/views/UIScreen.h"
#include "platform/uikit/views/UIWindow.h"

namespace uikit {
namespace {

constexpr double kMargin = 10, kMaxWidth = 540, kBarHeight = 44, kCornerRadius = 10;

std::vector<std::weak_ptr<ComposeSheet>>& visibleSheets() {
    static std::vector<std::weak_ptr<ComposeSheet>> sheets;
    return sheets;
}

bool isInside(const UIResponder* responder, const UIView* container) {
    for (auto* v = dynamic_cast<const UIView*>(responder); v; v = v->superview())
        if (v == container) return true;
    return false;
}

}  // namespace

// The dimmed layer over the window: takes every touch that misses the panel
// and every key while its sheet is on top.
class ComposeSheetView : public UIView {
public:
    explicit ComposeSheetView(std::weak_ptr<ComposeSheet> owner) : owner_(std::move(owner)) {
        setBackgroundColor(UIColor::grey(0, 0.4));
    }
    UIView* hitTest(CGPoint point, const UIEvent* event) override {
        UIView* hit = UIView::hitTest(point, event);
        return hit ? hit : (pointInside(point, event) ? this : nullptr);
    }
    bool pressKey(UIKey key) override { return pressKeyWithModifiers(key, UIKeyModifierNone); }
    bool pressKeyWithModifiers(UIKey key, unsigned modifiers) override {
        auto owner = owner_.lock();
        return !owner || owner->routeKey(key, modifiers);
    }
    bool insertText(const std::string& text) override {
        auto owner = owner_.lock();
        return !owner || owner->routeText(text);
    }

protected:
    void layoutSubviews() override {
        if (auto owner = owner_.lock()) owner->layoutSheet(bounds());
    }

private:
    std::weak_ptr<ComposeSheet> owner_;
};

ComposeSheet::ComposeSheet(std::string title, std::string actionTitle)
    : title_(std::move(title)), actionTitle_(std::move(actionTitle)) {}

ComposeSheet::~ComposeSheet() = default;

void ComposeSheet::loadView() {
    auto self = std::static_pointer_cast<ComposeSheet>(shared_from_this());
    auto root = std::make_shared<ComposeSheetView>(self);
    // Sheets keep the system's look whatever the page under them is tinted.
    root->setTintColor(colors::systemBlueColor);
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);

    panel_ = std::make_shared<UIView>();
    panel_->setBackgroundColor(UISystemColor::secondarySystemGroupedBackground);
    panel_->layer()->setCornerRadius(kCornerRadius);
    panel_->setClipsToBounds(true);

    bar_ = std::make_shared<UIView>();
    bar_->setBackgroundColor(UISystemColor::barBackground);
    auto hairline = std::make_shared<UIView>(
        CGRectMake(0, kBarHeight - 1 / UIScreen::mainScreen().scale(), 0, 1 / UIScreen::mainScreen().scale()));
    hairline->setBackgroundColor(UISystemColor::separator);
    hairline->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    bar_->addSubview(hairline);

    titleLabel_ = std::make_shared<UILabel>();
    titleLabel_->setFont(UIFont::boldSystemFontOfSize(17));
    titleLabel_->setTextAlignment(NSTextAlignment::Center);
    titleLabel_->setText(title_);
    bar_->addSubview(titleLabel_);

    const std::weak_ptr<ComposeSheet> weak = self;
    auto barButton = [&](const std::string& title, bool bold, void (ComposeSheet::*action)()) {
        auto button = UIButton::buttonWithType(UIButtonType::System);
        button->setTitle(title);
        button->setTitleColor(UIColor::grey(0.7), UIControlStateDisabled);
        button->titleLabel()->setFont(bold ? UIFont::boldSystemFontOfSize(17) : UIFont::systemFontOfSize(17));
        button->addTarget(
            [weak, action](UIControl&) {
                if (auto sheet = weak.lock()) (sheet.get()->*action)();
            },
            UIControlEventTouchUpInside);
        bar_->addSubview(button);
        return button;
    };
    cancelButton_ = barButton("Cancel", false, &ComposeSheet::cancel);
    actionButton_ = barButton(actionTitle_, true, &ComposeSheet::performAction);
    actionButton_->setEnabled(actionEnabled_);

    content_ = std::make_shared<UIView>();
    buildContent(*content_);
    panel_->addSubview(content_);
    panel_->addSubview(bar_);
    root->addSubview(panel_);
    setView(root);
}

void ComposeSheet::setSheetTitle(const std::string& title) {
    title_ = title;
    if (titleLabel_) titleLabel_->setText(title);
}

void ComposeSheet::setActionEnabled(bool enabled) {
    actionEnabled_ = enabled;
    if (actionButton_) actionButton_->setEnabled(enabled);
}

void ComposeSheet::layoutSheet(const CGRect& bounds) {
    const double width = std::min(bounds.size.width - 2 * kMargin, kMaxWidth);
    const double height = std::min(kBarHeight + preferredContentHeight(width), bounds.size.height - 2 * kMargin);
    // Above the middle, where a keyboard would leave it visible.
    const double y = std::max(kMargin, std::round((bounds.size.height - height) / 3));
    panel_->setFrame(CGRectMake(std::round((bounds.size.width - width) / 2), y, width, height));
    bar_->setFrame(CGRectMake(0, 0, width, kBarHeight));
    const CGSize cancelSize = cancelButton_->sizeThatFits({});
    const CGSize actionSize = actionButton_->sizeThatFits({});
    const double cancelWidth = cancelSize.width + 16, actionWidth = actionSize.width + 16;
    cancelButton_->setFrame(CGRectMake(4, 0, cancelWidth, kBarHeight));
    actionButton_->setFrame(CGRectMake(width - 4 - actionWidth, 0, actionWidth, kBarHeight));
    const double side = std::max(cancelWidth, actionWidth) + 8;
    titleLabel_->setFrame(CGRectMake(side, 0, std::max(0.0, width - 2 * side), kBarHeight));
    content_->setFrame(CGRectMake(0, kBarHeight, width, std::max(0.0, height - kBarHeight)));
    layoutContent(content_->bounds());
}

void ComposeSheet::viewDidAppear(bool) {
    auto self = std::static_pointer_cast<ComposeSheet>(shared_from_this());
    visibleSheets().push_back(self);
    UIWindow* window = view()->window();
    if (!window) return;
    window_ = std::static_pointer_cast<UIWindow>(window->weak_from_this().lock());
    window->setModalOverlay(view()->weak_from_this());
    if (UIResponder* first = initialField()) first->becomeFirstResponder();
}

void ComposeSheet::viewWillDisappear(bool) {
    // The fields leave with the sheet; keys must not keep going to them.
    UIWindow* window = view()->window();
    if (window && isInside(window->firstResponder().get(), panel_.get())) window->makeFirstResponder(nullptr);
}

void ComposeSheet::viewDidDisappear(bool) {
    auto& sheets = visibleSheets();
    sheets.erase(std::remove_if(sheets.begin(), sheets.end(),
                                [this](const auto& weak) {
                                    auto sheet = weak.lock();
                                    return !sheet || sheet.get() == this;
                                }),
                 sheets.end());
    auto window = window_.lock();
    if (!window) return;
    const auto modal = window->modalOverlay();
    if (modal && modal != view()) return;  // an alert is up: it hands keys back when it goes
    auto top = topSheet();
    window->setModalOverlay(top ? top->view()->weak_from_this() : std::weak_ptr<UIResponder>());
    if (top)
        if (UIResponder* field = top->initialField()) field->becomeFirstResponder();
}

std::shared_ptr<ComposeSheet> ComposeSheet::topSheet() {
    auto& sheets = visibleSheets();
    for (auto it = sheets.rbegin(); it != sheets.rend(); ++it)
        if (auto sheet = it->lock()) return sheet;
    return nullptr;
}

void ComposeSheet::cancel() { finish(false); }

void ComposeSheet::performAction() {
    if (actionEnabled_) finish(true);
}

void ComposeSheet::finish(bool action) {
    if (!isPresented() || finishing_) return;
    auto self = shared_from_this();
    finishing_ = true;
    if (action) didPerformAction();
    else didCancel();
    // From the presenter: asked of this sheet it would take down a sheet this one shows.
    if (auto presenter = presentingViewController()) presenter->dismissViewControllerAnimated(true);
    finishing_ = false;
}

bool ComposeSheet::routeKey(UIKey key, unsigned modifiers) {
    if (key == UIKey::Escape) {
        cancel();
        return true;
    }
    auto window = window_.lock();
    auto responder = window ? window->firstResponder() : nullptr;
    // Return in a one-line field goes on to the next field, as Tab does.
    if (key == UIKey::Tab || (key == UIKey::Return && dynamic_cast<UITextField*>(responder.get()))) {
        focusNextField();
        return true;
    }
    // A key the field passes up comes back here: it stops.
    if (routing_ || !isInside(responder.get(), panel_.get())) return true;
    routing_ = true;
    responder->pressKeyWithModifiers(key, modifiers);
    routing_ = false;
    return true;
}

bool ComposeSheet::routeText(const std::string& text) {
    auto window = window_.lock();
    auto responder = window ? window->firstResponder() : nullptr;
    if (routing_ || !isInside(responder.get(), panel_.get())) return true;
    routing_ = true;
    responder->insertText(text);
    routing_ = false;
    return true;
}

void ComposeSheet::focusNextField() {
    auto window = window_.lock();
    const auto order = fields();
    if (!window || order.empty()) return;
    auto current = std::find(order.begin(), order.end(), window->firstResponder().get());
    const auto next = current == order.end() || current + 1 == order.end() ? order.begin() : current + 1;
    (*next)->becomeFirstResponder();
}

}  // namespace uikit
