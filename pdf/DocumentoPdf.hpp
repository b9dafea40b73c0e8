// Um documento PDF de páginas de um só tamanho sobre a superfície PDF do cairo: cada página desenha-se num cairo_t
// em unidades de 1/300 de polegada, e o ficheiro só se grava inteiro, no fim.
#pragma once

#include "pdf/PosProcessamento.hpp"

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace zelta {

class TDocumentoPdf {
public:
    static constexpr std::int32_t ScreenLogPixels = 300;
    // A4 ao alto, em pontos PDF.
    static constexpr double LarguraPt = 210 * 72 / 25.4;
    static constexpr double AlturaPt = 297 * 72 / 25.4;

    // O tamanho das páginas em pontos PDF; A4 ao alto por omissão.
    explicit TDocumentoPdf(double ALarguraPt = LarguraPt, double AAlturaPt = AlturaPt);
    ~TDocumentoPdf();
    TDocumentoPdf(const TDocumentoPdf&) = delete;
    TDocumentoPdf& operator=(const TDocumentoPdf&) = delete;

    // Título e autor vão para o dicionário de informação; definem-se antes da primeira página.
    void DefinirInfo(std::u16string_view titulo, std::u16string_view autor);
    // O título (que substitui o do DefinirInfo) e o assunto que a reescrita final põe no documento, com a
    // língua pt-PT e a TrimBox de cada página.
    void DefinirMetadados(std::u16string_view titulo, std::u16string_view assunto);
    // Páginas com sangria (uma capa): a TrimBox fica esta distância para dentro de cada aresta.
    void DefinirSangria(double pt) { FMetadados.SangriaPt = pt; }

    // Fecha a página corrente e acrescenta outra; o contexto devolvido vale até à página seguinte.
    cairo_t* AddPage();
    std::int32_t NumPaginas() const { return FNumPaginas; }

    // Fecha a última página e devolve o PDF inteiro, com as páginas das partes seguintes (de Fechar noutros
    // documentos) a seguir às deste; levanta EZelta quando o motor ou a reescrita falham. O documento não serve
    // para mais nada depois disto.
    std::vector<unsigned char> Terminar(std::span<const std::vector<unsigned char>> seguintes = {});
    // Fecha a última página e devolve o PDF tal como o cairo o escreveu, sem a reescrita final: uma parte
    // para o Terminar de outro documento. Levanta EZelta quando o motor falha; o documento não serve para
    // mais nada depois disto.
    std::vector<unsigned char> Fechar();
    // Terminar e gravar; levanta EZelta com a razão quando não consegue, sem deixar ficheiro meio escrito
    // nem tocar no que já lá estava.
    void SaveToFile(const std::filesystem::path& nome);

private:
    static cairo_status_t Escrever(void* fecho, const unsigned char* dados, unsigned int n);

    cairo_surface_t* FSuperficie = nullptr;
    cairo_t* FPagina = nullptr;
    std::int32_t FNumPaginas = 0;
    std::vector<unsigned char> FBytes;
    TMetadadosPdf FMetadados;
};

} // namespace zelta
