#pragma once
// The fixed number of every control of the program's two windows, the one
// place they are written. The dictionary keys a control's caption by its
// number in decimal and its tooltip by that number followed by "hlp"; the
// game's old editor gave these numbers, and player-made dictionaries rely on
// them.

enum ControlId : int {
    kNoControl = -1,

    // Main window, the Sound frame.
    kSoundFx = 0,
    kMusic = 1,
    kDirectSound = 2,
    kSelectionSounds = 3,
    kMovementSounds = 4,
    kAmbientSounds = 5,
    kEventSounds = 6,
    kUsePlaylist = 19,

    // Main window, the Video frame.
    kShowIntro = 7,
    kAllowResolutionSwitches = 8,
    kUseDirect3D = 9,
    kViewPanning = 16,
    kDisplayModeLabel = 20,
    kAdapterLabel = 21,
    kDisplayLevelLabel = 22,
    kCursorsLabel = 23,
    kDisplayModeBox = 30,
    kAdapterBox = 31,
    kDisplayLevelBox = 32,
    kCursorsBox = 33,

    // Main window, the General frame.
    kBlood = 10,
    kAutosaveBeforeTc = 11,
    kAllowCustomRules = 12,
    kKervBasedRules = 13,
    kAutosave = 14,
    kAutomove = 15,
    kCenterOnEvent = 17,
    kViewBounds = 18,
    kLanguageLabel = 24,
    kRulesLabel = 25,
    kScrollSpeedLabel = 26,
    kMovementSpeedLabel = 27,
    kGameTypeLabel = 28,
    kCombatTypeLabel = 29,
    kLanguageBox = 34,
    kRulesBox = 35,
    kScrollSpeedBox = 36,
    kMovementSpeedBox = 37,
    kGameTypeBox = 38,
    kCombatTypeBox = 39,

    // Main window, the E-mail game frame.
    kEmailLabel = 50,
    kEmailField = 51,
    kSmtpLabel = 52,
    kSmtpField = 53,
    kFolderLabel = 54,
    kFolderField = 55,

    // Main window: the frames, the banner and the two buttons.
    kVideoFrame = 100,
    kSoundFrame = 101,
    kGeneralFrame = 102,
    kBanner = 103,
    kOk = 104,
    kCancel = 105,
    kEmailFrame = 106,

    // The playlist window; its title takes the key of the number 60.
    kPlaylistTitle = 60,
    kPlaylistOk = 61,
    kPlaylistCancel = 62,
    kSongList = 63,
    kSongsLabel = 64,
};
