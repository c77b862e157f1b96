#include "platform/graphics/FontConfiguration.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

namespace graphics {
namespace {

// Helvetica and its stand-ins share Liberation Sans, whose metrics are Helvetica's.
constexpr const char* kAliases = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <match target="pattern"><test name="family"><string>Helvetica Neue</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Sans</string></edit></match>
  <match target="pattern"><test name="family"><string>Helvetica</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Sans</string></edit></match>
  <match target="pattern"><test name="family"><string>Arial</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Sans</string></edit></match>
  <match target="pattern"><test name="family"><string>-apple-system</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Sans</string></edit></match>
  <match target="pattern"><test name="family"><string>system-ui</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Sans</string></edit></match>
  <match target="pattern"><test name="family"><string>sans-serif</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Sans</string></edit></match>
  <match target="pattern"><test name="family"><string>serif</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Serif</string></edit></match>
  <match target="pattern"><test name="family"><string>Times New Roman</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Serif</string></edit></match>
  <match target="pattern"><test name="family"><string>monospace</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Mono</string></edit></match>
  <match target="pattern"><test name="family"><string>Courier</string></test>
    <edit name="family" mode="assign" binding="strong"><string>Liberation Mono</string></edit></match>
</fontconfig>
)";


}  // namespace

PangoFontMap* sharedFontMap() {
    static PangoFontMap* map = [] {
        FcConfig* config = FcInitLoadConfigAndFonts();
        if (config) FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kAliases), FcTrue);
        // Made the process's default too: a new font map otherwise loads the
        // system's configuration a second time (in a thread of its own), which
        // costs as much again as loading ours.
        if (config) FcConfigSetCurrent(config);
        PangoFontMap* made = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
        if (config && PANGO_IS_FC_FONT_MAP(made)) pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(made), config);
        if (config) FcConfigDestroy(config);
        return made;
    }();
    return map;
}

}  // namespace graphics
