#include "platform/preferences/PSListController.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/PlistFile.h"
#include "platform/preferences/PSListItemsController.h"
#include "platform/preferences/PSSwitchTableCell.h"
#include "platform/uikit/navigation/UINavigationController.h"

namespace preferences {

using uikit::NSIndexPath;
using uikit::UITableView;

namespace {

PreferenceValue getterIMP(runtime::NSObject* self, PSSpecifierPtr s) {
    return static_cast<PSListController*>(self)->readPreferenceValue(s);
}
void setterIMP(runtime::NSObject* self, PreferenceValue v, PSSpecifierPtr s) {
    static_cast<PSListController*>(self)->setPreferenceValue(std::move(v), s);
}

const bool kRegistered = (PSListController::staticClass(), true);

std::string stringIn(const foundation::PlistDictionary& d, const std::string& key, std::string fallback = {}) {
    auto it = d.find(key);
    return it != d.end() && it->second.asString() ? *it->second.asString() : fallback;
}

// The framework's own reading of a row dictionary from a property list.
PSSpecifierPtr specifierFromPlist(const foundation::PlistDictionary& d, const std::shared_ptr<runtime::NSObject>& target) {
    const std::string cell = stringIn(d, "cell");
    const int type = cellTypeFromString(&cell);
    const std::string label = stringIn(d, "label");
    PSSpecifierPtr s = type == PSGroupCell
                           ? PSSpecifier::groupSpecifierWithName(label)
                           : PSSpecifier::preferenceSpecifierNamed(
                                 label, target, stringIn(d, "set", "setPreferenceValue:specifier:"),
                                 stringIn(d, "get", "readPreferenceValue:"),
                                 runtime::NSClassFromString(stringIn(d, "detail")), type,
                                 runtime::NSClassFromString(stringIn(d, "pane")));
    s->setAction(stringIn(d, "action"));
    auto values = d.find("validValues"), titles = d.find("validTitles");
    if (values != d.end() && titles != d.end() && values->second.asArray() && titles->second.asArray()) {
        std::vector<std::string> texts;
        for (const auto& t : *titles->second.asArray()) texts.push_back(t.asString() ? *t.asString() : std::string());
        s->setValues(*values->second.asArray(), std::move(texts));
    }
    for (const auto& [key, value] : d) {
        if (key == "cellClass") {
            if (runtime::Class* cls = runtime::NSClassFromString(stringIn(d, key))) s->setProperty(cls, key);
        } else if (key != "validValues" && key != "validTitles") {
            s->setProperty(value, key);
        }
    }
    s->setTarget(target);
    return s;
}

}  // namespace

runtime::Class* PSListController::staticClass() {
    static runtime::Class* cls = [] {
        runtime::Class& c = runtime::defineClass<PSListController>("PSListController", runtime::NSObject::staticClass());
        c.addMethod("readPreferenceValue:", &getterIMP);
        c.addMethod("setPreferenceValue:specifier:", &setterIMP);
        return &c;
    }();
    return cls;
}

std::shared_ptr<runtime::NSObject> PSListController::selfObject() { return selfController(); }

std::shared_ptr<PSListController> PSListController::selfController() {
    return std::dynamic_pointer_cast<PSListController>(shared_from_this());
}

void PSListController::loadView() {
    (void)kRegistered;
    table_ = std::make_shared<UITableView>(uikit::UIScreen::mainScreen().bounds());
    table_->setAutoresizingMask(uikit::UIViewAutoresizingFlexibleWidth | uikit::UIViewAutoresizingFlexibleHeight);
    auto self = selfController();
    table_->setDataSource(std::static_pointer_cast<uikit::UITableViewDataSource>(self));
    table_->setDelegate(std::static_pointer_cast<uikit::UITableViewDelegate>(self));
    setView(table_);
}

void PSListController::viewWillAppear(bool animated) {
    UIViewController::viewWillAppear(animated);
    refreshShownValues();  // a detail page may have changed what the rows show
}

void PSListController::setSpecifier(PSSpecifierPtr specifier) {
    specifier_ = std::move(specifier);
    if (specifier_ && title().empty()) setTitle(specifier_->name());
}

void PSListController::reloadSpecifiers() {
    specifiers_.clear();
    specifiers();
    sectionsValid_ = false;
    if (table_) table_->reloadData();
}

void PSListController::reload() {
    sectionsValid_ = false;
    if (table_) table_->reloadData();
}

PSSpecifierPtr PSListController::specifierForID(const std::string& identifier) {
    for (const auto& s : specifiers())
        if (s->stringPropertyForKey("id") == identifier) return s;
    return nullptr;
}

std::vector<PSSpecifierPtr> PSListController::loadSpecifiersFromPlistName(
    const std::string& name, const std::shared_ptr<runtime::NSObject>& target) {
    std::vector<PSSpecifierPtr> result;
    auto own = bundle();
    const std::string path = own ? own->pathForResource(name, "plist") : std::string();
    auto plist = path.empty() ? std::nullopt : foundation::readDictionaryFromFile(path);
    auto items = plist ? plist->find("items") : foundation::PlistDictionary::const_iterator{};
    if (!plist || items == plist->end() || !items->second.asArray()) {
        foundation::logLine("AMPORA: no rows in \"" + name + ".plist\" of " + objcClass()->name() + "'s bundle");
        return result;
    }
    for (const auto& item : *items->second.asArray())
        if (const auto* d = item.asDictionary()) result.push_back(specifierFromPlist(*d, target));
    return result;
}

std::shared_ptr<NSBundle> PSListController::bundle() const {
    for (const runtime::Class* c = objcClass(); c; c = c->superclass())
        if (auto b = NSBundle::bundleForClass(c->name())) return b;
    return nullptr;
}

uikit::UIViewControllerPtr PSListController::rootController() const {
    auto nav = navigationController();
    return nav && !nav->viewControllers().empty() ? nav->viewControllers().front() : nullptr;
}

PreferenceValue PSListController::readPreferenceValue(const PSSpecifierPtr& specifier) {
    const foundation::PlistValue* fallback = specifier ? specifier->plistPropertyForKey("default") : nullptr;
    return fallback ? PreferenceValue(*fallback) : std::nullopt;
}

void PSListController::setPreferenceValue(PreferenceValue, const PSSpecifierPtr& specifier) {
    foundation::logLine("AMPORA: " + objcClass()->name() + " keeps no values; \"" +
                        (specifier ? specifier->name() : std::string()) + "\" not stored");
}

const std::vector<PSListController::Section>& PSListController::sections() {
    if (sectionsValid_) return sections_;
    sections_.clear();
    for (const auto& s : specifiers()) {
        if (s->cellType() == PSGroupCell) sections_.push_back({s, {}});
        else if (sections_.empty()) sections_.push_back({nullptr, {s}});
        else sections_.back().rows.push_back(s);
    }
    sectionsValid_ = true;
    return sections_;
}

PSSpecifierPtr PSListController::specifierAtIndexPath(const NSIndexPath& indexPath) {
    const auto& all = sections();
    if (indexPath.section() < 0 || size_t(indexPath.section()) >= all.size()) return nullptr;
    const auto& rows = all[indexPath.section()].rows;
    return indexPath.row() >= 0 && size_t(indexPath.row()) < rows.size() ? rows[indexPath.row()] : nullptr;
}

std::optional<NSIndexPath> PSListController::indexPathForSpecifier(const PSSpecifierPtr& specifier) {
    const auto& all = sections();
    for (size_t section = 0; section < all.size(); ++section)
        for (size_t row = 0; row < all[section].rows.size(); ++row)
            if (all[section].rows[row] == specifier) return NSIndexPath::indexPathForRow(long(row), long(section));
    return std::nullopt;
}

long PSListController::numberOfSectionsInTableView(UITableView&) {
    sectionsValid_ = false;  // the table asks this first on every reload
    return long(sections().size());
}

long PSListController::numberOfRowsInSection(UITableView&, long section) {
    const auto& all = sections();
    return section >= 0 && size_t(section) < all.size() ? long(all[section].rows.size()) : 0;
}

bool PSListController::showsValue(int cellType) {
    switch (cellType) {
    case PSLinkListCell:
    case PSTitleValueCell:
    case PSSliderCell:
    case PSSwitchCell:
    case PSSegmentCell:
    case PSEditTextCell:
    case PSSecureEditTextCell:
    case PSEditTextViewCell: return true;
    default: return false;
    }
}

uikit::UITableViewCellPtr PSListController::cellForRowAtIndexPath(UITableView&, const NSIndexPath& indexPath) {
    PSSpecifierPtr s = specifierAtIndexPath(indexPath);
    if (!s) return nullptr;
    if (s->cellType() == PSLinkListCell || s->cellType() == PSSegmentCell) loadValuesAndTitlesFromDataSource(s);
    auto cell = PSTableCell::cellForSpecifier(s);
    if (showsValue(s->cellType())) cell->setValue(readValue(s));
    return cell;
}

void PSListController::refreshShownValues() {
    if (!table_) return;
    for (const auto& c : table_->visibleCells()) {
        auto* cell = dynamic_cast<PSTableCell*>(c.get());
        if (!cell || !cell->specifier() || !showsValue(cell->specifier()->cellType())) continue;
        if (cell->specifier()->cellType() == PSLinkListCell) loadValuesAndTitlesFromDataSource(cell->specifier());
        cell->setValue(readValue(cell->specifier()));
    }
}

std::optional<std::string> PSListController::titleForHeaderInSection(UITableView&, long section) {
    const auto& all = sections();
    if (section < 0 || size_t(section) >= all.size() || !all[section].group) return std::nullopt;
    const std::string& name = all[section].group->name();
    return name.empty() ? std::nullopt : std::optional(name);
}

std::optional<std::string> PSListController::titleForFooterInSection(UITableView&, long section) {
    const auto& all = sections();
    if (section < 0 || size_t(section) >= all.size() || !all[section].group) return std::nullopt;
    std::string footer = all[section].group->stringPropertyForKey("footerText");
    return footer.empty() ? std::nullopt : std::optional(std::move(footer));
}

std::optional<double> PSListController::heightForRowAtIndexPath(UITableView&, const NSIndexPath& indexPath) {
    PSSpecifierPtr s = specifierAtIndexPath(indexPath);
    const foundation::PlistValue* height = s ? s->plistPropertyForKey("height") : nullptr;
    if (!height) return std::nullopt;
    if (const double* d = height->asReal(); d && *d > 0) return *d;
    if (const auto* i = height->asInteger(); i && *i > 0) return double(*i);
    return std::nullopt;
}

void PSListController::didSelectRowAtIndexPath(UITableView& tableView, const NSIndexPath& indexPath) {
    PSSpecifierPtr s = specifierAtIndexPath(indexPath);
    tableView.deselectRowAtIndexPath(indexPath, true);
    if (!s) return;
    auto* cell = dynamic_cast<PSTableCell*>(tableView.cellForRowAtIndexPath(indexPath).get());
    if (cell && cell->performCellAction()) return;
    // A click on a switch row's title flips its switch, as desktop check boxes do.
    if (auto* row = dynamic_cast<PSSwitchTableCell*>(cell)) {
        row->switchControl()->setOn(!row->switchControl()->isOn(), true);
        row->controlChanged();
        return;
    }
    if (s->cellType() == PSButtonCell && !s->buttonAction().empty()) {
        sendAction(s, s->buttonAction());
    } else if (!s->action().empty()) {
        sendAction(s, s->action());
    } else if (s->cellType() == PSLinkCell || s->cellType() == PSLinkListCell) {
        pushDetailOf(s);
    }
}

bool PSListController::pushDetailOf(const PSSpecifierPtr& specifier) {
    runtime::Class* detail = specifier->detailControllerClass();
    if (!detail && specifier->cellType() == PSLinkListCell) detail = PSListItemsController::staticClass();
    if (!detail) return false;
    auto page = std::dynamic_pointer_cast<uikit::UIViewController>(runtime::makeInstance(detail));
    auto nav = navigationController();
    if (!page || !nav) {
        foundation::logLine("AMPORA: the row \"" + specifier->name() + "\" names " + detail->name() +
                            (page ? " but the page is on no navigation stack" : ", which is no page it can open"));
        return false;
    }
    if (auto list = std::dynamic_pointer_cast<PSListController>(page)) {
        list->setParentController(selfController());
        list->setSpecifier(specifier);
    }
    nav->pushViewController(page, true);
    return true;
}

}  // namespace preferences
