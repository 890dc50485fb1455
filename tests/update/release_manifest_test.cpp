// The release manifest's one form: what it reads, every fault it names, and
// the times it is dated with.
#include "update/release_manifest.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kelvo {
namespace {

using ::testing::HasSubstr;

const std::string kDigest(32, '\x5a');
const std::string kHex(64, '5');  // a digest of 0x55 bytes
const std::string kHead =
    "kelvo-manifest 1\nprogram QUARVESSA\nserial 7\nexpires 2027-01-31T12:00:00Z\n";

TEST(ReleaseManifest, ReadsWhatItWritesAndNamesWithBlanks) {
  ReleaseManifest manifest;
  manifest.program = "QUARVESSA";
  manifest.serial = 18446744073709551615ull;
  manifest.expires = *parseUtcTime("2027-01-31T12:00:00Z");
  manifest.files = {{"Sys_Tavrela.rar", {1048576, kDigest}},
                    {"name with  blanks.dll", {0, std::string(32, '\0')}}};
  manifest.executable = FileFingerprint{3, std::string(32, '\xff')};
  const std::string text = formatReleaseManifest(manifest);
  EXPECT_THAT(text, HasSubstr("\nfile 0 " + std::string(64, '0') + " name with  blanks.dll\n"));
  EXPECT_THAT(text, HasSubstr("\nexecutable 3 " + std::string(64, 'f') + "\n"));
  EXPECT_EQ(parseReleaseManifest(text), manifest);
  manifest.executable.reset();
  manifest.files.clear();
  EXPECT_EQ(parseReleaseManifest(formatReleaseManifest(manifest)), manifest);
  EXPECT_EQ(parseReleaseManifest(formatReleaseManifest(manifest)).file("x"), nullptr);
}

TEST(ReleaseManifest, EveryFaultIsRefusedWithItsLine) {
  const std::string file = "file 5 " + kHex + " a.txt\n";
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {"", "linha 1: a última linha não termina com LF"},
      {"kelvo-manifest 2\n", "linha 1: esperava \"kelvo-manifest 1\""},
      {"kelvo-manifest 1\r\nprogram Q\n", "linha 1: esperava"},
      {"kelvo-manifest 1\nserial 7\n", "linha 2: esperava \"program\""},
      {"kelvo-manifest 1\nprogram QUAR VESSA\n", "linha 2: código de programa inválido"},
      {"kelvo-manifest 1\nprogram \n", "linha 2: código de programa inválido"},
      {"kelvo-manifest 1\nprogram Q\nserial 07\n", "linha 3: número de série inválido"},
      {"kelvo-manifest 1\nprogram Q\nserial -1\n", "linha 3: número de série inválido"},
      {"kelvo-manifest 1\nprogram Q\nserial 18446744073709551616\n", "linha 3: número de série"},
      {"kelvo-manifest 1\nprogram Q\nserial 1\nexpires 2027-02-29T00:00:00Z\n",
       "linha 4: validade inválida"},
      {"kelvo-manifest 1\nprogram Q\nserial 1\nexpires 2027-01-31 12:00:00\n",
       "linha 4: validade inválida"},
      {kHead + "file 5 " + kHex + "\n", "linha 5: falta o nome do arquivo"},
      {kHead + "file 5 " + kHex + "  \n", "linha 5: nome de arquivo inválido"},
      {kHead + "file 5 " + kHex + " a\tb\n", "linha 5: nome de arquivo inválido"},
      {kHead + "file 5 " + kHex.substr(1) + "A a.txt\n", "linha 5: SHA-256 inválido"},
      {kHead + "file 5 " + kHex.substr(2) + " a.txt\n", "linha 5: SHA-256 inválido"},
      {kHead + "file 05 " + kHex + " a.txt\n", "linha 5: tamanho inválido"},
      {kHead + "file  " + kHex + " a.txt\n", "linha 5: tamanho inválido"},
      {kHead + file + file, "linha 6: arquivo repetido: a.txt"},
      {kHead + file + "file 5 " + kHex + " a.txt", "linha 6: a última linha não termina"},
      {kHead + "executable 5 " + kHex + " x\n", "linha 5: texto a mais depois do SHA-256"},
      {kHead + "executable 5 " + kHex + "\n" + file, "linha 6: linha desconhecida"},
      {kHead + "\n", "linha 5: linha desconhecida"},
      {kHead + "File 5 " + kHex + " a.txt\n", "linha 5: linha desconhecida"},
      {kHead + std::string(kManifestLimit, 'x'), "maior que 1 MiB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 200));
    try {
      parseReleaseManifest(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const ManifestError& error) {
      EXPECT_THAT(error.what(), HasSubstr(c.error));
    }
  }
}

TEST(ReleaseManifest, UtcTimesBothWays) {
  const struct {
    const char* text;
    std::int64_t seconds;
  } cases[] = {
      {"1970-01-01T00:00:00Z", 0},
      {"2000-02-29T23:59:59Z", 951868799},
      {"2027-01-31T12:00:00Z", 1801396800},
      {"2100-03-01T00:00:00Z", 4107542400},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parseUtcTime(c.text), c.seconds) << c.text;
    EXPECT_EQ(utcTimeText(c.seconds), c.text);
  }
  for (const char* bad : {"1969-12-31T23:59:59Z", "2100-02-29T00:00:00Z", "2027-13-01T00:00:00Z",
                          "2027-01-01T24:00:00Z", "2027-01-01T00:60:00Z", "2027-01-01T00:00:00",
                          "2027-1-01T00:00:00Z", "+027-01-01T00:00:00Z"}) {
    EXPECT_FALSE(parseUtcTime(bad)) << bad;
  }
}

}  // namespace
}  // namespace kelvo
