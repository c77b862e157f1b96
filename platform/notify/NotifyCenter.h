#pragma once
// Darwin-style named notifications between processes of one user: a post
// reaches every observer of that name in every process. Observers run on the
// main run loop; posts that arrive faster than an observer runs coalesce. No
// daemon is needed: each name is a file in a per-user folder, and observers
// hear writes to it through inotify.

#include <functional>
#include <chrono>
#include <map>
#include <set>
#include <string>

namespace notify {

class DarwinNotifyCenter {
public:
    using Observer = std::function<void(const std::string& name)>;

    static DarwinNotifyCenter& shared();

    // Returns a token for removeObserver, or 0 when notifications cannot be had
    // here (the reason is logged).
    int addObserver(const std::string& name, Observer observer);
    void removeObserver(int token);
    // Reaches the observers of every process; false when it could not be sent.
    bool post(const std::string& name);

    // How long after a first post others are gathered into the same delivery.
    static constexpr std::chrono::milliseconds kCoalescingWindow{25};

    // $AMPORA_NOTIFY_DIR, else ${XDG_RUNTIME_DIR:-/tmp}/ampora-notify-<uid>.
    static std::string folder();

private:
    DarwinNotifyCenter() = default;
    bool startListening();
    void readEvents();
    void deliverPending();

    int inotifyFd_ = -1;
    int readerToken_ = 0;
    int nextToken_ = 1;
    std::map<int, std::pair<std::string, Observer>> observers_;
    std::set<std::string> pending_;
};

}  // namespace notify
