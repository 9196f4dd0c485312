#include "system/XmlDocument.h"

#include <windows.h>
#include <msxml2.h>

#include "system/ComApartment.h"
#include "system/FileReplace.h"
#include "system/WideText.h"

namespace {

// A BSTR that is freed when it goes.
class TBstr {
 public:
  TBstr() = default;
  explicit TBstr(const std::string& text) : s_(SysAllocString(WideFromGbk(text).c_str())) {}
  ~TBstr() { SysFreeString(s_); }
  TBstr(const TBstr&) = delete;
  TBstr& operator=(const TBstr&) = delete;
  BSTR* Out() { return &s_; }
  BSTR Get() const { return s_; }
  std::string Text() const { return s_ ? GbkFromWide(std::wstring(s_, SysStringLen(s_))) : std::string(); }

 private:
  BSTR s_ = nullptr;
};

// A string VARIANT (a path or an attribute value).
class TVariantText {
 public:
  explicit TVariantText(const std::string& text) {
    VariantInit(&v_);
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocString(WideFromGbk(text).c_str());
  }
  ~TVariantText() { VariantClear(&v_); }
  const VARIANT& Get() const { return v_; }

 private:
  VARIANT v_;
};

template <typename T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

}  // namespace

TXmlNode::TXmlNode(IXMLDOMNode* node) : node_(node) {}
TXmlNode::TXmlNode(const TXmlNode& other) : node_(other.node_) {
  if (node_) node_->AddRef();
}
TXmlNode& TXmlNode::operator=(TXmlNode other) {
  std::swap(node_, other.node_);
  return *this;
}
TXmlNode::~TXmlNode() { Release(node_); }

std::string TXmlNode::Name() const {
  TBstr name;
  if (!node_ || node_->get_nodeName(name.Out()) != S_OK) return std::string();
  return name.Text();
}

std::vector<TXmlNode> TXmlNode::Children() const {
  std::vector<TXmlNode> children;
  IXMLDOMNodeList* list = nullptr;
  if (!node_ || FAILED(node_->get_childNodes(&list)) || !list) return children;
  long count = 0;
  if (SUCCEEDED(list->get_length(&count)))
    for (long i = 0; i < count; ++i) {
      IXMLDOMNode* child = nullptr;
      if (list->get_item(i, &child) == S_OK && child) children.emplace_back(child);
    }
  list->Release();
  return children;
}

std::vector<TXmlNode> TXmlNode::Elements() const {
  std::vector<TXmlNode> elements;
  for (TXmlNode& child : Children()) {
    DOMNodeType type = NODE_INVALID;
    if (child.node_->get_nodeType(&type) == S_OK && type == NODE_ELEMENT) elements.push_back(std::move(child));
  }
  return elements;
}

TXmlNode TXmlNode::ChildByName(const std::string& name) const {
  IXMLDOMNode* child = nullptr;
  TBstr query(name);
  if (!node_ || node_->selectSingleNode(query.Get(), &child) != S_OK) return TXmlNode();
  return TXmlNode(child);
}

bool TXmlNode::Attribute(const std::string& name, std::string& value) const {
  IXMLDOMElement* element = nullptr;
  if (!node_ || FAILED(node_->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element))) || !element)
    return false;
  VARIANT v;
  VariantInit(&v);
  TBstr attribute(name);
  const bool found = element->getAttribute(attribute.Get(), &v) == S_OK && v.vt == VT_BSTR;
  if (found) value = v.bstrVal ? GbkFromWide(std::wstring(v.bstrVal, SysStringLen(v.bstrVal))) : std::string();
  VariantClear(&v);
  element->Release();
  return found;
}

bool TXmlNode::SetAttribute(const std::string& name, const std::string& value) {
  IXMLDOMElement* element = nullptr;
  if (!node_ || FAILED(node_->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element))) || !element)
    return false;
  TBstr attribute(name);
  TVariantText text(value);
  const bool ok = SUCCEEDED(element->setAttribute(attribute.Get(), text.Get()));
  element->Release();
  return ok;
}

bool TXmlNode::RemoveChildren() {
  bool ok = true;
  for (TXmlNode& child : Children()) {
    IXMLDOMNode* removed = nullptr;
    if (FAILED(node_->removeChild(child.node_, &removed))) ok = false;
    if (removed) removed->Release();
  }
  return ok;
}

bool SameXmlName(const TXmlNode& node, const std::string& name) {
  return lstrcmpiA(node.Name().c_str(), name.c_str()) == 0;
}

struct TXmlDocument::TImpl {
  TComApartment Apartment;  // first in, last out: every COM object goes before it
  IXMLDOMDocument* Doc = nullptr;
  bool Loaded = false;
  ~TImpl() { Release(Doc); }
};

TXmlDocument::TXmlDocument() : impl_(new TImpl) {
  for (const wchar_t* progId : {L"Msxml2.DOMDocument.3.0", L"Microsoft.XMLDOM"}) {
    CLSID clsid;
    if (SUCCEEDED(CLSIDFromProgID(progId, &clsid)) &&
        SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                   reinterpret_cast<void**>(&impl_->Doc))))
      break;
  }
  if (!impl_->Doc) return;
  impl_->Doc->put_async(VARIANT_FALSE);
  impl_->Doc->put_resolveExternals(VARIANT_FALSE);
  impl_->Doc->put_validateOnParse(VARIANT_FALSE);
  // Whitespace between elements is kept, so a saved file differs only where we changed it.
  impl_->Doc->put_preserveWhiteSpace(VARIANT_TRUE);
}

TXmlDocument::~TXmlDocument() = default;

bool TXmlDocument::Load(const std::string& path) {
  impl_->Loaded = false;
  if (!impl_->Doc) return false;
  TVariantText source(path);
  VARIANT_BOOL loaded = VARIANT_FALSE;
  impl_->Loaded = SUCCEEDED(impl_->Doc->load(source.Get(), &loaded)) && loaded == VARIANT_TRUE;
  return impl_->Loaded;
}

TXmlNode TXmlDocument::Root() const {
  IXMLDOMElement* root = nullptr;
  if (!impl_->Loaded || impl_->Doc->get_documentElement(&root) != S_OK || !root) return TXmlNode();
  IXMLDOMNode* node = nullptr;
  const HRESULT hr = root->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(&node));
  root->Release();
  return SUCCEEDED(hr) ? TXmlNode(node) : TXmlNode();
}

bool TXmlDocument::Save(const std::string& path) {
  if (!impl_->Loaded) return false;
  const std::string temporary = path + ".purvex-tmp";
  TVariantText target(temporary);
  if (FAILED(impl_->Doc->save(target.Get())) ||
      !ReplaceKeepingAttributes(temporary, path)) {
    DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

long XmlRootElementCount(const std::string& path) {
  TXmlDocument doc;
  if (!doc.Load(path)) return -1;
  const TXmlNode root = doc.Root();
  return root ? root.ElementCount() : -1;
}
