#include "dialogs/AboutUnit.h"

namespace orvane {

namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string AboutVersionLine(const std::string& fileVersionText) {
  return fileVersionText.empty() ? std::string() : "Version " + fileVersionText;
}

std::string PercentEncode(std::string_view text, std::string_view keep) {
  constexpr const char* kHex = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(text.size());
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsUnreserved(c) || keep.find(ch) != std::string_view::npos) {
      encoded += ch;
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0x0F];
    }
  }
  return encoded;
}

std::string FeedbackMailLink(const std::string& supportAddress,
                             const std::string& applicationName) {
  const std::string subject = applicationName + " Comments";
  const std::string body = "Hello Support Team,\r\nProduct Name: " + applicationName +
                           "\r\nMy Windows Version: \r\nMy Laptop/Desktop Model: \r\n"
                           "Input your comments here...";
  return "mailto:" + PercentEncode(supportAddress, "@") + "?subject=" + PercentEncode(subject) +
         "&body=" + PercentEncode(body);
}

}  // namespace orvane
