#pragma once
// Teste de conexão usado pelo envio de e-mail e pela atualização.

#include <string>

namespace vendrilo {

// Verdadeiro quando existe uma rota de rede até `host` (nome ou endereço;
// porta apenas informativa). Nenhum pacote é enviado: um soquete UDP é
// "conectado" ao endereço, o que só falha quando o sistema não tem rota.
bool TestaConexao(const std::string& host, int porta = 80);

} // namespace vendrilo
