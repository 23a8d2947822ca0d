#include "network/ConnectionRows.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(ConnectionRows, PictureAndStateFollowWirelessAndConnected) {
  TConnection connection;
  connection.IsWireless = true;
  connection.Status = platform::kNcsConnected;
  EXPECT_EQ(ConnectionImageIndex(connection), 3);
  EXPECT_STREQ(ConnectionStateText(connection), "Connected");
  connection.Status = platform::kNcsMediaDisconnected;
  EXPECT_EQ(ConnectionImageIndex(connection), 2);
  connection.IsWireless = false;
  EXPECT_EQ(ConnectionImageIndex(connection), 0);
  EXPECT_STREQ(ConnectionStateText(connection), "Disconnected");
  connection.Status = platform::kNcsConnected;
  EXPECT_EQ(ConnectionImageIndex(connection), 1);
}

}  // namespace
}  // namespace orvane
