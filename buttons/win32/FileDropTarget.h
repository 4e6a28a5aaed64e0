// The platform's standard drop target for files dragged from the shell (or
// any program that drags files the OLE way) onto a button's face.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <atomic>
#include <memory>
#include <string>

#include "core/win32/Com.h"

namespace vornish::win32 {

// The first file of a dropped file list (CF_HDROP), or empty text.
std::wstring FirstDroppedFile(HDROP drop);
// The first of the files on the clipboard (copied in Explorer, say), or
// empty text.
std::wstring FirstCopiedFile(HWND owner);

// What a drop target serves: the window that takes the files.
class FileDropReceiver {
 public:
  // Whether a file dropped now would be taken; while not, the drag shows the
  // user that nothing can be dropped here.
  virtual bool AcceptsFiles() = 0;
  // The first file dropped, inside the drop call: take note of it only, the
  // dragging program waits until the call returns.
  virtual void FileDropped(const std::wstring& firstFile) = 0;

 protected:
  ~FileDropReceiver() = default;
};

#if defined(__GNUC__)
// COM interfaces have no virtual destructor by design: objects end through
// Release, never through delete on an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// Lives as long as COM holds it: OLE while the window is registered, and a
// drag that another program is making, which may hold it after the button
// has gone. Its receiver lets go of it with Detach; from then on it refuses
// every drop.
class FileDropTarget final : public IDropTarget {
  struct Key {
    explicit Key() = default;
  };

 public:
  static ComPtr<FileDropTarget> Create(FileDropReceiver& receiver);
  // Made by Create only (on the heap, where Release can free it).
  FileDropTarget(Key, FileDropReceiver& receiver) : receiver_(&receiver) {}
  FileDropTarget(const FileDropTarget&) = delete;
  FileDropTarget& operator=(const FileDropTarget&) = delete;

  bool Register(HWND window);
  // Revokes the registration and forgets the receiver.
  void Detach();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

 private:
  ~FileDropTarget() = default;
  friend std::default_delete<FileDropTarget>;
  // The receiver is there and takes files now.
  bool Accepting() const;

  FileDropReceiver* receiver_;
  HWND window_ = nullptr;
  std::atomic<ULONG> references_{1};
  bool carriesFiles_ = false;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace vornish::win32
