// O que o cairo não sabe pôr num PDF, acrescentado depois, em memória: a junção de documentos compostos à parte
// num só, a TrimBox de cada página (igual à
// MediaBox, que é o que as gráficas procuram, ou sem a sangria numa capa), a língua do documento, o título e o
// assunto.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace zelta {

struct TMetadadosPdf {
    std::u16string Titulo;
    std::u16string Assunto; // vazio: fica o que lá está
    std::string Lingua = "pt-PT";
    // Com sangria, a TrimBox é a MediaBox encolhida disto em cada aresta e a BleedBox é a MediaBox.
    double SangriaPt = 0;
};

// Devolve as partes num só PDF reescrito pelo qpdf: as páginas de cada parte a seguir às da anterior, com as
// caixas e os metadados, e os dicionários em fluxos de objetos; o catálogo e a informação são os da primeira.
// Os fluxos do cairo passam sem serem descomprimidos e o /ID sai do conteúdo, por isso os mesmos bytes de
// entrada dão sempre os mesmos bytes de saída. Levanta std::runtime_error quando não há partes ou uma não é um
// PDF legível.
std::vector<unsigned char> PosProcessarPdf(std::span<const std::span<const unsigned char>> partes,
                                           const TMetadadosPdf& metadados);
// O mesmo, de um documento só.
std::vector<unsigned char> PosProcessarPdf(std::span<const unsigned char> pdf, const TMetadadosPdf& metadados);

} // namespace zelta
