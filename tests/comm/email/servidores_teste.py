#!/usr/bin/python3
"""Sobe e derruba os servidores locais dos testes de e-mail (fixtures do CTest).

  servidores_teste.py inicia-smtp  PASTA   aiosmtpd com a caixa de teste
  servidores_teste.py inicia-pop3  PASTA   dovecot com configuração privada
  servidores_teste.py inicia-ruim  PASTA   servidor que fecha cedo, responde
                                           lixo, cala ou manda linha enorme
  servidores_teste.py para PASTA NOME      encerra o servidor NOME (smtp, pop3, ruim)

Cada servidor escuta só em 127.0.0.1, numa porta livre; a porta e o pid vão
para PASTA/NOME.porta(s) e PASTA/NOME.pid.
"""
import grp
import os
import pwd
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

AQUI = os.path.dirname(os.path.abspath(__file__))
PYTHON = "/usr/bin/python3"  # o python do PATH pode não enxergar os módulos do Debian

USUARIO_POP = "aluno.vendrilo"
SENHA_POP = "abc1234567"


def porta_livre():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def espera_porta(porta, processo, limite=15.0):
    fim = time.monotonic() + limite
    while time.monotonic() < fim:
        if processo.poll() is not None:
            raise SystemExit(f"servidor terminou cedo (status {processo.returncode})")
        try:
            with socket.create_connection(("127.0.0.1", porta), timeout=0.5):
                return
        except OSError:
            time.sleep(0.1)
    processo.kill()
    raise SystemExit(f"servidor não abriu a porta {porta} a tempo")


def lanca(pasta, nome, argumentos, env=None):
    log = open(os.path.join(pasta, nome + ".log"), "ab")
    return subprocess.Popen(argumentos, stdout=log, stderr=log, stdin=subprocess.DEVNULL,
                            env=env, start_new_session=True)


def grava(pasta, nome, porta, pid):
    with open(os.path.join(pasta, nome + ".porta"), "w") as f:
        f.write(f"{porta}\n")
    with open(os.path.join(pasta, nome + ".pid"), "w") as f:
        f.write(f"{pid}\n")


def inicia_smtp(pasta):
    caixa = os.path.join(pasta, "caixa")
    shutil.rmtree(caixa, ignore_errors=True)
    os.makedirs(caixa)
    porta = porta_livre()
    env = dict(os.environ, PYTHONPATH=AQUI)
    p = lanca(pasta, "smtp", [PYTHON, "-m", "aiosmtpd", "-n", "-l", f"127.0.0.1:{porta}",
                              "-c", "caixa_smtp.CaixaMaildir", caixa], env)
    espera_porta(porta, p)
    grava(pasta, "smtp", porta, p.pid)


def inicia_pop3(pasta):
    # Pasta curta em /tmp: os soquetes do dovecot não cabem em caminhos longos
    # (108 bytes), e a árvore de build pode estar funda.
    base = tempfile.mkdtemp(prefix="vdv-")
    os.chmod(base, 0o755)
    with open(os.path.join(pasta, "pop3.base"), "w") as f:
        f.write(base + "\n")
    for sub in ("run", "estado", "correio"):
        os.makedirs(os.path.join(base, sub))
    porta = porta_livre()
    eu = pwd.getpwuid(os.getuid())
    if os.getuid() == 0:
        # Como root o dovecot exige os usuários sem privilégio do pacote.
        interno, login = "dovecot", "dovenull"
        grupo = grp.getgrgid(pwd.getpwnam(interno).pw_gid).gr_name
        dono = pwd.getpwnam(interno)
        uid, gid = dono.pw_uid, dono.pw_gid
        os.chown(os.path.join(base, "correio"), uid, gid)
    else:
        interno = login = eu.pw_name
        grupo = grp.getgrgid(eu.pw_gid).gr_name
        uid, gid = eu.pw_uid, eu.pw_gid
    with open(os.path.join(AQUI, "dovecot.conf.modelo")) as f:
        conf = f.read()
    for chave, valor in {"PASTA": base, "PORTA": porta, "USUARIO_INTERNO": interno,
                         "GRUPO_INTERNO": grupo, "USUARIO_LOGIN": login,
                         "UID": uid, "GID": gid}.items():
        conf = conf.replace(f"@{chave}@", str(valor))
    arquivo_conf = os.path.join(base, "dovecot.conf")
    with open(arquivo_conf, "w") as f:
        f.write(conf)
    with open(os.path.join(base, "usuarios"), "w") as f:
        f.write(f"{USUARIO_POP}:{SENHA_POP}\n")
    os.chmod(os.path.join(base, "usuarios"), 0o644)
    # /usr/sbin pode faltar no PATH de um usuário comum.
    dovecot = shutil.which("dovecot") or "/usr/sbin/dovecot"
    p = lanca(pasta, "pop3", [dovecot, "-F", "-c", arquivo_conf])
    espera_porta(porta, p)
    # O primeiro login sobe os processos de autenticação (segundos): feito
    # aqui, não pesa no tempo limite de nenhum teste.
    import poplib
    sessao = poplib.POP3("127.0.0.1", porta, timeout=30)
    sessao.user(USUARIO_POP)
    sessao.pass_(SENHA_POP)
    sessao.quit()
    grava(pasta, "pop3", porta, p.pid)


def inicia_ruim(pasta):
    arquivo = os.path.join(pasta, "ruim.portas")
    if os.path.exists(arquivo):
        os.remove(arquivo)  # as portas de uma rodada anterior já não valem
    p = lanca(pasta, "ruim", [PYTHON, os.path.join(AQUI, "servidor_ruim.py"), pasta])
    fim = time.monotonic() + 15
    while not os.path.exists(arquivo):
        if p.poll() is not None or time.monotonic() > fim:
            p.kill()
            raise SystemExit("servidor ruim não iniciou")
        time.sleep(0.05)
    with open(os.path.join(pasta, "ruim.pid"), "w") as f:
        f.write(f"{p.pid}\n")


def para(pasta, nome):
    arquivo = os.path.join(pasta, nome + ".pid")
    try:
        with open(arquivo) as f:
            pid = int(f.read().strip())
    except (OSError, ValueError):
        return
    try:
        os.killpg(pid, signal.SIGTERM)  # o grupo é só nosso: start_new_session
    except ProcessLookupError:
        pass
    for _ in range(50):
        try:
            os.killpg(pid, 0)
        except ProcessLookupError:
            break
        time.sleep(0.1)
    else:
        try:
            os.killpg(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    os.remove(arquivo)
    base = os.path.join(pasta, nome + ".base")
    if os.path.exists(base):
        with open(base) as f:
            shutil.rmtree(f.read().strip(), ignore_errors=True)
        os.remove(base)


def main():
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    comando, pasta = sys.argv[1], sys.argv[2]
    os.makedirs(pasta, exist_ok=True)
    if comando == "inicia-smtp":
        para(pasta, "smtp")
        inicia_smtp(pasta)
    elif comando == "inicia-pop3":
        para(pasta, "pop3")
        inicia_pop3(pasta)
    elif comando == "inicia-ruim":
        para(pasta, "ruim")
        inicia_ruim(pasta)
    elif comando == "para" and len(sys.argv) == 4:
        para(pasta, sys.argv[3])
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main()
