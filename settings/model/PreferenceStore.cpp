#include "settings/model/PreferenceStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/foundation/AtomicWrite.h"
#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/PlistFile.h"

using foundation::PlistDictionary;
using foundation::PlistValue;

std::optional<PlistValue> getPreferenceValueForKey(const std::string& path, const std::string& key) {
    auto dictionary = foundation::readDictionaryFromFile(path);
    if (const PlistValue* value = foundation::valueForKey(dictionary, key)) return *value;
    return std::nullopt;
}

void setPreferenceValueForKey(const std::string& path, const std::string& key, const PlistValue& value) {
    PreferenceStore::rewrite(path, PreferenceStore::WhenMissing::Skip,
                             [&](PlistDictionary& settings) { settings.insert_or_assign(key, value); });
}

PlistDictionary getSettingsForKeys(const std::vector<std::string>& keys) {
    auto settings = foundation::readDictionaryFromFile(foundation::settingsFilePath());
    PlistDictionary result;
    for (const auto& key : keys)
        if (const PlistValue* value = foundation::valueForKey(settings, key)) result.insert_or_assign(key, *value);
    return result;
}

namespace PreferenceStore {
namespace {

// Held from before the read until after the rename; released by close.
class FileLock {
public:
    explicit FileLock(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
        if (fd_ < 0) {
            problem_ = "cannot open the lock file " + path + ": " + std::strerror(errno);
            return;
        }
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            problem_ = "cannot lock " + path + ": " + std::strerror(errno);
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    const std::string& problem() const { return problem_; }

private:
    int fd_ = -1;
    std::string problem_;
};

std::string& lastProblemText() {
    static std::string text;
    return text;
}

RewriteResult failed(RewriteResult::Outcome outcome, std::string message) {
    foundation::logLine("AMPORA: " + message);
    lastProblemText() = message;
    return {outcome, std::move(message)};
}

}  // namespace

RewriteResult rewrite(const std::string& path, WhenMissing whenMissing,
                      const std::function<void(PlistDictionary&)>& change, const BeforeChange& beforeChange) {
    using Outcome = RewriteResult::Outcome;
    FileLock lock(path + ".lock");
    if (!lock.problem().empty()) return failed(Outcome::Failed, "settings not written: " + lock.problem());
    // Nobody else writes now, so a temporary file older than a minute is a killed writer's.
    foundation::removeStaleTemporaries(path);

    foundation::DictionaryRead read = foundation::readDictionary(path);
    if (read.status == foundation::FileRead::Status::Unreadable)
        return failed(Outcome::RefusedUnreadable,
                      "the settings file " + path + " " + read.problem +
                          "; it was left as it is and nothing was written (repair or remove it, then try again)");
    if (beforeChange) beforeChange(read.dictionary);
    if (!read.dictionary) {
        if (whenMissing == WhenMissing::Skip) return {Outcome::SkippedMissing, "there is no settings file " + path};
        read.dictionary.emplace();
    }
    change(*read.dictionary);
    // Readers refuse a file past the cap, so writing one would lose every setting.
    const foundation::PlistValue changed(std::move(*read.dictionary));
    const std::string bytes = foundation::plistFileBytes(changed);
    // The binary form holds what XML cannot; where it would not give the same values back
    // (text in no encoding it knows), nothing is written rather than something else.
    if (bytes.starts_with("bplist") && foundation::plistFromBytes(bytes) != changed)
        return failed(Outcome::Failed, "settings not written to " + path +
                                           ": a key or value holds text that is not UTF-8, which neither form of the "
                                           "file can keep as it is; correct it, then try again");
    if (bytes.size() > foundation::ReadLimit::settings)
        return failed(Outcome::Failed, "settings not written to " + path + ": they would grow past the " +
                                           std::to_string(foundation::ReadLimit::settings >> 20) + " MiB a settings file may hold");
    std::string problem;
    if (!foundation::writeFileAtomically(path, bytes, &problem))
        return failed(Outcome::Failed, "settings not written to " + path + ": " + problem);
    lastProblemText().clear();
    return {Outcome::Written, {}};
}

const std::string& lastProblem() { return lastProblemText(); }

}  // namespace PreferenceStore
