#include "Gallery.h"

#include <cstring>
#include <string>

#include "ControlsGallery.h"
#include "platform/text/Text.h"
#include "platform/window/WindowSystem.h"

namespace {

constexpr const char* kMainClass = "UishotGallery";
constexpr const char* kShapedClass = "UishotShaped";
constexpr const char* kLayeredClass = "UishotLayered";

// Every Kazakh letter that Russian lacks, in both cases, then a word of the course.
constexpr const char* kSample = "ӘәҒғҚқҢңӨөҰұҮүҺһІі Статистика";
constexpr const char* kFaces[] = {"MS Sans Serif", "Tahoma", "Times New Roman", "Arial",
                                  "Arial Black"};
constexpr int kSizes[] = {11, 15, 17};

// Placement from the work area's top-left corner. The two small windows overlap the main
// window's right edge, where it has only margin, so that what lies behind their cut-away and
// see-through parts is partly the main window and partly the desktop.
constexpr int kMainX = 10, kMainY = 10, kMainW = 928, kMainH = 700;
constexpr int kLayeredX = 920, kLayeredY = 60, kLayeredW = 280, kLayeredH = 240;
constexpr int kShapedX = 920, kShapedY = 360, kShapedW = 260, kShapedH = 170;
constexpr int kShapedCorner = 40;
constexpr int kControlsX = 200, kControlsY = 300;

// Client coordinates of the main window's parts.
constexpr int kLabelX = 10, kSampleX = 200, kArtX = 610, kArtRight = 900;

HFONT MakeFont(const char* face, int pixels, bool bold, int escapement = 0) {
    LOGFONT lf;
    lf.lfHeight = -pixels; // character height, as the forms give font sizes
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}

// Draws text in a font made for the call, with the context's alignment and colour.
void Say(HDC dc, int x, int y, const std::string& text, const char* face, int pixels, bool bold,
         int escapement = 0) {
    HFONT font = MakeFont(face, pixels, bold, escapement);
    HGDIOBJ old = SelectObject(dc, font);
    TextOut(dc, x, y, text.c_str(), int(text.size()));
    SelectObject(dc, old);
    DeleteObject(font);
}

void Label(HDC dc, int x, int y, const char* text) {
    SetTextColor(dc, RGB(96, 96, 96));
    Say(dc, x, y, text, "Tahoma", 11, true);
    SetTextColor(dc, RGB(0, 0, 0));
}

TRIVERTEX Vertex(int x, int y, COLORREF c) {
    return TRIVERTEX{
        x, y, COLOR16(GetRValue(c) << 8), COLOR16(GetGValue(c) << 8), COLOR16(GetBValue(c) << 8),
        0};
}

void WithPenAndBrush(HDC dc, HPEN pen, HBRUSH brush, void (*draw)(HDC)) {
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    draw(dc);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

// One row per face, size and weight, the label and the sample sharing a baseline.
void PaintFontRows(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE);
    int y = 8;
    for (const char* face : kFaces) {
        for (int size : kSizes)
            for (bool bold : {false, true}) {
                const int rowHeight = size + size / 4 + 3;
                const int baseline = y + rowHeight - 5;
                const std::string label = std::string(face) + ", " + std::to_string(size) + " px" +
                                          (bold ? ", bold" : "");
                SetTextColor(dc, RGB(96, 96, 96));
                Say(dc, kLabelX, baseline, label, "Tahoma", 11, false);
                SetTextColor(dc, RGB(0, 0, 0));
                Say(dc, kSampleX, baseline, kSample, face, size, bold);
                y += rowHeight;
            }
        HPEN rule = CreatePen(PS_SOLID, 1, RGB(200, 200, 200));
        HGDIOBJ old = SelectObject(dc, rule);
        MoveToEx(dc, kLabelX, y + 3, nullptr);
        LineTo(dc, kArtX - 20, y + 3);
        SelectObject(dc, old);
        DeleteObject(rule);
        y += 7;
    }
    SetTextAlign(dc, TA_LEFT | TA_TOP);
}

// Four triangles meeting in the centre of a rectangle: red, yellow, blue and green corners
// around a white centre.
void PaintGradient(HDC dc) {
    Label(dc, kArtX, 6, "GradientFill, four triangles");
    const RECT r = Rect(kArtX, 24, kArtRight, 204);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const TRIVERTEX v[5] = {
        Vertex(r.left, r.top, RGB(255, 0, 0)), Vertex(r.right, r.top, RGB(255, 255, 0)),
        Vertex(r.right, r.bottom, RGB(0, 0, 255)), Vertex(r.left, r.bottom, RGB(0, 160, 0)),
        Vertex(cx, cy, RGB(255, 255, 255))};
    const GRADIENT_TRIANGLE mesh[4] = {{0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}};
    GradientFill(dc, v, 5, mesh, 4, GRADIENT_FILL_TRIANGLE);
}

// Text turned a quarter to the left (reading upwards) and a quarter to the right.
void PaintRotatedText(HDC dc) {
    Label(dc, kArtX, 216, "Escapement 900 and -900");
    HBRUSH frame = CreateSolidBrush(RGB(200, 200, 200));
    const RECT box = Rect(kArtX, 234, kArtRight, 430);
    FrameRect(dc, &box, frame);
    DeleteObject(frame);
    SetTextColor(dc, RGB(128, 0, 0));
    Say(dc, kArtX + 20, box.bottom - 10, "ӘҒҚҢ Статистика", "Arial", 17, true, 900);
    SetTextColor(dc, RGB(0, 0, 128));
    Say(dc, kArtRight - 20, box.top + 10, "ӨҰҮҺІ Статистика", "Times New Roman", 17, false, -900);
    SetTextColor(dc, RGB(0, 0, 0));
}

void PaintLines(HDC dc) {
    Label(dc, kArtX, 438, "Pens: solid 1, solid 3, dotted, dashed");
    struct PenLine {
        int style, width;
        COLORREF color;
    };
    const PenLine pens[] = {{PS_SOLID, 1, RGB(0, 0, 0)},
                            {PS_SOLID, 3, RGB(200, 0, 0)},
                            {PS_DOT, 1, RGB(0, 0, 200)},
                            {PS_DASH, 1, RGB(0, 120, 0)}};
    int y = 462;
    for (const PenLine& p : pens) {
        POINT zigzag[7];
        for (int i = 0; i < 7; ++i) zigzag[i] = POINT{kArtX + 5 + i * 45, y + (i % 2 ? 12 : 0)};
        HPEN pen = CreatePen(p.style, p.width, p.color);
        HGDIOBJ old = SelectObject(dc, pen);
        Polyline(dc, zigzag, 7);
        SelectObject(dc, old);
        DeleteObject(pen);
        y += 22;
    }
}

void PaintShapes(HDC dc) {
    Label(dc, kArtX, 552, "Rectangle, RoundRect, Ellipse");
    WithPenAndBrush(dc, CreatePen(PS_SOLID, 2, RGB(0, 0, 160)),
                    CreateSolidBrush(RGB(255, 255, 190)),
                    [](HDC d) { Rectangle(d, kArtX, 572, kArtX + 80, 640); });
    WithPenAndBrush(dc, CreatePen(PS_SOLID, 1, RGB(0, 120, 0)),
                    CreateSolidBrush(RGB(200, 240, 200)),
                    [](HDC d) { RoundRect(d, kArtX + 95, 572, kArtX + 185, 640, 24, 24); });
    WithPenAndBrush(dc, CreatePen(PS_SOLID, 3, RGB(200, 0, 0)),
                    CreateSolidBrush(RGB(255, 220, 230)),
                    [](HDC d) { Ellipse(d, kArtX + 200, 572, kArtRight, 640); });
}

LRESULT GalleryProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintFontRows(dc);
        PaintGradient(dc);
        PaintRotatedText(dc);
        PaintLines(dc);
        PaintShapes(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

LRESULT ShapedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProc(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(90, 40, 0));
    Say(dc, 12, 8, "Дөңгелек бұрыштар", "Tahoma", 15, true);
    Say(dc, 12, 30, "CreateRoundRectRgn + SetWindowRgn", "Tahoma", 11, false);
    EndPaint(hwnd, &ps);
    return 0;
}

// Black is the colour key: the ring's inside, the gaps and the background are see-through.
LRESULT LayeredProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProc(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    WithPenAndBrush(dc, CreatePen(PS_SOLID, 12, RGB(255, 140, 0)),
                    static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)),
                    [](HDC d) { Ellipse(d, 60, 20, 220, 180); });
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 230, 0));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    Say(dc, kLayeredW / 2, 88, "МӨЛДІР", "Arial Black", 17, false);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    // A green bar with black squares cut into it.
    HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
    RECT bar = Rect(20, 200, 260, 230);
    FillRect(dc, &bar, green);
    DeleteObject(green);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (int x = 30; x < 250; x += 40) {
        RECT hole = Rect(x + 20, 208, x + 34, 222);
        FillRect(dc, &hole, black);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

void RegisterGalleryClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    WNDCLASS wc;
    wc.lpszClassName = kMainClass;
    wc.lpfnWndProc = GalleryProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(uintptr_t(COLOR_WINDOW + 1));
    RegisterClass(wc);
    wc.lpszClassName = kShapedClass;
    wc.lpfnWndProc = ShapedProc;
    wc.hbrBackground = CreateSolidBrush(RGB(255, 200, 80));
    RegisterClass(wc);
    wc.lpszClassName = kLayeredClass;
    wc.lpfnWndProc = LayeredProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClass(wc);
}

} // namespace

GalleryWindows CreateGallery() {
    RegisterGalleryClasses();
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    GalleryWindows g;
    g.main = CreateWindowEx(0, kMainClass, "СТАТИСТИКА", WS_OVERLAPPEDWINDOW, work.left + kMainX,
                            work.top + kMainY, kMainW, kMainH, nullptr, nullptr, nullptr, nullptr);
    if (!g.main) return g;
    ShowWindow(g.main, SW_SHOW);

    // Both stay in front of the main window when it is activated, so they keep overlapping it.
    g.shaped =
        CreateWindowEx(WS_EX_TOPMOST, kShapedClass, "Пішін", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                       work.left + kShapedX, work.top + kShapedY, kShapedW, kShapedH, g.main,
                       nullptr, nullptr, nullptr);
    if (g.shaped) {
        SetWindowRgn(g.shaped,
                     CreateRoundRectRgn(0, 0, kShapedW, kShapedH, kShapedCorner, kShapedCorner),
                     true);
        ShowWindow(g.shaped, SW_SHOWNOACTIVATE);
    }
    g.layered =
        CreateWindowEx(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kLayeredClass,
                       "Мөлдір терезе", WS_POPUP, work.left + kLayeredX, work.top + kLayeredY,
                       kLayeredW, kLayeredH, g.main, nullptr, nullptr, nullptr);
    if (g.layered) {
        SetLayeredWindowAttributes(g.layered, RGB(0, 0, 0), 255, LWA_COLORKEY);
        ShowWindow(g.layered, SW_SHOWNOACTIVATE);
    }
    g.controls = CreateControlsGallery(work.left + kControlsX, work.top + kControlsY, g.main);
    return g;
}
