// Integrity levels of processes. Also built into the test driver, which reads them under Wine.
#include <windows.h>

#include <vector>

#include "platform/delivery_win.h"

namespace qpw {

namespace {

class KernelObject {
 public:
  explicit KernelObject(HANDLE handle) : handle_(handle) {}
  ~KernelObject() {
    if (handle_) CloseHandle(handle_);
  }
  KernelObject(const KernelObject&) = delete;
  KernelObject& operator=(const KernelObject&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

uint32_t ProcessIntegrity(HANDLE process) {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return 0;
  const KernelObject token(rawToken);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
  if (size < sizeof(TOKEN_MANDATORY_LABEL)) return 0;
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) return 0;
  const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
  if (sid == nullptr || !IsValidSid(sid)) return 0;
  const UCHAR parts = *GetSidSubAuthorityCount(sid);
  if (parts == 0) return 0;
  return static_cast<uint32_t>(*GetSidSubAuthority(sid, parts - 1U));
}

}  // namespace

uint32_t OwnProcessIntegrity() { return ProcessIntegrity(GetCurrentProcess()); }

uint32_t WindowProcessIntegrity(uintptr_t window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId);
  if (processId == 0) return 0;
  // The least access that still reads the token of a process running above this one.
  const KernelObject process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (process.get() == nullptr) return 0;
  return ProcessIntegrity(process.get());
}

}  // namespace qpw
