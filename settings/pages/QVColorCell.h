#pragma once
// One color setting: a round swatch of the stored color at the right, its hex
// text in capitals beside it; a tap opens the color picker, and the picked
// color is written back as hex and announced.

#include <optional>

#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSTableCell.h"
#include "settings/picker/QVAXColorPickerViewController.h"

class QVColorCell : public preferences::PSTableCell, public QVAXColorPickerViewControllerDelegate {
public:
    static constexpr long kSwatchTag = 199;

    static runtime::Class* staticClass();
    runtime::Class* objcClass() const override { return staticClass(); }

    const uikit::UIViewPtr& colorPreview() const { return colorPreview_; }
    void setColorPreview(uikit::UIViewPtr view) { colorPreview_ = std::move(view); }
    const std::optional<uikit::UIColor>& keyColor() const { return keyColor_; }
    void setKeyColor(std::optional<uikit::UIColor> color) { keyColor_ = color; }

    void didMoveToSuperview() override;
    // Shows the stored color, or the row's default when none is stored as text.
    void updateCellColor();
    // The row's tap: pushes the picker for this color.
    void openColorPicker();
    void colorPickerControllerDidFinishPickingWithColor(QVAXColorPickerViewController& picker,
                                                        const uikit::UIColor& color) override;

private:
    std::shared_ptr<QVColorCell> self();
    // The page the row belongs to (its target).
    std::shared_ptr<preferences::PSListController> ownPage() const;
    std::string pickerTitle() const;
    // The registered color options page, else the row's own page.
    std::shared_ptr<preferences::PSListController> reportingPage() const;
    void store(const std::string& hex);
    // The row's color as the settings file holds it; nullopt when none is stored as text.
    std::optional<std::string> storedHex() const;

    uikit::UIViewPtr colorPreview_;
    std::optional<uikit::UIColor> keyColor_;
};
