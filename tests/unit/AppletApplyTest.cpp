#include "ApplyParameters.h"
#include "ElevatedStart.h"
#include "FakeDevice.h"
#include "FakeRegistry.h"
#include "FakeSecurity.h"
#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

const std::string kUsbKey = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Velmuro\\Parameters";
const std::string kMouseKey = "HKCU\\Control Panel\\Mouse";

// The calls that follow a granted check, in the order the check makes them.
const Lines kGrantedSteps = {
    "impersonate",
    "open thread token",
    "create sid",
    "create descriptor",
    "create acl for sid",
    "complete descriptor acl sid",
    "access check thread-token descriptor",
    "free acl",
    "free descriptor",
    "free sid",
    "close token thread-token",
    "revert",
};

Lines Without(const Lines& lines, const std::string& prefix) {
    Lines kept;
    for (const auto& line : lines) {
        if (line.rfind(prefix, 0) != 0) {
            kept.push_back(line);
        }
    }
    return kept;
}

} // namespace

TEST(AppletAdministratorCheck, GrantedAccessMeansAdministratorAndEverythingIsGivenBack) {
    FakeSecurity security;
    EXPECT_TRUE(HasAdministratorRights(security));
    EXPECT_EQ(security.log, kGrantedSteps);

    FakeSecurity refused;
    refused.access = {true, 0, false};
    EXPECT_FALSE(HasAdministratorRights(refused));
    EXPECT_EQ(refused.log, kGrantedSteps) << "a refusal gives back the same";
}

TEST(AppletAdministratorCheck, AThreadWithoutTokenUsesTheProcessToken) {
    FakeSecurity security;
    security.threadTokenError = SecurityApi::kNoToken;
    EXPECT_TRUE(HasAdministratorRights(security));
    EXPECT_EQ(security.log[2], "open process token");
    EXPECT_EQ(security.log[7], "access check process-token descriptor");
    EXPECT_EQ(security.log[security.log.size() - 2], "close token process-token");
}

TEST(AppletAdministratorCheck, OtherTokenFailuresEndTheCheckWithFalse) {
    FakeSecurity denied;
    denied.threadTokenError = 5; // access denied: no second try with the process token
    EXPECT_FALSE(HasAdministratorRights(denied));
    EXPECT_EQ(denied.log, (Lines{"impersonate", "open thread token", "revert"}));

    FakeSecurity noProcessToken;
    noProcessToken.threadTokenError = SecurityApi::kNoToken;
    noProcessToken.processTokenOpens = false;
    EXPECT_FALSE(HasAdministratorRights(noProcessToken));
    EXPECT_EQ(noProcessToken.log,
              (Lines{"impersonate", "open thread token", "open process token", "revert"}));
}

TEST(AppletAdministratorCheck, EachFailingStepFreesExactlyWhatWasObtained) {
    FakeSecurity noSid;
    noSid.sidCreated = false;
    EXPECT_FALSE(HasAdministratorRights(noSid));
    EXPECT_EQ(noSid.log, (Lines{"impersonate", "open thread token", "create sid",
                                "close token thread-token", "revert"}));

    FakeSecurity noDescriptor;
    noDescriptor.descriptorCreated = false;
    EXPECT_FALSE(HasAdministratorRights(noDescriptor));
    EXPECT_EQ(noDescriptor.log,
              (Lines{"impersonate", "open thread token", "create sid", "create descriptor",
                     "free sid", "close token thread-token", "revert"}));

    FakeSecurity noAcl;
    noAcl.aclCreated = false;
    EXPECT_FALSE(HasAdministratorRights(noAcl));
    EXPECT_EQ(noAcl.log, (Lines{"impersonate", "open thread token", "create sid",
                                "create descriptor", "create acl for sid", "free descriptor",
                                "free sid", "close token thread-token", "revert"}));

    FakeSecurity invalid;
    invalid.descriptorValid = false;
    EXPECT_FALSE(HasAdministratorRights(invalid));
    EXPECT_EQ(Without(invalid.log, "access"),
              (Lines{"impersonate", "open thread token", "create sid", "create descriptor",
                     "create acl for sid", "complete descriptor acl sid", "free acl",
                     "free descriptor", "free sid", "close token thread-token", "revert"}));
    EXPECT_EQ(invalid.log.size(), 11u) << "no access check on an invalid descriptor";
}

TEST(AppletAdministratorCheck, AFailingAccessCheckCallSaysSoAndCountsAsNoRights) {
    FakeSecurity security;
    security.access = {false, 1309, true};
    EXPECT_FALSE(HasAdministratorRights(security));
    EXPECT_EQ(security.log[7], "say AccessCheck()   failed   with   error   1309\n");
    EXPECT_EQ(security.log.back(), "revert");
}

TEST(AppletAdministratorCheck, WithoutImpersonationThereIsNothingToRevert) {
    FakeSecurity security;
    security.impersonates = false;
    security.threadTokenError = SecurityApi::kNoToken;
    HasAdministratorRights(security);
    EXPECT_EQ(security.log.back(), "close token process-token");
}

class AppletApply : public ::testing::Test {
  protected:
    AppletApply() {
        registry.AddKey(kUsbKey);
        registry.AddKey(kMouseKey);
        device.sharedLog = &registry.log;
        parameters.DblClickRegion = 7;
    }

    // A listing cycle unless told otherwise.
    void Apply(bool sheetRan = false) {
        ApplyParameters(parameters, sheetRan, security, store, link, [this] { ++refusals; });
    }

    FakeRegistry registry;
    FakeDevice device;
    FakeSecurity security;
    ParametersStore store{registry, DriverKind::Usb};
    DriverLink link{device, DriverKind::Usb};
    DriverParameters parameters;
    int refusals = 0;
};

TEST_F(AppletApply, AnAdministratorStoresThenSendsThenWritesTheDoubleClickSize) {
    Apply();
    EXPECT_EQ(refusals, 0);
    const Lines steps = Without(Without(Without(registry.log, "close"), "set "), "query");
    EXPECT_EQ(steps, (Lines{"open " + kUsbKey, "request 0x222018", "open " + kMouseKey}));
    const Lines writes = Without(Without(Without(registry.log, "open"), "close"), "request");
    EXPECT_EQ(writes,
              (Lines{"set MouseMode type 4 size 4", "set InterActTime type 4 size 4",
                     "set BeepMode type 4 size 4", "set BeepFreq type 4 size 4",
                     "set BeepTime type 4 size 4", "set DblClickRegion type 4 size 4",
                     "set Port type 4 size 4", "set Enable type 4 size 4",
                     "set DoubleClickHeight type 1 size 2", "set DoubleClickWidth type 1 size 2"}));
    ASSERT_EQ(device.ControlCodes(), (std::vector<std::uint32_t>{0x222018}));
    EXPECT_EQ(device.calls[1].input.size(), 32u);
}

TEST_F(AppletApply, WithoutRightsNothingIsWrittenOrSentAndOnlyASheetsUserIsTold) {
    security.access = {true, 0, false};
    Apply(false);
    EXPECT_EQ(refusals, 0) << "a listing alone has nothing of the user's to refuse";
    Apply(true);
    EXPECT_EQ(refusals, 1);
    EXPECT_TRUE(registry.log.empty()) << registry.log.front();
    EXPECT_TRUE(device.calls.empty());
}

TEST_F(AppletApply, AMissingKeyIsNotCreatedButTheDriverAndMouseValuesStillGetTheirs) {
    FakeRegistry bare;
    bare.AddKey(kMouseKey);
    ParametersStore bareStore(bare, DriverKind::Usb);
    device.sharedLog = nullptr;
    ApplyParameters(parameters, true, security, bareStore, link, [this] { ++refusals; });
    EXPECT_FALSE(bare.HasKey(kUsbKey));
    EXPECT_EQ(device.ControlCodes(), (std::vector<std::uint32_t>{0x222018}));
    ASSERT_NE(bare.Find(kMouseKey, "DoubleClickWidth"), nullptr);
}

TEST(AppletElevatedStart, OnlyAFilteredTokenWithoutRightsOrMarkerLeavesTheSheetToACopy) {
    struct Row {
        ElevationType elevation;
        bool marked;
        bool passesCheck;
        RelaunchResult relaunch;
        bool relaunched;
        bool opensHere;
    };
    const Row rows[] = {
        {ElevationType::None, false, false, RelaunchResult::Started, false, true},    // 2000, XP
        {ElevationType::Default, false, false, RelaunchResult::Started, false, true}, // standard
        {ElevationType::Full, false, true, RelaunchResult::Started, false, true},
        {ElevationType::Limited, false, false, RelaunchResult::Started, true, false},
        {ElevationType::Limited, false, false, RelaunchResult::Declined, true, false},
        {ElevationType::Limited, false, false, RelaunchResult::Failed, true, true},
        {ElevationType::Limited, true, false, RelaunchResult::Started, false, true}, // the copy
        // A limited token that still holds its rights, as Wine gives every process.
        {ElevationType::Limited, false, true, RelaunchResult::Started, false, true},
    };
    for (const Row& row : rows) {
        FakeSecurity security;
        security.elevation = row.elevation;
        security.access.granted = row.passesCheck;
        bool relaunched = false;
        const bool opensHere = ElevatedStart::OpensSheetHere(security, row.marked, [&] {
            relaunched = true;
            return row.relaunch;
        });
        const auto where = ::testing::Message()
                           << "elevation " << static_cast<int>(row.elevation) << " marked "
                           << row.marked << " rights " << row.passesCheck << " relaunch "
                           << static_cast<int>(row.relaunch);
        EXPECT_EQ(relaunched, row.relaunched) << where;
        EXPECT_EQ(opensHere, row.opensHere) << where;
    }
}
