#define DIRECTINPUT_VERSION 0x0700

#include "display/graphics.h"

#include <windows.h>

#include <d3d9.h>
#include <dinput.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "app/platform/handles.h"
#include "app/platform/library_entry.h"
#include "app/process_values.h"
#include "dictionary/dictionary.h"

namespace {

constexpr char kWindowClassName[] = "MultimediaBase Class";
constexpr UINT kDirect3DSdkVersion = 32;
constexpr DWORD kDirectInputVersion = 0x0700;

using Direct3DCreate9Function = IDirect3D9*(WINAPI*)(UINT);
using DirectInputCreateExFunction = HRESULT(WINAPI*)(HINSTANCE, DWORD, REFIID, LPVOID*, LPUNKNOWN);

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class Interface>
using ComPtr = std::unique_ptr<Interface, ComRelease>;

// Unregisters the hidden window's class, but only when this program registered it.
struct RegisteredClass {
    HINSTANCE instance = nullptr;

    RegisteredClass() = default;
    RegisteredClass(const RegisteredClass&) = delete;
    RegisteredClass& operator=(const RegisteredClass&) = delete;
    ~RegisteredClass()
    {
        if (instance) UnregisterClassA(kWindowClassName, instance);
    }
};

// What start-up acquires. Members go in reverse order of declaration, so each
// device is released before the object that made it, every interface before
// its library, and the window before its class.
struct GraphicsSession {
    RegisteredClass windowClass;
    OwnedWindow window;
    Library direct3DLibrary;
    ComPtr<IDirect3D9> direct3D;
    Library inputLibrary;
    ComPtr<IDirectInput7A> directInput;
    ComPtr<IDirectInputDevice7A> keyboard;
    ComPtr<IDirectInputDevice7A> mouse;
};

std::unique_ptr<GraphicsSession> session;

struct ModeTable {
    std::vector<ScreenMode> records;
    std::size_t cursor = 0;  // 1-based index of the current record; 0 before the first
};

ModeTable modeTable;

UINT ModeCount(IDirect3D9& direct3D, D3DFORMAT format)
{
    return direct3D.GetAdapterModeCount(D3DADAPTER_DEFAULT, format);
}

D3DFORMAT Direct3DFormat(ScanFormat format)
{
    switch (format) {
    case ScanFormat::X1R5G5B5: return D3DFMT_X1R5G5B5;
    case ScanFormat::R5G6B5: return D3DFMT_R5G6B5;
    case ScanFormat::X8R8G8B8: return D3DFMT_X8R8G8B8;
    }
    return D3DFMT_UNKNOWN;
}

// The records keep the low 16 bits of each value, as the game's own table does.
std::int16_t Low16(UINT value)
{
    return static_cast<std::int16_t>(value & 0xFFFFu);
}

bool RegisterHiddenWindow(GraphicsSession& graphics, HINSTANCE instance)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClassName;
    if (!RegisterClassExA(&windowClass)) return false;
    graphics.windowClass.instance = instance;

    graphics.window.Reset(
        CreateWindowExA(0, kWindowClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr));
    return graphics.window.IsOpen();
}

bool StartScreenLayer(GraphicsSession& graphics)
{
    if (!RegisterHiddenWindow(graphics, GetModuleHandleA(nullptr))) return false;

    graphics.direct3DLibrary.Reset(LoadLibraryA("d3d9.dll"));
    if (!graphics.direct3DLibrary.IsOpen()) return false;
    const auto create = LibraryEntry<Direct3DCreate9Function>(graphics.direct3DLibrary.Get(), "Direct3DCreate9");
    if (!create) return false;
    graphics.direct3D.reset(create(kDirect3DSdkVersion));
    if (!graphics.direct3D) return false;

    IDirect3D9& direct3D = *graphics.direct3D;
    const UINT modes = ModeCount(direct3D, D3DFMT_X1R5G5B5) + ModeCount(direct3D, D3DFMT_R5G6B5) +
                       ModeCount(direct3D, D3DFMT_X8R8G8B8);
    if (modes > 0) return true;
    graphics.direct3D.reset();
    return false;
}

bool CreateDirectInput(GraphicsSession& graphics)
{
    graphics.inputLibrary.Reset(LoadLibraryA("DINPUT.DLL"));
    if (!graphics.inputLibrary.IsOpen()) return false;
    const auto create = LibraryEntry<DirectInputCreateExFunction>(graphics.inputLibrary.Get(), "DirectInputCreateEx");
    if (!create) return false;

    void* directInput = nullptr;
    if (FAILED(create(GetModuleHandleA(nullptr), kDirectInputVersion, IID_IDirectInput7A, &directInput, nullptr)))
        return false;
    graphics.directInput.reset(static_cast<IDirectInput7A*>(directInput));
    return graphics.directInput != nullptr;
}

bool CreateInputDevice(IDirectInput7A& directInput, REFGUID device, const DIDATAFORMAT& format,
                       ComPtr<IDirectInputDevice7A>& slot)
{
    void* created = nullptr;
    if (FAILED(directInput.CreateDeviceEx(device, IID_IDirectInputDevice7A, &created, nullptr))) return false;
    slot.reset(static_cast<IDirectInputDevice7A*>(created));
    return slot && SUCCEEDED(slot->SetDataFormat(&format));
}

bool StartKeyboard(GraphicsSession& graphics)
{
    return CreateDirectInput(graphics) &&
           CreateInputDevice(*graphics.directInput, GUID_SysKeyboard, c_dfDIKeyboard, graphics.keyboard);
}

bool StartMouse(GraphicsSession& graphics)
{
    return CreateInputDevice(*graphics.directInput, GUID_SysMouse, c_dfDIMouse, graphics.mouse);
}

}  // namespace

bool StartGraphics()
{
    // A second start begins from nothing, so the class can be registered again.
    session.reset();
    session = std::make_unique<GraphicsSession>();
    GraphicsSession& graphics = *session;
    return StartScreenLayer(graphics) && StartKeyboard(graphics) && StartMouse(graphics);
}

bool ScanScreenModes()
{
    modeTable = {};
    if (!session || !session->direct3D) return true;

    IDirect3D9& direct3D = *session->direct3D;
    const std::vector<ScanGroup> groups = ScanGroups(ModeCount(direct3D, D3DFMT_X1R5G5B5),
                                                     ModeCount(direct3D, D3DFMT_R5G6B5),
                                                     ModeCount(direct3D, D3DFMT_X8R8G8B8));
    for (const ScanGroup& group : groups) {
        const D3DFORMAT format = Direct3DFormat(group.format);
        for (UINT index = 0; index < group.count; ++index) {
            D3DDISPLAYMODE mode{};
            if (FAILED(direct3D.EnumAdapterModes(D3DADAPTER_DEFAULT, format, index, &mode))) continue;
            modeTable.records.push_back(
                ScreenMode{Low16(mode.Width), Low16(mode.Height), group.depth, Low16(mode.RefreshRate)});
        }
    }
    return true;
}

bool NextScreenMode()
{
    if (modeTable.cursor < modeTable.records.size()) {
        ++modeTable.cursor;
        return true;
    }
    modeTable = {};
    return false;
}

ScreenMode CurrentScreenMode()
{
    if (modeTable.cursor == 0) return {};
    return modeTable.records[modeTable.cursor - 1];
}

void BuildDisplayModeList()
{
    const std::string windowEntry = LookupText("30", "Window");
    std::vector<ScreenMode> modes;
    ScanScreenModes();
    while (NextScreenMode()) modes.push_back(CurrentScreenMode());
    DisplayModeList = BuildModeTexts(windowEntry, modes);
    LastModeIndex = static_cast<std::int32_t>(DisplayModeList.size()) - 1;
}

void StopGraphics()
{
    session.reset();
}
