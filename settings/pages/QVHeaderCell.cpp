#include "settings/pages/QVHeaderCell.h"

#include "platform/preferences/NSBundle.h"

runtime::Class* QVHeaderCell::staticClass() {
    static runtime::Class* cls =
        &runtime::defineClass<QVHeaderCell>("QVHeaderCell", preferences::PSTableCell::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (QVHeaderCell::staticClass(), true);
// Weak: a cell that left its table must read as gone, not be kept alive here.
std::weak_ptr<QVHeaderCell> gLatestCell;
std::weak_ptr<uikit::UIImageView> gLatestImageView;
}  // namespace

std::shared_ptr<QVHeaderCell> QVHeaderCell::latestHeaderCell() { return gLatestCell.lock(); }
std::shared_ptr<uikit::UIImageView> QVHeaderCell::latestHeaderImageView() { return gLatestImageView.lock(); }

void QVHeaderCell::didMoveToSuperview() {
    (void)kRegistered;
    PSTableCell::didMoveToSuperview();
    if (!superview() || !specifier()) return;
    const std::string name = specifier()->stringPropertyForKey("amporaHeader");
    if (name.empty()) return;
    if (!imageView_) {
        auto bundle = preferences::NSBundle::bundleForClass(objcClass()->name());
        imageView_ = std::make_shared<uikit::UIImageView>(bundle ? bundle->imageNamed(name) : nullptr);
        imageView_->setFrame(bounds());
        imageView_->setContentMode(uikit::UIViewContentMode::ScaleAspectFill);
        contentView()->addSubview(imageView_);
    }
    setClipsToBounds(true);
    gLatestImageView = imageView_;
    gLatestCell = std::dynamic_pointer_cast<QVHeaderCell>(shared_from_this());
}

void QVHeaderCell::layoutSubviews() {
    PSTableCell::layoutSubviews();
    if (imageView_) imageView_->setFrame(bounds());
}
