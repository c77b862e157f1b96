#include "hosts/settings/SettingsScript.h"

#include <charconv>
#include <cmath>
#include <map>
#include <sstream>

namespace settingshost {
namespace {

using Kind = ScriptStep::Kind;

std::string trim(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

std::string unquote(std::string s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
    return s;
}

double number(const std::string& word, int line, const char* what) {
    double v = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
    if (ec != std::errc() || end != word.data() + word.size() || !std::isfinite(v))
        throw ScriptError(line, std::string(what) + " must be a number, not \"" + word + "\"");
    return v;
}

std::vector<std::string> words(const std::string& rest) {
    std::istringstream in(rest);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

void expectCount(const std::vector<std::string>& w, size_t min, size_t max, int line, const std::string& usage) {
    if (w.size() < min || w.size() > max) throw ScriptError(line, "usage: " + usage);
}

ScriptStep parseLine(const std::string& command, const std::string& rest, int line) {
    static const std::map<std::string, Kind> kinds = {
        {"tap", Kind::Tap},   {"tap-text", Kind::TapText}, {"drag", Kind::Drag}, {"swipe-delete", Kind::SwipeDelete},
        {"type", Kind::Type}, {"key", Kind::Key},          {"back", Kind::Back}, {"rotate", Kind::Rotate},
        {"wait", Kind::Wait}, {"shot", Kind::Shot},        {"dump", Kind::Dump}, {"expect-text", Kind::ExpectText},
        {"appearance", Kind::Appearance},
    };
    auto it = kinds.find(command);
    if (it == kinds.end()) throw ScriptError(line, "unknown step \"" + command + "\"");
    ScriptStep step;
    step.kind = it->second;
    step.line = line;
    const std::vector<std::string> w = words(rest);
    switch (step.kind) {
        case Kind::Tap:
            expectCount(w, 2, 2, line, "tap X Y");
            step.x1 = number(w[0], line, "X");
            step.y1 = number(w[1], line, "Y");
            break;
        case Kind::Drag: {
            expectCount(w, 4, 5, line, "drag X1 Y1 X2 Y2 [STEPS]");
            step.x1 = number(w[0], line, "X1");
            step.y1 = number(w[1], line, "Y1");
            step.x2 = number(w[2], line, "X2");
            step.y2 = number(w[3], line, "Y2");
            if (w.size() == 5) {
                const double n = number(w[4], line, "STEPS");
                if (n < 1 || n > 1000 || n != std::floor(n)) throw ScriptError(line, "STEPS must be a whole number from 1 to 1000");
                step.steps = int(n);
            }
            break;
        }
        case Kind::Wait:
            expectCount(w, 1, 1, line, "wait MS");
            step.milliseconds = number(w[0], line, "MS");
            if (step.milliseconds < 0 || step.milliseconds > 3.6e6) throw ScriptError(line, "MS must be from 0 to 3600000");
            break;
        case Kind::Key: {
            expectCount(w, 1, 1, line, "key KEY, such as key Tab, key shift+Tab or key ctrl+a");
            step.text = w[0];
            const auto press = uikit::parseKeyPress(step.text);
            if (!press) throw ScriptError(line, std::string("key must be ") + uikit::kKeyNames + ", not \"" + step.text + "\"");
            step.key = *press;
            break;
        }
        case Kind::Appearance:
            if (w.size() != 1 || (w[0] != "dark" && w[0] != "light"))
                throw ScriptError(line, "usage: appearance dark|light");
            step.dark = w[0] == "dark";
            break;
        case Kind::Back:
        case Kind::Rotate:
            expectCount(w, 0, 0, line, command);
            break;
        case Kind::Type:
            step.text = unquote(rest);
            break;
        default:  // tap-text, swipe-delete, shot, dump, expect-text: a text that must not be empty
            step.text = unquote(rest);
            if (step.text.empty()) throw ScriptError(line, command + " needs a text");
            break;
    }
    return step;
}

}  // namespace

std::vector<ScriptStep> parseScript(const std::string& source) {
    std::vector<ScriptStep> steps;
    std::istringstream in(source);
    int line = 0;
    for (std::string raw; std::getline(in, raw);) {
        ++line;
        const std::string text = trim(raw);
        if (text.empty() || text[0] == '#') continue;
        const size_t space = text.find_first_of(" \t");
        const std::string command = text.substr(0, space);
        const std::string rest = space == std::string::npos ? std::string() : trim(text.substr(space + 1));
        steps.push_back(parseLine(command, rest, line));
    }
    return steps;
}

void runScript(const std::vector<ScriptStep>& steps, ScriptDriver& driver) {
    for (const ScriptStep& step : steps) {
        if (driver.windowClosed()) return;
        if (auto failure = driver.perform(step)) throw ScriptError(step.line, *failure);
    }
}

}  // namespace settingshost
