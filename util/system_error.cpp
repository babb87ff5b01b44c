#include "util/system_error.h"

#include <cerrno>
#include <cstring>

namespace util {

namespace {

struct ErrorText {
    int code;
    const char* text;
};

// The reasons a user meets, in Portuguese.
constexpr ErrorText kErrorTexts[] = {
    {ENOSPC, "não há espaço livre no disco"},
#ifdef EDQUOT // a disk quota, where the system has them
    {EDQUOT, "não há espaço livre no disco"},
#endif
    {EROFS, "o sistema de arquivos é somente leitura"},
    {EACCES, "permissão negada"},
    {EPERM, "permissão negada"},
    {ENOENT, "arquivo ou pasta inexistente"},
    {EFBIG, "o arquivo ficaria grande demais"},
    {EISDIR, "é uma pasta"},
    {ENOTDIR, "uma parte do caminho não é uma pasta"},
    {ELOOP, "links simbólicos demais no caminho (talvez um link que aponta para si mesmo)"},
    {ENAMETOOLONG, "o nome do arquivo é longo demais"},
    {EIO, "erro de leitura ou gravação no disco"},
    {EEXIST, "o arquivo já existe"},
    {EBUSY, "o arquivo está em uso"},
    {ETXTBSY, "o arquivo está em uso"},
    {EMFILE, "arquivos abertos demais"},
    {ENFILE, "arquivos abertos demais"},
    {ENOMEM, "falta memória"},
    {ENXIO, "o dispositivo não existe"},
    {ENODEV, "o dispositivo não existe"},
};

} // namespace

std::string systemErrorText(int code) {
    for (const ErrorText& known : kErrorTexts) {
        if (known.code == code) {
            return known.text;
        }
    }
    // Rare enough to keep the system's own words, marked as such.
    return "erro do sistema " + std::to_string(code) + " (" + std::strerror(code) + ")";
}

} // namespace util
