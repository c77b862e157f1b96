#include <gtest/gtest.h>

#include <cairo.h>

#include <cstring>
#include <string_view>

#include "platform/foundation/Base64.h"
#include "platform/graphics/EncodedImageMemo.h"
#include "platform/graphics/PNG.h"

#include "tests/webview/CanvasTestSupport.h"

TEST(CanvasElement, SizeDefaultsAndReflection) {
    EXPECT_EQ(evaluate("var c=document.createElement('CANVAS'); [c.width, c.height, c.tagName].join()"), "300,150,CANVAS");
    EXPECT_EQ(evaluate("var c=document.createElement('canvas'); c.width=-1; c.height='20.7'; [c.width,c.height].join()"),
              "300,20");
    EXPECT_EQ(evaluate("var d=document.createElement('div'); [d.tagName, typeof d.getContext].join()"), "DIV,undefined");
}

TEST(CanvasElement, ResizingClearsPixelsAndState) {
    Pixels p = draw(sharedPage(), 10, 10,
                    "x.fillStyle='red'; x.translate(5,5); x.fillRect(0,0,2,2); c.width=10;"
                    "x.fillRect(0,0,1,1);");
    EXPECT_EQ(p.at(6, 6), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(p.at(0, 0), (std::array<int, 4>{0, 0, 0, 255})) << "fill style and transform reset too";
}

TEST(CanvasElement, ContextIsTheSameObjectAndOnly2dIsOffered) {
    EXPECT_EQ(evaluate("var c=document.createElement('canvas');"
                       "[c.getContext('2d')===c.getContext('2d'), c.getContext('webgl'), c.getContext('2d').canvas===c].join()"),
              "true,,true");
}

TEST(CanvasElement, DataURLs) {
    EXPECT_EQ(evaluate("var c=document.createElement('canvas'); c.width=0; c.toDataURL()"), "data:,");
    const std::string png = "data:image/png;base64,";
    EXPECT_EQ(evaluate("document.createElement('canvas').toDataURL()").substr(0, png.size()), png);
    EXPECT_EQ(evaluate("document.createElement('canvas').toDataURL('bogus')").substr(0, png.size()), png);
    Pixels p = pixelsFromDataURL(evaluate("var c=document.createElement('canvas'); c.width=7; c.height=3; c.toDataURL()"));
    EXPECT_EQ(p.width, 7);
    EXPECT_EQ(p.height, 3);
}

TEST(CanvasElement, OversizedCanvasBehavesAsAFailedAllocation) {
    EXPECT_EQ(evaluate("var c=document.createElement('canvas'); c.width=5000; c.height=10;"
                       "var x=c.getContext('2d'); x.fillRect(0,0,10,10); c.toDataURL()"),
              "data:,");
    EXPECT_EQ(evaluate("var c=document.createElement('canvas'); c.width=4096; c.height=4097; c.toDataURL()"), "data:,");
    EXPECT_EQ(evaluate("var c=document.createElement('canvas'); c.width=4096; c.height=4096;"
                       "c.getContext('2d').getImageData(0,0,1,1).data.length + ''"),
              "4");
}

TEST(CanvasElement, TheAskingProcessKnowsWhatAResultDecodesToWithoutDecodingIt) {
    // Small and large: both come back through the worker's shared pixels.
    for (const int side : {24, 700}) {
        const std::string url =
            evaluate("var c=document.createElement('canvas'); c.width=c.height=" + std::to_string(side) +
                     "; var x=c.getContext('2d'); x.fillStyle='rgba(200,40,90,0.6)'; x.arc(20,20,15,0,7); x.fill();"
                     "x.fillStyle='#0a0'; x.fillRect(3,3,4,4); c.toDataURL()");
        auto png = foundation::base64DecodeStrict(std::string_view(url).substr(url.find("base64,") + 7));
        ASSERT_TRUE(png);
        cairo_surface_t* known = graphics::recallDecodedPNG(*png);
        ASSERT_TRUE(known) << side;
        cairo_surface_t* decoded = graphics::asARGB32(graphics::decodePNG(*png));
        ASSERT_TRUE(decoded);
        ASSERT_EQ(cairo_image_surface_get_width(known), side);
        for (int y = 0; y < side; ++y)
            ASSERT_EQ(std::memcmp(cairo_image_surface_get_data(known) + y * cairo_image_surface_get_stride(known),
                                  cairo_image_surface_get_data(decoded) + y * cairo_image_surface_get_stride(decoded),
                                  size_t(side) * 4),
                      0)
                << "row " << y << " of " << side;
        cairo_surface_destroy(known);
        cairo_surface_destroy(decoded);
    }
}
