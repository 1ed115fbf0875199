// O conjunto de trabalhadores: cada um pega o próximo aluno da fila.
#include "correcao/turma.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace vendrilo::correcao {

std::vector<ResultadoAluno> CorrigeTurma(const std::vector<Entrega>& entregas, const std::vector<Caso>& casos,
                                         const Configuracao& config, int trabalhadores,
                                         const Progresso& progresso)
{
    std::vector<ResultadoAluno> resultados(entregas.size());
    std::atomic<std::size_t> proximo{0};
    std::mutex mutexProgresso;
    std::size_t feitos = 0;
    auto trabalha = [&] {
        for (std::size_t i; (i = proximo.fetch_add(1)) < entregas.size();) {
            resultados[i] = CorrigeAluno(entregas[i], casos, config);
            std::lock_guard trava(mutexProgresso);
            ++feitos;
            if (progresso)
                progresso(resultados[i], feitos, entregas.size());
        }
    };
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(1, trabalhadores)), entregas.size());
    std::vector<std::jthread> fios;
    for (std::size_t k = 1; k < n; ++k)
        fios.emplace_back(trabalha);
    trabalha();
    fios.clear(); // espera todos antes de entregar os resultados
    return resultados;
}

} // namespace vendrilo::correcao
