// The engine's redraw (batteryImageWithForegoundColor with the default theme,
// level varying) against the same icon drawn straight with cairo and pango, and
// a whole `ampora render` process from start to PNG written.
#include "bench/MedianTime.h"
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/QVAXManager.h"
#include "platform/foundation/Base64.h"
#include "platform/foundation/PlistFile.h"
#include "platform/webview/Fonts.h"
#include "platform/graphics/PngWriter.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

void roundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

// "Ampora Connect" at height 40 px, white, not charging, written against cairo and pango.
std::string direct(int level) {
    const double height = 40, u = height / 20;
    webview::FontSpec font;
    font.weight = 600;
    font.sizePx = 12 * u;
    font.families = {"Helvetica Neue"};
    PangoLayout* layout = pango_layout_new(webview::Fonts::shared().context());
    pango_layout_set_font_description(layout, webview::Fonts::shared().description(font));
    pango_layout_set_text(layout, (std::to_string(level) + "%").c_str(), -1);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double labelWidth = std::ceil(logical.width / double(PANGO_SCALE));
    const double gap = std::round(3 * u), line = std::max(1.0, std::round(u));
    const double bodyW = std::round(23 * u), bodyH = std::round(11.5 * u), nubW = std::max(2.0, std::round(1.5 * u));
    const double left = labelWidth + gap, top = std::round((height - bodyH) / 2), r = 3.2 * u;

    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(left + bodyW + nubW + line), int(height));
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    const double baseline = pango_layout_get_baseline(layout) / double(PANGO_SCALE);
    cairo_move_to(cr, 0, height / 2 + webview::Fonts::shared().metrics(font).middleOffset - baseline);
    pango_cairo_layout_path(cr, layout);
    cairo_fill(cr);
    g_object_unref(layout);

    cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
    cairo_set_line_width(cr, line);
    roundRect(cr, left + line / 2, top + line / 2, bodyW - line, bodyH - line, r);
    cairo_stroke(cr);
    cairo_rectangle(cr, left + bodyW + line / 2, top + bodyH * 0.32, nubW, bodyH * 0.36);
    cairo_fill(cr);
    const double inset = line + std::max(1.0, std::round(u)), innerW = bodyW - 2 * inset;
    const double fillW = level <= 0 ? 0 : std::max(std::round(u), innerW * std::min(level, 100) / 100);
    if (fillW > 0) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        roundRect(cr, left + inset, top + inset, fillW, bodyH - 2 * inset, std::min(fillW / 2, std::max(0.0, r - inset)));
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    const std::string png = graphics::writePNG(surface);
    cairo_surface_destroy(surface);
    // The engine decodes the theme's data URL into an image too.
    return foundation::base64Encode(png);
}

int runProcess(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QVAXManager* gManager = nullptr;

void BM_EngineRedraw(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(gManager->batteryImageWithForegoundColor(graphics::Color::grey(1), i % 2 ? 60 : 40,
                                                                          (i / 2) % 101, false, false));
        ++i;
    }
}
BENCHMARK(BM_EngineRedraw)->Unit(benchmark::kMicrosecond);

void BM_DirectCairo(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(direct(i++ % 101));
}
BENCHMARK(BM_DirectCairo)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // A preferences root of its own with the shipped themes, switched on;
    // made anew, so runs side by side do not share one.
    std::string made = (std::filesystem::temp_directory_path() / "ampora-bench-XXXXXX").string();
    if (!::mkdtemp(made.data())) {
        std::perror("engine_bench: cannot make its preferences folder");
        return 1;
    }
    const std::string root = made;
    std::filesystem::create_directories(root + "/Ampora");
    for (const auto& theme : std::filesystem::directory_iterator(AMPORA_SHIPPED_THEMES))
        std::filesystem::copy_file(theme.path(), root + "/Ampora/" + theme.path().filename().string());
    ::setenv("AMPORA_PREFERENCES", root.c_str(), 1);
    foundation::writeDictionaryToFile({{"enabled", true}}, root + "/com.kelvary.ampora.plist");

    QVAXManager manager;
    gManager = &manager;
    if (!manager.batteryImageWithForegoundColor(graphics::Color::grey(1), 40, 57, false, false)) {
        std::fprintf(stderr, "the default theme gave no image\n");
        std::filesystem::remove_all(root);
        return 1;
    }
    const int rounds = 2000;
    auto redraw = [&](int i) {
        benchmark::DoNotOptimize(manager.batteryImageWithForegoundColor(graphics::Color::grey(1), 40, i % 101, false, false));
    };
    medianMicroseconds(200, redraw);
    const double engine = medianMicroseconds(rounds, redraw);
    const double cairo = medianMicroseconds(rounds, [](int i) { benchmark::DoNotOptimize(direct(i % 101)); });
    const std::string output = root + "/icon.png";
    const double process = medianMicroseconds(21, [&](int i) {
        runProcess({AMPORA_BINARY, "render", "--level", std::to_string(i * 5), "-o", output});
    }) / 1000;
    std::printf("Ampora Connect, height 40 px, white, level 0..100, %d rounds\n", rounds);
    std::printf("  engine redraw (batteryImageWithForegoundColor): %8.1f us median\n", engine);
    std::printf("  direct cairo + pango (same icon):               %8.1f us median\n", cairo);
    std::printf("  ratio engine / direct:                          %8.2f\n", engine / cairo);
    std::printf("  whole 'ampora render' process, start to PNG:    %8.1f ms median of 21\n\n", process);
    std::fflush(stdout);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(root);
    return 0;
}
