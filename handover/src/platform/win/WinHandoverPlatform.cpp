#include "IHandoverPlatform.h"

#include <windows.h>

#include <sddl.h>

#include <memory>
#include <vector>

namespace Quorvel::Platform {

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The user of a process's token, as its bytes; empty when it cannot be read.
std::vector<unsigned char> TokenUser(HANDLE process) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return {};
    }
    const Handle owner(token);
    DWORD size = 0;
    ::GetTokenInformation(token, ::TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !::GetTokenInformation(token, ::TokenUser, buffer.data(), size, &size)) {
        return {};
    }
    return buffer;
}

PSID SidOf(std::vector<unsigned char>& tokenUser) {
    return reinterpret_cast<TOKEN_USER*>(tokenUser.data())->User.Sid;
}

}  // namespace

// Pipe names are shared by every user of the machine: the user's SID in the name keeps two
// users' instances apart, and the pipe's access list (Qt's UserAccessOption) keeps others out.
HandoverEndpoint FindHandoverEndpoint(const std::string& name) {
    HandoverEndpoint endpoint;
    std::vector<unsigned char> user = TokenUser(::GetCurrentProcess());
    LPSTR sid = nullptr;
    if (user.empty() || !::ConvertSidToStringSidA(SidOf(user), &sid)) {
        endpoint.problem =
            "the user of this process cannot be read: error " + std::to_string(::GetLastError());
        return endpoint;
    }
    endpoint.serverName = name + "-" + sid;
    ::LocalFree(sid);
    return endpoint;
}

// A pipe ends with the last handle to it, also when its process is killed.
bool ClearStaleEndpoint(const std::string&, std::string&) { return true; }

bool IsPeerOfThisUser(std::intptr_t descriptor, std::string& peer) {
    ULONG processId = 0;
    if (!::GetNamedPipeClientProcessId(reinterpret_cast<HANDLE>(descriptor), &processId)) {
        peer = "a process that cannot be named: error " + std::to_string(::GetLastError());
        return false;
    }
    peer = "process " + std::to_string(processId);
    const Handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    std::vector<unsigned char> theirs =
        process ? TokenUser(process.get()) : std::vector<unsigned char>();
    std::vector<unsigned char> ours = TokenUser(::GetCurrentProcess());
    if (theirs.empty() || ours.empty()) {
        peer += " of a user that cannot be read";
        return false;
    }
    return ::EqualSid(SidOf(theirs), SidOf(ours)) != FALSE;
}

}  // namespace Quorvel::Platform
