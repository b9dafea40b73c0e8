// Afinidade dos fios de trabalho.
#include "core/Fios.hpp"

#include <pthread.h>
#include <sched.h>
#include <unistd.h>

namespace zelta {

void AfastarDoNucleoAtual(std::thread::native_handle_type fio) {
    const int nucleo = ::sched_getcpu();
    cpu_set_t permitidos;
    CPU_ZERO(&permitidos);
    if (nucleo < 0 || nucleo >= CPU_SETSIZE || ::sched_getaffinity(0, sizeof permitidos, &permitidos) != 0 ||
        !CPU_ISSET(nucleo, &permitidos) || CPU_COUNT(&permitidos) < 2) {
        return;
    }
    CPU_CLR(nucleo, &permitidos);
    ::pthread_setaffinity_np(fio, sizeof permitidos, &permitidos);
}

void VoltarATodosOsNucleos() {
    // Os núcleos do processo são os do fio principal, que nunca se afasta.
    cpu_set_t todos;
    CPU_ZERO(&todos);
    if (::sched_getaffinity(::getpid(), sizeof todos, &todos) == 0) {
        ::sched_setaffinity(0, sizeof todos, &todos);
    }
}

} // namespace zelta
