#include "settings/toolkit/SKTintedListController.h"

#include "platform/foundation/Log.h"
#include "platform/uikit/controls/UIBarButtonItem.h"
#include "platform/uikit/controls/UISwitch.h"
#include "platform/uikit/drawing/UIFont.h"
#include "platform/uikit/drawing/UIImageDrawing.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/services/SLComposeViewController.h"
#include "platform/uikit/views/UIImageView.h"
#include "platform/uikit/views/UILabel.h"
#include "settings/toolkit/SKLocalization.h"
#include "settings/toolkit/SKSpecifierParser.h"

using preferences::PSSpecifierPtr;
using uikit::CGRectMake;

runtime::Class* SKTintedListController::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<SKTintedListController>(
        "SKTintedListController", preferences::PSListController::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (SKTintedListController::staticClass(), true);
}

graphics::Color SKTintedListController::heartImageColor() const {
    if (auto c = navigationTintColor()) return *c;
    if (auto c = tintColor()) return *c;
    return uikit::colors::systemBlueColor;
}

std::vector<PSSpecifierPtr>& SKTintedListController::specifiers() {
    (void)kRegistered;
    if (!specifiers_.empty()) return specifiers_;
    if (auto rows = customSpecifiers()) {
        specifiers_ = SKSpecifierParser::specifiersFromArray(*rows, selfObject());
        if (auto title = customTitle()) setTitle(localizedString(*title));
    } else if (auto name = plistName()) {
        specifiers_ = loadSpecifiersFromPlistName(*name, selfObject());
    } else {
        // A page without rows is a programming slip; an empty page beats ending the settings.
        foundation::logLine("AMPORA: " + objcClass()->name() + " offers neither customSpecifiers nor plistName");
        return specifiers_;
    }
    return localizedSpecifiersWithSpecifiers(specifiers_);
}

std::optional<std::string> SKTintedListController::navigationTitle() {
    if (title().empty()) return std::nullopt;
    return localizedString(title());
}

std::string SKTintedListController::localizedString(const std::string& key) const {
    return SKLocalizedString(*this, key);
}

std::vector<PSSpecifierPtr>& SKTintedListController::localizedSpecifiersWithSpecifiers(std::vector<PSSpecifierPtr>& rows) {
    foundation::logLine("localizedSpecifiersWithSpecifiers");
    for (const auto& s : rows) {
        if (!s->name().empty()) s->setName(localizedString(s->name()));
        if (const foundation::PlistValue* footer = s->plistPropertyForKey("footerText"); footer && footer->asString())
            s->setProperty(foundation::PlistValue(localizedString(*footer->asString())), "footerText");
        if (!s->titleDictionary().empty()) {
            auto titles = s->titleDictionary();
            for (auto& [value, title] : titles) title = localizedString(title);
            s->setTitleDictionary(std::move(titles));
        }
    }
    return rows;
}

void SKTintedListController::loadView() {
    PSListController::loadView();
    if (showHeartImage()) addHeartButton();
    colorSwitches();
}

void SKTintedListController::addHeartButton() {
    auto toolkit = preferences::NSBundle::bundleForClass("SKTintedListController");
    auto image = toolkit ? toolkit->imageNamed("heart.png") : nullptr;
    if (!image) foundation::logLine("AMPORA: heart.png is missing from the toolkit's bundle");
    image = image ? uikit::imageWithRenderingMode(image, uikit::UIImage::RenderingMode::AlwaysTemplate) : nullptr;
    heart_ = uikit::UIButton::buttonWithType(uikit::UIButtonType::Custom);
    heart_->setFrame(CGRectMake(0, 0, image ? image->width() : 0, image ? image->height() : 0));
    heart_->setBackgroundImage(image);
    heart_->setShowsTouchWhenHighlighted(true);
    std::weak_ptr<SKTintedListController> weak = std::static_pointer_cast<SKTintedListController>(selfController());
    heart_->addTarget(
        [weak](uikit::UIControl&) {
            if (auto page = weak.lock()) page->heartWasTouched();
        },
        uikit::UIControlEventTouchUpInside);
    auto item = std::make_shared<uikit::UIBarButtonItem>(heart_);
    heart_->setTintColor(heartImageColor());
    item->setTintColor(heartImageColor());
    if (shiftHeartImage()) {
        auto spacer = std::make_shared<uikit::UIBarButtonItem>(uikit::UIBarButtonSystemItem::FixedSpace);
        spacer->setWidth(-16);
        navigationItem()->setRightBarButtonItems({spacer, item}, false);
    } else {
        navigationItem()->setRightBarButtonItem(item, false);
    }
}

void SKTintedListController::colorSwitches() {
    if (!tintSwitches().value_or(true)) return;
    const std::vector<uikit::UIAppearanceContainer> here{uikit::UIAppearanceContainer::classOf(*this)};
    auto& proxy = uikit::UISwitch::appearanceWhenContainedInInstancesOfClasses(here);
    if (auto on = switchOnTintColor() ? switchOnTintColor() : tintColor()) proxy.setOnTintColor(on);
    // The off-state track takes the switch tint; no page of the pane offers one.
    if (auto off = switchTintColor() ? switchTintColor() : tintColor()) proxy.setTintColor(off);
}

void SKTintedListController::viewWillAppear(bool animated) {
    PSListController::viewWillAppear(animated);
    setupHeader();
    SKPageColors::apply(*this, *this);
}

void SKTintedListController::viewWillDisappear(bool animated) {
    PSListController::viewWillDisappear(animated);
    SKPageColors::remove(*this);
}

void SKTintedListController::didRotateFromInterfaceOrientation(uikit::UIInterfaceOrientation from) {
    PSListController::didRotateFromInterfaceOrientation(from);
    setupHeader();
    foundation::logLine("AMPORA:SET rotaiing");
}

namespace {

std::shared_ptr<uikit::UILabel> headerLabel(const std::string& text, double size) {
    auto label = std::make_shared<uikit::UILabel>();
    label->setText(text);
    label->setFont(uikit::UIFont::fontWithName("HelveticaNeue-Light", size));
    label->setBackgroundColor(uikit::colors::clearColor);
    label->setTextAlignment(uikit::NSTextAlignment::Center);
    return label;
}

}  // namespace

void SKTintedListController::setupHeader() {
    if (!table()) return;
    const double width = view()->bounds().size.width;
    uikit::UIViewPtr header;
    if (auto name = headerImage()) {
        header = std::make_shared<uikit::UIView>(CGRectMake(0, 0, width, 100));
        auto own = bundle();
        auto image = own ? own->imageNamed(*name) : nullptr;
        const uikit::CGSize size = image ? uikit::CGSize{image->width(), image->height()} : uikit::CGSize{0, 0};
        header->setFrame(CGRectMake(0, 0, size.width, size.height));
        auto imageView = std::make_shared<uikit::UIImageView>(image);
        const uikit::CGRect f = imageView->frame();
        imageView->setFrame(CGRectMake(f.origin.x, 10, f.size.width, size.height));
        header->addSubview(imageView);
    }
    if (auto text = headerText()) {
        header = std::make_shared<uikit::UIView>(CGRectMake(0, 0, width, 60));
        auto title = headerLabel(localizedString(*text), 48);
        title->setFrame(CGRectMake(0, 17, width, 50));
        std::optional<graphics::Color> color = tintColor();
        if (auto c = headerColor()) color = c;
        if (color) title->setTextColor(*color);
        if (auto subText = headerSubText()) {
            header->setFrame(CGRectMake(0, 0, width, 95));
            title->setFrame(CGRectMake(0, 10, width, 45));
            auto sub = headerLabel(localizedString(*subText), 16);
            sub->setFrame(CGRectMake(0, 55, width, 20));
            if (color) sub->setTextColor(*color);
            header->addSubview(title);
            header->addSubview(sub);
        } else {
            title->setFrame(CGRectMake(0, 5, width, 50));
            header->addSubview(title);
        }
    }
    if (auto offered = headerView()) {
        if (!*offered) return;
        header = *offered;
    } else {
        if (!header) return;
        header->setBackgroundColor(uikit::colors::clearColor);
        header->setAutoresizesSubviews(true);
        header->setAutoresizingMask(uikit::UIViewAutoresizingFlexibleWidth);
    }
    table()->setTableHeaderView(header);
}

void SKTintedListController::heartWasTouched() {
    auto composer = uikit::SLComposeViewController::composeViewControllerForServiceType(uikit::SLServiceTypeTwitter);
    if (!composer) return;
    composer->setInitialText(shareMessage().value_or(kFallbackShareMessage));
    presentViewController(composer, true);  // logs and shows nothing when no browser can post it
}
