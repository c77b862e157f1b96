#pragma once
// One row of a table: a content view holding the image and the labels of the
// style, an accessory on the right, and a grey highlight while selected.

#include <memory>
#include <string>

#include "platform/uikit/tables/TableAccessoryGlyph.h"
#include "platform/uikit/views/UIImageView.h"
#include "platform/uikit/views/UILabel.h"

namespace uikit {

enum class UITableViewCellStyle { Default, Value1, Subtitle };
enum class UITableViewCellSelectionStyle { None, Gray };
enum class UITableViewCellEditingStyle { None, Delete };

class UITableViewCell : public UIView {
public:
    explicit UITableViewCell(UITableViewCellStyle style = UITableViewCellStyle::Default, std::string reuseIdentifier = {});

    UITableViewCellStyle style() const { return style_; }
    const std::string& reuseIdentifier() const { return reuseIdentifier_; }

    UIView* contentView() const { return contentView_.get(); }
    UILabel* textLabel() const { return textLabel_.get(); }
    // nullptr in the default style.
    UILabel* detailTextLabel() const { return detailTextLabel_.get(); }
    UIImageView* imageView() const { return imageView_.get(); }

    UITableViewCellAccessoryType accessoryType() const { return accessoryType_; }
    void setAccessoryType(UITableViewCellAccessoryType type);
    // Shown instead of the accessory type's glyph when set.
    const UIViewPtr& accessoryView() const { return accessoryView_; }
    void setAccessoryView(UIViewPtr view);

    UITableViewCellSelectionStyle selectionStyle() const { return selectionStyle_; }
    void setSelectionStyle(UITableViewCellSelectionStyle style) { selectionStyle_ = style; }
    bool isSelected() const { return selected_; }
    // Animated: the highlight fades out over the deselection time of the UI clock.
    void setSelected(bool selected, bool animated = false);
    static constexpr double kDeselectionDuration = 0.25;
    // The keyboard focus on this row, or on a control in it, shows as the
    // selected look, whatever the selection style.
    bool showsFocus() const { return showsFocus_; }
    void setShowsFocus(bool shows);
    bool canBecomeFocused() const override;
    bool pressFocusedKey(UIKey key) override;
    // The highlight behind the content (for tests and subclasses that tint it).
    UIView* selectedBackgroundView() const { return selectedBackground_.get(); }

protected:
    void layoutSubviews() override;

private:
    void installAccessory();

    UITableViewCellStyle style_;
    std::string reuseIdentifier_;
    UIViewPtr selectedBackground_;
    UIViewPtr contentView_;
    std::shared_ptr<UILabel> textLabel_;
    std::shared_ptr<UILabel> detailTextLabel_;
    std::shared_ptr<UIImageView> imageView_;
    UITableViewCellAccessoryType accessoryType_ = UITableViewCellAccessoryType::None;
    UIViewPtr accessoryView_;
    UIViewPtr shownAccessory_;  // accessoryView_ or the glyph of the type
    UITableViewCellSelectionStyle selectionStyle_ = UITableViewCellSelectionStyle::Gray;
    bool selected_ = false;
    bool showsFocus_ = false;
};

using UITableViewCellPtr = std::shared_ptr<UITableViewCell>;

}  // namespace uikit
