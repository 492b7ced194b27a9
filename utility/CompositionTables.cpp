#include "utility/CompositionTables.h"

#include <iterator>

namespace {

// Each row lists the base letters and, position by position, the letter they compose to.
const CompositionTable kTables[] = {
    {0x0300, u"AaEeIiOoUuNn", u"ÀàÈèÌìÒòÙùǸǹ"},              // grave
    {0x0301, u"AaEeIiOoUuYyCcSsNn", u"ÁáÉéÍíÓóÚúÝýĆćŚśŃń"},  // acute
    {0x0302, u"AaEeIiOoUuYyCcSs", u"ÂâÊêÎîÔôÛûŶŷĈĉŜŝ"},      // circumflex
    {0x0303, u"AaIiOoUuNn", u"ÃãĨĩÕõŨũÑñ"},                  // tilde
    {0x0304, u"AaEeIiOoUuYy", u"ĀāĒēĪīŌōŪūȲȳ"},              // macron
    {0x0306, u"AaEeIiOoUu", u"ĂăĔĕĬĭŎŏŬŭ"},                  // breve
    {0x0307, u"AaEeIOoCc", u"ȦȧĖėİȮȯĊċ"},                    // dot above
    {0x0308, u"AaEeIiOoUuYy", u"ÄäËëÏïÖöÜüŸÿ"},              // diaeresis
    {0x030A, u"AaUu", u"ÅåŮů"},                              // ring above
    {0x030C, u"AaEeIiOoUuCcSsNn", u"ǍǎĚěǏǐǑǒǓǔČčŠšŇň"},      // caron
    {0x0327, u"EeCcSsNn", u"ȨȩÇçŞşŅņ"},                      // cedilla
};

}  // namespace

char16_t ComposeWithMark(uint32_t base, uint32_t mark) {
  // Every base is an ASCII letter and every mark lies in U+0300..U+0327.
  if (base > 0x7F || mark < 0x0300 || mark > 0x0327) return 0;
  for (const CompositionTable& table : kTables) {
    if (table.mark != mark) continue;
    for (int i = 0; table.bases[i] != 0; ++i) {
      if (table.bases[i] == base) return table.composed[i];
    }
    return 0;
  }
  return 0;
}

const CompositionTable* CompositionTables(int* count) {
  *count = static_cast<int>(std::size(kTables));
  return kTables;
}
