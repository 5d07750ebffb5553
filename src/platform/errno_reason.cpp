#include <cerrno>
#include <cstring>

#include "platform/file_io.h"

namespace tarvo::platform {

std::string ReasonOfErrno(int error) {
  switch (error) {
    case ENOENT:
      return "файл или папка не найдены";
    case EACCES:
    case EPERM:
      return "нет прав доступа";
    case EISDIR:
      return "по этому пути находится папка";
    case ENOTDIR:
      return "часть пути не является папкой";
    case ENOSPC:
      return "нет места на диске";
#ifdef EDQUOT
    case EDQUOT:
      return "превышена дисковая квота";
#endif
    case EROFS:
      return "диск доступен только для чтения";
    case EIO:
      return "ошибка ввода-вывода";
    case ENAMETOOLONG:
      return "слишком длинное имя файла";
    case ELOOP:
      return "символические ссылки в пути замкнуты в круг";
    case EBUSY:
      return "файл занят другой программой";
    default:
      return std::strerror(error);
  }
}

}  // namespace tarvo::platform
