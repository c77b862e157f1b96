#pragma once
// Dates exactly as the file holds them. libplist 2.2 hands dates over as 32-bit
// seconds, which cannot hold 9999-12-31 (nor a binary date of 1e300). So each
// date in the bytes is swapped for a small stand-in before libplist sees it,
// and swapped back when a date node is read or written.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace foundation {

// Stand-in i is the date this many seconds plus i after the property-list epoch.
inline constexpr std::int32_t kDateStandInBase = 1000000000;

// The bytes with every date replaced by stand-in i; `dates` receives the real
// values, in seconds since 2001-01-01, indexed by i.
std::string withDateStandIns(const std::string& bytes, std::vector<double>& dates);
// The real value of a date libplist read, given the stand-ins.
double realDate(std::int32_t sec, std::int32_t usec, const std::vector<double>& dates);

// "YYYY-MM-DDTHH:MM:SSZ" for whole seconds in years 1 to 9999; nullopt otherwise.
std::optional<std::string> xmlDateText(double secondsSinceReferenceDate);
std::optional<double> secondsFromXMLDate(const std::string& text);

// Output of libplist written with stand-ins (dates[i] for stand-in i), with the
// real dates put back. nullopt when the XML form cannot express one of them.
std::optional<std::string> xmlWithRealDates(const std::string& xml, const std::vector<double>& dates);
std::string binaryWithRealDates(std::string binary, const std::vector<double>& dates);

}  // namespace foundation
