#include "platform/foundation/PlistFile.h"

#include <plist/plist.h>

#include <limits>
#include <memory>

#include "platform/foundation/AtomicWrite.h"

namespace foundation {
namespace {

struct NodeDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

// `tooDeep` aborts the whole conversion: a hostile file nested thousands deep
// must not exhaust the stack.
std::optional<PlistValue> fromNode(plist_t node, int depth, bool& tooDeep) {
    if (depth > kMaxPlistDepth) {
        tooDeep = true;
        return std::nullopt;
    }
    switch (plist_get_node_type(node)) {
    case PLIST_DICT: {
        PlistDictionary dictionary;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char* key = nullptr;
            plist_t item = nullptr;
            plist_dict_next_item(node, it, &key, &item);
            if (!item) {
                free(key);
                break;
            }
            auto value = fromNode(item, depth + 1, tooDeep);
            if (value && key) dictionary.insert_or_assign(key, std::move(*value));
            free(key);
            if (tooDeep) {
                free(it);
                return std::nullopt;
            }
        }
        free(it);
        return PlistValue(std::move(dictionary));
    }
    case PLIST_ARRAY: {
        PlistArray array;
        uint32_t count = plist_array_get_size(node);
        for (uint32_t i = 0; i < count; ++i) {
            auto value = fromNode(plist_array_get_item(node, i), depth + 1, tooDeep);
            if (tooDeep) return std::nullopt;
            if (value) array.push_back(std::move(*value));
        }
        return PlistValue(std::move(array));
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* text = plist_get_string_ptr(node, &length);
        return PlistValue(std::string(text ? text : "", text ? length : 0));
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        // Signed integers travel as their two's complement bit pattern.
        return PlistValue(static_cast<long long>(static_cast<int64_t>(v)));
    }
    case PLIST_REAL: {
        double v = 0;
        plist_get_real_val(node, &v);
        return PlistValue(v);
    }
    case PLIST_BOOLEAN: {
        uint8_t v = 0;
        plist_get_bool_val(node, &v);
        return PlistValue(v != 0);
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* bytes = plist_get_data_ptr(node, &length);
        return PlistValue(PlistData(bytes, bytes + (bytes ? length : 0)));
    }
    case PLIST_DATE: {
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        return PlistValue(PlistDate{sec + usec / 1e6});
    }
    default:
        return std::nullopt;
    }
}

plist_t toNode(const PlistValue& value) {
    switch (value.kind()) {
    case PlistValue::Kind::Dictionary: {
        plist_t node = plist_new_dict();
        for (const auto& [key, item] : *value.asDictionary()) plist_dict_set_item(node, key.c_str(), toNode(item));
        return node;
    }
    case PlistValue::Kind::Array: {
        plist_t node = plist_new_array();
        for (const auto& item : *value.asArray()) plist_array_append_item(node, toNode(item));
        return node;
    }
    case PlistValue::Kind::String:
        return plist_new_string(value.asString()->c_str());
    case PlistValue::Kind::Integer:
        return plist_new_uint(static_cast<uint64_t>(*value.asInteger()));
    case PlistValue::Kind::Real:
        return plist_new_real(*value.asReal());
    case PlistValue::Kind::Boolean:
        return plist_new_bool(*value.asBoolean());
    case PlistValue::Kind::Data: {
        const auto& data = *value.asData();
        return plist_new_data(reinterpret_cast<const char*>(data.data()), data.size());
    }
    case PlistValue::Kind::Date: {
        double seconds = value.asDate()->secondsSinceReferenceDate;
        auto whole = static_cast<int32_t>(seconds);
        return plist_new_date(whole, static_cast<int32_t>((seconds - whole) * 1e6));
    }
    }
    return plist_new_string("");
}

// libplist's XML parser recurses once per element level; count the levels
// before it sees them.
bool xmlNestedTooDeep(const std::string& bytes) {
    int depth = 0;
    for (size_t i = bytes.find('<'); i != std::string::npos; i = bytes.find('<', i + 1)) {
        const char next = i + 1 < bytes.size() ? bytes[i + 1] : '\0';
        // Text of comments and CDATA sections is skipped whole: it may hold "</".
        const char* skipTo = bytes.compare(i, 9, "<![CDATA[") == 0 ? "]]>" : bytes.compare(i, 4, "<!--") == 0 ? "-->" : nullptr;
        if (skipTo) {
            i = bytes.find(skipTo, i);
            if (i == std::string::npos) return false;
        } else if (next == '/') {
            --depth;
        } else if (next != '?' && next != '!') {
            const size_t end = bytes.find('>', i);
            if (end == std::string::npos) return false;  // unparsable anyway
            if (bytes[end - 1] != '/' && ++depth > kMaxPlistDepth + 2) return true;
            i = end;
        }
    }
    return false;
}

}  // namespace

std::optional<PlistValue> plistFromBytes(const std::string& bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    if (bytes.rfind("bplist00", 0) != 0 && xmlNestedTooDeep(bytes)) return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &root);
    if (!root) return std::nullopt;
    Node owner(root);
    bool tooDeep = false;
    return fromNode(root, 1, tooDeep);
}

std::string plistToXML(const PlistValue& value) {
    Node node(toNode(value));
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(node.get(), &xml, &length);
    std::string result(xml ? xml : "", xml ? length : 0);
    plist_to_xml_free(xml);
    return result;
}

DictionaryRead readDictionary(const std::string& path, std::size_t limit) {
    FileRead file = readRegularFile(path, limit);
    if (!file.ok()) return {file.status, std::nullopt, file.problem};
    std::optional<PlistValue> value;
    try {
        value = plistFromBytes(file.bytes);
    } catch (const std::exception&) {
        value.reset();
    }
    if (!value || !value->asDictionary()) {
        const std::string problem = !value ? "is not a property list (or is nested more than " +
                                                 std::to_string(kMaxPlistDepth) + " levels deep)"
                                           : "holds a property list whose root is not a dictionary";
        logUnreadableOnce(path, problem);
        return {FileRead::Status::Unreadable, std::nullopt, problem};
    }
    return {FileRead::Status::Read, std::move(*value->asDictionary()), {}};
}

std::optional<PlistDictionary> readDictionaryFromFile(const std::string& path) {
    return std::move(readDictionary(path).dictionary);
}

bool writeDictionaryToFile(const PlistDictionary& dictionary, const std::string& path, std::string* problem) {
    return writeFileAtomically(path, plistToXML(PlistValue(dictionary)), problem);
}

}  // namespace foundation
