#pragma once
// C++ objects that the runtime can name and message by selector, the way a
// page's rows name their cell class, detail page, action, getter, setter and
// data sources. Each such class registers with its superclass and, when it can
// be made from its name, a factory; its named methods go in the class's table
// as R (*)(NSObject*, Args...). Nothing is sent that was not checked first.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/runtime/Runtime.h"

namespace runtime {

class NSObject {
public:
    virtual ~NSObject() = default;

    // The registered class of the object's own type (overridden by every named class).
    virtual Class* objcClass() const { return staticClass(); }
    static Class* staticClass();

    bool respondsToSelector(const std::string& selector) const;
    bool isKindOfClass(const Class* cls) const;
};

// Defines (once) the class `name` below `superclass`; a default-constructible T
// can also be made from the name.
template <class T>
Class& defineClass(const std::string& name, Class* superclass);

// A new instance of a class made from its name; nullptr when the class cannot be made.
std::shared_ptr<NSObject> makeInstance(const Class* cls);

// Sends `selector` when the receiver implements it with exactly this signature;
// otherwise logs why and sends nothing (nullopt, or false for void methods).
template <class R, class... A>
auto sendChecked(NSObject* self, const std::string& selector, A... args)
    -> std::conditional_t<std::is_void_v<R>, bool, std::optional<R>>;

// ---- implementation ----

using Factory = std::function<std::shared_ptr<NSObject>()>;
void setFactory(Class& cls, Factory factory);
void logUnsent(const NSObject* self, const std::string& selector, const char* why);

template <class T>
Class& defineClass(const std::string& name, Class* superclass) {
    Class& cls = registerClass(name, superclass);
    if constexpr (std::is_default_constructible_v<T> && !std::is_abstract_v<T>)
        setFactory(cls, [] { return std::static_pointer_cast<NSObject>(std::make_shared<T>()); });
    return cls;
}

template <class R, class... A>
auto sendChecked(NSObject* self, const std::string& selector, A... args)
    -> std::conditional_t<std::is_void_v<R>, bool, std::optional<R>> {
    using F = R (*)(NSObject*, A...);
    using Result = std::conditional_t<std::is_void_v<R>, bool, std::optional<R>>;
    const Method* m = self ? self->objcClass()->instanceMethod(selector) : nullptr;
    const char* why = !self ? "no receiver" : !m ? "not implemented" : m->signature != typeid(F).name() ? "wrong signature" : nullptr;
    if (why) {
        logUnsent(self, selector, why);
        if constexpr (std::is_void_v<R>) return false;
        else return Result{};
    }
    if constexpr (std::is_void_v<R>) {
        reinterpret_cast<F>(m->imp)(self, args...);
        return true;
    } else {
        return Result{reinterpret_cast<F>(m->imp)(self, args...)};
    }
}

}  // namespace runtime
