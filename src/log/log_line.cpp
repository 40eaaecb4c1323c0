#include "log/log_line.h"

#include <cstdio>

std::string FormatLogLine(const LogTime& time, std::string_view text)
{
    char prefix[64];
    const int length = std::snprintf(prefix, sizeof prefix, "%02d/%02d/%04d - %02d:%02d:%02d - Event: ", time.day,
                                     time.month, time.year, time.hour, time.minute, time.second);
    std::string line(prefix, length > 0 ? static_cast<std::size_t>(length) : 0);
    line.append(text);
    line.append("\r\n");
    return line;
}
