#pragma once
#include "../AdministratorCheck.h"

// The administrator check's calls made for real, with advapi32's security functions.
class Win32Security final : public SecurityApi {
  public:
    bool ImpersonateSelf() override;
    void RevertToSelf() override;
    Object OpenThreadToken(std::uint32_t& error) override;
    Object OpenProcessToken() override;
    void CloseToken(Object token) override;
    Object CreateAdministratorsSid() override;
    void FreeSid(Object sid) override;
    Object CreateDescriptor() override;
    Object CreateAdministratorsAcl(Object sid) override;
    void FreeMemory(Object memory) override;
    bool CompleteDescriptor(Object descriptor, Object acl, Object sid) override;
    AccessResult AccessCheck(Object token, Object descriptor) override;
    void WriteDiagnostic(const char* line) override;
    ElevationType ProcessElevation() override;
};
