#include "errors.h"

#include <gtest/gtest.h>

namespace {

TEST(Errmsg, TextsKeepTheirTrailingBlanks) {
  EXPECT_EQ(errmsg[err_notfound], "could not find program:  ");
  EXPECT_EQ(errmsg[err_nopath], "could not find PATH in ENVIRONMENT");
  EXPECT_EQ(errmsg[err_args], "not enough arguments ");
  EXPECT_EQ(errmsg[err_toolong], "name too long:  ");
  EXPECT_EQ(errmsg[err_write], "could not write file:  ");
  EXPECT_EQ(std::size(errmsg), 10u);
}

TEST(Failed, PositiveStatusesAndCrashCodesFail) {
  for (int ok : {0, -1, -2, static_cast<int>(0x80000001u), static_cast<int>(0xD0000000u)})
    EXPECT_FALSE(failed(ok)) << ok;
  for (int bad : {1, 2, 255, 137, static_cast<int>(0xC0000005u), static_cast<int>(0xC0000135u),
                  static_cast<int>(0xCFFFFFFFu), static_cast<int>(0xC0000000u)})
    EXPECT_TRUE(failed(bad)) << bad;
}

TEST(CheckLaunch, ExitStatusesPassUnchanged) {
  for (int status : {0, 3, -1, 255})
    EXPECT_EQ(check_launch(ExitStatus{status}, "/t/ombrel.exe"), status);
}

TEST(CheckLaunchDeathTest, FailuresToStartEndTheRunWithTheirCode) {
  const std::pair<LaunchFailure, int> cases[] = {
      {LaunchFailure::NotFound, 4},
      {LaunchFailure::NoMemory, 5},
      {LaunchFailure::Refused, 3},
      {LaunchFailure::Other, 3},  // no process slot: the tool never ran
  };
  for (const auto& [failure, code] : cases)
    EXPECT_EXIT(check_launch(failure, "/t/ombrel.exe"), testing::ExitedWithCode(code), "");
}

}  // namespace
