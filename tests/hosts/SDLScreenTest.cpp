#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/uikit/controls/UIButton.h"
#include "platform/uikit/controls/UITextField.h"
#include "platform/uikit/navigation/UINavigationController.h"
#include "platform/uikit/screens/SDLScreen.h"
#include "platform/uikit/screens/WindowFit.h"
#include "platform/uikit/services/UIPasteboard.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "settings/pages/QVAXSettingsMainController.h"
#include "platform/uikit/views/UIClock.h"
#include "tests/hosts/SettingsHostTestPane.h"
#include "tests/support/TempPreferences.h"
#include "tests/uikit/UIKitTestSupport.h"

using namespace uikit;

namespace {

// The desktop window under SDL's off-screen driver: no X server needed.
class SDLWindow : public uikit::test::UIKitTest {
protected:
    UIWindowPtr window = uikit::test::makeWindow({375, 667});
    std::shared_ptr<hosttest::HostTestPage> page = std::make_shared<hosttest::HostTestPage>();
    UINavigationControllerPtr nav = UINavigationController::withRootViewController(page);
    std::unique_ptr<SDLScreen> screen;

    void SetUp() override {
        UIKitTest::SetUp();
        ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
        window->setRootViewController(nav);
        std::string error;
        screen = SDLScreen::open(window, "Settings", 2, error);
        ASSERT_TRUE(screen) << error;
    }
    void TearDown() override {
        screen.reset();
        UIKitTest::TearDown();
    }
    // Turns for `seconds` of real time, or until `done`.
    template <class Done>
    bool turnFor(double seconds, Done done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < end) {
            if (!screen->turn()) return false;
            if (done()) return true;
        }
        return done();
    }
    void push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
    void click(CGPoint windowPoint) {
        const CGPoint at = screen->sdlPointFromWindowPoint(windowPoint);
        SDL_Event e{};
        e.button.windowID = screen->sdlWindowID();
        e.button.button = SDL_BUTTON_LEFT;
        e.button.x = int(at.x);
        e.button.y = int(at.y);
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.state = SDL_PRESSED;
        push(e);
        e.type = SDL_MOUSEBUTTONUP;
        e.button.state = SDL_RELEASED;
        push(e);
    }
    void text(const char* utf8) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        e.text.windowID = screen->sdlWindowID();
        std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
        push(e);
    }
    void key(SDL_Keycode sym, Uint16 mod = KMOD_NONE) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.windowID = screen->sdlWindowID();
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
        push(e);
    }
};

TEST_F(SDLWindow, AClickTogglesTheSwitchAndTheWindowRestsWhenNothingChanges) {
    ASSERT_TRUE(turnFor(1, [&] { return screen->framesDrawn() > 0; }));
    const CGRect toggle = page->toggle->convertRectToView(page->toggle->bounds(), nullptr);
    click({CGRectGetMidX(toggle), CGRectGetMidY(toggle)});
    EXPECT_TRUE(turnFor(2, [&] { return page->toggle->isOn(); }));

    // Once the switch's slide is over, idle turns draw nothing.
    turnFor(0.6, [] { return false; });
    const long frames = screen->framesDrawn();
    turnFor(0.2, [] { return false; });
    EXPECT_EQ(screen->framesDrawn(), frames);
}

TEST_F(SDLWindow, KeysGoBackAndTurnThePhoneAndTheClipboardIsTheDesktops) {
    nav->pushViewController(std::make_shared<hosttest::HostTestDetail>(), false);
    key(SDLK_ESCAPE);
    EXPECT_TRUE(turnFor(1, [&] { return nav->viewControllers().size() == 1; }));

    const CGSize before = window->bounds().size;
    key(SDLK_r, KMOD_LCTRL);
    EXPECT_TRUE(turnFor(1, [&] { return window->bounds().size == CGSize{before.height, before.width}; }))
        << before.width << "x" << before.height << " -> " << window->bounds().size.width << "x"
        << window->bounds().size.height;
    EXPECT_EQ(page->rotatedFrom, std::vector<UIInterfaceOrientation>{UIInterfaceOrientation::Portrait});
    int width = 0, height = 0;
    SDL_GetWindowSize(SDL_GetWindowFromID(screen->sdlWindowID()), &width, &height);
    EXPECT_GT(width, height);

    UIPasteboard::generalPasteboard().setString("#8F00FF");
    char* text = SDL_GetClipboardText();
    EXPECT_STREQ(text, "#8F00FF");
    SDL_free(text);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    EXPECT_FALSE(turnFor(1, [] { return false; }));
}

TEST_F(SDLWindow, InputMethodTextAndTheDesktopClipboardReachTheFieldBeingEdited) {
    auto field = std::make_shared<UITextField>(CGRectMake(20, 400, 300, 31));
    window->addSubview(field);
    ASSERT_TRUE(field->becomeFirstResponder());
    text("\xE6\x97\xA5\xE6\x9C\xAC");  // what an input method commits
    ASSERT_TRUE(turnFor(1, [&] { return field->text() == "\xE6\x97\xA5\xE6\x9C\xAC"; })) << field->text();

    key(SDLK_LEFT, KMOD_LSHIFT);
    key(SDLK_c, KMOD_LCTRL);
    ASSERT_TRUE(turnFor(1, [&] { return SDL_HasClipboardText(); }));
    char* copied = SDL_GetClipboardText();
    EXPECT_STREQ(copied, "\xE6\x9C\xAC") << "the one character Shift+Left selected";
    SDL_free(copied);

    SDL_SetClipboardText("#8F00FF");
    key(SDLK_HOME);
    key(SDLK_v, KMOD_RCTRL);
    EXPECT_TRUE(turnFor(1, [&] { return field->text() == "#8F00FF\xE6\x97\xA5\xE6\x9C\xAC"; })) << field->text();
    key(SDLK_a, KMOD_LCTRL);
    key(SDLK_x, KMOD_LCTRL);
    EXPECT_TRUE(turnFor(1, [&] { return field->text().empty(); })) << field->text();
    copied = SDL_GetClipboardText();
    EXPECT_STREQ(copied, "#8F00FF\xE6\x97\xA5\xE6\x9C\xAC");
    SDL_free(copied);
}

TEST_F(SDLWindow, ASpaceThatPressesAButtonIsNotTypedAndCtrlQCloses) {
    // The button opens a field for typing, as the picker's "#" opens the hex alert.
    auto field = std::make_shared<UITextField>(CGRectMake(20, 400, 300, 31));
    auto button = std::make_shared<UIButton>(CGRectMake(20, 450, 100, 40));
    button->addTarget([&](UIControl&) { field->becomeFirstResponder(); }, UIControlEventTouchUpInside);
    window->addSubview(field);
    window->addSubview(button);
    key(SDLK_TAB, KMOD_LSHIFT);
    key(SDLK_SPACE);
    text(" ");
    ASSERT_TRUE(turnFor(1, [&] { return field->isEditing(); }));
    text(" ");  // now a space typed into the field
    EXPECT_TRUE(turnFor(1, [&] { return field->text() == " "; })) << "\"" << field->text() << "\"";

    key(SDLK_q, KMOD_RCTRL);
    EXPECT_FALSE(turnFor(1, [] { return false; }));
}

TEST_F(SDLWindow, AClickOnTheMainPagesSwitchTurnsAmporaOn) {
    TempPreferences prefs;
    auto main = std::make_shared<QVAXSettingsMainController>();
    window->setRootViewController(UINavigationController::withRootViewController(main));
    ASSERT_TRUE(turnFor(1, [&] { return main->table() && main->table()->numberOfSections() > 0; }));
    auto row = main->indexPathForSpecifier(main->specifierForID("ENABLED"));
    ASSERT_TRUE(row);
    auto cell = std::dynamic_pointer_cast<preferences::PSSwitchTableCell>(main->table()->cellForRowAtIndexPath(*row));
    ASSERT_TRUE(cell);
    UISwitch& toggle = *cell->switchControl();
    const CGRect at = toggle.convertRectToView(toggle.bounds(), nullptr);
    click({CGRectGetMidX(at), CGRectGetMidY(at)});
    auto enabled = [] {
        auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
        return settings && settings->count("enabled") && settings->at("enabled") == foundation::PlistValue(true);
    };
    EXPECT_TRUE(turnFor(2, enabled));
    window->setRootViewController(nav);
}

}  // namespace

namespace {

TEST(SDLWindowClock, WhatWaitedOnTheVirtualClockStillRunsOnceTheWindowTakesIt) {
    ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
    UIClock::shared().setVirtual(true);
    auto window = uikit::test::makeWindow({100, 100});
    bool ran = false;
    UIClock::shared().schedule(0.05, [&] { ran = true; });
    std::string error;
    auto screen = SDLScreen::open(window, "Settings", 1, error);
    ASSERT_TRUE(screen) << error;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!ran && std::chrono::steady_clock::now() < end) screen->turn();
    EXPECT_TRUE(ran);
}

}  // namespace

TEST_F(SDLWindow, AResizedWindowIsTheNewScreenInPointsAndItsShapeTheOrientation) {
    SDL_Window* sdlWindow = SDL_GetWindowFromID(screen->sdlWindowID());
    SDL_SetWindowSize(sdlWindow, 900, 740);
    const CGSize wide{900 / screen->scale(), 740 / screen->scale()};
    ASSERT_TRUE(turnFor(1, [&] { return window->bounds().size == wide; }));
    EXPECT_TRUE(UIScreen::mainScreen().isLandscape());
    EXPECT_EQ(UIScreen::mainScreen().bounds().size, wide);
    EXPECT_EQ(page->view()->bounds().size.width, wide.width);
    EXPECT_EQ(page->rotatedFrom, std::vector<UIInterfaceOrientation>{UIInterfaceOrientation::Portrait});

    key(SDLK_w, KMOD_LCTRL);
    EXPECT_FALSE(turnFor(1, [] { return false; }));
}

TEST(WindowFitting, TheFrameStaysInsideTheUsableArea) {
    const PixelRect laptop{0, 0, 1366, 768};
    const FrameExtents frame{5, 5, 29, 5};
    // The phone fits at scale 1 and is centred with its frame.
    WindowFit fit = fitWindow({375, 667}, 1, laptop, frame);
    EXPECT_EQ(fit.width, 375);
    EXPECT_EQ(fit.height, 667);
    EXPECT_GE(fit.y - frame.top, 0);
    EXPECT_LE(fit.y + fit.height + frame.bottom, 768);
    // At scale 2 it would not: the proportions stay and the frame still fits.
    fit = fitWindow({375, 667}, 2, laptop, frame);
    EXPECT_LE(fit.height + frame.top + frame.bottom, 768);
    EXPECT_NEAR(double(fit.width) / fit.height, 375.0 / 667, 0.01);
    EXPECT_GE(fit.height / fit.scale, 480);
    EXPECT_GE(fit.y - frame.top, 0);
    // Turning never makes the window larger than the screen.
    const CGSize turned = turnedWindowSize({1100, 700}, laptop, frame);
    EXPECT_EQ(turned.width, 700);
    EXPECT_EQ(turned.height, 768 - 34);
    EXPECT_EQ(smallestWindowSize(1, laptop, frame), (CGSize{320, 480}));
    EXPECT_EQ(smallestWindowSize(2, laptop, frame).height, 768 - 34);
    EXPECT_EQ(smallestWindowSize(1, laptop, frame, true), (CGSize{480, 320}));
}

TEST(WindowFitting, TheDesktopScaleComesFromGdkScaleElseTheDisplay) {
    EXPECT_EQ(desktopScale("2", 96), 2);
    EXPECT_EQ(desktopScale(nullptr, 96), 1);
    EXPECT_EQ(desktopScale(nullptr, 192), 2);
    EXPECT_EQ(desktopScale("", 0), 1);
    EXPECT_EQ(desktopScale("junk", 72), 1);
    EXPECT_EQ(desktopScale("9", 0), 4);
}
