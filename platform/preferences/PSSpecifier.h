#pragma once
// One row of a preference page: its name, the object it reads and writes
// through (held weakly: cells often are their row's target), the selectors it
// names, its cell type and a dictionary of properties.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/foundation/PlistValue.h"
#include "platform/graphics/Image.h"
#include "platform/runtime/NSObject.h"

namespace preferences {

// The cell types, numbered as the framework numbers them.
enum PSCellType : int {
    PSGroupCell = 0,
    PSLinkCell = 1,
    PSLinkListCell = 2,
    PSListItemCell = 3,
    PSTitleValueCell = 4,
    PSSliderCell = 5,
    PSSwitchCell = 6,
    PSStaticTextCell = 7,
    PSEditTextCell = 8,
    PSSegmentCell = 9,
    PSGiantIconCell = 10,
    PSGiantCell = 11,
    PSSecureEditTextCell = 12,
    PSButtonCell = 13,
    PSEditTextViewCell = 14,
};

// The cell type a "cell" string names; a group for any other string or none.
int cellTypeFromString(const std::string* cell);

// A property: a property-list value, a class (as "cellClass" holds) or an image ("iconImage").
using SpecifierProperty = std::variant<foundation::PlistValue, runtime::Class*, graphics::Image>;
// A page's description of a row, in its own order.
using SpecifierDictionary = std::vector<std::pair<std::string, SpecifierProperty>>;

class PSSpecifier {
public:
    using Ptr = std::shared_ptr<PSSpecifier>;

    static Ptr preferenceSpecifierNamed(const std::string& name, std::weak_ptr<runtime::NSObject> target,
                                        std::string setter, std::string getter, runtime::Class* detail, int cellType,
                                        runtime::Class* editPane);
    static Ptr groupSpecifierWithName(const std::string& name);
    static Ptr emptyGroupSpecifier();

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    std::shared_ptr<runtime::NSObject> target() const { return target_.lock(); }
    void setTarget(std::weak_ptr<runtime::NSObject> target) { target_ = std::move(target); }
    int cellType() const { return cellType_; }
    const std::string& setter() const { return setter_; }
    const std::string& getter() const { return getter_; }
    const std::string& action() const { return action_; }
    void setAction(std::string selector) { action_ = std::move(selector); }
    const std::string& buttonAction() const { return buttonAction_; }
    void setButtonAction(std::string selector) { buttonAction_ = std::move(selector); }
    runtime::Class* detailControllerClass() const { return detail_; }
    runtime::Class* editPaneClass() const { return editPane_; }

    // Properties; nullptr when absent.
    const SpecifierProperty* propertyForKey(const std::string& key) const;
    void setProperty(SpecifierProperty value, const std::string& key) { properties_[key] = std::move(value); }
    void removePropertyForKey(const std::string& key) { properties_.erase(key); }
    const std::map<std::string, SpecifierProperty>& properties() const { return properties_; }
    // The property as a property-list value / a string; nullptr or empty otherwise.
    const foundation::PlistValue* plistPropertyForKey(const std::string& key) const;
    std::string stringPropertyForKey(const std::string& key) const;

    // A list row's choices: values, and the title shown for each value.
    void setValues(foundation::PlistArray values, std::vector<std::string> titles);
    const foundation::PlistArray& values() const { return values_; }
    const std::vector<std::pair<foundation::PlistValue, std::string>>& titleDictionary() const { return titles_; }
    void setTitleDictionary(std::vector<std::pair<foundation::PlistValue, std::string>> titles) { titles_ = std::move(titles); }
    // The title of a value; nullopt when the value has none.
    std::optional<std::string> titleForValue(const foundation::PlistValue& value) const;

private:
    PSSpecifier() = default;

    std::string name_;
    std::weak_ptr<runtime::NSObject> target_;
    std::string setter_, getter_, action_, buttonAction_;
    runtime::Class* detail_ = nullptr;
    runtime::Class* editPane_ = nullptr;
    int cellType_ = PSGroupCell;
    std::map<std::string, SpecifierProperty> properties_;
    foundation::PlistArray values_;
    std::vector<std::pair<foundation::PlistValue, std::string>> titles_;
};

using PSSpecifierPtr = PSSpecifier::Ptr;

}  // namespace preferences
