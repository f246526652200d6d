// What every PrivateProfile must do: the behaviour that the Windows kernel and
// Wine share and that config.ini relies on. A test file instantiates the suite
// for one implementation:
//
//   INSTANTIATE_TEST_SUITE_P(Name, ProfileContract,
//                            testing::Values(ProfileSubject{"Name", make}),
//                            ProfileSubjectName);
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "services/private_profile.h"

namespace morvex::services::contract {

struct ProfileSubject {
  const char* name;
  std::function<std::unique_ptr<PrivateProfile>()> make;
};

void PrintTo(const ProfileSubject& subject, std::ostream* os);
std::string Utf8Path(const std::filesystem::path& path);
std::string ProfileSubjectName(const testing::TestParamInfo<ProfileSubject>& info);

class ProfileContract : public testing::TestWithParam<ProfileSubject> {
 protected:
  void SetUp() override;
  void TearDown() override;

  // UTF-8 path of a file in this test's own empty folder.
  std::string PathOf(const std::string& name) const;
  void Seed(const std::string& name, const std::string& bytes) const;
  std::string Contents(const std::string& name) const;
  bool Exists(const std::string& name) const;

  // The value as GetString returns it, checking the count against the buffer.
  std::string Get(const std::string& section, const std::string& key, const std::string& name,
                  std::size_t size = 256);
  bool Put(const std::string& section, const std::string& key, const std::string& value,
           const std::string& name);

  std::unique_ptr<PrivateProfile> profile_;
  std::filesystem::path folder_;
};

}  // namespace morvex::services::contract
