#include "tools/shared/SessionEnd.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

using Call = PlatformCall;
using Calls = std::vector<PlatformCall>;

TEST(IsWindowsNT, OnlyPlatformIdTwoIsTheNtFamily) {
  FakePlatform platform;
  platform.platformId = kVerPlatformWin32Nt;
  EXPECT_TRUE(IsWindowsNT(platform));
  platform.platformId = 1;  // the Windows 95 family
  EXPECT_FALSE(IsWindowsNT(platform));
  platform.platformId = 0;  // the version could not be read
  EXPECT_FALSE(IsWindowsNT(platform));
}

TEST(EnableShutdownPrivilege, OpensTheTokenLooksUpThePrivilegeEnablesItAndClosesTheToken) {
  FakePlatform platform;
  EnableShutdownPrivilege(platform);

  EXPECT_EQ(platform.calls, (Calls{Call::ProcessTokenOpen, Call::PrivilegeLookup,
                                   Call::PrivilegeAdjust, Call::TokenClose}));
  EXPECT_EQ(platform.tokenOpens, std::vector<std::uint32_t>{0x28});
  EXPECT_EQ(platform.privilegeLookups, std::vector<std::wstring>{L"SeShutdownPrivilege"});
  EXPECT_EQ(platform.privilegeAdjustments,
            (std::vector<PrivilegeAdjustment>{
                {FakePlatform::kToken, FakePlatform::kShutdownPrivilegeLuid, 2}}));
  EXPECT_EQ(platform.closedTokens, std::vector<TokenHandle>{FakePlatform::kToken});
}

TEST(EnableShutdownPrivilege, WithoutATokenNothingElseIsTried) {
  FakePlatform platform;
  platform.tokenOpenSucceeds = false;
  EnableShutdownPrivilege(platform);

  EXPECT_EQ(platform.calls, Calls{Call::ProcessTokenOpen});
}

TEST(EnableShutdownPrivilege, AnUnknownPrivilegeStillClosesTheToken) {
  FakePlatform platform;
  platform.privileges.clear();
  EnableShutdownPrivilege(platform);

  EXPECT_EQ(platform.calls, (Calls{Call::ProcessTokenOpen, Call::PrivilegeLookup,
                                   Call::TokenClose}));
}

TEST(ShutdownSystem, ForcedOnNtEnablesThePrivilegeFirstThenAsksForFlagsFive) {
  FakePlatform platform;
  ShutdownSystem(platform, true);

  EXPECT_EQ(platform.calls,
            (Calls{Call::PlatformIdRead, Call::ProcessTokenOpen, Call::PrivilegeLookup,
                   Call::PrivilegeAdjust, Call::TokenClose, Call::ExitWindowsEx}));
  EXPECT_EQ(platform.exitWindowsRequests, (std::vector<ExitWindowsRequest>{{5, 0}}));
}

TEST(ShutdownSystem, UnforcedAsksForFlagsOne) {
  FakePlatform platform;
  ShutdownSystem(platform, false);

  EXPECT_EQ(platform.exitWindowsRequests, (std::vector<ExitWindowsRequest>{{1, 0}}));
}

TEST(ShutdownSystem, OutsideTheNtFamilyThePrivilegeStepIsSkipped) {
  FakePlatform platform;
  platform.platformId = 1;
  ShutdownSystem(platform, true);

  EXPECT_EQ(platform.calls, (Calls{Call::PlatformIdRead, Call::ExitWindowsEx}));
  EXPECT_EQ(platform.exitWindowsRequests, (std::vector<ExitWindowsRequest>{{5, 0}}));
}

TEST(ShutdownSystem, FailingStepsStillEndInTheSessionEndCall) {
  FakePlatform platform;
  platform.privilegeAdjustSucceeds = false;
  platform.exitWindowsSucceeds = false;
  ShutdownSystem(platform, true);
  ShutdownSystem(platform, true);  // a caller simply tries again

  EXPECT_EQ(platform.exitWindowsRequests, (std::vector<ExitWindowsRequest>{{5, 0}, {5, 0}}));
}

}  // namespace
}  // namespace tavilo
