// The view tree, geometry, tint, drawing text and images, and image contexts.
#include "tests/uikit/UIKitTestSupport.h"

#include <cmath>
#include <limits>
#include <thread>

#include "platform/uikit/drawing/UIBezierPath.h"
#include "platform/uikit/drawing/UIImageDrawing.h"
#include "platform/uikit/views/UIImageView.h"
#include "platform/uikit/views/UILabel.h"
#include "platform/uikit/views/UIScreen.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class Views : public UIKitTest {};

struct MoveRecorder : UIView {
    using UIView::UIView;
    std::vector<bool> moves;  // true: has a superview after the move
    int tintChanges = 0;
    void didMoveToSuperview() override { moves.push_back(superview() != nullptr); }
    void tintColorDidChange() override { ++tintChanges; }
};

UIImagePtr solidImage(CGSize size, const UIColor& color, double scale = 1) {
    UIGraphicsBeginImageContextWithOptions(size, false, scale);
    UIRectFill(CGRectMake(0, 0, size.width, size.height), color);
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

}  // namespace

TEST_F(Views, FramesThatAreNoNumbersAreRefused) {
    UIView view(CGRectMake(1, 2, 3, 4));
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    view.setFrame(CGRectMake(nan, 0, 10, 10));
    view.setFrame(CGRectMake(0, 0, inf, 10));
    view.setBounds(CGRectMake(0, 0, 10, nan));
    view.setCenter({inf, 0});
    view.setTransform(CGAffineTransformMakeScale(nan, 1));
    EXPECT_EQ(view.frame(), CGRectMake(1, 2, 3, 4));
    EXPECT_TRUE(CGAffineTransformIsIdentity(view.transform()));
}

TEST_F(Views, FrameBoundsAndCenterStayConsistent) {
    UIView view(CGRectMake(10, 20, 100, 50));
    EXPECT_EQ(view.center(), CGPointMake(60, 45));
    EXPECT_EQ(view.bounds(), CGRectMake(0, 0, 100, 50));
    view.setCenter({0, 0});
    EXPECT_EQ(view.frame(), CGRectMake(-50, -25, 100, 50));
    view.setBounds(CGRectMake(0, 0, 10, 10));
    EXPECT_EQ(view.frame(), CGRectMake(-5, -5, 10, 10));
    view.setTransform(CGAffineTransformMakeScale(2, 2));
    EXPECT_EQ(view.frame(), CGRectMake(-10, -10, 20, 20));
    EXPECT_EQ(view.bounds().size, CGSizeMake(10, 10));
}

TEST_F(Views, MovingInAndOutOfASuperviewIsAnnounced) {
    auto parent = std::make_shared<UIView>();
    auto child = std::make_shared<MoveRecorder>();
    parent->addSubview(child);
    parent->addSubview(child);  // already there: no second announcement
    child->removeFromSuperview();
    EXPECT_EQ(child->moves, (std::vector<bool>{true, false}));
    EXPECT_EQ(child->superview(), nullptr);
    EXPECT_TRUE(parent->subviews().empty());
}

TEST_F(Views, SubviewsOrderAndTags) {
    auto parent = std::make_shared<UIView>();
    auto a = std::make_shared<UIView>(), b = std::make_shared<UIView>(), c = std::make_shared<UIView>();
    parent->addSubview(a);
    parent->addSubview(b);
    parent->insertSubviewAtIndex(c, 0);
    EXPECT_EQ(parent->subviews(), (std::vector<UIViewPtr>{c, a, b}));
    parent->bringSubviewToFront(c.get());
    parent->sendSubviewToBack(b.get());
    EXPECT_EQ(parent->subviews(), (std::vector<UIViewPtr>{b, a, c}));
    // The layers follow the views.
    EXPECT_EQ(parent->layer()->sublayers()[0], b->layer());
    EXPECT_EQ(parent->layer()->sublayers()[2], c->layer());
    auto grandchild = std::make_shared<UIView>();
    grandchild->setTag(7);
    a->addSubview(grandchild);
    EXPECT_EQ(parent->viewWithTag(7), grandchild.get());
    EXPECT_EQ(parent->viewWithTag(8), nullptr);
    // A view cannot become its own ancestor's subview.
    grandchild->addSubview(parent);
    EXPECT_TRUE(grandchild->subviews().empty());
}

TEST_F(Views, AutoresizingSharesTheChangeAmongFlexibleParts) {
    auto parent = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    auto stretchy = std::make_shared<UIView>(CGRectMake(10, 10, 80, 20));
    stretchy->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    auto pinnedRight = std::make_shared<UIView>(CGRectMake(80, 10, 10, 10));
    pinnedRight->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleBottomMargin);
    parent->addSubview(stretchy);
    parent->addSubview(pinnedRight);
    parent->setFrame(CGRectMake(0, 0, 200, 150));
    EXPECT_EQ(stretchy->frame(), CGRectMake(10, 10, 180, 20));
    EXPECT_EQ(pinnedRight->frame(), CGRectMake(180, 10, 10, 10));
}

TEST_F(Views, TintComesFromTheNearestAncestorThatSetsOne) {
    auto window = makeWindow({10, 10});
    auto middle = std::make_shared<UIView>();
    auto leaf = std::make_shared<MoveRecorder>();
    middle->addSubview(leaf);
    window->addSubview(middle);
    EXPECT_EQ(leaf->tintColor(), colors::systemBlueColor);
    const int before = leaf->tintChanges;
    window->setTintColor(UIColor::rgb(143 / 255.0, 0, 1));
    EXPECT_EQ(leaf->tintColor(), UIColor::rgb(143 / 255.0, 0, 1));
    EXPECT_EQ(leaf->tintChanges, before + 1);
    middle->setTintColor(colors::redColor);
    EXPECT_EQ(leaf->tintColor(), colors::redColor);
    window->setTintColor(colors::greenColor);  // hidden below the middle's own tint
    EXPECT_EQ(leaf->tintColor(), colors::redColor);
    EXPECT_EQ(leaf->tintChanges, before + 2);
}

TEST_F(Views, TemplateImagesAreDrawnInTheTintColor) {
    auto window = makeWindow({20, 10});
    auto original = solidImage({10, 10}, colors::blackColor);
    auto plain = std::make_shared<UIImageView>(original);
    auto tinted = std::make_shared<UIImageView>(imageWithRenderingMode(original, UIImage::RenderingMode::AlwaysTemplate));
    tinted->setFrame(CGRectMake(10, 0, 10, 10));
    window->addSubview(plain);
    window->addSubview(tinted);
    window->setTintColor(colors::redColor);
    auto image = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*image, 5, 5), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 15, 5), 255, 0, 0, 255, 0);
}

TEST_F(Views, ImageViewContentModes) {
    auto image = solidImage({5, 10}, colors::blackColor, 2);  // 10 × 20 pixels
    UIImageView view(CGRectMake(0, 0, 40, 40));
    view.setImage(image);
    view.setContentMode(UIViewContentMode::Center);
    EXPECT_EQ(view.imageRect(), CGRectMake(17.5, 15, 5, 10));
    view.setContentMode(UIViewContentMode::ScaleAspectFill);
    EXPECT_EQ(view.imageRect(), CGRectMake(0, -20, 40, 80));
    view.setContentMode(UIViewContentMode::ScaleAspectFit);
    EXPECT_EQ(view.imageRect(), CGRectMake(10, 0, 20, 40));
    view.setContentMode(UIViewContentMode::ScaleToFill);
    EXPECT_EQ(view.imageRect(), CGRectMake(0, 0, 40, 40));
}

TEST_F(Views, LabelTextIsCentredVertically) {
    auto window = makeWindow({100, 60});
    auto label = std::make_shared<UILabel>(CGRectMake(0, 0, 100, 60));
    label->setText("Hg");
    label->setFont(UIFont::fontWithName("HelveticaNeue", 20));
    window->addSubview(label);
    auto image = renderWindow(window);
    int top = -1, bottom = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            if (pixelAt(*image, x, y)[0] < 128) {
                if (top < 0) top = y;
                bottom = y;
            }
    ASSERT_GE(top, 0) << "the text was drawn";
    EXPECT_NEAR((top + bottom) / 2.0, 30, 4);
    const CGSize fits = label->sizeThatFits({0, 0});
    EXPECT_GT(fits.width, 10);
    EXPECT_NEAR(fits.height, 23, 3);
}

TEST_F(Views, AttributedRunsKeepTheirOwnColor) {
    auto window = makeWindow({120, 40});
    auto label = std::make_shared<UILabel>(CGRectMake(0, 0, 120, 40));
    NSAttributedString text("\u2588\u2588", UIFont::boldSystemFontOfSize(30), colors::redColor);
    text.append(NSAttributedString("\u2588\u2588", nullptr, colors::blueColor));
    label->setAttributedText(text);
    window->addSubview(label);
    auto image = renderWindow(window);
    int red = 0, blue = 0;
    for (int x = 0; x < 120; ++x) {
        const auto p = pixelAt(*image, x, 20);
        red += p[0] > 200 && p[2] < 50;
        blue += p[2] > 200 && p[0] < 50;
    }
    EXPECT_GT(red, 10);
    EXPECT_GT(blue, 10);
}

TEST_F(Views, FontsResolveByPostScriptAndFamilyName) {
    auto light = UIFont::fontWithName("HelveticaNeue-Light", 17);
    EXPECT_EQ(light->familyName(), "Helvetica Neue");
    EXPECT_EQ(light->weight(), 300);
    auto spaced = UIFont::fontWithName("Helvetica Light", 12);
    EXPECT_EQ(spaced->familyName(), "Helvetica");
    EXPECT_EQ(spaced->weight(), 300);
    EXPECT_EQ(UIFont::fontWithName("Helvetica", 12)->weight(), 400);
    EXPECT_EQ(UIFont::systemFontOfSize(15)->pointSize(), 15);
    // The canvas's alias table: Helvetica names land on the Helvetica-metric face.
    PangoFont* loaded = pango_font_map_load_font(pango_context_get_font_map(UIFont::pangoContext()),
                                                 UIFont::pangoContext(), light->description());
    ASSERT_NE(loaded, nullptr);
    PangoFontDescription* actual = pango_font_describe(loaded);
    EXPECT_STREQ(pango_font_description_get_family(actual), "Liberation Sans");
    pango_font_description_free(actual);
    g_object_unref(loaded);
    EXPECT_GT(light->lineHeight(), 17);
    EXPECT_LT(light->descender(), 0);
}

TEST_F(Views, ImageContextsWorkOnAnotherThreadAtTheirOwnScale) {
    UIImagePtr made;
    std::thread worker([&] {
        UIGraphicsBeginImageContextWithOptions({10, 5}, true, 3);
        UIBezierPath::bezierPathWithOvalInRect(CGRectMake(0, 0, 10, 5))->fill(colors::whiteColor);
        made = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
    });
    worker.join();
    ASSERT_TRUE(made);
    EXPECT_EQ(made->pixelWidth(), 30);
    EXPECT_EQ(made->scale(), 3);
    EXPECT_RGBA_NEAR(pixelAt(*made, 0, 0), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*made, 15, 7), 255, 255, 255, 255, 0);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    EXPECT_EQ(UIGraphicsGetImageFromCurrentImageContext(), nullptr);
}

TEST_F(Views, RoundedRectPathRoundsOnlyTheChosenCorners) {
    auto path = UIBezierPath::bezierPathWithRoundedRect(CGRectMake(0, 0, 40, 40),
                                                       UIRectCornerTopLeft | UIRectCornerBottomRight, {10, 10});
    EXPECT_FALSE(path->containsPoint({1, 1}));
    EXPECT_TRUE(path->containsPoint({39, 1}));
    EXPECT_FALSE(path->containsPoint({39, 39}));
    EXPECT_TRUE(path->containsPoint({1, 39}));
}

TEST_F(Views, ScreenBoundsFollowOrientation) {
    auto& screen = UIScreen::mainScreen();
    EXPECT_EQ(screen.bounds(), CGRectMake(0, 0, 375, 667));
    EXPECT_EQ(screen.scale(), 2);
    screen.setOrientation(UIInterfaceOrientation::LandscapeLeft);
    EXPECT_EQ(screen.bounds(), CGRectMake(0, 0, 667, 375));
    EXPECT_EQ(UIWindow(CGRectZero).frame(), CGRectMake(0, 0, 667, 375));
}
