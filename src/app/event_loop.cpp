#include "app/event_loop.h"

#include "app/process_values.h"
#include "resources/rules_list.h"
#include "settings/settings.h"
#include "ui/main_window.h"
#include "ui/playlist_window.h"

namespace {

constexpr int kOk = 104;
constexpr int kCancel = 105;
constexpr int kAllowCustomRules = 12;
constexpr int kKervaneBased = 13;
constexpr int kRulesBox = 35;
constexpr int kUsePlaylist = 19;

}  // namespace

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
        const bool allowed = IsChecked(kAllowCustomRules);
        EnableControl(kKervaneBased, allowed);
        EnableControl(kRulesBox, allowed);
        if (allowed) RefreshRulesList();
        break;
    }
    case kKervaneBased: RefreshRulesList(); break;
    case kUsePlaylist:
        if (IsChecked(kUsePlaylist)) PlaylistEditor();
        break;
    default: break;
    }
}

void RunEventLoop()
{
    while (!QuitRequested) DispatchMainEvent(WaitEvent());
}
