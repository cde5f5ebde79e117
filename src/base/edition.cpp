#include "base/edition.h"

namespace qp {

static const Edition kPro = {
    EditionKind::Pro,
    u"Quillpad Pro",
    u"Quillpad Pro ~ ",
    u"Quillpad Pro ~ ",
    u"Marrowfen Quillpad Pro",
    u"Quit Quillpad Pro",
    u"About Quillpad Pro",
    u"Quillpad Pro version " QUILLPAD_VERSION_U,
    u"https://www.marrowfen.example/quillpad/pro/",
    21,
    true,
    true,
    true,
    true,
};

static const Edition kStandard = {
    EditionKind::Standard,
    u"Quillpad",
    u"Quillpad ~ ",
    u"Quillpad ~",
    u"Marrowfen Quillpad",
    u"Quit Quillpad",
    u"About Quillpad",
    u"Quillpad version " QUILLPAD_VERSION_U,
    u"https://www.marrowfen.example/quillpad/",
    15,
    false,
    false,
    false,
    false,
};

static const Edition* g_current = &kPro;

const Edition& ProEdition() { return kPro; }
const Edition& StandardEdition() { return kStandard; }
const Edition& CurrentEdition() { return *g_current; }
void SetCurrentEdition(EditionKind kind) { g_current = kind == EditionKind::Pro ? &kPro : &kStandard; }

}  // namespace qp
