#include "settings/pages/PreviewRow.h"

#include <algorithm>

#include "platform/uikit/views/UILabel.h"
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

namespace {

// Where the row's title starts: right of the clear image the size of the preview.
constexpr double kTextLeft = 15 + kPreviewSize.width + 15;
constexpr double kCheckmarkRoom = 40;

}  // namespace

void showProblem(uikit::UITableViewCell& cell, const std::string& problem, double rowWidth) {
    std::shared_ptr<uikit::UILabel> label;
    for (const auto& view : cell.contentView()->subviews())
        if (view->tag() == kProblemTag) label = std::dynamic_pointer_cast<uikit::UILabel>(view);
    if (!label && problem.empty()) return;
    if (!label) {
        label = std::make_shared<uikit::UILabel>();
        label->setTag(kProblemTag);
        label->setFont(uikit::UIFont::systemFontOfSize(12));
        label->setTextColor(uikit::UISystemColor::secondaryLabel);
        label->setNumberOfLines(1);
        cell.contentView()->addSubview(label);
    }
    label->setFrame(uikit::CGRectMake(kTextLeft, kRowHeight / 2 + 11, std::max(0.0, rowWidth - kTextLeft - kCheckmarkRoom), 15));
    // Rows are reused: a row that draws again loses the last one's reason.
    label->setText(problem);
    label->setHidden(problem.empty());
}

void place(uikit::UITableViewCell& cell, double rowHeight) {
    for (const auto& view : cell.contentView()->subviews()) {
        if (view->tag() != kPreviewTag) continue;
        SMFrameAdditions::setLeftM(*view, kPreviewLeft);
        SMFrameAdditions::setCenterY(*view, rowHeight / 2);
    }
}

}  // namespace PreviewRow
