#pragma once
// The whole life of the program, from the process-wide values to the exit.

// Sets LanguageCode from the game's "Language" value.
void SelectUiLanguage();

// Runs the main sequence; the result is the process exit code, always 0.
int RunMainSequence();
