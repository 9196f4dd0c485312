#include "registry/RegistrySeed.h"

namespace {

REGSAM View(bool native) { return native ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

bool Exists(HKEY root, const std::string& path, bool native) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | View(native), &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool ValueExists(HKEY root, const std::string& path, bool native, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | View(native), &key) != ERROR_SUCCESS) return false;
  const bool found = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

}  // namespace

TRegistrySeed::TRegistrySeed() : tag_("PvxT" + std::to_string(GetCurrentProcessId())) {}

TRegistrySeed::~TRegistrySeed() {
  for (auto it = planted_.rbegin(); it != planted_.rend(); ++it) {
    if (it->IsKey) {
      RemoveRegistryTree(it->Root, it->Path, it->Native);
      continue;
    }
    HKEY key;
    if (RegOpenKeyExA(it->Root, it->Path.c_str(), 0, KEY_SET_VALUE | View(it->Native), &key) != ERROR_SUCCESS)
      continue;
    RegDeleteValueA(key, it->Name.c_str());
    RegCloseKey(key);
  }
}

void TRegistrySeed::Key(HKEY root, const std::string& path, bool native) {
  // The topmost key that is new is the one to remove.
  for (size_t at = 0; at != std::string::npos;) {
    at = path.find('\\', at + 1);
    const std::string part = path.substr(0, at);
    if (!Exists(root, part, native)) {
      planted_.push_back({root, part, native, std::string(), true});
      break;
    }
  }
  HKEY key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | View(native), nullptr, &key, nullptr) ==
      ERROR_SUCCESS)
    RegCloseKey(key);
}

void TRegistrySeed::Value(HKEY root, const std::string& path, bool native, const std::string& name, DWORD type,
                          const void* data, DWORD size) {
  Key(root, path, native);
  if (!ValueExists(root, path, native, name)) planted_.push_back({root, path, native, name, false});
  HKEY key;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE | View(native), &key) != ERROR_SUCCESS) return;
  RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void TRegistrySeed::Text(HKEY root, const std::string& path, bool native, const std::string& name,
                         const std::string& text, DWORD type) {
  Value(root, path, native, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void TRegistrySeed::Dword(HKEY root, const std::string& path, bool native, const std::string& name, DWORD value) {
  Value(root, path, native, name, REG_DWORD, &value, sizeof value);
}
