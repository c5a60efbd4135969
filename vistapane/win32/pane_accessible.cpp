#include "vistapane/win32/pane_accessible.h"

#include <oleacc.h>

#include <string>

#include "vistapane/pane_texts.h"
#include "vistapane/win32/page_source.h"
#include "vistapane/win32/pane_focus.h"
#include "vistapane/win32/pane_state.h"
#include "win32/entry_guard.h"

namespace vistapane {
namespace {

// A failure inside a call of a screen reader's is answered, not shown.
void Quiet() noexcept {}

// Children are the links, numbered from 1; CHILDID_SELF is the document.
class PaneAccessible final : public IAccessible {
 public:
  explicit PaneAccessible(HWND window) : window_(window) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) || IsEqualIID(id, IID_IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: not offered; clients call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!Alive()) return RPC_E_DISCONNECTED;
    return AccessibleObjectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (!count) return E_POINTER;
    *count = Alive() ? static_cast<LONG>(Pane().layout.links.size()) : 0;
    return Alive() ? S_OK : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    return Link(child) >= 0 ? S_FALSE : E_INVALIDARG;  // links are simple elements
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Guarded(E_OUTOFMEMORY, [&] { return Name(child, name); }, Quiet);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Guarded(E_OUTOFMEMORY, [&] { return Value(child, value); }, Quiet);
  }
  HRESULT Name(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (!Alive()) return RPC_E_DISCONNECTED;
    if (IsSelf(child)) {
      const PaneState& pane = Pane();
      return Text(pane.history.empty() ? std::wstring() : ToWide(pane.history[pane.current].caption), name);
    }
    int link = Link(child);
    if (link < 0) return E_INVALIDARG;
    return Text(WideFromCodePoints(LinkName(Pane().layout, Pane().links, link)), name);
  }
  HRESULT Value(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    if (!Alive()) return RPC_E_DISCONNECTED;
    if (IsSelf(child)) return Text(WideFromCodePoints(Pane().layout.text), value);
    int link = Link(child);
    if (link < 0) return E_INVALIDARG;
    return Text(WideFromCodePoints(Pane().layout.links[static_cast<size_t>(link)]), value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return None(text); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    VariantInit(role);
    if (!IsSelf(child) && Link(child) < 0) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = IsSelf(child) ? ROLE_SYSTEM_DOCUMENT : ROLE_SYSTEM_LINK;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    VariantInit(state);
    if (!Alive()) return RPC_E_DISCONNECTED;
    bool focused = GetFocus() == window_;
    LONG bits = STATE_SYSTEM_FOCUSABLE;
    if (IsSelf(child)) {
      bits |= STATE_SYSTEM_READONLY;
      if (focused && Pane().focusedLink < 0) bits |= STATE_SYSTEM_FOCUSED;
    } else {
      int link = Link(child);
      if (link < 0) return E_INVALIDARG;
      bits |= STATE_SYSTEM_LINKED;
      if (focused && link == Pane().focusedLink) bits |= STATE_SYSTEM_FOCUSED;
    }
    state->vt = VT_I4;
    state->lVal = bits;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return None(text); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override { return None(text); }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    if (!Alive()) return RPC_E_DISCONNECTED;
    if (GetFocus() != window_) return S_FALSE;
    focus->vt = VT_I4;
    focus->lVal = Pane().focusedLink >= 0 ? Pane().focusedLink + 1 : CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!action) return E_POINTER;
    *action = nullptr;
    if (IsSelf(child)) return S_FALSE;
    if (Link(child) < 0) return E_INVALIDARG;
    return Text(kLinkDefaultAction, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    int link = Link(child);
    if (link < 0 || !(flags & SELFLAG_TAKEFOCUS)) return IsSelf(child) || link >= 0 ? S_FALSE : E_INVALIDARG;
    SetFocus(window_);
    FocusLink(link);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    if (!Alive()) return RPC_E_DISCONNECTED;
    RECT r{};
    if (IsSelf(child)) {
      GetClientRect(window_, &r);
    } else {
      int link = Link(child);
      if (link < 0) return E_INVALIDARG;
      const PaneState& pane = Pane();
      const std::vector<size_t>& fragments = pane.links[static_cast<size_t>(link)];
      if (fragments.empty()) return S_FALSE;
      const Fragment& f = pane.layout.fragments[fragments.front()];
      const Line& line = pane.layout.lines[f.line];
      r = RECT{f.x - pane.scrollX, line.top - pane.scrollY, f.x + f.width - pane.scrollX,
               line.top + line.height - pane.scrollY};
    }
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    VariantInit(end);
    if (!Alive()) return RPC_E_DISCONNECTED;
    LONG count = static_cast<LONG>(Pane().layout.links.size());
    LONG from = IsSelf(start) ? 0 : Link(start) + 1;
    if (from < 0) return E_INVALIDARG;
    LONG to = 0;
    switch (direction) {
      case NAVDIR_FIRSTCHILD: to = IsSelf(start) && count > 0 ? 1 : 0; break;
      case NAVDIR_LASTCHILD: to = IsSelf(start) && count > 0 ? count : 0; break;
      case NAVDIR_NEXT: to = from > 0 && from < count ? from + 1 : 0; break;
      case NAVDIR_PREVIOUS: to = from > 1 ? from - 1 : 0; break;
      default: return E_NOTIMPL;
    }
    if (to == 0) return S_FALSE;
    end->vt = VT_I4;
    end->lVal = to;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!Alive()) return RPC_E_DISCONNECTED;
    POINT p{x, y};
    ScreenToClient(window_, &p);
    RECT client{};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, p)) return S_FALSE;
    int link = LinkAt(Pane().layout, p.x + Pane().scrollX, p.y + Pane().scrollY);
    child->vt = VT_I4;
    child->lVal = link >= 0 ? link + 1 : CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    int link = Link(child);
    if (link < 0) return IsSelf(child) ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    // Posted: the link may show a box, which must not hold up the caller.
    PostMessageW(window_, kFollowLinkMessage, static_cast<WPARAM>(link), 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  bool Alive() const { return Pane().window == window_ && IsWindow(window_); }
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  // The link of a child id, -1 when it names none.
  int Link(const VARIANT& child) const {
    if (child.vt != VT_I4 || !Alive()) return -1;
    LONG count = static_cast<LONG>(Pane().layout.links.size());
    return child.lVal >= 1 && child.lVal <= count ? static_cast<int>(child.lVal - 1) : -1;
  }
  static HRESULT Text(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  static HRESULT None(BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_FALSE;
  }

  HWND window_;
  LONG references_ = 1;
};

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT))
    return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
  PaneAccessible* object = new PaneAccessible(window);
  LRESULT result = LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(object));
  object->Release();
  return result;
}

}  // namespace vistapane
