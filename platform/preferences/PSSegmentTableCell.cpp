#include "platform/preferences/PSSegmentTableCell.h"

namespace preferences {

runtime::Class* PSSegmentTableCell::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<PSSegmentTableCell>("PSSegmentTableCell", PSControlTableCell::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (PSSegmentTableCell::staticClass(), true);
constexpr double kMargin = 15;
}  // namespace

void PSSegmentTableCell::refreshCellContentsWithSpecifier(const PSSpecifierPtr& specifier) {
    (void)kRegistered;
    PSControlTableCell::refreshCellContentsWithSpecifier(specifier);
    setSelectionStyle(uikit::UITableViewCellSelectionStyle::None);
    textLabel()->setHidden(true);  // the segments take the row
    std::vector<std::string> titles;
    for (const auto& [value, title] : specifier->titleDictionary()) titles.push_back(title);
    if (segments_) segments_->removeFromSuperview();
    segments_ = std::make_shared<uikit::UISegmentedControl>(titles);
    contentView()->addSubview(segments_);
    setControl(segments_);
}

PreferenceValue PSSegmentTableCell::controlValue() const {
    if (!segments_ || !specifier()) return std::nullopt;
    const long index = segments_->selectedSegmentIndex();
    const auto& titles = specifier()->titleDictionary();
    if (index < 0 || size_t(index) >= titles.size()) return std::nullopt;
    return titles[index].first;
}

void PSSegmentTableCell::showValue(const PreferenceValue& value) {
    if (!segments_ || !specifier()) return;
    long index = uikit::UISegmentedControl::kNoSegment;
    const auto& titles = specifier()->titleDictionary();
    for (size_t i = 0; value && i < titles.size(); ++i)
        if (titles[i].first == *value) index = long(i);
    segments_->setSelectedSegmentIndex(index);
}

void PSSegmentTableCell::layoutSubviews() {
    PSControlTableCell::layoutSubviews();
    if (!segments_) return;
    const uikit::CGSize size = contentView()->bounds().size;
    segments_->setFrame(uikit::CGRectMake(kMargin, (size.height - 29) / 2, std::max(0.0, size.width - 2 * kMargin), 29));
}

}  // namespace preferences
