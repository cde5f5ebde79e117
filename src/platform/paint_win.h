// Painting of the panel's drawn elements into a device context.
#pragma once
#include <windows.h>

namespace qpw {

// Paints every shown drawn element that meets `dirty`, over the window's frame colour.
void PaintPanel(HDC dc, const RECT& client, const RECT& dirty);
// Paints one element at its place (window client coordinates).
void PaintElement(HDC dc, int number);

}  // namespace qpw
