#include "AdministratorCheck.h"
#include "DecimalText.h"
#include <cstring>

namespace {

using Object = SecurityApi::Object;

// Holds what the check has obtained and gives it back in reverse order, whatever the way out.
class Obtained {
  public:
    explicit Obtained(SecurityApi& security) : m_security(security) {}
    ~Obtained() {
        if (m_acl != 0) {
            m_security.FreeMemory(m_acl);
        }
        if (m_descriptor != 0) {
            m_security.FreeMemory(m_descriptor);
        }
        if (m_sid != 0) {
            m_security.FreeSid(m_sid);
        }
        if (m_token != 0) {
            m_security.CloseToken(m_token);
        }
        if (m_impersonating) {
            m_security.RevertToSelf();
        }
    }
    Obtained(const Obtained&) = delete;
    Obtained& operator=(const Obtained&) = delete;

    bool m_impersonating = false;
    Object m_token = 0;
    Object m_sid = 0;
    Object m_descriptor = 0;
    Object m_acl = 0;

  private:
    SecurityApi& m_security;
};

Object OpenToken(SecurityApi& security) {
    std::uint32_t error = 0;
    const Object token = security.OpenThreadToken(error);
    if (token != 0) {
        return token;
    }
    return error == SecurityApi::kNoToken ? security.OpenProcessToken() : 0;
}

} // namespace

bool HasAdministratorRights(SecurityApi& security) {
    Obtained obtained(security);
    obtained.m_impersonating = security.ImpersonateSelf();
    obtained.m_token = OpenToken(security);
    if (obtained.m_token == 0) {
        return false;
    }
    obtained.m_sid = security.CreateAdministratorsSid();
    if (obtained.m_sid == 0) {
        return false;
    }
    obtained.m_descriptor = security.CreateDescriptor();
    if (obtained.m_descriptor == 0) {
        return false;
    }
    obtained.m_acl = security.CreateAdministratorsAcl(obtained.m_sid);
    if (obtained.m_acl == 0 ||
        !security.CompleteDescriptor(obtained.m_descriptor, obtained.m_acl, obtained.m_sid)) {
        return false;
    }
    const SecurityApi::AccessResult access =
        security.AccessCheck(obtained.m_token, obtained.m_descriptor);
    if (!access.callSucceeded) {
        char line[64] = "AccessCheck()   failed   with   error   ";
        std::strcat(line, DecimalText<char>(access.error).c_str());
        std::strcat(line, "\n");
        security.WriteDiagnostic(line);
        return false;
    }
    return access.granted;
}
