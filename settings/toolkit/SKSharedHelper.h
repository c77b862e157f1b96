#pragma once
// Opens a person's profile in the best installed app, or on the web, or a new e-mail.

#include <string>

class SKSharedHelper {
public:
    // The handle without its leading at sign.
    static void openTwitter(const std::string& handle);
    static void openGitHub(const std::string& userName);
    static void openEmail(const std::string& address, const std::string& subject);
};
