#include "platform/runtime/NSObject.h"

#include <map>
#include <mutex>

#include "platform/foundation/Log.h"

namespace runtime {
namespace {

struct Factories {
    std::mutex lock;
    std::map<const Class*, Factory> byClass;
};

Factories& factories() {
    static auto* f = new Factories();
    return *f;
}

}  // namespace

Class* NSObject::staticClass() {
    static Class* cls = &registerClass("NSObject");
    return cls;
}

bool NSObject::respondsToSelector(const std::string& selector) const {
    return objcClass()->instancesRespondToSelector(selector);
}

bool NSObject::isKindOfClass(const Class* cls) const { return cls && objcClass()->isSubclassOfClass(cls); }

void setFactory(Class& cls, Factory factory) {
    Factories& f = factories();
    std::lock_guard guard(f.lock);
    f.byClass[&cls] = std::move(factory);
}

std::shared_ptr<NSObject> makeInstance(const Class* cls) {
    Factory factory;
    {
        Factories& f = factories();
        std::lock_guard guard(f.lock);
        if (auto it = f.byClass.find(cls); it != f.byClass.end()) factory = it->second;
    }
    return factory ? factory() : nullptr;
}

void logUnsent(const NSObject* self, const std::string& selector, const char* why) {
    foundation::logLine("AMPORA: not sent: " + (self ? self->objcClass()->name() : std::string("nil")) + " " + selector +
                        " (" + why + ")");
}

}  // namespace runtime
