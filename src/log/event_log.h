#pragma once
// "Setup.log": the one channel for failures the program recovers from.

#include <string_view>

// Appends one time-stamped line. Never fails towards the caller: a line that
// cannot be written is dropped.
void LogEvent(std::string_view text);
