// What the help pages are built from: the page frame, escaping, and the pages kept in files of
// their own. Used by help_pages.cpp and help_set_pages.cpp only.
#pragma once
#include <string>
#include <vector>

#include "base/edition.h"
#include "base/text.h"

namespace qp::help {

// The document head (HTML 3.2, the style sheet) and the page's heading.
std::string PageStart(const char* title, const char* heading);
extern const char* const kPageEnd;

// Text as ASCII HTML: markup characters escaped, everything beyond ASCII as a reference.
std::string HtmlEscape(TextView text);
std::string Ascii(const char16_t* text);

bool IsPro(const Edition& e);
// The edition's key sets as fuller-edition numbers, in the edition's own order.
std::vector<int> EditionSets(const Edition& e);

std::string KeySetsPage(const Edition& e);
std::string OutputModesPage(const Edition& e);

}  // namespace qp::help
