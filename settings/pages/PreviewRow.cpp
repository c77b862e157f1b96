#include "settings/pages/PreviewRow.h"

#include "settings/toolkit/FrameAdditions.h"

namespace PreviewRow {

uikit::UIImagePtr imageWithColor(const uikit::UIColor& color, uikit::CGSize size) {
    uikit::UIGraphicsBeginImageContextWithOptions(size, false, 1);
    uikit::UIRectFill(uikit::CGRectMake(0, 0, size.width, size.height), color);
    auto image = uikit::UIGraphicsGetImageFromCurrentImageContext();
    uikit::UIGraphicsEndImageContext();
    return image;
}

std::shared_ptr<QVAXBatteryPreView> previewIn(uikit::UITableViewCell& cell) {
    for (const auto& view : cell.contentView()->subviews())
        if (view->tag() == kPreviewTag)
            if (auto preview = std::dynamic_pointer_cast<QVAXBatteryPreView>(view)) return preview;
    auto preview = std::make_shared<QVAXBatteryPreView>(uikit::CGRectMake(0, 0, kPreviewSize.width, kPreviewSize.height));
    preview->setTag(kPreviewTag);
    cell.contentView()->addSubview(preview);
    return preview;
}

void show(QVAXBatteryPreView& preview, const PreviewRenderSettings& settings) {
    preview.setLightSettings(settings.lightSettings);
    preview.setDarkSettings(settings.darkSettings);
    preview.setBatteryImageHeight(kPreviewIconHeight);
    preview.refreshBattery();
}

void place(uikit::UITableViewCell& cell, double rowHeight) {
    for (const auto& view : cell.contentView()->subviews()) {
        if (view->tag() != kPreviewTag) continue;
        SMFrameAdditions::setLeftM(*view, kPreviewLeft);
        SMFrameAdditions::setCenterY(*view, rowHeight / 2);
    }
}

}  // namespace PreviewRow
