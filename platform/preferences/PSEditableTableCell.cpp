#include "platform/preferences/PSEditableTableCell.h"

#include <algorithm>

namespace preferences {

runtime::Class* PSEditableTableCell::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<PSEditableTableCell>("PSEditableTableCell", PSTableCell::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (PSEditableTableCell::staticClass(), true);
constexpr double kMargin = 15;
}  // namespace

PSEditableTableCell::PSEditableTableCell() : PSTableCell(uikit::UITableViewCellStyle::Default) {
    (void)kRegistered;
    setSelectionStyle(uikit::UITableViewCellSelectionStyle::None);
    field_->setTextAlignment(uikit::NSTextAlignment::Right);
    contentView()->addSubview(field_);
    // The cell owns the field, so a plain capture cannot outlive it.
    field_->addTarget([this](uikit::UIControl&) { editingEnded(); },
                      uikit::UIControlEventEditingDidEnd | uikit::UIControlEventEditingDidEndOnExit);
}

void PSEditableTableCell::refreshCellContentsWithSpecifier(const PSSpecifierPtr& specifier) {
    PSTableCell::refreshCellContentsWithSpecifier(specifier);
    field_->setSecureTextEntry(specifier->cellType() == PSSecureEditTextCell);
    field_->setPlaceholder(specifier->stringPropertyForKey("placeholder"));
}

void PSEditableTableCell::setValue(const PreferenceValue& value) {
    PSTableCell::setValue(value);
    const std::string* text = value ? value->asString() : nullptr;
    field_->setText(text ? *text : std::string());
}

void PSEditableTableCell::editingEnded() {
    const PreferenceValue shown = value();
    if (shown && shown->asString() && *shown->asString() == field_->text()) return;
    PSTableCell::setValue(foundation::PlistValue(field_->text()));
    storeValue(specifier(), value());
}

void PSEditableTableCell::layoutSubviews() {
    PSTableCell::layoutSubviews();
    const uikit::CGSize size = contentView()->bounds().size;
    uikit::UILabel* label = textLabel();
    const double titleWidth = std::min(label->sizeThatFits({}).width, size.width / 2);
    label->setFrame(uikit::CGRectMake(kMargin, 0, titleWidth, size.height));
    const double x = kMargin + titleWidth + 8;
    field_->setFrame(uikit::CGRectMake(x, 0, std::max(0.0, size.width - x - kMargin), size.height));
}

}  // namespace preferences
