// Os argumentos do zelta-livro: lidos com o CLI11 e convertidos, com mensagens em português.
#pragma once

#include "core/Tipos.hpp"
#include "layout/Capa.hpp"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace zelta::cli {

// Um argumento que não se deixa ler. Estado 1 quando a linha de comando está mal formada ou um valor não se
// lê (não é um número, não cabe, não é um dos nomes); 2 quando o valor se lê mas não dá um livro, como a
// janela, que recusa o livro.
class EArgumentos : public std::runtime_error {
public:
    EArgumentos(const std::string& mensagem, int estado) : std::runtime_error(mensagem), FEstado(estado) {}
    int Estado() const noexcept { return FEstado; }

private:
    int FEstado;
};

// Cada opção do livro fica vazia quando não foi dada: o valor por omissão depende do livro escolhido.
struct TArgumentos {
    bool Ajuda = false;
    std::string TextoAjuda;

    std::optional<std::int32_t> Lado;
    std::optional<TModoDirecoes> Modo;
    std::optional<std::int32_t> MinLetras;
    std::optional<std::int32_t> MaxLetras;
    std::optional<std::int32_t> NumPalavras;
    std::optional<std::int32_t> NumPuzzles;
    std::optional<std::u16string> Livro;
    std::u16string Titulo;
    bool Acentos = false;
    std::optional<std::uint32_t> Semente;
    std::optional<std::filesystem::path> Saida;
    std::optional<std::filesystem::path> Json;
    bool Estrito = false;
    TOpcoesImpressao Impressao;
    std::optional<std::filesystem::path> Capa;
    TPapel Papel = TPapel::ppBranco;

    std::optional<std::filesystem::path> PastaTemas;
    bool Listar = false;
    std::optional<std::filesystem::path> Importar;
    bool Substituir = false;

    // Com --reimprimir: o livro gravado em JSON a imprimir outra vez, sem gerar nada.
    std::optional<std::filesystem::path> Reimprimir;
    bool TituloDado = false;
    bool ImpressaoDada = false; // --formato, --encadernar ou --letra-grande

    // Alguma opção que só faz sentido ao fazer um livro.
    bool TemOpcoesDoLivro = false;
};

TArgumentos LerArgumentos(const std::vector<std::string>& args);

} // namespace zelta::cli
