// O temporário tem um nome curto e escondido: um destino com o nome no limite do sistema de ficheiros também
// se grava, e um temporário esquecido não acaba em .txt nem em .pdf.
#include "core/Ficheiros.hpp"

#include <cerrno>
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

TFicheiroPendente::TFicheiroPendente(std::filesystem::path destino, std::span<const std::uint8_t> bytes)
    : FDestino(std::move(destino)) {
    const auto pasta = FDestino.has_parent_path() ? FDestino.parent_path() : std::filesystem::path(".");
    std::string temporario = (pasta / ".zelta-XXXXXX").string();
    const int fd = ::mkstemp(temporario.data());
    if (fd < 0) {
        FErro = errno;
        return;
    }
    FTemporario = std::move(temporario);
    FErro = EscreverTudo(fd, bytes);
    if (FErro == 0 && ::fchmod(fd, ModoNormal()) != 0) {
        FErro = errno;
    }
    // Sem fsync, uma falha de energia logo a seguir à renomeação pode deixar o ficheiro vazio.
    if (FErro == 0 && ::fsync(fd) != 0) {
        FErro = errno;
    }
    if (::close(fd) != 0 && FErro == 0) {
        FErro = errno;
    }
}

TFicheiroPendente::~TFicheiroPendente() {
    if (!FTemporario.empty()) {
        ::unlink(FTemporario.c_str());
    }
}

int TFicheiroPendente::Confirmar() {
    if (FErro != 0) {
        return FErro;
    }
    if (::rename(FTemporario.c_str(), FDestino.c_str()) != 0) {
        return errno;
    }
    FTemporario.clear();
    return 0;
}

int GravarAtomicamente(const std::filesystem::path& destino, std::span<const std::uint8_t> bytes) {
    TFicheiroPendente ficheiro(destino, bytes);
    return ficheiro.Confirmar();
}

} // namespace zelta
