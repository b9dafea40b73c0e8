// O temporário tem um nome curto e escondido: um destino com o nome no limite do sistema de ficheiros também
// se grava, e um temporário esquecido não acaba em .txt nem em .pdf.
#include "core/Ficheiros.hpp"

#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {

namespace {

int EscreverTudo(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return 0;
}

// As permissões que um ficheiro novo teria (mkstemp cria-o só para o dono).
mode_t ModoNormal() {
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    return 0666 & ~mascara;
}

} // namespace

int GravarAtomicamente(const std::filesystem::path& destino, std::span<const std::uint8_t> bytes) {
    const auto pasta = destino.has_parent_path() ? destino.parent_path() : std::filesystem::path(".");
    std::string temporario = (pasta / ".zelta-XXXXXX").string();
    const int fd = ::mkstemp(temporario.data());
    if (fd < 0) {
        return errno;
    }
    int erro = EscreverTudo(fd, bytes);
    if (erro == 0 && ::fchmod(fd, ModoNormal()) != 0) {
        erro = errno;
    }
    // Sem fsync, uma falha de energia logo a seguir à renomeação pode deixar o ficheiro vazio.
    if (erro == 0 && ::fsync(fd) != 0) {
        erro = errno;
    }
    if (::close(fd) != 0 && erro == 0) {
        erro = errno;
    }
    if (erro == 0 && ::rename(temporario.c_str(), destino.c_str()) != 0) {
        erro = errno;
    }
    if (erro != 0) {
        ::unlink(temporario.c_str());
    }
    return erro;
}

} // namespace zelta
