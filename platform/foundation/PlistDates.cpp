#include "platform/foundation/PlistDates.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>


namespace foundation {
namespace {

constexpr std::int64_t kEpochDays = 11323;  // 1970-01-01 to 2001-01-01

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + std::int64_t(doe) - 719468;
}

void civilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = std::int64_t(yoe) + era * 400 + (m <= 2);
}

std::uint64_t bigEndian(const std::string& bytes, size_t at, size_t size) {
    std::uint64_t v = 0;
    for (size_t i = 0; i < size; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

double readDouble(const std::string& bytes, size_t at) {
    const std::uint64_t bits = bigEndian(bytes, at, 8);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

void writeDouble(std::string& bytes, size_t at, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 7; i >= 0; --i, bits >>= 8) bytes[at + i] = char(bits & 0xFF);
}

// Offsets of the binary form's date objects (marker 0x33, then a big-endian double).
std::vector<size_t> binaryDateOffsets(const std::string& bytes) {
    std::vector<size_t> found;
    if (bytes.size() < 40) return found;
    const size_t trailer = bytes.size() - 32;
    const unsigned offsetSize = static_cast<unsigned char>(bytes[trailer + 6]);
    const std::uint64_t count = bigEndian(bytes, trailer + 8, 8), table = bigEndian(bytes, trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || table > trailer || count > (trailer - table) / offsetSize) return found;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t at = bigEndian(bytes, table + i * offsetSize, offsetSize);
        if (at + 9 <= table && static_cast<unsigned char>(bytes[at]) == 0x33) found.push_back(at);
    }
    return found;
}

std::string standInText(size_t index) { return *xmlDateText(double(kDateStandInBase) + double(index)); }

}  // namespace

std::optional<std::string> xmlDateText(double seconds) {
    if (!std::isfinite(seconds) || seconds != std::floor(seconds) || std::fabs(seconds) > 1e15) return std::nullopt;
    const auto whole = static_cast<std::int64_t>(seconds);
    std::int64_t days = whole / 86400, rest = whole % 86400;
    if (rest < 0) rest += 86400, --days;
    std::int64_t y;
    unsigned m, d;
    civilFromDays(days + kEpochDays, y, m, d);
    if (y < 1 || y > 9999) return std::nullopt;
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02lld:%02lld:%02lldZ", static_cast<long long>(y), m, d,
                  static_cast<long long>(rest / 3600), static_cast<long long>(rest / 60 % 60),
                  static_cast<long long>(rest % 60));
    return std::string(text);
}

std::optional<double> secondsFromXMLDate(const std::string& text) {
    int y, mo, d, h, mi, s, used = 0;
    if (text.size() != 20 || std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2dZ%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
        used != 20 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 60)
        return std::nullopt;
    const std::int64_t days = daysFromCivil(y, unsigned(mo), unsigned(d)) - kEpochDays;
    return double(days * 86400 + h * 3600 + mi * 60 + s);
}

std::string withDateStandIns(const std::string& bytes, std::vector<double>& dates) {
    dates.clear();
    if (bytes.rfind("bplist00", 0) == 0) {
        std::string out = bytes;
        for (size_t at : binaryDateOffsets(bytes)) {
            writeDouble(out, at + 1, double(kDateStandInBase) + double(dates.size()));
            dates.push_back(readDouble(bytes, at + 1));
        }
        return out;
    }
    // In XML a "<date>" can only be an element, unless it sits in a CDATA section.
    if (bytes.find("<![CDATA[") != std::string::npos) return bytes;
    std::string out;
    size_t from = 0;
    for (size_t at = bytes.find("<date>"); at != std::string::npos; at = bytes.find("<date>", from)) {
        const size_t start = at + 6, end = bytes.find("</date>", start);
        if (end == std::string::npos) break;
        std::string text = bytes.substr(start, end - start);
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
        while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.erase(0, 1);
        out.append(bytes, from, start - from);
        if (auto seconds = secondsFromXMLDate(text)) {
            out += standInText(dates.size());
            dates.push_back(*seconds);
        } else {
            out.append(bytes, start, end - start);
        }
        from = end;
    }
    out.append(bytes, from, std::string::npos);
    return out;
}

double realDate(std::int32_t sec, std::int32_t usec, const std::vector<double>& dates) {
    const std::int64_t index = std::int64_t(sec) - kDateStandInBase;
    if (usec == 0 && index >= 0 && index < std::int64_t(dates.size())) return dates[size_t(index)];
    return sec + usec / 1e6;
}

std::optional<std::string> xmlWithRealDates(const std::string& xml, const std::vector<double>& dates) {
    std::string out;
    size_t from = 0, index = 0;
    for (size_t at = xml.find("<date>"); at != std::string::npos; at = xml.find("<date>", from), ++index) {
        const size_t start = at + 6, end = xml.find("</date>", start);
        if (end == std::string::npos || index >= dates.size()) return std::nullopt;
        auto text = xmlDateText(dates[index]);
        if (!text) return std::nullopt;
        out.append(xml, from, start - from);
        out += *text;
        from = end;
    }
    out.append(xml, from, std::string::npos);
    return out;
}

std::string binaryWithRealDates(std::string binary, const std::vector<double>& dates) {
    for (size_t at : binaryDateOffsets(binary)) {
        const double standIn = readDouble(binary, at + 1) - kDateStandInBase;
        if (standIn >= 0 && standIn < double(dates.size()) && standIn == std::floor(standIn))
            writeDouble(binary, at + 1, dates[size_t(standIn)]);
    }
    return binary;
}

}  // namespace foundation
