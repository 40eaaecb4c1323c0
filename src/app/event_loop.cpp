#include "app/event_loop.h"

#include "app/process_values.h"
#include "resources/rules_list.h"
#include "settings/settings.h"
#include "ui/main_window/main_window.h"
#include "ui/playlist/playlist_window.h"
#include "ui/toolkit/controls.h"

void DispatchMainEvent(const UiEvent& event)
{
    if (event.window != MainWindow()) return;
    if (event.kind == UiEventKind::CloseRequest) {
        QuitRequested = true;
        return;
    }
    switch (event.controlId) {
    case kOk:
        ApplySettings();
        QuitRequested = true;
        break;
    case kCancel: QuitRequested = true; break;
    case kAllowCustomRules: {
        const bool allowed = IsChecked(MainControl(kAllowCustomRules));
        EnableControl(MainControl(kKervBasedRules), allowed);
        EnableControl(MainControl(kRulesBox), allowed);
        if (allowed) RefreshRulesList();
        break;
    }
    case kKervBasedRules: RefreshRulesList(); break;
    case kUsePlaylist:
        if (IsChecked(MainControl(kUsePlaylist))) PlaylistEditor();
        break;
    default: break;
    }
}

void RunEventLoop()
{
    while (!QuitRequested) DispatchMainEvent(WaitEvent());
}
