// A small reader of the XML the plug-in's skin is written in: elements with attributes, text
// and children. No namespaces, DTDs or CDATA; the five predefined entities are decoded.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace virtualdj_standin {

struct XmlElement {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;  // the element's own text, trimmed
  std::vector<std::unique_ptr<XmlElement>> children;

  // The attribute's value, or empty.
  std::string Attribute(const std::string& key) const;
  // The first child of that name, or null.
  const XmlElement* Child(const std::string& childName) const;
};

// The document's root element; null (with the reason) for text that is not well formed.
std::unique_ptr<XmlElement> ParseXml(const std::string& text, std::string* error);

}  // namespace virtualdj_standin
