#include "settings/toolkit/SKPageColors.h"

#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/views/UIWindow.h"

namespace SKPageColors {

void apply(uikit::UIViewController& page, const SKPageColorHooks& hooks) {
    auto window = uikit::UIWindow::keyWindow();
    auto nav = page.navigationController();
    uikit::UINavigationBar* bar = nav ? nav->navigationBar().get() : nullptr;
    const std::optional<graphics::Color> tint = hooks.tintColor();
    if (tint) {
        page.view()->setTintColor(tint);
        if (window) window->setTintColor(tint);
    }
    if (auto navigationTint = hooks.navigationTintColor()) {
        if (bar) bar->setTintColor(navigationTint);
        if (window) window->setTintColor(navigationTint);
    } else if (tint && bar) {
        bar->setTintColor(tint);
    }
    if (!hooks.tintNavigationTitleText().value_or(true)) return;
    const std::optional<graphics::Color> titleColor = hooks.navigationTitleTintColor() ? hooks.navigationTitleTintColor() : tint;
    if (titleColor && bar) bar->setTitleTextAttributes({.foregroundColor = titleColor, .font = nullptr});
}

void remove(uikit::UIViewController& page) {
    if (auto window = uikit::UIWindow::keyWindow()) window->setTintColor(std::nullopt);
    if (page.isViewLoaded()) page.view()->setTintColor(std::nullopt);
    if (auto nav = page.navigationController()) {
        nav->navigationBar()->setTintColor(std::nullopt);
        nav->navigationBar()->setTitleTextAttributes({});
    }
}

}  // namespace SKPageColors
