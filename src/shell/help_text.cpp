// Plain-text rendering of the help pages, for a page view that cannot show HTML. It knows the
// small set of elements the pages use; anything else is read as inline text.
#include <cstdint>
#include <string>
#include <vector>

#include "shell/help_pages.h"

namespace qp {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

struct NamedReference {
  const char* name;
  uint32_t codePoint;
};

const NamedReference kNamedReferences[] = {
    {"amp", '&'},       {"lt", '<'},          {"gt", '>'},         {"quot", '"'},       {"apos", '\''},
    {"nbsp", 0xA0},     {"copy", 0xA9},       {"reg", 0xAE},       {"euro", 0x20AC},    {"ndash", 0x2013},
    {"mdash", 0x2014},  {"hellip", 0x2026},   {"laquo", 0xAB},     {"raquo", 0xBB},     {"trade", 0x2122},
};

// Reads a character reference at html[i] ('&'); on success appends it and moves i past it.
bool ReadReference(std::string_view html, size_t& i, Text& out) {
  const size_t semi = html.find(';', i);
  if (semi == std::string_view::npos || semi - i > 12 || semi == i + 1) return false;
  std::string_view body = html.substr(i + 1, semi - i - 1);
  uint32_t cp = 0;
  if (body[0] == '#') {
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return false;
    for (char c : digits) {
      int v;
      if (c >= '0' && c <= '9') {
        v = c - '0';
      } else if (hex && Lower(c) >= 'a' && Lower(c) <= 'f') {
        v = Lower(c) - 'a' + 10;
      } else {
        return false;
      }
      cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(v);
      if (cp > 0x10FFFF) cp = 0x110000;  // stays out of range without overflowing
    }
  } else {
    bool known = false;
    for (const NamedReference& r : kNamedReferences) {
      if (body == r.name) {
        cp = r.codePoint;
        known = true;
        break;
      }
    }
    if (!known) return false;
  }
  AppendCodePoint(out, cp);
  i = semi + 1;
  return true;
}

// Collects the text with the line structure of the blocks around it.
class PlainWriter {
 public:
  // Asks for at least `lines` line ends before the next text (2 gives an empty line between).
  void Break(int lines) {
    if (lines > pendingBreaks_) pendingBreaks_ = lines;
    pendingSpace_ = false;
  }
  void Space() {
    if (!AtLineStart()) pendingSpace_ = true;
  }
  // The text that starts the next line, e.g. a list bullet; later lines are indented to match.
  void SetLinePrefix(const Text& prefix, size_t continuationIndent) {
    linePrefix_ = prefix;
    continuation_ = continuationIndent;
  }
  void SetIndent(size_t indent) { continuation_ = indent; }
  void Write(const Text& text) {
    if (text.empty()) return;
    Flush();
    out_ += text;
  }
  // The text of the current line so far (for underlining a heading).
  size_t CurrentLineLength() const {
    const size_t nl = out_.rfind(u'\n');
    return nl == Text::npos ? out_.size() : out_.size() - nl - 1;
  }
  Text Finish() {
    if (!out_.empty()) out_ += u"\r\n";
    return out_;
  }

 private:
  bool AtLineStart() const { return out_.empty() || out_.back() == u'\n' || pendingBreaks_ > 0; }
  void Flush() {
    if (out_.empty()) {
      pendingBreaks_ = 0;
    }
    if (pendingBreaks_ > 0) {
      for (int i = 0; i < pendingBreaks_; ++i) out_ += u"\r\n";
      pendingBreaks_ = 0;
    }
    if (out_.empty() || out_.back() == u'\n') {
      if (!linePrefix_.empty()) {
        out_ += linePrefix_;
        linePrefix_.clear();
      } else {
        out_.append(continuation_, u' ');
      }
    } else if (pendingSpace_) {
      out_ += u' ';
    }
    pendingSpace_ = false;
  }

  Text out_;
  int pendingBreaks_ = 0;
  bool pendingSpace_ = false;
  Text linePrefix_;
  size_t continuation_ = 0;
};

struct Tag {
  std::string name;  // lower case, without '/'
  bool closing = false;
};

// Parses the tag at html[i] ('<'); moves i past its '>'. False when '<' starts no tag.
bool ReadTag(std::string_view html, size_t& i, Tag& tag) {
  size_t j = i + 1;
  if (j >= html.size()) return false;
  if (html.compare(j, 3, "!--") == 0) {
    const size_t end = html.find("-->", j + 3);
    i = end == std::string_view::npos ? html.size() : end + 3;
    tag = Tag{"!", false};
    return true;
  }
  tag = Tag();
  if (html[j] == '/') {
    tag.closing = true;
    ++j;
  }
  if (j >= html.size() || !((Lower(html[j]) >= 'a' && Lower(html[j]) <= 'z') || html[j] == '!')) return false;
  while (j < html.size() && !IsSpace(html[j]) && html[j] != '>' && html[j] != '/') tag.name += Lower(html[j++]);
  char quote = 0;
  for (; j < html.size(); ++j) {
    if (quote) {
      if (html[j] == quote) quote = 0;
    } else if (html[j] == '"' || html[j] == '\'') {
      quote = html[j];
    } else if (html[j] == '>') {
      break;
    }
  }
  i = j < html.size() ? j + 1 : html.size();
  return true;
}

bool IsSkippedElement(const std::string& name) {
  return name == "head" || name == "title" || name == "style" || name == "script";
}

struct ListState {
  bool ordered;
  int counter;
};

}  // namespace

Text HelpPageAsText(std::string_view html) {
  PlainWriter w;
  std::vector<ListState> lists;
  std::string skipping;  // the element whose content is left out, until its end tag
  size_t i = 0;
  Text run;
  auto flushRun = [&]() {
    w.Write(run);
    run.clear();
  };
  auto indent = [&]() { return lists.empty() ? size_t{0} : lists.size() * 3; };

  while (i < html.size()) {
    const char c = html[i];
    if (c == '<') {
      Tag tag;
      size_t next = i;
      if (ReadTag(html, next, tag)) {
        i = next;
        if (!skipping.empty()) {
          if (tag.closing && tag.name == skipping) skipping.clear();
          continue;
        }
        if (tag.name == "!") continue;
        if (!tag.closing && IsSkippedElement(tag.name)) {
          flushRun();
          skipping = tag.name;
          continue;
        }
        flushRun();
        const std::string& n = tag.name;
        if (n == "h1" || n == "h2") {
          if (tag.closing) {
            const size_t len = w.CurrentLineLength();
            w.Break(1);
            w.Write(Text(len, n == "h1" ? u'=' : u'-'));
          }
          w.Break(2);
        } else if (n == "h3" || n == "h4" || n == "h5" || n == "h6") {
          w.Break(tag.closing ? 1 : 2);
        } else if (n == "p" || n == "div" || n == "blockquote" || n == "table" || n == "pre") {
          w.Break(2);
        } else if (n == "br" || n == "tr" || n == "dt" || n == "dd") {
          w.Break(1);
        } else if (n == "hr") {
          w.Break(2);
          w.Write(Text(40, u'-'));
          w.Break(2);
        } else if (n == "ul" || n == "ol") {
          if (tag.closing) {
            if (!lists.empty()) lists.pop_back();
          } else {
            lists.push_back(ListState{n == "ol", 0});
          }
          w.SetIndent(indent());
          w.Break(lists.empty() ? 2 : 1);
        } else if (n == "li") {
          w.Break(1);
          if (!tag.closing && !lists.empty()) {
            ListState& list = lists.back();
            const size_t base = (lists.size() - 1) * 3;
            Text bullet = list.ordered ? Latin1ToText(std::to_string(++list.counter) + ". ") : Text(u"- ");
            w.SetLinePrefix(Text(base, u' ') + bullet, base + bullet.size());
          }
        } else if (n == "td" || n == "th") {
          w.Space();
        }
        // Inline elements (b, i, code, a, span ...) only change the look: nothing to do.
        continue;
      }
    }
    if (!skipping.empty()) {
      ++i;
      continue;
    }
    if (IsSpace(c)) {
      flushRun();
      w.Space();
      while (i < html.size() && IsSpace(html[i])) ++i;
      continue;
    }
    if (c == '&' && ReadReference(html, i, run)) continue;
    // Plain text; the pages are ASCII, but anything else is read as UTF-8.
    size_t j = i;
    while (j < html.size() && html[j] != '<' && html[j] != '&' && !IsSpace(html[j])) ++j;
    if (j == i) j = i + 1;  // a lone '&' or '<' that starts nothing
    run += Utf8ToText(html.substr(i, j - i));
    i = j;
  }
  flushRun();
  return w.Finish();
}

}  // namespace qp
