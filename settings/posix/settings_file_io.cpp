#include "settings/posix/settings_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string systemProblem(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

bool makeFolders(const std::string& filePath) {
  for (std::size_t slash = filePath.find('/', 1); slash != std::string::npos;
       slash = filePath.find('/', slash + 1)) {
    const std::string folder = filePath.substr(0, slash);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

SettingsFileKind kindOf(mode_t mode) {
  if (S_ISREG(mode)) return SettingsFileKind::Regular;
  if (S_ISDIR(mode)) return SettingsFileKind::Directory;
  if (S_ISFIFO(mode)) return SettingsFileKind::Fifo;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return SettingsFileKind::Device;
  return SettingsFileKind::Other;
}

// The attempt, and the permissions of the file when it is a regular one.
SettingsFileAttempt examine(const std::string& path, mode_t* permissions) {
  SettingsFileAttempt attempt{};
  if (path.empty()) {
    attempt.openError = ENOENT;
    return attempt;
  }
  const int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (file < 0) {
    attempt.openError = errno;
    return attempt;
  }
  struct stat info {};
  if (fstat(file, &info) != 0) {
    attempt.readError = errno;
  } else {
    attempt.kind = kindOf(info.st_mode);
    if (permissions != nullptr) *permissions = info.st_mode & 07777;
  }
  if (attempt.readError == 0 && attempt.kind == SettingsFileKind::Regular) {
    attempt.text.resize(kSettingsFileMostBytes + 1);
    std::size_t length = 0;
    while (length < attempt.text.size()) {
      const ssize_t count = read(file, &attempt.text[length], attempt.text.size() - length);
      if (count == 0) break;
      if (count < 0) {
        if (errno == EINTR) continue;
        attempt.readError = errno;
        break;
      }
      length += static_cast<std::size_t>(count);
    }
    attempt.text.resize(length);
  }
  close(file);
  return attempt;
}

bool writeWhole(int file, const std::string& text) {
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = write(file, text.data() + written, text.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count == 0) errno = EIO;
    if (count <= 0) return false;
    written += static_cast<std::size_t>(count);
  }
  return true;
}

// Makes a rename in the folder of `path` last (best effort: a folder that cannot be flushed
// still holds the renamed file).
void flushFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
  const int directory = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (directory < 0) return;
  fsync(directory);
  close(directory);
}

}  // namespace

SettingsFileAttempt ExamineSettingsFile(const std::string& path) { return examine(path, nullptr); }

bool WriteSettingsFile(const std::string& path, const StoredSettings& settings,
                       std::vector<std::string>& problems) {
  if (path.empty()) {
    problems.push_back("no settings file: neither XDG_CONFIG_HOME nor HOME is set");
    return false;
  }
  // Looked at again right before it is replaced, whatever an earlier reading found.
  mode_t permissions = 0;
  const SettingsFileAttempt attempt = examine(path, &permissions);
  const SettingsFileStatus status = loadSettingsFile(path, attempt).status;
  const std::string refusal = settingsSaveRefusal(path, status);
  if (!refusal.empty()) {
    problems.push_back(refusal);
    return false;
  }
  if (status == SettingsFileStatus::Missing) {
    const mode_t mask = umask(0);
    umask(mask);
    permissions = 0666 & ~mask;
  }

  if (!makeFolders(path)) {
    problems.push_back(systemProblem("cannot make the folder of", path));
    return false;
  }
  std::string temporary = path + ".XXXXXX";
  const int file = mkostemp(&temporary[0], O_CLOEXEC);
  if (file < 0) {
    problems.push_back(systemProblem("cannot write a new file beside", path));
    return false;
  }
  int error = 0;
  if (fchmod(file, permissions) != 0 || !writeWhole(file, formatSettingsFile(settings)) ||
      fsync(file) != 0) {
    error = errno;
  }
  if (close(file) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    problems.push_back("cannot write " + path + ": " + std::strerror(error));
    unlink(temporary.c_str());
    return false;
  }
  flushFolderOf(path);
  return true;
}
