// Typing into text fields: keyboard filtering, editing events, the accessory bar.
#include "tests/uikit/UIKitTestSupport.h"

#include "platform/uikit/controls/UITextField.h"
#include "platform/uikit/controls/UITextView.h"
#include "platform/uikit/controls/UIToolbar.h"
#include "platform/uikit/services/UIPasteboard.h"

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

namespace {

// A field being edited, with the keys a person presses.
class TextEditing : public TextFields {
protected:
    void SetUp() override {
        TextFields::SetUp();
        UIPasteboard::generalPasteboard().setString(std::nullopt);
        screen.tap({100, 315});
        ASSERT_TRUE(field->isEditing());
    }
    void press(UIKey key, int times = 1) {
        for (int i = 0; i < times; ++i) screen.pressKey(key);
    }
    void shift(UIKey key, int times = 1) {
        for (int i = 0; i < times; ++i) screen.pressKey(key, UIKeyModifierShift);
    }
};

}  // namespace

TEST_F(TextEditing, TheCaretMovesByWholeCharactersAndTypingGoesWhereItIs) {
    screen.typeText("caf\xC3\xA9");  // é is two bytes
    press(UIKey::Left);
    screen.typeText("-");
    EXPECT_EQ(field->text(), "caf-\xC3\xA9");
    press(UIKey::Home);
    press(UIKey::Left);  // stays at the start
    screen.typeText("<");
    press(UIKey::End);
    press(UIKey::Right);  // stays at the end
    screen.typeText(">");
    EXPECT_EQ(field->text(), "<caf-\xC3\xA9>");
    press(UIKey::Left, 2);
    press(UIKey::Backspace);
    press(UIKey::Delete);
    EXPECT_EQ(field->text(), "<caf>");
    press(UIKey::Home);
    press(UIKey::Backspace);
    press(UIKey::End);
    press(UIKey::Delete);
    EXPECT_EQ(field->text(), "<caf>") << "nothing before the start or after the end to delete";
}

TEST_F(TextEditing, ShiftStretchesTheSelectionWhichTypingBackspaceAndDeleteReplace) {
    screen.typeText("Run Morning");
    press(UIKey::Home);
    shift(UIKey::Right, 4);
    EXPECT_EQ(field->selectedText(), "Run ");
    shift(UIKey::Left);
    EXPECT_EQ(field->selectedText(), "Run") << "the anchor stays where the selection began";
    press(UIKey::Delete);
    EXPECT_EQ(field->text(), " Morning");
    shift(UIKey::End);
    screen.typeText(" Day");
    EXPECT_EQ(field->text(), " Day");
    shift(UIKey::Home);
    press(UIKey::Right);
    EXPECT_EQ(field->selectedText(), "") << "an arrow without Shift collapses the selection to its side";
    EXPECT_EQ(field->caretOffset(), 4u);
    shift(UIKey::Left, 3);
    press(UIKey::Backspace);
    EXPECT_EQ(field->text(), " ");
    press(UIKey::SelectAll);
    press(UIKey::Backspace);
    EXPECT_EQ(field->text(), "");
}

TEST_F(TextEditing, CopyCutAndPasteGoThroughThePasteboardAndThePadStillFilters) {
    screen.typeText("Night");
    press(UIKey::Copy);
    EXPECT_EQ(UIPasteboard::generalPasteboard().string(), std::nullopt) << "nothing selected, nothing copied";
    press(UIKey::SelectAll);
    press(UIKey::Cut);
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(UIPasteboard::generalPasteboard().string(), "Night");
    screen.typeText("Day");
    press(UIKey::Home);
    press(UIKey::Paste);
    EXPECT_EQ(field->text(), "NightDay");
    shift(UIKey::End);
    press(UIKey::Copy);
    EXPECT_EQ(UIPasteboard::generalPasteboard().string(), "Day");

    UIPasteboard::generalPasteboard().setString("1a2\n3");
    field->setText("");
    field->setKeyboardType(UIKeyboardType::NumberPad);
    press(UIKey::Paste);
    EXPECT_EQ(field->text(), "123");

    field->setSecureTextEntry(true);
    press(UIKey::SelectAll);
    press(UIKey::Copy);
    press(UIKey::Cut);
    EXPECT_EQ(UIPasteboard::generalPasteboard().string(), "1a2\n3") << "a password never leaves the field";
    EXPECT_EQ(field->text(), "123");
}

TEST_F(TextEditing, AMouseDragSelectsFromWhereItStartsAndARefusedChangeKeepsTheCaret) {
    screen.typeText("Run Morning");
    const double y = 315;
    // A press places the caret; a drag from the end to the left selects what it passes.
    const CGRect mStart = field->convertRectToView(
        [&] {
            field->setSelectedRange(4, 4);
            return field->caretRect();
        }(),
        nullptr);
    screen.drag({210, y}, {CGRectGetMidX(mStart) + 1, y});
    EXPECT_EQ(field->selectedText(), "Morning");
    screen.typeText("Day");
    EXPECT_EQ(field->text(), "Run Day");
    screen.tap({CGRectGetMidX(mStart) + 1, y});
    EXPECT_EQ(field->caretOffset(), 4u);
    EXPECT_EQ(field->selectedText(), "");

    struct Refuse : UITextFieldDelegate {
        std::optional<bool> textFieldShouldChangeCharactersInRange(UITextField&, size_t, size_t, const std::string&) override {
            return false;
        }
    };
    auto refuse = std::make_shared<Refuse>();
    field->setDelegate(refuse);
    shift(UIKey::End);
    screen.typeText("x");
    press(UIKey::Backspace);
    EXPECT_EQ(field->text(), "Run Day");
    EXPECT_EQ(field->selectedText(), "Day");
}

TEST_F(TextEditing, TheSelectionIsDrawnAndTheCaretOnlyWithoutOne) {
    field->setTintColor(colors::redColor);
    screen.typeText("WWWW");
    const CGRect box = field->convertRectToView(field->bounds(), nullptr);
    auto caretPixel = [&](const UIImage& image) {
        const CGRect caret = field->convertRectToView(field->caretRect(), nullptr);
        return pixelAt(image, int(CGRectGetMidX(caret)), int(CGRectGetMidY(caret)));
    };
    // The band behind selected text: a quarter of the tint over white.
    auto bandPixels = [&](const UIImage& image) {
        int count = 0;
        for (int y = int(box.origin.y); y < int(CGRectGetMaxY(box)); ++y)
            for (int x = int(box.origin.x); x < int(CGRectGetMaxX(box)); ++x) {
                const RGBA p = pixelAt(image, x, y);
                if (p[0] > 245 && std::abs(p[1] - 191) < 12 && std::abs(p[2] - 191) < 12) ++count;
            }
        return count;
    };
    auto caret = screen.render(1);
    EXPECT_RGBA_NEAR(caretPixel(*caret), 255, 0, 0, 255, 10);
    EXPECT_EQ(bandPixels(*caret), 0);
    press(UIKey::SelectAll);
    auto selected = screen.render(1);
    EXPECT_GT(bandPixels(*selected), 100);
    EXPECT_GT(caretPixel(*selected)[1], 100) << "no caret while a selection shows";
}
