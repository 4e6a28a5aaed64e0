// A real OLE drag of files, as Explorer drags them: the left button is held,
// DoDragDrop runs here, and a second thread moves the pointer onto the target
// and lets go there.
#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "harness/Harness.h"

namespace vornish::e2e {

namespace {

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"  // COM objects end through Release
#endif

// They live on OleDragFiles' stack, which outlasts the drag, or as long as
// their owner: their reference counts never free them.
template <class Interface, const IID& kIid>
class StackObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    *object = (riid == IID_IUnknown || riid == kIid) ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

class FileList final : public StackObject<IDataObject, IID_IDataObject> {
 public:
  explicit FileList(const std::vector<std::wstring>& files) {
    for (const auto& file : files) names_ += file + L'\0';
    names_ += L'\0';
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    const DROPFILES header{sizeof header, POINT{0, 0}, FALSE, TRUE};
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof header + names_.size() * sizeof(wchar_t));
    if (!block) return E_OUTOFMEMORY;
    auto* bytes = static_cast<char*>(::GlobalLock(block));
    memcpy(bytes, &header, sizeof header);
    memcpy(bytes + sizeof header, names_.data(), names_.size() * sizeof(wchar_t));
    ::GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    FORMATETC only{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return direction == DATADIR_GET ? ::SHCreateStdEnumFmtEtc(1, &only, formats) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::wstring names_;
};

// Tells where the drag loop last looked at the pointer: it asks on each
// mouse message and tick, and gives feedback after each move.
class DropWhenReleased final : public StackObject<IDropSource, IID_IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    Look();
    return escape ? DRAGDROP_S_CANCEL : (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
    Look();
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
  bool Saw(POINT at) const { return seen_ == (static_cast<std::uint64_t>(at.x) << 32 | static_cast<std::uint32_t>(at.y)); }

 private:
  void Look() {
    POINT at{};
    ::GetCursorPos(&at);
    seen_ = static_cast<std::uint64_t>(at.x) << 32 | static_cast<std::uint32_t>(at.y);
  }
  std::atomic<std::uint64_t> seen_{~std::uint64_t{0}};
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace

std::shared_ptr<IDataObject> FileListData(const std::vector<std::wstring>& files) {
  return std::make_shared<FileList>(files);
}

DWORD OleDragFiles(const std::vector<std::wstring>& files, POINT from, POINT to) {
  ::OleInitialize(nullptr);
  FileList data(files);
  DropWhenReleased source;
  // DoDragDrop reads the button from this thread's own key state, which only
  // input to a window of this thread sets: the drag starts on a small window
  // of its own, as one from Explorer starts on Explorer's window. A drag that
  // begins before the press has arrived ends at once, having dropped nothing.
  const win32::UniqueWindow origin(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"",
                                                     WS_POPUP | WS_VISIBLE, from.x - 8, from.y - 8, 16, 16, nullptr,
                                                     nullptr, nullptr, nullptr));
  MoveTo(from);
  LeftDown(from);
  WaitUntil(
      [] {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        return ::GetKeyState(VK_LBUTTON) < 0;
      });
  // The hand moves on once the drag loop has seen the pointer where it is,
  // and lets go over the target.
  std::thread hand([&source, from, to] {
    for (int i = 0; i <= 10; ++i) {
      const POINT at{from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10};
      MoveTo(at);
      WaitUntil([&] { return source.Saw(at); });
    }
    LeftUp(to);
  });
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = ::DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
  hand.join();
  return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

}  // namespace vornish::e2e
