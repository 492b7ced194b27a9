#include "refengine/JournalLine.h"

#include <cinttypes>
#include <cstdio>

namespace refengine {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendUtf8(std::string& out, uint32_t codePoint) {
  if (codePoint < 0x80) {
    out += char(codePoint);
  } else if (codePoint < 0x800) {
    out += char(0xC0 | (codePoint >> 6));
    out += char(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += char(0xE0 | (codePoint >> 12));
    out += char(0x80 | ((codePoint >> 6) & 0x3F));
    out += char(0x80 | (codePoint & 0x3F));
  } else {
    out += char(0xF0 | (codePoint >> 18));
    out += char(0x80 | ((codePoint >> 12) & 0x3F));
    out += char(0x80 | ((codePoint >> 6) & 0x3F));
    out += char(0x80 | (codePoint & 0x3F));
  }
}

bool IsPrintableCode(uint32_t code) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    const unsigned c = (code >> shift) & 0xFF;
    if (c <= 0x20 || c >= 0x7F || c == '"' || c == '\\' || c == '=') return false;
  }
  return true;
}

}  // namespace

std::string WideToUtf8(const char16_t* text, size_t maxUnits) {
  std::string out;
  if (!text) return out;
  for (size_t i = 0; i < maxUnits && text[i] != 0; ++i) {
    const uint32_t unit = text[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high && i + 1 < maxUnits && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (high || low) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

JournalLine::JournalLine(const char* call) : mText(call) {}

void JournalLine::Key(const char* key) {
  mText += ' ';
  mText += key;
  mText += '=';
}

JournalLine& JournalLine::Number(const char* key, int64_t value) {
  Key(key);
  mText += std::to_string(value);
  return *this;
}

JournalLine& JournalLine::Address(const char* key, const void* value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%" PRIxPTR, reinterpret_cast<uintptr_t>(value));
  Key(key);
  mText += text;
  return *this;
}

JournalLine& JournalLine::Code(const char* key, uint32_t code) {
  Key(key);
  if (IsPrintableCode(code)) {
    for (int shift = 24; shift >= 0; shift -= 8) mText += char((code >> shift) & 0xFF);
  } else {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08" PRIx32, code);
    mText += text;
  }
  return *this;
}

JournalLine& JournalLine::Text(const char* key, std::string_view utf8) {
  Key(key);
  mText += '"';
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"':
        mText += "\\\"";
        break;
      case '\\':
        mText += "\\\\";
        break;
      case '\n':
        mText += "\\n";
        break;
      case '\r':
        mText += "\\r";
        break;
      case '\t':
        mText += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          mText += "\\x";
          mText += kHexDigits[byte >> 4];
          mText += kHexDigits[byte & 0xF];
        } else {
          mText += c;
        }
    }
  }
  mText += '"';
  return *this;
}

JournalLine& JournalLine::WideText(const char* key, const char16_t* text, size_t maxUnits) {
  return Text(key, WideToUtf8(text, maxUnits));
}

JournalLine& JournalLine::Bytes(const char* key, const void* data, size_t count) {
  Key(key);
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; bytes && i < count; ++i) {
    mText += kHexDigits[bytes[i] >> 4];
    mText += kHexDigits[bytes[i] & 0xF];
  }
  return *this;
}

}  // namespace refengine
