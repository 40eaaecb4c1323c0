#include "app/process_values.h"

std::string LanguageCode;
std::string DictionaryPath;
std::string LogPath;
std::vector<std::string> DisplayModeList;
std::int32_t LastModeIndex = 0;
std::string GameRoot;
std::string CurrentDisplayMode;
bool ImageSwitchAvailable = false;
bool QuitRequested = false;
HBITMAP BannerImage = nullptr;

void InitialiseProcessValues()
{
    LanguageCode = "EN";
    DictionaryPath = "Dict\\Setup.ini";
    LogPath = "Setup.log";
    DisplayModeList.assign(1000, std::string());
    LastModeIndex = 999;  // the highest index of the 1000-entry table
    GameRoot.clear();
    CurrentDisplayMode.clear();
    ImageSwitchAvailable = true;
    QuitRequested = false;
    BannerImage = nullptr;
}
