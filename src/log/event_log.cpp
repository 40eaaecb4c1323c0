#include "log/event_log.h"

#include <windows.h>

#include "app/platform/handles.h"
#include "app/process_values.h"
#include "log/log_line.h"

void LogEvent(std::string_view text)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    const LogTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    const std::string line = FormatLogLine(time, text);

    // Readers (a text viewer) may look at the log while a line goes in; writers may not.
    const FileHandle file(CreateFileA(LogPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return;
    // The 64-bit move: the 32-bit one fails at an end past 4 GiB, and the line
    // would then go over the log's first bytes.
    if (!SetFilePointerEx(file.Get(), LARGE_INTEGER{}, nullptr, FILE_END)) return;
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
