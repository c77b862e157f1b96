#include "hosts/settings/SettingsRootPage.h"

#include "hosts/settings/BundleLoading.h"
#include "platform/foundation/Log.h"
#include "platform/uikit/navigation/UINavigationController.h"

namespace settingshost {

using namespace uikit;

SettingsRootPage::SettingsRootPage(std::shared_ptr<preferences::NSBundle> bundle, std::string paneClassName)
    : bundle_(std::move(bundle)), paneClassName_(std::move(paneClassName)) {
    setTitle("Settings");
}

void SettingsRootPage::loadView() {
    table_ = std::make_shared<UITableView>(UIScreen::mainScreen().bounds());
    table_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto self = std::static_pointer_cast<SettingsRootPage>(shared_from_this());
    table_->setDataSource(std::weak_ptr<UITableViewDataSource>(self));
    table_->setDelegate(std::weak_ptr<UITableViewDelegate>(self));
    table_->reloadData();
    setView(table_);
}

UITableViewCellPtr SettingsRootPage::cellForRowAtIndexPath(UITableView&, const NSIndexPath&) {
    auto cell = std::make_shared<UITableViewCell>();
    cell->textLabel()->setText("Ampora");
    std::string icon = bundle_ ? bundle_->objectForInfoDictionaryKey("CFBundleIconFile") : std::string();
    if (bundle_) cell->imageView()->setImage(bundle_->imageNamed(icon.empty() ? "enabled" : icon));
    cell->setAccessoryType(UITableViewCellAccessoryType::DisclosureIndicator);
    return cell;
}

void SettingsRootPage::didSelectRowAtIndexPath(UITableView& table, const NSIndexPath& indexPath) {
    table.deselectRowAtIndexPath(indexPath, true);
    auto nav = navigationController();
    if (!nav || nav->isTransitioning()) return;
    std::string error;
    if (auto pane = makePage(paneClassName_, error)) nav->pushViewController(pane, true);
    else foundation::logLine("AMPORA: cannot open the settings: " + error);
}

}  // namespace settingshost
