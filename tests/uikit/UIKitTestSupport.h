#pragma once
// Pixels of rendered windows and views, and a clean UI state per test.

#include <gtest/gtest.h>

#include <array>

#include "platform/uikit/screens/OffscreenScreen.h"

namespace uikit::test {

using RGBA = std::array<int, 4>;  // not premultiplied, 0..255

RGBA pixelAt(const UIImage& image, int x, int y);
// A window of `size` points with a white background, shown as the key window.
UIWindowPtr makeWindow(CGSize size, std::optional<UIColor> background = colors::whiteColor);
// Renders `window` at `scale`.
UIImagePtr renderWindow(const UIWindowPtr& window, double scale = 1);

// Resets the clock, screen and device traits and drains queued layout passes.
class UIKitTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace uikit::test

#define EXPECT_RGBA_NEAR(actual, r, g, b, a, tolerance)               \
    do {                                                              \
        const auto px_ = (actual);                                    \
        EXPECT_NEAR(px_[0], r, tolerance) << "red";                   \
        EXPECT_NEAR(px_[1], g, tolerance) << "green";                 \
        EXPECT_NEAR(px_[2], b, tolerance) << "blue";                  \
        EXPECT_NEAR(px_[3], a, tolerance) << "alpha";                 \
    } while (0)
