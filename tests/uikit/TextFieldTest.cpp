// Typing into text fields: keyboard filtering, editing events, the accessory bar.
#include "tests/uikit/UIKitTestSupport.h"

#include "platform/uikit/controls/UITextField.h"
#include "platform/uikit/controls/UITextView.h"
#include "platform/uikit/controls/UIToolbar.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class TextFields : public UIKitTest {
protected:
    UIWindowPtr window = makeWindow({320, 480});
    OffscreenScreen screen{window};
    UITextFieldPtr field = std::make_shared<UITextField>(CGRectMake(20, 300, 200, 31));
    void SetUp() override {
        UIKitTest::SetUp();
        field->setBorderStyle(UITextBorderStyle::RoundedRect);
        window->addSubview(field);
    }
};

}  // namespace

TEST_F(TextFields, NumberPadKeepsOnlyDigits) {
    field->setKeyboardType(UIKeyboardType::NumberPad);
    screen.tap({100, 315});
    ASSERT_TRUE(field->isFirstResponder());
    screen.typeText("4a2-.7 ");
    screen.typeText("x");
    EXPECT_EQ(field->text(), "427");
    screen.pressKey(UIKey::Backspace);
    EXPECT_EQ(field->text(), "42");
}

TEST_F(TextFields, DecimalPadKeepsDigitsAndOnePoint) {
    EXPECT_EQ(UITextField::filteredForKeyboard(UIKeyboardType::DecimalPad, "", "1.5.2,x"), "1.52");
    EXPECT_EQ(UITextField::filteredForKeyboard(UIKeyboardType::DecimalPad, "3.1", "4.1"), "41");
    EXPECT_EQ(UITextField::filteredForKeyboard(UIKeyboardType::Default, "", "a\nb"), "ab");
}

TEST_F(TextFields, EditingEventsAndTheDelegateSeeEachChange) {
    struct Delegate : UITextFieldDelegate {
        std::vector<std::string> calls;
        std::optional<bool> textFieldShouldChangeCharactersInRange(UITextField&, size_t, size_t,
                                                                   const std::string& s) override {
            calls.push_back("change " + s);
            return s != "!";
        }
        std::optional<bool> textFieldShouldReturn(UITextField& f) override {
            calls.push_back("return");
            f.resignFirstResponder();
            return false;
        }
        void textFieldDidEndEditing(UITextField&) override { calls.push_back("end"); }
    };
    auto delegate = std::make_shared<Delegate>();
    field->setDelegate(delegate);
    int changed = 0;
    field->addTarget([&](UIControl&) { ++changed; }, UIControlEventEditingChanged);
    screen.tap({100, 315});
    screen.typeText("hé");
    screen.typeText("!");
    screen.pressKey(UIKey::Backspace);
    screen.pressKey(UIKey::Return);
    EXPECT_EQ(field->text(), "h");
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(delegate->calls, (std::vector<std::string>{"change hé", "change !", "change ", "return", "end"}));
    EXPECT_FALSE(field->isEditing());
    screen.typeText("z");
    EXPECT_EQ(field->text(), "h") << "text goes nowhere when nothing edits";
}

TEST_F(TextFields, AccessoryToolbarIsShownAtTheWindowsBottomWhileEditing) {
    auto bar = std::make_shared<UIToolbar>(CGRectMake(0, 0, 320, 44));
    bar->setBarTintColor(colors::redColor);
    bar->setItems({std::make_shared<UIBarButtonItem>(UIBarButtonSystemItem::FlexibleSpace),
                   std::make_shared<UIBarButtonItem>(UIBarButtonSystemItem::Done,
                                                     [&](UIBarButtonItem&) { field->resignFirstResponder(); })});
    field->setInputAccessoryView(bar);
    EXPECT_EQ(bar->superview(), nullptr);
    screen.tap({100, 315});
    ASSERT_NE(bar->superview(), nullptr);
    // Where a keyboard would rise, not by a field that may still be moving.
    EXPECT_EQ(bar->frame(), CGRectMake(0, 436, 320, 44));
    auto image = screen.render(1);
    EXPECT_RGBA_NEAR(pixelAt(*image, 10, 458), 255, 0, 0, 255, 0);
    const CGRect done = bar->buttonForItem(bar->items()[1].get())->frame();
    EXPECT_GT(done.origin.x, 200) << "the flexible space pushes Done to the right";
    screen.tap({CGRectGetMidX(done), 436 + 22});
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(bar->superview(), nullptr);
    EXPECT_RGBA_NEAR(pixelAt(*screen.render(1), 10, 458), 255, 255, 255, 255, 0);
}

TEST_F(TextFields, ATextViewKeepsLinesAndDeletesWholeCharacters) {
    auto view = std::make_shared<UITextView>(CGRectMake(20, 40, 200, 100));
    window->addSubview(view);
    view->setText("one\r\ntwo\rthree\xFF");
    EXPECT_EQ(view->text(), "one\ntwo\nthree\xEF\xBF\xBD") << "line ends made one kind, bad bytes replaced";
    int changes = 0;
    view->addTarget([&](UIControl&) { ++changes; }, UIControlEventEditingChanged);
    screen.typeText("x");
    EXPECT_EQ(changes, 0) << "not editing before it is tapped";
    screen.tap({100, 90});
    ASSERT_TRUE(view->isEditing());
    screen.pressKey(UIKey::Backspace);
    screen.pressKey(UIKey::Return);
    screen.typeText("caf\xC3\xA9");
    screen.pressKey(UIKey::Backspace);
    EXPECT_EQ(view->text(), "one\ntwo\nthree\ncaf");
    EXPECT_EQ(changes, 4);
    view->setEditable(false);
    EXPECT_FALSE(view->isEditing());
}
