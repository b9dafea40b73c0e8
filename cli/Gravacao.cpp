// Gravação em dois tempos: temporário na pasta do destino, depois rename, que é atómico no mesmo disco.
#include "cli/Gravacao.hpp"

#include "core/Texto.hpp"
#include "core/Tipos.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta::cli {

namespace {

std::u16string Nome(const std::filesystem::path& p) { return DeUtf8(p.string()); }

[[noreturn]] void FalhaDeGravacao(const std::filesystem::path& destino, int erro) {
    throw EZelta(u"Não foi possível gravar o ficheiro «" + Nome(destino) + u"» (" + DeUtf8(std::strerror(erro)) +
                 u").");
}

bool EscreverTudo(int fd, std::string_view dados) {
    while (!dados.empty()) {
        const ssize_t n = ::write(fd, dados.data(), dados.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        dados.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// O mkstemp cria o ficheiro só para o dono; o destino fica com as permissões de um ficheiro novo.
mode_t ModoNormal() {
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    return static_cast<mode_t>(0666 & ~mascara);
}

} // namespace

TGravacaoPendente::TGravacaoPendente(std::filesystem::path destino, std::string_view conteudo)
    : FDestino(std::move(destino)) {
    // Nome curto: um destino com o nome no limite do sistema de ficheiros ainda cabe.
    std::string modelo = (FDestino.parent_path() / ".zelta-XXXXXX").string();
    const int fd = ::mkstemp(modelo.data());
    if (fd < 0) {
        FalhaDeGravacao(FDestino, errno);
    }
    FTemporario = modelo;
    const bool escrito = EscreverTudo(fd, conteudo) && ::fchmod(fd, ModoNormal()) == 0 && ::fsync(fd) == 0;
    const int erro = errno;
    const bool fechado = ::close(fd) == 0;
    if (!escrito || !fechado) {
        std::error_code ec;
        std::filesystem::remove(FTemporario, ec);
        FTemporario.clear();
        FalhaDeGravacao(FDestino, escrito ? errno : erro);
    }
}

TGravacaoPendente::~TGravacaoPendente() {
    if (!FTemporario.empty()) {
        std::error_code ec;
        std::filesystem::remove(FTemporario, ec);
    }
}

void TGravacaoPendente::Confirmar() {
    if (::rename(FTemporario.c_str(), FDestino.c_str()) != 0) {
        FalhaDeGravacao(FDestino, errno);
    }
    FTemporario.clear();
}

} // namespace zelta::cli
