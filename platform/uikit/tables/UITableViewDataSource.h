#pragma once
// What a table shows: sections, rows, a cell per row, section titles, and the
// commit of a row's edit (a swipe's Delete).

#include <optional>
#include <string>

#include "platform/uikit/tables/NSIndexPath.h"
#include "platform/uikit/tables/UITableViewCell.h"

namespace uikit {

class UITableView;

class UITableViewDataSource {
public:
    virtual ~UITableViewDataSource() = default;

    virtual long numberOfSectionsInTableView(UITableView&) { return 1; }
    virtual long numberOfRowsInSection(UITableView& tableView, long section) = 0;
    // A new cell for the row; nullptr shows an empty cell.
    virtual UITableViewCellPtr cellForRowAtIndexPath(UITableView& tableView, const NSIndexPath& indexPath) = 0;
    virtual std::optional<std::string> titleForHeaderInSection(UITableView&, long) { return std::nullopt; }
    virtual std::optional<std::string> titleForFooterInSection(UITableView&, long) { return std::nullopt; }
    virtual void commitEditingStyle(UITableView&, UITableViewCellEditingStyle, const NSIndexPath&) {}
};

}  // namespace uikit
