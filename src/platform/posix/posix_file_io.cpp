#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "platform/content_hash.h"
#include "platform/temporary_name.h"

namespace tarvo::platform {

namespace {

class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int Get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Creates a file of a fresh name beside path. Asking for 0666 lets the process's umask decide
// the permissions of a new file, without reading the umask, which other threads may be setting.
int CreateTemporaryBeside(const std::string& path, std::string& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryNameBeside(path);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

FileStamp StampOf(const struct stat& info, std::span<const std::uint8_t> start) {
  FileStamp stamp;
  stamp.hashedBytes = start.size();
  stamp.contentHash = ContentHash(start);
  stamp.device = static_cast<std::uint64_t>(info.st_dev);
  stamp.node = static_cast<std::uint64_t>(info.st_ino);
  stamp.size = static_cast<std::uint64_t>(info.st_size);
  return stamp;
}

// The stamp of what the path holds now, hashing as many bytes as expected did; nothing when the
// path is gone.
std::optional<FileStamp> CurrentStamp(const std::string& path, const FileStamp& expected) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) return std::nullopt;
    return FileStamp{};  // unreachable now: whatever it is, it is not what was read
  }
  FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return FileStamp{};
  }
  std::vector<std::uint8_t> start(expected.hashedBytes);
  std::size_t have = 0;
  while (have < start.size()) {
    const ssize_t got = ::read(file.Get(), start.data() + have, start.size() - have);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    have += static_cast<std::size_t>(got);
  }
  start.resize(have);
  return StampOf(info, start);
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes,
                   std::string& reason, FileStamp* stamp) {
  // Not blocking: opening a named pipe would otherwise wait for a writer that never comes.
  FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.Get() < 0) {
    reason = ReasonOfErrno(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) {
    reason = ReasonOfErrno(errno);
    return false;
  }
  if (S_ISDIR(info.st_mode)) {
    reason = ReasonOfErrno(EISDIR);
    return false;
  }
  // A device or a pipe can give bytes without end or never any: only a file is read.
  if (!S_ISREG(info.st_mode)) {
    reason = "это не файл, а устройство, канал или сокет";
    return false;
  }
  bytes.assign(maxBytes, 0);
  std::size_t have = 0;
  while (have < maxBytes) {
    const ssize_t got = ::read(file.Get(), bytes.data() + have, maxBytes - have);
    if (got < 0) {
      if (errno == EINTR) continue;
      reason = ReasonOfErrno(errno);
      bytes.clear();
      return false;
    }
    if (got == 0) break;
    have += static_cast<std::size_t>(got);
  }
  bytes.resize(have);
  if (stamp != nullptr) *stamp = StampOf(info, bytes);
  return true;
}

bool FolderTakesNewFiles(const std::string& folder, std::string& reason) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    reason = ReasonOfErrno(errno);
    return false;
  }
  if (!S_ISDIR(info.st_mode)) {
    reason = ReasonOfErrno(ENOTDIR);
    return false;
  }
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    reason = ReasonOfErrno(errno);
    return false;
  }
  return true;
}

bool CreateFolders(const std::string& folder, std::string& reason) {
  for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string part = folder.substr(0, end);
    if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
      reason = ReasonOfErrno(errno);
      return false;
    }
    if (end == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    reason = ReasonOfErrno(ENOTDIR);
    return false;
  }
  return true;
}

bool WriteFileAtomically(const std::string& requestedPath, std::span<const std::uint8_t> bytes,
                         std::string& reason, WriteFunction write, const FileStamp* expected,
                         FileStamp* written) {
  if (write == nullptr) {
    write = [](int fd, const void* data, std::size_t size) -> std::ptrdiff_t {
      return ::write(fd, data, size);
    };
  }

  // Saving through a symbolic link replaces the file it points to, not the link.
  std::string path = requestedPath;
  if (char* real = ::realpath(requestedPath.c_str(), nullptr)) {
    path = real;
    std::free(real);
  }

  struct stat target {};
  const bool targetExists = ::stat(path.c_str(), &target) == 0;
  if (targetExists && S_ISDIR(target.st_mode)) {
    reason = ReasonOfErrno(EISDIR);
    return false;
  }

  std::string temporary;
  FileHandle file(CreateTemporaryBeside(path, temporary));
  if (file.Get() < 0) {
    reason = ReasonOfErrno(errno);
    return false;
  }
  auto fail = [&](int error) {
    reason = ReasonOfErrno(error);
    ::close(file.Release());
    ::unlink(temporary.c_str());
    return false;
  };

  // Keep the permissions of the file being replaced; a new file has the umask's already.
  if (targetExists && ::fchmod(file.Get(), target.st_mode & 07777) != 0) return fail(errno);

  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = write(file.Get(), bytes.data() + done, bytes.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    if (put == 0) return fail(EIO);
    done += static_cast<std::size_t>(put);
  }
  if (::fsync(file.Get()) != 0) return fail(errno);
  if (::close(file.Release()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    reason = ReasonOfErrno(error);
    return false;
  }
  // Looked at as late as possible: what another program put there since must survive.
  if (expected != nullptr) {
    const std::optional<FileStamp> current = CurrentStamp(path, *expected);
    if (current && *current != *expected) {
      ::unlink(temporary.c_str());
      reason = kChangedByAnotherProgram;
      return false;
    }
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    reason = ReasonOfErrno(error);
    return false;
  }
  // Make the rename itself durable.
  FileHandle directory(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.Get() >= 0) ::fsync(directory.Get());
  struct stat now {};
  if (written != nullptr && ::stat(path.c_str(), &now) == 0) *written = StampOf(now, bytes);
  return true;
}

}  // namespace tarvo::platform
