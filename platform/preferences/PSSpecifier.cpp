#include "platform/preferences/PSSpecifier.h"

#include <array>

namespace preferences {

int cellTypeFromString(const std::string* cell) {
    static const std::array<const char*, 15> names = {
        "PSGroupCell",     "PSLinkCell",      "PSLinkListCell",       "PSListItemCell", "PSTitleValueCell",
        "PSSliderCell",    "PSSwitchCell",    "PSStaticTextCell",     "PSEditTextCell", "PSSegmentCell",
        "PSGiantIconCell", "PSGiantCell",     "PSSecureEditTextCell", "PSButtonCell",   "PSEditTextViewCell"};
    if (cell)
        for (size_t i = 0; i < names.size(); ++i)
            if (*cell == names[i]) return int(i);
    return PSGroupCell;
}

PSSpecifier::Ptr PSSpecifier::preferenceSpecifierNamed(const std::string& name, std::weak_ptr<runtime::NSObject> target,
                                                       std::string setter, std::string getter, runtime::Class* detail,
                                                       int cellType, runtime::Class* editPane) {
    Ptr s(new PSSpecifier());
    s->name_ = name;
    s->target_ = std::move(target);
    s->setter_ = std::move(setter);
    s->getter_ = std::move(getter);
    s->detail_ = detail;
    s->cellType_ = cellType;
    s->editPane_ = editPane;
    return s;
}

PSSpecifier::Ptr PSSpecifier::groupSpecifierWithName(const std::string& name) {
    Ptr s(new PSSpecifier());
    s->name_ = name;
    return s;
}

PSSpecifier::Ptr PSSpecifier::emptyGroupSpecifier() { return Ptr(new PSSpecifier()); }

const SpecifierProperty* PSSpecifier::propertyForKey(const std::string& key) const {
    auto it = properties_.find(key);
    return it == properties_.end() ? nullptr : &it->second;
}

const foundation::PlistValue* PSSpecifier::plistPropertyForKey(const std::string& key) const {
    const SpecifierProperty* p = propertyForKey(key);
    return p ? std::get_if<foundation::PlistValue>(p) : nullptr;
}

std::string PSSpecifier::stringPropertyForKey(const std::string& key) const {
    const foundation::PlistValue* v = plistPropertyForKey(key);
    const std::string* s = v ? v->asString() : nullptr;
    return s ? *s : std::string();
}

void PSSpecifier::setValues(foundation::PlistArray values, std::vector<std::string> titles) {
    titles_.clear();
    for (size_t i = 0; i < values.size() && i < titles.size(); ++i) titles_.emplace_back(values[i], titles[i]);
    values_ = std::move(values);
}

std::optional<std::string> PSSpecifier::titleForValue(const foundation::PlistValue& value) const {
    for (const auto& [v, title] : titles_)
        if (v == value) return title;
    return std::nullopt;
}

}  // namespace preferences
