// Afinidade dos fios de trabalho.
#include "core/Fios.hpp"

#include <sched.h>

namespace zelta {

int NucleoAtual() { return ::sched_getcpu(); }

void SairDoNucleo(int nucleo) {
    cpu_set_t permitidos;
    CPU_ZERO(&permitidos);
    if (nucleo < 0 || nucleo >= CPU_SETSIZE || ::sched_getaffinity(0, sizeof permitidos, &permitidos) != 0 ||
        !CPU_ISSET(nucleo, &permitidos) || CPU_COUNT(&permitidos) < 2) {
        return;
    }
    CPU_CLR(nucleo, &permitidos);
    // Se o sistema recusar, o fio fica onde está: só corre mais devagar.
    ::sched_setaffinity(0, sizeof permitidos, &permitidos);
}

} // namespace zelta
