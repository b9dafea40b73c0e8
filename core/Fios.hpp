// Trabalho noutro fio, a começar noutro núcleo.
#pragma once

#include <future>
#include <type_traits>
#include <utility>

namespace zelta {

// O núcleo onde este fio corre agora, ou −1 quando o sistema não o diz.
int NucleoAtual();

// Tira o fio que chama do núcleo dado, quando há outro onde possa correr; senão não faz nada.
void SairDoNucleo(int nucleo);

// Corre f num fio novo que começa por sair do núcleo de quem o pede. O Linux põe muitas vezes o fio novo no
// mesmo núcleo de quem o cria, que fica parado à espera até o balanceamento seguinte, milissegundos depois,
// mudar um deles de núcleo: num livro pequeno era um quinto do tempo, numa corrida sim e noutra não.
template <class F> std::future<std::invoke_result_t<F>> NoutroNucleo(F&& f) {
    return std::async(std::launch::async, [nucleo = NucleoAtual(), f = std::forward<F>(f)]() mutable {
        SairDoNucleo(nucleo);
        return f();
    });
}

} // namespace zelta
