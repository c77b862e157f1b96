#include "platform/preferences/PSTableCell.h"

#include "platform/foundation/Log.h"
#include "platform/preferences/PSEditableTableCell.h"
#include "platform/preferences/PSSegmentTableCell.h"
#include "platform/preferences/PSSliderTableCell.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/uikit/drawing/UIFont.h"

namespace preferences {

using uikit::UITableViewCellAccessoryType;
using uikit::UITableViewCellSelectionStyle;

runtime::Class* PSTableCell::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<PSTableCell>("PSTableCell", runtime::NSObject::staticClass());
    return cls;
}

namespace {

const bool kRegistered = (PSTableCell::staticClass(), true);

runtime::Class* defaultCellClass(int cellType) {
    switch (cellType) {
    case PSSwitchCell: return PSSwitchTableCell::staticClass();
    case PSSliderCell: return PSSliderTableCell::staticClass();
    case PSSegmentCell: return PSSegmentTableCell::staticClass();
    case PSEditTextCell:
    case PSSecureEditTextCell:
    case PSEditTextViewCell: return PSEditableTableCell::staticClass();
    default: return PSTableCell::staticClass();
    }
}

// The row's own cell class when it names one that is a cell; logged otherwise.
runtime::Class* cellClassOf(const PSSpecifier& specifier) {
    const SpecifierProperty* named = specifier.propertyForKey("cellClass");
    if (!named) return nullptr;
    runtime::Class* const* cls = std::get_if<runtime::Class*>(named);
    if (cls && *cls && (*cls)->isSubclassOfClass(PSTableCell::staticClass())) return *cls;
    foundation::logLine("AMPORA: the row \"" + specifier.name() + "\" names a cellClass that is no cell; using the default cell");
    return nullptr;
}

}  // namespace

PSTableCellPtr PSTableCell::cellForSpecifier(const PSSpecifierPtr& specifier) {
    (void)kRegistered;
    const int type = specifier ? specifier->cellType() : PSGroupCell;
    PSTableCellPtr cell;
    if (runtime::Class* own = specifier ? cellClassOf(*specifier) : nullptr) {
        cell = std::dynamic_pointer_cast<PSTableCell>(runtime::makeInstance(own));
        if (!cell) foundation::logLine("AMPORA: the cell class " + own->name() + " cannot be made; using the default cell");
    }
    if (!cell) cell = std::dynamic_pointer_cast<PSTableCell>(runtime::makeInstance(defaultCellClass(type)));
    if (!cell) cell = std::make_shared<PSTableCell>();
    cell->setSpecifier(specifier);
    return cell;
}

void PSTableCell::setSpecifier(PSSpecifierPtr specifier) {
    specifier_ = std::move(specifier);
    if (specifier_) refreshCellContentsWithSpecifier(specifier_);
}

void PSTableCell::refreshCellContentsWithSpecifier(const PSSpecifierPtr& specifier) {
    textLabel()->setText(specifier->name());
    if (const SpecifierProperty* icon = specifier->propertyForKey("iconImage"))
        if (const graphics::Image* image = std::get_if<graphics::Image>(icon))
            imageView()->setImage(*image);
    switch (specifier->cellType()) {
    case PSLinkCell:
    case PSLinkListCell: setAccessoryType(UITableViewCellAccessoryType::DisclosureIndicator); break;
    case PSStaticTextCell:
    case PSTitleValueCell:
    case PSGroupCell: setSelectionStyle(UITableViewCellSelectionStyle::None); break;
    case PSButtonCell: textLabel()->setTextColor(tintColor()); break;
    default: break;
    }
}

void PSTableCell::setValue(const PreferenceValue& value) {
    value_ = value;
    if (!detailTextLabel() || !specifier_) return;
    std::string shown;
    if (value) {
        if (auto title = specifier_->titleForValue(*value)) shown = *title;
        // A stored name no choice offers (a theme not installed) still shows as itself.
        else if (value->asString()) shown = *value->asString();
    }
    detailTextLabel()->setText(shown);
    setNeedsLayout();
}

void PSTableCell::setChecked(bool checked) {
    setAccessoryType(checked ? UITableViewCellAccessoryType::Checkmark : UITableViewCellAccessoryType::None);
}

bool PSTableCell::performCellAction() {
    auto target = cellTarget();
    return target && !cellAction_.empty() && runtime::sendChecked<void>(target.get(), cellAction_, specifier_);
}

void PSTableCell::tintColorDidChange() {
    if (specifier_ && specifier_->cellType() == PSButtonCell) textLabel()->setTextColor(tintColor());
}

}  // namespace preferences
