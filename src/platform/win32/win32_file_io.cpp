#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <optional>

#include "platform/content_hash.h"
#include "platform/file_io.h"
#include "platform/temporary_name.h"
#include "platform/win32/wide_text.h"

namespace tarvo::platform {

namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (IsOpen()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE Get() const { return handle_; }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// A Windows error as the errno whose Russian reason fits it.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
      return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EBUSY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    default:
      return 0;
  }
}

std::string ReasonOfError(DWORD error) {
  if (const int mapped = ErrnoOf(error)) return ReasonOfErrno(mapped);
  if (error == ERROR_INVALID_NAME) return "недопустимое имя файла";
  return "ошибка Windows " + std::to_string(error);
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Windows refuses to open a folder as a file with "access denied": the reason says what it is.
std::string ReasonOfOpenFailure(const std::wstring& path, DWORD error) {
  if (error == ERROR_ACCESS_DENIED && IsFolder(path)) return ReasonOfErrno(EISDIR);
  return ReasonOfError(error);
}

HANDLE OpenForReading(const std::wstring& path) {
  // Others may go on reading, writing, renaming or deleting the file meanwhile, as on POSIX.
  return ::CreateFileW(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

FileStamp StampOf(const BY_HANDLE_FILE_INFORMATION& info, std::span<const std::uint8_t> start) {
  FileStamp stamp;
  stamp.hashedBytes = start.size();
  stamp.contentHash = ContentHash(start);
  stamp.device = info.dwVolumeSerialNumber;
  stamp.node = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  return stamp;
}

// Reads up to bytes.size() bytes; shrinks bytes to what was read. False on a failed read.
bool ReadUpTo(HANDLE file, std::vector<std::uint8_t>& bytes, DWORD& error) {
  std::size_t have = 0;
  while (have < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - have, 1 << 20));
    DWORD got = 0;
    if (!::ReadFile(file, bytes.data() + have, want, &got, nullptr)) {
      error = ::GetLastError();
      bytes.clear();
      return false;
    }
    if (got == 0) break;
    have += got;
  }
  bytes.resize(have);
  return true;
}

// The stamp of what the path holds now, hashing as many bytes as expected did; nothing when the
// path is gone.
std::optional<FileStamp> CurrentStamp(const std::wstring& path, const FileStamp& expected) {
  Handle file(OpenForReading(path));
  if (!file.IsOpen()) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    return FileStamp{};  // unreachable now: whatever it is, it is not what was read
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.Get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return FileStamp{};
  }
  std::vector<std::uint8_t> start(expected.hashedBytes);
  DWORD error = 0;
  ReadUpTo(file.Get(), start, error);
  return StampOf(info, start);
}

// The file a path leads to, through symbolic links and junctions, so that saving through a link
// replaces the file it points to, not the link; the path itself when it leads nowhere yet.
std::string ResolvedPath(const std::string& path) {
  Handle file(::CreateFileW(win32::WideOfUtf8(path).c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.IsOpen()) return path;
  std::wstring resolved(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(file.Get(), resolved.data(),
                                                     static_cast<DWORD>(resolved.size()), 0);
    if (length == 0) return path;
    if (length < resolved.size()) {
      resolved.resize(length);
      return win32::Utf8OfWide(resolved);
    }
    resolved.resize(length);
  }
}

// Creates a file of a fresh name beside path, as a C runtime descriptor in binary mode: text
// mode would stop reading at byte 0x1A and turn LF into CR LF.
int CreateTemporaryBeside(const std::string& path, std::string& temporary, DWORD& error) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = TemporaryNameBeside(path);
    const HANDLE file = ::CreateFileW(win32::WideOfUtf8(temporary).c_str(), GENERIC_WRITE, 0,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      error = ::GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
      error = ERROR_TOO_MANY_OPEN_FILES;
      ::CloseHandle(file);
      ::DeleteFileW(win32::WideOfUtf8(temporary).c_str());
    }
    return fd;
  }
  error = ERROR_FILE_EXISTS;
  return -1;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& bytes,
                   std::string& reason, FileStamp* stamp) {
  const std::wstring wide = win32::WideOfUtf8(path);
  Handle file(OpenForReading(wide));
  if (!file.IsOpen()) {
    reason = ReasonOfOpenFailure(wide, ::GetLastError());
    return false;
  }
  // A device or a pipe can give bytes without end or never any: only a file is read.
  if (::GetFileType(file.Get()) != FILE_TYPE_DISK) {
    reason = "это не файл, а устройство, канал или сокет";
    return false;
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.Get(), &info)) {
    reason = ReasonOfError(::GetLastError());
    return false;
  }
  bytes.assign(maxBytes, 0);
  DWORD error = 0;
  if (!ReadUpTo(file.Get(), bytes, error)) {
    reason = ReasonOfError(error);
    return false;
  }
  if (stamp != nullptr) *stamp = StampOf(info, bytes);
  return true;
}

// Windows keeps no permission bit for "may create files here": only trying tells.
bool FolderTakesNewFiles(const std::string& folder, std::string& reason) {
  const std::wstring wide = win32::WideOfUtf8(folder);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    reason = ReasonOfError(::GetLastError());
    return false;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    reason = ReasonOfErrno(ENOTDIR);
    return false;
  }
  const std::string probe = TemporaryNameBeside(folder + "\\.tarvo-probe");
  Handle file(::CreateFileW(win32::WideOfUtf8(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  if (!file.IsOpen()) {
    reason = ReasonOfError(::GetLastError());
    return false;
  }
  return true;
}

bool CreateFolders(const std::string& folder, std::string& reason) {
  // Skips the drive or the server and share, which cannot be created.
  std::size_t from = folder.rfind(':', 2) == 1 ? 3 : 0;
  if (folder.rfind("\\\\", 0) == 0) from = folder.find('\\', folder.find('\\', 2) + 1);
  for (std::size_t end = folder.find_first_of("\\/", from);;
       end = folder.find_first_of("\\/", end + 1)) {
    const std::wstring part = win32::WideOfUtf8(folder.substr(0, end));
    if (!part.empty() && !::CreateDirectoryW(part.c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
      reason = ReasonOfError(::GetLastError());
      return false;
    }
    if (end == std::string::npos) break;
  }
  const DWORD attributes = ::GetFileAttributesW(win32::WideOfUtf8(folder).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
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
      return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1 << 30)));
    };
  }
  const std::string path = ResolvedPath(requestedPath);
  const std::wstring target = win32::WideOfUtf8(path);
  if (IsFolder(target)) {
    reason = ReasonOfErrno(EISDIR);
    return false;
  }

  std::string temporary;
  DWORD createError = 0;
  const int fd = CreateTemporaryBeside(path, temporary, createError);
  if (fd < 0) {
    reason = ReasonOfError(createError);
    return false;
  }
  const std::wstring temporaryWide = win32::WideOfUtf8(temporary);
  bool open = true;
  auto fail = [&](const std::string& why) {
    reason = why;
    if (open) ::_close(fd);
    ::DeleteFileW(temporaryWide.c_str());
    return false;
  };

  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::ptrdiff_t put = write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return fail(ReasonOfErrno(errno));
    }
    if (put == 0) return fail(ReasonOfErrno(EIO));
    done += static_cast<std::size_t>(put);
  }
  if (!::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(fd)))) {
    return fail(ReasonOfError(::GetLastError()));
  }
  open = false;
  if (::_close(fd) != 0) return fail(ReasonOfErrno(errno));
  // Looked at as late as possible: what another program put there since must survive.
  if (expected != nullptr) {
    const std::optional<FileStamp> current = CurrentStamp(target, *expected);
    if (current && *current != *expected) return fail(kChangedByAnotherProgram);
  }
  // Unlike rename(), this replaces an existing file, and returns once the move is on disk.
  if (!::MoveFileExW(temporaryWide.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return fail(ReasonOfOpenFailure(target, ::GetLastError()));
  }
  if (written != nullptr) {
    Handle file(OpenForReading(target));
    BY_HANDLE_FILE_INFORMATION info{};
    if (file.IsOpen() && ::GetFileInformationByHandle(file.Get(), &info)) {
      *written = StampOf(info, bytes);
    }
  }
  return true;
}

}  // namespace tarvo::platform
