#include <windows.h>

#include "app/main_sequence.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunMainSequence();
}
