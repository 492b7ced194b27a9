#include <cstring>

#include "utility/TokenList.h"

int64_t TokenList::Integer(int32_t index) const {
  int64_t value = 0;
  values.Get(static_cast<uint64_t>(index), &value);
  return value;
}

double TokenList::Float(int32_t index) const {
  const int64_t bits = Integer(index);
  double real;
  memcpy(&real, &bits, sizeof(real));
  return real;
}

const UtilStr* TokenList::Text(int32_t index) const {
  const uint8_t type = Type(index);
  if (type != TokenType::kName && type != TokenType::kString) return nullptr;
  return TableValueAsPointer<const UtilStr>(Integer(index));
}
