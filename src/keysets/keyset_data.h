// Constant contents of the key sets: one record per grid position.
// The tables themselves are generated (keyset_data_generated.cpp); read them
// through catalogue.h.
#pragma once
#include <cstdint>

namespace qp {

// One key of a set. A code point below 1 marks an empty grid position.
struct KeyRecord {
  int32_t codePoint;
  const char16_t* tooltip;
  const char* entityName;  // HTML entity name without '&' and ';', "" when none
};

// Runic set only: membership in the six rune rows (Elder, Younger long-branch,
// Younger short-twig, Anglo-Saxon, Medieval, Loremark) and the place in
// transliteration order. Empty positions are all 0.
struct RuneRow {
  int32_t rows[6];
  int32_t order;
};

// records[1..positions]; records[0] is an unused empty record.
struct KeySetTable {
  const KeyRecord* records;
  int positions;
};

constexpr int kKeySetCount = 21;
constexpr int kMoreBlockPositions = 57;
constexpr int kRunicSet = 17;
constexpr int kRunicPositions = 95;

// Generated tables, indexed by fuller-edition set number; [0] is unused.
extern const KeySetTable kKeySetTables[kKeySetCount + 1];
extern const KeySetTable kMoreBlockTable;
extern const RuneRow kRuneRowTable[kRunicPositions + 1];

}  // namespace qp
