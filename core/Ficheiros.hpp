// Escrita de ficheiros sem nunca deixar meio ficheiro nem estragar o que lá estava, e as frases portuguesas
// das falhas do sistema: temporário na pasta do destino verdadeiro, depois renomeado.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelta {

// Recusa de um destino que existe e não é um ficheiro comum (dispositivo, FIFO, socket): nunca se substitui.
// Fica fora da gama dos errno, que são positivos, e passa pelas mesmas funções que eles.
inline constexpr int ErroNaoFicheiroComum = -1;

// A razão de uma falha em português, sem maiúscula nem ponto: ENOSPC → «sem espaço no disco». Qualquer errno
// dá uma frase («erro do sistema n.º N» para os raros); nunca o texto inglês do sistema.
std::u16string RazaoDoErro(int erro);

// «Não foi possível gravar o ficheiro «caminho»: razão.» — a mesma forma para todas as escritas.
std::u16string FraseFalhaGravar(const std::filesystem::path& caminho, int erro);
std::u16string FraseFalhaGravar(const std::filesystem::path& caminho, std::u16string_view razao);
// «Não foi possível ler o ficheiro «caminho»: razão.»
std::u16string FraseFalhaLer(const std::filesystem::path& caminho, int erro);
std::u16string FraseFalhaLer(const std::filesystem::path& caminho, std::u16string_view razao);

// A frase de std::bad_alloc: quem a mostra não grava nada.
inline constexpr std::u16string_view MensagemSemMemoria = u"Não há memória suficiente para terminar; nada foi gravado.";

// O caminho onde uma escrita vai parar: as ligações simbólicas seguidas até ao ficheiro verdadeiro (que pode
// ainda não existir). 0, ou ELOOP/o errno da leitura de uma ligação.
int ResolverLigacoes(const std::filesystem::path& caminho, std::filesystem::path& real);

// Se uma escrita em caminho pode correr: a pasta existe e aceita escrita, e o destino ou não existe ou é um
// ficheiro comum. 0 ou a razão; serve para recusar antes de um trabalho longo.
int VerificarDestino(const std::filesystem::path& caminho);

// Os bytes já escritos num temporário da pasta do destino verdadeiro (ligações seguidas), à espera de
// Confirmar() para tomarem o lugar dele. Sem confirmação o temporário desaparece e o destino fica como estava.
// O ficheiro que fica no lugar tem o modo (e, se der, o grupo) do que substitui; um novo tem o da umask.
// Os temporários chamam-se .zelta-tmp-XXXXXX; criar um apaga os nossos esquecidos na pasta há mais de
// cinco minutos (um SIGKILL não deixa apagar nada).
class TFicheiroPendente {
public:
    TFicheiroPendente(std::filesystem::path destino, std::span<const std::uint8_t> bytes);
    ~TFicheiroPendente();
    TFicheiroPendente(const TFicheiroPendente&) = delete;
    TFicheiroPendente& operator=(const TFicheiroPendente&) = delete;

    // 0, ou a razão (errno ou ErroNaoFicheiroComum) por que o temporário não está pronto.
    int Erro() const { return FErro; }
    // O ficheiro que vai ser substituído: o destino com as ligações seguidas.
    const std::filesystem::path& Real() const { return FReal; }
    // Põe o ficheiro no lugar do destino; devolve 0 ou a razão da falha.
    int Confirmar();
    // Como Confirmar, mas só se o destino não existir, numa só operação do sistema: EEXIST quando existe.
    // Entre vários a tentar o mesmo nome ao mesmo tempo, só um consegue.
    int ConfirmarSemSubstituir();

private:
    friend class TGravacaoConjunta;

    std::filesystem::path FReal;
    std::string FTemporario; // vazio quando não há temporário a apagar
    int FCasa = -1;          // a casa no registo dos temporários vivos
    bool FExistia = false;
    int FErro = 0;
};

// Escreve e confirma de uma vez; devolve 0, ou a razão da falha, com o destino como estava.
int GravarAtomicamente(const std::filesystem::path& destino, std::span<const std::uint8_t> bytes);

// Vários ficheiros que só valem juntos (o PDF e o JSON de um livro): todos ficam no lugar, ou nenhum muda.
// Acrescentar escreve já o temporário de cada um; Confirmar põe-nos no lugar pela ordem em que entraram e, se
// um falhar, devolve aos anteriores o conteúdo que tinham (ou apaga-os, se não existiam).
class TGravacaoConjunta {
public:
    struct TFalha {
        int Erro = 0; // 0 = sem falha
        std::filesystem::path Caminho;
        explicit operator bool() const { return Erro != 0; }
        std::u16string Frase() const { return FraseFalhaGravar(Caminho, Erro); }
    };

    // Prepara um destino; devolve a primeira falha até agora (nada foi posto no lugar).
    TFalha Acrescentar(const std::filesystem::path& destino, std::span<const std::uint8_t> bytes);
    TFalha Confirmar();

private:
    std::vector<std::filesystem::path> FDestinos;
    std::vector<std::unique_ptr<TFicheiroPendente>> FPendentes;
    TFalha FFalha;
};

// Apaga os temporários desta execução ainda por confirmar. Segura dentro de um tratador de sinal (só unlink
// sobre nomes já guardados, sem memória nova nem trincos); os destinos ficam como estavam. Enquanto um
// temporário é criado ou posto no lugar, SIGINT, SIGTERM, SIGHUP e SIGQUIT esperam, para o tratador nunca ver
// um estado a meio. Fora de um sinal não é preciso: cada pendente apaga o seu ao ser destruído.
void ApagarTemporariosPendentes() noexcept;

} // namespace zelta
