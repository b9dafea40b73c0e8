// Trabalho noutro fio, a começar noutro núcleo.
#pragma once

#include <atomic>
#include <chrono>
#include <future>
#include <thread>
#include <type_traits>
#include <utility>

namespace zelta {

// Muda o fio dado para fora do núcleo onde corre quem chama, quando há outro onde possa correr; senão, ou se o
// sistema recusar, deixa-o onde está.
void AfastarDoNucleoAtual(std::thread::native_handle_type fio);
// O fio que chama volta a poder correr em todos os núcleos do processo.
void VoltarATodosOsNucleos();

// Um trabalho que corre num fio novo, a começar fora do núcleo de quem o pede quando há outro. O Linux põe muitas
// vezes o fio novo no núcleo de quem o cria, e um dos dois fica parado até o balanceamento seguinte,
// milissegundos depois, mudar o outro de sítio: num livro pequeno era um quinto do tempo, numa corrida sim e
// noutra não. O fio é afastado logo ao nascer, antes de correr, e depois fica livre outra vez, para o sistema o
// poder mudar se aquele núcleo ficar ocupado. Como o futuro de std::async, espera pelo fio ao sair de cena.
template <class R> class TNoutroNucleo {
public:
    template <class F> explicit TNoutroNucleo(F&& f) {
        std::packaged_task<R()> tarefa(std::forward<F>(f));
        FResultado = tarefa.get_future();
        FFio = std::jthread([this, tarefa = std::move(tarefa)]() mutable {
            FAfastado.wait(false);
            VoltarATodosOsNucleos();
            tarefa();
        });
        AfastarDoNucleoAtual(FFio.native_handle());
        FAfastado = true;
        FAfastado.notify_one();
    }
    TNoutroNucleo(const TNoutroNucleo&) = delete;
    TNoutroNucleo& operator=(const TNoutroNucleo&) = delete;

    R get() { return FResultado.get(); }

    template <class Rep, class Periodo>
    std::future_status wait_for(const std::chrono::duration<Rep, Periodo>& espera) const {
        return FResultado.wait_for(espera);
    }

private:
    std::future<R> FResultado;
    std::atomic<bool> FAfastado = false;
    std::jthread FFio; // sai de cena primeiro: espera pelo fio antes de largar o resultado
};

template <class F> TNoutroNucleo<std::invoke_result_t<F>> NoutroNucleo(F&& f) {
    return TNoutroNucleo<std::invoke_result_t<F>>(std::forward<F>(f));
}

} // namespace zelta
