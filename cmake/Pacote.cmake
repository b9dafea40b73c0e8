# O que se instala e o pacote Debian que o CPack faz com isso (scripts/package). Só os dois programas e os
# seus ficheiros: os testes e os benchmarks de uma mesma compilação ficam de fora.
if(NOT TARGET zelta OR NOT TARGET zelta-livro)
  message(STATUS "pacote: faltam os dois programas (Qt 6 e todas as camadas)")
  return()
endif()

include(GNUInstallDirs)

# Quem mantém o pacote e onde o projeto vive; aparecem no pacote, nos dados AppStream e no copyright.
set(ZELTA_MANTENEDOR "Orvalen <orvalen@users.noreply.github.com>")
set(ZELTA_PAGINA "https://github.com/orvalen/zelta")
set(ZELTA_ID_APPSTREAM "io.github.orvalen.zelta")
set(ZELTA_IMAGEM_JANELA "https://raw.githubusercontent.com/orvalen/zelta/main/docs/janela.png")
# Muda com a versão do project().
set(ZELTA_DATA_DA_VERSAO "2026-12-10")

set(pacote_fontes ${PROJECT_SOURCE_DIR}/packaging)
set(pacote_gerado ${PROJECT_BINARY_DIR}/pacote)

# O changelog e as páginas de manual vão comprimidas com gzip -9n, como o Debian pede; fazem-se ao configurar,
# que é quando o configure_file as refaz, para o cpack não ter nada a compilar além dos dois programas.
execute_process(COMMAND date -u -R -d "${ZELTA_DATA_DA_VERSAO} 12:00"
                OUTPUT_VARIABLE ZELTA_DATA_CHANGELOG OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
function(zelta_comprimido modelo saida)
  configure_file(${modelo} ${pacote_gerado}/${saida} @ONLY)
  execute_process(COMMAND gzip -9nc ${pacote_gerado}/${saida} OUTPUT_FILE ${pacote_gerado}/${saida}.gz
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()
zelta_comprimido(${pacote_fontes}/man/zelta.1.in zelta.1)
zelta_comprimido(${pacote_fontes}/man/zelta-livro.1.in zelta-livro.1)
zelta_comprimido(${pacote_fontes}/changelog.in changelog)
configure_file(${pacote_fontes}/copyright.in ${pacote_gerado}/copyright @ONLY)
configure_file(${pacote_fontes}/zelta.metainfo.xml.in ${pacote_gerado}/${ZELTA_ID_APPSTREAM}.metainfo.xml @ONLY)

install(TARGETS zelta zelta-livro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${pacote_fontes}/zelta.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${pacote_gerado}/${ZELTA_ID_APPSTREAM}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(lado 16 22 24 32 48 64 128)
  install(FILES ${pacote_fontes}/icones/zelta-${lado}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${lado}x${lado}/apps RENAME zelta.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/app/zelta.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
install(FILES ${pacote_gerado}/zelta.1.gz ${pacote_gerado}/zelta-livro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${pacote_fontes}/completar/zelta-livro DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${pacote_gerado}/copyright ${pacote_gerado}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

# O install não manda compilar tudo: o cpack fica pelos dois programas numa compilação com testes.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ZELTA_MANTENEDOR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "faz livros de Sopa de Letras em português europeu")
# Linhas até 80 colunas, como o Debian pede na descrição longa.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "O ZELTA faz livros de Sopa de Letras em português europeu e grava-os num\n"
       "PDF A4 pronto a imprimir: capa, regras, os puzzles com a lista de palavras\n"
       "e as soluções, com cada palavra contornada. Escolhem-se o tamanho da grelha,\n"
       "as direções, o comprimento das palavras, quantas palavras e quantos puzzles,\n"
       "os temas (um grupo, todos misturados ou um dicionário de palavras comuns),\n"
       "o título e os acentos.\n"
       "Traz a janela zelta e o comando zelta-livro, que faz o mesmo livro sem janela.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# «games» obrigaria a /usr/games; o ZELTA faz livros, não é um jogo que se jogue no ecrã.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZELTA_PAGINA}")
# As bibliotecas partilhadas, pelo dpkg-shlibdeps. As letras vão dentro do programa; as traduções do Qt só
# melhoram os diálogos de ficheiros (app/Traducao.cpp passa sem elas).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
include(CPack)
