// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tavrola {

// How one attempt to get a month document ended.
struct MonthFetch {
    enum class Kind {
        Document,   // the document arrived
        HttpStatus, // the server answered with a status other than 200
        Error,      // nothing usable arrived; errorText says why
    };
    Kind kind = Kind::Error;
    std::string document;
    int httpStatus = 0;
    std::string errorText;
    // Something the user should know about a document that did arrive, for the status line.
    std::string notice;
    bool calculated = false; // computed on this computer, not downloaded
    // The days of the month (1..31) taken from the zone's official table instead, and its file(s).
    std::vector<int> officialDays;
    std::string officialTables;
    // For the log alone: one line per day of an official table that was not used (a misprint).
    std::vector<std::string> logLines;
};

// Where the month document comes from: the data server, or anything else that can produce one.
// At most one fetch runs at a time; `done` runs exactly once per fetch unless cancel() comes
// first, and may run before fetch() returns.
class MonthSource {
public:
    using Done = std::function<void(MonthFetch)>;

    virtual ~MonthSource() = default;
    virtual void fetch(int year, int month, Done done) = 0;
    virtual void cancel() = 0;
    // What the month depends on besides the date, cheap enough to ask every second: a month fetched
    // under another key is out of date. Empty where the source itself decides (a data server).
    virtual std::string placeKey() { return {}; }
};

} // namespace tavrola
