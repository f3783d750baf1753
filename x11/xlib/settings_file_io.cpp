#include "x11/xlib/settings_file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "x11/settings_file.h"

namespace {

// A settings file is a few lines; anything beyond this is not read.
constexpr std::size_t kMostBytesRead = 64 * 1024;

std::string SystemProblem(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

bool MakeFolders(const std::string& filePath) {
  for (std::size_t slash = filePath.find('/', 1); slash != std::string::npos;
       slash = filePath.find('/', slash + 1)) {
    const std::string folder = filePath.substr(0, slash);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

StoredReading ReadSettingsFile(const std::string& path, std::vector<std::string>& problems) {
  if (path.empty()) return StoredReading{};
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    if (errno != ENOENT) problems.push_back(SystemProblem("cannot read", path));
    return StoredReading{};
  }
  std::string text(kMostBytesRead, '\0');
  const std::size_t length = std::fread(&text[0], 1, text.size(), file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    problems.push_back("cannot read " + path);
    return StoredReading{};
  }
  SettingsFileReading parsed = parseSettingsFile(text.data(), length);
  for (const std::string& problem : parsed.problems) problems.push_back(path + ", " + problem);
  return parsed.reading;
}

bool WriteSettingsFile(const std::string& path, const StoredSettings& settings,
                       std::vector<std::string>& problems) {
  if (path.empty()) {
    problems.push_back("no settings file: neither XDG_CONFIG_HOME nor HOME is set");
    return false;
  }
  if (!MakeFolders(path)) {
    problems.push_back(SystemProblem("cannot make the folder of", path));
    return false;
  }
  const std::string text = formatSettingsFile(settings);
  const std::string temporary = path + ".new";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    problems.push_back(SystemProblem("cannot write", temporary));
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    problems.push_back(SystemProblem("cannot write", path));
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
