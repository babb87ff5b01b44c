#include "util/system_error.h"

#include <cerrno>
#include <cstring>

namespace util {

std::string systemErrorText(int code) {
    switch (code) {
    case ENOSPC:
    case EDQUOT:
        return "não há espaço livre no disco";
    case EROFS:
        return "o sistema de arquivos é somente leitura";
    case EACCES:
    case EPERM:
        return "permissão negada";
    case ENOENT:
        return "arquivo ou pasta inexistente";
    case EFBIG:
        return "o arquivo ficaria grande demais";
    case EISDIR:
        return "é uma pasta";
    default:
        return std::strerror(code);
    }
}

} // namespace util
