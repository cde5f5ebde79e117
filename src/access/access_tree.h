// What assistive technology is told about the panel: one flat list of the drawn elements a
// user can read or press, in reading order, each with a role, a name, a value, states and a
// default action. Built from the element table, so it always matches what is painted; the
// Windows layer only translates it into its accessibility interfaces.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "base/text.h"
#include "shell/elements.h"

namespace qp {

enum class AccessRole { PushButton, CheckButton, StaticText, ComboBox };

// State bits.
constexpr uint32_t kAccessUnavailable = 1;  // greyed: present but cannot be pressed
constexpr uint32_t kAccessChecked = 2;

struct AccessNode {
  int id = 0;  // the element number, stable for as long as the element exists
  AccessRole role = AccessRole::StaticText;
  Text name;
  Text value;
  Text description;
  uint32_t states = 0;
  Text defaultAction;  // empty when the element has none
};

// The panel's readable elements in reading order: top to bottom, then left to right.
// Containers, the frame of the target row and hidden elements are left out.
std::vector<int> AccessChildren(const ElementTable& table);

// The node of one element of the panel, or nothing when it is not in the tree now.
std::optional<AccessNode> AccessNodeFor(int element);

// The element whose click the default action of `element` is: the element itself, or for the
// target drop-down its arrow. 0 when the element has no default action now.
int AccessActionElement(int element);

// "U+00E9": the code point as the description of a key carries it.
Text CodePointLabel(int32_t codePoint);

}  // namespace qp
