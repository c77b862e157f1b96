// What ends up in the pixels when layers and views are stacked, clipped,
// bordered and faded.
#include "tests/uikit/UIKitTestSupport.h"

#include <cmath>

#include "platform/uikit/layers/CAGradientLayer.h"

using namespace uikit;
using namespace uikit::test;

namespace {

class LayerCompositing : public UIKitTest {};

UIViewPtr colored(const CGRect& frame, const UIColor& color) {
    auto v = std::make_shared<UIView>(frame);
    v->setBackgroundColor(color);
    return v;
}

}  // namespace

TEST_F(LayerCompositing, RoundedClipClipsSubviewsToTheRoundedShape) {
    auto window = makeWindow({100, 100}, std::nullopt);
    auto box = colored(CGRectMake(10, 10, 80, 80), colors::whiteColor);
    box->layer()->setCornerRadius(20);
    box->setClipsToBounds(true);
    box->addSubview(colored(CGRectMake(0, 0, 80, 80), colors::redColor));
    window->addSubview(box);
    auto image = renderWindow(window);
    EXPECT_EQ(pixelAt(*image, 11, 11)[3], 0) << "the corner lies outside the rounded clip";
    EXPECT_RGBA_NEAR(pixelAt(*image, 50, 50), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 50, 11), 255, 0, 0, 255, 0);

    box->setClipsToBounds(false);
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window), 11, 11), 255, 0, 0, 255, 0);
}

TEST_F(LayerCompositing, SublayersInsertedAtLowIndexesLieUnderLaterOnes) {
    auto window = makeWindow({30, 10});
    auto host = std::make_shared<UIView>(CGRectMake(0, 0, 30, 10));
    window->addSubview(host);
    auto top = CALayer::layer();
    top->setFrame(CGRectMake(0, 0, 30, 10));
    top->setBackgroundColor(colors::blueColor);
    host->layer()->addSublayer(top);
    auto first = CALayer::layer();
    first->setFrame(CGRectMake(0, 0, 20, 10));
    first->setBackgroundColor(colors::redColor);
    auto second = CALayer::layer();
    second->setFrame(CGRectMake(10, 0, 20, 10));
    second->setBackgroundColor(colors::greenColor);
    host->layer()->insertSublayerAtIndex(first, 0);
    host->layer()->insertSublayerAtIndex(second, 1);
    ASSERT_EQ(host->layer()->sublayers().size(), 3u);
    EXPECT_EQ(host->layer()->sublayers()[2], top);
    auto image = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*image, 5, 5), 0, 0, 255, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 15, 5), 0, 0, 255, 255, 0);

    top->removeFromSuperlayer();
    image = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*image, 5, 5), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 15, 5), 0, 255, 0, 255, 0);
}

TEST_F(LayerCompositing, SubviewLayersInterleaveWithSublayersInIndexOrder) {
    auto window = makeWindow({10, 10});
    auto host = std::make_shared<UIView>(CGRectMake(0, 0, 10, 10));
    window->addSubview(host);
    auto under = colored(CGRectMake(0, 0, 10, 10), colors::redColor);
    host->addSubview(under);
    auto layer = CALayer::layer();
    layer->setFrame(CGRectMake(0, 0, 10, 10));
    layer->setBackgroundColor(colors::greenColor);
    host->layer()->addSublayer(layer);
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window), 5, 5), 0, 255, 0, 255, 0);
    host->bringSubviewToFront(under.get());
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window), 5, 5), 255, 0, 0, 255, 0);
    host->sendSubviewToBack(under.get());
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window), 5, 5), 0, 255, 0, 255, 0);
}

TEST_F(LayerCompositing, BorderIsDrawnInsideTheBoundsOverContentAndSubviews) {
    auto window = makeWindow({40, 40}, std::nullopt);
    auto box = colored(CGRectMake(10, 10, 20, 20), colors::whiteColor);
    box->layer()->setBorderWidth(2);
    box->layer()->setBorderColor(colors::blackColor);
    box->addSubview(colored(CGRectMake(0, 0, 20, 20), colors::redColor));
    window->addSubview(box);
    auto image = renderWindow(window, 2);
    EXPECT_EQ(pixelAt(*image, 19, 30)[3], 0) << "nothing outside the bounds";
    EXPECT_RGBA_NEAR(pixelAt(*image, 20, 30), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 23, 30), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 24, 30), 255, 0, 0, 255, 0);
}

TEST_F(LayerCompositing, HalfPixelBorderCoversItsShareOfTheEdgePixel) {
    auto window = makeWindow({20, 20}, std::nullopt);
    auto box = colored(CGRectMake(0, 0, 20, 20), colors::whiteColor);
    box->layer()->setBorderWidth(1.5 / 2);  // 1.5 pixels at scale 2
    window->addSubview(box);
    auto image = renderWindow(window, 2);
    EXPECT_RGBA_NEAR(pixelAt(*image, 0, 20), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 1, 20), 128, 128, 128, 255, 2);
    EXPECT_RGBA_NEAR(pixelAt(*image, 2, 20), 255, 255, 255, 255, 0);
}

TEST_F(LayerCompositing, OpacityFadesTheSubtreeAsOneImage) {
    auto window = makeWindow({30, 10});
    auto group = std::make_shared<UIView>(CGRectMake(0, 0, 30, 10));
    group->addSubview(colored(CGRectMake(0, 0, 20, 10), colors::blackColor));
    group->addSubview(colored(CGRectMake(10, 0, 20, 10), colors::blackColor));
    group->setAlpha(0.5);
    window->addSubview(group);
    auto image = renderWindow(window);
    // Where the two children overlap the result is no darker: the group is faded, not each child.
    EXPECT_RGBA_NEAR(pixelAt(*image, 5, 5), 128, 128, 128, 255, 1);
    EXPECT_RGBA_NEAR(pixelAt(*image, 15, 5), 128, 128, 128, 255, 1);
    group->setHidden(true);
    EXPECT_RGBA_NEAR(pixelAt(*renderWindow(window), 15, 5), 255, 255, 255, 255, 0);
}

TEST_F(LayerCompositing, TransformTurnsAboutTheCentre) {
    auto window = makeWindow({40, 40});
    auto bar = colored(CGRectMake(10, 18, 20, 4), colors::blackColor);
    bar->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    window->addSubview(bar);
    auto image = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*image, 20, 12), 0, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 12, 20), 255, 255, 255, 255, 0);
    EXPECT_EQ(bar->center(), CGPointMake(20, 20));
}

TEST_F(LayerCompositing, GradientRunsFromStartToEndPoint) {
    auto window = makeWindow({100, 10});
    auto host = std::make_shared<UIView>(CGRectMake(0, 0, 100, 10));
    window->addSubview(host);
    auto gradient = CAGradientLayer::layer();
    gradient->setFrame(host->bounds());
    gradient->setColors({colors::blackColor, colors::whiteColor});
    gradient->setStartPoint({0, 0.5});
    gradient->setEndPoint({1, 0.5});
    host->layer()->addSublayer(gradient);
    auto image = renderWindow(window);
    EXPECT_LT(pixelAt(*image, 2, 5)[0], 20);
    EXPECT_NEAR(pixelAt(*image, 50, 5)[0], 128, 4);
    EXPECT_GT(pixelAt(*image, 97, 5)[0], 235);
}

TEST_F(LayerCompositing, ContentsImageFollowsTheGravity) {
    UIGraphicsBeginImageContextWithOptions({4, 4}, false, 1);
    UIRectFill(CGRectMake(0, 0, 4, 4), colors::redColor);
    auto red = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    auto window = makeWindow({20, 20});
    auto host = std::make_shared<UIView>(CGRectMake(0, 0, 20, 20));
    host->layer()->setContents(red);
    host->layer()->setContentsGravity(CAContentsGravity::Center);
    window->addSubview(host);
    auto image = renderWindow(window);
    EXPECT_RGBA_NEAR(pixelAt(*image, 10, 10), 255, 0, 0, 255, 0);
    EXPECT_RGBA_NEAR(pixelAt(*image, 2, 2), 255, 255, 255, 255, 0);
}
