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
    case ENOTDIR:
        return "uma parte do caminho não é uma pasta";
    case ELOOP:
        return "links simbólicos demais no caminho (talvez um link que aponta para si mesmo)";
    case ENAMETOOLONG:
        return "o nome do arquivo é longo demais";
    case EIO:
        return "erro de leitura ou gravação no disco";
    case EEXIST:
        return "o arquivo já existe";
    case EBUSY:
    case ETXTBSY:
        return "o arquivo está em uso";
    case EMFILE:
    case ENFILE:
        return "arquivos abertos demais";
    case ENOMEM:
        return "falta memória";
    case ENXIO:
    case ENODEV:
        return "o dispositivo não existe";
    default:
        // Rare enough to keep the system's own words, marked as such.
        return "erro do sistema " + std::to_string(code) + " (" + std::strerror(code) + ")";
    }
}

} // namespace util
