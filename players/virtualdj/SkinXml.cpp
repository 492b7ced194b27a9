#include "players/virtualdj/SkinXml.h"

#include <cctype>
#include <cstring>

namespace virtualdj_standin {

std::string XmlElement::Attribute(const std::string& key) const {
  const auto found = attributes.find(key);
  return found != attributes.end() ? found->second : std::string();
}

const XmlElement* XmlElement::Child(const std::string& childName) const {
  for (const auto& child : children) {
    if (child->name == childName) return child.get();
  }
  return nullptr;
}

namespace {

class Reader {
 public:
  explicit Reader(const std::string& text) : mText(text) {}

  std::unique_ptr<XmlElement> Document(std::string* error) {
    SkipMisc();
    auto root = Element();
    SkipMisc();
    if (root && mPosition != mText.size()) Fail("text after the root element");
    if (!mError.empty()) {
      *error = mError + " at byte " + std::to_string(mPosition);
      return nullptr;
    }
    return root;
  }

 private:
  bool Starts(const char* prefix) const {
    return mText.compare(mPosition, strlen(prefix), prefix) == 0;
  }
  bool AtEnd() const { return mPosition >= mText.size(); }
  void Fail(const char* what) {
    if (mError.empty()) mError = what;
  }
  void SkipSpace() {
    while (!AtEnd() && std::isspace(static_cast<unsigned char>(mText[mPosition]))) ++mPosition;
  }
  // Blanks, the declaration, processing instructions and comments.
  void SkipMisc() {
    for (;;) {
      SkipSpace();
      const char* end = Starts("<?") ? "?>" : Starts("<!--") ? "-->" : nullptr;
      if (end == nullptr) return;
      const size_t close = mText.find(end, mPosition);
      if (close == std::string::npos) return Fail("unclosed declaration or comment");
      mPosition = close + strlen(end);
    }
  }
  std::string Name() {
    const size_t start = mPosition;
    while (!AtEnd() &&
           (std::isalnum(static_cast<unsigned char>(mText[mPosition])) || mText[mPosition] == '_' ||
            mText[mPosition] == '-' || mText[mPosition] == ':' || mText[mPosition] == '.')) {
      ++mPosition;
    }
    if (start == mPosition) Fail("a name was expected");
    return mText.substr(start, mPosition - start);
  }
  std::string Decoded(const std::string& raw) {
    static const struct {
      const char* entity;
      char character;
    } kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (size_t i = 0; i < raw.size();) {
      if (raw[i] != '&') {
        out += raw[i++];
        continue;
      }
      bool known = false;
      for (const auto& e : kEntities) {
        if (raw.compare(i, strlen(e.entity), e.entity) == 0) {
          out += e.character;
          i += strlen(e.entity);
          known = true;
          break;
        }
      }
      if (!known) {
        Fail("unknown entity");
        return out;
      }
    }
    return out;
  }
  std::unique_ptr<XmlElement> Element() {
    if (!Starts("<")) {
      Fail("an element was expected");
      return nullptr;
    }
    ++mPosition;
    auto element = std::make_unique<XmlElement>();
    element->name = Name();
    for (;;) {
      SkipSpace();
      if (!mError.empty() || AtEnd()) {
        Fail("unclosed tag");
        return nullptr;
      }
      if (Starts("/>")) {
        mPosition += 2;
        return element;
      }
      if (Starts(">")) {
        ++mPosition;
        break;
      }
      const std::string key = Name();
      SkipSpace();
      if (!Starts("=")) {
        Fail("'=' was expected");
        return nullptr;
      }
      ++mPosition;
      SkipSpace();
      const char quote = AtEnd() ? 0 : mText[mPosition];
      if (quote != '"' && quote != '\'') {
        Fail("a quoted value was expected");
        return nullptr;
      }
      const size_t close = mText.find(quote, mPosition + 1);
      if (close == std::string::npos) {
        Fail("unclosed value");
        return nullptr;
      }
      if (element->attributes.count(key) != 0) Fail("an attribute was given twice");
      element->attributes[key] = Decoded(mText.substr(mPosition + 1, close - mPosition - 1));
      mPosition = close + 1;
    }
    std::string text;
    for (;;) {
      if (!mError.empty()) return nullptr;
      if (AtEnd()) {
        Fail("unclosed element");
        return nullptr;
      }
      if (Starts("<!--")) {
        SkipMisc();
      } else if (Starts("</")) {
        mPosition += 2;
        if (Name() != element->name) Fail("the end tag does not match");
        SkipSpace();
        if (!Starts(">")) Fail("'>' was expected");
        ++mPosition;
        break;
      } else if (Starts("<")) {
        auto child = Element();
        if (!child) return nullptr;
        element->children.push_back(std::move(child));
      } else {
        const size_t next = mText.find('<', mPosition);
        text += mText.substr(mPosition,
                             next == std::string::npos ? std::string::npos : next - mPosition);
        mPosition = next == std::string::npos ? mText.size() : next;
      }
    }
    const size_t first = text.find_first_not_of(" \t\r\n");
    const size_t last = text.find_last_not_of(" \t\r\n");
    element->text = first == std::string::npos ? "" : Decoded(text.substr(first, last - first + 1));
    if (!mError.empty()) return nullptr;
    return element;
  }

  const std::string& mText;
  size_t mPosition = 0;
  std::string mError;
};

}  // namespace

std::unique_ptr<XmlElement> ParseXml(const std::string& text, std::string* error) {
  return Reader(text).Document(error);
}

}  // namespace virtualdj_standin
