// The release guard of a keyed build.
#include <ctime>
#include <filesystem>

#include "platform/error.h"
#include "platform/stop_request.h"
#include "trust/sha256.h"
#include "update/release_check.h"
#include "update/release_guard.h"
#include "update/release_serial.h"

namespace kelvo {

namespace {

std::string mismatch(const std::string& name) {
  return "O arquivo " + name +
         " não confere com o manifesto assinado (tamanho ou SHA-256); a cópia local foi mantida.";
}

// Hashes a download as it is written and stops it at the manifest's size.
class ManifestDownloadCheck : public FtpDownloadCheck {
 public:
  ManifestDownloadCheck(std::string name, FileFingerprint expected)
      : name_(std::move(name)), expected_(std::move(expected)) {}

  void data(const char* bytes, std::size_t size) override {
    if (size > expected_.size - received_) {
      throw Error("O arquivo " + name_ + " passa do tamanho do manifesto assinado (" +
                  std::to_string(expected_.size) + " bytes); a cópia local foi mantida.");
    }
    received_ += size;
    hasher_.update(std::string_view(bytes, size));
  }

  void complete() override {
    if (received_ != expected_.size || hasher_.finish() != expected_.sha256) {
      throw Error(mismatch(name_));
    }
  }

 private:
  std::string name_;
  FileFingerprint expected_;
  std::uint64_t received_ = 0;
  Sha256 hasher_;
};

bool fileMatches(const std::string& path, const FileFingerprint& expected) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size != expected.size) return false;
  const std::optional<std::string> digest = sha256OfFile(path);
  return digest && *digest == expected.sha256;
}

class SignedRelease : public ReleaseGuard {
 public:
  explicit SignedRelease(ReleaseTrust trust) : trust_(std::move(trust)) {}

  std::optional<std::string> admit(FtpClient& ftp) override {
    manifest_.reset();
    try {
      ReleaseExpectation expected{trust_.publicKeys, trust_.program, now(), 0};
      if (!trust_.serialPath) trust_.serialPath = releaseSerialPath();
      if (!trust_.serialPath) {
        return std::string(
            "Pasta de estado desta instalação desconhecida: o número de série da atualização "
            "não pode ser guardado.");
      }
      expected.acceptedSerial = readAcceptedSerial(*trust_.serialPath);
      const std::string text = fetch(ftp, kManifestName);
      const std::string signature = fetch(ftp, kManifestSignatureName);
      manifest_ = checkRelease(text, signature, expected);
      return std::nullopt;
    } catch (const Interrupted&) {
      throw;
    } catch (const std::exception& error) {
      return std::string(error.what());
    }
  }

  bool lists(const std::string& name) const override {
    return manifest_ && manifest_->file(name) != nullptr;
  }

  std::unique_ptr<FtpDownloadCheck> downloadCheck(const std::string& name) const override {
    const ManifestFile* entry = manifest_ ? manifest_->file(name) : nullptr;
    if (entry == nullptr) throw Error("O arquivo " + name + " não consta do manifesto assinado.");
    return std::make_unique<ManifestDownloadCheck>(name, entry->fingerprint);
  }

  std::optional<std::string> localFileProblem(const std::string& name) const override {
    const ManifestFile* entry = manifest_ ? manifest_->file(name) : nullptr;
    if (entry == nullptr) return "O arquivo " + name + " não consta do manifesto assinado.";
    if (!fileMatches(name, entry->fingerprint)) {
      return "O arquivo " + name + " desta pasta não confere com o manifesto assinado.";
    }
    return std::nullopt;
  }

  std::optional<std::string> executableProblem(const std::string& path) const override {
    if (!manifest_ || !manifest_->executable) {
      return "O manifesto assinado não dá o executável " + path + ".";
    }
    if (!fileMatches(path, *manifest_->executable)) {
      return "O executável " + path + " extraído não confere com o manifesto assinado.";
    }
    return std::nullopt;
  }

  void accept() override {
    if (manifest_ && trust_.serialPath) storeAcceptedSerial(*trust_.serialPath, manifest_->serial);
  }

 private:
  std::int64_t now() const {
    return trust_.now ? trust_.now() : static_cast<std::int64_t>(std::time(nullptr));
  }

  static std::string fetch(FtpClient& ftp, const char* name) {
    try {
      // Signed bytes must arrive unchanged: an ASCII transfer may rewrite
      // line ends.
      if (ftp.transferType() != FtpTransferType::Binary) {
        ftp.setTransferType(FtpTransferType::Binary);
      }
      return ftp.Fetch(name, kManifestLimit);
    } catch (const Interrupted&) {
      throw;
    } catch (const std::exception& error) {
      throw ReleaseRefused(std::string("Manifesto assinado da atualização não obtido (") + name +
                           "): " + error.what());
    }
  }

  ReleaseTrust trust_;
  std::optional<ReleaseManifest> manifest_;
};

}  // namespace

std::unique_ptr<ReleaseGuard> makeReleaseGuard(const ReleaseTrust& trust) {
  if (trust.publicKeys.empty()) return nullptr;
  return std::make_unique<SignedRelease>(trust);
}

}  // namespace kelvo
