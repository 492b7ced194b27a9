// Value text: the tokenizer and the statement parser over arbitrary bytes, then every getter on
// every key the text produced.
#include <cstddef>
#include <cstdint>

#include "utility/SettingsTable.h"
#include "utility/TokenList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > static_cast<size_t>(kLongestTokenSource)) return 0;
  // libFuzzer hands over exactly size bytes, so reading one byte too far is caught.
  const char* text = reinterpret_cast<const char*>(data);
  const int32_t length = static_cast<int32_t>(size);

  TokenList list;
  Tokenize(list, text, length);
  for (int32_t i = 0; i < list.count; ++i) {
    if (list.Position(i) >= length) __builtin_trap();
    if (const UtilStr* token = list.Text(i)) (void)token->Length();
  }

  SettingsTable table;
  const int32_t status = table.Parse(text, length);
  if (status != SettingsStatus::kOk && status != SettingsStatus::kMalformed) __builtin_trap();
  for (int32_t i = 0; i < list.count; ++i) {
    const UtilStr* name = list.Text(i);
    if (name == nullptr) continue;
    UtilStr out;
    const bool found = table.GetText(name->Text(), &out);
    if (found != (table.GetFlags(name->Text()) != 0)) __builtin_trap();
    (void)table.GetInteger(name->Text());
  }
  return 0;
}
