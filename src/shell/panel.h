// The keyboard panel's contents: building key sets into the element table, the bar elements,
// the more block, and the panel's size. The Windows layer paints what the table holds.
#pragma once
#include <cstdint>

#include "base/text.h"
#include "shell/elements.h"

namespace qp {

// The panel's elements (window 0).
ElementTable& Elements();

// Fuller-edition number of the set the panel shows for the current KeySet.
int ShownKeySet();

// The fixed elements of the panel, created once with the main window, in their order.
void CreatePanelElements();

// Full rebuild for the current KeySet: colours, bar faces, more block, keys, title.
// The scheme in use (dark, light or high contrast) into AppState's colours and the close button.
void ApplySchemeColors();
void LoadKeyPanel();
// Removes the current set's keys and labels.
void ClearKeySet();
// The 57 keys of the more block.
void BuildMoreBlock();
// One key element in the open container; 1 on success, 0 on failure.
int CreateKey(int number, int x, int y, int w, int h, int32_t codePoint);
// The current set's loader.
void LoadCurrentKeySet();
// Switch to set n (the edition's numbering); nothing when it is already shown. `leaving`, when
// given, runs once KeySet holds n and before the old set's keys go.
void SelectKeySet(int n, void (*leaving)() = nullptr);

void SetKeyAreaHeight(int h);
void RelayoutPanel();
void ToggleMoreBlock();
void ShowPanel(bool show);

// Records the face an element is painted in (a key's or button's state, or an image button's
// picture number) and asks for that element to be repainted.
void SetElementFace(int element, int face);
// Records the title strip's text and asks for the strip to be repainted.
void SetTitleStripText(const Text& text);

// Texts the painter shows.
const Text& TitleStripText();
Text LabelText(int element);  // phonetic and Ogham labels, "type in "

// Window title and tray tip of the set on show.
Text WindowTitleForShownSet();
Text TrayTipForShownSet();

}  // namespace qp
