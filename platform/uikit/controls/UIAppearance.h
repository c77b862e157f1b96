#pragma once
// Appearance proxies: values set on a class's proxy (optionally only where the
// view sits inside given containers) become the defaults of its instances when
// they join a window. Values set on an instance itself always win.

#include <functional>
#include <typeindex>
#include <vector>

#include "platform/uikit/events/UIResponder.h"

namespace uikit {

// One step of a containment chain: a responder (view or controller) of a class.
struct UIAppearanceContainer {
    std::type_index type;
    bool exact;  // that class only, not its subclasses
    std::function<bool(const UIResponder&)> matches;

    // Instances of T or of its subclasses.
    template <class T>
    static UIAppearanceContainer of() {
        return {typeid(T), false, [](const UIResponder& r) { return dynamic_cast<const T*>(&r) != nullptr; }};
    }
    // Instances of exactly the class `instance` has (a controller passing its own class).
    static UIAppearanceContainer classOf(const UIResponder& instance) {
        const std::type_index type = typeid(instance);
        return {type, true, [type](const UIResponder& r) { return std::type_index(typeid(r)) == type; }};
    }
};

// `Properties` holds optionals and a merge(const Properties& over) that takes the set ones.
template <class Properties>
class UIAppearance {
public:
    static Properties& appearance() { return appearanceWhenContainedIn({}); }
    // Innermost container first, each further one containing the one before.
    static Properties& appearanceWhenContainedIn(const std::vector<UIAppearanceContainer>& chain) {
        auto& list = entries();
        std::vector<std::pair<std::type_index, bool>> key;
        for (const auto& c : chain) key.emplace_back(c.type, c.exact);
        for (auto& e : list)
            if (e.key == key) return e.properties;
        list.push_back({key, chain, Properties{}});
        return list.back().properties;
    }
    static Properties& appearanceWhenContainedInInstancesOfClasses(const std::vector<UIAppearanceContainer>& chain) {
        return appearanceWhenContainedIn(chain);
    }

    // What applies to a view in its place now: the general proxy, then matching
    // contained proxies from the shortest chain to the longest.
    static Properties resolve(const UIResponder& view) {
        auto list = entries();
        std::stable_sort(list.begin(), list.end(), [](const Entry& a, const Entry& b) { return a.key.size() < b.key.size(); });
        Properties merged{};
        for (const auto& e : list)
            if (chainMatches(view, e.chain)) merged.merge(e.properties);
        return merged;
    }

    static void resetAll() { entries().clear(); }

private:
    struct Entry {
        std::vector<std::pair<std::type_index, bool>> key;
        std::vector<UIAppearanceContainer> chain;
        Properties properties;
    };
    static std::vector<Entry>& entries() {
        static std::vector<Entry> list;
        return list;
    }
    static bool chainMatches(const UIResponder& view, const std::vector<UIAppearanceContainer>& chain) {
        const UIResponder* r = view.nextResponder();
        for (const auto& container : chain) {
            while (r && !container.matches(*r)) r = r->nextResponder();
            if (!r) return false;
            r = r->nextResponder();
        }
        return true;
    }
};

}  // namespace uikit
