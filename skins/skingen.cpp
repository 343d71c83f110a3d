// Draws a skin into a folder. Usage: skingen [--skin NAME [--preview PNG]] OUTDIR
// Without a name it draws the small sample skin the tool tests use; with one of the stored
// skins' names (Nordvale, Pavo, Frostline) that skin, and optionally a magnified picture of its
// master bitmap for looking at.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/core/FileSystem.h"
#include "platform/core/WinTypes.h"
#include "platform/image/BmpFile.h"
#include "platform/image/JpegFile.h"
#include "skins/SkinAuthor.h"
#include "skins/SkinRecipe.h"

namespace {

constexpr COLORREF kKey = RGB(255, 0, 255);

void FillRect(Bitmap& b, RECT r, COLORREF c) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) b.SetPixel(x, y, c);
}

// A frame with a light top-left and dark bottom-right edge and key-coloured corners.
void DrawFrame(Bitmap& b, RECT r, COLORREF face, COLORREF light, COLORREF dark) {
    FillRect(b, r, face);
    FillRect(b, Rect(r.left, r.top, r.right, r.top + 1), light);
    FillRect(b, Rect(r.left, r.top, r.left + 1, r.bottom), light);
    FillRect(b, Rect(r.left, r.bottom - 1, r.right, r.bottom), dark);
    FillRect(b, Rect(r.right - 1, r.top, r.right, r.bottom), dark);
    b.SetPixel(r.left, r.top, kKey);
    b.SetPixel(r.right - 1, r.top, kKey);
    b.SetPixel(r.left, r.bottom - 1, kKey);
    b.SetPixel(r.right - 1, r.bottom - 1, kKey);
}

void DrawCheck(Bitmap& b, int x0, int y0, COLORREF box, COLORREF mark) {
    FillRect(b, Rect(x0, y0, x0 + 13, y0 + 13), kKey);
    DrawFrame(b, Rect(x0, y0, x0 + 13, y0 + 13), RGB(255, 255, 255), box, box);
    const int px[] = {3, 4, 5, 6, 7, 8, 9};
    const int py[] = {6, 7, 8, 7, 6, 5, 4};
    for (int i = 0; i < 7; ++i)
        FillRect(b, Rect(x0 + px[i], y0 + py[i], x0 + px[i] + 1, y0 + py[i] + 2), mark);
}

const char* kOptions =
    "; The sample skin, drawn by skingen.\r\n"
    "[GLOBALINFO]\r\n"
    "VERSION=5.36\r\n"
    "AUTHOR=Statistika team\r\n"
    "DESCRIPTION=Sample skin in light blue\r\n"
    "MASTERBITMAP=MASTER.BMP\r\n"
    "SHADOW1COLOR=0\r\nSHADOW1OFFSET=2\r\nSHADOW1BLUR=3\r\nSHADOW1TRANSPARENCY=60\r\n"
    "BORDERCOLOR=8421504\r\n"
    "COLOR=15591641\r\nFONTCOLOR=0\r\nHOTCOLOR=16777215\r\n"
    "BOXCHECKED=@0000@0040@0039@0053@3@0\r\n"
    "BOXUNCHECKED=@0000@0053@0039@0066@3@0\r\n"
    "[PANEL]\r\n"
    "COLOR=15591641\r\nFONTCOLOR=4210752\r\nTRANSPARENCY=0\r\n"
    "GRADIENTPERCENT=100\r\n"
    "GRADIENTDATA=16250871;15591641;50;0;0;15591641;14408667;50;0;0\r\n"
    "BORDERSMASK=^0000^0000^0024^0024^0000^0000^0000^0000^1^0^0^2\r\n"
    "[PANEL_LOW]\r\nPARENTCLASS=PANEL\r\nBEVEL=2\r\nGRADIENTPERCENT=0\r\n"
    "[BUTTON]\r\n"
    "PARENTCLASS=PANEL\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=8388608\r\nSHOWFOCUS=TRUE\r\n"
    "FADINGENABLED=TRUE\r\nFADINGITERATIONS=5\r\n"
    "GRADIENTDATA=16184299;15788256;45;0;0;15788256;14866631;10;0;0;14866631;16184300;42;0;0;"
    "16184300;16184300;0;0;0\r\n"
    "HOTGRADIENTPERCENT=100\r\n"
    "HOTGRADIENTDATA=16777215;16247000;50;0;0;16247000;15720000;50;0;0\r\n"
    "BORDERSMASK=^0024^0000^0084^0020^0004^0004^0004^0004^3^0^0^0\r\n"
    "[SPEEDBUTTON]\r\nPARENTCLASS=BUTTON\r\n"
    "[TOOLBAR]\r\nPARENTCLASS=PANEL\r\n"
    "GRADIENTDATA=16777215;15591641;100;1;0\r\n"
    "[FORM]\r\n"
    "COLOR=15591641\r\nIMAGEPERCENT=100\r\nPATTERN=~0084~0000~0116~0032~00~0\r\n"
    "[STATUSBAR]\r\nPARENTCLASS=PANEL\r\nBORDERSMASK=N/A\r\n"
    "[HINT]\r\nCOLOR=14811135\r\nGRADIENTDATA=16777215;14811135;0;2;0;14811135;0;0;0;0\r\n"
    "[WEBBUTTON]\r\nPARENTCLASS=BUTTON\r\nPATTERN=PAPER.JPG\r\n";

int DrawSample(const std::filesystem::path& out) {
    std::filesystem::create_directories(out);

    Bitmap master(120, 70, 24);
    master.Fill(kKey);
    DrawFrame(master, Rect(0, 0, 24, 24), RGB(217, 232, 237), RGB(255, 255, 255),
              RGB(120, 150, 170));
    const COLORREF faces[3] = {RGB(235, 240, 246), RGB(250, 250, 255), RGB(200, 215, 230)};
    for (int i = 0; i < 3; ++i)
        DrawFrame(master, Rect(24 + 20 * i, 0, 44 + 20 * i, 20), faces[i], RGB(255, 255, 255),
                  RGB(90, 120, 150));
    for (int y = 0; y < 32; ++y)
        for (int x = 84; x < 116; ++x)
            master.SetPixel(x, y, ((x / 4 + y / 4) & 1) ? RGB(222, 232, 240) : RGB(214, 226, 236));
    for (int i = 0; i < 3; ++i) {
        DrawCheck(master, 13 * i, 40, RGB(90, 120, 150),
                  i == 1 ? RGB(0, 90, 200) : RGB(30, 60, 110));
        DrawCheck(master, 13 * i, 53, RGB(90, 120, 150), RGB(255, 255, 255));
    }

    Bitmap paper(320, 320, 24);
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 320; ++x) {
            const int grain = ((x * 7 + y * 13) ^ (x * y)) & 7;
            paper.SetPixel(x, y, RGB(246 - grain, 242 - grain, 230 - grain));
        }

    const std::string dir = WindowsPath(std::filesystem::absolute(out).string()) + "\\";
    const std::string options = kOptions;
    const bool ok =
        WriteFileBytes(dir + "Options.dat", std::vector<uint8_t>(options.begin(), options.end())) &&
        WriteFileBytes(dir + "MASTER.BMP", SaveBMP(master)) &&
        WriteFileBytes(dir + "PAPER.JPG", EncodeJPEG(paper, 85));
    if (!ok) {
        std::fprintf(stderr, "skingen: cannot write the skin into %s\n", out.string().c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string name, preview;
    while (args.size() > 1 && (args[0] == "--skin" || args[0] == "--preview")) {
        (args[0] == "--skin" ? name : preview) = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() != 1) {
        std::fputs("usage: skingen [--skin NAME [--preview PNG]] OUTDIR\n", stderr);
        return 2;
    }
    const std::filesystem::path out = args[0];
    if (name.empty()) return DrawSample(out);
    TSkinRecipe recipe;
    if (name == "Nordvale")
        recipe = NordvaleRecipe();
    else if (name == "Pavo")
        recipe = PavoRecipe();
    else if (name == "Frostline")
        recipe = FrostlineRecipe();
    else {
        std::fprintf(stderr, "skingen: no skin named %s\n", name.c_str());
        return 2;
    }
    std::filesystem::create_directories(out);
    const std::string dir = WindowsPath(std::filesystem::absolute(out).string()) + "\\";
    const std::string previewPath =
        preview.empty() ? "" : WindowsPath(std::filesystem::absolute(preview).string());
    if (!TSkinAuthor(recipe).Write(dir, previewPath)) {
        std::fprintf(stderr, "skingen: cannot write the skin into %s\n", out.string().c_str());
        return 1;
    }
    return 0;
}
