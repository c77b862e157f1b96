#include "platform/foundation/PlistNesting.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace foundation {
namespace {

bool xmlTooDeep(const std::string& bytes, int limit) {
    int depth = 0;
    for (size_t i = bytes.find('<'); i != std::string::npos; i = bytes.find('<', i + 1)) {
        const char next = i + 1 < bytes.size() ? bytes[i + 1] : '\0';
        // Text of comments and CDATA sections is skipped whole: it may hold "</".
        const char* skipTo = bytes.compare(i, 9, "<![CDATA[") == 0 ? "]]>" : bytes.compare(i, 4, "<!--") == 0 ? "-->" : nullptr;
        if (skipTo) {
            i = bytes.find(skipTo, i);
            if (i == std::string::npos) return false;  // unparsable anyway
        } else if (next == '/') {
            --depth;
        } else if (next != '?' && next != '!') {
            const size_t end = bytes.find('>', i);
            if (end == std::string::npos) return false;
            if (bytes[end - 1] != '/' && ++depth > limit) return true;
            i = end;
        }
    }
    return false;
}

uint64_t bigEndian(const std::string& bytes, size_t at, size_t size) {
    uint64_t v = 0;
    for (size_t i = 0; i < size; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

// The binary form: a table of object offsets, and containers (arrays 0xA, sets
// 0xC, dictionaries 0xD) that refer to other objects by index.
class BinaryObjects {
public:
    explicit BinaryObjects(const std::string& bytes) : bytes_(bytes) {
        if (bytes.size() < 8 + 32) return;
        const size_t trailer = bytes.size() - 32;
        offsetSize_ = static_cast<unsigned char>(bytes[trailer + 6]);
        refSize_ = static_cast<unsigned char>(bytes[trailer + 7]);
        count_ = bigEndian(bytes, trailer + 8, 8);
        top_ = bigEndian(bytes, trailer + 16, 8);
        table_ = bigEndian(bytes, trailer + 24, 8);
        valid_ = offsetSize_ >= 1 && offsetSize_ <= 8 && refSize_ >= 1 && refSize_ <= 8 && top_ < count_ &&
                 table_ <= trailer && count_ <= (trailer - table_) / offsetSize_;
    }
    bool valid() const { return valid_; }
    uint64_t count() const { return count_; }
    uint64_t top() const { return top_; }

    // The objects a container refers to; false when the object is malformed.
    bool children(uint64_t index, std::vector<uint64_t>& out) const {
        out.clear();
        const uint64_t at = bigEndian(bytes_, table_ + index * offsetSize_, offsetSize_);
        if (at >= table_) return false;
        const unsigned marker = static_cast<unsigned char>(bytes_[at]);
        const unsigned type = marker >> 4;
        if (type != 0xA && type != 0xC && type != 0xD) return true;
        uint64_t n = marker & 0xF, refs = at + 1;
        if (n == 0xF) {  // the count follows as an integer object
            if (refs >= table_) return false;
            const unsigned intMarker = static_cast<unsigned char>(bytes_[refs]);
            const size_t size = size_t(1) << (intMarker & 0xF);
            if ((intMarker >> 4) != 0x1 || size > 8 || refs + 1 + size > table_) return false;
            n = bigEndian(bytes_, refs + 1, size);
            refs += 1 + size;
        }
        const uint64_t total = type == 0xD ? n * 2 : n;
        if (n > table_ || total > (table_ - refs) / refSize_) return false;
        for (uint64_t i = 0; i < total; ++i) {
            const uint64_t child = bigEndian(bytes_, refs + i * refSize_, refSize_);
            if (child >= count_) return false;
            out.push_back(child);
        }
        return true;
    }

private:
    const std::string& bytes_;
    unsigned offsetSize_ = 0, refSize_ = 0;
    uint64_t count_ = 0, top_ = 0, table_ = 0;
    bool valid_ = false;
};

// Depth-first with an explicit stack; each object's depth is worked out once, so
// shared objects cost nothing more and a cycle shows as an object still open.
bool binaryTooDeep(const std::string& bytes, int limit) {
    const BinaryObjects objects(bytes);
    if (!objects.valid()) return true;
    enum : uint8_t { kNew, kOpen, kDone };
    std::vector<uint8_t> state(objects.count(), kNew);
    std::vector<int> height(objects.count(), 1);
    struct Frame {
        uint64_t index;
        std::vector<uint64_t> children;
        size_t next = 0;
    };
    std::vector<Frame> stack;
    auto open = [&](uint64_t index) {
        Frame frame{index, {}, 0};
        if (!objects.children(index, frame.children)) return false;
        state[index] = kOpen;
        stack.push_back(std::move(frame));
        return stack.size() <= size_t(limit);
    };
    if (!open(objects.top())) return true;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.children.size()) {
            state[frame.index] = kDone;
            const int h = height[frame.index];
            stack.pop_back();
            if (!stack.empty()) height[stack.back().index] = std::max(height[stack.back().index], h + 1);
            continue;
        }
        const uint64_t child = frame.children[frame.next++];
        if (state[child] == kOpen) return true;  // a cycle
        if (state[child] == kDone) {
            if (height[child] + int(stack.size()) > limit) return true;
            height[frame.index] = std::max(height[frame.index], height[child] + 1);
            continue;
        }
        if (!open(child)) return true;
    }
    return false;
}

}  // namespace

bool plistNestedTooDeep(const std::string& bytes, int limit) {
    if (bytes.rfind("bplist00", 0) == 0) return binaryTooDeep(bytes, limit);
    return xmlTooDeep(bytes, limit);
}

}  // namespace foundation
