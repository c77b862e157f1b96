#pragma once
// Groups of layer changes. Layers here never animate implicitly, so a
// transaction only records whether actions are disabled, for code that asks.

namespace uikit {

class CATransaction {
public:
    static void begin();
    static void commit();
    static bool disableActions();
    static void setDisableActions(bool disable);
    static int depth();
};

}  // namespace uikit
