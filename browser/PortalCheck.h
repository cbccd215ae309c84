#pragma once

#include <optional>
#include <string>

// The connectivity test of a portal address: the portal must answer its test file with the test text.
namespace PortalCheck {

inline constexpr const char* kTestFile = "/kepnar_test_file.txt";
inline constexpr const char* kExpectedReply = "kepnar_test_reply_ok.";

// True when `url` + "/kepnar_test_file.txt" answers status 200 with exactly the expected text (what
// arrives after its first 21 bytes is not looked at). Certificates are not checked; up to 10 redirects;
// 3 s to connect, 6 s in all.
bool ConnectivityTest(const std::string& url);

// Checks an address as typed: one starting with "http" (any letter case) as it is; a bare host with
// "https://" and then "http://". The form that passed, or nothing (an empty address is never tried).
std::optional<std::string> CheckAddress(const std::string& address);

} // namespace PortalCheck
