// Stands in for WinRAR in the archive step's tests under Wine. It records
// the command line it was started with (beside itself, in
// <program>.command-line.txt, UTF-8), takes a while as a real extraction
// does, then writes the main executable into the target folder of
// "x -o+ ARCHIVE MASK TARGET", reading the line as WinRAR does: blanks
// separate words, double quotes group them, a backslash is an ordinary
// character (so "C:\Loja\" names the folder C:\Loja\).
// Exit codes: 0 extracted, 2 not the archiver's command line, 3 no archive.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::vector<std::wstring> words(const std::wstring& line) {
  std::vector<std::wstring> found;
  std::wstring word;
  bool quoted = false;
  bool any = false;
  for (const wchar_t c : line) {
    if (c == L'"') {
      quoted = !quoted;
      any = true;
    } else if ((c == L' ' || c == L'\t') && !quoted) {
      if (any) found.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) found.push_back(word);
  return found;
}

}  // namespace

int main() {
  const std::wstring line = GetCommandLineW();
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::ofstream(std::filesystem::path(std::wstring(self) + L".command-line.txt"), std::ios::binary)
      << utf8(line);

  const std::vector<std::wstring> args = words(line);
  if (args.size() != 6 || args[1] != L"x" || args[2] != L"-o+" || args[4] != L"*.exe") return 2;
  if (GetFileAttributesW(args[3].c_str()) == INVALID_FILE_ATTRIBUTES) return 3;
  Sleep(1500);  // the updater must wait for the extraction, not just start it
  std::wstring target = args[5];
  if (!target.empty() && target.back() != L'\\') target += L'\\';
  std::ofstream(std::filesystem::path(target + L"Sys_Tavrela.exe"), std::ios::binary)
      << "extracted from " << utf8(args[3]);
  return 0;
}
