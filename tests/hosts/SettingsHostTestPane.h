#pragma once
// Small pages for the settings host's tests, registered by name when loaded:
// a list with a switch row, a row whose text is the localization of HELLO, a
// row that opens a detail page and a row that swipes away; a detail page; and
// a named class that is no page. Built into the tests and into a pane library
// the tests put in a bundle folder.

#include <string>
#include <vector>

#include "platform/runtime/NSObject.h"
#include "platform/uikit/controls/UISwitch.h"
#include "platform/uikit/navigation/UIViewController.h"
#include "platform/uikit/tables/UITableView.h"

namespace hosttest {

class HostTestPage : public uikit::UIViewController,
                     public runtime::NSObject,
                     public uikit::UITableViewDataSource,
                     public uikit::UITableViewDelegate {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }
    HostTestPage();

    std::vector<std::string> rows{"Switch", "Hello there", "Next", "Removable"};
    std::vector<std::string> selected;
    std::vector<uikit::UIInterfaceOrientation> rotatedFrom;
    std::shared_ptr<uikit::UISwitch> toggle = std::make_shared<uikit::UISwitch>();
    uikit::UITableViewPtr table;

    long numberOfRowsInSection(uikit::UITableView&, long) override { return long(rows.size()); }
    uikit::UITableViewCellPtr cellForRowAtIndexPath(uikit::UITableView&, const uikit::NSIndexPath& path) override;
    void commitEditingStyle(uikit::UITableView&, uikit::UITableViewCellEditingStyle, const uikit::NSIndexPath&) override;
    void didSelectRowAtIndexPath(uikit::UITableView&, const uikit::NSIndexPath& path) override;
    std::optional<uikit::UITableViewCellEditingStyle> editingStyleForRowAtIndexPath(uikit::UITableView&,
                                                                                    const uikit::NSIndexPath&) override;
    void didRotateFromInterfaceOrientation(uikit::UIInterfaceOrientation from) override { rotatedFrom.push_back(from); }

protected:
    void loadView() override;
};

class HostTestDetail : public uikit::UIViewController, public runtime::NSObject {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }
    HostTestDetail();

protected:
    void loadView() override;
};

class HostTestNotAPage : public runtime::NSObject {
public:
    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }
};

}  // namespace hosttest
