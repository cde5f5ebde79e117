#include "platform/browser_host_win.h"

#include <exdispid.h>
#include <objbase.h>

#include <cstring>
#include <new>

#include "base/platform.h"
#include "shell/help_links.h"

namespace qpw {
namespace {

// The text of an event argument, given directly or through a reference; nullptr otherwise.
const wchar_t* VariantText(const VARIANT& v) {
  const VARIANT* p = &v;
  if (p->vt == (VT_BYREF | VT_VARIANT) && p->pvarVal) p = p->pvarVal;
  if (p->vt == VT_BSTR) return p->bstrVal;
  if (p->vt == (VT_BYREF | VT_BSTR) && p->pbstrVal) return *p->pbstrVal;
  return nullptr;
}

// The HTML engine's document class. Without it the WebBrowser control can be created but
// never shows a page, so its absence decides for the plain-text view at once.
const CLSID kHtmlDocumentClass = {0x25336920, 0x03f9, 0x11cf, {0x8f, 0xd0, 0x00, 0xaa, 0x00, 0x68, 0x6f, 0x13}};

bool EngineAvailable() {
  ComRef<IUnknown> probe;
  return SUCCEEDED(CoCreateInstance(kHtmlDocumentClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, probe.put_void()));
}

}  // namespace

// The container side the control talks to: client site, in-place site and frame, and the
// receiver of the control's events. Reference counted; the host holds one reference and cuts
// the link back to itself when it goes.
class BrowserHost::Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
 public:
  Site(BrowserHost* host, HWND parent, const RECT& rect) : host_(host), parent_(parent), rect_(rect) {}
  void Detach() {
    host_ = nullptr;
    active_.Reset();
  }
  void SetRect(const RECT& rect) { rect_ = rect; }
  IOleInPlaceActiveObject* ActiveObject() const { return active_.get(); }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite)) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite)) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame)) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
      *out = static_cast<IDispatch*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  STDMETHODIMP_(ULONG) Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (shared by the in-place site and the frame)
  STDMETHODIMP GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = parent_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    *pos = rect_;
    *clip = rect_;
    info->fMDIApp = FALSE;
    info->hwndFrame = parent_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override {
    active_.Reset();
    return S_OK;
  }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
    if (object) object->AddRef();
    active_.Reset(object);
    return S_OK;
  }

  // IOleInPlaceFrame
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IDispatch: the control's events
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    if (!host_) return S_OK;
    if (id == DISPID_DOCUMENTCOMPLETE) {
      host_->OnDocumentComplete();
    } else if (id == DISPID_NAVIGATEERROR) {
      host_->OnNavigateError();
    } else if (id == DISPID_BEFORENAVIGATE2 && params && params->cArgs >= 7) {
      // Arguments come last first: the address is the sixth from the end, Cancel the last.
      host_->OnNavigate(VariantText(params->rgvarg[5]), params->rgvarg[0], false);
    } else if (id == DISPID_NEWWINDOW3 && params && params->cArgs >= 5) {
      host_->OnNavigate(VariantText(params->rgvarg[0]), params->rgvarg[3], true);
    }
    return S_OK;
  }

 private:
  ~Site() = default;

  LONG refs_ = 1;
  BrowserHost* host_;
  HWND parent_;
  RECT rect_;
  ComRef<IOleInPlaceActiveObject> active_;
};

std::unique_ptr<BrowserHost> BrowserHost::Create(HWND parent, const RECT& rect, int id, UINT failedMessage) {
  if (!EngineAvailable()) return nullptr;
  std::unique_ptr<BrowserHost> host(new (std::nothrow) BrowserHost());
  if (!host) return nullptr;
  host->parent_ = parent;
  host->failedMessage_ = failedMessage;
  host->site_.Reset(new (std::nothrow) Site(host.get(), parent, rect));
  if (!host->site_) return nullptr;
  // From here on the destructor undoes whatever part of the set-up was done.
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              host->object_.put_void()))) {
    return nullptr;
  }
  IOleClientSite* site = static_cast<IOleClientSite*>(host->site_.get());
  if (FAILED(host->object_->SetClientSite(site))) return nullptr;
  host->object_->SetHostNames(L"Quillpad", nullptr);
  OleSetContainedObject(host->object_.get(), TRUE);
  RECT r = rect;
  if (FAILED(host->object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, 0, parent, &r))) return nullptr;
  if (FAILED(host->object_->QueryInterface(IID_IWebBrowser2, host->browser_.put_void()))) {
    return nullptr;
  }
  // The page view answers to its control id like any other child.
  ComRef<IOleWindow> window;
  HWND hwnd = nullptr;
  if (SUCCEEDED(host->object_->QueryInterface(IID_IOleWindow, window.put_void())) &&
      SUCCEEDED(window->GetWindow(&hwnd)) && hwnd) {
    SetWindowLongPtrW(hwnd, GWLP_ID, id);
  }
  // Script errors and other prompts must not pop up over the help.
  host->browser_->put_Silent(VARIANT_TRUE);
  ComRef<IConnectionPointContainer> points;
  if (SUCCEEDED(host->browser_->QueryInterface(IID_IConnectionPointContainer, points.put_void())) &&
      SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, host->events_.put()))) {
    if (FAILED(host->events_->Advise(static_cast<IDispatch*>(host->site_.get()), &host->eventsCookie_))) {
      host->events_.Reset();
    }
  }
  if (!host->events_) return nullptr;  // without events the blank page's arrival is never known
  // Documents go into the blank page once it has loaded.
  BSTR blank = SysAllocString(L"about:blank");
  VARIANT empty;
  VariantInit(&empty);
  HRESULT hr = blank ? host->browser_->Navigate(blank, &empty, &empty, &empty, &empty) : E_OUTOFMEMORY;
  SysFreeString(blank);
  if (FAILED(hr)) return nullptr;
  return host;
}

BrowserHost::~BrowserHost() {
  if (events_) {
    events_->Unadvise(eventsCookie_);
    events_.Reset();
  }
  if (browser_) browser_->Stop();
  browser_.Reset();
  if (object_) {
    ComRef<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, inPlace.put_void()))) inPlace->InPlaceDeactivate();
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    object_.Reset();
  }
  if (site_) {
    site_->Detach();
    site_.Reset();
  }
}

void BrowserHost::ShowDocument(const std::wstring& html) {
  pending_ = html;
  hasPending_ = true;
  if (ready_) LoadPending();
}

void BrowserHost::Move(const RECT& rect) {
  if (site_) site_->SetRect(rect);
  if (!object_) return;
  ComRef<IOleInPlaceObject> inPlace;
  if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, inPlace.put_void()))) {
    inPlace->SetObjectRects(&rect, &rect);
  }
}

bool BrowserHost::TranslateKey(MSG* msg) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_F5 || (ctrl && msg->wParam == 'R'))) {
    Reload();
    return true;
  }
  IOleInPlaceActiveObject* active = site_ ? site_->ActiveObject() : nullptr;
  return active && active->TranslateAccelerator(msg) == S_OK;
}

void BrowserHost::OnDocumentComplete() {
  ready_ = true;
  if (hasPending_) LoadPending();
}

void BrowserHost::OnNavigateError() { Fail(); }

void BrowserHost::OnNavigate(const wchar_t* url, VARIANT& cancel, bool newWindow) {
  const qp::Text text = url ? qp::Text(reinterpret_cast<const char16_t*>(url)) : qp::Text();
  const qp::HelpLinkAction action = qp::HelpNavigation(text);
  if (action == qp::HelpLinkAction::Load && !newWindow) return;
  if (cancel.vt == (VT_BYREF | VT_BOOL) && cancel.pboolVal) *cancel.pboolVal = VARIANT_TRUE;
  if (action == qp::HelpLinkAction::OpenOutside) qp::Plat().OpenUrl(text);
}

void BrowserHost::Reload() {
  // The engine would reload the blank page the document was written into.
  if (pending_.empty()) return;
  hasPending_ = true;
  if (ready_) LoadPending();
}

// Replaces the blank page's content with the waiting document, handed over as a UTF-16
// stream with its byte-order mark so the engine reads it without guessing.
void BrowserHost::LoadPending() {
  if (failed_ || !browser_) return;
  hasPending_ = false;
  ComRef<IDispatch> document;
  ComRef<IPersistStreamInit> persist;
  if (FAILED(browser_->get_Document(document.put())) || !document ||
      FAILED(document->QueryInterface(IID_IPersistStreamInit, persist.put_void()))) {
    return Fail();
  }
  const size_t bytes = (pending_.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (!memory) return Fail();
  if (void* p = GlobalLock(memory)) {
    const wchar_t mark = 0xFEFF;
    std::memcpy(p, &mark, sizeof mark);
    std::memcpy(static_cast<char*>(p) + sizeof mark, pending_.data(), pending_.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
  } else {
    GlobalFree(memory);
    return Fail();
  }
  ComRef<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.put()))) {
    GlobalFree(memory);
    return Fail();
  }
  // The block may be larger than asked for; the stream ends where the document does.
  ULARGE_INTEGER size;
  size.QuadPart = bytes;
  stream->SetSize(size);
  if (FAILED(persist->InitNew()) || FAILED(persist->Load(stream.get()))) Fail();
}

void BrowserHost::Fail() {
  if (failed_) return;
  failed_ = true;
  // The owner destroys this host; not from inside the control's own call.
  PostMessageW(parent_, failedMessage_, 0, 0);
}

}  // namespace qpw
