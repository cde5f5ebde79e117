// The help pages stored in the program: one HTML document per topic, and a plain-text
// rendering of a page for when no HTML view is available.
#pragma once
#include <string>
#include <string_view>

#include "base/edition.h"
#include "base/text.h"

namespace qp {

// Topics of the edition in list order (six in the Pro edition, five in the standard one).
int HelpTopicCount(const Edition& edition);
// The topic's text in the help window's list; empty for an index outside the list.
Text HelpTopicText(const Edition& edition, int index);
// The topic's page: a complete HTML 3.2 document in plain ASCII (character references for
// everything else); nullptr for an index outside the list.
const std::string* HelpPage(const Edition& edition, int index);

// A page as readable plain text: headings, paragraphs and lists on their own lines, character
// references resolved, tags, the title and the style sheet left out. Lines end in CR LF.
Text HelpPageAsText(std::string_view html);

}  // namespace qp
