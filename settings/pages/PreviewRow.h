#pragma once
// A list row that shows a battery preview at its left: 80 points high, the
// preview 110 × 40 at 18 points from the left edge, vertically centred, and a
// clear image of the preview's size in the row's image view so that the text
// starts right of it.

#include <memory>
#include <string>

#include "platform/uikit/drawing/UIGraphics.h"
#include "platform/uikit/tables/UITableViewCell.h"
#include "settings/preview/QVAXBatteryPreView.h"

namespace PreviewRow {

inline constexpr long kPreviewTag = 717;
inline constexpr long kProblemTag = 718;
inline constexpr double kRowHeight = 80;
inline constexpr uikit::CGSize kPreviewSize{110, 40};
inline constexpr double kPreviewLeft = 18;
inline constexpr double kPreviewIconHeight = 20;

// An image of `size` points (scale 1, not opaque) filled with `color`.
uikit::UIImagePtr imageWithColor(const uikit::UIColor& color, uikit::CGSize size);

// The row's preview, made and added to its content view when it has none.
std::shared_ptr<QVAXBatteryPreView> previewIn(uikit::UITableViewCell& cell);
// Renders `settings` into the row's preview, whether it is new or kept from another row.
void show(QVAXBatteryPreView& preview, const PreviewRenderSettings& settings);
// Under the row's title, why its theme gave no image: one line in the secondary
// label color, cut short before the checkmark of a row `rowWidth` wide;
// nothing when `problem` is empty.
void showProblem(uikit::UITableViewCell& cell, const std::string& problem, double rowWidth);
// Puts every preview of the row at its place for the row's height.
void place(uikit::UITableViewCell& cell, double rowHeight = kRowHeight);

}  // namespace PreviewRow
