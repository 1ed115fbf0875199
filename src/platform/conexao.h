#pragma once
// Teste de conexão usado pelo envio de e-mail e pela atualização.

#include <functional>
#include <string>

namespace vendrilo {

// Verdadeiro quando existe uma rota de rede até `host` (nome ou endereço;
// porta apenas informativa). Nenhum pacote é enviado: um soquete UDP é
// "conectado" ao endereço, o que só falha quando o sistema não tem rota.
bool TestaConexao(const std::string& host, int porta = 80);

// Verdadeiro quando alguma interface de rede além da local está ativa e
// com endereço: sem nenhuma, o computador não está em rede alguma.
bool TemRede();
// Troca a verificação de TemRede (testes); nullptr volta à real.
void DefineVerificadorRede(std::function<bool()> verificador);

// Por que um servidor não pode ser alcançado: sem rede nenhuma, nome que não
// se resolve (ou vazio) ou sem rota até ele. `Alcancavel` quando há rota.
enum class Alcance { Alcancavel, SemRede, NomeDesconhecido, SemRota };
Alcance AlcancaServidor(const std::string& host, int porta = 80);

} // namespace vendrilo
