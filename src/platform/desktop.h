#pragma once
// Abertura de endereços pelo ambiente gráfico: "mailto:" no programa de
// correio, páginas no navegador.

class QUrl;

namespace vendrilo {

// Pede ao ambiente que abra o endereço. Falso quando não há quem o abra; quem
// chama decide se isso merece aviso (o Sobre, por exemplo, cala).
bool AbreEndereco(const QUrl& endereco);

} // namespace vendrilo
