// Reading replies: codes, multi-line text, features, SIZE values, PASV
// addresses and the private-address substitution.
#include "access/ftp/ftp_reply.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(FtpReply, TextDropsEachCodePrefixAndEndsEveryLine) {
  const FtpReply reply{550, {"550-First line", " indented middle", "550 Last line"}};
  EXPECT_EQ(reply.text(), "First line\n indented middle\nLast line\n");
  EXPECT_EQ((FtpReply{220, {"220"}}).text(), "\n");
  EXPECT_EQ(ftpReplyCode("2201 nope"), 0);
  EXPECT_EQ(ftpReplyCode("ab1"), 0);
  EXPECT_TRUE(endsFtpReply("211 End", 211));
  EXPECT_FALSE(endsFtpReply("211-More", 211));
  EXPECT_FALSE(endsFtpReply("212 Other", 211));
}

TEST(FtpReply, RefusedCodeRaisesWithCodeAndText) {
  try {
    requireFtpReply(FtpReply{530, {"530 Login incorrect."}}, {230, 331});
    FAIL() << "accepted";
  } catch (const FtpReplyError& e) {
    EXPECT_EQ(e.code(), 530);
    EXPECT_STREQ(e.what(), "Login incorrect.\n");
  }
  EXPECT_NO_THROW(requireFtpReply(FtpReply{331, {"331 Password?"}}, {230, 331}));
}

TEST(FtpReply, FeaturesAreTheInnerLinesMatchedByFirstWordInAnyCase) {
  const FtpReply feat{211,
                      {"211-Features:", " EPRT", " REST STREAM", " utf8", " PRETTY", "211 End"}};
  const std::vector<std::string> features = ftpFeatures(feat);
  EXPECT_EQ(features, (std::vector<std::string>{"EPRT", "REST STREAM", "utf8", "PRETTY"}));
  EXPECT_TRUE(ftpOffers(features, "UTF8"));
  EXPECT_TRUE(ftpOffers(features, "REST"));
  EXPECT_FALSE(ftpOffers(features, "PRET"));  // a longer word is another feature
  EXPECT_TRUE(ftpFeatures(FtpReply{500, {"500-x", " UTF8", "500 y"}}).empty());
  EXPECT_TRUE(ftpFeatures(FtpReply{211, {"211 No features"}}).empty());
}

TEST(FtpReply, SizeIsReadOnlyFrom213) {
  EXPECT_EQ(ftpSizeFromReply({213, {"213 1234"}}), 1234);
  EXPECT_EQ(ftpSizeFromReply({213, {"213 file.bin 5368709120"}}), 5368709120LL);
  EXPECT_EQ(ftpSizeFromReply({213, {"213   77  "}}), 77);
  EXPECT_EQ(ftpSizeFromReply({213, {"213 many"}}), -1);
  EXPECT_EQ(ftpSizeFromReply({213, {"213 12ab"}}), -1);
  EXPECT_EQ(ftpSizeFromReply({213, {"213 -116"}}), -1);
  EXPECT_EQ(ftpSizeFromReply({550, {"550 1234"}}), -1);
  EXPECT_EQ(ftpSizeFromReply({500, {"500 Unknown command."}}), -1);
}

TEST(FtpReply, PasvAddressWithAndWithoutBrackets) {
  struct Case {
    const char* line;
    const char* address;  // nullptr: not readable
    std::uint16_t port;
  };
  for (const Case& c : {Case{"Entering Passive Mode (192,168,0,10,195,80).", "192.168.0.10", 50000},
                        Case{"Entering Passive Mode 127,0,0,1,4,1", "127.0.0.1", 1025},
                        Case{"=( 10, 1, 2, 3, 0, 21 )", "10.1.2.3", 21},
                        Case{"Entering Passive Mode (1,2,3,4,5)", nullptr, 0},
                        Case{"Entering Passive Mode (1,2,3,256,5,6)", nullptr, 0},
                        Case{"Entering Passive Mode", nullptr, 0}}) {
    const std::optional<FtpEndpoint> endpoint = parsePasvReply(c.line);
    if (c.address == nullptr) {
      EXPECT_FALSE(endpoint) << c.line;
      continue;
    }
    ASSERT_TRUE(endpoint) << c.line;
    EXPECT_EQ(endpoint->address, c.address);
    EXPECT_EQ(endpoint->port, c.port);
  }
}

TEST(FtpReply, PrivateDataAddressOfAPublicServerIsReplaced) {
  EXPECT_EQ(passiveDataAddress("192.168.0.10", "203.0.113.5"), "203.0.113.5");
  EXPECT_EQ(passiveDataAddress("172.20.1.1", "203.0.113.5"), "203.0.113.5");
  EXPECT_EQ(passiveDataAddress("172.32.1.1", "203.0.113.5"), "172.32.1.1");
  EXPECT_EQ(passiveDataAddress("10.0.0.7", "10.0.0.1"), "10.0.0.7");
  EXPECT_EQ(passiveDataAddress("127.0.0.1", "127.0.0.1"), "127.0.0.1");
  EXPECT_EQ(passiveDataAddress("198.51.100.2", "203.0.113.5"), "198.51.100.2");
  EXPECT_FALSE(isPrivateIpv4("172.1.0.1"));
  EXPECT_TRUE(isPrivateIpv4("169.254.3.4"));
}

}  // namespace
}  // namespace kelvo
