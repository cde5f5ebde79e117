#include "keysets/catalogue.h"

namespace qp {
namespace {

const char16_t* const kSetNames[kKeySetCount + 1] = {
    u"",
    u"Latin - Western Europe",
    u"Latin - Western Europe, Nordic",
    u"Latin - Eastern Europe, Polish and Baltic",
    u"Latin - Eastern Europe, Danube",
    u"Latin - Southeast Europe and Turkic",
    u"Latin - Austronesian / Oceanic",
    u"Latin - Esperanto",
    u"Cyrillic - East Slavic",
    u"Cyrillic - Bulgarian",
    u"Cyrillic - West Balkan",
    u"Cyrillic - Turkic and Mongolic",
    u"Greek",
    u"Polytonic Greek",
    u"Georgian",
    u"Armenian",
    u"Ogham",
    u"Runic",
    u"International Phonetic Alphabet (IPA)",
    u"Roman Numerals",
    u"Emoticons",
    u"Other symbols",
};

// The standard edition's sets in its own order, as fuller numbers.
const int kStandardSets[kStandardKeySetCount + 1] = {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 20};

// Where the standard edition's tooltips read differently (its own wording, kept as it ships).
struct TooltipWording {
  int set;
  int position;
  const char16_t* text;
};
const TooltipWording kStandardWordings[] = {
    {4, 33, u"L caron"},
    {8, 12, u"cap  I"},
    {8, 13, u"cap dotted I"},
    {11, 18, u"cap dotted I"},
    {8, 32, u"dotted i"},
    {11, 37, u"dotted i"},
};

int ValidSet(int setNumber) {
  return (setNumber >= 1 && setNumber <= kKeySetCount) ? setNumber : 1;
}

}  // namespace

KeySetTable KeySetRecords(int setNumber) { return kKeySetTables[ValidSet(setNumber)]; }

KeySetTable MoreBlockRecords() { return kMoreBlockTable; }

const RuneRow* RuneRows() { return kRuneRowTable; }

const char16_t* KeySetName(int setNumber) { return kSetNames[ValidSet(setNumber)]; }

int StandardToFullerSet(int standardNumber) {
  if (standardNumber < 1 || standardNumber > kStandardKeySetCount) return 1;
  return kStandardSets[standardNumber];
}

const char16_t* StandardTooltip(int fullerSet, int position) {
  const int set = ValidSet(fullerSet);
  const KeySetTable table = KeySetRecords(set);
  if (position < 1 || position > table.positions) return u"";
  for (const TooltipWording& w : kStandardWordings) {
    if (w.set == set && w.position == position) return w.text;
  }
  return table.records[position].tooltip;
}

}  // namespace qp
