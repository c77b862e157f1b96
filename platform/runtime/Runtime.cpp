#include "platform/runtime/Runtime.h"

#include <mutex>

namespace runtime {
namespace {

struct Registry {
    std::mutex lock;
    std::unordered_map<std::string, std::unique_ptr<Class>> classes;
};

Registry& registry() {
    static auto* r = new Registry();
    return *r;
}

}  // namespace

Class::Class(std::string name, Class* superclass)
    : name_(std::move(name)), superclass_(superclass), instanceSize_(superclass ? superclass->instanceSize_ : 0) {}

const Method* Class::instanceMethod(const std::string& selector) const {
    for (const Class* c = this; c; c = c->superclass_)
        if (auto it = c->methods_.find(selector); it != c->methods_.end()) return &it->second;
    return nullptr;
}

bool Class::isSubclassOfClass(const Class* other) const {
    for (const Class* c = this; c; c = c->superclass_)
        if (c == other) return true;
    return false;
}

const Method* Class::classMethod(const std::string& selector) const {
    for (const Class* c = this; c; c = c->superclass_)
        if (auto it = c->classMethods_.find(selector); it != c->classMethods_.end()) return &it->second;
    return nullptr;
}

const Ivar& Class::addIvar(const std::string& name, std::size_t size, std::size_t align, const char* type) {
    const std::size_t offset = (instanceSize_ + align - 1) / align * align;
    ivars_.push_back(std::make_unique<Ivar>(Ivar{name, std::ptrdiff_t(offset), size, type}));
    instanceSize_ = offset + size;
    return *ivars_.back();
}

const Ivar* Class::instanceVariable(const std::string& name) const {
    for (const Class* c = this; c; c = c->superclass_)
        for (const auto& ivar : c->ivars_)
            if (ivar->name == name) return ivar.get();
    return nullptr;
}

Class* objc_getClass(const std::string& name) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto it = r.classes.find(name);
    return it == r.classes.end() ? nullptr : it->second.get();
}

Class& registerClass(const std::string& name, Class* superclass) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    auto& slot = r.classes[name];
    if (!slot) slot = std::make_unique<Class>(name, superclass);
    return *slot;
}

std::vector<std::string> allClassNames() {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    std::vector<std::string> names;
    for (const auto& [name, cls] : r.classes) names.push_back(name);
    return names;
}

const Ivar* class_getInstanceVariable(const Class* cls, const std::string& name) {
    return cls ? cls->instanceVariable(name) : nullptr;
}

Object::Object(Class* cls) : isa_(cls), storage_(cls ? cls->instanceSize() : 0) {
    if (!cls) throw MessageError("an object needs a class");
}

void MSHookMessageExUntyped(Class* cls, const std::string& selector, const Method& replacement, Method* previous) {
    if (!cls) throw MessageError("no class to hook " + selector + " on");
    const Method* current = cls->instanceMethod(selector);
    if (current && current->signature != replacement.signature)
        throw MessageError("replacement of " + cls->name() + " " + selector + " has another signature");
    if (previous) *previous = current ? *current : Method{};
    // Installed in this class, so a method inherited from a superclass is
    // replaced for this class only, as the substrate does.
    cls->methods_[selector] = replacement;
}

}  // namespace runtime
