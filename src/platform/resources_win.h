// The program's embedded resources: the private font, fonts 0..5, images 0..9.
#pragma once
#include <windows.h>

namespace qpw {

// Registers "Tarsel Sans" for this process and creates fonts 0..5.
// Fonts and images are made for the panel's DPI (PanelDpi); after a DPI change the fonts are
// rebuilt and the images released and loaded again.
void LoadPanelFonts();
void RebuildPanelFonts(int dpi);
void ReleasePanelFonts();
HFONT PanelFont(int number);

// Decodes the pictures and cuts images 1..9; image 0 is the program icon.
void LoadPanelImages();
void ReleasePanelImages();
// A 32-bit premultiplied DIB of image n (1..9), or nullptr.
HBITMAP PanelImage(int number, int* width, int* height);
HICON ProgramIcon(int size);

// Alpha-blends image n at (x, y) of dc.
void DrawPanelImage(HDC dc, int number, int x, int y);

}  // namespace qpw
