// A hand-written IAccessible for the panel window's client area. Child ids are element numbers.
// A client may keep the object after the window or the key set is gone: every call checks the
// window first (CO_E_OBJNOTCONNECTED) and the child second (E_INVALIDARG), and the object
// holds nothing but the window handle.
#include "platform/accessible_win.h"

#include <oleacc.h>

#include <algorithm>
#include <new>
#include <optional>
#include <vector>

#include "access/access_tree.h"
#include "control/dispatch.h"
#include "base/platform.h"
#include "platform/contrast_win.h"
#include "platform/panel_win.h"
#include "shell/panel.h"

namespace qpw {

namespace {

// Default actions run from the message loop: the client's call returns at once, and the
// action meets the program in the same state as a click would.
UINT ActionMessage() {
  static const UINT message = RegisterWindowMessageW(L"QuillpadAccessAction");
  return message;
}

BSTR Bstr(const qp::Text& t) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(t.data()), static_cast<UINT>(t.size()));
}

LONG RoleOf(qp::AccessRole role) {
  switch (role) {
    case qp::AccessRole::PushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case qp::AccessRole::CheckButton:
      return ROLE_SYSTEM_CHECKBUTTON;
    case qp::AccessRole::ComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    case qp::AccessRole::StaticText:
      return ROLE_SYSTEM_STATICTEXT;
  }
  return ROLE_SYSTEM_STATICTEXT;
}

LONG StateOf(const qp::AccessNode& node) {
  LONG s = 0;
  if (node.states & qp::kAccessUnavailable) s |= STATE_SYSTEM_UNAVAILABLE;
  if (node.states & qp::kAccessChecked) s |= STATE_SYSTEM_CHECKED;
  if (node.role == qp::AccessRole::StaticText) s |= STATE_SYSTEM_READONLY;
  return s;
}

void SetI4(VARIANT* v, LONG value) {
  VariantInit(v);
  v->vt = VT_I4;
  v->lVal = value;
}

class PanelAccessible final : public IAccessible, public IEnumVARIANT {
 public:
  explicit PanelAccessible(HWND hwnd) : hwnd_(hwnd) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
    } else if (riid == IID_IEnumVARIANT) {
      *out = static_cast<IEnumVARIANT*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: clients use the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
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
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    return AccessibleObjectFromWindow(hwnd_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    *count = static_cast<long>(qp::AccessChildren(qp::Elements()).size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    std::optional<qp::AccessNode> node;
    HRESULT hr = Resolve(child, node);
    if (FAILED(hr)) return hr;
    // The children are simple elements, answered through this object.
    return node ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Text(child, name, [this](const qp::AccessNode* n) { return n ? n->name : WindowTitle(); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Text(child, value, [](const qp::AccessNode* n) { return n ? n->value : qp::Text(); });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Text(child, text, [](const qp::AccessNode* n) { return n ? n->description : qp::Text(); });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    VariantInit(role);
    std::optional<qp::AccessNode> node;
    HRESULT hr = Resolve(child, node);
    if (FAILED(hr)) return hr;
    SetI4(role, node ? RoleOf(node->role) : ROLE_SYSTEM_CLIENT);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    VariantInit(state);
    std::optional<qp::AccessNode> node;
    HRESULT hr = Resolve(child, node);
    if (FAILED(hr)) return hr;
    SetI4(state, node ? StateOf(*node) : (IsWindowVisible(hwnd_) ? 0 : STATE_SYSTEM_INVISIBLE));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override { return Nothing(help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (topic) *topic = 0;
    return Nothing(file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override { return Nothing(keys); }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return Empty(focus); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override { return Empty(selection); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return Text(child, action, [](const qp::AccessNode* n) { return n ? n->defaultAction : qp::Text(); });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT child) override {
    if (!x || !y || !w || !h) return E_POINTER;
    *x = *y = *w = *h = 0;
    std::optional<qp::AccessNode> node;
    HRESULT hr = Resolve(child, node);
    if (FAILED(hr)) return hr;
    RECT r = {};
    GetClientRect(hwnd_, &r);
    if (node) {
      auto abs = qp::Elements().AbsoluteRect(node->id);
      if (!abs) return E_INVALIDARG;
      r = {abs->x, abs->y, abs->x + abs->w, abs->y + abs->h};
    }
    POINT origin = {r.left, r.top};
    ClientToScreen(hwnd_, &origin);
    *x = origin.x;
    *y = origin.y;
    *w = r.right - r.left;
    *h = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long dir, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    VariantInit(end);
    std::optional<qp::AccessNode> node;
    HRESULT hr = Resolve(start, node);
    if (FAILED(hr)) return hr;
    const std::vector<int> kids = qp::AccessChildren(qp::Elements());
    if (kids.empty()) return S_FALSE;
    if (!node) {
      if (dir == NAVDIR_FIRSTCHILD) SetI4(end, kids.front());
      if (dir == NAVDIR_LASTCHILD) SetI4(end, kids.back());
      return end->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    for (size_t i = 0; i < kids.size(); ++i) {
      if (kids[i] != node->id) continue;
      const bool next = dir == NAVDIR_NEXT || dir == NAVDIR_RIGHT || dir == NAVDIR_DOWN;
      const bool previous = dir == NAVDIR_PREVIOUS || dir == NAVDIR_LEFT || dir == NAVDIR_UP;
      if (next && i + 1 < kids.size()) SetI4(end, kids[i + 1]);
      if (previous && i > 0) SetI4(end, kids[i - 1]);
    }
    return end->vt == VT_EMPTY ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (!hit) return E_POINTER;
    VariantInit(hit);
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    POINT p = {x, y};
    ScreenToClient(hwnd_, &p);
    RECT client = {};
    GetClientRect(hwnd_, &client);
    if (!PtInRect(&client, p)) return S_FALSE;
    // The element under the point, or the nearest enclosing one that is in the tree.
    for (int n = qp::Elements().HitTest(p.x, p.y); n != 0;) {
      if (qp::AccessNodeFor(n)) {
        SetI4(hit, n);
        return S_OK;
      }
      const qp::Element* e = qp::Elements().Find(n);
      n = e ? e->parent : 0;
    }
    SetI4(hit, CHILDID_SELF);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    std::optional<qp::AccessNode> node;
    HRESULT hr = Resolve(child, node);
    if (FAILED(hr)) return hr;
    if (!node || qp::AccessActionElement(node->id) == 0) return DISP_E_MEMBERNOTFOUND;
    return PostMessageW(hwnd_, ActionMessage(), static_cast<WPARAM>(node->id), 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // IEnumVARIANT: the children by id, so that clients do not assume ids 1..count.
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    if (!out) return E_POINTER;
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    if (!enumerating_) Reset();
    ULONG got = 0;
    for (; got < count && cursor_ < ids_.size(); ++got, ++cursor_) SetI4(&out[got], ids_[cursor_]);
    if (fetched) *fetched = got;
    return got == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    if (!enumerating_) Reset();
    cursor_ = std::min(ids_.size(), cursor_ + static_cast<size_t>(count));
    return cursor_ < ids_.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    ids_ = Alive() ? qp::AccessChildren(qp::Elements()) : std::vector<int>();
    cursor_ = 0;
    enumerating_ = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    auto* copy = new (std::nothrow) PanelAccessible(hwnd_);
    if (!copy) return E_OUTOFMEMORY;
    copy->ids_ = ids_;
    copy->cursor_ = cursor_;
    copy->enumerating_ = enumerating_;
    *out = static_cast<IEnumVARIANT*>(copy);
    return S_OK;
  }

 private:
  ~PanelAccessible() = default;

  bool Alive() const { return hwnd_ != nullptr && IsWindow(hwnd_) && hwnd_ == MainWindow(); }

  qp::Text WindowTitle() const {
    wchar_t title[256] = {};
    const int n = GetWindowTextW(hwnd_, title, 256);
    return qp::Text(reinterpret_cast<const char16_t*>(title), static_cast<size_t>(n > 0 ? n : 0));
  }

  // The node a child id names now: none for the client itself.
  HRESULT Resolve(const VARIANT& child, std::optional<qp::AccessNode>& node) const {
    if (!Alive()) return CO_E_OBJNOTCONNECTED;
    LONG id;
    if (child.vt == VT_I4) {
      id = child.lVal;
    } else if (child.vt == VT_I2) {
      id = child.iVal;
    } else {
      return E_INVALIDARG;
    }
    if (id == CHILDID_SELF) return S_OK;
    node = id > 0 ? qp::AccessNodeFor(static_cast<int>(id)) : std::nullopt;
    return node ? S_OK : E_INVALIDARG;
  }

  template <typename Pick>
  HRESULT Text(const VARIANT& child, BSTR* out, Pick pick) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    std::optional<qp::AccessNode> node;
    HRESULT hr = Resolve(child, node);
    if (FAILED(hr)) return hr;
    const qp::Text t = pick(node ? &*node : nullptr);
    if (t.empty()) return S_FALSE;
    *out = Bstr(t);
    return *out ? S_OK : E_OUTOFMEMORY;
  }

  HRESULT Nothing(BSTR* out) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Alive() ? S_FALSE : CO_E_OBJNOTCONNECTED;
  }

  HRESULT Empty(VARIANT* out) const {
    if (!out) return E_POINTER;
    VariantInit(out);
    return Alive() ? S_FALSE : CO_E_OBJNOTCONNECTED;
  }

  LONG refs_ = 1;
  HWND hwnd_;
  std::vector<int> ids_;
  size_t cursor_ = 0;
  bool enumerating_ = false;
};

LRESULT AnswerGetObject(HWND hwnd, WPARAM wp, LPARAM lp) {
  if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT) return 0;
  StartAnnouncing();
  auto* object = new (std::nothrow) PanelAccessible(hwnd);
  if (!object) return 0;
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wp, static_cast<IAccessible*>(object));
  object->Release();
  return result > 0 ? result : 0;
}

// As a click on the element: the same element event through the same dispatch.
void RunDefaultAction(int element) {
  const int target = qp::AccessActionElement(element);
  if (target == 0) return;
  qp::Event e;
  e.kind = qp::EventKind::Element;
  e.window = qp::kMainWindow;
  e.element = target;
  e.type = qp::ElementEventType::LeftClick;
  qp::Dispatch(e);
}

}  // namespace

bool PanelAccessMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (msg == WM_GETOBJECT) {
    *result = AnswerGetObject(hwnd, wp, lp);
    return true;
  }
  if (msg == ActionMessage()) {
    RunDefaultAction(static_cast<int>(wp));
    *result = 0;
    return true;
  }
  // Watched, not consumed: other parts may act on these too.
  if (msg == WM_SYSCOLORCHANGE || msg == WM_SETTINGCHANGE) FollowSystemContrast();
  return false;
}

}  // namespace qpw
