#include "platform/uikit/tables/UITableView.h"

#include <glib.h>

#include <algorithm>
#include <cmath>

#include "platform/uikit/drawing/UIFont.h"
#include "platform/uikit/events/UIPanGestureRecognizer.h"
#include "platform/uikit/events/UITapGestureRecognizer.h"
#include "platform/uikit/views/UIScreen.h"

namespace uikit {
namespace {

constexpr double kMargin = 15;
constexpr double kTopGap = 35;      // above the first section
constexpr double kSectionGap = 17.5;  // above and below every other section edge
constexpr double kTextGap = 7;      // between a section title and its rows
constexpr UIColor kDeleteColor = UIColor::rgb(1, 0.231, 0.188);

std::string uppercase(const std::string& text) {
    gchar* upper = g_utf8_strup(text.c_str(), gssize(text.size()));
    std::string result = upper ? upper : text;
    g_free(upper);
    return result;
}

std::shared_ptr<UILabel> sectionLabel(const std::string& text) {
    auto label = std::make_shared<UILabel>();
    label->setFont(UIFont::systemFontOfSize(13));
    label->setTextColor(UISystemColor::groupedHeaderText);
    label->setNumberOfLines(0);
    label->setOpaque(false);
    label->setText(text);
    return label;
}

double usableHeight(std::optional<double> asked, double fallback) {
    return asked && std::isfinite(*asked) ? std::max(0.0, *asked) : fallback;
}

}  // namespace

UITableView::UITableView(const CGRect& frame)
    : UIScrollView(frame), tap_(std::make_shared<UITapGestureRecognizer>()),
      swipe_(std::make_shared<UIPanGestureRecognizer>()), deleteButton_(std::make_shared<UILabel>()) {
    setBackgroundColor(UISystemColor::systemGroupedBackground);
    // The view owns its recognizers, so they never outlive `this`.
    tap_->addTarget([this](UIGestureRecognizer& r) { handleTap(r); });
    addGestureRecognizer(tap_);
    swipe_->addTarget([this](UIGestureRecognizer& r) { handleSwipe(r); });
    swipe_->setShouldBegin([this](UIGestureRecognizer& r) { return swipeRowFor(r).has_value(); });
    addGestureRecognizer(swipe_);
    panGestureRecognizer()->setShouldBegin([this](UIGestureRecognizer& r) { return !swipeRowFor(r); });

    deleteButton_->setText("Delete");
    deleteButton_->setTextColor(colors::whiteColor);
    deleteButton_->setFont(UIFont::systemFontOfSize(17));
    deleteButton_->setTextAlignment(NSTextAlignment::Center);
    deleteButton_->setBackgroundColor(kDeleteColor);
    deleteButton_->setHidden(true);
    addSubview(deleteButton_);
}

long UITableView::numberOfRowsInSection(long section) const {
    return section >= 0 && section < numberOfSections() ? long(sections_[size_t(section)].cells.size()) : 0;
}

bool UITableView::isValid(const NSIndexPath& indexPath) const {
    return indexPath.row() >= 0 && indexPath.row() < numberOfRowsInSection(indexPath.section());
}

void UITableView::reloadData() {
    auto keep = weak_from_this().lock();
    loaded_ = true;
    // The old rows go: those that were told they show are told they no longer do.
    std::vector<Section> old;
    old.swap(sections_);
    if (auto delegate = this->delegate())
        for (size_t s = 0; s < old.size(); ++s)
            for (size_t r = 0; r < old[s].cells.size(); ++r)
                if (old[s].displayed[r])
                    delegate->didEndDisplayingCell(*this, *old[s].cells[r], NSIndexPath::indexPathForRow(long(r), long(s)));
    sections_.swap(old);
    ++reloads_;
    for (auto& section : sections_) {
        for (auto& cell : section.cells) cell->removeFromSuperview();
        if (section.header) section.header->removeFromSuperview();
        if (section.footer) section.footer->removeFromSuperview();
    }
    for (auto& separator : separators_) separator->removeFromSuperview();
    sections_.clear();
    separators_.clear();
    selected_.reset();
    hideDeleteButton();

    auto source = dataSource();
    auto delegate = this->delegate();
    if (source) {
        const long count = std::max(0L, source->numberOfSectionsInTableView(*this));
        sections_.resize(size_t(count));
        for (long s = 0; s < count; ++s) loadSection(s, *source, delegate.get());
    }
    layoutRows();
}

void UITableView::loadSection(long index, UITableViewDataSource& source, UITableViewDelegate* delegate) {
    Section& section = sections_[size_t(index)];
    const long rows = std::max(0L, source.numberOfRowsInSection(*this, index));
    for (long r = 0; r < rows; ++r) {
        const auto path = NSIndexPath::indexPathForRow(r, index);
        UITableViewCellPtr cell = source.cellForRowAtIndexPath(*this, path);
        if (!cell) cell = std::make_shared<UITableViewCell>();
        const std::optional<double> asked = delegate ? delegate->heightForRowAtIndexPath(*this, path) : std::nullopt;
        section.cells.push_back(cell);
        section.rowHeights.push_back(usableHeight(asked, kDefaultRowHeight));
        addSubview(cell);
    }
    section.rowY.resize(section.cells.size());
    section.displayed.assign(section.cells.size(), false);

    if (delegate) section.header = delegate->viewForHeaderInSection(*this, index);
    if (!section.header)
        if (auto title = source.titleForHeaderInSection(*this, index); title && !title->empty())
            section.header = sectionLabel(uppercase(*title));
    if (delegate) section.footer = delegate->viewForFooterInSection(*this, index);
    if (!section.footer)
        if (auto title = source.titleForFooterInSection(*this, index); title && !title->empty())
            section.footer = sectionLabel(*title);
    if (section.header) addSubview(section.header);
    if (section.footer) addSubview(section.footer);
    section.askedHeaderHeight = usableHeight(delegate ? delegate->heightForHeaderInSection(*this, index) : std::nullopt, -1);
    section.askedFooterHeight = usableHeight(delegate ? delegate->heightForFooterInSection(*this, index) : std::nullopt, -1);

    // A line above and below the section and one between neighbouring rows.
    for (long i = 0; rows > 0 && i <= rows; ++i) {
        auto line = std::make_shared<UIView>();
        line->setBackgroundColor(UISystemColor::separator);
        line->setUserInteractionEnabled(false);
        separators_.push_back(line);
        addSubview(line);
    }
}

void UITableView::layoutSubviews() {
    if (!loaded_) reloadData();
    else layoutRows();
}

void UITableView::setTableHeaderView(UIViewPtr header) {
    if (tableHeader_) tableHeader_->removeFromSuperview();
    tableHeader_ = std::move(header);
    if (tableHeader_) addSubview(tableHeader_);
    setNeedsLayout();
}

void UITableView::layoutRows() {
    const double width = bounds().size.width;
    const double textWidth = std::max(0.0, width - 2 * kMargin);
    const double hairline = 1 / UIScreen::mainScreen().scale();
    auto textHeight = [&](const UIViewPtr& view) { return view ? view->sizeThatFits({textWidth, 0}).height : 0.0; };
    auto isTitle = [](const UIViewPtr& view) { return dynamic_cast<UILabel*>(view.get()) != nullptr; };

    double y = 0;
    if (tableHeader_) {
        // Keeps its height; stretches with the table when it asks to.
        const CGRect f = tableHeader_->frame();
        const bool stretches = tableHeader_->autoresizingMask() & UIViewAutoresizingFlexibleWidth;
        tableHeader_->setFrame(CGRectMake(f.origin.x, 0, stretches ? width : f.size.width, f.size.height));
        y = f.size.height;
    }
    size_t line = 0;
    for (size_t s = 0; s < sections_.size(); ++s) {
        Section& section = sections_[s];
        const double gap = s == 0 ? kTopGap : kSectionGap;
        double headerHeight = section.askedHeaderHeight;
        if (headerHeight < 0)
            headerHeight = !section.header       ? gap
                           : isTitle(section.header) ? gap + textHeight(section.header) + kTextGap
                                                     : section.header->frame().size.height;
        section.headerY = y;
        if (section.header) {
            if (isTitle(section.header)) {
                const double h = textHeight(section.header);
                section.header->setFrame(CGRectMake(kMargin, y + headerHeight - kTextGap - h, textWidth, h));
            } else {
                section.header->setFrame(CGRectMake(0, y, width, headerHeight));
            }
        }
        y += headerHeight;

        const double rowsTop = y;
        for (size_t r = 0; r < section.cells.size(); ++r) {
            section.rowY[r] = y;
            const bool showsDelete = deleteRow_ && *deleteRow_ == NSIndexPath::indexPathForRow(long(r), long(s));
            section.cells[r]->setFrame(
                CGRectMake(showsDelete ? -kDeleteButtonWidth : 0, y, width, section.rowHeights[r]));
            y += section.rowHeights[r];
            if (r + 1 < section.cells.size())
                separators_[line + 1 + r]->setFrame(CGRectMake(kMargin, y - hairline, width - kMargin, hairline));
        }
        if (!section.cells.empty()) {
            separators_[line]->setFrame(CGRectMake(0, rowsTop, width, hairline));
            separators_[line + section.cells.size()]->setFrame(CGRectMake(0, y - hairline, width, hairline));
            line += section.cells.size() + 1;
        }

        double footerHeight = section.askedFooterHeight;
        if (footerHeight < 0)
            footerHeight = !section.footer       ? kSectionGap
                           : isTitle(section.footer) ? kTextGap + textHeight(section.footer) + kSectionGap
                                                     : section.footer->frame().size.height;
        section.footerY = y;
        if (section.footer) {
            if (isTitle(section.footer))
                section.footer->setFrame(CGRectMake(kMargin, y + kTextGap, textWidth, textHeight(section.footer)));
            else
                section.footer->setFrame(CGRectMake(0, y, width, footerHeight));
        }
        y += footerHeight;
        section.headerHeight = headerHeight;
        section.footerHeight = footerHeight;
    }
    if (deleteRow_) {
        const CGRect row = rectForRowAtIndexPath(*deleteRow_);
        deleteButton_->setFrame(CGRectMake(width - kDeleteButtonWidth, row.origin.y, kDeleteButtonWidth, row.size.height));
    }
    setContentSize({width, y});
    updateDisplayedCells();
}

void UITableView::scrollViewDidScroll() { updateDisplayedCells(); }

void UITableView::updateDisplayedCells() {
    auto delegate = this->delegate();
    if (!delegate) return;
    const CGRect seen = bounds();
    const double h = seen.size.height;
    const CGRect near = CGRectMake(seen.origin.x, seen.origin.y - h, seen.size.width, 3 * h);
    const CGRect far = CGRectMake(seen.origin.x, seen.origin.y - 3 * h, seen.size.width, 7 * h);
    auto keep = weak_from_this().lock();
    const unsigned long reloads = reloads_;
    for (size_t s = 0; s < sections_.size(); ++s) {
        for (size_t r = 0; r < sections_[s].cells.size(); ++r) {
            Section& section = sections_[s];
            const CGRect row = CGRectMake(0, section.rowY[r], seen.size.width, section.rowHeights[r]);
            const auto path = NSIndexPath::indexPathForRow(long(r), long(s));
            // A copy: the delegate may reload the table.
            const UITableViewCellPtr cell = section.cells[r];
            if (!section.displayed[r] && h > 0 && CGRectIntersectsRect(row, near)) {
                section.displayed[r] = true;
                delegate->willDisplayCell(*this, *cell, path);
            } else if (section.displayed[r] && !CGRectIntersectsRect(row, far)) {
                section.displayed[r] = false;
                delegate->didEndDisplayingCell(*this, *cell, path);
            }
            // A delegate that reloaded the table has had the new rows told by the reload.
            if (reloads_ != reloads) return;
        }
    }
}

UITableViewCellPtr UITableView::cellForRowAtIndexPath(const NSIndexPath& indexPath) const {
    return isValid(indexPath) ? sections_[size_t(indexPath.section())].cells[size_t(indexPath.row())] : nullptr;
}

std::optional<NSIndexPath> UITableView::indexPathForCell(const UITableViewCell* cell) const {
    for (size_t s = 0; s < sections_.size(); ++s)
        for (size_t r = 0; r < sections_[s].cells.size(); ++r)
            if (sections_[s].cells[r].get() == cell) return NSIndexPath::indexPathForRow(long(r), long(s));
    return std::nullopt;
}

std::optional<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point) const {
    if (point.x < 0 || point.x >= bounds().size.width) return std::nullopt;
    for (size_t s = 0; s < sections_.size(); ++s) {
        const Section& section = sections_[s];
        for (size_t r = 0; r < section.cells.size(); ++r)
            if (point.y >= section.rowY[r] && point.y < section.rowY[r] + section.rowHeights[r])
                return NSIndexPath::indexPathForRow(long(r), long(s));
    }
    return std::nullopt;
}

std::vector<UITableViewCellPtr> UITableView::visibleCells() const {
    std::vector<UITableViewCellPtr> cells;
    for (const Section& section : sections_)
        for (const auto& cell : section.cells)
            if (CGRectIntersectsRect(cell->frame(), bounds())) cells.push_back(cell);
    return cells;
}

CGRect UITableView::rectForRowAtIndexPath(const NSIndexPath& indexPath) const {
    if (!isValid(indexPath)) return CGRectZero;
    const Section& section = sections_[size_t(indexPath.section())];
    const auto r = size_t(indexPath.row());
    return CGRectMake(0, section.rowY[r], bounds().size.width, section.rowHeights[r]);
}

CGRect UITableView::rectForHeaderInSection(long section) const {
    if (section < 0 || section >= numberOfSections()) return CGRectZero;
    const Section& s = sections_[size_t(section)];
    return CGRectMake(0, s.headerY, bounds().size.width, s.headerHeight);
}

CGRect UITableView::rectForFooterInSection(long section) const {
    if (section < 0 || section >= numberOfSections()) return CGRectZero;
    const Section& s = sections_[size_t(section)];
    return CGRectMake(0, s.footerY, bounds().size.width, s.footerHeight);
}

UIView* UITableView::headerViewForSection(long section) const {
    return section >= 0 && section < numberOfSections() ? sections_[size_t(section)].header.get() : nullptr;
}

UIView* UITableView::footerViewForSection(long section) const {
    return section >= 0 && section < numberOfSections() ? sections_[size_t(section)].footer.get() : nullptr;
}

void UITableView::selectRowAtIndexPath(const NSIndexPath& indexPath, bool animated) {
    if (!isValid(indexPath)) return;
    if (selected_ && *selected_ != indexPath) deselectRowAtIndexPath(*selected_, animated);
    selected_ = indexPath;
    cellForRowAtIndexPath(indexPath)->setSelected(true, animated);
}

void UITableView::deselectRowAtIndexPath(const NSIndexPath& indexPath, bool animated) {
    if (selected_ == indexPath) selected_.reset();
    if (auto cell = cellForRowAtIndexPath(indexPath)) cell->setSelected(false, animated);
}

void UITableView::handleTap(UIGestureRecognizer& recognizer) {
    if (recognizer.state() != UIGestureRecognizerState::Ended) return;
    auto keep = weak_from_this().lock();  // the delegate may drop the table
    const CGPoint point = recognizer.locationInView(this);
    if (deleteRow_) {
        const NSIndexPath row = *deleteRow_;
        const bool pressed = CGRectContainsPoint(deleteButton_->frame(), point);
        hideDeleteButton();
        if (pressed)
            if (auto source = dataSource()) source->commitEditingStyle(*this, UITableViewCellEditingStyle::Delete, row);
        return;
    }
    if (const auto row = indexPathForRowAtPoint(point)) selectRowAsTapped(*row);
}

void UITableView::selectRowAsTapped(const NSIndexPath& indexPath) {
    if (!allowsSelection_ || !isValid(indexPath)) return;
    auto keep = weak_from_this().lock();  // the delegate may drop the table
    selectRowAtIndexPath(indexPath, false);
    if (auto delegate = this->delegate()) delegate->didSelectRowAtIndexPath(*this, indexPath);
}

std::optional<UITableViewCellEditingStyle> UITableView::editingStyleAt(const NSIndexPath& indexPath) {
    auto delegate = this->delegate();
    return delegate ? delegate->editingStyleForRowAtIndexPath(*this, indexPath) : std::nullopt;
}

std::optional<NSIndexPath> UITableView::swipeRowFor(UIGestureRecognizer& recognizer) {
    auto& pan = static_cast<UIPanGestureRecognizer&>(recognizer);
    const CGPoint t = pan.translationInView(this);
    if (std::abs(t.x) <= std::abs(t.y)) return std::nullopt;
    const CGPoint now = pan.locationInView(this);
    const auto row = indexPathForRowAtPoint({now.x - t.x, now.y - t.y});
    if (!row) return std::nullopt;
    if (row == deleteRow_ || editingStyleAt(*row) == UITableViewCellEditingStyle::Delete) return row;
    return std::nullopt;
}

void UITableView::handleSwipe(UIGestureRecognizer& recognizer) {
    auto& pan = static_cast<UIPanGestureRecognizer&>(recognizer);
    switch (pan.state()) {
    case UIGestureRecognizerState::Began:
        swipeRow_ = swipeRowFor(pan);
        if (deleteRow_ && deleteRow_ != swipeRow_) hideDeleteButton();
        swipeBase_ = deleteRow_ ? -kDeleteButtonWidth : 0;
        if (swipeRow_) {
            const CGRect row = rectForRowAtIndexPath(*swipeRow_);
            deleteButton_->setFrame(CGRectMake(bounds().size.width - kDeleteButtonWidth, row.origin.y,
                                               kDeleteButtonWidth, row.size.height));
            deleteButton_->setHidden(false);
        }
        [[fallthrough]];
    case UIGestureRecognizerState::Changed:
        if (swipeRow_) slideCell(*swipeRow_, std::clamp(swipeBase_ + pan.translationInView(this).x, -kDeleteButtonWidth, 0.0));
        break;
    case UIGestureRecognizerState::Ended:
        if (swipeRow_ && cellForRowAtIndexPath(*swipeRow_)) {
            if (cellForRowAtIndexPath(*swipeRow_)->frame().origin.x < -kDeleteButtonWidth / 2) {
                deleteRow_ = swipeRow_;
                slideCell(*swipeRow_, -kDeleteButtonWidth);
            } else {
                hideDeleteButton();
                slideCell(*swipeRow_, 0);
            }
        }
        swipeRow_.reset();
        break;
    default:
        if (swipeRow_ && swipeRow_ != deleteRow_) slideCell(*swipeRow_, 0), hideDeleteButton();
        swipeRow_.reset();
        break;
    }
}

void UITableView::slideCell(const NSIndexPath& indexPath, double x) {
    if (auto cell = cellForRowAtIndexPath(indexPath)) {
        CGRect f = cell->frame();
        f.origin.x = x;
        cell->setFrame(f);
    }
}

void UITableView::hideDeleteButton() {
    if (deleteRow_) slideCell(*deleteRow_, 0);
    deleteRow_.reset();
    deleteButton_->setHidden(true);
}

}  // namespace uikit
