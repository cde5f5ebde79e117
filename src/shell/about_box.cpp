#include "shell/about_box.h"

#include "base/platform.h"

namespace qp {

Text AboutBoxText(const Edition& edition, bool build64) {
  const Text lines[] = {
      Text(),
      edition.versionLine,
      Text(),
      Text(u"Windows ") + (build64 ? u"x64" : u"x86") + u" edition",
      Text(),
      u"Marrowfen",
      edition.productPage,
      u"Copyright \u00A9 2012-2025 Marrowfen",
  };
  Text text;
  for (const Text& line : lines) text += line + u"\r\n";
  return text;
}

void ShowAboutBox() {
  const Edition& edition = CurrentEdition();
  Plat().MessageBox(AboutBoxText(edition, kBuild64), edition.aboutCaption, kMbIconInformation | kMbOk);
}

}  // namespace qp
