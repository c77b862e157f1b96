#pragma once
// The choices of a link-list row, one row per title, the current value checked.
// Choosing stores the chosen value through the opening row's setter.

#include "platform/preferences/PSListController.h"

namespace preferences {

class PSListItemsController : public PSListController {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    std::vector<PSSpecifierPtr>& specifiers() override;
    uikit::UITableViewCellPtr cellForRowAtIndexPath(uikit::UITableView& tableView,
                                                    const uikit::NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(uikit::UITableView& tableView, const uikit::NSIndexPath& indexPath) override;

    // The opening row's value, and storing a choice through the opening row's setter.
    PreferenceValue readPreferenceValue(const PSSpecifierPtr& specifier) override;
    void setPreferenceValue(PreferenceValue value, const PSSpecifierPtr& specifier) override;

    // The value a choice row stands for.
    static PreferenceValue valueOfItem(const PSSpecifierPtr& item);
    // A choice row titled `title` that stands for `value`.
    static PSSpecifierPtr itemFor(const std::string& title, foundation::PlistValue value,
                                  const std::shared_ptr<runtime::NSObject>& target);
};

}  // namespace preferences
