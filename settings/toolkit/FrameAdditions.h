#pragma once
// UIView(SMFrameAdditions): read or change one edge, coordinate or dimension
// of a view's frame. The plain edges (left, top, right, bottom) move one edge
// and keep the opposite one, resizing the view; the M edges (leftM, ...) move
// the whole view so that edge lands on the value, keeping its size.

#include "platform/uikit/views/UIView.h"

namespace SMFrameAdditions {

using uikit::CGPoint;
using uikit::CGSize;
using uikit::UIView;

CGPoint origin(const UIView& view);
void setOrigin(UIView& view, CGPoint v);
double x(const UIView& view);
void setX(UIView& view, double v);
double y(const UIView& view);
void setY(UIView& view, double v);
CGSize size(const UIView& view);
void setSize(UIView& view, CGSize v);
double width(const UIView& view);
void setWidth(UIView& view, double v);
double height(const UIView& view);
void setHeight(UIView& view, double v);

double left(const UIView& view);
void setLeft(UIView& view, double v);
double top(const UIView& view);
void setTop(UIView& view, double v);
double right(const UIView& view);
void setRight(UIView& view, double v);
double bottom(const UIView& view);
void setBottom(UIView& view, double v);

double leftM(const UIView& view);
void setLeftM(UIView& view, double v);
double topM(const UIView& view);
void setTopM(UIView& view, double v);
double rightM(const UIView& view);
void setRightM(UIView& view, double v);
double bottomM(const UIView& view);
void setBottomM(UIView& view, double v);

double centerX(const UIView& view);
void setCenterX(UIView& view, double v);
double centerY(const UIView& view);
void setCenterY(UIView& view, double v);

}  // namespace SMFrameAdditions
