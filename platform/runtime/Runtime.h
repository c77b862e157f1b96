#pragma once
// The platform's object runtime, as far as the plug-in relies on it: classes
// looked up by name, methods found by selector in per-class tables (the
// superclass chain included) and replaced at run time, and instance variables
// found by name and addressed by offset.

#include <cstddef>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

namespace runtime {

class Object;
class Class;

// Any function pointer; the signature travels beside it and is checked at each call.
using IMP = void (*)();

struct Method {
    IMP imp = nullptr;
    std::string signature;  // mangled type of the function pointer
};

struct Ivar {
    std::string name;
    std::ptrdiff_t offset;
    std::size_t size;
    std::string type;
};

// A call through a method of the wrong type, or to a selector nobody implements.
struct MessageError : std::logic_error {
    using std::logic_error::logic_error;
};

class Class {
public:
    Class(std::string name, Class* superclass);

    const std::string& name() const { return name_; }
    Class* superclass() const { return superclass_; }

    // Instance methods take the receiver first: R (*)(Object*, Args...), or
    // R (*)(NSObject*, Args...) for the C++ classes of NSObject.h.
    template <class Self, class R, class... A>
    void addMethod(const std::string& selector, R (*imp)(Self*, A...)) {
        methods_[selector] = {reinterpret_cast<IMP>(imp), typeid(imp).name()};
    }
    // Class methods take the class: R (*)(Class*, Args...).
    template <class R, class... A>
    void addClassMethod(const std::string& selector, R (*imp)(Class*, A...)) {
        classMethods_[selector] = {reinterpret_cast<IMP>(imp), typeid(imp).name()};
    }
    // Looked up here, then in the superclasses; nullptr when none has it.
    const Method* instanceMethod(const std::string& selector) const;
    const Method* classMethod(const std::string& selector) const;
    bool instancesRespondToSelector(const std::string& selector) const { return instanceMethod(selector) != nullptr; }
    // This class or one of its superclasses is `other`.
    bool isSubclassOfClass(const Class* other) const;

    // Adds an instance variable of type T after the existing ones.
    template <class T>
    const Ivar& addIvar(const std::string& name) {
        return addIvar(name, sizeof(T), alignof(T), typeid(T).name());
    }
    const Ivar* instanceVariable(const std::string& name) const;
    std::size_t instanceSize() const { return instanceSize_; }

private:
    friend void MSHookMessageExUntyped(Class*, const std::string&, const Method&, Method*);
    const Ivar& addIvar(const std::string& name, std::size_t size, std::size_t align, const char* type);

    std::string name_;
    Class* superclass_;
    std::unordered_map<std::string, Method> methods_, classMethods_;
    std::vector<std::unique_ptr<Ivar>> ivars_;
    std::size_t instanceSize_;
};

// The registry of classes by name. A class registers once and lives for the process.
Class* objc_getClass(const std::string& name);
inline Class* NSClassFromString(const std::string& name) { return objc_getClass(name); }
Class& registerClass(const std::string& name, Class* superclass = nullptr);
// The names of every registered class.
std::vector<std::string> allClassNames();

const Ivar* class_getInstanceVariable(const Class* cls, const std::string& name);
inline std::ptrdiff_t ivar_getOffset(const Ivar* ivar) { return ivar ? ivar->offset : 0; }

// An instance: its class and the storage of its instance variables.
class Object : public std::enable_shared_from_this<Object> {
public:
    explicit Object(Class* cls);
    virtual ~Object() = default;

    Class* isa() const { return isa_; }
    bool respondsToSelector(const std::string& selector) const { return isa_->instancesRespondToSelector(selector); }

    // The variable's bytes, found the way the hooks find them: base plus offset.
    std::byte* ivarBase() { return storage_.data(); }
    template <class T>
    T& ivar(const std::string& name) {
        const Ivar* v = class_getInstanceVariable(isa_, name);
        if (!v || v->type != typeid(T).name()) throw MessageError("no ivar " + name + " of that type in " + isa_->name());
        return *reinterpret_cast<T*>(ivarBase() + v->offset);
    }

private:
    Class* isa_;
    std::vector<std::byte> storage_;  // new[] alignment suits every ivar type used
};

using id = std::shared_ptr<Object>;

// objc_msgSend with the signature checked: the method must have been added as
// R (*)(Object*, A...).
template <class R, class... A>
R msgSend(Object* self, const std::string& selector, A... args) {
    using F = R (*)(Object*, A...);
    const Method* m = self ? self->isa()->instanceMethod(selector) : nullptr;
    if (!m) throw MessageError((self ? self->isa()->name() : std::string("nil")) + " does not respond to " + selector);
    if (m->signature != typeid(F).name()) throw MessageError(selector + " called with the wrong signature");
    return reinterpret_cast<F>(m->imp)(self, args...);
}

template <class R, class... A>
R msgSendClass(Class* cls, const std::string& selector, A... args) {
    using F = R (*)(Class*, A...);
    const Method* m = cls ? cls->classMethod(selector) : nullptr;
    if (!m) throw MessageError((cls ? cls->name() : std::string("nil")) + " has no class method " + selector);
    if (m->signature != typeid(F).name()) throw MessageError(selector + " called with the wrong signature");
    return reinterpret_cast<F>(m->imp)(cls, args...);
}

void MSHookMessageExUntyped(Class* cls, const std::string& selector, const Method& replacement, Method* previous);

// Replaces `selector` of `cls` (an instance method) and hands back the
// implementation in force until now, which may belong to a superclass. A
// second replacement chains onto the first. The signature must match.
template <class R, class... A>
void MSHookMessageEx(Class* cls, const std::string& selector, R (*replacement)(Object*, A...),
                     R (**previous)(Object*, A...)) {
    Method old;
    MSHookMessageExUntyped(cls, selector, {reinterpret_cast<IMP>(replacement), typeid(replacement).name()}, &old);
    if (previous) *previous = reinterpret_cast<R (*)(Object*, A...)>(old.imp);
}

}  // namespace runtime
