#pragma once
// A grouped list: sections of white rows on a light grey background, with
// section titles in small grey capitals above and footers in small grey text
// below. Cells are made for every row on reload, never reused for another row.
// A tap selects a row; a horizontal swipe on a row whose editing style is
// delete reveals a red "Delete" button.

#include <memory>
#include <optional>
#include <vector>

#include "platform/uikit/tables/UIScrollView.h"
#include "platform/uikit/tables/UITableViewDataSource.h"
#include "platform/uikit/tables/UITableViewDelegate.h"

namespace uikit {

class UITapGestureRecognizer;

class UITableView : public UIScrollView {
public:
    static constexpr double kDefaultRowHeight = 44;
    static constexpr double kDeleteButtonWidth = 82;

    explicit UITableView(const CGRect& frame = CGRectZero);

    // Held weakly: a table never keeps its controller alive.
    std::shared_ptr<UITableViewDataSource> dataSource() const { return dataSource_.lock(); }
    void setDataSource(std::weak_ptr<UITableViewDataSource> dataSource) { dataSource_ = std::move(dataSource); }
    std::shared_ptr<UITableViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<UITableViewDelegate> delegate) { delegate_ = std::move(delegate); }

    // Asks the data source and delegate again and makes a new cell for every row.
    void reloadData();

    long numberOfSections() const { return long(sections_.size()); }
    long numberOfRowsInSection(long section) const;
    UITableViewCellPtr cellForRowAtIndexPath(const NSIndexPath& indexPath) const;
    std::optional<NSIndexPath> indexPathForCell(const UITableViewCell* cell) const;
    // In the table's bounds (content) coordinates.
    std::optional<NSIndexPath> indexPathForRowAtPoint(CGPoint point) const;
    std::vector<UITableViewCellPtr> visibleCells() const;
    CGRect rectForRowAtIndexPath(const NSIndexPath& indexPath) const;
    CGRect rectForHeaderInSection(long section) const;
    CGRect rectForFooterInSection(long section) const;
    // The delegate's view, or the label made for the section's title; nullptr when none.
    UIView* headerViewForSection(long section) const;
    UIView* footerViewForSection(long section) const;

    // A view above the first section, at full width when it stretches.
    const UIViewPtr& tableHeaderView() const { return tableHeader_; }
    void setTableHeaderView(UIViewPtr header);

    bool allowsSelection() const { return allowsSelection_; }
    void setAllowsSelection(bool allows) { allowsSelection_ = allows; }
    std::optional<NSIndexPath> indexPathForSelectedRow() const { return selected_; }
    void selectRowAtIndexPath(const NSIndexPath& indexPath, bool animated);
    void deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated);
    // What a tap on the row does: selects it and tells the delegate.
    void selectRowAsTapped(const NSIndexPath& indexPath);

    // The row whose Delete button shows, and the button itself.
    std::optional<NSIndexPath> indexPathShowingDelete() const { return deleteRow_; }
    UIView* deleteButton() const { return deleteButton_.get(); }
    void hideDeleteButton();

protected:
    void layoutSubviews() override;
    void scrollViewDidScroll() override;

private:
    struct Section {
        std::vector<UITableViewCellPtr> cells;
        std::vector<bool> displayed;  // told willDisplay, not yet didEndDisplaying
        std::vector<double> rowHeights, rowY;
        UIViewPtr header, footer;
        double askedHeaderHeight = -1, askedFooterHeight = -1;  // the delegate's; -1: not offered
        double headerHeight = 0, footerHeight = 0, headerY = 0, footerY = 0;
    };

    bool isValid(const NSIndexPath& indexPath) const;
    std::optional<UITableViewCellEditingStyle> editingStyleAt(const NSIndexPath& indexPath);
    void loadSection(long index, UITableViewDataSource& source, UITableViewDelegate* delegate);
    void layoutRows();
    // Tells the delegate which rows came near the visible part and which left it far behind.
    void updateDisplayedCells();
    void handleTap(UIGestureRecognizer& recognizer);
    void handleSwipe(UIGestureRecognizer& recognizer);
    // The row a horizontal drag would open or close the Delete button of.
    std::optional<NSIndexPath> swipeRowFor(UIGestureRecognizer& recognizer);
    void slideCell(const NSIndexPath& indexPath, double x);

    std::weak_ptr<UITableViewDataSource> dataSource_;
    std::weak_ptr<UITableViewDelegate> delegate_;
    std::vector<Section> sections_;
    unsigned long reloads_ = 0;
    std::vector<UIViewPtr> separators_;
    UIViewPtr tableHeader_;
    std::shared_ptr<UITapGestureRecognizer> tap_;
    std::shared_ptr<UIPanGestureRecognizer> swipe_;
    std::shared_ptr<UILabel> deleteButton_;
    std::optional<NSIndexPath> selected_;
    std::optional<NSIndexPath> deleteRow_;
    std::optional<NSIndexPath> swipeRow_;
    double swipeBase_ = 0;  // the swiped cell's x when the swipe began
    bool loaded_ = false;
    bool allowsSelection_ = true;
};

using UITableViewPtr = std::shared_ptr<UITableView>;

}  // namespace uikit
