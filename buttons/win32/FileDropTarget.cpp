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
DWORD CopyEffect(DWORD allowed) {
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  return allowed & DROPEFFECT_LINK;
}

std::wstring FirstFileOf(IDataObject* data) {
  FORMATETC format = FileListFormat();
  STGMEDIUM medium{};
  if (!data || data->GetData(&format, &medium) != S_OK) return {};
  std::wstring first = FirstDroppedFile(static_cast<HDROP>(medium.hGlobal));
  ::ReleaseStgMedium(&medium);
  return first;
}

}  // namespace

std::wstring FirstDroppedFile(HDROP drop) {
  if (!drop || ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 0) return {};
  const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
  std::wstring path(length + 1, L'\0');
  path.resize(::DragQueryFileW(drop, 0, path.data(), length + 1));
  return path;
}

std::wstring FirstCopiedFile(HWND owner) {
  if (!::IsClipboardFormatAvailable(CF_HDROP) || !::OpenClipboard(owner)) return {};
  // The clipboard keeps the list; it is read while the clipboard is open.
  std::wstring first = FirstDroppedFile(static_cast<HDROP>(::GetClipboardData(CF_HDROP)));
  ::CloseClipboard();
  return first;
}

ComPtr<FileDropTarget> FileDropTarget::Create(FileDropReceiver& receiver) {
  ComPtr<FileDropTarget> target;
  // The first reference is the one handed over.
  *target.put() = std::make_unique<FileDropTarget>(Key{}, receiver).release();
  return target;
}

ULONG FileDropTarget::Release() {
  const ULONG left = --references_;
  // COM's own lifetime rule: the last reference frees the object.
  if (left == 0) std::unique_ptr<FileDropTarget>{this};
  return left;
}

bool FileDropTarget::Register(HWND window) {
  if (window_) return true;
  if (!receiver_ || FAILED(::RegisterDragDrop(window, this))) return false;
  window_ = window;
  return true;
}

void FileDropTarget::Detach() {
  if (window_) ::RevokeDragDrop(window_);
  window_ = nullptr;
  receiver_ = nullptr;
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

bool FileDropTarget::Accepting() const { return receiver_ && receiver_->AcceptsFiles(); }

// No exception may reach the dragging program: whatever goes wrong in these
// is a drop that is refused or did not happen.

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  carriesFiles_ = CarriesFiles(data);
  return DragOver(keys, point, effect);
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  try {
    if (effect) *effect = carriesFiles_ && Accepting() ? CopyEffect(*effect) : DROPEFFECT_NONE;
    return S_OK;
  } catch (...) {
    TraceException(L"a file dragged over");
    if (effect) *effect = DROPEFFECT_NONE;
    return E_UNEXPECTED;
  }
}

HRESULT FileDropTarget::DragLeave() {
  carriesFiles_ = false;
  return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  carriesFiles_ = false;
  try {
    const std::wstring first = Accepting() ? FirstFileOf(data) : std::wstring();
    if (effect) *effect = first.empty() ? DROPEFFECT_NONE : CopyEffect(*effect);
    if (!first.empty()) receiver_->FileDropped(first);
    return S_OK;
  } catch (...) {
    TraceException(L"a file dropped");
    if (effect) *effect = DROPEFFECT_NONE;
    return E_UNEXPECTED;
  }
}

}  // namespace vornish::win32
