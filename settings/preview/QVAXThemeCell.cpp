#include "settings/preview/QVAXThemeCell.h"

#include "platform/foundation/Log.h"
#include "settings/toolkit/FrameAdditions.h"

using uikit::CGRectMake;

namespace {

void saveThemeIMP(runtime::NSObject* self, preferences::PSSpecifierPtr) { static_cast<QVAXThemeCell*>(self)->saveTheme(); }

constexpr double kPreviewGap = 18;  // from the centre line to each preview
constexpr double kPreviewDrop = 14;
constexpr double kTitleTop = -22;

}  // namespace

runtime::Class* QVAXThemeCell::staticClass() {
    static runtime::Class* cls = [] {
        runtime::Class& c = runtime::defineClass<QVAXThemeCell>("QVAXThemeCell", preferences::PSTableCell::staticClass());
        c.addMethod("saveTheme", &saveThemeIMP);
        return &c;
    }();
    return cls;
}

namespace {
const bool kRegistered = (QVAXThemeCell::staticClass(), true);
}

QVAXThemeCell::QVAXThemeCell()
    : PSTableCell(uikit::UITableViewCellStyle::Default),
      dynamicPreview_(std::make_shared<QVAXBatteryPreView>(CGRectMake(0, 0, kPreviewSize.width, kPreviewSize.height))),
      defaultPreview_(std::make_shared<QVAXBatteryPreView>(CGRectMake(0, 0, kPreviewSize.width, kPreviewSize.height))) {
    (void)kRegistered;
    addSubview(dynamicPreview_);
    addSubview(defaultPreview_);
    updateBatteryViewsWithSettings();
}

void QVAXThemeCell::refreshCellContentsWithSpecifier(const preferences::PSSpecifierPtr& specifier) {
    PSTableCell::refreshCellContentsWithSpecifier(specifier);
    // A row without a readable script has none: the preview stays empty.
    _script = specifier->stringPropertyForKey("script_key");
    updateBatteryViewsWithSettings();
}

void QVAXThemeCell::updateBatteryViewsWithSettings(const SharedRenderSettings&) {
    settings_ = std::make_shared<RenderSettings>();
    settings_->height = 26;
    settings_->level = 55;
    settings_->color = graphics::Color::rgb(1, 1, 1);
    settings_->baseColor = graphics::Color::rgb(0, 0, 0);
    settings_->script = _script;
    defaultPreview_->setBatterySettings(std::make_shared<RenderSettings>(*settings_));
    defaultPreview_->refreshBattery();
}

void QVAXThemeCell::saveTheme() { foundation::logLine("AMPORA: save theme file"); }

void QVAXThemeCell::layoutSubviews() {
    PSTableCell::layoutSubviews();
    const double w = bounds().size.width, h = bounds().size.height;
    for (auto* preview : {dynamicPreview_.get(), defaultPreview_.get()})
        SMFrameAdditions::setCenterY(*preview, h / 2 + kPreviewDrop);
    SMFrameAdditions::setRightM(*dynamicPreview_, w / 2 - kPreviewGap);
    SMFrameAdditions::setLeftM(*defaultPreview_, w / 2 + kPreviewGap);
    SMFrameAdditions::setTop(*textLabel(), kTitleTop);
    if (accessoryView()) setAccessoryView(nullptr);
}

void QVAXThemeCell::didMoveToSuperview() {
    PSTableCell::didMoveToSuperview();
    setAccessoryView(std::make_shared<uikit::UIView>());
    setCellTarget(std::static_pointer_cast<runtime::NSObject>(std::dynamic_pointer_cast<QVAXThemeCell>(shared_from_this())));
    setCellAction("saveTheme");
}
