// XML files through the platform's XML DOM (msxml): loading, the few looks an application
// rule needs, and saving that never leaves a half-written file. Texts are code page 936
// on our side. Nothing here throws or shows a message; main thread (COM is initialised for
// the lifetime of a document when the thread had no apartment).
#pragma once
#include <memory>
#include <string>
#include <vector>

struct IXMLDOMNode;

// One node of a loaded document; empty (false) when a look-up found nothing. Valid while
// its document lives.
class TXmlNode {
 public:
  TXmlNode() = default;
  explicit TXmlNode(IXMLDOMNode* node);  // takes over one reference
  TXmlNode(const TXmlNode& other);
  TXmlNode& operator=(TXmlNode other);
  ~TXmlNode();
  explicit operator bool() const { return node_ != nullptr; }

  std::string Name() const;
  // Every child node (elements, text, comments), in document order.
  std::vector<TXmlNode> Children() const;
  // The child elements only, in document order: the line breaks and indents a tool writes
  // between them are text, and no entries.
  std::vector<TXmlNode> Elements() const;
  long ElementCount() const { return static_cast<long>(Elements().size()); }
  // The DOM's look-up of a child element by its exact name.
  TXmlNode ChildByName(const std::string& name) const;
  // False when the node has no such attribute.
  bool Attribute(const std::string& name, std::string& value) const;
  bool SetAttribute(const std::string& name, const std::string& value);
  // Removes every child node; false when one could not be removed.
  bool RemoveChildren();

 private:
  IXMLDOMNode* node_ = nullptr;
};

class TXmlDocument {
 public:
  TXmlDocument();
  ~TXmlDocument();
  TXmlDocument(const TXmlDocument&) = delete;
  TXmlDocument& operator=(const TXmlDocument&) = delete;

  // False when the file is missing, unreadable or not well-formed XML.
  bool Load(const std::string& path);
  // The document element; empty when nothing is loaded.
  TXmlNode Root() const;
  // Saves to a file beside path that replaces it only when completely written; false
  // (path unchanged) otherwise.
  bool Save(const std::string& path);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> impl_;
};

// The number of child elements of the file's document element; -1 when the file cannot be
// loaded as XML (missing, damaged, not well-formed) or has no document element.
long XmlRootElementCount(const std::string& path);

// Case-insensitive (ASCII) comparison of a node's name.
bool SameXmlName(const TXmlNode& node, const std::string& name);
