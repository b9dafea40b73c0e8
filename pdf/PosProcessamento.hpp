// O que o cairo não sabe pôr num PDF, acrescentado depois, em memória: a TrimBox de cada página (igual à
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

// Devolve o PDF reescrito pelo qpdf: o mesmo conteúdo, com as caixas e os metadados, e os dicionários em
// fluxos de objetos; os fluxos do cairo passam sem serem descomprimidos e o /ID sai do conteúdo, por isso os
// mesmos bytes de entrada dão sempre os mesmos bytes de saída. Levanta std::runtime_error quando os bytes não são um
// PDF legível.
std::vector<unsigned char> PosProcessarPdf(std::span<const unsigned char> pdf, const TMetadadosPdf& metadados);

} // namespace zelta
