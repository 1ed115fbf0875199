#pragma once
// Uma transferência HTTP para um arquivo, síncrona e sem Qt: é o corpo do
// fio de trabalho de THTTPGet, separado para ser testado sozinho.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace vendrilo {

struct PartesURL {
    std::string host;    // pode trazer ":porta"
    std::string caminho; // começa por "/"
};

// Divide "http://host/caminho" em host e caminho; sem "/" o caminho é "/".
PartesURL DivideURL(const std::string& url);

struct PedidoHTTP {
    std::string acceptTypes = "*/*";
    std::string agent = "Corvanel HTTPGet";
    std::string url;
    std::string fileName;
    std::string userName;
    std::string password;
    std::string postQuery;
    std::string referer;
    bool binaryData = false;
    bool useCache = false;
    long tempoConexaoSeg = 15; // limite para conectar
    long tempoLeituraSeg = 30; // limite sem receber nenhum byte
};

struct ResultadoHTTP {
    bool sucesso = false;
    std::int64_t tamanhoAnunciado = 0; // 0 quando o servidor não anunciou
    std::int64_t recebidos = 0;
    std::string erro; // motivo da falha, para diagnóstico
};

// Chamada após cada pedaço gravado; devolve falso para interromper.
using ProgressoHTTP = std::function<bool(std::int64_t total, std::int64_t lidos)>;

// Baixa `pedido.url` para `pedido.fileName`. Grava ao lado (".parcial") e só
// renomeia para o nome final quando tudo chegou; na falha o arquivo anterior
// fica intacto. `parar` é consultado durante toda a transferência.
ResultadoHTTP TransfereHTTP(const PedidoHTTP& pedido, const std::atomic<bool>& parar,
                            const ProgressoHTTP& progresso);

} // namespace vendrilo
