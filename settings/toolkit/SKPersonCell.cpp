#include "settings/toolkit/SKPersonCell.h"

#include "platform/preferences/NSBundle.h"
#include "platform/uikit/drawing/UIFont.h"
#include "platform/uikit/views/UIDevice.h"
#include "settings/toolkit/SKLocalization.h"

using uikit::CGRectMake;

runtime::Class* SKPersonCell::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<SKPersonCell>("SKPersonCell", preferences::PSTableCell::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (SKPersonCell::staticClass(), true);
}

SKPersonCell::SKPersonCell() : PSTableCell(uikit::UITableViewCellStyle::Default), initialFrame_(frame()) {}

void SKPersonCell::setSpecifier(preferences::PSSpecifierPtr specifier) {
    PSTableCell::setSpecifier(std::move(specifier));
    initPersonViews();
}

void SKPersonCell::initPersonViews() {
    (void)kRegistered;
    if (background_) return;
    // In the content view, which starts at the cell's origin, so that a tap on
    // the name still reaches the row.
    background_ = std::make_shared<uikit::UIImageView>(kPictureFrame);
    updateImage();
    contentView()->addSubview(background_);

    const auto [x, y] = initialFrame_.origin;
    const auto [w, h] = initialFrame_.size;
    const bool tablet = uikit::UIDevice::currentDevice().userInterfaceIdiom() == uikit::UIUserInterfaceIdiom::Pad;
    label_ = std::make_shared<uikit::UILabel>(CGRectMake(x + 84, y + 18, w, h));
    label_->setText(localizedString(name()));
    label_->setBackgroundColor(uikit::colors::clearColor);
    label_->setFont(tablet ? uikit::UIFont::fontWithName("Helvetica Light", 30) : uikit::UIFont::fontWithName("HelveticaNeue", 21));
    contentView()->addSubview(label_);

    label2_ = std::make_shared<uikit::UILabel>(CGRectMake(x + 84, y + 42, w, h));
    label2_->setText(localizedString(personDescription()));
    label2_->setBackgroundColor(uikit::colors::clearColor);
    label2_->setFont(uikit::UIFont::fontWithName("Helvetica", 13));
    const double grey = double(float(115 / 255.0));
    label2_->setTextColor(uikit::colorWithRed(grey, grey, grey, 1));
    contentView()->addSubview(label2_);
}

void SKPersonCell::updateImage() {
    if (!background_) return;
    const std::string named = imageName();
    auto bundle = named.empty() ? nullptr : preferences::NSBundle::bundleForClass(objcClass()->name());
    background_->setImage(bundle ? bundle->imageNamed(named) : nullptr);
}

std::string SKPersonCell::localizedString(const std::string& key) const {
    // The class's own bundle: a cell is often asked before it has a superview,
    // and the table it lands in has no bundle to ask anyway.
    return SKLocalizedString(preferences::NSBundle::bundleForClass(objcClass()->name()), key);
}
