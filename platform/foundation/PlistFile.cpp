#include "platform/foundation/PlistFile.h"

#include <plist/plist.h>

#include <limits>
#include <memory>
#include <vector>

#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/PlistDates.h"
#include "platform/foundation/PlistNesting.h"
#include "platform/foundation/Text.h"

namespace foundation {
namespace {

struct NodeDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

struct Reading {
    std::vector<double> dates;  // real values of the date stand-ins
    // Aborts the whole conversion: a hostile file nested thousands deep must not exhaust the stack.
    bool tooDeep = false;
};

std::optional<PlistValue> fromNode(plist_t node, int depth, Reading& reading) {
    if (depth > kMaxPlistDepth) {
        reading.tooDeep = true;
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
            auto value = fromNode(item, depth + 1, reading);
            if (value && key) dictionary.insert_or_assign(key, std::move(*value));
            free(key);
            if (reading.tooDeep) {
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
            auto value = fromNode(plist_array_get_item(node, i), depth + 1, reading);
            if (reading.tooDeep) return std::nullopt;
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
        return PlistValue(PlistDate{realDate(sec, usec, reading.dates)});
    }
    case PLIST_UID: {
        uint64_t v = 0;
        plist_get_uid_val(node, &v);
        return PlistValue(PlistUID{v});
    }
    default:
        return std::nullopt;
    }
}

struct Writing {
    std::vector<double> dates;  // real values of the date stand-ins, in order
    bool uids = false;          // XML would turn them into dictionaries
    bool notXMLText = false;    // a key or string XML 1.0 cannot hold
};

// Valid UTF-8 without the control characters and non-characters XML 1.0 forbids.
bool isXMLText(const std::string& text) {
    if (!isValidUTF8(text)) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return false;
        // U+FFFE and U+FFFF: EF BF BE and EF BF BF.
        if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
            (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE)
            return false;
    }
    return true;
}

plist_t toNode(const PlistValue& value, Writing& writing) {
    switch (value.kind()) {
    case PlistValue::Kind::Dictionary: {
        plist_t node = plist_new_dict();
        for (const auto& [key, item] : *value.asDictionary()) {
            if (!isXMLText(key)) writing.notXMLText = true;
            plist_dict_set_item(node, key.c_str(), toNode(item, writing));
        }
        return node;
    }
    case PlistValue::Kind::Array: {
        plist_t node = plist_new_array();
        for (const auto& item : *value.asArray()) plist_array_append_item(node, toNode(item, writing));
        return node;
    }
    case PlistValue::Kind::String:
        if (!isXMLText(*value.asString())) writing.notXMLText = true;
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
        writing.dates.push_back(value.asDate()->secondsSinceReferenceDate);
        return plist_new_date(kDateStandInBase + static_cast<int32_t>(writing.dates.size() - 1), 0);
    }
    case PlistValue::Kind::UID:
        writing.uids = true;
        return plist_new_uid(value.asUID()->value);
    }
    return plist_new_string("");
}

}  // namespace

std::optional<PlistValue> plistFromBytes(const std::string& bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<uint32_t>::max()) return std::nullopt;
    if (plistNestedTooDeep(bytes, kMaxPlistDepth + 2)) return std::nullopt;
    Reading reading;
    const std::string standIns = withDateStandIns(bytes, reading.dates);
    plist_t root = nullptr;
    plist_from_memory(standIns.data(), static_cast<uint32_t>(standIns.size()), &root);
    if (!root) return std::nullopt;
    Node owner(root);
    return fromNode(root, 1, reading);
}

namespace {

std::string xmlOf(plist_t node) {
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(node, &xml, &length);
    std::string result(xml ? xml : "", xml ? length : 0);
    plist_to_xml_free(xml);
    return result;
}

}  // namespace

std::string plistToXML(const PlistValue& value) {
    Writing writing;
    Node node(toNode(value, writing));
    const std::string xml = xmlOf(node.get());
    return xmlWithRealDates(xml, writing.dates).value_or(xml);
}

std::string plistFileBytes(const PlistValue& value) {
    Writing writing;
    Node node(toNode(value, writing));
    if (!writing.uids && !writing.notXMLText)
        if (auto xml = xmlWithRealDates(xmlOf(node.get()), writing.dates)) return *xml;
    // A date XML cannot spell (a fraction of a second, a year past 9999) keeps its exact value in binary,
    // and text that is not UTF-8 would make the XML ill-formed for every strict reader.
    char* bin = nullptr;
    uint32_t length = 0;
    plist_to_bin(node.get(), &bin, &length);
    std::string result(bin ? bin : "", bin ? length : 0);
    plist_to_bin_free(bin);
    return binaryWithRealDates(std::move(result), writing.dates);
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
    return writeFileAtomically(path, plistFileBytes(PlistValue(dictionary)), problem);
}

}  // namespace foundation
