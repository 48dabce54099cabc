#pragma once
// What the beam's table tests share: each case of a table is a test of its own, named by its case.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

// The test's name from its case's name: "free end, hinge" gives FreeEndHinge, followed by the case's
// number so that two cases of one name stay apart.
template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
  std::string out;
  bool upper = true;
  for (const char* p = info.param.name; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (std::isalnum(c) && c < 128) {
      out += upper ? char(std::toupper(c)) : char(c);
      upper = false;
    } else {
      upper = true;
    }
  }
  return out + "_" + std::to_string(info.index);
}
