# Embute no executável os ficheiros de data/ e as duas Liberation Sans do sistema.
# Cada item é um .incbin num ficheiro assembly próprio: a compilação fica rápida e mudar
# um ficheiro de data/ só volta a montar esse item.

set(ZELTA_FONTES
    /usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
    /usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf)

function(zelta_gerar_recursos saida_fontes)
  file(GLOB dados CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/data/*.txt ${CMAKE_SOURCE_DIR}/data/*.png)
  foreach(fonte IN LISTS ZELTA_FONTES)
    if(NOT EXISTS ${fonte})
      message(FATAL_ERROR "Falta a fonte ${fonte} (pacote fonts-liberation2)")
    endif()
  endforeach()

  set(pasta ${CMAKE_BINARY_DIR}/recursos)
  set(indice 0)
  set(declaracoes "")
  set(entradas "")
  set(fontes_geradas "")
  foreach(ficheiro IN LISTS dados ZELTA_FONTES)
    get_filename_component(nome ${ficheiro} NAME_WLE)
    set(simbolo zelta_recurso_${indice})
    set(asm ${pasta}/${simbolo}.S)
    file(CONFIGURE OUTPUT ${asm} CONTENT
"    .section .rodata.${simbolo},\"a\"
    .balign 16
    .globl ${simbolo}_inicio
${simbolo}_inicio:
    .incbin \"${ficheiro}\"
    .globl ${simbolo}_fim
${simbolo}_fim:
    .section .note.GNU-stack,\"\",@progbits
")
    set_source_files_properties(${asm} PROPERTIES OBJECT_DEPENDS ${ficheiro})
    list(APPEND fontes_geradas ${asm})
    string(APPEND declaracoes
           "extern \"C\" const unsigned char ${simbolo}_inicio[];\nextern \"C\" const unsigned char ${simbolo}_fim[];\n")
    string(APPEND entradas "    {u\"${nome}\", ${simbolo}_inicio, ${simbolo}_fim},\n")
    math(EXPR indice "${indice} + 1")
  endforeach()

  set(tabela ${pasta}/TabelaRecursos.cpp)
  file(CONFIGURE OUTPUT ${tabela} CONTENT
"// Gerado pelo CMake a partir de data/: não editar.
#include \"core/TabelaRecursos.hpp\"

${declaracoes}
namespace zelta::detalhe {

const TEntradaRecurso EntradasRecursos[] = {
${entradas}};
const std::size_t NumEntradasRecursos = ${indice};

} // namespace zelta::detalhe
")
  list(APPEND fontes_geradas ${tabela})
  set(${saida_fontes} ${fontes_geradas} PARENT_SCOPE)
endfunction()
