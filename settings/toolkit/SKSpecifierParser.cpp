#include "settings/toolkit/SKSpecifierParser.h"

#include "common/ImageTransforms.h"
#include "platform/preferences/NSBundle.h"
#include "settings/toolkit/SKTintHooks.h"

using preferences::PSSpecifier;
using preferences::SpecifierDictionary;
using preferences::SpecifierProperty;

namespace {

// Known to the runtime so that its bundle, the toolkit's own, can be found.
const bool kRegistered = (runtime::registerClass("SKSpecifierParser"), true);

const SpecifierProperty* find(const SpecifierDictionary& d, const std::string& key) {
    for (const auto& [k, v] : d)
        if (k == key) return &v;
    return nullptr;
}

std::optional<std::string> findString(const SpecifierDictionary& d, const std::string& key) {
    const SpecifierProperty* p = find(d, key);
    const foundation::PlistValue* v = p ? std::get_if<foundation::PlistValue>(p) : nullptr;
    const std::string* s = v ? v->asString() : nullptr;
    return s ? std::optional(*s) : std::nullopt;
}

const foundation::PlistArray* findArray(const SpecifierDictionary& d, const std::string& key) {
    const SpecifierProperty* p = find(d, key);
    const foundation::PlistValue* v = p ? std::get_if<foundation::PlistValue>(p) : nullptr;
    return v ? v->asArray() : nullptr;
}

runtime::Class* classNamed(const std::optional<std::string>& name) {
    return name ? runtime::NSClassFromString(*name) : nullptr;
}

// By name in the target's bundle, then in the toolkit's own.
graphics::Image imageNamed(const std::string& name, const runtime::NSObject* target) {
    if (target)
        if (auto bundle = preferences::NSBundle::bundleForClass(target->objcClass()->name()))
            if (auto image = bundle->imageNamed(name)) return image;
    if (auto bundle = preferences::NSBundle::bundleForClass("SKSpecifierParser")) return bundle->imageNamed(name);
    return nullptr;
}

graphics::Image iconImage(const SpecifierProperty& icon, const runtime::NSObject* target) {
    graphics::Image image;
    if (const graphics::Image* given = std::get_if<graphics::Image>(&icon))
        image = *given;
    else if (const auto* v = std::get_if<foundation::PlistValue>(&icon); v && v->asString())
        image = imageNamed(*v->asString(), target);
    if (!image) return nullptr;
    if (const auto* hooks = dynamic_cast<const SKTintHooks*>(target)) {
        std::optional<graphics::Color> tint = hooks->iconColor();
        if (!tint) tint = hooks->tintColor();
        if (tint) image = Colored::changeImageColor(image, *tint);
    }
    return image;
}

}  // namespace

int SKSpecifierParser::PSCellTypeFromString(const std::optional<std::string>& cell) {
    return preferences::cellTypeFromString(cell ? &*cell : nullptr);
}

std::vector<preferences::PSSpecifierPtr> SKSpecifierParser::specifiersFromArray(
    const std::vector<SpecifierDictionary>& array, const std::shared_ptr<runtime::NSObject>& target) {
    (void)kRegistered;
    std::vector<preferences::PSSpecifierPtr> result;
    result.reserve(array.size());
    for (const SpecifierDictionary& d : array) {
        const int type = PSCellTypeFromString(findString(d, "cell"));
        const std::optional<std::string> label = findString(d, "label");
        preferences::PSSpecifierPtr s;
        if (type == preferences::PSGroupCell) {
            if (label) {
                s = PSSpecifier::groupSpecifierWithName(*label);
                s->setProperty(foundation::PlistValue(*label), "label");
            } else {
                s = PSSpecifier::emptyGroupSpecifier();
            }
            if (const SpecifierProperty* footer = find(d, "footerText")) s->setProperty(*footer, "footerText");
            s->setProperty(foundation::PlistValue("PSGroupCell"), "cell");
        } else {
            s = PSSpecifier::preferenceSpecifierNamed(
                label.value_or(""), target, findString(d, "set").value_or("setPreferenceValue:specifier:"),
                findString(d, "get").value_or("readPreferenceValue:"), classNamed(findString(d, "detail")), type,
                classNamed(findString(d, "pane")));
            s->setAction(findString(d, "action").value_or(""));
            const foundation::PlistArray* values = findArray(d, "validValues");
            const foundation::PlistArray* titles = findArray(d, "validTitles");
            if (values && titles) {
                std::vector<std::string> texts;
                for (const auto& t : *titles) texts.push_back(t.asString() ? *t.asString() : std::string());
                s->setValues(*values, std::move(texts));
            }
            for (const auto& [key, value] : d) {
                if (key == "cellClass") {
                    const auto* v = std::get_if<foundation::PlistValue>(&value);
                    runtime::Class* cls = v && v->asString() ? runtime::NSClassFromString(*v->asString()) : nullptr;
                    if (cls) s->setProperty(cls, "cellClass");
                    else s->removePropertyForKey("cellClass");
                } else if (key != "validValues" && key != "validTitles") {
                    s->setProperty(value, key);
                }
            }
        }
        if (const SpecifierProperty* icon = find(d, "icon")) {
            if (auto image = iconImage(*icon, target.get())) s->setProperty(image, "iconImage");
            else s->removePropertyForKey("iconImage");
        }
        for (const char* key : {"leftImage", "rightImage"})
            if (auto name = findString(d, key)) {
                if (auto image = imageNamed(*name, target.get())) s->setProperty(image, key);
                else s->removePropertyForKey(key);
            }
        if (auto id = findString(d, "id")) s->setProperty(foundation::PlistValue(*id), "id");
        else if (label) s->setProperty(foundation::PlistValue(*label), "id");
        else s->removePropertyForKey("id");
        s->setTarget(target);
        result.push_back(std::move(s));
    }
    return result;
}
