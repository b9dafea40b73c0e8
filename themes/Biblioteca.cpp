// A biblioteca de temas: os embutidos, os ficheiros da pasta do utilizador, as substituições por nome e a
// ordem fixa dos grupos.
#include "themes/Biblioteca.hpp"

#include "core/Ficheiros.hpp"
#include "core/Recursos.hpp"
#include "core/Texto.hpp"
#include "themes/CacheResumos.hpp"
#include "themes/Interno.hpp"
#include "themes/LeituraTema.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <new>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace zelta {

namespace {

using detalhe::TextoDoCaminho;

constexpr std::u16string_view GrupoDoUtilizador = u"Os meus temas";

bool TerminaEmTxt(std::u16string_view nome) {
    return nome.size() >= 4 && IguaisSemCaixaAscii(nome.substr(nome.size() - 4), u".txt");
}

std::filesystem::path PastaDeDadosDoUtilizador() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    // Um caminho relativo em XDG_DATA_HOME é inválido e deve ser ignorado.
    if (xdg != nullptr && xdg[0] == '/') {
        return std::filesystem::path(xdg);
    }
    const char* casa = std::getenv("HOME");
    if (casa == nullptr || casa[0] == '\0') {
        if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) {
            casa = pw->pw_dir;
        }
    }
    if (casa == nullptr) {
        return std::filesystem::temp_directory_path();
    }
    return std::filesystem::path(casa) / ".local" / "share";
}

} // namespace

std::filesystem::path PastaDosTemas() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return PastaDeDadosDoUtilizador() / "zelta" / "Temas";
    }
    return PastaDosTemasDoPrograma(exe.parent_path());
}

std::filesystem::path PastaDosTemasDoPrograma(const std::filesystem::path& pastaDoPrograma) {
    // Instalado em …/usr/bin ou …/usr/local/bin o programa nunca escreve ao seu lado, nem como root, a
    // quem o access() diz sempre que sim.
    const std::filesystem::path acima = pastaDoPrograma.parent_path();
    const bool instalado =
        pastaDoPrograma.filename() == "bin" &&
        (acima.filename() == "usr" || (acima.filename() == "local" && acima.parent_path().filename() == "usr"));
    // Numa árvore de compilação ou numa cópia portátil a pasta fica ao lado do programa; instalado
    // num sítio só de leitura, os temas do utilizador vão para a sua pasta de dados.
    const std::filesystem::path junto = pastaDoPrograma / "Temas";
    std::error_code ec;
    if (!instalado && (std::filesystem::is_directory(junto, ec) || ::access(pastaDoPrograma.c_str(), W_OK) == 0)) {
        return junto;
    }
    return PastaDeDadosDoUtilizador() / "zelta" / "Temas";
}

std::u16string NomeDoRecurso(std::u16string_view nomeDoItem) {
    std::u16string nome(nomeDoItem.size() > 5 ? nomeDoItem.substr(5) : std::u16string_view{});
    for (char16_t& c : nome) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c + 32);
        }
    }
    if (!nome.empty() && nome[0] >= u'a' && nome[0] <= u'z') {
        nome[0] = static_cast<char16_t>(nome[0] - 32);
    }
    return nome;
}

std::vector<TTema> TemasDosRecursos() {
    std::vector<std::u16string> nomes;
    for (auto& nome : NomesDosRecursos()) {
        if (nome.size() >= 5 && IguaisSemCaixaAscii(std::u16string_view(nome).substr(0, 5), u"TEMA_")) {
            nomes.push_back(std::move(nome));
        }
    }
    std::sort(nomes.begin(), nomes.end());
    std::vector<TTema> temas;
    temas.reserve(nomes.size());
    for (const auto& nome : nomes) {
        const auto bytes = VerRecurso(nome);
        if (!bytes) {
            continue;
        }
        TTemaLido lido = detalhe::LerTemaDoTexto(BytesParaTexto(*bytes), NomeDoRecurso(nome));
        if (lido.Tema.Palavras.empty()) {
            continue;
        }
        lido.Tema.Origem = TOrigemTema::otRecurso;
        temas.push_back(std::move(lido.Tema));
    }
    OrdenarTemas(temas);
    return temas;
}

std::optional<std::u16string> MotivoDeNomeReservado(const TTema& tema) {
    const auto dobrado = [](std::u16string_view s) { return SemAcentos(MaiusculasCompletas(s)); };
    for (const std::u16string_view reservado : {u"Dicionário", u"Mix de Temas"}) {
        if (dobrado(tema.Grupo) == dobrado(reservado)) {
            return u"o grupo «" + tema.Grupo + u"» tem o nome de uma entrada fixa da lista de livros";
        }
        if (dobrado(tema.Nome) == dobrado(reservado)) {
            return u"o tema «" + tema.Nome + u"» tem o nome de uma entrada fixa da lista de livros";
        }
    }
    return std::nullopt;
}

namespace {

// Os ficheiros de temas da pasta, lidos pela ordem dos caminhos; entregar(caminho, lido, maior) recebe os que
// ficam, e mensagens uma linha por cada um posto de parte. Só a contar, as palavras não se constroem.
// Com cache (só a contar), um ficheiro que não mudou não se lê.
template <class Entregar>
void LerPasta(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens,
              const std::atomic<bool>* cancelar, detalhe::TCacheResumos* cache, Entregar&& entregar) {
    const bool soContar = cache != nullptr;
    std::error_code ec;
    if (!std::filesystem::is_directory(pasta, ec)) {
        return;
    }
    std::vector<std::pair<std::u16string, std::filesystem::path>> ficheiros;
    std::filesystem::directory_iterator it(pasta, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code ecTipo;
        if (it->is_directory(ecTipo)) {
            continue;
        }
        if (TerminaEmTxt(TextoDoCaminho(it->path().filename()))) {
            ficheiros.emplace_back(TextoDoCaminho(it->path()), it->path());
        }
    }
    if (ec && mensagens != nullptr) {
        // Uma pasta que não se consegue listar não pode passar por vazia sem aviso.
        mensagens->push_back(TextoDoCaminho(pasta) + u": não foi possível ler (" + RazaoDoErro(ec.value()) + u")");
    }
    std::sort(ficheiros.begin(), ficheiros.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    const auto avisar = [mensagens](std::u16string linha) {
        if (mensagens != nullptr) {
            mensagens->push_back(std::move(linha));
        }
    };
    for (const auto& [texto, caminho] : ficheiros) {
        const std::u16string nome = TextoDoCaminho(caminho.filename());
        if (IguaisSemCaixaAscii(nome, u"ListaNegra.txt") || IguaisSemCaixaAscii(nome, u"Dicionario.txt")) {
            continue;
        }
        TTemaLido lido;
        std::int32_t maior = 0;
        struct stat st {};
        const bool comum = soContar && ::stat(caminho.c_str(), &st) == 0 && S_ISREG(st.st_mode);
        const std::string ficheiro = caminho.filename().string();
        try {
            if (const detalhe::TEntradaResumo* e = comum ? cache->Procurar(ficheiro, st) : nullptr) {
                lido.Tema.Nome = e->Nome;
                lido.Tema.Grupo = e->Grupo;
                lido.Relatorio.Aceites = e->Palavras;
                maior = e->Maior;
            } else {
                lido = detalhe::LerTemaDeFicheiro(caminho, cancelar, soContar, 0, &maior);
                if (comum) {
                    cache->Guardar(ficheiro, st, {lido.Relatorio.Aceites, maior, lido.Tema.Nome, lido.Tema.Grupo});
                }
            }
        } catch (const ELeituraCancelada&) {
            throw;
        } catch (const EZelta& e) {
            avisar(nome + u": não foi possível ler (" + e.Mensagem() + u")");
            continue;
        } catch (const std::bad_alloc&) {
            avisar(nome + u": não foi possível ler (" + RazaoDoErro(ENOMEM) + u")");
            continue;
        }
        if (lido.Relatorio.Aceites == 0) {
            avisar(nome + u": sem palavras válidas");
            continue;
        }
        if (const auto motivo = MotivoDeNomeReservado(lido.Tema)) {
            avisar(nome + u": posto de parte, porque " + *motivo);
            continue;
        }
        lido.Tema.Origem = TOrigemTema::otPasta;
        entregar(caminho, std::move(lido), maior);
    }
}

} // namespace

std::vector<TTema> TemasDaPasta(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens,
                                const std::atomic<bool>* cancelar) {
    std::vector<TTema> temas;
    LerPasta(pasta, mensagens, cancelar, nullptr,
             [&temas](const std::filesystem::path&, TTemaLido&& lido, std::int32_t) {
                 temas.push_back(std::move(lido.Tema));
             });
    return temas;
}

std::vector<TResumoTema> ResumosDaPasta(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens,
                                        const std::atomic<bool>* cancelar) {
    std::vector<TResumoTema> resumos;
    detalhe::TCacheResumos cache(pasta);
    LerPasta(pasta, mensagens, cancelar, &cache,
             [&resumos](const std::filesystem::path& caminho, TTemaLido&& lido, std::int32_t maior) {
                 resumos.push_back(
                     {caminho, std::move(lido.Tema.Nome), std::move(lido.Tema.Grupo), lido.Relatorio.Aceites, maior});
             });
    cache.Gravar();
    return resumos;
}

TResumoTema ResumirTemaDeFicheiro(const std::filesystem::path& caminho, const std::atomic<bool>* cancelar) {
    std::int32_t maior = 0;
    TTemaLido lido = detalhe::LerTemaDeFicheiro(caminho, cancelar, true, 0, &maior);
    return {caminho, std::move(lido.Tema.Nome), std::move(lido.Tema.Grupo), lido.Relatorio.Aceites, maior};
}

TTema CarregarTemaResumido(const TResumoTema& resumo, const std::atomic<bool>* cancelar) {
    TTema tema = LerTemaDeFicheiro(resumo.Caminho, cancelar).Tema;
    tema.Origem = TOrigemTema::otPasta;
    return tema;
}

std::vector<TTema> CarregarTemas(const std::filesystem::path& pasta, std::vector<std::u16string>* mensagens,
                                 const std::atomic<bool>* cancelar) {
    std::vector<TTema> temas = TemasDosRecursos();
    for (auto& tema : TemasDaPasta(pasta, mensagens, cancelar)) {
        const auto igual = std::find_if(temas.begin(), temas.end(),
                                        [&tema](const TTema& t) { return IguaisSemCaixaAscii(t.Nome, tema.Nome); });
        if (igual != temas.end()) {
            *igual = std::move(tema);
        } else {
            temas.push_back(std::move(tema));
        }
    }
    OrdenarTemas(temas);
    return temas;
}

void OrdenarTemas(std::vector<TTema>& temas) {
    std::stable_sort(temas.begin(), temas.end(), [](const TTema& a, const TTema& b) {
        const auto ra = OrdemDoGrupo(a.Grupo);
        const auto rb = OrdemDoGrupo(b.Grupo);
        if (ra != rb) {
            return ra < rb;
        }
        if (const int c = CompararSemCaixaAscii(a.Grupo, b.Grupo); c != 0) {
            return c < 0;
        }
        return CompararSemCaixaAscii(a.Nome, b.Nome) < 0;
    });
}

std::int32_t OrdemDoGrupo(std::u16string_view grupo) {
    for (std::size_t i = 0; i < GruposConhecidos.size(); ++i) {
        if (IguaisSemCaixaAscii(grupo, GruposConhecidos[i])) {
            return static_cast<std::int32_t>(i);
        }
    }
    return IguaisSemCaixaAscii(grupo, GrupoDoUtilizador) ? 8 : 7;
}

std::vector<std::u16string> GruposDosTemas(const std::vector<TTema>& temas) {
    std::vector<std::u16string> grupos;
    for (const auto& tema : temas) {
        const bool jaHa = std::any_of(grupos.begin(), grupos.end(),
                                      [&tema](const std::u16string& g) { return IguaisSemCaixaAscii(g, tema.Grupo); });
        if (!jaHa) {
            grupos.push_back(tema.Grupo);
        }
    }
    std::stable_sort(grupos.begin(), grupos.end(), [](const std::u16string& a, const std::u16string& b) {
        const auto ra = OrdemDoGrupo(a);
        const auto rb = OrdemDoGrupo(b);
        return ra != rb ? ra < rb : CompararSemCaixaAscii(a, b) < 0;
    });
    return grupos;
}

} // namespace zelta
