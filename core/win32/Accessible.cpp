#include "core/win32/Accessible.h"

#include <oleacc.h>

#include <atomic>
#include <memory>

#include "core/win32/Com.h"
#include "core/win32/SystemLibraries.h"

namespace vornish::win32 {

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

#if defined(__GNUC__)
// COM interfaces have no virtual destructor by design: objects end through
// Release, never through delete on an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

// The standard object with the role (and default action) replaced; every
// other question goes to the standard object. Lives as long as its clients
// hold it, which may be longer than the window.
class KindAccessible final : public IAccessible, public IOleWindow {
 public:
  KindAccessible(HWND hwnd, ComPtr<IAccessible> standard, const AccessibleKind& kind)
      : hwnd_(hwnd), standard_(std::move(standard)), kind_(kind) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!object) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDispatch || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
    } else if (id == IID_IOleWindow) {
      *object = static_cast<IOleWindow*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    // COM's own lifetime rule: the last reference frees the object.
    if (left == 0) std::unique_ptr<KindAccessible>{this};
    return left;
  }

  // IOleWindow
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = hwnd_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
    return standard_->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
    return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argument);
  }

  // IAccessible: what makes the control what it is.
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = kind_.role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child) || !kind_.defaultAction) return standard_->get_accDefaultAction(child, action);
    if (!action) return E_POINTER;
    *action = AllocateString(kind_.defaultAction);
    return *action ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child) || kind_.actionKey == 0) return standard_->accDoDefaultAction(child);
    return ::PostMessageW(hwnd_, WM_KEYDOWN, kind_.actionKey, 0) ? S_OK : E_FAIL;
  }

  // IAccessible: the rest as the system describes any window.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
    return standard_->get_accKeyboardShortcut(child, keys);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~KindAccessible() = default;
  friend std::default_delete<KindAccessible>;

  HWND hwnd_;
  ComPtr<IAccessible> standard_;
  AccessibleKind kind_;
  std::atomic<ULONG> references_{1};
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

}  // namespace

std::optional<LRESULT> AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, const AccessibleKind& kind) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return std::nullopt;
  ComPtr<IAccessible> standard;
  if (FAILED(CreateStandardAccessible(hwnd, OBJID_CLIENT, __uuidof(IAccessible), standard.put_void()))) {
    return std::nullopt;
  }
  auto object = std::make_unique<KindAccessible>(hwnd, std::move(standard), kind);
  // The result holds its own reference; ours goes with the object's release.
  const LRESULT result = AccessibleResult(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object.get()));
  object.release()->Release();
  return result;
}

}  // namespace vornish::win32
