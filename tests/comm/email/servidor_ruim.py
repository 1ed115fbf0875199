"""Servidor mal-comportado para os testes de robustez do envio.

Escuta em seis portas livres de 127.0.0.1 e grava "modo porta" por linha
em PASTA/ruim.portas:
  fecha    aceita e fecha a conexão sem dizer nada
  lixo     responde uma linha que não é SMTP nem POP3 e fecha depois
  calado   cumprimenta como POP3 e depois nunca mais responde
  mudo     cumprimenta como SMTP e depois nunca mais responde
  recusa   recusa a conexão com "554" na saudação SMTP
  enorme   manda uma linha sem fim (sem quebra), devagar
"""
import os
import socket
import sys
import threading
import time


def fecha(c):
    c.close()


def lixo(c):
    c.sendall(b"HELLO? isto nao e um servidor de e-mail\r\n")
    time.sleep(2)
    c.close()


def calado(c):
    c.sendall(b"+OK pronto\r\n")
    try:
        while c.recv(1024):
            pass
    except OSError:
        pass
    c.close()


def mudo(c):
    c.sendall(b"220 pronto\r\n")
    try:
        while c.recv(1024):
            pass
    except OSError:
        pass
    c.close()


def recusa(c):
    c.sendall(b"554 5.3.2 fora de servico\r\n")
    time.sleep(0.5)
    c.close()


def enorme(c):
    try:
        for _ in range(4000):
            c.sendall(b"x" * 64)
            time.sleep(0.001)
    except OSError:
        pass
    c.close()


def atende(servidor, funcao):
    while True:
        c, _ = servidor.accept()
        threading.Thread(target=funcao, args=(c,), daemon=True).start()


def main():
    pasta = sys.argv[1]
    linhas = []
    for nome, funcao in (("fecha", fecha), ("lixo", lixo), ("calado", calado),
                         ("mudo", mudo), ("recusa", recusa), ("enorme", enorme)):
        s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        s.bind(("127.0.0.1", 0))
        s.listen(16)
        linhas.append(f"{nome} {s.getsockname()[1]}\n")
        threading.Thread(target=atende, args=(s, funcao), daemon=True).start()
    tmp = os.path.join(pasta, "ruim.portas.tmp")
    with open(tmp, "w") as f:
        f.writelines(linhas)
    os.replace(tmp, os.path.join(pasta, "ruim.portas"))
    while True:
        time.sleep(3600)


if __name__ == "__main__":
    main()
