#pragma once
#include "AdministratorCheck.h"
#include <string>
#include <vector>

// The administrator check's calls in memory: each step can be made to fail, and every call
// is logged so tests can follow the steps and the clean-ups.
class FakeSecurity final : public SecurityApi {
  public:
    std::vector<std::string> log;
    bool impersonates = true;
    std::uint32_t threadTokenError = 0; // 0: the thread has a token
    bool processTokenOpens = true;
    bool sidCreated = true;
    bool descriptorCreated = true;
    bool aclCreated = true;
    bool descriptorValid = true;
    AccessResult access{true, 0, true};
    ElevationType elevation = ElevationType::None;

    bool ImpersonateSelf() override {
        log.push_back("impersonate");
        return impersonates;
    }
    void RevertToSelf() override { log.push_back("revert"); }
    Object OpenThreadToken(std::uint32_t& error) override {
        log.push_back("open thread token");
        error = threadTokenError;
        return threadTokenError == 0 ? kThreadToken : 0;
    }
    Object OpenProcessToken() override {
        log.push_back("open process token");
        return processTokenOpens ? kProcessToken : 0;
    }
    void CloseToken(Object token) override { log.push_back("close token " + Name(token)); }
    Object CreateAdministratorsSid() override {
        log.push_back("create sid");
        return sidCreated ? kSid : 0;
    }
    void FreeSid(Object sid) override { log.push_back("free " + Name(sid)); }
    Object CreateDescriptor() override {
        log.push_back("create descriptor");
        return descriptorCreated ? kDescriptor : 0;
    }
    Object CreateAdministratorsAcl(Object sid) override {
        log.push_back("create acl for " + Name(sid));
        return aclCreated ? kAcl : 0;
    }
    void FreeMemory(Object memory) override { log.push_back("free " + Name(memory)); }
    bool CompleteDescriptor(Object descriptor, Object acl, Object sid) override {
        log.push_back("complete " + Name(descriptor) + " " + Name(acl) + " " + Name(sid));
        return descriptorValid;
    }
    AccessResult AccessCheck(Object token, Object descriptor) override {
        log.push_back("access check " + Name(token) + " " + Name(descriptor));
        return access;
    }
    void WriteDiagnostic(const char* line) override { log.push_back(std::string("say ") + line); }
    ElevationType ProcessElevation() override { return elevation; }

    static constexpr Object kThreadToken = 1, kProcessToken = 2, kSid = 3, kDescriptor = 4,
                            kAcl = 5;

  private:
    static std::string Name(Object object) {
        static const char* const kNames[] = {"none", "thread-token", "process-token",
                                             "sid",  "descriptor",   "acl"};
        return object < 6 ? kNames[object] : "?";
    }
};
