#pragma once
// The values that live for the whole run of the program. Each is set only at
// the step of the main sequence (or by the operation) named beside it.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

extern std::string LanguageCode;                  // SelectUiLanguage, once
extern std::string DictionaryPath;                // start-up, never changed
extern std::string LogPath;                       // start-up, never changed
extern std::vector<std::string> DisplayModeList;  // BuildDisplayModeList fills and shrinks it
extern std::int32_t LastModeIndex;                // index of the last entry of DisplayModeList
extern std::string GameRoot;                      // LoadSettings; always ends in a backslash
extern std::string CurrentDisplayMode;            // width "*" height; LoadSettings and ApplySettings
extern bool ImageSwitchAvailable;                 // DetectImageSet clears it
extern bool QuitRequested;                        // RunEventLoop
extern HBITMAP BannerImage;                       // loaded when the main window is built

// Gives every value its start-up value (step 1 of the main sequence).
void InitialiseProcessValues();
