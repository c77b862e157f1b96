#pragma once
// One property-list value: dictionary, array, string, integer, real, boolean, data or date.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace foundation {

class PlistValue;
using PlistDictionary = std::map<std::string, PlistValue>;
using PlistArray = std::vector<PlistValue>;
using PlistData = std::vector<std::uint8_t>;

// Seconds since 2001-01-01 00:00:00 UTC, the property-list epoch.
struct PlistDate {
    double secondsSinceReferenceDate = 0;
    bool operator==(const PlistDate&) const = default;
};

// A reference of the binary form's object archives; nothing here reads one, but
// a rewrite must keep it.
struct PlistUID {
    std::uint64_t value = 0;
    bool operator==(const PlistUID&) const = default;
};

// Dictionaries that several owners edit in place (render settings shown by a
// preview and edited by the picker) are passed around as this handle.
using SharedDictionary = std::shared_ptr<PlistDictionary>;

class PlistValue {
public:
    enum class Kind { Dictionary, Array, String, Integer, Real, Boolean, Data, Date, UID };

    PlistValue() : storage_(std::string()) {}
    PlistValue(bool v) : storage_(v) {}
    PlistValue(int v) : storage_(std::int64_t(v)) {}
    PlistValue(long v) : storage_(std::int64_t(v)) {}
    PlistValue(long long v) : storage_(std::int64_t(v)) {}
    PlistValue(double v) : storage_(v) {}
    PlistValue(const char* v) : storage_(std::string(v)) {}
    PlistValue(std::string v) : storage_(std::move(v)) {}
    PlistValue(PlistDictionary v) : storage_(std::move(v)) {}
    PlistValue(PlistArray v) : storage_(std::move(v)) {}
    PlistValue(PlistData v) : storage_(std::move(v)) {}
    PlistValue(PlistDate v) : storage_(v) {}
    PlistValue(PlistUID v) : storage_(v) {}

    Kind kind() const { return static_cast<Kind>(storage_.index()); }

    const PlistDictionary* asDictionary() const { return std::get_if<PlistDictionary>(&storage_); }
    PlistDictionary* asDictionary() { return std::get_if<PlistDictionary>(&storage_); }
    const PlistArray* asArray() const { return std::get_if<PlistArray>(&storage_); }
    const std::string* asString() const { return std::get_if<std::string>(&storage_); }
    const std::int64_t* asInteger() const { return std::get_if<std::int64_t>(&storage_); }
    const double* asReal() const { return std::get_if<double>(&storage_); }
    const bool* asBoolean() const { return std::get_if<bool>(&storage_); }
    const PlistData* asData() const { return std::get_if<PlistData>(&storage_); }
    const PlistDate* asDate() const { return std::get_if<PlistDate>(&storage_); }
    const PlistUID* asUID() const { return std::get_if<PlistUID>(&storage_); }

    bool operator==(const PlistValue& other) const { return storage_ == other.storage_; }

private:
    std::variant<PlistDictionary, PlistArray, std::string, std::int64_t, double, bool, PlistData, PlistDate, PlistUID>
        storage_;
};

// Value under `key`, or nullptr when the dictionary is absent or lacks the key.
const PlistValue* valueForKey(const PlistDictionary* dictionary, const std::string& key);
inline const PlistValue* valueForKey(const std::optional<PlistDictionary>& dictionary, const std::string& key) {
    return valueForKey(dictionary ? &*dictionary : nullptr, key);
}

}  // namespace foundation
