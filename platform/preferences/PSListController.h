#pragma once
// A page of rows: its specifiers split into sections at every group row, one
// cell made per row, values read through each row's getter, link rows pushing
// their detail page, and the footers and titles the groups give.

#include <memory>
#include <string>
#include <vector>

#include "platform/preferences/NSBundle.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/navigation/UIViewController.h"
#include "platform/uikit/tables/UITableView.h"

namespace preferences {

class PSListController : public uikit::UIViewController,
                         public runtime::NSObject,
                         public uikit::UITableViewDataSource,
                         public uikit::UITableViewDelegate {
public:
    PSListController() = default;

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    // The rows; built by subclasses on first use and kept. The base has none.
    virtual std::vector<PSSpecifierPtr>& specifiers() { return specifiers_; }
    // Builds the rows again and shows them.
    void reloadSpecifiers();
    // Makes every row's cell again, reading every value afresh.
    virtual void reload();
    // The row whose "id" property is `identifier`; nullptr when none.
    PSSpecifierPtr specifierForID(const std::string& identifier);

    // The rows of "<name>.plist" in the page's bundle: its "items" array of row
    // dictionaries, bound to `target`. Empty (logged) when missing or malformed.
    std::vector<PSSpecifierPtr> loadSpecifiersFromPlistName(const std::string& name,
                                                            const std::shared_ptr<runtime::NSObject>& target);

    // The bundle the page's class came from; nullptr when none was recorded.
    std::shared_ptr<NSBundle> bundle() const;
    uikit::UITableView* table() const { return table_.get(); }
    // The first page of the navigation stack the page is on.
    uikit::UIViewControllerPtr rootController() const;

    // The row that opened this page, and the page it was opened from (weak).
    const PSSpecifierPtr& specifier() const { return specifier_; }
    virtual void setSpecifier(PSSpecifierPtr specifier);
    std::shared_ptr<PSListController> parentController() const { return parent_.lock(); }
    void setParentController(std::weak_ptr<PSListController> parent) { parent_ = std::move(parent); }

    // The default getter and setter that rows name. The getter answers the
    // row's "default"; the framework keeps no storage of its own here, so the
    // setter only logs: pages that store values override both.
    virtual PreferenceValue readPreferenceValue(const PSSpecifierPtr& specifier);
    virtual void setPreferenceValue(PreferenceValue value, const PSSpecifierPtr& specifier);

    // The page as its rows' target.
    std::shared_ptr<runtime::NSObject> selfObject();
    std::shared_ptr<PSListController> selfController();

    // The table's questions, answered from the specifiers.
    long numberOfSectionsInTableView(uikit::UITableView& tableView) override;
    long numberOfRowsInSection(uikit::UITableView& tableView, long section) override;
    uikit::UITableViewCellPtr cellForRowAtIndexPath(uikit::UITableView& tableView,
                                                    const uikit::NSIndexPath& indexPath) override;
    std::optional<std::string> titleForHeaderInSection(uikit::UITableView& tableView, long section) override;
    std::optional<std::string> titleForFooterInSection(uikit::UITableView& tableView, long section) override;
    std::optional<double> heightForRowAtIndexPath(uikit::UITableView& tableView,
                                                  const uikit::NSIndexPath& indexPath) override;
    void didSelectRowAtIndexPath(uikit::UITableView& tableView, const uikit::NSIndexPath& indexPath) override;

    // The row shown at an index path; nullptr when out of range.
    PSSpecifierPtr specifierAtIndexPath(const uikit::NSIndexPath& indexPath);
    std::optional<uikit::NSIndexPath> indexPathForSpecifier(const PSSpecifierPtr& specifier);

    void viewWillAppear(bool animated) override;

protected:
    void loadView() override;
    // Pushes the detail page of a link row; false (logged) when it names none that can be shown.
    bool pushDetailOf(const PSSpecifierPtr& specifier);
    // Shows the rows' current values in the cells already made.
    void refreshShownValues();

    std::vector<PSSpecifierPtr> specifiers_;  // the framework's field, filled by subclasses

private:
    struct Section {
        PSSpecifierPtr group;  // nullptr for rows before the first group
        std::vector<PSSpecifierPtr> rows;
    };
    const std::vector<Section>& sections();
    static bool showsValue(int cellType);

    std::shared_ptr<uikit::UITableView> table_;
    std::vector<Section> sections_;
    bool sectionsValid_ = false;
    PSSpecifierPtr specifier_;
    std::weak_ptr<PSListController> parent_;
};

using PSListControllerPtr = std::shared_ptr<PSListController>;

}  // namespace preferences
