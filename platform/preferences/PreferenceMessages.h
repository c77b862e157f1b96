#pragma once
// The messages a row sends to its target, by the selectors it names: the value
// getter and setter, the tap action and the list data sources. Every send is
// checked first; an unanswered one is logged and does nothing.

#include <optional>
#include <string>

#include "platform/foundation/PlistValue.h"
#include "platform/preferences/PSSpecifier.h"

namespace preferences {

// A row's value; nullopt is "nil": nothing stored or nothing to show.
using PreferenceValue = std::optional<foundation::PlistValue>;

// The signatures of those selectors, as targets register them.
using GetterIMP = PreferenceValue (*)(runtime::NSObject*, PSSpecifierPtr);
using SetterIMP = void (*)(runtime::NSObject*, PreferenceValue, PSSpecifierPtr);
using ActionIMP = void (*)(runtime::NSObject*, PSSpecifierPtr);
using DataSourceIMP = foundation::PlistArray (*)(runtime::NSObject*, PSSpecifierPtr);

// The row's value through its getter; nullopt when there is no target or getter.
PreferenceValue readValue(const PSSpecifierPtr& specifier);
// The value through the row's setter; false when nothing was sent.
bool storeValue(const PSSpecifierPtr& specifier, const PreferenceValue& value);
// `selector` sent to the row's target with the row; false when nothing was sent.
bool sendAction(const PSSpecifierPtr& specifier, const std::string& selector);
// Fills a link-list row's values and titles from its "valuesDataSource" and
// "titlesDataSource" when it names them.
void loadValuesAndTitlesFromDataSource(const PSSpecifierPtr& specifier);

}  // namespace preferences
