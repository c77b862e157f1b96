#pragma once
// The Settings application's own first page, in the system look: a grouped
// table with one "Ampora" row (the bundle's icon and a disclosure indicator)
// that pushes the bundle's first page.

#include <memory>
#include <string>

#include "platform/preferences/NSBundle.h"
#include "platform/uikit/navigation/UIViewController.h"
#include "platform/uikit/tables/UITableView.h"

namespace settingshost {

class SettingsRootPage : public uikit::UIViewController,
                         public uikit::UITableViewDataSource,
                         public uikit::UITableViewDelegate {
public:
    SettingsRootPage(std::shared_ptr<preferences::NSBundle> bundle, std::string paneClassName);

    const uikit::UITableViewPtr& table() const { return table_; }

    long numberOfRowsInSection(uikit::UITableView&, long) override { return 1; }
    uikit::UITableViewCellPtr cellForRowAtIndexPath(uikit::UITableView&, const uikit::NSIndexPath&) override;
    void didSelectRowAtIndexPath(uikit::UITableView& table, const uikit::NSIndexPath& indexPath) override;

protected:
    void loadView() override;

private:
    std::shared_ptr<preferences::NSBundle> bundle_;
    std::string paneClassName_;
    uikit::UITableViewPtr table_;
};

}  // namespace settingshost
