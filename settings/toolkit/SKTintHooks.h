#pragma once
// The two color hooks a row target may offer for its rows' icons.

#include <optional>

#include "platform/graphics/Color.h"

class SKTintHooks {
public:
    virtual ~SKTintHooks() = default;
    virtual std::optional<graphics::Color> iconColor() const { return std::nullopt; }
    virtual std::optional<graphics::Color> tintColor() const { return std::nullopt; }
};
