#pragma once
// The main window's controls as the game's settings editor has always laid
// them out: number, kind and place in pixels at 96 DPI, and the caption's
// fallback, in creation order; and the order the tooltips are attached in.

enum class ControlKind { Frame, PushButton, CheckBox, Label, DropDown, EditField };

struct ControlLayout {
    int id;
    ControlKind kind;
    int x, y, width, height;
    const char* fallback;  // caption fallback; the caption key is the id in decimal
};

// Frames and the two buttons come first: the buttons get the bold font.
inline constexpr ControlLayout kFrames[] = {
    {100, ControlKind::Frame, 310, 177, 296, 200, "Video"},
    {101, ControlKind::Frame, 310, 382, 296, 125, "Sound"},
    {102, ControlKind::Frame, 8, 177, 295, 280, "General"},
    {106, ControlKind::Frame, 8, 457, 295, 90, "E-mail game"},
};

inline constexpr ControlLayout kButtons[] = {
    {104, ControlKind::PushButton, 330, 515, 125, 30, "OK"},
    {105, ControlKind::PushButton, 460, 515, 125, 30, "Cancel"},
};

inline constexpr ControlLayout kControls[] = {
    {0, ControlKind::CheckBox, 320, 405, 100, 20, "Sound FX"},
    {1, ControlKind::CheckBox, 320, 455, 100, 20, "Music"},
    {2, ControlKind::CheckBox, 320, 430, 100, 20, "Direct Sound"},
    {19, ControlKind::CheckBox, 320, 480, 120, 20, "Use playlist"},
    {3, ControlKind::CheckBox, 460, 405, 100, 20, "Selection Sounds"},
    {4, ControlKind::CheckBox, 460, 430, 100, 20, "Movement Sounds"},
    {5, ControlKind::CheckBox, 460, 455, 100, 20, "Ambient Sounds"},
    {6, ControlKind::CheckBox, 460, 480, 100, 20, "Event Sounds"},
    {20, ControlKind::Label, 320, 200, 80, 20, "Display mode:"},
    {30, ControlKind::DropDown, 400, 195, 200, 20, nullptr},
    {21, ControlKind::Label, 320, 225, 80, 20, "Adapter:"},
    {31, ControlKind::DropDown, 400, 220, 200, 20, nullptr},
    {22, ControlKind::Label, 320, 250, 80, 20, "Display level:"},
    {32, ControlKind::DropDown, 400, 245, 200, 20, nullptr},
    {23, ControlKind::Label, 320, 275, 80, 20, "Cursors:"},
    {33, ControlKind::DropDown, 400, 270, 200, 20, nullptr},
    {7, ControlKind::CheckBox, 320, 300, 130, 20, "Show Intro"},
    {8, ControlKind::CheckBox, 320, 325, 200, 20, "Allow Resolution Switches"},
    {9, ControlKind::CheckBox, 320, 350, 200, 20, "Use Direct3D"},
    {16, ControlKind::CheckBox, 460, 300, 200, 20, "View panning"},
    {24, ControlKind::Label, 17, 200, 50, 20, "Language:"},
    {34, ControlKind::DropDown, 110, 195, 180, 20, nullptr},
    {10, ControlKind::CheckBox, 17, 220, 120, 20, "Blood"},
    {11, ControlKind::CheckBox, 160, 300, 120, 20, "Autosave before TC"},
    {12, ControlKind::CheckBox, 17, 245, 120, 20, "Allow custom rules"},
    {13, ControlKind::CheckBox, 160, 245, 120, 20, "Kerv Based rules"},
    {25, ControlKind::Label, 17, 275, 50, 20, "Rules:"},
    {35, ControlKind::DropDown, 110, 270, 180, 20, nullptr},
    {14, ControlKind::CheckBox, 17, 300, 120, 20, "Autosave"},
    {15, ControlKind::CheckBox, 17, 325, 120, 20, "Automove"},
    {17, ControlKind::CheckBox, 160, 220, 120, 20, "Center on event"},
    {18, ControlKind::CheckBox, 160, 325, 140, 20, "View bounds"},
    {26, ControlKind::Label, 17, 353, 80, 20, "Scroll speed:"},
    {36, ControlKind::DropDown, 110, 350, 180, 20, nullptr},
    {27, ControlKind::Label, 17, 378, 80, 20, "Movem.speed:"},
    {37, ControlKind::DropDown, 110, 375, 180, 20, nullptr},
    {28, ControlKind::Label, 17, 403, 80, 20, "Game type:"},
    {38, ControlKind::DropDown, 110, 400, 180, 20, nullptr},
    {29, ControlKind::Label, 17, 428, 80, 20, "Combat type:"},
    {39, ControlKind::DropDown, 110, 425, 180, 20, nullptr},
    {50, ControlKind::Label, 17, 473, 80, 20, "E-Mal:"},
    {51, ControlKind::EditField, 110, 470, 180, 20, nullptr},
    {52, ControlKind::Label, 17, 498, 80, 20, "SMTP:"},
    {53, ControlKind::EditField, 110, 495, 180, 20, nullptr},
    {54, ControlKind::Label, 17, 523, 80, 20, "Folder:"},
    {55, ControlKind::EditField, 110, 520, 180, 20, nullptr},
};

inline constexpr int kTooltipOrder[] = {104, 105, 0,  1,  2,  3,  4,  5,  6,  30, 31, 32, 33, 7,  8,  9,  34, 35,
                                        10,  11,  12, 13, 14, 15, 16, 17, 18, 19, 36, 37, 38, 39, 51, 53, 55};

// The drop-down part of a choice box gets room below the closed box.
inline constexpr int kDropDownListHeight = 240;
