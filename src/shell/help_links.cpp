#include "shell/help_links.h"

namespace qp {

HelpLinkAction HelpNavigation(TextView url) {
  if (url.size() == 11 && StartsWithNoCase(url, u"about:blank")) return HelpLinkAction::Load;
  for (TextView scheme : {TextView(u"http://"), TextView(u"https://"), TextView(u"mailto:")}) {
    if (StartsWithNoCase(url, scheme) && url.size() > scheme.size()) return HelpLinkAction::OpenOutside;
  }
  return HelpLinkAction::Stay;
}

}  // namespace qp
