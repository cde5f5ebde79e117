#include "shell/help_html.h"

#include <cstdint>

#include "keysets/catalogue.h"

namespace qp::help {

namespace {

// ---- page frame ------------------------------------------------------------------------

constexpr const char* kDocType = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n";

constexpr const char* kStyle =
    "<style type=\"text/css\">\r\n"
    "body { background-color: #f7f7e8; font-family: Arial, Helvetica, sans-serif; font-size: x-small;"
    " margin: 10px 14px; }\r\n"
    "p, li, td, dd, dt { font-family: Arial, Helvetica, sans-serif; font-size: x-small; }\r\n"
    "h1, h2, h3 { color: #006600; font-family: Arial, Helvetica, sans-serif; font-weight: bold; }\r\n"
    "h1 { font-size: medium; }\r\n"
    "h2 { font-size: small; margin-top: 16px; }\r\n"
    "h3 { font-size: x-small; margin-top: 12px; margin-bottom: 2px; }\r\n"
    "code, tt { font-family: \"Courier New\", Courier, monospace; }\r\n"
    ".example { color: #333399; }\r\n"
    ".small { font-size: xx-small; color: #555555; }\r\n"
    "</style>\r\n";

}  // namespace

std::string PageStart(const char* title, const char* heading) {
  std::string s = kDocType;
  s += "<html>\r\n<head>\r\n<title>";
  s += title;
  s += "</title>\r\n";
  s += kStyle;
  s += "</head>\r\n<body>\r\n<h1>";
  s += heading;
  s += "</h1>\r\n";
  return s;
}

const char* const kPageEnd = "</body>\r\n</html>\r\n";

std::string HtmlEscape(TextView text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      out += "&#" + std::to_string(c) + ";";
    }
  }
  return out;
}

std::string Ascii(const char16_t* text) { return HtmlEscape(text ? TextView(text) : TextView()); }

bool IsPro(const Edition& e) { return e.kind == EditionKind::Pro; }

std::vector<int> EditionSets(const Edition& e) {
  std::vector<int> sets;
  for (int n = 1; n <= e.keySetCount; ++n) sets.push_back(IsPro(e) ? n : StandardToFullerSet(n));
  return sets;
}

}  // namespace qp::help
