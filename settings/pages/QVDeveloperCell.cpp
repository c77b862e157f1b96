#include "settings/pages/QVDeveloperCell.h"

#include "platform/preferences/NSBundle.h"

runtime::Class* QVDeveloperCell::staticClass() {
    static runtime::Class* cls = &runtime::defineClass<QVDeveloperCell>("QVDeveloperCell", SKPersonCell::staticClass());
    return cls;
}

namespace {
const bool kRegistered = (QVDeveloperCell::staticClass(), true);
}

void QVDeveloperCell::didMoveToSuperview() {
    (void)kRegistered;
    SKPersonCell::didMoveToSuperview();
    if (!badge_) {
        auto bundle = preferences::NSBundle::bundleForClass(objcClass()->name());
        badge_ = std::make_shared<uikit::UIImageView>(bundle ? bundle->imageNamed("Twitter.png") : nullptr);
    }
    setAccessoryView(badge_);
}
