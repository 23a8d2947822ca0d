#pragma once

#include <string>
#include <string_view>

namespace orvane {

inline constexpr const char* kNoUpdatesMessage = "There are no new updates available.";
// How long "Check for updates" keeps the user waiting before it answers.
inline constexpr int kUpdateCheckWaitMs = 3000;

// The About box's version line: "Version " and the file version, or empty without one.
std::string AboutVersionLine(const std::string& fileVersionText);

// text with every byte but the unreserved ones (letters, digits, "-", ".", "_", "~") written
// as "%XX", so that it cannot end or split a part of a link.
std::string PercentEncode(std::string_view text, std::string_view keep = {});

// The feedback mail as a "mailto:" link (RFC 6068): a new message to supportAddress whose
// subject names the product and whose body holds the questions for the user to fill in.
std::string FeedbackMailLink(const std::string& supportAddress, const std::string& applicationName);

}  // namespace orvane
