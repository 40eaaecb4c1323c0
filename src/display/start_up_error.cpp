#include "display/start_up_error.h"

#include <windows.h>

#include <string>

#include "dictionary/dictionary.h"
#include "ui/toolkit/text_codec.h"

void StartUpError()
{
    const std::string text = LookupText("Er1txt", "Can't start DirectX! Please, try original file!");
    const std::string title = LookupText("Er1", "Error!");
    MessageBoxW(nullptr, DecodeUiText(text).c_str(), DecodeUiText(title).c_str(), MB_ICONERROR | MB_OK);
}
