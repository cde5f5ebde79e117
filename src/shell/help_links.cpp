#include "shell/help_links.h"

namespace qp {

namespace {

bool StartsWithIgnoringCase(TextView text, TextView prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char16_t c = text[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

HelpLinkAction HelpNavigation(TextView url) {
  if (url.size() == 11 && StartsWithIgnoringCase(url, u"about:blank")) return HelpLinkAction::Load;
  for (TextView scheme : {TextView(u"http://"), TextView(u"https://"), TextView(u"mailto:")}) {
    if (StartsWithIgnoringCase(url, scheme) && url.size() > scheme.size()) return HelpLinkAction::OpenOutside;
  }
  return HelpLinkAction::Stay;
}

}  // namespace qp
