// Os textos do próprio Qt (botões, diálogos de ficheiros, menus de contexto) em português europeu.
#pragma once

namespace zelta {

// O Debian só traz a tradução brasileira do Qt: carrega-a e corrige por cima o que difere.
void InstalarTraducoes();

} // namespace zelta
