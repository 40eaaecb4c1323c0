#include "app/main_sequence.h"

#include <windows.h>

#include <commctrl.h>

#include "app/event_loop.h"
#include "app/process_values.h"
#include "dictionary/dictionary.h"
#include "dictionary/languages.h"
#include "display/graphics.h"
#include "display/start_up_error.h"
#include "settings/catalogue.h"
#include "settings/registry_store.h"
#include "settings/settings.h"
#include "ui/main_window/main_window.h"

void SelectUiLanguage()
{
    LanguageCode = LanguageCodeFor(ReadNumber(HKEY_CURRENT_USER, KeyPath(SubKey::General), "Language"));
}

int RunMainSequence()
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    InitialiseProcessValues();

    EnsureDictionary();
    SelectUiLanguage();

    if (!StartGraphics()) {
        StartUpError();
        StopGraphics();
        return 0;
    }
    BuildDisplayModeList();
    if (BuildMainWindow()) {
        LoadSettings();
        ShowMainWindow();
        RunEventLoop();
    }
    HideMainWindow();
    StopGraphics();
    return 0;
}
