// Themes written to harm the process that draws them: each must end with an
// empty result, leave the asking process as it was and the next theme unharmed.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/graphics/Image.h"
#include "platform/graphics/PNG.h"
#include "platform/webview/WorkerClient.h"
#include "tests/webview/CanvasTestSupport.h"

using webview::EvaluationOutcome;
using webview::UIWebView;

namespace {

using namespace std::chrono_literals;

size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t total = 0, resident = 0;
    statm >> total >> resident;
    return resident * size_t(::sysconf(_SC_PAGESIZE));
}

// A small theme's image, to compare what later themes draw with.
const char* kRing =
    "(function(){var c=document.createElement('canvas');c.width=c.height=24;var x=c.getContext('2d');"
    "x.strokeStyle='rgb('+[10,200,30].join()+')';x.lineWidth=3;x.arc(12,12,8,0,2*Math.PI);x.stroke();"
    "x.font='10px Helvetica Neue';x.fillText('5',8,16);return c.toDataURL('image/png')})()";

std::string fresh(UIWebView& page, const std::string& script) {
    page.loadHTMLString("");
    return page.stringByEvaluatingJavaScriptFromString(script);
}

}  // namespace

TEST(HostileTheme, RunawayScriptsAreStoppedAndTheNextCallWorks) {
    UIWebView page;
    EXPECT_EQ(fresh(page, "typeof WebAssembly"), "undefined") << "no WebAssembly on the page";
    const char* runaways[] = {
        "for(;;) document.createElement('canvas')",
        "var x=document.createElement('canvas').getContext('2d'); for(;;) x.createImageData(64,64)",
        "var x=document.createElement('canvas').getContext('2d'); for(;;) x.getImageData(0,0,64,64)",
        "eval('1+'.repeat(5e6)+'1'); 'parsed'",
        "var x=document.createElement('canvas').getContext('2d'); x.font='a'.repeat(2**30); 'set'",
    };
    for (const char* script : runaways) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(fresh(page, script), "") << script << ": no image";
        // Which limit ends it first (time or memory) depends on the machine's speed.
        const auto kind = page.lastOutcome().kind;
        EXPECT_TRUE(kind == EvaluationOutcome::Kind::Timeout || kind == EvaluationOutcome::Kind::Stopped)
            << script << ": " << page.lastOutcome().describe();
        EXPECT_FALSE(page.lastOutcome().describe().empty()) << script << ": the reason is told";
        // The hard deadline is 1 s; a generous bound only catches a hang.
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << script;
        EXPECT_EQ(fresh(page, "'next ' + 'works'"), "next works") << "after " << script;
    }
}

TEST(HostileTheme, AMemoryBombEndsTheWorkerNotTheHost) {
    UIWebView page;
    fresh(page, "''");
    const size_t before = residentBytes();
    page.setMemoryLimit(size_t(256) << 20);
    page.setTimeLimit(30000ms);  // the memory ceiling is what must stop it
    EXPECT_EQ(fresh(page, "var x=document.createElement('canvas').getContext('2d'), kept=[];"
                          "for(;;) kept.push(x.createImageData(4096,4096))"),
              "");
    EXPECT_EQ(page.lastOutcome().kind, EvaluationOutcome::Kind::Stopped);
    EXPECT_NE(page.lastOutcome().describe().find("256 MB"), std::string::npos) << page.lastOutcome().describe();
    EXPECT_LT(residentBytes(), before + (size_t(100) << 20)) << "the host's own memory did not grow";
    page.setMemoryLimit(UIWebView::kDefaultMemoryLimit);
    page.setTimeLimit(UIWebView::kDefaultTimeLimit);
    EXPECT_EQ(fresh(page, "'alive'"), "alive");
}

TEST(HostileTheme, NothingAThemeLeavesReachesTheNextTheme) {
    UIWebView page;
    const Pixels clean = pixelsFromDataURL(fresh(page, kRing));
    ASSERT_FALSE(clean.empty());
    const char* tampering[] = {
        "Object.defineProperty(globalThis,'leftover',{get(){for(;;){}},configurable:false}); ''",
        "Object.defineProperty(Object.prototype,'get',{get(){for(;;){}}}); ''",
        "Array.prototype.join=function(){return '255,0,0'}; ''",
        "Object.getPrototypeOf(document.createElement('canvas')).toDataURL=function(){return 'data:,'}; ''",
        "var p=Object.getPrototypeOf(document.createElement('canvas').getContext('2d'));"
        "p.stroke=function(){}; Math.PI=0; ''",
    };
    for (const char* script : tampering) {
        fresh(page, script);
        const auto start = std::chrono::steady_clock::now();
        const Pixels next = pixelsFromDataURL(fresh(page, kRing));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << script;
        EXPECT_EQ(next.rgba, clean.rgba) << "after " << script;
    }
    // Another web view of the same process has its own page.
    UIWebView other;
    page.stringByEvaluatingJavaScriptFromString("var mine = 'page one'; ''");
    other.stringByEvaluatingJavaScriptFromString("var mine = 'page two'; ''");
    EXPECT_EQ(page.stringByEvaluatingJavaScriptFromString("mine"), "page one");
    EXPECT_EQ(other.stringByEvaluatingJavaScriptFromString("mine"), "page two");
}

TEST(HostileTheme, HugeNumbersAreHeldToRangesCairoAndPangoCanTake) {
    // Each of these overflowed an integer or ran for seconds.
    const Pixels shadowed = draw(sharedPage(), 20, 20,
                                 "x.shadowColor='red'; x.shadowBlur=2.3e9; x.fillStyle='blue'; x.fillRect(5,5,10,10);"
                                 "x.shadowBlur=1e8; x.shadowOffsetX=1e300; x.fillRect(0,0,2,2)");
    ASSERT_FALSE(shadowed.empty());
    EXPECT_EQ(shadowed.at(10, 10), (std::array<int, 4>{0, 0, 255, 255}));
    const Pixels filtered = draw(sharedPage(), 20, 20,
                                 "x.filter='blur(1e308px) drop-shadow(1e308px -1e308px 1e308px red)'; x.fillRect(0,0,20,20);"
                                 "x.filter='drop-shadow(-1e300px 0 1e300px red)'; x.shadowColor='red'; x.shadowBlur=1e300;"
                                 "x.fillStyle='blue'; x.fillRect(5,5,10,10)");
    ASSERT_FALSE(filtered.empty());
    EXPECT_EQ(filtered.at(10, 10), (std::array<int, 4>{0, 0, 255, 255}));
    EXPECT_EQ(sharedPage().stringByEvaluatingJavaScriptFromString(
                  "var x=document.createElement('canvas').getContext('2d'); x.font='1e5px a';"
                  "var w=x.measureText('hello').width; x.font='100px a'; String(Math.round(w/x.measureText('hello').width))"),
              "1000")
        << "text past pango's range is measured to scale";
    const Pixels wide = draw(sharedPage(), 20, 20,
                             "x.lineWidth=1e300; x.setLineDash([1e-6, 1e-6]); x.moveTo(-1e12,10); x.lineTo(1e12,10); x.stroke();"
                             "x.scale(1e200,1e200); x.font='1e300px serif'; x.fillText('W', 1e300, -1e300)");
    EXPECT_EQ(wide.alpha(10, 0), 255) << "a very wide line still covers the canvas";
    UIWebView patient;  // building the long strings alone takes a while on a busy machine
    patient.setTimeLimit(10s);
    EXPECT_EQ(patient.stringByEvaluatingJavaScriptFromString(
                  "var x=document.createElement('canvas').getContext('2d'); x.font='12px a'; x.font='b'.repeat(9e6)+' 10px c';"
                  "x.fillStyle='#'+'0'.repeat(9e6); x.font+' '+x.fillStyle"),
              "12px a #000000")
        << "over-long strings are refused like invalid values";
}

TEST(HostileTheme, OversizedScriptsAndResultsAreRefused) {
    UIWebView page;
    EXPECT_EQ(fresh(page, "'" + std::string(UIWebView::kMaxScriptBytes, 'a') + "'"), "");
    EXPECT_EQ(page.lastOutcome().kind, EvaluationOutcome::Kind::Stopped);
    EXPECT_EQ(fresh(page, "'a'.repeat(2**27)"), "") << "no result larger than any image needs";
    EXPECT_EQ(fresh(page, "'small'"), "small");
}

TEST(HostileTheme, APngLargerThanAnyCanvasIsNotDecoded) {
    // The signature and a header claiming 20000 x 20000: refused on the header
    // alone, before gigabytes are asked for.
    std::string png = "\x89PNG\r\n\x1a\n";
    png += std::string("\0\0\0\x0dIHDR", 8) + std::string("\0\0\x4e\x20\0\0\x4e\x20\x08\x06\0\0\0", 13);
    png += std::string(4, '\0') + std::string(1000, '\0');
    EXPECT_EQ(graphics::decodePNG(png), nullptr);
    EXPECT_EQ(graphics::UIImage::imageWithData(png, 2), nullptr);
}

TEST(HostileTheme, TheWorkerRunsInItsSandbox) {
    UIWebView page;
    ASSERT_EQ(fresh(page, "'up'"), "up");
    const pid_t worker = webview::WorkerClient::shared().pid();
    ASSERT_GT(worker, 0);
    ASSERT_NE(worker, ::getpid());
    // JavaScriptCore's own threads included, which were started before the filter.
    const std::string tasks = "/proc/" + std::to_string(worker) + "/task";
    int seen = 0;
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        std::ifstream status(task.path() / "status");
        std::string line, seccomp, noNewPrivs;
        while (std::getline(status, line)) {
            if (line.rfind("Seccomp:", 0) == 0) seccomp = line;
            if (line.rfind("NoNewPrivs:", 0) == 0) noNewPrivs = line;
        }
        ++seen;
        EXPECT_EQ(seccomp, "Seccomp:\t2") << task.path();
        EXPECT_EQ(noNewPrivs, "NoNewPrivs:\t1") << task.path();
    }
    EXPECT_GT(seen, 1) << "the worker's threads were all looked at";
}
