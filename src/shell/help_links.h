// Where the help window's page view may go: it shows the program's own pages and nothing else.
#pragma once

#include "base/text.h"

namespace qp {

enum class HelpLinkAction {
  Load,         // the blank page the help pages are written into
  OpenOutside,  // a web or mail address: the user's default browser opens it instead
  Stay,         // anything else: refused, the page stays as it is
};

HelpLinkAction HelpNavigation(TextView url);

}  // namespace qp
