#include "tests/hosts/SettingsHostTestPane.h"

#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/views/UILabel.h"

namespace hosttest {

using namespace uikit;

runtime::Class* HostTestPage::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<HostTestPage>("HostTestPage", runtime::NSObject::staticClass());
    return cls;
}

runtime::Class* HostTestDetail::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<HostTestDetail>("HostTestDetail", runtime::NSObject::staticClass());
    return cls;
}

runtime::Class* HostTestNotAPage::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<HostTestNotAPage>("HostTestNotAPage", runtime::NSObject::staticClass());
    return cls;
}

namespace {
// Registered when the pane is loaded, as a bundle's classes are.
const bool registered = (HostTestPage::staticClass(), HostTestDetail::staticClass(), HostTestNotAPage::staticClass(), true);
}  // namespace

HostTestPage::HostTestPage() { setTitle("Test Pane"); }

void HostTestPage::loadView() {
    (void)registered;
    table = std::make_shared<UITableView>(UIScreen::mainScreen().bounds());
    auto self = std::dynamic_pointer_cast<HostTestPage>(shared_from_this());
    table->setDataSource(std::weak_ptr<UITableViewDataSource>(self));
    table->setDelegate(std::weak_ptr<UITableViewDelegate>(self));
    table->reloadData();
    setView(table);
}

UITableViewCellPtr HostTestPage::cellForRowAtIndexPath(UITableView&, const NSIndexPath& path) {
    auto cell = std::make_shared<UITableViewCell>();
    cell->textLabel()->setText(rows[size_t(path.row())]);
    if (rows[size_t(path.row())] == "Switch") cell->setAccessoryView(toggle);
    return cell;
}

void HostTestPage::didSelectRowAtIndexPath(UITableView& tableView, const NSIndexPath& path) {
    selected.push_back(rows[size_t(path.row())]);
    tableView.deselectRowAtIndexPath(path, true);
    if (rows[size_t(path.row())] == "Next") navigationController()->pushViewController(std::make_shared<HostTestDetail>(), true);
}

std::optional<UITableViewCellEditingStyle> HostTestPage::editingStyleForRowAtIndexPath(UITableView&,
                                                                                      const NSIndexPath& path) {
    if (rows[size_t(path.row())] == "Removable") return UITableViewCellEditingStyle::Delete;
    return UITableViewCellEditingStyle::None;
}

void HostTestPage::commitEditingStyle(UITableView& tableView, UITableViewCellEditingStyle, const NSIndexPath& path) {
    rows.erase(rows.begin() + path.row());
    tableView.reloadData();
}

HostTestDetail::HostTestDetail() { setTitle("Detail"); }

void HostTestDetail::loadView() {
    UIViewController::loadView();
    auto label = std::make_shared<UILabel>(CGRectMake(20, 100, 200, 30));
    label->setText("Detail page");
    view()->addSubview(label);
}

}  // namespace hosttest
