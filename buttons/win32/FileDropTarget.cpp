#include "buttons/win32/FileDropTarget.h"

#include <shellapi.h>

#include "core/win32/Trace.h"

namespace vornish::win32 {

namespace {

FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool CarriesFiles(IDataObject* data) {
  FORMATETC format = FileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

// Copying is what a drop on a button does; nothing is moved or deleted.
DWORD CopyEffect(bool acceptable, const DWORD* allowed) {
  if (!acceptable || !allowed) return DROPEFFECT_NONE;
  if (*allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  return *allowed & DROPEFFECT_LINK;
}

}  // namespace

std::wstring FirstDroppedFile(HDROP drop) {
  if (!drop || ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return {};
  const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring path(length + 1, L'\0');
  path.resize(::DragQueryFileW(drop, 0, path.data(), length + 1));
  return path;
}

bool FileDropTarget::Register(HWND window) {
  if (window_) return true;
  if (FAILED(::RegisterDragDrop(window, this))) return false;
  window_ = window;
  return true;
}

void FileDropTarget::Revoke() {
  if (window_) ::RevokeDragDrop(window_);
  window_ = nullptr;
}

HRESULT FileDropTarget::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  acceptable_ = CarriesFiles(data);
  if (effect) *effect = CopyEffect(acceptable_, effect);
  return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect) *effect = CopyEffect(acceptable_, effect);
  return S_OK;
}

HRESULT FileDropTarget::DragLeave() {
  acceptable_ = false;
  return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  acceptable_ = false;
  // Nothing may escape into the dragging program: whatever goes wrong is a
  // drop that did not happen.
  try {
    FORMATETC format = FileListFormat();
    STGMEDIUM medium{};
    std::wstring first;
    if (data && data->GetData(&format, &medium) == S_OK) {
      first = FirstDroppedFile(static_cast<HDROP>(medium.hGlobal));
      ::ReleaseStgMedium(&medium);
    }
    if (effect) *effect = CopyEffect(!first.empty(), effect);
    if (!first.empty()) handler_(first);
    return S_OK;
  } catch (...) {
    TraceException(L"a file dropped");
    if (effect) *effect = DROPEFFECT_NONE;
    return E_UNEXPECTED;
  }
}

}  // namespace vornish::win32
