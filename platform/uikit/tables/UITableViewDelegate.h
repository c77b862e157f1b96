#pragma once
// How a table looks and reacts: row and section heights, section views,
// selection, and the edit a swipe offers. nullopt / nullptr: the table's own.

#include <optional>

#include "platform/uikit/tables/NSIndexPath.h"
#include "platform/uikit/tables/UITableViewCell.h"

namespace uikit {

class UITableView;

class UITableViewDelegate {
public:
    virtual ~UITableViewDelegate() = default;

    virtual std::optional<double> heightForRowAtIndexPath(UITableView&, const NSIndexPath&) { return std::nullopt; }
    virtual std::optional<double> heightForHeaderInSection(UITableView&, long) { return std::nullopt; }
    virtual std::optional<double> heightForFooterInSection(UITableView&, long) { return std::nullopt; }
    virtual UIViewPtr viewForHeaderInSection(UITableView&, long) { return nullptr; }
    virtual UIViewPtr viewForFooterInSection(UITableView&, long) { return nullptr; }
    virtual void didSelectRowAtIndexPath(UITableView&, const NSIndexPath&) {}
    // A row comes within a screen of the visible part; and, later, it is more
    // than three screens away. Rows that draw something costly draw it here.
    virtual void willDisplayCell(UITableView&, UITableViewCell&, const NSIndexPath&) {}
    virtual void didEndDisplayingCell(UITableView&, UITableViewCell&, const NSIndexPath&) {}
    virtual std::optional<UITableViewCellEditingStyle> editingStyleForRowAtIndexPath(UITableView&, const NSIndexPath&) {
        return std::nullopt;
    }
};

}  // namespace uikit
