// A theme worker that a theme took over, for the tests: AMPORA_FAKE_WORKER
// says how it lies ("flood", "size", "pixels", "stall").
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/webview/WorkerProtocol.h"

using namespace webview;

namespace {

void awaitRequest() {
    char buffer[4096];
    (void)!::read(worker::kSocketFd, buffer, sizeof buffer);
}

std::string header(std::uint64_t size) {
    std::string out(12, '\0');
    const std::uint32_t magic = 0x41525031;
    std::memcpy(out.data(), &magic, 4);
    std::memcpy(out.data() + 4, &size, 8);
    return out;
}

}  // namespace

int main() {
    // Replaced workers must not outlive the test as sleepers.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const char* mode = std::getenv("AMPORA_FAKE_WORKER");
    const std::string how = mode ? mode : "";
    if (how == "stall") ::sleep(30);
    worker::sendAll(worker::kSocketFd, std::string(worker::kReady, worker::kReadyLength));
    awaitRequest();
    const std::string chunk(1 << 20, 'A');
    if (how == "flood") {  // a reply of 2^62 bytes, sent for as long as anyone reads
        worker::sendAll(worker::kSocketFd, header(std::uint64_t(1) << 62));
        while (worker::sendAll(worker::kSocketFd, chunk)) {
        }
    } else if (how == "size") {  // a believable size just past the cap, then bytes
        worker::sendAll(worker::kSocketFd, header(worker::kMaxReplyBytes + 1));
        while (worker::sendAll(worker::kSocketFd, chunk)) {
        }
    } else if (how == "pixels") {  // a 1x1 PNG that claims 4096x4096 shared pixels
        worker::Reply reply;
        reply.value =
            "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR4nGP4z8DwHwAFAAH/iZk9HQAAAABJRU5ErkJggg==";
        reply.width = reply.height = 4096;
        worker::sendAll(worker::kSocketFd, worker::encode(reply));
        awaitRequest();
    }
    ::sleep(30);
}
