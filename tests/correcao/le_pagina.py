# Lê a página da correção com o html.parser da biblioteca padrão e imprime,
# uma por linha e separadas por tabulação: as células de cada linha da
# tabela de resumo ("linha\t...") e cada trecho marcado das colunas lado a
# lado ("marca\taluno\tcoluna\ttexto").
import sys
from html.parser import HTMLParser


class Leitor(HTMLParser):
    def __init__(self):
        super().__init__()
        self.na_tabela = self.no_corpo = False
        self.linha = None
        self.celula = None
        self.aluno = self.coluna = None
        self.titulo = self.marca = None
        self.saida = []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "table" and a.get("class") == "resumo":
            self.na_tabela = True
        elif tag == "tbody" and self.na_tabela:
            self.no_corpo = True
        elif tag == "tr" and self.no_corpo:
            self.linha = []
        elif tag == "td" and self.linha is not None:
            self.celula = ""
        elif tag == "section" and a.get("class") == "aluno":
            self.aluno = a.get("data-aluno")
        elif tag == "h4" and self.aluno is not None:
            self.titulo = ""
        elif tag == "mark" and self.aluno is not None:
            self.marca = ""

    def handle_endtag(self, tag):
        if tag == "td" and self.celula is not None:
            self.linha.append(self.celula)
            self.celula = None
        elif tag == "tr" and self.linha is not None:
            self.saida.append("linha\t" + "\t".join(self.linha))
            self.linha = None
        elif tag == "table":
            self.na_tabela = self.no_corpo = False
        elif tag == "h4" and self.titulo is not None:
            self.coluna, self.titulo = self.titulo, None
        elif tag == "mark" and self.marca is not None:
            self.saida.append("\t".join(["marca", self.aluno, self.coluna, self.marca]))
            self.marca = None
        elif tag == "section":
            self.aluno = None

    def handle_data(self, data):
        if self.celula is not None:
            self.celula += data
        if self.titulo is not None:
            self.titulo += data
        if self.marca is not None:
            self.marca += data


leitor = Leitor()
with open(sys.argv[1], encoding="utf-8") as f:
    leitor.feed(f.read())
leitor.close()
print("\n".join(leitor.saida))
