// O temporário tem um nome curto, escondido e nosso: um destino com o nome no limite do sistema de ficheiros
// também se grava, um temporário esquecido não acaba em .txt nem em .pdf, e a escrita seguinte reconhece-o.
#include "core/Ficheiros.hpp"

#include "core/Texto.hpp"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelta {

namespace {

constexpr std::string_view PrefixoTemporario = ".zelta-tmp-";
constexpr std::size_t SufixoAleatorio = 6;
// Um temporário vivo dura o tempo de escrever um livro; um com mais do que isto ficou de um processo morto.
constexpr std::time_t IdadeDeUmEsquecido = 5 * 60;

// Os sinais com que se pede ao programa que acabe: ficam à espera enquanto um temporário nasce ou toma o
// lugar do destino, para o tratador ver sempre o registo coerente com o disco.
class TSinaisEmEspera {
public:
    TSinaisEmEspera() {
        sigset_t bloquear;
        sigemptyset(&bloquear);
        for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
            sigaddset(&bloquear, s);
        }
        ::pthread_sigmask(SIG_BLOCK, &bloquear, &FAntes);
    }
    ~TSinaisEmEspera() { ::pthread_sigmask(SIG_SETMASK, &FAntes, nullptr); }
    TSinaisEmEspera(const TSinaisEmEspera&) = delete;
    TSinaisEmEspera& operator=(const TSinaisEmEspera&) = delete;

private:
    sigset_t FAntes{};
};

// O registo dos temporários vivos, em memória fixa: o tratador de um sinal só lê nomes já escritos.
constexpr std::size_t MaxPendentes = 64;
enum : int { CasaLivre = 0, CasaAPreencher = 1, CasaOcupada = 2 };
struct TCasaPendente {
    std::atomic<int> Estado{CasaLivre};
    char Caminho[PATH_MAX];
};
TCasaPendente Pendentes[MaxPendentes];

int Registar(const std::string& caminho) {
    if (caminho.size() >= PATH_MAX) {
        return -1;
    }
    for (std::size_t i = 0; i < MaxPendentes; ++i) {
        int livre = CasaLivre;
        if (Pendentes[i].Estado.compare_exchange_strong(livre, CasaAPreencher)) {
            std::memcpy(Pendentes[i].Caminho, caminho.c_str(), caminho.size() + 1);
            Pendentes[i].Estado.store(CasaOcupada);
            return static_cast<int>(i);
        }
    }
    // Sem casa livre fica só a limpeza normal (destrutor) e a dos esquecidos.
    return -1;
}

void Largar(int casa) {
    if (casa >= 0) {
        Pendentes[casa].Estado.store(CasaLivre);
    }
}

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

// As permissões que um ficheiro novo teria (mkstemp cria-o só para o dono). A umask lê-se de /proc: mudá-la
// para a ler, como se faz sem /proc, corre mal quando duas escritas correm em paralelo.
mode_t ModoNormal() {
    std::ifstream estado("/proc/self/status");
    std::string linha;
    while (std::getline(estado, linha)) {
        if (linha.rfind("Umask:", 0) == 0) {
            return 0666 & ~static_cast<mode_t>(std::strtoul(linha.c_str() + 6, nullptr, 8));
        }
    }
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    return 0666 & ~mascara;
}

bool NomeDeTemporario(std::string_view nome) {
    return nome.size() == PrefixoTemporario.size() + SufixoAleatorio && nome.starts_with(PrefixoTemporario) &&
           nome.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
                                  PrefixoTemporario.size()) == std::string_view::npos;
}

// Os temporários nossos (do mesmo utilizador) deixados na pasta por um processo que morreu sem os apagar.
void ApagarEsquecidos(const std::filesystem::path& pasta) {
    DIR* d = ::opendir(pasta.c_str());
    if (d == nullptr) {
        return;
    }
    const std::time_t agora = std::time(nullptr);
    while (const dirent* e = ::readdir(d)) {
        if (!NomeDeTemporario(e->d_name)) {
            continue;
        }
        struct stat st {};
        if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_mtime + IdadeDeUmEsquecido < agora) {
            ::unlinkat(::dirfd(d), e->d_name, 0);
        }
    }
    ::closedir(d);
}

std::filesystem::path PastaDe(const std::filesystem::path& caminho) {
    return caminho.has_parent_path() ? caminho.parent_path() : std::filesystem::path(".");
}

std::u16string TextoDoCaminho(const std::filesystem::path& caminho) {
    const std::u8string s = caminho.u8string();
    return DeUtf8(std::string_view(reinterpret_cast<const char*>(s.data()), s.size()));
}

// O estado do destino verdadeiro: 0 com existe/st preenchidos, ou a razão da recusa.
int EstadoDoDestino(const std::filesystem::path& real, bool& existe, struct stat& st) {
    existe = false;
    if (::stat(real.c_str(), &st) != 0) {
        return errno == ENOENT ? 0 : errno;
    }
    existe = true;
    if (S_ISDIR(st.st_mode)) {
        return EISDIR;
    }
    return S_ISREG(st.st_mode) ? 0 : ErroNaoFicheiroComum;
}

} // namespace

std::u16string RazaoDoErro(int erro) {
    switch (erro) {
    case 0:
        return u"sem erro";
    case ErroNaoFicheiroComum:
        return u"não é um ficheiro comum";
    case ENOENT:
        return u"o ficheiro ou a pasta não existe";
    case EACCES:
        return u"sem permissão";
    case EPERM:
        return u"operação não permitida";
    case EROFS:
        return u"o disco só permite leitura";
    case ENOSPC:
        return u"sem espaço no disco";
    case EDQUOT:
        return u"a quota de disco do utilizador está esgotada";
    case EISDIR:
        return u"é uma pasta";
    case ENOTDIR:
        return u"uma parte do caminho não é uma pasta";
    case EEXIST:
        return u"o ficheiro já existe";
    case ENAMETOOLONG:
        return u"o nome é demasiado comprido";
    case ELOOP:
        return u"demasiadas ligações simbólicas encadeadas";
    case EMFILE:
    case ENFILE:
        return u"demasiados ficheiros abertos";
    case EIO:
        return u"erro de entrada/saída no disco";
    case EXDEV:
        return u"o destino está noutro disco";
    case ENOMEM:
        return u"memória insuficiente";
    case EFBIG:
        return u"o ficheiro é demasiado grande";
    case ETXTBSY:
    case EBUSY:
        return u"o ficheiro está ocupado";
    default:
        return u"erro do sistema n.º " + Decimal(erro);
    }
}

std::u16string FraseFalhaGravar(const std::filesystem::path& caminho, std::u16string_view razao) {
    return u"Não foi possível gravar o ficheiro «" + TextoDoCaminho(caminho) + u"»: " + std::u16string(razao) + u".";
}

std::u16string FraseFalhaGravar(const std::filesystem::path& caminho, int erro) {
    return FraseFalhaGravar(caminho, RazaoDoErro(erro));
}

std::u16string FraseFalhaLer(const std::filesystem::path& caminho, std::u16string_view razao) {
    return u"Não foi possível ler o ficheiro «" + TextoDoCaminho(caminho) + u"»: " + std::u16string(razao) + u".";
}

std::u16string FraseFalhaLer(const std::filesystem::path& caminho, int erro) {
    return FraseFalhaLer(caminho, RazaoDoErro(erro));
}

int ResolverLigacoes(const std::filesystem::path& caminho, std::filesystem::path& real) {
    real = caminho;
    // O mesmo limite que o sistema põe às ligações encadeadas.
    for (int voltas = 0; voltas < 40; ++voltas) {
        struct stat st {};
        if (::lstat(real.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return 0;
        }
        std::error_code ec;
        const std::filesystem::path alvo = std::filesystem::read_symlink(real, ec);
        if (ec) {
            return ec.value();
        }
        real = alvo.is_absolute() ? alvo : PastaDe(real) / alvo;
    }
    return ELOOP;
}

int VerificarDestino(const std::filesystem::path& caminho) {
    std::filesystem::path real;
    if (const int erro = ResolverLigacoes(caminho, real); erro != 0) {
        return erro;
    }
    bool existe = false;
    struct stat st {};
    if (const int erro = EstadoDoDestino(real, existe, st); erro != 0) {
        return erro;
    }
    const auto pasta = PastaDe(real);
    struct stat stPasta {};
    if (::stat(pasta.c_str(), &stPasta) != 0) {
        return errno;
    }
    if (!S_ISDIR(stPasta.st_mode)) {
        return ENOTDIR;
    }
    return ::access(pasta.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

TFicheiroPendente::TFicheiroPendente(std::filesystem::path destino, std::span<const std::uint8_t> bytes) {
    FErro = ResolverLigacoes(destino, FReal);
    if (FErro != 0) {
        return;
    }
    struct stat antigo {};
    FErro = EstadoDoDestino(FReal, FExistia, antigo);
    if (FErro != 0) {
        return;
    }
    const auto pasta = PastaDe(FReal);
    ApagarEsquecidos(pasta);

    int fd = -1;
    {
        const TSinaisEmEspera espera;
        std::string temporario = (pasta / (std::string(PrefixoTemporario) + "XXXXXX")).string();
        fd = ::mkostemp(temporario.data(), O_CLOEXEC);
        if (fd < 0) {
            FErro = errno;
            return;
        }
        FTemporario = std::move(temporario);
        FCasa = Registar(FTemporario);
    }
    FErro = EscreverTudo(fd, bytes);
    if (FErro == 0) {
        if (FExistia) {
            // O grupo só muda se o dono pertencer a ele; sem isso fica o do dono, e o modo mantém-se.
            if (::fchown(fd, static_cast<uid_t>(-1), antigo.st_gid) != 0) {
                antigo.st_mode &= ~static_cast<mode_t>(S_ISGID);
            }
            if (::fchmod(fd, antigo.st_mode & 07777) != 0) {
                FErro = errno;
            }
        } else if (::fchmod(fd, ModoNormal()) != 0) {
            FErro = errno;
        }
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
        const TSinaisEmEspera espera;
        ::unlink(FTemporario.c_str());
        Largar(FCasa);
    }
}

int TFicheiroPendente::Confirmar() {
    if (FErro != 0) {
        return FErro;
    }
    const TSinaisEmEspera espera;
    if (::rename(FTemporario.c_str(), FReal.c_str()) != 0) {
        return errno;
    }
    FTemporario.clear();
    Largar(FCasa);
    return 0;
}

int TFicheiroPendente::ConfirmarSemSubstituir() {
    if (FErro != 0) {
        return FErro;
    }
    const TSinaisEmEspera espera;
    if (::renameat2(AT_FDCWD, FTemporario.c_str(), AT_FDCWD, FReal.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) {
            return errno;
        }
        // Um sistema de ficheiros sem renameat2: link() também falha com EEXIST quando o nome já existe.
        if (::link(FTemporario.c_str(), FReal.c_str()) != 0) {
            return errno;
        }
        ::unlink(FTemporario.c_str());
    }
    FTemporario.clear();
    Largar(FCasa);
    return 0;
}

int GravarAtomicamente(const std::filesystem::path& destino, std::span<const std::uint8_t> bytes) {
    TFicheiroPendente ficheiro(destino, bytes);
    return ficheiro.Confirmar();
}

TGravacaoConjunta::TFalha TGravacaoConjunta::Acrescentar(const std::filesystem::path& destino,
                                                         std::span<const std::uint8_t> bytes) {
    if (!FFalha) {
        auto pendente = std::make_unique<TFicheiroPendente>(destino, bytes);
        if (pendente->Erro() != 0) {
            FFalha = {pendente->Erro(), destino};
        }
        FDestinos.push_back(destino);
        FPendentes.push_back(std::move(pendente));
    }
    return FFalha;
}

TGravacaoConjunta::TFalha TGravacaoConjunta::Confirmar() {
    if (FFalha) {
        return FFalha;
    }
    const TSinaisEmEspera espera;
    // Uma cópia do que cada destino tinha, por ligação física ao mesmo conteúdo: nada se copia e o original
    // volta com uma renomeação. Sem ela não se toca em nenhum destino.
    std::vector<std::string> copias(FPendentes.size());
    const auto apagarCopias = [&copias] {
        for (const auto& c : copias) {
            if (!c.empty()) {
                ::unlink(c.c_str());
            }
        }
    };
    for (std::size_t i = 0; i < FPendentes.size(); ++i) {
        const TFicheiroPendente& p = *FPendentes[i];
        if (!p.FExistia) {
            continue;
        }
        // Um nome de temporário livre na mesma pasta, que o link() ocupa.
        std::string copia = (PastaDe(p.FReal) / (std::string(PrefixoTemporario) + "XXXXXX")).string();
        const int fd = ::mkostemp(copia.data(), O_CLOEXEC);
        int erro = fd < 0 ? errno : 0;
        if (fd >= 0) {
            ::close(fd);
            ::unlink(copia.c_str());
            if (::link(p.FReal.c_str(), copia.c_str()) != 0) {
                erro = errno;
            }
        }
        if (erro != 0) {
            apagarCopias();
            FFalha = {erro, FDestinos[i]};
            return FFalha;
        }
        copias[i] = std::move(copia);
    }
    for (std::size_t i = 0; i < FPendentes.size(); ++i) {
        if (const int erro = FPendentes[i]->Confirmar(); erro != 0) {
            for (std::size_t j = 0; j < i; ++j) {
                if (!copias[j].empty()) {
                    if (::rename(copias[j].c_str(), FPendentes[j]->FReal.c_str()) == 0) {
                        copias[j].clear();
                    }
                } else {
                    ::unlink(FPendentes[j]->FReal.c_str());
                }
            }
            apagarCopias();
            FFalha = {erro, FDestinos[i]};
            return FFalha;
        }
    }
    apagarCopias();
    return FFalha;
}

void ApagarTemporariosPendentes() noexcept {
    for (auto& casa : Pendentes) {
        if (casa.Estado.load() == CasaOcupada) {
            ::unlink(casa.Caminho);
        }
    }
}

} // namespace zelta
