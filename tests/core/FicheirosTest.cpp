#include "core/Ficheiros.hpp"

#include "core/Texto.hpp"
#include "tests/support/PastaTemporaria.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace zelta {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

mode_t Modo(const std::filesystem::path& p) {
    struct stat st {};
    EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
    return st.st_mode & 07777;
}

// Os nomes da pasta, para ver que não ficou nenhum temporário.
std::set<std::string> Nomes(const std::filesystem::path& pasta) {
    std::set<std::string> r;
    for (const auto& e : std::filesystem::directory_iterator(pasta)) {
        r.insert(e.path().filename().string());
    }
    return r;
}

TEST(Ficheiros, CadaErroTemUmaRazaoEmPortugues) {
    const std::vector<std::pair<int, std::u16string>> casos{
        {ENOENT, u"o ficheiro ou a pasta não existe"},
        {EACCES, u"sem permissão"},
        {EPERM, u"operação não permitida"},
        {EROFS, u"o disco só permite leitura"},
        {ENOSPC, u"sem espaço no disco"},
        {EDQUOT, u"a quota de disco do utilizador está esgotada"},
        {EISDIR, u"é uma pasta"},
        {ENOTDIR, u"uma parte do caminho não é uma pasta"},
        {EEXIST, u"o ficheiro já existe"},
        {ENAMETOOLONG, u"o nome é demasiado comprido"},
        {ELOOP, u"demasiadas ligações simbólicas encadeadas"},
        {EMFILE, u"demasiados ficheiros abertos"},
        {EIO, u"erro de entrada/saída no disco"},
        {EXDEV, u"o destino está noutro disco"},
        {ErroNaoFicheiroComum, u"não é um ficheiro comum"},
        {EHOSTDOWN, u"erro do sistema n.º " + Decimal(EHOSTDOWN)},
        {9999, u"erro do sistema n.º 9999"},
    };
    for (const auto& [erro, razao] : casos) {
        EXPECT_EQ(RazaoDoErro(erro), razao) << erro;
    }
    EXPECT_EQ(FraseFalhaGravar("/tmp/livro.pdf", ENOSPC),
              u"Não foi possível gravar o ficheiro «/tmp/livro.pdf»: sem espaço no disco.");
    EXPECT_EQ(FraseFalhaLer("a.txt", EACCES), u"Não foi possível ler o ficheiro «a.txt»: sem permissão.");
}

TEST(Ficheiros, LigacaoSimbolicaEscreveNoFicheiroVerdadeiro) {
    const teste::TPastaTemporaria pasta;
    const auto real = pasta.Escrever("livros/real.pdf", "velho");
    const auto ligacao = pasta.Caminho() / "link.pdf";
    std::filesystem::create_symlink("livros/real.pdf", ligacao);
    // Uma ligação para outra ligação, e uma que aponta para um ficheiro que ainda não existe.
    const auto dupla = pasta.Caminho() / "dupla.pdf";
    std::filesystem::create_symlink(ligacao, dupla);
    const auto pendurada = pasta.Caminho() / "novo.pdf";
    std::filesystem::create_symlink("livros/ainda-nao.pdf", pendurada);

    ASSERT_EQ(GravarAtomicamente(ligacao, Bytes("novo")), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(ligacao));
    EXPECT_EQ(teste::LerBytes(real), "novo");

    ASSERT_EQ(GravarAtomicamente(dupla, Bytes("terceiro")), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dupla));
    EXPECT_EQ(teste::LerBytes(real), "terceiro");

    ASSERT_EQ(GravarAtomicamente(pendurada, Bytes("criado")), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(pendurada));
    EXPECT_EQ(teste::LerBytes(pasta.Caminho() / "livros" / "ainda-nao.pdf"), "criado");

    const auto circulo = pasta.Caminho() / "circulo.pdf";
    std::filesystem::create_symlink("circulo.pdf", circulo);
    EXPECT_EQ(GravarAtomicamente(circulo, Bytes("x")), ELOOP);
    EXPECT_TRUE(std::filesystem::is_symlink(circulo));
    EXPECT_EQ(Nomes(pasta.Caminho()),
              (std::set<std::string>{"livros", "link.pdf", "dupla.pdf", "novo.pdf", "circulo.pdf"}));
}

TEST(Ficheiros, DestinoQueNaoEFicheiroComumNuncaSeSubstitui) {
    const teste::TPastaTemporaria pasta;
    const auto fifo = pasta.Caminho() / "tubo.json";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto socket = pasta.Caminho() / "s.pdf";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un endereco{};
    endereco.sun_family = AF_UNIX;
    std::strncpy(endereco.sun_path, socket.c_str(), sizeof(endereco.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&endereco), sizeof(endereco)), 0);
    pasta.Escrever("pasta.pdf/dentro", "x");
    const auto ligacaoParaFifo = pasta.Caminho() / "l.json";
    std::filesystem::create_symlink("tubo.json", ligacaoParaFifo);

    const std::vector<std::pair<std::filesystem::path, int>> casos{
        {fifo, ErroNaoFicheiroComum},
        {socket, ErroNaoFicheiroComum},
        {ligacaoParaFifo, ErroNaoFicheiroComum},
        {pasta.Caminho() / "pasta.pdf", EISDIR},
        {pasta.Caminho() / "falta" / "a.pdf", ENOENT},
    };
    const auto antes = Nomes(pasta.Caminho());
    for (const auto& [destino, erro] : casos) {
        EXPECT_EQ(VerificarDestino(destino), erro) << destino;
        EXPECT_EQ(GravarAtomicamente(destino, Bytes("x")), erro) << destino;
    }
    ::close(fd);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_socket(socket));
    EXPECT_TRUE(std::filesystem::is_symlink(ligacaoParaFifo));
    EXPECT_EQ(Nomes(pasta.Caminho()), antes);
    EXPECT_EQ(VerificarDestino(pasta.Caminho() / "novo.pdf"), 0);
}

TEST(Ficheiros, OSubstitutoGuardaOModoEUmNovoTemODaUmask) {
    const teste::TPastaTemporaria pasta;
    const auto privado = pasta.Escrever("privado.pdf", "velho");
    ASSERT_EQ(::chmod(privado.c_str(), 0600), 0);
    const auto partilhado = pasta.Escrever("partilhado.pdf", "velho");
    ASSERT_EQ(::chmod(partilhado.c_str(), 0664), 0);

    const mode_t antes = ::umask(027);
    ASSERT_EQ(GravarAtomicamente(privado, Bytes("novo")), 0);
    ASSERT_EQ(GravarAtomicamente(partilhado, Bytes("novo")), 0);
    ASSERT_EQ(GravarAtomicamente(pasta.Caminho() / "novo.pdf", Bytes("novo")), 0);
    ::umask(antes);

    EXPECT_EQ(Modo(privado), 0600U);
    EXPECT_EQ(Modo(partilhado), 0664U);
    EXPECT_EQ(Modo(pasta.Caminho() / "novo.pdf"), 0640U);
    EXPECT_EQ(teste::LerBytes(privado), "novo");
}

TEST(Ficheiros, AEscritaApagaOsTemporariosNossosEsquecidos) {
    const teste::TPastaTemporaria pasta;
    const auto envelhecer = [](const std::filesystem::path& p) {
        const timespec hora[2]{{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), hora, 0), 0);
    };
    envelhecer(pasta.Escrever(".zelta-tmp-a1B2c3", "morto"));
    // Não são nossos, ou ainda podem estar a ser escritos.
    envelhecer(pasta.Escrever(".zelta-tmp-notas.txt", "do utilizador"));
    envelhecer(pasta.Escrever(".zelta-config", "do utilizador"));
    pasta.Escrever(".zelta-tmp-Vivo12", "de outro processo a escrever");

    ASSERT_EQ(GravarAtomicamente(pasta.Caminho() / "livro.pdf", Bytes("pdf")), 0);
    EXPECT_EQ(Nomes(pasta.Caminho()),
              (std::set<std::string>{".zelta-tmp-notas.txt", ".zelta-config", ".zelta-tmp-Vivo12", "livro.pdf"}));
}

TEST(Ficheiros, UmLivroFicaTodoOuNada) {
    const teste::TPastaTemporaria pasta;
    const auto pdf = pasta.Escrever("keep.pdf", "pdf antigo");
    const auto json = pasta.Caminho() / "keep.json";
    {
        // O segundo destino é uma pasta: recusado antes de tocar no primeiro.
        pasta.Escrever("pasta.json/x", "x");
        TGravacaoConjunta g;
        EXPECT_FALSE(g.Acrescentar(pdf, Bytes("pdf novo")));
        const auto falha = g.Acrescentar(pasta.Caminho() / "pasta.json", Bytes("{}"));
        EXPECT_EQ(falha.Erro, EISDIR);
        EXPECT_EQ(g.Confirmar().Caminho, pasta.Caminho() / "pasta.json");
        std::filesystem::remove_all(pasta.Caminho() / "pasta.json");
    }
    EXPECT_EQ(teste::LerBytes(pdf), "pdf antigo");
    EXPECT_EQ(Nomes(pasta.Caminho()), (std::set<std::string>{"keep.pdf"}));

    // O segundo só falha ao ir para o lugar (entretanto alguém pôs lá uma pasta): o primeiro volta ao que era,
    // e um primeiro que não existia desaparece.
    for (const bool pdfExistia : {true, false}) {
        if (!pdfExistia) {
            std::filesystem::remove(pdf);
        }
        {
            TGravacaoConjunta g;
            EXPECT_FALSE(g.Acrescentar(pdf, Bytes("pdf novo")));
            EXPECT_FALSE(g.Acrescentar(json, Bytes("{}")));
            std::filesystem::create_directories(json / "ocupada");
            const auto falha = g.Confirmar();
            EXPECT_TRUE(falha);
            EXPECT_EQ(falha.Caminho, json);
            EXPECT_EQ(falha.Frase().rfind(u"Não foi possível gravar o ficheiro «", 0), 0U);
        }
        std::filesystem::remove_all(json);
        if (pdfExistia) {
            EXPECT_EQ(teste::LerBytes(pdf), "pdf antigo");
            EXPECT_EQ(Nomes(pasta.Caminho()), (std::set<std::string>{"keep.pdf"}));
        } else {
            EXPECT_TRUE(Nomes(pasta.Caminho()).empty());
        }
    }

    TGravacaoConjunta g;
    g.Acrescentar(pdf, Bytes("pdf"));
    g.Acrescentar(json, Bytes("{}"));
    EXPECT_FALSE(g.Confirmar());
    EXPECT_EQ(teste::LerBytes(pdf), "pdf");
    EXPECT_EQ(teste::LerBytes(json), "{}");
    EXPECT_EQ(Nomes(pasta.Caminho()), (std::set<std::string>{"keep.pdf", "keep.json"}));
}

TEST(Ficheiros, SemSubstituirSoUmDeVariosAoMesmoTempoConsegue) {
    const teste::TPastaTemporaria pasta;
    const auto destino = pasta.Caminho() / "Aves.txt";
    constexpr int N = 8;
    std::vector<int> erros(N, -100);
    std::vector<std::thread> fios;
    for (int i = 0; i < N; ++i) {
        fios.emplace_back([&, i] {
            const std::string conteudo = "tema " + std::to_string(i);
            TFicheiroPendente p(destino, Bytes(conteudo));
            erros[static_cast<std::size_t>(i)] = p.ConfirmarSemSubstituir();
        });
    }
    for (auto& f : fios) {
        f.join();
    }
    EXPECT_EQ(std::count(erros.begin(), erros.end(), 0), 1);
    EXPECT_EQ(std::count(erros.begin(), erros.end(), EEXIST), N - 1);
    EXPECT_EQ(Nomes(pasta.Caminho()), (std::set<std::string>{"Aves.txt"}));
    EXPECT_EQ(teste::LerBytes(destino).rfind("tema ", 0), 0U);
}

TEST(Ficheiros, ApagarTemporariosPendentesComoNumSinal) {
    const teste::TPastaTemporaria pasta;
    const auto velho = pasta.Escrever("livro.pdf", "velho");
    TFicheiroPendente a(velho, Bytes("novo"));
    TFicheiroPendente b(pasta.Caminho() / "livro.json", Bytes("{}"));
    ASSERT_EQ(a.Erro(), 0);
    EXPECT_EQ(Nomes(pasta.Caminho()).size(), 3U);
    ApagarTemporariosPendentes();
    EXPECT_EQ(Nomes(pasta.Caminho()), (std::set<std::string>{"livro.pdf"}));
    EXPECT_EQ(teste::LerBytes(velho), "velho");
}

TEST(Ficheiros, UmSinalApagaOsTemporariosPorConfirmar) {
    // Como o zelta-livro ao segundo Ctrl-C: o tratador apaga os temporários e sai logo, sem destrutores.
    const teste::TPastaTemporaria pasta;
    const auto velho = pasta.Escrever("livro.pdf", "velho");
    const pid_t filho = ::fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        struct sigaction accao {};
        accao.sa_handler = [](int) {
            ApagarTemporariosPendentes();
            ::_exit(130);
        };
        ::sigaction(SIGTERM, &accao, nullptr);
        TFicheiroPendente pdf(velho, Bytes("novo"));
        TFicheiroPendente json(pasta.Caminho() / "livro.json", Bytes("{}"));
        ::kill(::getpid(), SIGTERM);
        ::_exit(0);
    }
    int estado = 0;
    ASSERT_EQ(::waitpid(filho, &estado, 0), filho);
    EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 130);
    EXPECT_EQ(Nomes(pasta.Caminho()), (std::set<std::string>{"livro.pdf"}));
    EXPECT_EQ(teste::LerBytes(velho), "velho");
}

} // namespace
} // namespace zelta
