// Explicit FTPS against a real vsftpd that requires TLS on the control and
// every data connection, and resumed sessions on the data connections; the
// refusals: a CA that vouches for nobody here, a certificate for another
// host, a server that refuses AUTH TLS (which must never see the password).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "access/ftp/ftp_client.h"
#include "access/ftp/ftp_reply.h"
#include "support/services.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

std::string certificates(const std::string& name) {
  return test::serviceFolder("vsftpd_tls") + "/tls/" + name;
}

void setUp(FtpClient& client, const std::string& service, const std::string& host,
           const std::string& ca_file) {
  client.setHost(host);
  client.setPort(static_cast<std::uint16_t>(std::stoi(test::serviceValue(service, "port"))));
  client.setUsername("anonymous");
  client.setPassword("kelvo@example.com");
  client.setTls({true, ca_file});
}

TEST(FtpTls, ListsSizesAndDownloadsOverTlsInBothModes) {
  for (const bool passive : {true, false}) {
    for (const std::string host : {"localhost", "127.0.0.1"}) {
      SCOPED_TRACE(std::string(passive ? "passive " : "active ") + host);
      test::TempFolder folder;
      FtpClient client;
      setUp(client, "vsftpd_tls", host, certificates("ca.pem"));
      client.setPassive(passive);
      client.Connect();
      client.setTransferType(FtpTransferType::Binary);
      client.ChangeDir("quarvessa");
      std::vector<std::string> lines;
      client.List(lines);
      EXPECT_THAT(lines, Contains(HasSubstr("random.bin")));
      EXPECT_EQ(client.Size("random.bin"), 100000);
      // Two transfers: each data connection resumes the control's session,
      // which the server insists on.
      const std::string destination = (folder.path() / "random.bin").string();
      client.Get("random.bin", destination);
      client.Get("hello.txt", (folder.path() / "hello.txt").string());
      EXPECT_EQ(test::readFile(destination),
                test::readFile(test::serviceValue("vsftpd_tls", "root") + "/quarvessa/random.bin"));
      EXPECT_EQ(test::readFile(folder.path() / "hello.txt"), "hello from vsftpd\n");
      EXPECT_TRUE(client.Connected());
      client.Disconnect();
      EXPECT_FALSE(client.Connected());
    }
  }
}

TEST(FtpTls, EveryServerThatCannotProveItselfIsLeftBeforeTheLogIn) {
  const std::string secret =
      "never-sent-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed());
  const struct {
    const char* what;
    const char* service;
    const char* host;
    std::string ca_file;
    const char* error;
  } cases[] = {
      {"a CA that vouches for nobody here", "vsftpd_tls", "localhost", certificates("other-ca.pem"),
       "foi recusado: unable to get local issuer certificate."},
      {"a certificate for another host", "vsftpd_tls/elsewhere", "localhost",
       certificates("ca.pem"), "foi recusado: hostname mismatch."},
      {"a certificate for another address", "vsftpd_tls/elsewhere", "127.0.0.1",
       certificates("ca.pem"), "foi recusado: IP address mismatch."},
      {"a CA file that is not there", "vsftpd_tls", "localhost", "/nonexistent/ca.pem",
       "Não foi possível ler o arquivo de CA /nonexistent/ca.pem"},
      {"no CA file", "vsftpd_tls", "localhost", "",
       "FTPS exige o arquivo de CA do servidor FTP: ca_file em [ftp] do kelvoupdate.ini."},
      {"a server that refuses AUTH TLS", "hostileftp", "127.0.0.1", certificates("ca.pem"),
       "recusou AUTH TLS (502 Command not implemented.); a senha não foi enviada."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FtpClient client;
    setUp(client, c.service, c.host, c.ca_file);
    client.setPassword(secret);
    try {
      client.Connect();
      ADD_FAILURE() << "connected";
    } catch (const FtpTlsError& e) {
      EXPECT_THAT(e.what(), HasSubstr(c.error));
    }
    EXPECT_FALSE(client.Connected());
  }
  const std::filesystem::path passwords(test::serviceFolder("hostileftp") + "/passwords");
  if (std::filesystem::exists(passwords)) {
    EXPECT_THAT(test::readFile(passwords), Not(HasSubstr(secret)));
  }
}

TEST(FtpTls, APlainSessionIsRefusedByTheTlsServer) {
  // What makes the tests above worth something: this server takes no
  // log-in, and no data connection, that is not protected.
  FtpClient client;
  setUp(client, "vsftpd_tls", "localhost", "");
  client.setTls({});
  try {
    client.Connect();
    ADD_FAILURE() << "logged in without TLS";
  } catch (const FtpReplyError& e) {
    EXPECT_EQ(e.code(), 530);
  }
}

}  // namespace
}  // namespace kelvo
