// The keyboard focus of a window: what Tab and the arrows reach, how the
// focused row looks, and what Return, Space and the side arrows do to it.
#include "tests/uikit/UIKitTestSupport.h"

#include "platform/uikit/controls/UIButton.h"
#include "platform/uikit/controls/UISlider.h"
#include "platform/uikit/controls/UISwitch.h"
#include "platform/uikit/controls/UITextField.h"
#include "platform/uikit/tables/UITableView.h"

using namespace uikit;
using namespace uikit::test;

namespace {

// A switch row that selects nothing, then link rows; more than the table shows.
struct Rows : UITableViewDataSource, UITableViewDelegate {
    std::shared_ptr<UISwitch> toggle = std::make_shared<UISwitch>();
    std::vector<long> selected;
    long count = 12;
    long numberOfRowsInSection(UITableView&, long) override { return count; }
    UITableViewCellPtr cellForRowAtIndexPath(UITableView&, const NSIndexPath& p) override {
        auto cell = std::make_shared<UITableViewCell>(UITableViewCellStyle::Default);
        if (p.row() == 0) {
            cell->textLabel()->setText("Enabled");
            cell->setSelectionStyle(UITableViewCellSelectionStyle::None);
            cell->setAccessoryView(toggle);
        } else {
            cell->textLabel()->setText("Link " + std::to_string(p.row()));
            cell->setAccessoryType(UITableViewCellAccessoryType::DisclosureIndicator);
        }
        return cell;
    }
    void didSelectRowAtIndexPath(UITableView& table, const NSIndexPath& p) override {
        selected.push_back(p.row());
        table.deselectRowAtIndexPath(p, true);
    }
};

class Focus : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({320, 480});
    OffscreenScreen screen{window};
    std::shared_ptr<Rows> rows = std::make_shared<Rows>();
    UITableViewPtr table = std::make_shared<UITableView>(CGRectMake(0, 0, 320, 380));
    std::shared_ptr<UIButton> button = std::make_shared<UIButton>(CGRectMake(10, 390, 100, 40));
    std::shared_ptr<UISlider> slider = std::make_shared<UISlider>(CGRectMake(10, 440, 200, 31));

    void SetUp() override {
        UIKitTest::SetUp();
        table->setDataSource(rows);
        table->setDelegate(rows);
        window->addSubview(table);
        window->addSubview(button);
        slider->setValue(0.5);
        window->addSubview(slider);
        screen.render(1);  // laid out
    }
    UIView* focused() const { return window->keyboardFocus().focusedView(); }
    UITableViewCell* cell(long row) const { return table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0)).get(); }
    double highlight(long row) const { return cell(row)->selectedBackgroundView()->alpha(); }
    void tab(int times = 1, unsigned modifiers = UIKeyModifierNone) {
        for (int i = 0; i < times; ++i) screen.pressKey(UIKey::Tab, modifiers);
    }
};

}  // namespace

TEST_F(Focus, TabWalksControlsAndSelectableRowsInOrderAndGoesRound) {
    EXPECT_EQ(focused(), nullptr);
    tab();
    EXPECT_EQ(focused(), rows->toggle.get()) << "a row that selects nothing is reached through its switch";
    EXPECT_EQ(highlight(0), 1) << "the row holding the focused switch shows the selected look";
    tab();
    EXPECT_EQ(focused(), cell(1));
    EXPECT_EQ(highlight(0), 0);
    EXPECT_EQ(highlight(1), 1);
    tab(11);
    EXPECT_EQ(focused(), button.get());
    EXPECT_EQ(highlight(11), 0);
    tab();
    EXPECT_EQ(focused(), slider.get());
    tab();
    EXPECT_EQ(focused(), rows->toggle.get()) << "Tab goes round";
    tab(1, UIKeyModifierShift);
    EXPECT_EQ(focused(), slider.get()) << "Shift+Tab goes back";
    window->keyboardFocus().clear();
    tab(1, UIKeyModifierShift);
    EXPECT_EQ(focused(), slider.get()) << "from nowhere Shift+Tab starts at the last";
    EXPECT_TRUE(rows->selected.empty()) << "focus alone selects nothing";
}

TEST_F(Focus, TheArrowsStayInTheTableStopAtItsEndsAndScrollTheRowIntoSight) {
    screen.pressKey(UIKey::Down);
    EXPECT_EQ(focused(), rows->toggle.get()) << "from nowhere, the first row of the first table";
    screen.pressKey(UIKey::Up);
    EXPECT_EQ(focused(), rows->toggle.get());
    for (int i = 0; i < 20; ++i) screen.pressKey(UIKey::Down);
    EXPECT_EQ(focused(), cell(11)) << "the last row, not the button below the table";
    const CGRect shown = cell(11)->convertRectToView(cell(11)->bounds(), table.get());
    EXPECT_GT(table->contentOffset().y, 0);
    EXPECT_LE(CGRectGetMaxY(shown), table->contentOffset().y + table->bounds().size.height + 0.5);
    // The focused row is drawn as a selected row.
    auto image = screen.render(1);
    const CGRect inWindow = cell(11)->convertRectToView(cell(11)->bounds(), nullptr);
    EXPECT_RGBA_NEAR(pixelAt(*image, 5, int(CGRectGetMidY(inWindow))), 217, 217, 217, 255, 3);
    screen.pressKey(UIKey::Up);
    EXPECT_EQ(focused(), cell(10));
}

TEST_F(Focus, ReturnAndSpaceTapWhatHasTheFocusAndTheSideArrowsMoveASlider) {
    int toggled = 0, pressed = 0;
    std::vector<std::string> sliderEvents;
    rows->toggle->addTarget([&](UIControl&) { ++toggled; }, UIControlEventValueChanged);
    button->addTarget([&](UIControl&) { ++pressed; }, UIControlEventTouchUpInside);
    slider->addTarget([&](UIControl&) { sliderEvents.push_back("changed"); }, UIControlEventValueChanged);
    slider->addTarget([&](UIControl&) { sliderEvents.push_back("released"); }, UIControlEventTouchUpInside);

    tab();
    screen.pressKey(UIKey::Space);
    EXPECT_TRUE(rows->toggle->isOn());
    screen.pressKey(UIKey::Return);
    EXPECT_FALSE(rows->toggle->isOn());
    EXPECT_EQ(toggled, 2);
    tab(2);
    screen.pressKey(UIKey::Return);
    screen.pressKey(UIKey::Space);
    EXPECT_EQ(rows->selected, (std::vector<long>{2, 2}));
    EXPECT_EQ(highlight(2), 1) << "the deselection fades the selection, not the focus";
    screen.pressKey(UIKey::Right);
    EXPECT_EQ(focused(), cell(2)) << "a row takes no side arrows";
    tab(10);
    screen.pressKey(UIKey::Space);
    EXPECT_EQ(pressed, 1);
    tab();
    screen.pressKey(UIKey::Right);
    screen.pressKey(UIKey::Right);
    screen.pressKey(UIKey::Left);
    EXPECT_DOUBLE_EQ(slider->value(), 0.5 + UISlider::kKeyStep);
    EXPECT_EQ(sliderEvents.size(), 6u);
    EXPECT_EQ(sliderEvents[0], "changed");
    EXPECT_EQ(sliderEvents[1], "released") << "a key step stores as a released drag does";
    slider->setValue(1);
    sliderEvents.clear();
    screen.pressKey(UIKey::Right);
    EXPECT_TRUE(sliderEvents.empty()) << "at the end nothing changes, nothing is sent";
}

TEST_F(Focus, ATouchTakesTheFocusAwayAndAFocusedFieldEditsWithItsTextSelected) {
    tab(2);
    ASSERT_EQ(highlight(1), 1);
    screen.tap({300, 460});
    EXPECT_EQ(focused(), nullptr);
    EXPECT_EQ(highlight(1), 0);

    auto field = std::make_shared<UITextField>(CGRectMake(220, 440, 90, 31));
    field->setText("Night");
    window->addSubview(field);
    tab(1, UIKeyModifierShift);
    ASSERT_EQ(focused(), field.get());
    EXPECT_TRUE(field->isEditing());
    EXPECT_EQ(field->selectedText(), "Night");
    screen.typeText("Day");
    EXPECT_EQ(field->text(), "Day");
    screen.pressKey(UIKey::Space);
    EXPECT_EQ(field->text(), "Day") << "Space in a field is its text, which comes separately";
    tab();
    EXPECT_FALSE(field->isEditing()) << "Tab leaves the field";
    EXPECT_EQ(focused(), rows->toggle.get());
}

TEST_F(Focus, PageKeysScrollTheFocusedTableOrElseTheLargestThatScrolls) {
    rows->count = 40;
    table->reloadData();
    screen.render(1);
    const double most = table->maximumContentOffset().y;
    ASSERT_GT(most, 100);
    screen.pressKey(UIKey::PageDown);
    const double page = table->contentOffset().y;
    EXPECT_GT(page, 300) << "nearly a table's height, keeping a little of the page before";
    EXPECT_LT(page, 380);
    screen.pressKey(UIKey::End);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, most);
    screen.pressKey(UIKey::PageDown);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, most) << "no further than the end";
    screen.pressKey(UIKey::Home);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, table->minimumContentOffset().y);

    auto field = std::make_shared<UITextField>(CGRectMake(220, 440, 90, 31));
    window->addSubview(field);
    field->setText("abc");
    field->becomeFirstResponder();
    screen.pressKey(UIKey::Home);
    EXPECT_EQ(field->caretOffset(), 0u) << "Home in a field moves its caret";
    EXPECT_DOUBLE_EQ(table->contentOffset().y, table->minimumContentOffset().y);
}
