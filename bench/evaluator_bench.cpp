// A theme's full call through the evaluator (new page, evaluate, toDataURL,
// worker round trip) against the same icon drawn straight with cairo and pango
// in this binary. Workload: the built-in ring theme, heights 40 and 60
// alternating, levels 0 to 100; then one 800-pixel icon.
//
//   evaluator_bench                  figures, then the Google Benchmark cases
//   evaluator_bench --print-theme    the theme script, for other runtimes to draw the same
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/foundation/Base64.h"
#include "platform/webview/Fonts.h"
#include "platform/graphics/PngWriter.h"
#include "platform/webview/ScriptPages.h"
#include "platform/webview/WebView.h"
#include "settings/preview/DefaultThemeScript.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string callFor(int height, int level) {
    return "(function" + defaultThemeScript() + ")(" + std::to_string(height) + "," + std::to_string(level) +
           ",!!0,!!0,[255,255,255])";
}

std::string viaEvaluator(webview::UIWebView& page, int height, int level, bool freshPage = true) {
    if (freshPage) page.loadHTMLString("");
    return page.stringByEvaluatingJavaScriptFromString(callFor(height, level));
}

// The same drawing as the built-in script, written against cairo and pango,
// with the same PNG writer and data URL.
std::string direct(int height, int level) {
    const double d = std::round(3 * height / 4.0) / 2, line = std::floor(height / 20.0);
    const double side = 2 * d + line, b = side / 2, k = M_PI;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(side), int(side));
    cairo_t* cr = cairo_create(surface);
    cairo_set_line_width(cr, line);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.3);
    cairo_arc(cr, b, b, d, 0, 2 * k);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 1);
    if (level > 0) {
        cairo_arc(cr, b, b, d, k * ((100 - level) / 50.0 - 0.5), 1.5 * k);
        cairo_stroke(cr);
    }
    webview::FontSpec font;
    font.sizePx = level == 100 ? d : 4 * d / 3;
    font.families = {"Helvetica Neue"};
    PangoLayout* layout = webview::Fonts::shared().layout(font, std::to_string(level));
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
    const std::string png = graphics::writePNG(surface);
    cairo_surface_destroy(surface);
    return "data:image/png;base64," + foundation::base64Encode(png);
}

double median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
    return v[v.size() / 2];
}

template <class F>
double microseconds(F&& f) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(f());
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

// Per-call medians at heights 40 and 60, alternating, levels 0..100.
struct Medians {
    double h40 = 0, h60 = 0;
};
// `between` runs after each call, untimed.
template <class F>
Medians alternating(int rounds, F&& call, std::chrono::microseconds idle = {}, const std::function<void()>& between = {}) {
    std::vector<double> at40, at60;
    for (int i = 0; i < rounds; ++i) {
        const int height = i % 2 ? 60 : 40, level = (i / 2) % 101;
        (height == 40 ? at40 : at60).push_back(microseconds([&] { return call(height, level); }));
        if (between) between();
        if (idle.count()) std::this_thread::sleep_for(idle);
    }
    return {median(at40), median(at60)};
}

void BM_EvaluatorFullCall(benchmark::State& state) {
    webview::UIWebView page;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(viaEvaluator(page, i % 2 ? 60 : 40, (i / 2) % 101));
        ++i;
    }
}
BENCHMARK(BM_EvaluatorFullCall)->Unit(benchmark::kMicrosecond);

void BM_DirectCairo(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(direct(i % 2 ? 60 : 40, (i / 2) % 101));
        ++i;
    }
}
BENCHMARK(BM_DirectCairo)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--print-theme") == 0) {
        std::fputs(defaultThemeScript().c_str(), stdout);
        return 0;
    }
    // Cold: the first icon of this process, worker start included.
    const auto coldStart = Clock::now();
    webview::UIWebView page;
    const std::string first = viaEvaluator(page, 40, 57);
    const double cold = std::chrono::duration<double, std::milli>(Clock::now() - coldStart).count();
    if (first.rfind("data:image/png;base64,", 0) != 0) {
        std::fprintf(stderr, "the built-in theme produced no image: %s\n", page.lastOutcome().describe().c_str());
        return 1;
    }
    const int rounds = 2020;
    auto evaluator = [&](int h, int l) { return viaEvaluator(page, h, l); };
    alternating(202, evaluator);  // warm up
    const Medians warm = alternating(rounds, evaluator);
    const Medians samePage = alternating(rounds, [&](int h, int l) { return viaEvaluator(page, h, l, false); });
    const Medians idle = alternating(606, evaluator, std::chrono::microseconds(2000));
    const Medians cairo = alternating(rounds, [](int h, int l) { return direct(h, l); });
    // The engine in this process, as the worker runs it: what a call costs
    // before any round trip; a new page is built between calls, untimed.
    webview::ScriptPages engine;
    webview::EvaluationOutcome outcome;
    auto inProcess = [&](bool freshPage) {
        return [&engine, &outcome, freshPage](int h, int l) { return engine.evaluate(1, freshPage, callFor(h, l), 1.0, outcome); };
    };
    alternating(202, inProcess(true), {}, [&] { engine.prepareSparePage(); });
    const Medians engineFresh = alternating(rounds, inProcess(true), {}, [&] { engine.prepareSparePage(); });
    const Medians engineSame = alternating(rounds, inProcess(false));
    std::vector<double> big, bigDirect;
    for (int i = 0; i < 40; ++i) {
        big.push_back(microseconds([&] { return viaEvaluator(page, 800, 40 + i); }));
        bigDirect.push_back(microseconds([&] { return direct(800, 40 + i); }));
    }
    std::printf("built-in ring theme, heights 40/60 alternating, levels 0..100, %d calls\n", rounds);
    std::printf("  first icon of a new process (worker start included): %8.2f ms\n", cold);
    std::printf("                                                        height 40   height 60  (per-call medians)\n");
    std::printf("  evaluator, back to back (new page+eval+PNG+worker):  %8.1f us %8.1f us\n", warm.h40, warm.h60);
    std::printf("  evaluator, worker idle between calls (status bar):   %8.1f us %8.1f us\n", idle.h40, idle.h60);
    std::printf("  evaluator, same page (no new page):                  %8.1f us %8.1f us\n", samePage.h40, samePage.h60);
    std::printf("  engine in this process, new page built ahead:        %8.1f us %8.1f us\n", engineFresh.h40, engineFresh.h60);
    std::printf("  engine in this process, same page:                   %8.1f us %8.1f us\n", engineSame.h40, engineSame.h60);
    std::printf("  direct cairo + pango, same icon and PNG writer:      %8.1f us %8.1f us\n", cairo.h40, cairo.h60);
    std::printf("  ratio back to back / direct:                         %8.2f    %8.2f\n", warm.h40 / cairo.h40,
                warm.h60 / cairo.h60);
    std::printf("  800 px icon: evaluator %.2f ms, direct %.2f ms (medians of 40)\n", median(big) / 1000,
                median(bigDirect) / 1000);
    // For bench/compare_with_node_canvas.sh: name, medians at 40 and 60 (us), 800 px (ms).
    std::printf("RESULT back %f %f %f\nRESULT idle %f %f %f\nRESULT direct %f %f %f\nRESULT enginefresh %f %f 0\nRESULT enginesame %f %f 0\n", warm.h40, warm.h60,
                median(big) / 1000, idle.h40, idle.h60, median(big) / 1000, cairo.h40, cairo.h60, median(bigDirect) / 1000,
                engineFresh.h40, engineFresh.h60, engineSame.h40, engineSame.h60);
    std::fflush(stdout);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
