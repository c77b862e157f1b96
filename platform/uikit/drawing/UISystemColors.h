#pragma once
// The platform's colors that follow the light or dark look. A view that uses
// one keeps its role, not its value, and resolves it again when the look
// changes (UIView::traitCollectionDidChange), so a page never restyles itself.

#include "platform/uikit/drawing/UIColor.h"

namespace uikit {

enum class UIUserInterfaceStyle { Light, Dark };

enum class UISystemColor {
    systemBackground,                  // a plain page
    systemGroupedBackground,           // behind a grouped table's sections
    secondarySystemGroupedBackground,  // a grouped table's rows
    separator,
    label,
    secondaryLabel,
    tertiaryLabel,    // a disclosure chevron
    groupedHeaderText,  // a section's title and footer
    placeholderText,
    selectedRowBackground,
    barBackground,  // navigation bars and toolbars
    barHairline,
    alertBackground,
    switchOffTrack,  // the rim of a switch that is off
    switchOffFill,
    fieldBorder,
    scrollIndicator,
};

UIColor resolvedColor(UISystemColor color, UIUserInterfaceStyle style);
// Resolved for the look in force.
UIColor systemColor(UISystemColor color);

// The look in force on the main screen (UIScreen sets it); light until set.
UIUserInterfaceStyle currentUserInterfaceStyle();
void setCurrentUserInterfaceStyle(UIUserInterfaceStyle style);

}  // namespace uikit
