// The platform's standard drop target for files dragged from the shell (or
// any program that drags files the OLE way) onto a button's face.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace vornish::win32 {

// The first file of a dropped file list (CF_HDROP), or empty text.
std::wstring FirstDroppedFile(HDROP drop);

#if defined(__GNUC__)
// COM interfaces have no virtual destructor by design: objects end through
// Release, never through delete on an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// Lives inside its button: it is registered while the button's window exists
// and revoked before that window goes, so the reference count only tracks
// OLE's use and never frees the object. `handler` gets the first dropped file
// inside the drop call and must only take note of it: the dragging program
// waits until the call returns.
class FileDropTarget final : public IDropTarget {
 public:
  using Handler = std::function<void(const std::wstring& firstFile)>;
  explicit FileDropTarget(Handler handler) : handler_(std::move(handler)) {}
  FileDropTarget(const FileDropTarget&) = delete;
  FileDropTarget& operator=(const FileDropTarget&) = delete;

  bool Register(HWND window);
  void Revoke();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override { return --references_; }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  Handler handler_;
  HWND window_ = nullptr;
  ULONG references_ = 0;
  bool acceptable_ = false;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace vornish::win32
