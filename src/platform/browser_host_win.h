// A minimal OLE container for the system's WebBrowser control, given documents as text.
#pragma once
#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>
#include <oleidl.h>

#include <memory>
#include <string>

#include "platform/scoped_win.h"

namespace qpw {

class BrowserHost {
 public:
  // Hosts the control as a child of `parent` in `rect`, with control id `id`. nullptr when
  // the control or the HTML engine behind it is missing or refuses to start. Should it fail
  // later (the blank page never loads, a document is refused), `failedMessage` is posted to
  // `parent`; the owner then replaces the host.
  static std::unique_ptr<BrowserHost> Create(HWND parent, const RECT& rect, int id, UINT failedMessage);
  ~BrowserHost();
  BrowserHost(const BrowserHost&) = delete;
  BrowserHost& operator=(const BrowserHost&) = delete;

  // Shows an HTML document given as text, without navigating anywhere. Before the control
  // is ready the latest document waits and is shown as soon as it is.
  void ShowDocument(const std::wstring& html);
  void Move(const RECT& rect);
  // Lets the control handle its keys (Tab, arrows, Ctrl+C ...); true when it took the message.
  bool TranslateKey(MSG* msg);

 private:
  class Site;
  BrowserHost() = default;
  void OnDocumentComplete();
  void OnNavigateError();
  // A navigation the control is about to make (or a new window it would open): only the blank
  // page loads; web and mail addresses go to the default browser; the rest is refused.
  void OnNavigate(const wchar_t* url, VARIANT& cancel, bool newWindow);
  // Refresh: the same document again.
  void Reload();
  void LoadPending();
  void Fail();

  HWND parent_ = nullptr;
  UINT failedMessage_ = 0;
  ComRef<Site> site_;
  ComRef<IOleObject> object_;
  ComRef<IWebBrowser2> browser_;
  ComRef<IConnectionPoint> events_;
  DWORD eventsCookie_ = 0;
  bool ready_ = false;
  bool failed_ = false;
  bool hasPending_ = false;
  std::wstring pending_;
};

}  // namespace qpw
