// Importação de um tema: lê o ficheiro do utilizador e escreve-o limpo, em UTF-8 com CR LF, na pasta dos temas.
// A escrita passa por um ficheiro temporário renomeado no fim, para nunca deixar meio tema na pasta.
#include "themes/Importacao.hpp"

#include "core/Ficheiros.hpp"
#include "core/Texto.hpp"
#include "themes/CacheResumos.hpp"
#include "themes/Interno.hpp"
#include "themes/LeituraTema.hpp"

#include "themes/Biblioteca.hpp"

#include <algorithm>
#include <cerrno>
#include <string>
#include <system_error>

namespace zelta {

namespace {

constexpr std::size_t MaxLinhasRejeitadasNoRelatorio = 10;

using detalhe::TextoDoCaminho;

[[noreturn]] void FalhaDeEscrita(const std::filesystem::path& caminho, int erro) {
    throw EZelta(FraseFalhaGravar(caminho, erro));
}

[[noreturn]] void GrandeDemais() {
    throw EZelta(u"O tema ficaria com mais de " + Decimal(static_cast<long long>(MaxBytesTema >> 20)) +
                 u" MiB, o limite que a leitura dos temas aceita; divida a lista em vários ficheiros.");
}

// Em UTF-8 com CR LF, como a leitura o relê; o nome e o grupo já vêm sem controlos do leitor, e um cabeçalho
// nunca os pode ter.
std::string Conteudo(const TTemaLido& lido) {
    std::string cabecalho = ParaUtf8(u"# Tema: " + ControlosParaEspacos(lido.Tema.Nome) + u"\r\n");
    if (lido.Relatorio.TemGrupo) {
        cabecalho += ParaUtf8(u"# Grupo: " + ControlosParaEspacos(lido.Tema.Grupo) + u"\r\n");
    }
    std::size_t tamanho = cabecalho.size();
    for (const auto& p : lido.Tema.Palavras) {
        tamanho += p.Texto.size() * 2 + 2;
    }
    std::string t;
    t.reserve(std::min<std::size_t>(tamanho, MaxBytesTema + 1));
    t = std::move(cabecalho);
    for (const auto& p : lido.Tema.Palavras) {
        t += ParaUtf8(p.Texto);
        t += "\r\n";
        if (t.size() > MaxBytesTema) {
            GrandeDemais();
        }
    }
    return t;
}

// O mesmo ficheiro no disco (também por ligações), e não só o mesmo texto: aqui os nomes distinguem maiúsculas,
// e aves.TXT ao lado de aves.txt são dois ficheiros.
bool MesmoFicheiro(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

// Os ficheiros da pasta que a biblioteca nunca lê como temas.
void RecusarNomeDeFicheiroReservado(const std::filesystem::path& destino) {
    const std::u16string nome = TextoDoCaminho(destino.filename());
    if (IguaisSemCaixaAscii(nome, u"ListaNegra.txt")) {
        throw EZelta(u"O nome ListaNegra.txt está reservado à lista negra.");
    }
    if (IguaisSemCaixaAscii(nome, u"Dicionario.txt")) {
        throw EZelta(u"O nome Dicionario.txt está reservado ao dicionário.");
    }
}

} // namespace

std::filesystem::path DestinoDaImportacao(const std::filesystem::path& origem, const std::filesystem::path& pasta) {
    // Nos bytes do sistema, para um nome que não seja UTF-8 chegar intacto ao destino.
    std::string nome = origem.filename().string();
    if (const auto ponto = nome.rfind('.'); ponto != std::string::npos) {
        nome.resize(ponto);
    }
    return pasta / (nome + ".txt");
}

TTemaLido ImportarTema(const std::filesystem::path& origem, const std::filesystem::path& pasta, bool substituir) {
    const std::filesystem::path destino = std::filesystem::absolute(DestinoDaImportacao(origem, pasta));
    RecusarNomeDeFicheiroReservado(destino);
    // O teto aplica-se ao que se vai escrever, durante a leitura: uma lista enorme recusa-se logo que o passa,
    // sem a ler toda, e o que se importa lê-se sempre depois.
    TTemaLido lido = detalhe::LerTemaDeFicheiro(origem, nullptr, false, MaxBytesTema, nullptr);
    if (lido.Tema.Palavras.empty()) {
        throw EZelta(u"O ficheiro não tem nenhuma palavra válida.");
    }
    if (auto motivo = MotivoDeNomeReservado(lido.Tema)) {
        motivo->front() = MaiusculaSimples(motivo->front());
        throw EZelta(*motivo + u"; escolha outro.");
    }

    if (MesmoFicheiro(std::filesystem::absolute(origem), destino)) {
        return lido;
    }
    std::error_code ec;
    // Só para recusar cedo; quem decide é a renomeação sem substituir, abaixo, que é atómica.
    if (std::filesystem::exists(std::filesystem::symlink_status(destino, ec)) && !substituir) {
        throw ETemaJaExiste(u"Já existe um tema com o ficheiro " + TextoDoCaminho(destino.filename()) + u".");
    }
    std::filesystem::create_directories(destino.parent_path(), ec);
    if (ec) {
        throw EZelta(u"Não foi possível criar a pasta «" + TextoDoCaminho(destino.parent_path()) + u"»: " +
                     RazaoDoErro(ec.value()) + u".");
    }
    const std::string conteudo = Conteudo(lido);
    TFicheiroPendente ficheiro(destino, {reinterpret_cast<const std::uint8_t*>(conteudo.data()), conteudo.size()});
    const int erro = substituir ? ficheiro.Confirmar() : ficheiro.ConfirmarSemSubstituir();
    if (erro == EEXIST && !substituir) {
        throw ETemaJaExiste(u"Já existe um tema com o ficheiro " + TextoDoCaminho(destino.filename()) + u".");
    }
    if (erro != 0) {
        FalhaDeEscrita(destino, erro);
    }
    // A listagem seguinte não precisa de contar outra vez um tema que acabou de ser contado.
    std::size_t maior = 0;
    for (const auto& p : lido.Tema.Palavras) {
        maior = std::max(maior, p.Letras.size());
    }
    detalhe::LembrarResumo(ficheiro.Real(),
                           {lido.Relatorio.Aceites, static_cast<std::int32_t>(maior), lido.Tema.Nome, lido.Tema.Grupo});
    return lido;
}

std::vector<std::u16string> LinhasDoRelatorioImportacao(const TTemaLido& lido) {
    const TRelatorioTema& r = lido.Relatorio;
    std::vector<std::u16string> linhas;
    linhas.push_back(u"Tema " + lido.Tema.Nome + u" importado (grupo " + lido.Tema.Grupo + u").");
    std::u16string contagens = Decimal(r.Aceites) + u" palavras aceites";
    if (r.Repetidas > 0) {
        contagens += u", " + Decimal(r.Repetidas) + u" repetidas";
    }
    if (r.Rejeitadas > 0) {
        contagens += u", " + Decimal(r.Rejeitadas) + u" rejeitadas";
    }
    contagens += u".";
    linhas.push_back(std::move(contagens));
    if (!r.Detalhe.empty()) {
        linhas.emplace_back();
        linhas.emplace_back(u"Linhas rejeitadas:");
        for (std::size_t i = 0; i < r.Detalhe.size() && i < MaxLinhasRejeitadasNoRelatorio; ++i) {
            linhas.push_back(r.Detalhe[i]);
        }
        if (r.Detalhe.size() > MaxLinhasRejeitadasNoRelatorio) {
            linhas.emplace_back(u"\u2026");
        }
    }
    return linhas;
}

} // namespace zelta
