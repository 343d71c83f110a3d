#pragma once
// The backend of the program on a real desktop, through SDL2: one borderless operating-system
// window per visible top-level window (shaped where the window has a window region or a
// colour key), real time, and the user's mouse and keyboard turned into the window system's
// raw input. Nothing of SDL shows in this header, so nothing above the window system can
// come to depend on it.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/window/Backend.h"

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

// Win32 virtual key that an IME hands to the program in place of a key it turned into text.
constexpr UINT VK_PROCESSKEY = 0xE5;

class SdlBackend : public Backend {
  public:
    // Starts SDL's video subsystem with the named driver (SDL's own choice when null). When no
    // display can be opened, returns null and one line in *error.
    static std::unique_ptr<SdlBackend> Create(std::string* error,
                                              const char* videoDriver = nullptr);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    DWORD NowMs() override;
    // Presents what was painted, then waits for input or the time limit and turns every
    // queued event into window-system input. False once the system asked the program to quit
    // (SDL_QUIT) and no visible window is left.
    bool WaitForEvents(DWORD untilMs) override;
    void Sleep(DWORD ms) override;
    RECT ScreenRect() override;
    RECT WorkArea() override;
    void SetCursorShape(int cursorId) override;
    void TopLevelChanged(HWND topLevel) override;
    // The desktop's clipboard, so that text goes to and comes from other programs.
    void SetClipboardText(std::string_view text) override;
    std::string ClipboardText() override;
    void FlashWindow(HWND topLevel) override;
    void SurfaceChanged(HWND topLevel, const RECT& dirty) override;

    // Copies the changed pixels of every shown window to its operating-system window.
    void PresentDirty();
    // The operating-system window showing a top-level window, or null.
    SDL_Window* NativeWindow(HWND topLevel) const;
    // False once creating a shaped window has failed; shaped windows are shown unshaped then.
    bool ShapingAvailable() const { return shapingAvailable_; }

  private:
    // What the backend knows of one top-level window's operating-system window.
    struct Native {
        SDL_Window* window = nullptr;
        uint32_t id = 0;         // SDL's window id, as events name it
        bool shaped = false;     // made by SDL_CreateShapedWindow
        bool wantsShape = false; // has a window region or a colour key
        uint32_t flags = 0;      // the SDL creation flags derived from the styles
        RECT rect{};             // where and how large the OS window was last put
        bool shown = false;
        bool minimized = false;
        bool raised = false;
        int opacity = 255;
        std::string title;
        std::vector<uint8_t> mask; // the shape last applied: one byte per pixel, 1 = shown
        RECT dirty{};              // window coordinates still to be presented
    };

    SdlBackend() = default;
    bool Start(std::string* error, const char* videoDriver);

    void CreateNative(HWND hwnd, Native& n);
    void DestroyNative(Native& n);
    // Recomputes the window's shape; a changed shape is applied to the OS window.
    void UpdateShape(HWND hwnd, Native& n);
    void Present(HWND hwnd, Native& n);
    void RaiseFront();

    // Each returns whether it gave the window system something to handle.
    bool HandleEvent(const SDL_Event& event);
    bool HandleWindowEvent(const SDL_Event& event);
    bool HandleKey(const SDL_Event& event);
    HWND WindowOfId(uint32_t id) const;
    // A mouse event's position in screen coordinates; false when it cannot be placed.
    bool ScreenPoint(uint32_t windowId, int x, int y, POINT* screen) const;
    void SyncCapture();
    bool AnyVisibleWindow() const;

    std::map<HWND, Native> natives_;
    std::map<int, SDL_Cursor*> cursors_;
    std::string driver_;
    bool globalMouse_ = false; // the driver reports the pointer in screen coordinates
    bool shapingAvailable_ = true;
    bool surfaceWarned_ = false;
    bool createWarned_ = false;
    bool quitRequested_ = false;
    bool capturing_ = false;
    bool adoptingMove_ = false; // a move reported by the OS is being taken over
    HWND raisedFront_ = nullptr;
    uint32_t startTicks_ = 0;
};

// The virtual key of an SDL key: letters and digits by the character the layout gives them
// when it is Latin, else by their position (as Win32 keeps VK_A..VK_Z on Cyrillic layouts);
// 0 for keys the window system has no name for. Takes SDL_Keycode and SDL_Scancode values.
UINT VirtualKeyFromSdl(int32_t keycode, int scancode);
