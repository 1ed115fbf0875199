"""Caixa de correio do servidor SMTP de teste (aiosmtpd).

Grava cada mensagem recebida, byte a byte como chegou, num maildir
(PASTA/new/NNNN.eml) e o envelope ao lado (NNNN.env: remetente na primeira
linha, um destinatário por linha a seguir). Destinatários que começam por
"recusa" são recusados com 550, para os testes de recusa do servidor.
"""
import itertools
import os


class CaixaMaildir:
    def __init__(self, pasta):
        self.pasta = pasta
        for sub in ("new", "cur", "tmp"):
            os.makedirs(os.path.join(pasta, sub), exist_ok=True)
        self.contador = itertools.count(1)

    @classmethod
    def from_cli(cls, parser, *args):
        if len(args) != 1:
            parser.error("informe a pasta do maildir")
        return cls(args[0])

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower().startswith("recusa"):
            return "550 5.1.1 Destinatario recusado"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        n = next(self.contador)
        nome = f"{n:04d}"
        tmp = os.path.join(self.pasta, "tmp", nome + ".eml")
        with open(tmp, "wb") as f:
            f.write(envelope.original_content)
        with open(os.path.join(self.pasta, "new", nome + ".env"), "w") as f:
            f.write(envelope.mail_from + "\n")
            for r in envelope.rcpt_tos:
                f.write(r + "\n")
        # A mensagem só aparece em new/ completa, depois do envelope.
        os.replace(tmp, os.path.join(self.pasta, "new", nome + ".eml"))
        return "250 Message accepted for delivery"
