"""Servidor HTTP dos testes para os casos ruins.

Serve os arquivos de uma pasta; o comportamento de cada arquivo vem de um
arquivo ao lado, NOME.modo (normal, sem-tamanho, tamanho-mentiroso,
fecha-no-meio, tamanho-invalido, lento, mudo). Cada pedido recebido é
anotado em pedidos.log, uma linha JSON por pedido. Escuta em 127.0.0.1 numa
porta livre, que escreve na primeira linha da saída; termina quando a
entrada padrão fecha (o teste que o iniciou acabou).
"""
import http.server
import json
import os
import socketserver
import sys
import threading
import time
import urllib.parse

PASTA = sys.argv[1]
TRAVA = threading.Lock()


class Tratador(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def _anota(self, corpo):
        with TRAVA, open(os.path.join(PASTA, "pedidos.log"), "a", encoding="utf-8") as f:
            f.write(json.dumps({
                "metodo": self.command,
                "caminho": self.path,
                "versao": self.request_version,
                "cabecalhos": {k.lower(): v for k, v in self.headers.items()},
                "corpo": corpo,
            }) + "\n")

    def _responde(self):
        rel = urllib.parse.unquote(urllib.parse.urlsplit(self.path).path).lstrip("/")
        arquivo = os.path.normpath(os.path.join(PASTA, rel))
        if not arquivo.startswith(os.path.abspath(PASTA)) or not os.path.isfile(arquivo):
            self.send_error(404)
            return
        with open(arquivo, "rb") as f:
            dados = f.read()
        modo = "normal"
        if os.path.exists(arquivo + ".modo"):
            with open(arquivo + ".modo", encoding="utf-8") as f:
                modo = f.read().strip()
        if modo == "mudo":
            time.sleep(30)
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if modo in ("normal", "lento", "fecha-no-meio"):
            self.send_header("Content-Length", str(len(dados)))
        elif modo == "tamanho-mentiroso":
            self.send_header("Content-Length", str(len(dados) + 100))
        elif modo == "tamanho-invalido":
            self.send_header("Content-Length", "doze")
        self.end_headers()
        if modo == "fecha-no-meio":
            dados = dados[: len(dados) // 2]
        if modo == "lento":
            for i in range(0, len(dados), 1025):
                self.wfile.write(dados[i:i + 1025])
                self.wfile.flush()
                time.sleep(0.2)
        else:
            self.wfile.write(dados)
        self.wfile.flush()
        self.close_connection = True

    def _responde_calado(self):
        try:
            self._responde()
        except (BrokenPipeError, ConnectionResetError):
            pass  # o cliente desistiu (cancelamento): é o que se testa

    def do_GET(self):
        self._anota("")
        self._responde_calado()

    def do_POST(self):
        tam = int(self.headers.get("Content-Length", "0"))
        self._anota(self.rfile.read(tam).decode("latin-1"))
        self._responde_calado()


class Servidor(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    servidor = Servidor(("127.0.0.1", 0), Tratador)
    print(servidor.server_address[1], flush=True)
    threading.Thread(target=servidor.serve_forever, daemon=True).start()
    sys.stdin.read()  # volta quando o teste fecha a entrada ou termina
    os._exit(0)


if __name__ == "__main__":
    main()
