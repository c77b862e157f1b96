#include "platform/foundation/PlistValue.h"

namespace foundation {

const PlistValue* valueForKey(const PlistDictionary* dictionary, const std::string& key) {
    if (!dictionary) return nullptr;
    auto it = dictionary->find(key);
    return it == dictionary->end() ? nullptr : &it->second;
}

}  // namespace foundation
