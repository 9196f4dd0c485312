#include "system/XmlDocument.h"

#include <windows.h>
#include <msxml2.h>

#include "system/ComApartment.h"
#include "system/WideText.h"

namespace {

// Releases a COM interface when it goes.
template <typename T>
class TComPtr {
 public:
  ~TComPtr() {
    if (p_) p_->Release();
  }
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

bool CreateDocument(TComPtr<IXMLDOMDocument>& doc) {
  for (const wchar_t* progId : {L"Msxml2.DOMDocument.3.0", L"Microsoft.XMLDOM"}) {
    CLSID clsid;
    if (SUCCEEDED(CLSIDFromProgID(progId, &clsid)) &&
        SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                   reinterpret_cast<void**>(doc.Out()))))
      return true;
  }
  return false;
}

}  // namespace

long XmlRootChildCount(const std::string& path) {
  TComApartment apartment;
  TComPtr<IXMLDOMDocument> doc;
  if (!CreateDocument(doc)) return -1;
  doc->put_async(VARIANT_FALSE);
  doc->put_resolveExternals(VARIANT_FALSE);
  doc->put_validateOnParse(VARIANT_FALSE);
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_BSTR;
  source.bstrVal = SysAllocString(WideFromGbk(path).c_str());
  VARIANT_BOOL loaded = VARIANT_FALSE;
  const HRESULT hr = doc->load(source, &loaded);
  VariantClear(&source);
  if (FAILED(hr) || loaded != VARIANT_TRUE) return -1;
  TComPtr<IXMLDOMElement> root;
  if (doc->get_documentElement(root.Out()) != S_OK || !root) return -1;
  TComPtr<IXMLDOMNodeList> children;
  long count = 0;
  if (FAILED(root->get_childNodes(children.Out())) || !children || FAILED(children->get_length(&count))) return -1;
  return count;
}
