// ampora-theme-worker: evaluates theme scripts for one process that asked for
// them, over the socket it was given, inside a sandbox. Whatever a script does
// here, the asking process only sees a late, empty or failed answer.
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/foundation/Base64.h"
#include "platform/graphics/EncodedImageMemo.h"
#include "platform/webview/Fonts.h"
#include "platform/webview/PageGlobals.h"
#include "platform/webview/Sandbox.h"
#include "platform/webview/ScriptPages.h"
#include "platform/webview/WorkerProtocol.h"
#include "platform/foundation/ProgramVersion.h"

namespace {

using namespace webview;

// The pixels the result's PNG decodes to, when this process wrote that PNG,
// go to the shared pixels: the asking process then need not decode it.
void attachPixels(worker::Reply& reply, unsigned char* shared) {
    if (!shared) return;
    auto png = foundation::base64PayloadOf(reply.value);
    if (!png) return;
    cairo_surface_t* decoded = graphics::recallDecodedPNG(*png);
    if (!decoded) return;
    const int w = cairo_image_surface_get_width(decoded), h = cairo_image_surface_get_height(decoded);
    const int stride = cairo_image_surface_get_stride(decoded);
    const unsigned char* data = cairo_image_surface_get_data(decoded);
    if (size_t(w) * h * 4 <= worker::kPixelBytes) {
        for (int y = 0; y < h; ++y) std::memcpy(shared + size_t(y) * w * 4, data + size_t(y) * stride, size_t(w) * 4);
        reply.width = unsigned(w), reply.height = unsigned(h);
    }
    cairo_surface_destroy(decoded);
}

unsigned char* mapSharedPixels() {
    void* map = ::mmap(nullptr, worker::kPixelBytes, PROT_READ | PROT_WRITE, MAP_SHARED, worker::kPixelsFd, 0);
    return map == MAP_FAILED ? nullptr : static_cast<unsigned char*>(map);
}

// Start-up work done before the sandbox closes: fonts, the engine's code paths
// and the first page, so the first theme does not pay for them. The script
// goes through what a battery theme does: rings, a centred label at two sizes
// (a new size loads glyphs anew), a data URL.
void warmUp(ScriptPages& pages) {
    EvaluationOutcome ignored;
    pages.evaluate(0, true,
                   "var c=document.createElement('canvas');c.width=c.height=8;var x=c.getContext('2d');"
                   "x.lineWidth=2;x.strokeStyle='rgba(255,255,255,0.3)';x.arc(4,4,3,0,7);x.stroke();"
                   "x.beginPath();x.arc(4,4,3,1,4);x.stroke();x.fillStyle='#fff';"
                   "x.font='20px Helvetica Neue';x.textAlign='center';x.textBaseline='middle';x.fillText(57,4,4);"
                   "x.font='6px Helvetica Neue';x.fillText('0',1,7);c.toDataURL('image/png')",
                   1.0, ignored);
    pages.close(0);
    pages.prepareSparePage();
}

}  // namespace

// Exits skip exit-time handlers: a leak checker's stops threads with ptrace,
// which the sandbox forbids, and there is nothing to flush.
int main(int argc, char** argv) {
    if (foundation::answeredVersion(argc, argv, "ampora-theme-worker")) return 0;
    // A worker outliving the process it serves would be of use to no one.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::signal(SIGPIPE, SIG_IGN);
    unsigned char* sharedPixels = mapSharedPixels();
    ::close_range(worker::kSocketFd + 1, ~0u, 0);

    // A theme logging in a loop must not make the reply, or the log of the
    // process that asked, grow with it.
    std::vector<std::string> console;
    size_t consoleBytes = 0;
    setConsoleSink([&](const std::string& line) {
        if (consoleBytes >= worker::kConsoleBytesPerEvaluation) return;
        consoleBytes += line.size();
        if (consoleBytes < worker::kConsoleBytesPerEvaluation) console.push_back(line);
        else console.push_back("console: more than 64 KiB logged in one evaluation; the rest was dropped");
    });
    // Made inside the sandbox's start-up: its threads must come after the file wall.
    std::optional<ScriptPages> made;
    std::string why;
    if (!enterSandbox([&made] { warmUp(made.emplace()); }, why)) {
        std::fprintf(stderr, "ampora-theme-worker: %s\n", why.c_str());
        return 3;
    }

    if (!worker::sendAll(worker::kSocketFd, std::string(worker::kReady, worker::kReadyLength))) std::_Exit(0);
    ScriptPages& pages = *made;
    worker::Reader reader;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        worker::Request request;
        while (!reader.takeRequest(request)) {
            if (reader.corrupt()) std::_Exit(4);
            const ssize_t n = ::recv(worker::kSocketFd, buffer.data(), buffer.size(), 0);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) std::_Exit(0);  // the asking process is gone
            reader.append(buffer.data(), size_t(n));
        }
        if (request.op == worker::Op::ClosePage) {
            pages.close(request.page);
            continue;
        }
        worker::Reply reply;
        console.clear();
        consoleBytes = 0;
        reply.value = pages.evaluate(request.page, request.freshPage, request.script, request.limitMs / 1000.0,
                                     reply.outcome);
        reply.console = std::move(console);
        attachPixels(reply, sharedPixels);
        if (!worker::sendAll(worker::kSocketFd, worker::encode(reply))) std::_Exit(0);
        pages.prepareSparePage();
    }
}
