// A theme's full call through the evaluator (reset, evaluate, toDataURL) against
// the same icon drawn straight with cairo and pango in this binary.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/foundation/Base64.h"
#include "platform/graphics/PNG.h"
#include "platform/webview/Fonts.h"
#include "platform/webview/WebView.h"
#include "settings/preview/DefaultThemeScript.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string callFor(int level) {
    return "(function" + defaultThemeScript() + ")(40," + std::to_string(level) + ",!!0,!!0,[255,255,255])";
}

std::string viaEvaluator(webview::UIWebView& page, int level) {
    page.loadHTMLString("");
    return page.stringByEvaluatingJavaScriptFromString(callFor(level));
}

// The same drawing as the default script, written against cairo and pango.
std::string direct(int level) {
    const double height = 40, d = std::round(3 * height / 4) / 2, line = std::floor(height / 20);
    const double side = 2 * d + line, b = side / 2, k = M_PI;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(side), int(side));
    cairo_t* cr = cairo_create(surface);
    cairo_set_line_width(cr, line);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    cairo_arc(cr, b, b, d, 0, 2 * k);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    const double start = k * ((100 - level) / 50.0 - 0.5);
    if (level > 0) {
        cairo_arc(cr, b, b, d, start, 1.5 * k);
        cairo_stroke(cr);
    }
    webview::FontSpec font;
    font.sizePx = level == 100 ? d : 4 * d / 3;
    font.families = {"Helvetica Neue"};
    PangoLayout* layout = pango_layout_new(webview::Fonts::shared().context());
    pango_layout_set_font_description(layout, webview::Fonts::shared().description(font));
    pango_layout_set_text(layout, std::to_string(level).c_str(), -1);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double width = logical.width / double(PANGO_SCALE);
    const double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);
    const double middle = webview::Fonts::shared().metrics(font).middleOffset;
    cairo_move_to(cr, b - width / 2, b + middle - baseline);
    pango_cairo_layout_path(cr, layout);
    cairo_fill(cr);
    g_object_unref(layout);
    cairo_destroy(cr);
    const std::string png = graphics::encodePNG(surface);
    cairo_surface_destroy(surface);
    return "data:image/png;base64," + foundation::base64Encode(png);
}

template <class F>
double medianMicroseconds(int rounds, F&& f) {
    std::vector<double> times;
    times.reserve(rounds);
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(f(i % 101));
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[rounds / 2];
}

void BM_EvaluatorFullCall(benchmark::State& state) {
    webview::UIWebView page;
    int level = 0;
    for (auto _ : state) benchmark::DoNotOptimize(viaEvaluator(page, level++ % 101));
}
BENCHMARK(BM_EvaluatorFullCall)->Unit(benchmark::kMicrosecond);

void BM_DirectCairo(benchmark::State& state) {
    int level = 0;
    for (auto _ : state) benchmark::DoNotOptimize(direct(level++ % 101));
}
BENCHMARK(BM_DirectCairo)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Cold: the first call of this process, page and fonts included.
    const auto coldStart = Clock::now();
    webview::UIWebView page;
    const std::string first = viaEvaluator(page, 57);
    const double cold = std::chrono::duration<double, std::milli>(Clock::now() - coldStart).count();
    if (first.rfind("data:image/png;base64,", 0) != 0) {
        std::fprintf(stderr, "the default script produced no image: %s\n", page.lastOutcome().describe().c_str());
        return 1;
    }
    const int rounds = 2000;
    medianMicroseconds(200, [&](int level) { return viaEvaluator(page, level); });  // warm up
    const double evaluator = medianMicroseconds(rounds, [&](int level) { return viaEvaluator(page, level); });
    const double cairo = medianMicroseconds(rounds, [](int level) { return direct(level); });
    std::printf("default script, height 40 px, level 0..100, %d rounds\n", rounds);
    std::printf("  first call in a new process:        %8.2f ms\n", cold);
    std::printf("  evaluator, warm (reset+eval+PNG):   %8.1f us median\n", evaluator);
    std::printf("  direct cairo + pango (same icon):   %8.1f us median\n", cairo);
    std::printf("  ratio evaluator / direct:           %8.2f\n\n", evaluator / cairo);
    std::fflush(stdout);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
