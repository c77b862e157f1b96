#include "platform/preferences/PSListItemsController.h"

namespace preferences {

runtime::Class* PSListItemsController::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<PSListItemsController>("PSListItemsController", PSListController::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (PSListItemsController::staticClass(), true);
constexpr const char* kItemValueKey = "value";
}  // namespace

PreferenceValue PSListItemsController::valueOfItem(const PSSpecifierPtr& item) {
    const foundation::PlistValue* v = item ? item->plistPropertyForKey(kItemValueKey) : nullptr;
    return v ? PreferenceValue(*v) : std::nullopt;
}

std::vector<PSSpecifierPtr>& PSListItemsController::specifiers() {
    (void)kRegistered;
    if (!specifiers_.empty() || !specifier()) return specifiers_;
    loadValuesAndTitlesFromDataSource(specifier());
    specifiers_.push_back(PSSpecifier::emptyGroupSpecifier());
    for (const auto& [value, title] : specifier()->titleDictionary()) specifiers_.push_back(itemFor(title, value, selfObject()));
    return specifiers_;
}

PSSpecifierPtr PSListItemsController::itemFor(const std::string& title, foundation::PlistValue value,
                                              const std::shared_ptr<runtime::NSObject>& target) {
    auto item = PSSpecifier::preferenceSpecifierNamed(title, target, {}, {}, nullptr, PSListItemCell, nullptr);
    item->setProperty(std::move(value), kItemValueKey);
    return item;
}

uikit::UITableViewCellPtr PSListItemsController::cellForRowAtIndexPath(uikit::UITableView& tableView,
                                                                        const uikit::NSIndexPath& indexPath) {
    auto cell = PSListController::cellForRowAtIndexPath(tableView, indexPath);
    if (auto* item = dynamic_cast<PSTableCell*>(cell.get())) {
        const PreferenceValue current = readPreferenceValue(specifier());
        item->setChecked(current && valueOfItem(item->specifier()) == current);
    }
    return cell;
}

void PSListItemsController::didSelectRowAtIndexPath(uikit::UITableView& tableView, const uikit::NSIndexPath& indexPath) {
    tableView.deselectRowAtIndexPath(indexPath, true);
    PSSpecifierPtr item = specifierAtIndexPath(indexPath);
    if (!item) return;
    const PreferenceValue chosen = valueOfItem(item);
    setPreferenceValue(chosen, specifier());
    for (const auto& c : tableView.visibleCells())
        if (auto* cell = dynamic_cast<PSTableCell*>(c.get())) cell->setChecked(cell->specifier() == item);
}

PreferenceValue PSListItemsController::readPreferenceValue(const PSSpecifierPtr& row) { return readValue(row); }

void PSListItemsController::setPreferenceValue(PreferenceValue value, const PSSpecifierPtr& row) {
    storeValue(row, value);
}

}  // namespace preferences
