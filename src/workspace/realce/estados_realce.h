#pragma once
// Estados de linha do realce do pseudocódigo.
//
// O estado de uma linha é o do fim dela: diz se um comentário ficou aberto e
// de que tipo, para que a linha seguinte continue pintando-o até o fecho.
// O editor guarda esse número por linha (SCI_SETLINESTATE); uma linha nova,
// ou a primeira do texto, começa em Nenhum.

namespace vendrilo {

enum class EstadoLinha : int {
    Nenhum = 0,               // fora de comentário
    ComentarioParenteses = 1, // dentro de "(*", até "*)"
    ComentarioChaves = 2,     // dentro de "{", até "}"
    ComentarioBarra = 3,      // dentro de "/*", até "*/"
};

// Converte o inteiro guardado pelo editor; valores estranhos viram Nenhum.
constexpr EstadoLinha estadoDeInteiro(int valor)
{
    return (valor >= 0 && valor <= 3) ? static_cast<EstadoLinha>(valor) : EstadoLinha::Nenhum;
}

} // namespace vendrilo
