#include "base/instance_check.h"

namespace qp {

bool IsInstanceTitle(TextView title, const Edition& edition) {
  const TextView prefix(edition.instancePrefix);
  return title.substr(0, prefix.size()) == prefix;
}

bool ShouldAskAboutOtherInstance(const AppState& state, const Edition& edition) {
  if (state.OtherInstanceFound != 1) return false;
  return edition.kind == EditionKind::Standard || state.AllowMultiRun == 0;
}

Text InstanceQuestionCaption(const Edition& edition) { return Text(edition.productName); }

Text InstanceQuestionText(const Edition& edition) {
  // Fixed word for word, "takbar" included.
  return u"An instance of " + Text(edition.productName) +
         u" appears to be already running.\r\n"
         u"Continue with this additional copy (Yes) or else cancel it (No)?\r\n\r\n"
         u"There is no special problem running multiple instances, but each will have its own takbar icon.";
}

}  // namespace qp
