#pragma once
// The layout of one line of "Setup.log": a 31-byte time stamp, the event text
// byte for byte, CR LF.

#include <string>
#include <string_view>

struct LogTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "dd/mm/yyyy - hh:ii:ss - Event: " + text + CR LF
std::string FormatLogLine(const LogTime& time, std::string_view text);
